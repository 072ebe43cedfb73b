// Exact curves: plane curves drawn from their certified refinement for the
// view of the frame (graph/certified_curve.h) as connected line strips,
// instead of as segments between their stored points.
//
// The refinement depends on the view, which changes without the scene's
// lists being compiled again (a pan or zoom only draws another frame). So
// a compiled list holds, for each such curve, a call of the curve's own
// list, and before each frame Prepare fills that list for the frame's view:
// a curve refined for the same pixel size over a region that still holds
// the view keeps its list (panning within half a view reuses it), any other
// is refined again.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "graph/certified_curve.h"

namespace quillon {

class Graph;
class Scene;

class CertifiedDrawing {
 public:
  CertifiedDrawing();
  ~CertifiedDrawing();
  CertifiedDrawing(const CertifiedDrawing&) = delete;
  CertifiedDrawing& operator=(const CertifiedDrawing&) = delete;

  // While a display list is compiled: for a graph drawn exactly, records a
  // call of the graph's own list (filled by Prepare) and returns true; false
  // for any other graph, which the caller draws as before. Drawn exactly
  // are the curves of the kinds DrawGraph draws as curves (but not kind
  // AnimatedCurve), explicit or parametric, Cartesian or polar, whose texts
  // the refinement handles (CurveRefiner::Handles).
  bool Place(const Graph& graph);

  // The view of the plane z = 0 that the current projection, modelview and
  // viewport draw, or nothing when they do not draw it with axis-aligned
  // pixels.
  static std::optional<CurveView> CurrentView();

  // Brings the list of every placed curve that is still a graph of the
  // scene up to date for the view (before the frame's lists are called;
  // needs the context current). Without a view the lists draw the stored
  // points joined, as the plain drawing.
  void Prepare(const std::optional<CurveView>& view, const Scene& scene);

  // Forgets the placed curves and deletes their lists; needs the context
  // that Prepare used current, unless nothing was placed.
  void Clear();

  bool Empty() const { return curves_.empty(); }
  // Refinements made since construction: a cached curve makes none.
  std::size_t Refinements() const { return refinements_; }

 private:
  struct Curve;
  std::vector<std::unique_ptr<Curve>> curves_;
  std::size_t refinements_ = 0;
};

}  // namespace quillon
