#include "scene/graph_drawing.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>

#include "expr/undefined_mark.h"
#include "graph/graph.h"
#include "graph/plot_point.h"
#include "scene/certified_drawing.h"
#include "scene/material.h"
#include "scene/picture_capture.h"

namespace quillon {

namespace {

bool DrawsCurve(const Graph& graph) {
  const GraphKind kind = graph.kind;
  const FunctionForm form = graph.form;
  const bool curveKind = kind == GraphKind::PlaneCurve || kind == GraphKind::AnimatedCurve ||
                         kind == GraphKind::CurveAndSecondCurve ||
                         kind == GraphKind::StepOrStemPlot;
  return curveKind && (form == FunctionForm::Explicit || form == FunctionForm::Parametric);
}

bool Defined(const GridPoint& p) {
  return p.x != UndefinedMark && p.y != UndefinedMark && p.z != UndefinedMark;
}

void SetColor(std::int32_t color) {
  const ColorFractions c = ColorToRGB(color);
  glColor3d(c.red, c.green, c.blue);
}

// Sends the segments of the curve Vert3D(0, 0..last) as one GL_LINES batch.
// Same pixels as one primitive per segment: lines are rasterised segment by
// segment either way.
void EmitSegments(const PointGrid& grid, std::int32_t last) {
  static const GridPoint kFreshPoint;
  const GridPoint* stored = grid.Stored() ? grid.Data() + grid.Index(0, 0) : nullptr;
  const std::size_t stride = grid.Index(0, 1) - grid.Index(0, 0);
  auto pointAt = [&](std::int32_t i) -> const GridPoint& {
    if (stored != nullptr) {
      return stored[static_cast<std::size_t>(i) * stride];
    }
    const GridPoint* p = grid.Find(0, i);
    return p != nullptr ? *p : kFreshPoint;
  };

  glBegin(GL_LINES);
  const GridPoint* p = &pointAt(0);
  for (std::int32_t i = 0; i < last; ++i) {
    const GridPoint* q = &pointAt(i + 1);
    const bool degenerate = p->x == q->x && p->y == q->y && p->z == q->z;
    if (!degenerate && Defined(*p) && Defined(*q)) {
      glVertex3f(p->x, p->y, p->z);
      glVertex3f(q->x, q->y, q->z);
    }
    p = q;
  }
  glEnd();
}

void DrawCurve(const Graph& graph) {
  const PointGrid& grid = graph.Points();
  if (grid.Upper(0) < 0) {
    return;  // never sampled: no points to join
  }
  // A grid shorter than StepV (sampling failed half way) is drawn as far as
  // it reaches.
  const std::int32_t last = std::min(graph.stepsV, grid.Upper(1));
  if (last < 1) {
    return;
  }
  BeginCurveLines(graph);
  EmitSegments(grid, last);
  EndCurveLines();
}

// Rim point k (0..20) of a circle of radius r around (x, y) in the plane z = 0.
void RimVertex(float x, float y, float r, int k) {
  const double angle = k * 31416 / 100000.0;
  glVertex3d(x + r * std::cos(angle), y + r * std::sin(angle), 0);
}

void DrawDisc(const PlotPoint& point, float radius) {
  glBegin(GL_TRIANGLES);
  for (int k = 0; k < 20; ++k) {
    RimVertex(point.x, point.y, radius, k);
    RimVertex(point.x, point.y, radius, k + 1);
    glVertex3f(point.x, point.y, point.z);
  }
  glEnd();
}

float SymbolLineWidth(float size) {
  return size > 0 ? size : 1.0f;
}

}  // namespace

void BeginCurveLines(const Graph& graph) {
  glDisable(GL_LIGHTING);
  // Smoothed lines blend into the alpha channel too; the frame must stay
  // opaque where a window system composites it, so alpha is not written.
  glPushAttrib(GL_COLOR_BUFFER_BIT);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
  glEnable(GL_LINE_SMOOTH);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
  // A width below 1 is not a width OpenGL accepts; it would keep whatever
  // width was set last, so it draws as 1.
  SetLineWidth(std::max(graph.lineWidth, 1));
  SetColor(graph.lineColor);
}

void EndCurveLines() {
  glPopAttrib();
  glEnable(GL_LIGHTING);
  glDisable(GL_LINE_SMOOTH);
  glDisable(GL_BLEND);
}

ColorFractions ColorToRGB(std::int32_t color) {
  const std::uint32_t c = static_cast<std::uint32_t>(color) & 0xFFFFFFu;
  return {(c & 0xFFu) / 255.0, ((c >> 8) & 0xFFu) / 255.0, ((c >> 16) & 0xFFu) / 255.0};
}

void DrawGraph(const Graph& graph, CertifiedDrawing* exact) {
  glEnable(GL_COLOR_MATERIAL);
  glColorMaterial(GL_FRONT_AND_BACK,
                  graph.material == MaterialPreset::Emissive ? GL_EMISSION : GL_DIFFUSE);
  Material material;
  material.SetMaterial(graph.material);
  if (DrawsCurve(graph) && (exact == nullptr || !exact->Place(graph))) {
    DrawCurve(graph);
  }
}

void DrawPoint(const PlotPoint& point, DocumentKind documentKind) {
  const float x = point.x;
  const float y = point.y;
  const float size = point.size;
  glPushMatrix();
  if (documentKind != DocumentKind::Plane) {
    SetColor(point.color);
    glTranslatef(x, y, point.z);
    GLUquadric* quadric = gluNewQuadric();
    if (quadric != nullptr) {
      gluSphere(quadric, size * 5 / 100 + 5.0 / 100, 32, 32);
      gluDeleteQuadric(quadric);
    }
    glPopMatrix();
    return;
  }
  const float s = size * 5 / 100;
  const float t = size * 7.5f / 100;
  switch (point.symbol) {
    case PointSymbol::Disc:
      SetColor(point.color);
      DrawDisc(point, size * 5 / 100 + 5.0f / 100);
      break;
    case PointSymbol::Circle: {
      const float rim = size * 4 / 100 + 5.0f / 100;
      glColor3f(1, 1, 1);
      DrawDisc(point, rim);
      SetLineWidth(SymbolLineWidth(size));
      SetColor(point.color);
      glBegin(GL_LINES);
      for (int k = 0; k < 20; ++k) {
        RimVertex(x, y, rim, k);
        RimVertex(x, y, rim, k + 1);
      }
      glEnd();
      break;
    }
    case PointSymbol::Square:
      SetColor(point.color);
      glBegin(GL_QUADS);
      glVertex2f(x - s, y + s);
      glVertex2f(x - s, y - s);
      glVertex2f(x + s, y - s);
      glVertex2f(x + s, y + s);
      glEnd();
      break;
    case PointSymbol::Triangle:
      SetColor(point.color);
      glBegin(GL_TRIANGLES);
      glVertex3f(x, y + t, 0);
      glVertex3f(x - t, y - t, 0);
      glVertex3f(x + t, y - t, 0);
      glEnd();
      break;
    case PointSymbol::Diamond:
      SetColor(point.color);
      glBegin(GL_QUADS);
      glVertex2f(x, y + t);
      glVertex2f(x - t, y);
      glVertex2f(x, y - t);
      glVertex2f(x + t, y);
      glEnd();
      break;
    case PointSymbol::Plus:
      SetLineWidth(SymbolLineWidth(size));
      SetColor(point.color);
      glBegin(GL_LINES);
      glVertex3f(x, y + t, 0);
      glVertex3f(x, y - t, 0);
      glVertex3f(x - t, y, 0);
      glVertex3f(x + t, y, 0);
      glEnd();
      break;
    default:
      break;
  }
  glPopMatrix();
}

}  // namespace quillon
