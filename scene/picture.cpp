#include "scene/picture.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <utility>

namespace quillon {

namespace {

// Distance of p from the segment a..b (from a when the segment is a point).
double DistanceToSegment(const PicturePoint& p, const PicturePoint& a, const PicturePoint& b) {
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  const double lengthSquared = dx * dx + dy * dy;
  double t = 0;
  if (lengthSquared > 0) {
    t = ((p.x - a.x) * dx + (p.y - a.y) * dy) / lengthSquared;
    t = t < 0 ? 0 : (t > 1 ? 1 : t);
  }
  return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// One side of the clip rectangle: the points with inside(p) are kept, and
// cross(a, b) is where the segment a..b meets the side.
template <typename Inside, typename Cross>
std::vector<PicturePoint> ClipToSide(const std::vector<PicturePoint>& polygon, Inside inside,
                                     Cross cross) {
  std::vector<PicturePoint> kept;
  for (std::size_t i = 0; i < polygon.size(); ++i) {
    const PicturePoint& a = polygon[i];
    const PicturePoint& b = polygon[(i + 1) % polygon.size()];
    if (inside(a)) {
      kept.push_back(a);
      if (!inside(b)) {
        kept.push_back(cross(a, b));
      }
    } else if (inside(b)) {
      kept.push_back(cross(a, b));
    }
  }
  return kept;
}

PicturePoint AtX(const PicturePoint& a, const PicturePoint& b, double x) {
  return {x, a.y + (b.y - a.y) * (x - a.x) / (b.x - a.x)};
}

PicturePoint AtY(const PicturePoint& a, const PicturePoint& b, double y) {
  return {a.x + (b.x - a.x) * (y - a.y) / (b.y - a.y), y};
}

}  // namespace

std::vector<PicturePoint> SimplifyPolyline(const std::vector<PicturePoint>& points,
                                           double tolerance) {
  if (points.size() < 3) {
    return points;
  }
  std::vector<bool> keep(points.size(), false);
  keep.front() = true;
  keep.back() = true;
  // Spans still to split, as an explicit stack: a curve of a million points
  // would recurse too deep.
  std::vector<std::pair<std::size_t, std::size_t>> spans{{0, points.size() - 1}};
  while (!spans.empty()) {
    const auto [first, last] = spans.back();
    spans.pop_back();
    double farthest = -1;
    std::size_t at = first;
    for (std::size_t i = first + 1; i < last; ++i) {
      const double distance = DistanceToSegment(points[i], points[first], points[last]);
      if (distance > farthest) {
        farthest = distance;
        at = i;
      }
    }
    if (farthest > tolerance) {
      keep[at] = true;
      spans.emplace_back(first, at);
      spans.emplace_back(at, last);
    }
  }
  std::vector<PicturePoint> kept;
  for (std::size_t i = 0; i < points.size(); ++i) {
    if (keep[i]) {
      kept.push_back(points[i]);
    }
  }
  return kept;
}

std::vector<std::vector<PicturePoint>> ClipPolyline(const std::vector<PicturePoint>& points,
                                                    double width, double height) {
  std::vector<std::vector<PicturePoint>> pieces;
  std::vector<PicturePoint> piece;
  const auto endPiece = [&] {
    if (piece.size() >= 2) {
      pieces.push_back(std::move(piece));
    }
    piece.clear();
  };
  for (std::size_t i = 0; i + 1 < points.size(); ++i) {
    const PicturePoint& a = points[i];
    const PicturePoint& b = points[i + 1];
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    // The segment is a + t (b - a); each side bounds t from one end.
    double enter = 0;
    double leave = 1;
    bool outside = false;
    for (const auto& [p, q] : {std::pair{-dx, a.x}, std::pair{dx, width - a.x}, std::pair{-dy, a.y},
                               std::pair{dy, height - a.y}}) {
      if (p == 0) {
        outside = outside || q < 0;
        continue;
      }
      const double t = q / p;
      if (p < 0) {
        enter = std::max(enter, t);
      } else {
        leave = std::min(leave, t);
      }
    }
    if (outside || enter > leave || std::isnan(enter) || std::isnan(leave)) {
      endPiece();
      continue;
    }
    const PicturePoint from{a.x + enter * dx, a.y + enter * dy};
    const PicturePoint to{a.x + leave * dx, a.y + leave * dy};
    if (enter > 0) {
      endPiece();
    }
    if (piece.empty()) {
      piece.push_back(from);
    }
    piece.push_back(to);
    if (leave < 1) {
      endPiece();
    }
  }
  endPiece();
  return pieces;
}

std::vector<PicturePoint> ClipPolygon(const std::vector<PicturePoint>& points, double width,
                                      double height) {
  std::vector<PicturePoint> polygon = points;
  polygon = ClipToSide(
      polygon, [](const PicturePoint& p) { return p.x >= 0; },
      [](const PicturePoint& a, const PicturePoint& b) { return AtX(a, b, 0); });
  polygon = ClipToSide(
      polygon, [width](const PicturePoint& p) { return p.x <= width; },
      [width](const PicturePoint& a, const PicturePoint& b) { return AtX(a, b, width); });
  polygon = ClipToSide(
      polygon, [](const PicturePoint& p) { return p.y >= 0; },
      [](const PicturePoint& a, const PicturePoint& b) { return AtY(a, b, 0); });
  polygon = ClipToSide(
      polygon, [height](const PicturePoint& p) { return p.y <= height; },
      [height](const PicturePoint& a, const PicturePoint& b) { return AtY(a, b, height); });
  if (polygon.size() < 3) {
    polygon.clear();
  }
  return polygon;
}

double DoubleArea(const std::vector<PicturePoint>& points) {
  double sum = 0;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const PicturePoint& a = points[i];
    const PicturePoint& b = points[(i + 1) % points.size()];
    sum += a.x * b.y - b.x * a.y;
  }
  return sum;
}

}  // namespace quillon
