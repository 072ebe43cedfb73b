// Axis::Draw: the coordinate axis as OpenGL calls, compiled into the scene's
// display list, or drawn for each frame from its layout when it follows the
// view (axis_layout.h). All coordinates are world units of the graphs.

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "scene/axis.h"
#include "scene/axis_layout.h"
#include "scene/material.h"
#include "scene/outline_font.h"
#include "scene/picture_capture.h"

namespace quillon {
namespace {

// Text is printed black and upright.
const std::array<float, 4> kUpright{0, 0, 0, 1};
const std::string kBlackText = "0";
// Width of one digit of a label once printed (0.556 em scaled by 0.7).
constexpr double kDigitWidth = 0.556 * 0.7;

bool AllFinite(std::initializer_list<float> values) {
  return std::all_of(values.begin(), values.end(), [](float v) { return std::isfinite(v); });
}

double EstimatedWidth(const std::string& text) {
  return static_cast<double>(text.size()) * kDigitWidth;
}

GLfloat ToGL(double value) {
  return static_cast<GLfloat>(value);
}

void Vertex(double x, double y, double z) {
  glVertex3d(x, y, z);
}

// Smoothed lines and polygons write their coverage into alpha; the frame's
// alpha stays 1 so the window system never sees it as translucent.
void BeginBlending(GLenum sourceFactor) {
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
  glEnable(GL_BLEND);
  glBlendFunc(sourceFactor, GL_ONE_MINUS_SRC_ALPHA);
}

void EndBlending() {
  glDisable(GL_BLEND);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
}

void BeginSmoothLines() {
  glEnable(GL_LINE_SMOOTH);
  BeginBlending(GL_SRC_ALPHA);
  glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
}

void EndSmoothLines() {
  glDisable(GL_LINE_SMOOTH);
  EndBlending();
}

void BeginSmoothText(bool betterFonts) {
  if (betterFonts) {
    glEnable(GL_POLYGON_SMOOTH);
    BeginBlending(GL_SRC_ALPHA_SATURATE);
    glHint(GL_POLYGON_SMOOTH_HINT, GL_NICEST);
  }
}

void EndSmoothText(bool betterFonts) {
  if (betterFonts) {
    glDisable(GL_POLYGON_SMOOTH);
    EndBlending();
  }
}

// The axis's own split of a colour value: red = c mod 256, green =
// (c div 256) mod 256, blue = c div 65536 (cut toward zero), each over 255.
// Outside 0..16777215 the fractions leave 0..1 and OpenGL clamps them.
void SetAxisColor(std::int32_t color) {
  glColor4d((color % 256) / 255.0, (color / 256 % 256) / 255.0, (color / 65536) / 255.0, 1.0);
}

// glLineWidth refuses widths below 1 (and keeps the old one); a stored
// width of 0 or less draws hairlines.
void LineWidth(std::int32_t pixels) {
  SetLineWidth(std::max(pixels, 1));
}

void PrintLabel(std::uint32_t font, const std::string& text, double x, double y, double z) {
  PrintText(font, text, ToGL(x), ToGL(y), ToGL(z), kUpright, kBlackText);
}

// ---- axes that follow the view ------------------------------------------------

void Vertex(const AxisPoint& point, double depth) {
  glVertex3d(point.x, point.y, depth);
}

void Segments(const std::vector<AxisSegment>& segments, double depth) {
  glBegin(GL_LINES);
  for (const AxisSegment& segment : segments) {
    Vertex(segment.from, depth);
    Vertex(segment.to, depth);
  }
  glEnd();
}

// Sends a layout in this order: ticks, heads, lines, then the labels' white
// margins, their glyphs and the minus bars.
void DrawLayout(const Axis& axis, const AxisLayout& layout, const TextFonts& fonts) {
  const double depth = layout.depth;
  glDisable(GL_LIGHTING);
  LineWidth(1);
  glColor3f(0, 0, 0);
  Segments(layout.ticks, depth);

  LineWidth(axis.width);
  SetAxisColor(axis.color);
  BeginSmoothLines();
  for (const auto& head : layout.heads) {
    // The same three points as lines make one smoothed segment, tip to the
    // second corner; the third point has no partner.
    for (const GLenum mode : {GLenum{GL_TRIANGLES}, GLenum{GL_LINES}}) {
      glBegin(mode);
      for (const AxisPoint& point : head) {
        Vertex(point, depth);
      }
      glEnd();
    }
  }
  EndSmoothLines();
  Segments(layout.lines, depth);

  if (layout.labels.empty()) {
    glEnable(GL_LIGHTING);
    return;
  }
  glColor3f(1, 1, 1);
  glBegin(GL_QUADS);
  for (const AxisLabel& label : layout.labels) {
    Vertex(label.marginLow, depth);
    Vertex({label.marginHigh.x, label.marginLow.y}, depth);
    Vertex(label.marginHigh, depth);
    Vertex({label.marginLow.x, label.marginHigh.y}, depth);
  }
  glEnd();

  // PrintText prints 1 em at 0.7 units; the scale makes it the layout's em.
  BeginSmoothText(axis.betterFonts);
  for (const AxisLabel& label : layout.labels) {
    glPushMatrix();
    glTranslated(label.baseline.x, label.baseline.y, depth);
    glScaled(layout.emAcross / 0.7, layout.emUp / 0.7, layout.emUp / 0.7);
    PrintText(label.letter ? fonts.BoldFontBase : fonts.FontBase, label.text, 0, 0, 0, kUpright,
              kBlackText);
    glPopMatrix();
  }
  EndSmoothText(axis.betterFonts);
  glColor3f(0, 0, 0);
  Segments(layout.minusBars, depth);
  glEnable(GL_LIGHTING);
}

// ---- box axes of space documents -------------------------------------------

// Evenly spaced grid positions first + i * step for i = 0..last.
struct GridSteps {
  double first = 0;
  double step = 0;
  std::int64_t last = -1;

