#include "scene/analysis_drawing.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "graph/analysis_overlay.h"
#include "graph/graph.h"
#include "graph/graph_collection.h"
#include "scene/camera.h"
#include "scene/graph_drawing.h"
#include "scene/outline_font.h"
#include "scene/picture_capture.h"
#include "scene/scene.h"

namespace quillon {

namespace {

// A full turn in radians.
constexpr double kTurn = 6.283185307179586;
// Opacity of the integral's tint.
constexpr double kIntegralOpacity = 0.3;
// The integral's label: its height in pixels and its gap above the x axis.
constexpr double kLabelPixels = 12;

bool AnalysesAnything(const Graph& g) {
  return g.showRoots || g.showMaxima || g.showMinima || g.showInflections || g.showIntersections ||
         g.showDerivative || g.showIntegral || g.showTangentLines || g.showNormalLines;
}

bool MarksPoints(const Graph& g) {
  return g.showRoots || g.showMaxima || g.showMinima || g.showInflections || g.showIntersections;
}

bool MarksKind(const Graph& g, PointOfInterestKind kind, std::int32_t& color, std::int32_t& size,
               PointSymbol& symbol) {
  switch (kind) {
    case PointOfInterestKind::Root:
      color = g.rootColor, size = g.rootSize, symbol = g.rootSymbol;
      return g.showRoots;
    case PointOfInterestKind::Minimum:
      color = g.minimumColor, size = g.minimumSize, symbol = g.minimumSymbol;
      return g.showMinima;
    case PointOfInterestKind::Maximum:
      color = g.maximumColor, size = g.maximumSize, symbol = g.maximumSymbol;
      return g.showMaxima;
    case PointOfInterestKind::Inflection:
      color = g.inflectionColor, size = g.inflectionSize, symbol = g.inflectionSymbol;
      return g.showInflections;
    case PointOfInterestKind::Intersection:
      color = g.intersectionColor, size = g.intersectionSize, symbol = g.intersectionSymbol;
      return g.showIntersections;
    case PointOfInterestKind::YIntercept:
      break;
  }
  return false;
}

// A mark of `size` pixels across at (x, y); rx and ry are world units per
// pixel.
void DrawMark(double x, double y, PointSymbol symbol, std::int32_t size, double rx, double ry) {
  const double half = std::max(size, 2) / 2.0;
  const double w = half * rx;
  const double h = half * ry;
  constexpr int kRim = 16;
  switch (symbol) {
    case PointSymbol::Circle:
      SetLineWidth(1);
      glBegin(GL_LINE_LOOP);
      for (int k = 0; k < kRim; ++k) {
        const double angle = kTurn * k / kRim;
        glVertex3d(x + w * std::cos(angle), y + h * std::sin(angle), 0);
      }
      glEnd();
      return;
    case PointSymbol::Square:
      glBegin(GL_QUADS);
      glVertex3d(x - w, y - h, 0);
      glVertex3d(x + w, y - h, 0);
      glVertex3d(x + w, y + h, 0);
      glVertex3d(x - w, y + h, 0);
      glEnd();
      return;
    case PointSymbol::Triangle:
      glBegin(GL_TRIANGLES);
      glVertex3d(x, y + h, 0);
      glVertex3d(x - w, y - h, 0);
      glVertex3d(x + w, y - h, 0);
      glEnd();
      return;
    case PointSymbol::Diamond:
      glBegin(GL_QUADS);
      glVertex3d(x, y - h, 0);
      glVertex3d(x + w, y, 0);
      glVertex3d(x, y + h, 0);
      glVertex3d(x - w, y, 0);
      glEnd();
      return;
    case PointSymbol::Plus:
      SetLineWidth(1);
      glBegin(GL_LINES);
      glVertex3d(x - w, y, 0);
      glVertex3d(x + w, y, 0);
      glVertex3d(x, y - h, 0);
      glVertex3d(x, y + h, 0);
      glEnd();
      return;
    default:
      glBegin(GL_POLYGON);
      for (int k = 0; k < kRim; ++k) {
        const double angle = kTurn * k / kRim;
        glVertex3d(x + w * std::cos(angle), y + h * std::sin(angle), 0);
      }
      glEnd();
      return;
  }
}

void DrawLine(const OverlayLine& line) {
  glBegin(GL_LINES);
  glVertex3d(line.from.x, line.from.y, 0);
  glVertex3d(line.to.x, line.to.y, 0);
  glEnd();
}

void DrawPieces(const std::vector<std::vector<OverlayPoint>>& pieces) {
  for (const auto& piece : pieces) {
    glBegin(GL_LINE_STRIP);
    for (const OverlayPoint& p : piece) {
      glVertex3d(p.x, p.y, 0);
    }
    glEnd();
  }
}

// The tint between the x axis and the outline.
void DrawArea(const std::vector<std::vector<OverlayPoint>>& pieces) {
  for (const auto& piece : pieces) {
    glBegin(GL_QUAD_STRIP);
    for (const OverlayPoint& p : piece) {
      glVertex3d(p.x, 0, 0);
      glVertex3d(p.x, p.y, 0);
    }
    glEnd();
  }
}

// What the kept points and integrals depend on: each graph's text, range,
// integral range and which of them it asks for.
std::string GraphsKey(const std::vector<const Graph*>& graphs) {
  std::string key;
  for (const Graph* g : graphs) {
    key += std::to_string(g->id) + '|' + g->expressionZ + '|' + std::to_string(g->minV) + '|' +
           std::to_string(g->maxV) + '|' + std::to_string(g->integralFrom) + '|' +
           std::to_string(g->integralTo) + '|' + (MarksPoints(*g) ? '1' : '0') +
           (g->showIntegral ? '1' : '0') + (AnalysesAnything(*g) ? '1' : '0') + ';';
  }
  return key;
}

}  // namespace

void AnalysisDrawing::Draw(const Scene& scene, const Camera& view, const PixelScale& scale,
                           std::uint32_t font) {
  std::vector<const Graph*> graphs;
  bool any = false;
  for (const auto& entry : scene.Graphs()) {
    if (HasPointsOfInterest(*entry.second)) {
      graphs.push_back(entry.second.get());
      any = any || AnalysesAnything(*entry.second);
    }
  }
  if (!any || !(scale.x > 0) || !(scale.y > 0)) {
    return;
  }
  const std::string key = GraphsKey(graphs);
  if (key != key_) {
    key_ = key;
    found_.clear();
    for (const Graph* g : graphs) {
      if (!AnalysesAnything(*g)) {
        continue;
      }
      Found found;
      found.id = g->id;
      if (MarksPoints(*g)) {
        found.points = FindPointsOfInterest(*g, graphs).points;
      }
      if (g->showIntegral) {
        found.integral = AnalysisOverlay(*g).Integral(g->integralFrom, g->integralTo);
      }
      found_.push_back(std::move(found));
    }
  }

  const double rx = 1 / scale.x;
  const double ry = 1 / scale.y;
  OverlayView area;
  area.left = view.RefPos().x - view.VolWidth() / 2.0;
  area.right = view.RefPos().x + view.VolWidth() / 2.0;
  area.bottom = view.RefPos().y - view.VolHeight() / 2.0;
  area.top = view.RefPos().y + view.VolHeight() / 2.0;
  area.pixelWidth = rx;
  area.pixelHeight = ry;

  glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_LINE_BIT);
  glDisable(GL_LIGHTING);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  for (const Graph* g : graphs) {
    const auto found =
        std::find_if(found_.begin(), found_.end(), [g](const Found& f) { return f.id == g->id; });
    if (found == found_.end()) {
      continue;
    }
    const AnalysisOverlay overlay(*g);
    if (g->showIntegral) {
      const ColorFractions rgb = ColorToRGB(g->integralColor);
      glColor4d(rgb.red, rgb.green, rgb.blue, kIntegralOpacity);
      DrawArea(overlay.IntegralOutline(g->integralFrom, g->integralTo, area));
      if (found->integral && font != 0) {
        const double middle = (g->integralFrom + g->integralTo) / 2.0;
        glColor4d(rgb.red, rgb.green, rgb.blue, 1);
        glPushMatrix();
        glTranslated(middle, kLabelPixels * ry, 0);
        glScaled(kLabelPixels * rx / 0.7, kLabelPixels * ry / 0.7, kLabelPixels * ry / 0.7);
        PrintText(font, "S = " + CertainDigits(*found->integral), 0, 0, 0, {0, 0, 0, 1});
        glPopMatrix();
      }
    }
    if (g->showDerivative) {
      SetGLColor(g->derivativeColor);
      SetLineWidth(std::max(g->derivativeWidth, 1));
      DrawPieces(overlay.Derivative(area));
    }
    const struct {
      bool shown;
      std::int32_t color, width;
      const PositionList& at;
      bool normal;
    } lines[] = {
        {g->showTangentLines, g->tangentLineColor, g->tangentLineWidth, g->tangentLinePositions,
         false},
        {g->showNormalLines, g->normalLineColor, g->normalLineWidth, g->normalLinePositions, true}};
    for (const auto& kind : lines) {
      if (!kind.shown) {
        continue;
      }
      SetGLColor(kind.color);
      SetLineWidth(std::max(kind.width, 1));
      for (std::int32_t i = 1; i <= std::min(kind.at.count, PositionList::kUpper); ++i) {
        const double x = kind.at.at[static_cast<std::size_t>(i)];
        const std::optional<OverlayLine> line =
            kind.normal ? overlay.Normal(x, area) : overlay.Tangent(x, area);
        if (line) {
          DrawLine(*line);
        }
      }
    }
    for (const PointOfInterest& point : found->points) {
      std::int32_t color = 0;
      std::int32_t size = 0;
      PointSymbol symbol = PointSymbol::Disc;
      if (MarksKind(*g, point.kind, color, size, symbol)) {
        SetGLColor(color);
        DrawMark(point.x, point.y, symbol, size, rx, ry);
      }
    }
  }
  glPopAttrib();
  SetLineWidth(1);
}

}  // namespace quillon
