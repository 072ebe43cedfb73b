#include "graph/run_merger.h"

#include <algorithm>
#include <cmath>

namespace quillon::refinement {

namespace {

// Points a run may hold back at most before it places a vertex: the scan
// after a placed vertex never goes over more.
constexpr std::size_t kMostHeldPoints = 4096;

}  // namespace

void RunMerger::Start(const CurvePoint& p, double t) {
  Finish();
  open_ = true;
  runBegin_ = out_.points.size();
  const Entry entry = MakeEntry(p, t);
  Place(entry);
  SetAnchor(entry);
}

void RunMerger::Extend(const CurvePoint& p, double t) {
  held_.push_back(MakeEntry(p, t));
  Scan();
  if (held_.size() > kMostHeldPoints) {
    PlaceCandidate();
    Scan();
  }
}

void RunMerger::Finish() {
  if (!open_) {
    return;
  }
  while (!held_.empty()) {
    if (candidate_ == held_.size() - 1 || candidate_ == kNone) {
      Place(held_.back());
      held_.clear();
      break;
    }
    PlaceCandidate();
    Scan();
  }
  open_ = false;
  if (out_.points.size() - runBegin_ >= 2) {
    out_.runEnds.push_back(out_.points.size());
  } else {
    out_.points.resize(runBegin_);
    out_.parameters.resize(runBegin_);
  }
}

RunMerger::Entry RunMerger::MakeEntry(const CurvePoint& p, double t) const {
  return {p, t, view_.PixelX(p.x), view_.PixelY(p.y)};
}

void RunMerger::Place(const Entry& entry) {
  const GridPoint point{static_cast<float>(entry.point.x), static_cast<float>(entry.point.y),
                        static_cast<float>(entry.point.z)};
  if (out_.points.size() > runBegin_ && out_.points.back() == point) {
    return;  // no segment of zero length
  }
  out_.points.push_back(point);
  out_.parameters.push_back(entry.t);
}

void RunMerger::SetAnchor(const Entry& entry) {
  anchor_ = entry;
  coneSet_ = false;
  longest_ = 0;
  candidate_ = kNone;
  scanned_ = 0;
}

void RunMerger::PlaceCandidate() {
  const Entry vertex = held_[candidate_];
  Place(vertex);
  held_.erase(held_.begin(), held_.begin() + static_cast<std::ptrdiff_t>(candidate_) + 1);
  SetAnchor(vertex);
}

void RunMerger::Scan() {
  while (scanned_ < held_.size()) {
    const Entry& entry = held_[scanned_];
    const double dx = entry.px - anchor_.px;
    const double dy = entry.py - anchor_.py;
    const double length = std::hypot(dx, dy);
    if (!(length > tolerance_)) {
      // Within the tolerance of the anchor: near any segment from it, and
      // an end while every point so far is.
      if (!coneSet_) {
        candidate_ = scanned_;
      }
      ++scanned_;
      continue;
    }
    if (!coneSet_) {
      directionX_ = dx / length;
      directionY_ = dy / length;
    }
    // The angle from the first direction, and the angles within which a
    // line from the anchor passes within the tolerance of this point.
    const double angle = coneSet_ ? std::atan2(directionX_ * dy - directionY_ * dx,
                                               directionX_ * dx + directionY_ * dy)
                                  : 0.0;
    const double half = std::asin(tolerance_ / length);
    const bool inCone = !coneSet_ || (low_ <= angle && angle <= high_);
    if (inCone && length >= longest_ - tolerance_) {
      candidate_ = scanned_;
    }
    const double low = coneSet_ ? std::max(low_, angle - half) : angle - half;
    const double high = coneSet_ ? std::min(high_, angle + half) : angle + half;
    if (low > high) {
      PlaceCandidate();
      continue;
    }
    low_ = low;
    high_ = high;
    coneSet_ = true;
    longest_ = std::max(longest_, length);
    ++scanned_;
  }
  // Points before the candidate are never scanned again.
  if (candidate_ != kNone && candidate_ > 0) {
    held_.erase(held_.begin(), held_.begin() + static_cast<std::ptrdiff_t>(candidate_));
    scanned_ -= candidate_;
    candidate_ = 0;
  }
}

}  // namespace quillon::refinement
