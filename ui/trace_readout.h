// TraceReadout: what the status bar reads out of the drawing area. Without
// Trace, the world point under the mouse; with Trace, the point of the
// selected curve at the mouse (or moved from there by the arrow keys),
// which the drawing area marks. Positions are device pixels of the drawing
// area from its top left; points are world units.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "graph/curve_trace.h"
#include "scene/camera.h"

namespace quillon {

class Graph;

class TraceReadout {
 public:
  bool Tracing() const { return tracing_; }
  // Turning Trace off forgets the traced point.
  void Tracing(bool on);

  // The mouse at (column, row) of view, over `graph` (the selected graph,
  // null for none): the status bar's text.
  std::string PointerAt(double column, double row, const Camera& view, const Graph* graph);
  // The mouse left the drawing area: the status bar's text, empty unless a
  // traced point stays.
  std::string PointerLeft() const;
  // Moves the traced point by `steps` pixels of x (y = f(x)) or stored
  // points (the other forms), from the last one or from the view's centre.
  std::string Step(int steps, const Camera& view, const Graph* graph);
  // Moves the traced point of y = f(x) to the next point of interest in
  // direction (+1 right, -1 left): roots, extrema, inflection points, the
  // y-intercept and the intersections with `others`. It stays where none
  // lies that way, and on the other forms, which have none.
  std::string StepToPointOfInterest(int direction, const Camera& view, const Graph* graph,
                                    const std::vector<const Graph*>& others);
  // The selection or the graphs changed: the point for the graph now
  // selected, where the last one was.
  std::string Retrace(const Camera& view, const Graph* graph);

  // Where the drawing area marks the traced point; none when not tracing
  // or the point is undefined.
  std::optional<PlanePoint> Marker() const;

 private:
  // Moves the traced point (found first where there is none) to where `to`
  // takes it from there; where it gives none, the point and text stay.
  std::string Move(
      const Camera& view, const Graph* graph,
      const std::function<std::optional<TracedPoint>(const CurveTrace&, const TracedPoint&)>& to);
  std::string TraceText(const CurveTrace& trace, const Graph& graph, const Camera& view);

  bool tracing_ = false;
  // The world point the trace last followed, and the point it found.
  std::optional<PlanePoint> followed_;
  std::optional<TracedPoint> traced_;
  std::string tracedText_;
};

}  // namespace quillon
