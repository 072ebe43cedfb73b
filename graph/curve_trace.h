// CurveTrace: reading points off a plane curve for the window's Trace. An
// explicit curve y = f(x) is evaluated in double precision at any x of its
// interval; the other forms (polar, parametric) step through the points
// sampling stored. World units throughout.
#pragma once

#include <cstdint>
#include <optional>

#include "expr/compiled_expression.h"

namespace quillon {

class Graph;

// One traced point: the curve's parameter there (x of y = f(x), a of
// r = f(a), u of the parametric forms) and the point, absent where the curve
// is undefined. `index` is the stored point read, -1 for an evaluated one.
struct TracedPoint {
  double parameter = 0;
  std::optional<double> x;
  std::optional<double> y;
  std::int32_t index = -1;
};

class CurveTrace {
 public:
  // The parameter's name as the dialog calls it.
  enum class Parameter { X, A, U };

  // Reads graph, which must outlive this object and keep its points. A graph
  // that is no sampled plane curve cannot be traced (Traceable is false).
  explicit CurveTrace(const Graph& graph);

  bool Traceable() const { return traceable_; }
  Parameter ParameterName() const { return parameter_; }
  // Whether points are evaluated at any x rather than read from storage.
  bool Evaluated() const { return explicitCartesian_; }

  // The point of the curve for the world point (x, y): at x, kept within
  // the interval, for y = f(x); the nearest defined stored point otherwise
  // (the first stored point when none is defined).
  TracedPoint Near(double x, double y) const;
  // The point at parameter x of y = f(x), kept within the interval.
  TracedPoint AtX(double x) const;
  // The stored point `index`, kept within the stored points.
  TracedPoint AtIndex(std::int32_t index) const;

 private:
  const Graph& graph_;
  bool traceable_ = false;
  bool explicitCartesian_ = false;
  Parameter parameter_ = Parameter::X;
  std::int32_t lastIndex_ = -1;
  std::optional<CompiledExpression> function_;
};

}  // namespace quillon
