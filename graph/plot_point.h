// PlotPoint: one sampled point of a graph, with the attributes of the symbol
// that may mark it. Coordinates are world units; any of them may be
// UndefinedMark. Y is the vertical axis of space.
#pragma once

#include <cstdint>

#include "graph/graph_kinds.h"

namespace quillon {

struct PlotPoint {
  float x = 0;
  float y = 0;
  float z = 0;
  // Colour: red in bits 0..7, green 8..15, blue 16..23.
  std::int32_t color = 0;
  float size = 0.15f;
  bool hollow = false;
  bool shown = false;
  PointSymbol symbol = PointSymbol::None;

  friend bool operator==(const PlotPoint& a, const PlotPoint& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z && a.color == b.color && a.size == b.size &&
           a.hollow == b.hollow && a.shown == b.shown && a.symbol == b.symbol;
  }
  friend bool operator!=(const PlotPoint& a, const PlotPoint& b) { return !(a == b); }
};

}  // namespace quillon
