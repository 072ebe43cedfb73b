// Drawing of one graph record and of one point record into the current
// OpenGL context, in world units. The scene calls DrawGraph for each graph
// it shows while its display list is compiled.
#pragma once

#include <cstdint>

namespace quillon {

class PlotPoint;
class Graph;

// A colour value split into fractions 0..1. Only the low 24 bits count
// (red 0..7, green 8..15, blue 16..23): negative or system colour values
// are read through their low 24 bits.
struct ColorFractions {
  double red = 0;
  double green = 0;
  double blue = 0;
};
ColorFractions ColorToRGB(std::int32_t color);

// Draws a graph: colour material on the diffuse colour (the emission colour
// for material 5), the graph's material, and for the plane-curve kinds 0, 9,
// 20 and 23 in explicit or parametric form the curve Vert3D(0, 0..StepV) as
// smoothed segments in LineColor and LineWidth pixels. A segment touching
// an undefined coordinate is left out, as is a segment of zero length.
// Kinds 21 and 22 get StepU 40 (the record keeps it). lngAnimStep is the
// animation step of animated graphs; curves draw the same for every step.
// Leaves lighting and colour material on, line smoothing and blending off.
void DrawGraph(Graph& graph, std::int32_t lngAnimStep = 0);

// Draws a point as its symbol (plane documents, docType 1: 1 disc,
// 2 hollow circle, 3 square, 4 triangle, 5 diamond, 6 plus; others
// nothing) or as a sphere (every other document type).
void DrawPoint(const PlotPoint& point, std::int32_t docType);

}  // namespace quillon
