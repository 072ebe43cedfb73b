// The analysis overlays of the shown explicit Cartesian graphs, drawn over
// each frame of the plane view: marks at the points of interest each graph
// asks for (in their colour, symbol and size in pixels), the derivative as
// a curve, tangent and normal lines at the listed positions, and the
// integral from..to as a tinted area labelled with its certified value.
// Points of interest and integrals depend on the graphs alone, so they are
// found once for a set of graphs and kept; the rest follows the view.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "expr/interval.h"
#include "graph/points_of_interest.h"
#include "scene/axis.h"

namespace quillon {

class Camera;
class Graph;
class Scene;

class AnalysisDrawing {
 public:
  // Draws the overlays of scene's graphs for view, whose pixels measure
  // scale; labels print with font (0: none).
  void Draw(const Scene& scene, const Camera& view, const PixelScale& scale, std::uint32_t font);

 private:
  struct Found {
    std::int32_t id = 0;
    std::vector<PointOfInterest> points;
    std::optional<Interval> integral;
  };
  // What the kept results were found for; a change finds them again.
  std::string key_;
  std::vector<Found> found_;
};

}  // namespace quillon
