// Axis::Draw: the coordinate axis as OpenGL calls, compiled into the scene's
// display list, or drawn for each frame when it follows the view (the plane
// axis). All coordinates are world units of the graphs.

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
#include "scene/material.h"
#include "scene/outline_font.h"
#include "scene/picture_capture.h"

namespace quillon {
namespace {

// The label tables of the axis have room for indices 0..500; positions
// beyond the last index are neither labelled nor ticked.
constexpr std::int64_t kLastTableIndex = 500;
// Integer parts are kept within this range, where doubles and 64-bit
// integers are both exact.
constexpr double kLargestWhole = 1e15;
// Text is printed black and upright.
const std::array<float, 4> kUpright{0, 0, 0, 1};
const std::string kBlackText = "0";
// Width of one digit of a label once printed (0.556 em scaled by 0.7).
constexpr double kDigitWidth = 0.556 * 0.7;

// Int(): the largest whole number not above value, clamped to kLargestWhole.
std::int64_t WholeBelow(double value) {
  return static_cast<std::int64_t>(std::clamp(std::floor(value), -kLargestWhole, kLargestWhole));
}

std::int64_t WholeAbove(double value) {
  return static_cast<std::int64_t>(std::clamp(std::ceil(value), -kLargestWhole, kLargestWhole));
}

// Last index to draw for positions 0..count: count, cut to the table's last
// index. A negative count (an inverted box) draws nothing.
std::int64_t LastDrawnIndex(std::int64_t count) {
  return std::min(count, kLastTableIndex);
}

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

// ---- plane axis -------------------------------------------------------------

// Plane labels keep one size on screen: 1 em in pixels, about their size in
// the opening view (40 units over the drawing area of the first window).
constexpr double kLabelEmPixels = 10;
// Free pixels between the axis line and its labels, and between neighbours.
constexpr double kLabelGapPixels = 4;
// The white margin around a label's ink, so that curves do not cross it.
constexpr double kMarginPixels = 2;
// Ticks closer than this are thinned like the labels.
constexpr double kLeastTickPixels = 4;
// Metrics of the fonts in em: digit height and advances (letters of the
// bold font at their widest).
constexpr double kDigitHeightEm = 0.716;
constexpr double kDigitAdvanceEm = 0.556;
constexpr double kMinusAdvanceEm = 0.333;
constexpr double kLetterAdvanceEm = 0.667;
// The bar of "-": from its left to its right end, at this height.
constexpr double kMinusLeftEm = 0.066;
constexpr double kMinusRightEm = 0.267;
constexpr double kMinusHeightEm = 0.26;

double LabelWidthEm(const std::string& text) {
  double width = 0;
  for (const char ch : text) {
    if (ch == '-') {
      width += kMinusAdvanceEm;
    } else {
      width += ch >= '0' && ch <= '9' ? kDigitAdvanceEm : kLetterAdvanceEm;
    }
  }
  return width;
}

// A label of the plane axis: its text, and the left end of its baseline in
// world units.
struct PlaneLabel {
  std::string text;
  double x = 0;
  double y = 0;
};

// Places plane labels in world units for a view of the given pixels per
// unit; the print scale of PrintText (0.7) is undone so that 1 em is
// kLabelEmPixels on screen both ways.
class PlaneLabelLayout {
 public:
  explicit PlaneLabelLayout(const PixelScale& scale) : across_(1 / scale.x), up_(1 / scale.y) {}

  double Across(double pixels) const { return pixels * across_; }
  double Up(double pixels) const { return pixels * up_; }
  double Width(const std::string& text) const {
    return Across(LabelWidthEm(text) * kLabelEmPixels);
  }
  double Height() const { return Up(kDigitHeightEm * kLabelEmPixels); }

  void Margin(const PlaneLabel& label) const {
    const double left = label.x - Across(kMarginPixels);
    const double right = label.x + Width(label.text) + Across(kMarginPixels);
    const double bottom = label.y - Up(kMarginPixels);
    const double top = label.y + Height() + Up(kMarginPixels);
    Vertex(left, bottom, 0);
    Vertex(right, bottom, 0);
    Vertex(right, top, 0);
    Vertex(left, top, 0);
  }

