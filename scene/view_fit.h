// Fitting the view of a plane document to its graphs: the part of the plane
// a camera shows, whether a curve has a point there, and the fit of Zoom to
// Fit. World units throughout; the camera looks down -z with +y up.
#pragma once

namespace quillon {

class Box;
class Camera;
class Graph;

// The rectangle of the plane z = 0 that the camera's visible region covers.
struct ViewRegion {
  float minX = 0;
  float maxX = 0;
  float minY = 0;
  float maxY = 0;
};

ViewRegion VisibleRegion(const Camera& view);

// Whether an explicit or parametric plane curve has a sampled point with a
// value inside the region (its edges included). Other graphs, and curves
// without any point with a value, count as inside: nothing says where they
// are.
bool CurveMeetsRegion(const Graph& graph, const ViewRegion& region);

// Centres the view on the box and sizes the visible region so that the box
// fills `share` (0 to 1) of the drawing area along the direction it fills
// most: its width against the area's width, its height and depth against
// the area's height. A box without a positive size changes nothing.
void FitView(Camera& view, const Box& box, float share);

}  // namespace quillon