  GridSteps(double minimum, double maximum, std::int32_t count) : first(minimum) {
    // A count of 0 would divide by zero: one position, at the minimum.
    step = count > 0 ? (maximum - minimum) / count : 0;
    last = count >= 0 ? LastDrawnIndex(count) : -1;
  }
  double At(std::int64_t i) const { return first + static_cast<double>(i) * step; }
};

// A grid position as a label: at most two decimals, no trailing zeros.
std::string GridLabel(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.2f", value);
  std::string label = text;
  while (!label.empty() && label.back() == '0') {
    label.pop_back();
  }
  if (!label.empty() && label.back() == '.') {
    label.pop_back();
  }
  return label == "-0" ? "0" : label;
}

void Quad(const std::array<double, 3>& normal,
          const std::array<std::array<double, 3>, 4>& corners) {
  glBegin(GL_QUADS);
  glNormal3d(normal[0], normal[1], normal[2]);
  for (const auto& corner : corners) {
    Vertex(corner[0], corner[1], corner[2]);
  }
  glEnd();
}

void DrawBoxAxis(const Axis& axis, double MinX, double MaxX, double MinY, double MaxY, double MinZ,
                 double MaxZ, bool withAxisLines, const TextFonts& fonts) {
  // Each step goes with the label count listed beside it; the pairing is
  // what stored documents were made with.
  const GridSteps zSteps(MinZ, MaxZ, axis.labelStepsX);
  const GridSteps xSteps(MinX, MaxX, axis.labelStepsY);
  const GridSteps ySteps(MinY, MaxY, axis.labelStepsZ);

  glColorMaterial(GL_FRONT_AND_BACK, GL_DIFFUSE);
  glEnable(GL_COLOR_MATERIAL);
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  Material material;
  if (axis.showYZPanel) {
    material.SetMaterial(axis.yzPanelMaterial);
    SetAxisColor(axis.yzPanelColor);
    Quad({0, 0, 1},
         {{{MinX, MinY, MinZ}, {MaxX, MinY, MinZ}, {MaxX, MaxY, MinZ}, {MinX, MaxY, MinZ}}});
  }
  if (axis.showXZPanel) {
    material.SetMaterial(axis.xzPanelMaterial);
    SetAxisColor(axis.xzPanelColor);
    Quad({1, 0, 0},
         {{{MinX, MinY, MinZ}, {MinX, MaxY, MinZ}, {MinX, MaxY, MaxZ}, {MinX, MinY, MaxZ}}});
  }
  if (axis.showXYPanel) {
    material.SetMaterial(axis.xyPanelMaterial);
    SetAxisColor(axis.xyPanelColor);
    Quad({0, 1, 0},
         {{{MinX, MinY, MinZ}, {MinX, MinY, MaxZ}, {MaxX, MinY, MaxZ}, {MaxX, MinY, MinZ}}});
  }

  glDisable(GL_COLOR_MATERIAL);
  glDisable(GL_LIGHTING);
  BeginSmoothLines();
  LineWidth(1);
  glBegin(GL_LINES);
  SetAxisColor(axis.yzGridColor);
  if (axis.showYZYGrid) {
    for (std::int64_t i = 0; i <= xSteps.last; ++i) {
      Vertex(xSteps.At(i), MinY, MinZ);
      Vertex(xSteps.At(i), MaxY, MinZ);
    }
  }
  if (axis.showYZZGrid) {
    for (std::int64_t i = 0; i <= ySteps.last; ++i) {
      Vertex(MinX, ySteps.At(i), MinZ);
      Vertex(MaxX, ySteps.At(i), MinZ);
    }
  }
  SetAxisColor(axis.xzGridColor);
  if (axis.showXZXGrid) {
    for (std::int64_t i = 0; i <= zSteps.last; ++i) {
      Vertex(MinX, MinY, zSteps.At(i));
      Vertex(MinX, MaxY, zSteps.At(i));
    }
  }
  if (axis.showXZZGrid) {
    for (std::int64_t i = 0; i <= ySteps.last; ++i) {
      Vertex(MinX, ySteps.At(i), MinZ);
      Vertex(MinX, ySteps.At(i), MaxZ);
    }
  }
  SetAxisColor(axis.xyGridColor);
  if (axis.showXYXGrid) {
    for (std::int64_t i = 0; i <= zSteps.last; ++i) {
      Vertex(MinX, MinY, zSteps.At(i));
      Vertex(MaxX, MinY, zSteps.At(i));
    }
  }
  if (axis.showXYYGrid) {
    for (std::int64_t i = 0; i <= xSteps.last; ++i) {
      Vertex(xSteps.At(i), MinY, MinZ);
      Vertex(xSteps.At(i), MinY, MaxZ);
    }
  }
  glEnd();
  EndSmoothLines();

  // Ticks point away from the three walls (at MinX, MinY, MinZ): x ticks hang
  // below the front floor edge, y ticks stick out left of the front wall
  // edge, z ticks out to the right along the floor's right edge.
  constexpr double kTick = 0.3;
  constexpr double kGap = 0.15;        // between a tick's end and its label
  constexpr double kTextHeight = 0.5;  // a digit printed at scale 0.7
  glColor3f(0, 0, 0);
  glBegin(GL_LINES);
  for (std::int64_t i = 0; i <= xSteps.last; ++i) {
    Vertex(xSteps.At(i), MinY, MaxZ);
    Vertex(xSteps.At(i), MinY - kTick, MaxZ);
  }
  for (std::int64_t i = 0; i <= ySteps.last; ++i) {
    Vertex(MinX, ySteps.At(i), MaxZ);
    Vertex(MinX - kTick, ySteps.At(i), MaxZ);
  }
  for (std::int64_t i = 0; i <= zSteps.last; ++i) {
    Vertex(MaxX, MinY, zSteps.At(i));
    Vertex(MaxX + kTick, MinY, zSteps.At(i));
  }
  glEnd();

  const double xLabelBase = MinY - kTick - kGap - kTextHeight;
  for (std::int64_t i = 0; i <= xSteps.last; ++i) {
    const std::string label = GridLabel(xSteps.At(i));
    PrintLabel(fonts.FontBase, label, xSteps.At(i) - EstimatedWidth(label) / 2, xLabelBase, MaxZ);
  }
  for (std::int64_t i = 0; i <= ySteps.last; ++i) {
    const std::string label = GridLabel(ySteps.At(i));
    PrintLabel(fonts.FontBase, label, MinX - kTick - kGap - EstimatedWidth(label),
               ySteps.At(i) - kTextHeight / 2, MaxZ);
  }
  for (std::int64_t i = 0; i <= zSteps.last; ++i) {
    PrintLabel(fonts.FontBase, GridLabel(zSteps.At(i)), MaxX + kTick + kGap, MinY - kTextHeight / 2,
               zSteps.At(i));
  }
  // Titles: under the x labels at the middle, above the y ticks, and past
  // the last z label.
  PrintLabel(fonts.BoldFontBase, axis.titleX, (MinX + MaxX) / 2 - EstimatedWidth(axis.titleX) / 2,
             xLabelBase - kGap - kTextHeight - 0.2, MaxZ);
  PrintLabel(fonts.BoldFontBase, axis.titleY, MinX - EstimatedWidth(axis.titleY) / 2,
             MaxY + kGap + 0.2, MaxZ);
  PrintLabel(fonts.BoldFontBase, axis.titleZ, MaxX + kTick + kGap, MinY - kTextHeight / 2,
             MaxZ + 0.8);
  glEnable(GL_LIGHTING);

  if (!withAxisLines) {
    return;
  }
  glDisable(GL_LIGHTING);
  BeginSmoothLines();
  glColor3f(0, 0, 1);
  LineWidth(1);
  glBegin(GL_LINES);
  Vertex(0, 0, MinZ);
  Vertex(0, 0, MaxZ);
  Vertex(0, MinY, 0);
  Vertex(0, MaxY, 0);
  Vertex(MinX, 0, 0);
  Vertex(MaxX, 0, 0);
  glEnd();
  // Blending ends with the lines: lit cones carry the material's alpha,
  // which may be 0.
  EndSmoothLines();
  glEnable(GL_LIGHTING);
  glColor3f(1, 0, 0);
  std::unique_ptr<GLUquadric, void (*)(GLUquadric*)> cone(gluNewQuadric(), gluDeleteQuadric);
  if (!cone) {
    return;
  }
  auto drawCone = [&](double x, double y, double z, double angle, double ax, double ay) {
    glPushMatrix();
    glTranslated(x, y, z);
    if (angle != 0) {
      glRotated(angle, ax, ay, 0);
    }
    gluCylinder(cone.get(), 0.2, 0, 0.5, 16, 16);
    glPopMatrix();
  };
  drawCone(0, 0, MaxZ, 0, 0, 0);
  drawCone(MaxX, 0, 0, 90, 0, 1);
  drawCone(0, MaxY, 0, -90, 1, 0);
}

}  // namespace

std::int64_t ThinningFactor(double extentPixels, double spacingPixels, std::int64_t multipleOf) {
  constexpr std::int64_t kLargest = 1'000'000'000'000'000;
  if (!(spacingPixels > 0 && std::isfinite(spacingPixels))) {
    return kLargest;
  }
  const std::int64_t divisor = std::max<std::int64_t>(multipleOf, 1);
  for (std::int64_t decade = 1; decade < kLargest; decade *= 10) {
    for (const std::int64_t mantissa : {1, 2, 5}) {
      const std::int64_t factor = decade * mantissa;
      if (factor % divisor == 0 && static_cast<double>(factor) * spacingPixels >= extentPixels) {
        return factor;
      }
    }
  }
  return kLargest;
}

double Axis::PlaneDepth(const Box& box, DocumentKind documentKind) {
  return documentKind == DocumentKind::Field ? box.MinY() : 0;
}

bool Axis::FollowsTheView(DocumentKind documentKind) {
  return documentKind == DocumentKind::Plane || documentKind == DocumentKind::PlaneVariant ||
         documentKind == DocumentKind::Field;
}

void Axis::Draw(const Box& box, DocumentKind documentKind, const TextFonts& fonts,
                const PixelScale& scale) const {
  const float MinX = box.MinX(), MaxX = box.MaxX(), MinY = box.MinY(), MaxY = box.MaxY();
  const float MinZ = box.MinZ(), MaxZ = box.MaxZ();
  // A box with an infinite or undefined side has no place for an axis.
  if (!AllFinite({MinX, MaxX, MinY, MaxY})) {
    return;
  }
  switch (documentKind) {
    case DocumentKind::Plane:
    case DocumentKind::PlaneVariant:
      DrawLayout(*this, LayOutPlaneAxis(*this, box, scale), fonts);
      break;
    case DocumentKind::Ribbon:
    case DocumentKind::RibbonVariant:
      // These documents keep their depth between 0 and 3 whatever the graphs span.
      DrawBoxAxis(*this, MinX, MaxX, MinY, MaxY, 0, 3, false, fonts);
      break;
    case DocumentKind::Space:
    case DocumentKind::SpaceVariant:
      if (AllFinite({MinZ, MaxZ})) {
        DrawBoxAxis(*this, MinX, MaxX, MinY, MaxY, MinZ, MaxZ, true, fonts);
      }
      break;
    case DocumentKind::Field:
      if (AllFinite({MinZ, MaxZ})) {
        DrawLayout(*this, LayOutFramedAxis(*this, box, scale), fonts);
      }
      break;
    default:
      break;  // no axis for other document kinds
  }
}

}  // namespace quillon