  void Print(std::uint32_t font, const PlaneLabel& label) const {
    glPushMatrix();
    glTranslated(label.x, label.y, 0);
    glScaled(Across(kLabelEmPixels) / 0.7, Up(kLabelEmPixels) / 0.7, Up(kLabelEmPixels) / 0.7);
    PrintText(font, label.text, 0, 0, 0, kUpright, kBlackText);
    glPopMatrix();
  }

  // The bar of "-" is thinner than a pixel and may fall between pixel
  // centres (polygon smoothing is a hint that renderers may ignore); a line
  // always lights its pixels.
  void MinusBar(const PlaneLabel& label) const {
    if (label.text.empty() || label.text.front() != '-') {
      return;
    }
    const double y = label.y + Up(kMinusHeightEm * kLabelEmPixels);
    Vertex(label.x + Across(kMinusLeftEm * kLabelEmPixels), y, 0);
    Vertex(label.x + Across(kMinusRightEm * kLabelEmPixels), y, 0);
  }

 private:
  double across_;  // world units per pixel along x
  double up_;      // and along y
};

bool Usable(double pixelsPerUnit) {
  return pixelsPerUnit > 0 && std::isfinite(pixelsPerUnit);
}

// Ticks and arrow heads keep one size on screen, the size they have at a
// view of this many pixels per unit (the opening view), which is also the
// size they take where the frame's scale is unknown.
constexpr double kOpeningPixelsPerUnit = 20;
// The axis lines reach this far past the box, in world units.
constexpr double kAxisOverhang = 2.1;
constexpr double kTickPixels = 8;
// The head's tip lies this far beyond the end of the axis line, its base
// this far before it, and it is twice the half width across.
constexpr double kHeadTipPixels = 10;
constexpr double kHeadBasePixels = 2;
constexpr double kHeadHalfWidthPixels = 4;

// World units of `pixels` pixels at pixelsPerUnit.
double WorldOf(double pixels, double pixelsPerUnit) {
  return pixels / (Usable(pixelsPerUnit) ? pixelsPerUnit : kOpeningPixelsPerUnit);
}

bool OnStep(std::int64_t position, std::int64_t factor) {
  return position % factor == 0;
}

void DrawPlaneAxis(const Axis& axis, float MinX, float MaxX, float MinY, float MaxY,
                   const TextFonts& fonts, const PixelScale& scale) {
  glDisable(GL_LIGHTING);

  // Unit positions Int(Min) + i for i = 0..n, n = Int(Max) - Int(Min) + 1.
  const std::int64_t firstX = WholeBelow(MinX);
  const std::int64_t firstY = WholeBelow(MinY);
  const std::int64_t lastX = LastDrawnIndex(WholeBelow(MaxX) - firstX + 1);
  const std::int64_t lastY = LastDrawnIndex(WholeBelow(MaxY) - firstY + 1);

  const PlaneLabelLayout layout(scale);
  // Labels lie on drawn ticks; the widest label is at one of the ends.
  const std::int64_t xTickStep = ThinningFactor(kLeastTickPixels, scale.x);
  const std::int64_t yTickStep = ThinningFactor(kLeastTickPixels, scale.y);
  const double widestX =
      std::max(LabelWidthEm(std::to_string(firstX)),
               LabelWidthEm(std::to_string(firstX + std::max<std::int64_t>(lastX, 0))));
  const std::int64_t xLabelStep =
      ThinningFactor(widestX * kLabelEmPixels + kLabelGapPixels, scale.x, xTickStep);
  const std::int64_t yLabelStep =
      ThinningFactor(kDigitHeightEm * kLabelEmPixels + kLabelGapPixels, scale.y, yTickStep);

  LineWidth(1);
  glColor3f(0, 0, 0);
  glBegin(GL_LINES);
  for (std::int64_t i = 0; i <= lastX; ++i) {
    if (OnStep(firstX + i, xTickStep)) {
      const auto x = static_cast<double>(firstX + i);
      Vertex(x, 0, 0);
      Vertex(x, WorldOf(kTickPixels, scale.y), 0);
    }
  }
  for (std::int64_t i = 0; i <= lastY; ++i) {
    if (OnStep(firstY + i, yTickStep)) {
      const auto y = static_cast<double>(firstY + i);
      Vertex(0, y, 0);
      Vertex(WorldOf(kTickPixels, scale.x), y, 0);
    }
  }
  glEnd();

  LineWidth(axis.width);
  SetAxisColor(axis.color);
  BeginSmoothLines();
  // Wider lines grow both ways; the heads move by a fifth of a pixel per
  // extra pixel of width.
  const double shift = (static_cast<double>(axis.width) - 1) * 0.2;
  const double xEnd = MaxX + kAxisOverhang;
  const double yEnd = MaxY + kAxisOverhang;
  const double across = WorldOf(kHeadHalfWidthPixels, scale.y);
  const double up = WorldOf(kHeadHalfWidthPixels, scale.x);
  const double xShift = WorldOf(shift, scale.y);
  const double yShift = WorldOf(shift, scale.x);
  const double xTip = xEnd + WorldOf(kHeadTipPixels, scale.x);
  const double xBase = xEnd - WorldOf(kHeadBasePixels, scale.x);
  const double yTip = yEnd + WorldOf(kHeadTipPixels, scale.y);
  const double yBase = yEnd - WorldOf(kHeadBasePixels, scale.y);
  glPushMatrix();
  const std::array<std::array<double, 2>, 3> xHead{
      {{xTip, -xShift}, {xBase, across - xShift}, {xBase, -across - xShift}}};
  const std::array<std::array<double, 2>, 3> yHead{
      {{-yShift, yTip}, {up - yShift, yBase}, {-up - yShift, yBase}}};
  for (const auto& head : {xHead, yHead}) {
    // The same three points as lines make one smoothed segment, tip to the
    // second corner; the third point has no partner.
    for (const GLenum mode : {GLenum{GL_TRIANGLES}, GLenum{GL_LINES}}) {
      glBegin(mode);
      for (const auto& point : head) {
        Vertex(point[0], point[1], 0);
      }
      glEnd();
    }
  }
  glPopMatrix();
  EndSmoothLines();

  glBegin(GL_LINES);
  Vertex(MinX - kAxisOverhang, 0, 0);
  Vertex(xEnd, 0, 0);
  Vertex(0, MinY - kAxisOverhang, 0);
  Vertex(0, yEnd, 0);
  glEnd();

  if (!Usable(scale.x) || !Usable(scale.y)) {
    glEnable(GL_LIGHTING);
    return;
  }
  // x labels hang below the axis, centred on their ticks; y labels stand
  // left of it, centred on theirs. A y label reaching into the band of the
  // x labels gives way to them.
  const double xBaseline = -layout.Up(kLabelGapPixels) - layout.Height();
  const double xBandBottom = xBaseline - layout.Up(kMarginPixels);
  std::vector<PlaneLabel> labels;
  for (std::int64_t i = 0; i <= lastX; ++i) {
    const std::int64_t position = firstX + i;
    if (position != 0 && OnStep(position, xLabelStep)) {
      std::string text = std::to_string(position);
      const double x = static_cast<double>(position) - layout.Width(text) / 2;
      labels.push_back({std::move(text), x, xBaseline});
    }
  }
  for (std::int64_t i = 0; i <= lastY; ++i) {
    const std::int64_t position = firstY + i;
    const double y = static_cast<double>(position) - layout.Height() / 2;
    const double top = y + layout.Height() + layout.Up(kMarginPixels);
    if (position != 0 && OnStep(position, yLabelStep) && !(position < 0 && top > xBandBottom)) {
      std::string text = std::to_string(position);
      const double x = -layout.Across(kLabelGapPixels) - layout.Width(text);
      labels.push_back({std::move(text), x, y});
    }
  }
  // The letters keep clear of the heads: "X" past the tip, "Y" beside the
  // head, which reaches its half width off its axis.
  const PlaneLabel xLetter{"X", xTip + layout.Across(kLabelGapPixels), xBaseline};
  const PlaneLabel yLetter{"Y", -up - layout.Across(kLabelGapPixels) - layout.Width("Y"), yBase};

  glColor3f(1, 1, 1);
  glBegin(GL_QUADS);
  for (const PlaneLabel& label : labels) {
    layout.Margin(label);
  }
  layout.Margin(xLetter);
  layout.Margin(yLetter);
  glEnd();

  BeginSmoothText(axis.betterFonts);
  for (const PlaneLabel& label : labels) {
    layout.Print(fonts.FontBase, label);
  }
  layout.Print(fonts.BoldFontBase, xLetter);
  layout.Print(fonts.BoldFontBase, yLetter);
  EndSmoothText(axis.betterFonts);
  glColor3f(0, 0, 0);
  glBegin(GL_LINES);
  for (const PlaneLabel& label : labels) {
    layout.MinusBar(label);
  }
  glEnd();

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

// ---- framed plane axis -----------------------------------------------------

// Shift of an x label left of its tick, by the label's length.
double XLabelShift(std::size_t length) {
  if (length > 2) {
    return 0.45;
  }
  return length == 2 ? 0.3 : 0.15;
}

// The plane of a space document seen from the front: screen x is world x,
// screen y is world z, and the frame lies at depth MinY.
void DrawFramedAxis(const Axis& axis, double MinX, double MaxX, double MinY, double MinZ,
                    double MaxZ, const TextFonts& fonts) {
  const double left = MinX + 0.1;
  const double right = MaxX - 0.1;
  const double bottom = MinZ + 0.1;
  const double top = MaxZ - 0.1;
  const double depth = MinY;
  glDisable(GL_LIGHTING);

  LineWidth(axis.width);
  SetAxisColor(axis.color);
  glBegin(GL_LINES);
  const std::array<std::array<double, 2>, 4> corners{
      {{left, bottom}, {right, bottom}, {right, top}, {left, top}}};
  for (std::size_t i = 0; i < corners.size(); ++i) {
    const auto& from = corners[i];
    const auto& to = corners[(i + 1) % corners.size()];
    Vertex(from[0], from[1], depth);
    Vertex(to[0], to[1], depth);
  }
  glEnd();

  // Unit ticks on the whole numbers inside the frame, 0.3 long, outside it.
  constexpr double kTick = 0.3;
  const std::int64_t firstX = WholeAbove(left);
  const std::int64_t lastX = LastDrawnIndex(WholeBelow(right) - firstX);
  const std::int64_t firstZ = WholeAbove(bottom);
  const std::int64_t lastZ = LastDrawnIndex(WholeBelow(top) - firstZ);
  LineWidth(1);
  glColor3f(0, 0, 0);
  glBegin(GL_LINES);
  for (std::int64_t i = 0; i <= lastX; ++i) {
    const auto x = static_cast<double>(firstX + i);
    Vertex(x, bottom, depth);
    Vertex(x, bottom - kTick, depth);
  }
  for (std::int64_t i = 0; i <= lastZ; ++i) {
    const auto z = static_cast<double>(firstZ + i);
    Vertex(left, z, depth);
    Vertex(left - kTick, z, depth);
  }
  glEnd();

  // Labels as on the plane axis, but below and left of the frame, and with a
  // "0" (no axis crosses there).
  BeginSmoothText(axis.betterFonts);
  const double xLabelBase = bottom - kTick - 0.65;
  for (std::int64_t i = 0; i <= lastX; ++i) {
    const std::string label = std::to_string(firstX + i);
    PrintLabel(fonts.FontBase, label, static_cast<double>(firstX + i) - XLabelShift(label.size()),
               xLabelBase, depth);
  }
  for (std::int64_t i = 0; i <= lastZ; ++i) {
    const std::string label = std::to_string(firstZ + i);
    PrintLabel(fonts.FontBase, label, left - kTick - 0.15 - EstimatedWidth(label),
               static_cast<double>(firstZ + i) - 0.25, depth);
  }
  PrintLabel(fonts.BoldFontBase, "X", right + 0.5, xLabelBase, depth);
  PrintLabel(fonts.BoldFontBase, "Y", left - 0.25, top + 0.3, depth);
  EndSmoothText(axis.betterFonts);

  glEnable(GL_LIGHTING);
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

bool Axis::FollowsTheView(DocumentKind documentKind) {
  return documentKind == DocumentKind::Plane || documentKind == DocumentKind::PlaneVariant;
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
      DrawPlaneAxis(*this, MinX, MaxX, MinY, MaxY, fonts, scale);
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
        DrawFramedAxis(*this, MinX, MaxX, MinY, MinZ, MaxZ, fonts);
      }
      break;
    default:
      break;  // no axis for other document kinds
  }
}

}  // namespace quillon
