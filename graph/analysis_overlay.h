// What the analysis settings of an explicit Cartesian graph y = f(x) draw
// over a view besides the marks of its points of interest: tangent and
// normal lines at given positions, the derivative as a curve, and the
// integral over a range with a certified enclosure of its value. World
// units throughout.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "expr/compiled_expression.h"
#include "expr/interval.h"

namespace quillon {

class Graph;

// The part of the world a view shows, and the width of its pixels.
struct OverlayView {
  double left = 0;
  double right = 0;
  double bottom = 0;
  double top = 0;
  double pixelWidth = 1;
  double pixelHeight = 1;
};

struct OverlayPoint {
  double x = 0;
  double y = 0;
};

// A line's two ends, at the sides of the view (or its bottom and top for a
// vertical line).
struct OverlayLine {
  OverlayPoint from;
  OverlayPoint to;
};

class AnalysisOverlay {
 public:
  // Compiles the graph's text; an overlay of a graph without points of
  // interest (HasPointsOfInterest), or whose text does not compile or uses
  // RND, draws nothing.
  explicit AnalysisOverlay(const Graph& graph);

  bool Valid() const { return function_.has_value(); }

  // The tangent or the normal at x across the view; none where x lies
  // outside the graph's range or f has no finite derivative there.
  std::optional<OverlayLine> Tangent(double x, const OverlayView& view) const;
  std::optional<OverlayLine> Normal(double x, const OverlayView& view) const;

  // The curve of f' over the view within the range, certified as curves
  // are: each pixel column is cut in halves until on every piece f' is
  // proven continuous and its enclosure is at most half a pixel tall, so
  // the chord between the piece's ends stays within half a pixel of f'.
  // A piece still undecided after kDerivativeDepth cuts (a pole, a corner,
  // a jump of f) is left out, so no drawn run joins across one, and so is a
  // piece proven to lie wholly above or below the view.
  std::vector<std::vector<OverlayPoint>> Derivative(const OverlayView& view) const;
  static constexpr int kDerivativeDepth = 16;

  // An enclosure of the integral of f from `from` to `to` (negative when
  // to < from): the midpoint rule on pieces, each with its error bounded by
  // the enclosure of f'' on the piece. None where f is not proven defined
  // and bounded over the whole stretch.
  std::optional<Interval> Integral(double from, double to) const;

  // (x, f(x)) at each pixel column of the view between from and to, in
  // pieces where f is defined: the outline of the tinted area.
  std::vector<std::vector<OverlayPoint>> IntegralOutline(double from, double to,
                                                         const OverlayView& view) const;

 private:
  std::optional<double> ValueAt(double x) const;
  std::optional<double> SlopeAt(double x) const;

  std::optional<CompiledExpression> function_;
  double from_ = 0;  // the graph's x range
  double to_ = 0;
};

// The longest decimal text (at most 15 significant digits) that both ends
// of an enclosure round to, so that every digit shown is certain; "lo..hi"
// with 3 digits each where not even the first digit is.
std::string CertainDigits(Interval value);

}  // namespace quillon
