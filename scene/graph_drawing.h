// Drawing of one graph record and of one point record into the current
// OpenGL context, in world units. The scene calls DrawGraph for each graph
// it shows while its display list is compiled.
#pragma once

#include <cstdint>

#include "graph/graph_kinds.h"

namespace quillon {

struct PlotPoint;
class Graph;
class CertifiedDrawing;

// A colour value split into fractions 0..1. Only the low 24 bits count
// (red 0..7, green 8..15, blue 16..23): negative or system colour values
// are read through their low 24 bits.
struct ColorFractions {
  double red = 0;
  double green = 0;
  double blue = 0;
};
ColorFractions ColorToRGB(std::int32_t color);

// The line state of a plane curve: smoothed, blended lines of the graph's
// lineWidth (at least 1 pixel) and lineColor, lighting off, alpha not
// written. EndCurveLines turns back what BeginCurveLines changed.
void BeginCurveLines(const Graph& graph);
void EndCurveLines();

// Draws a graph: colour material on the diffuse colour (the emission colour
// for the emissive material), the graph's material, and for plane curves,
// animated curves, curves with a second curve and step or stem plots in
// explicit or parametric form the curve Points() (0, 0..stepsV) as smoothed
// segments in lineColor and lineWidth pixels, the same for every animation
// step. A segment touching an undefined coordinate is left out, as is a
// segment of zero length. Leaves lighting and colour material on, line
// smoothing and blending off. With `exact`, a curve it draws exactly is
// placed there instead of drawn from its segments (certified_drawing.h).
void DrawGraph(const Graph& graph, CertifiedDrawing* exact = nullptr);

// Draws a point as its symbol in plane documents (PointSymbol; None and
// unknown codes draw nothing) or as a sphere in every other document kind.
void DrawPoint(const PlotPoint& point, DocumentKind documentKind);

}  // namespace quillon
