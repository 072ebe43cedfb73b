// RunMerger: the last step of a curve refinement, which joins the chords
// of a refined curve into runs and merges their points into few segments.
// Internal to the graph library.
#pragma once

#include <cstddef>
#include <vector>

#include "graph/certified_curve.h"

namespace quillon::refinement {

// A point of the curve in world units; not defined where the curve has no
// value.
struct CurvePoint {
  double x = 0;
  double y = 0;
  double z = 0;
  bool defined = false;
};

// Merges the points of runs into segments in the view's pixels: a vertex
// is placed only where no straight segment from the last vertex passes
// within `tolerance` of every point since. The points between two vertices
// then lie within the tolerance of their segment, and the segment within
// the tolerance of the path through them.
// Runs are written to `out` as they end.
class RunMerger {
 public:
  RunMerger(const CurveView& view, double tolerance, RefinedCurve& out)
      : view_(view), tolerance_(tolerance), out_(out) {}

  bool Open() const { return open_; }

  // Ends any open run and begins one at p, of parameter t.
  void Start(const CurvePoint& p, double t);
  // Continues the open run to p.
  void Extend(const CurvePoint& p, double t);
  // Ends the open run; a run of fewer than two points is dropped.
  void Finish();

 private:
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  struct Entry {
    CurvePoint point;
    double t = 0;
    double px = 0;
    double py = 0;
  };

  Entry MakeEntry(const CurvePoint& p, double t) const;
  // Appends a vertex to the run, unless it repeats the last one.
  void Place(const Entry& entry);
  void SetAnchor(const Entry& entry);
  // Places the candidate as a vertex and anchors there; the held points
  // after it are to be scanned again.
  void PlaceCandidate();
  // Narrows the cone of directions by each held point not yet scanned.
  void Scan();

  const CurveView& view_;
  const double tolerance_;
  RefinedCurve& out_;
  bool open_ = false;
  std::size_t runBegin_ = 0;
  Entry anchor_;
  std::vector<Entry> held_;  // points after the anchor
  bool coneSet_ = false;
  double directionX_ = 1;
  double directionY_ = 0;
  double low_ = 0;
  double high_ = 0;
  double longest_ = 0;
  std::size_t candidate_ = kNone;  // the last held point a segment may end at
  std::size_t scanned_ = 0;
};

}  // namespace quillon::refinement
