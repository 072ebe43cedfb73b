#include "graph/analysis_overlay.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "expr/engine_error.h"
#include "expr/expression_compiler.h"
#include "expr/jet.h"
#include "expr/random_generator.h"
#include "graph/graph.h"
#include "graph/points_of_interest.h"

namespace quillon {

namespace {

// Pieces of the midpoint rule over an integral's stretch.
constexpr int kIntegralPieces = 512;
// Pixel columns evaluated at most across a view, so that a huge window
// cannot stall a frame.
constexpr double kMostColumns = 8192;

VariableBox XBox(Interval x) {
  VariableBox box;
  box.X = x;
  return box;
}

// The columns of the view within [from, to]: their left ends and width.
struct Columns {
  double first = 0;
  double width = 1;
  int count = 0;
};

Columns ViewColumns(const OverlayView& view, double from, double to) {
  const double left = std::max(view.left, from);
  const double right = std::min(view.right, to);
  Columns columns;
  if (!(right > left) || !(view.pixelWidth > 0)) {
    return columns;
  }
  const double count = std::min(std::ceil((right - left) / view.pixelWidth), kMostColumns);
  columns.first = left;
  columns.count = static_cast<int>(count);
  columns.width = (right - left) / count;
  return columns;
}

}  // namespace

AnalysisOverlay::AnalysisOverlay(const Graph& graph) {
  if (!HasPointsOfInterest(graph)) {
    return;
  }
  ExpressionCompiler compiler;
  std::string postfix;
  if (compiler.InfixToPostfix(graph.expressionZ, postfix) != 0) {
    return;
  }
  CompiledExpression text(postfix);
  if (text.UsesRandom() || !text.YieldsValue()) {
    return;
  }
  function_ = std::move(text);
  from_ = std::min<double>(graph.minV, graph.maxV);
  to_ = std::max<double>(graph.minV, graph.maxV);
}

std::optional<double> AnalysisOverlay::ValueAt(double x) const {
  if (!function_ || !(x >= from_ && x <= to_)) {
    return std::nullopt;
  }
  VariablePoint point;
  point.X = x;
  RandomGenerator unused;
  try {
    const std::optional<double> y = function_->EvaluatePoint(point, unused);
    return y && std::isfinite(*y) ? y : std::nullopt;
  } catch (const EngineError&) {
    return std::nullopt;
  }
}

std::optional<double> AnalysisOverlay::SlopeAt(double x) const {
  if (!ValueAt(x)) {
    return std::nullopt;
  }
  try {
    const DecoratedJet jet = function_->EvaluateJet(XBox(Interval::Point(x)), Variable::X);
    const Interval slope = jet.derivatives[0];
    if (jet.differentiable < 1 || !std::isfinite(slope.lo) || !std::isfinite(slope.hi)) {
      return std::nullopt;
    }
    // A slope that may be 0 is taken as 0: a level tangent and a vertical
    // normal, where a tiny rounded slope would tilt them.
    return slope.Contains(0) ? 0.0 : slope.lo + (slope.hi - slope.lo) / 2;
  } catch (const EngineError&) {
    return std::nullopt;
  }
}

std::optional<OverlayLine> AnalysisOverlay::Tangent(double x, const OverlayView& view) const {
  const std::optional<double> y = ValueAt(x);
  const std::optional<double> slope = SlopeAt(x);
  if (!y || !slope) {
    return std::nullopt;
  }
  return OverlayLine{{view.left, *y + *slope * (view.left - x)},
                     {view.right, *y + *slope * (view.right - x)}};
}

std::optional<OverlayLine> AnalysisOverlay::Normal(double x, const OverlayView& view) const {
  const std::optional<double> y = ValueAt(x);
  const std::optional<double> slope = SlopeAt(x);
  if (!y || !slope) {
    return std::nullopt;
  }
  if (*slope == 0) {
    return OverlayLine{{x, view.bottom}, {x, view.top}};
  }
  const double normal = -1 / *slope;
  return OverlayLine{{view.left, *y + normal * (view.left - x)},
                     {view.right, *y + normal * (view.right - x)}};
}

std::vector<std::vector<OverlayPoint>> AnalysisOverlay::Derivative(const OverlayView& view) const {
  std::vector<std::vector<OverlayPoint>> runs;
  const Columns columns = ViewColumns(view, from_, to_);
  const double tolerance = view.pixelHeight / 2;
  // Whether the run in hand reaches the left end of the next piece.
  bool joined = false;
  struct Piece {
    double lo, hi;
    int depth;
  };
  std::vector<Piece> pending;
  for (int i = 0; i < columns.count; ++i) {
    const double left = columns.first + i * columns.width;
    pending.push_back({left, std::min(left + columns.width, to_), 0});
    while (!pending.empty()) {
      const Piece piece = pending.back();
      pending.pop_back();
      bool continuous = false;
      bool flat = false;
      bool outside = false;
      try {
        // f' is continuous on the piece when f is defined and continuous
        // there and f'' is bounded.
        const DecoratedJet jet = function_->EvaluateJet(XBox({piece.lo, piece.hi}), Variable::X);
        const Interval slope = jet.derivatives[0];
        continuous = jet.value.IsDefinedAndContinuous() && jet.differentiable >= 2 &&
                     std::isfinite(jet.derivatives[1].lo) && std::isfinite(jet.derivatives[1].hi);
        flat = continuous && slope.hi - slope.lo <= tolerance;
        // Wholly above or below the view (and a pixel's margin): not drawn.
        outside = continuous && (slope.lo > view.top + view.pixelHeight ||
                                 slope.hi < view.bottom - view.pixelHeight);
      } catch (const EngineError&) {
      }
      if (outside) {
        joined = false;
        continue;
      }
      if (!flat && piece.depth < kDerivativeDepth) {
        // Halves, the left one first.
        const double middle = piece.lo + (piece.hi - piece.lo) / 2;
        pending.push_back({middle, piece.hi, piece.depth + 1});
        pending.push_back({piece.lo, middle, piece.depth + 1});
        continue;
      }
      const std::optional<double> from = continuous ? SlopeAt(piece.lo) : std::nullopt;
      const std::optional<double> to = continuous ? SlopeAt(piece.hi) : std::nullopt;
      if (!from || !to) {
        joined = false;
        continue;
      }
      if (!joined) {
        runs.push_back({{piece.lo, *from}});
      }
      runs.back().push_back({piece.hi, *to});
      joined = true;
    }
  }
  return runs;
}

std::optional<Interval> AnalysisOverlay::Integral(double from, double to) const {
  if (!function_ || from == to) {
    return function_ ? std::optional<Interval>(Interval::Point(0)) : std::nullopt;
  }
  const double a = std::min(from, to);
  const double b = std::max(from, to);
  Interval sum = Interval::Point(0);
  const double step = (b - a) / kIntegralPieces;
  try {
    for (int i = 0; i < kIntegralPieces; ++i) {
      const double lo = a + i * step;
      const double hi = i + 1 == kIntegralPieces ? b : a + (i + 1) * step;
      const DecoratedJet jet = function_->EvaluateJet(XBox({lo, hi}), Variable::X);
      if (!jet.value.IsDefinedAndContinuous() || !std::isfinite(jet.value.value.lo) ||
          !std::isfinite(jet.value.value.hi)) {
        return std::nullopt;
      }
      const Interval width = Interval{hi, hi} - Interval{lo, lo};
      const Interval bend = jet.derivatives[1];
      Interval piece = width * jet.value.value;
      if (jet.differentiable >= 2 && std::isfinite(bend.lo) && std::isfinite(bend.hi)) {
        // Midpoint rule: the integral is width f(m) + width^3 / 24 f''(t)
        // for some t of the piece.
        const double middle = lo + (hi - lo) / 2;
        const DecoratedInterval atMiddle = function_->EvaluateBox(XBox(Interval::Point(middle)));
        const Interval cube = width * width * width;
        const Interval twentyFourth{outward::Down(1.0 / 24), outward::Up(1.0 / 24)};
        const Interval rule = width * atMiddle.value + cube * twentyFourth * bend;
        piece = {std::max(piece.lo, rule.lo), std::min(piece.hi, rule.hi)};
      }
      sum = sum + piece;
    }
  } catch (const EngineError&) {
    return std::nullopt;
  }
  return to < from ? -sum : sum;
}

std::vector<std::vector<OverlayPoint>> AnalysisOverlay::IntegralOutline(
    double from, double to, const OverlayView& view) const {
  std::vector<std::vector<OverlayPoint>> pieces;
  const double a = std::max(std::min(from, to), from_);
  const double b = std::min(std::max(from, to), to_);
  const Columns columns = ViewColumns(view, a, b);
  bool joined = false;
  for (int i = 0; i <= columns.count && columns.count > 0; ++i) {
    const double x = std::min(columns.first + i * columns.width, std::min(b, view.right));
    const std::optional<double> y = ValueAt(x);
    if (!y) {
      joined = false;
      continue;
    }
    if (!joined) {
      pieces.emplace_back();
    }
    pieces.back().push_back({x, *y});
    joined = true;
  }
  return pieces;
}

std::string CertainDigits(Interval value) {
  char lo[40];
  char hi[40];
  for (int digits = 15; digits >= 1; --digits) {
    std::snprintf(lo, sizeof lo, "%.*g", digits, value.lo);
    std::snprintf(hi, sizeof hi, "%.*g", digits, value.hi);
    if (std::string(lo) == hi) {
      return lo;
    }
  }
  // Not even the first digit is certain: the enclosure itself.
  std::snprintf(lo, sizeof lo, "%.3g", value.lo);
  std::snprintf(hi, sizeof hi, "%.3g", value.hi);
  return std::string(lo) + ".." + hi;
}

}  // namespace quillon
