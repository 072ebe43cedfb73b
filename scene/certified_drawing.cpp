#include "scene/certified_drawing.h"

#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <cmath>

#include "expr/undefined_mark.h"
#include "graph/graph.h"
#include "scene/graph_drawing.h"
#include "scene/scene.h"

namespace quillon {

struct CertifiedDrawing::Curve {
  const Graph* graph = nullptr;
  CurveRefiner refiner;
  std::uint32_t list = 0;
  // The region and pixel size the list was refined for; nothing while the
  // list is empty or draws the stored points.
  std::optional<CurveView> refinedFor;
  bool plain = false;

  explicit Curve(const Graph& g) : graph(&g), refiner(g) {}
};

namespace {

void EmitRuns(const RefinedCurve& curve) {
  for (std::size_t run = 0; run < curve.RunCount(); ++run) {
    glBegin(GL_LINE_STRIP);
    for (std::size_t i = curve.RunBegin(run); i < curve.runEnds[run]; ++i) {
      const GridPoint& p = curve.points[i];
      glVertex3f(p.x, p.y, p.z);
    }
    glEnd();
  }
}

bool Defined(const GridPoint& p) {
  return p.x != UndefinedMark && p.y != UndefinedMark && p.z != UndefinedMark;
}

// The stored points joined where both ends are defined, as the plain
// drawing joins them.
void EmitStoredSegments(const Graph& graph) {
  const PointGrid& grid = graph.Points();
  const std::int32_t last = std::min(graph.stepsV, grid.Upper(1));
  glBegin(GL_LINES);
  for (std::int32_t i = 0; i < last && grid.Stored(); ++i) {
    const GridPoint& p = grid.Data()[grid.Index(0, i)];
    const GridPoint& q = grid.Data()[grid.Index(0, i + 1)];
    if (p != q && Defined(p) && Defined(q)) {
      glVertex3f(p.x, p.y, p.z);
      glVertex3f(q.x, q.y, q.z);
    }
  }
  glEnd();
}

// The view widened by half its size on every side: the region a curve is
// refined over, so that panning within it needs no refinement.
CurveView Widened(const CurveView& view) {
  CurveView region = view;
  const double halfWidth = (view.maxX - view.minX) / 2;
  const double halfHeight = (view.maxY - view.minY) / 2;
  region.minX -= halfWidth;
  region.maxX += halfWidth;
  region.minY -= halfHeight;
  region.maxY += halfHeight;
  return region;
}

bool Holds(const CurveView& region, const CurveView& view) {
  return region.pixelWidth == view.pixelWidth && region.pixelHeight == view.pixelHeight &&
         region.marginPixels == view.marginPixels && region.minX <= view.minX &&
         view.maxX <= region.maxX && region.minY <= view.minY && view.maxY <= region.maxY;
}

}  // namespace

CertifiedDrawing::CertifiedDrawing() = default;

CertifiedDrawing::~CertifiedDrawing() = default;

namespace {

bool DrawnCurveKind(const Graph& graph) {
  const GraphKind kind = graph.kind;
  const bool curveKind = kind == GraphKind::PlaneCurve || kind == GraphKind::CurveAndSecondCurve ||
                         kind == GraphKind::StepOrStemPlot;
  const bool form = graph.form == FunctionForm::Explicit || graph.form == FunctionForm::Parametric;
  return curveKind && form && IsPlaneSystem(graph.coordinates);
}

}  // namespace

bool CertifiedDrawing::Place(const Graph& graph) {
  for (const std::unique_ptr<Curve>& curve : curves_) {
    if (curve->graph == &graph) {
      glCallList(curve->list);
      return true;
    }
  }
  if (!DrawnCurveKind(graph)) {
    return false;
  }
  auto curve = std::make_unique<Curve>(graph);
  if (!curve->refiner.Handles()) {
    return false;
  }
  // Names are given at once, even while a list is being compiled.
  curve->list = glGenLists(1);
  if (curve->list == 0) {
    return false;
  }
  glCallList(curve->list);
  curves_.push_back(std::move(curve));
  return true;
}

std::optional<CurveView> CertifiedDrawing::CurrentView() {
  std::array<GLdouble, 16> projection{};
  std::array<GLdouble, 16> modelview{};
  std::array<GLint, 4> viewport{};
  glGetDoublev(GL_PROJECTION_MATRIX, projection.data());
  glGetDoublev(GL_MODELVIEW_MATRIX, modelview.data());
  glGetIntegerv(GL_VIEWPORT, viewport.data());
  // Clip coordinates of (x, y, 0, 1): column c of projection x modelview.
  auto entry = [&](int row, int column) {
    double sum = 0;
    for (int k = 0; k < 4; ++k) {
      sum += projection[static_cast<std::size_t>(k * 4 + row)] *
             modelview[static_cast<std::size_t>(column * 4 + k)];
    }
    return sum;
  };
  const double ax = entry(0, 0), bx = entry(0, 1), cx = entry(0, 3);
  const double ay = entry(1, 0), by = entry(1, 1), cy = entry(1, 3);
  const double aw = entry(3, 0), bw = entry(3, 1), cw = entry(3, 3);
  const bool aligned = ax != 0 && by != 0 && std::fabs(bx) <= 1e-9 * std::fabs(ax) &&
                       std::fabs(ay) <= 1e-9 * std::fabs(by) && cw > 0 &&
                       std::fabs(aw) <= 1e-12 * cw && std::fabs(bw) <= 1e-12 * cw;
  if (!aligned || viewport[2] <= 0 || viewport[3] <= 0) {
    return std::nullopt;
  }
  // Normalised device coordinates -1 and 1 are the viewport's edges.
  CurveView view;
  const double x0 = (-cw - cx) / ax;
  const double x1 = (cw - cx) / ax;
  const double y0 = (-cw - cy) / by;
  const double y1 = (cw - cy) / by;
  view.minX = std::min(x0, x1);
  view.maxX = std::max(x0, x1);
  view.minY = std::min(y0, y1);
  view.maxY = std::max(y0, y1);
  view.pixelWidth = (view.maxX - view.minX) / viewport[2];
  view.pixelHeight = (view.maxY - view.minY) / viewport[3];
  if (!(view.pixelWidth > 0) || !(view.pixelHeight > 0) || !std::isfinite(view.maxX - view.minX) ||
      !std::isfinite(view.maxY - view.minY)) {
    return std::nullopt;
  }
  return view;
}

void CertifiedDrawing::Prepare(const std::optional<CurveView>& view, const Scene& scene) {
  for (const std::unique_ptr<Curve>& curve : curves_) {
    // A graph the scene no longer holds may be gone: its list stays as it
    // is until the lists are compiled again.
    const bool shown =
        std::any_of(scene.Graphs().begin(), scene.Graphs().end(),
                    [&](const auto& entry) { return entry.second.get() == curve->graph; });
    if (!shown) {
      continue;
    }
    const Graph& graph = *curve->graph;
    if (!view) {
      if (!curve->plain) {
        glNewList(curve->list, GL_COMPILE);
        BeginCurveLines(graph);
        EmitStoredSegments(graph);
        EndCurveLines();
        glEndList();
      }
      curve->plain = true;
      curve->refinedFor.reset();
      continue;
    }
    CurveView wanted = *view;
    wanted.marginPixels = std::max(graph.lineWidth, 1) / 2.0 + 2;
    if (curve->refinedFor && Holds(*curve->refinedFor, wanted)) {
      continue;
    }
    const CurveView region = Widened(wanted);
    const std::optional<RefinedCurve> refined = curve->refiner.Refine(region);
    ++refinements_;
    glNewList(curve->list, GL_COMPILE);
    BeginCurveLines(graph);
    if (refined) {
      EmitRuns(*refined);
    } else {
      EmitStoredSegments(graph);  // a text that fails when evaluated
    }
    EndCurveLines();
    glEndList();
    curve->plain = !refined;
    curve->refinedFor = region;
  }
}

void CertifiedDrawing::Clear() {
  for (const std::unique_ptr<Curve>& curve : curves_) {
    glDeleteLists(curve->list, 1);
  }
  curves_.clear();
}

}  // namespace quillon
