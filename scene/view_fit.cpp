#include "scene/view_fit.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "expr/undefined_mark.h"
#include "graph/box.h"
#include "graph/graph.h"
#include "scene/camera.h"

namespace quillon {

ViewRegion VisibleRegion(const Camera& view) {
  const PlotPoint& centre = view.RefPos();
  const float halfWidth = view.VolWidth() / 2;
  const float halfHeight = view.VolHeight() / 2;
  return {centre.x - halfWidth, centre.x + halfWidth, centre.y - halfHeight, centre.y + halfHeight};
}

bool CurveMeetsRegion(const Graph& graph, const ViewRegion& region) {
  const bool curve =
      graph.kind == GraphKind::PlaneCurve &&
      (graph.form == FunctionForm::Explicit || graph.form == FunctionForm::Parametric);
  const PointGrid& points = graph.Points();
  if (!curve || !points.Allocated()) {
    return true;
  }
  bool anyValue = false;
  // A plane curve's point i is the cell (0, i).
  for (std::int32_t i = 0; i <= points.Upper(1); ++i) {
    const GridPoint* point = points.Find(0, i);
    if (point == nullptr || point->x == UndefinedMark || point->y == UndefinedMark) {
      continue;
    }
    anyValue = true;
    if (point->x >= region.minX && point->x <= region.maxX && point->y >= region.minY &&
        point->y <= region.maxY) {
      return true;
    }
  }
  return !anyValue;
}

void FitView(Camera& view, const Box& box, float share) {
  const float width = box.MaxX() - box.MinX();
  const float height = std::max(box.MaxY() - box.MinY(), box.MaxZ() - box.MinZ());
  // ZoomAll centres the view on the box; the height follows from whichever
  // of the box's width and height meets the area's edges first.
  view.ZoomAll(box.MinX(), box.MinY(), box.MinZ(), box.MaxX(), box.MaxY(), box.MaxZ());
  const float aspect = view.ScreenWidth() / std::max(view.ScreenHeight(), 1.0f);
  const float needed = std::max(height, aspect > 0 ? width / aspect : width);
  if (!(needed > 0) || !std::isfinite(needed) || !(share > 0)) {
    return;
  }
  view.SetViewRect(needed / share * aspect, needed / share);
}

}  // namespace quillon
