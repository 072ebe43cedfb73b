#include "io/graph_list_text.h"

#include "graph/graph.h"

namespace quillon {

std::optional<std::string> OpenedGraphEntryText(const Graph& g, DocumentKind documentKind) {
  if (documentKind != DocumentKind::Plane) {
    return std::nullopt;
  }
  const std::string& y = g.expressionY;
  const std::string& z = g.expressionZ;
  const GraphKind kind = g.kind;
  const CoordinateSystem coords = g.coordinates;
  const bool plain = kind == GraphKind::PlaneCurve;
  const bool animated = kind == GraphKind::AnimatedCurve;
  const std::string curve = plain ? "2D Curve  " : "2D Curve Animation  ";
  if (g.form == FunctionForm::Parametric && (plain || animated)) {
    if (coords == CoordinateSystem::Polar) {
      return curve + "a=" + y + ",r=" + z;
    }
    if (coords == CoordinateSystem::Cartesian) {
      return curve + "x=" + y + ",y=" + z;
    }
  }
  if (g.form == FunctionForm::Explicit) {
    if (plain || animated) {
      if (coords == CoordinateSystem::Polar) {
        return curve + "r=" + z;
      }
      if (coords == CoordinateSystem::Cartesian) {
        return curve + "y=" + z;
      }
    }
    if (coords == CoordinateSystem::Cartesian &&
        (kind == GraphKind::CurveAndSecondCurve || kind == GraphKind::StepOrStemPlot)) {
      return ExplicitAnalysisEntryText(g);
    }
  }
  return std::nullopt;
}

std::optional<std::string> ExplicitAnalysisEntryText(const Graph& g) {
  const std::string& z = g.expressionZ;
  if (g.kind == GraphKind::CurveAndSecondCurve) {
    return "Intersection  y=" + z + ", y=" + g.secondCurveExpression;
  }
  if (g.kind != GraphKind::StepOrStemPlot) {
    return std::nullopt;
  }
  if (g.showStepPlot && g.showStemPlot) {
    return "Step & Stem  y=" + z;
  }
  if (g.showStepPlot) {
    return "Step Plot  y=" + z;
  }
  if (g.showStemPlot) {
    return "Stem Plot  y=" + z;
  }
  return std::nullopt;
}

std::optional<std::string> TableEntryText(const Graph& g) {
  switch (g.kind) {
    case GraphKind::Table2D:
      return "2D Table Graph: " + g.name;
    case GraphKind::Table25D:
      return "2.5D Table Graph: " + g.name;
    case GraphKind::Table3D:
      return "3D Table Graph: " + g.name;
    default:
      return std::nullopt;
  }
}

std::optional<std::string> NewGraphEntryText(const Graph& g) {
  const std::string& y = g.expressionY;
  const std::string& z = g.expressionZ;
  if (g.coordinates == CoordinateSystem::Cartesian) {
    switch (g.form) {
      case FunctionForm::Equation:
        return "2D Curve  " + z + "=0";
      case FunctionForm::Explicit:
        return "2D Curve  y=" + z;
      case FunctionForm::Parametric:
        return "2D Curve  x=" + y + ", y=" + z;
      case FunctionForm::Inequation:
        return "Inequation  " + z + "<0";
      default:
        return std::nullopt;
    }
  }
  if (g.coordinates == CoordinateSystem::Polar) {
    switch (g.form) {
      case FunctionForm::Explicit:
        return "2D Curve  r=" + z;
      case FunctionForm::Parametric:
        return "2D Curve  a=" + y + ", r=" + z;
      default:
        return std::nullopt;
    }
  }
  return std::nullopt;
}

std::string FallbackEntryText(const Graph& g) {
  const bool planeCurve = g.kind == GraphKind::PlaneCurve && IsPlaneSystem(g.coordinates);
  if (planeCurve && g.form == FunctionForm::Equation) {
    return "2D Curve  " + g.expressionZ + "=0";
  }
  if (planeCurve && g.form == FunctionForm::Inequation) {
    return "Inequation  " + g.expressionZ + "<0";
  }
  std::string text = "Graph kind " + std::to_string(static_cast<std::int32_t>(g.kind));
  if (!g.name.empty()) {
    text += ": " + g.name;
  }
  return text;
}

}  // namespace quillon
