// Certified refinement of a sampled plane curve for one view: the curve
// between its stored points is enclosed by interval evaluation
// (CompiledExpression::EvaluateBox), so that what is drawn stays within
// about half a pixel of the true curve, leaves a gap at a pole or a jump
// instead of joining across it, and follows a branch that leaves at a pole
// to the edge of the view.
//
// Between consecutive stored parameters (and first over runs of them), a
// piece whose enclosure is proven defined and continuous and lies within
// half a pixel of its chord is taken as that chord. Any other piece is cut
// in two, at a stored point while it spans several, else at its parameter
// midpoint with the new point evaluated in double precision
// (EvaluatePoint), until it is proven or its parameter width reaches a
// resolution limit; an undecided piece at the limit is not drawn. Pieces
// that lie wholly outside the view (or the document's view interval, which
// sampling clips to) are left out, and chords are cut at that interval's
// edges. The work is bounded by a count of evaluations, never by a clock;
// when the count runs out the pieces still proven continuous are taken as
// their chords and the rest are not drawn. The stored points are only read.
//
// The chords come out as runs of connected points, and in each run the
// points that a straight segment passes within a quarter of a pixel of are
// merged into it, so a dense curve draws as few long segments as a sparse
// one (a straight line of a million steps draws as one segment).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "graph/point_grid.h"

namespace quillon {

class Graph;

// The view a curve is refined for: a rectangle of the plane z = 0 in world
// units, drawn onto pixels of pixelWidth x pixelHeight world units (x to
// the right, y up).
struct CurveView {
  double minX = 0;
  double maxX = 0;
  double minY = 0;
  double maxY = 0;
  double pixelWidth = 1;
  double pixelHeight = 1;
  // Pixels around the rectangle that a line crossing its edge still inks
  // (half the line width and the smoothing); pieces within them are drawn.
  double marginPixels = 2;

  double PixelX(double x) const { return (x - minX) / pixelWidth; }
  double PixelY(double y) const { return (y - minY) / pixelHeight; }
};

struct RefineLimits {
  // The evaluation count: perStoredPoint for each stored point, plus
  // allowance (one evaluation is one text at one point or over one piece).
  std::size_t perStoredPoint = 64;
  std::size_t allowance = std::size_t{1} << 17;
  // Midpoint cuts of one stored step at most: an undecided piece this
  // narrow is not drawn (2^-32 of a step: a branch at a pole has left any
  // view by then).
  std::int32_t depth = 32;
  // Pixels: a proven piece's enclosure lies within this of its chord.
  double chordTolerance = 0.5;
  // Pixels: merged points lie within this of their segment.
  double mergeTolerance = 0.25;
};

// Runs of connected points in world units; run k is points
// [RunBegin(k), runEnds[k]). Every run has at least two points, and
// parameters[i] is the curve parameter of points[i].
struct RefinedCurve {
  std::vector<GridPoint> points;
  std::vector<double> parameters;
  std::vector<std::size_t> runEnds;
  // Evaluations spent, and whether every piece was decided within the count.
  std::size_t evaluations = 0;
  bool complete = true;

  std::size_t RunCount() const { return runEnds.size(); }
  std::size_t RunBegin(std::size_t run) const { return run == 0 ? 0 : runEnds[run - 1]; }
};

class CurveRefiner {
 public:
  // Compiles the graph's texts and takes the document's view interval. The
  // graph must outlive the refiner; Refine reads its points.
  explicit CurveRefiner(const Graph& graph);
  ~CurveRefiner();
  CurveRefiner(CurveRefiner&&) noexcept;
  CurveRefiner& operator=(CurveRefiner&&) noexcept;

  // True for a sampled curve of a plane curve kind (IsPlaneCurveKind) in
  // explicit or parametric form, Cartesian or polar, whose texts compile,
  // yield a value and do not call RND. Refine gives nothing otherwise.
  bool Handles() const;

  // The certified polylines of the curve's stored points for the view.
  // Nothing when the graph is not handled, its points no longer have the
  // extent of its steps, or an evaluation throws (a text that fails when
  // evaluated).
  std::optional<RefinedCurve> Refine(const CurveView& view, const RefineLimits& limits = {}) const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace quillon
