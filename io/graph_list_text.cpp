#include "io/graph_list_text.h"

#include "graph/graph.h"

namespace quillon {

std::optional<std::string> OpenedGraphEntryText(const Graph& g, std::int32_t docType) {
  if (docType != 1) {
    return std::nullopt;
  }
  const std::string& y = g.ExpressY();
  const std::string& z = g.ExpressZ();
  const std::int32_t kind = g.GraphType();
  const std::int32_t coords = g.CoordType();
  const bool plain = kind == 0;
  const bool animated = kind == 9;
  const std::string curve = plain ? "2D Curve  " : "2D Curve Animation  ";
  if (g.FunForm() == 3 && (plain || animated)) {
    if (coords == 2) {
      return curve + "a=" + y + ",r=" + z;
    }
    if (coords == 1) {
      return curve + "x=" + y + ",y=" + z;
    }
  }
  if (g.FunForm() == 2) {
    if (plain || animated) {
      if (coords == 2) {
        return curve + "r=" + z;
      }
      if (coords == 1) {
        return curve + "y=" + z;
      }
    }
    if (coords == 1 && (kind == 20 || kind == 23)) {
      return ExplicitAnalysisEntryText(g);
    }
  }
  return std::nullopt;
}

std::optional<std::string> ExplicitAnalysisEntryText(const Graph& g) {
  const std::string& z = g.ExpressZ();
  if (g.GraphType() == 20) {
    return "Intersection  y=" + z + ", y=" + g.Exp2();
  }
  if (g.GraphType() != 23) {
    return std::nullopt;
  }
  if (g.ShowStep() && g.ShowStem()) {
    return "Step & Stem  y=" + z;
  }
  if (g.ShowStep()) {
    return "Step Plot  y=" + z;
  }
  if (g.ShowStem()) {
    return "Stem Plot  y=" + z;
  }
  return std::nullopt;
}

std::optional<std::string> TableEntryText(const Graph& g) {
  switch (g.GraphType()) {
    case 4:
      return "2D Table Graph: " + g.NameS();
    case 5:
      return "2.5D Table Graph: " + g.NameS();
    case 6:
      return "3D Table Graph: " + g.NameS();
    default:
      return std::nullopt;
  }
}

std::optional<std::string> NewGraphEntryText(const Graph& g) {
  const std::string& y = g.ExpressY();
  const std::string& z = g.ExpressZ();
  if (g.CoordType() == 1) {
    switch (g.FunForm()) {
      case 1:
        return "2D Curve  " + z + "=0";
      case 2:
        return "2D Curve  y=" + z;
      case 3:
        return "2D Curve  x=" + y + ", y=" + z;
      case 4:
        return "Inequation  " + z + "<0";
      default:
        return std::nullopt;
    }
  }
  if (g.CoordType() == 2) {
    switch (g.FunForm()) {
      case 2:
        return "2D Curve  r=" + z;
      case 3:
        return "2D Curve  a=" + y + ", r=" + z;
      default:
        return std::nullopt;
    }
  }
  return std::nullopt;
}

std::string FallbackEntryText(const Graph& g) {
  const bool planeCurve = g.GraphType() == 0 && (g.CoordType() == 1 || g.CoordType() == 2);
  if (planeCurve && g.FunForm() == 1) {
    return "2D Curve  " + g.ExpressZ() + "=0";
  }
  if (planeCurve && g.FunForm() == 4) {
    return "Inequation  " + g.ExpressZ() + "<0";
  }
  std::string text = "Graph kind " + std::to_string(g.GraphType());
  if (!g.NameS().empty()) {
    text += ": " + g.NameS();
  }
  return text;
}

}  // namespace quillon
