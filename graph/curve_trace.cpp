#include "graph/curve_trace.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "expr/engine_error.h"
#include "expr/expression_compiler.h"
#include "expr/random_generator.h"
#include "expr/undefined_mark.h"
#include "graph/graph.h"

namespace quillon {

CurveTrace::CurveTrace(const Graph& graph) : graph_(graph) {
  if (!IsPlaneCurveKind(graph.kind) || !IsPlaneSystem(graph.coordinates)) {
    return;
  }
  const bool cartesian = graph.coordinates == CoordinateSystem::Cartesian;
  if (graph.form == FunctionForm::Explicit) {
    parameter_ = cartesian ? Parameter::X : Parameter::A;
    explicitCartesian_ = cartesian;
  } else if (graph.form == FunctionForm::Parametric) {
    parameter_ = Parameter::U;
  } else {
    return;
  }
  const PointGrid& points = graph.Points();
  if (!points.Stored() || points.Upper(1) < 0) {
    return;
  }
  lastIndex_ = points.Upper(1);
  if (explicitCartesian_) {
    ExpressionCompiler compiler;
    std::string postfix;
    if (compiler.InfixToPostfix(graph.expressionZ, postfix) != 0) {
      return;
    }
    function_.emplace(postfix);
    if (!function_->YieldsValue()) {
      return;
    }
  }
  traceable_ = true;
}

TracedPoint CurveTrace::Near(double x, double y) const {
  if (!traceable_) {
    return {};
  }
  if (explicitCartesian_) {
    return AtX(x);
  }
  const PointGrid& points = graph_.Points();
  std::int32_t nearest = 0;
  double nearestDistance = std::numeric_limits<double>::infinity();
  for (std::int32_t i = 0; i <= lastIndex_; ++i) {
    const GridPoint* point = points.Find(0, i);
    if (point == nullptr || point->x == UndefinedMark || point->y == UndefinedMark) {
      continue;
    }
    const double distance = std::hypot(point->x - x, point->y - y);
    if (distance < nearestDistance) {
      nearestDistance = distance;
      nearest = i;
    }
  }
  return AtIndex(nearest);
}

TracedPoint CurveTrace::AtX(double x) const {
  TracedPoint traced;
  if (!traceable_ || !function_ || std::isnan(x)) {
    return traced;
  }
  const double low = std::min(graph_.minV, graph_.maxV);
  const double high = std::max(graph_.minV, graph_.maxV);
  traced.parameter = std::clamp(x, low, high);
  VariablePoint at;
  at.X = traced.parameter;
  RandomGenerator random;
  try {
    const std::optional<double> y = function_->EvaluatePoint(at, random);
    if (y) {
      traced.x = traced.parameter;
      traced.y = *y;
    }
  } catch (const EngineError&) {
    // A text that fails when evaluated has no point to show here.
  }
  return traced;
}

TracedPoint CurveTrace::AtIndex(std::int32_t index) const {
  TracedPoint traced;
  if (!traceable_) {
    return traced;
  }
  traced.index = std::clamp(index, 0, lastIndex_);
  // Plane curves run over v in stepsV equal steps, as sampling stores them.
  const double step =
      graph_.stepsV > 0 ? (static_cast<double>(graph_.maxV) - graph_.minV) / graph_.stepsV : 0.0;
  traced.parameter = graph_.minV + step * traced.index;
  const GridPoint* point = graph_.Points().Find(0, traced.index);
  if (point != nullptr && point->x != UndefinedMark && point->y != UndefinedMark) {
    traced.x = point->x;
    traced.y = point->y;
  }
  return traced;
}

}  // namespace quillon
