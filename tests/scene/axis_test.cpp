// The coordinate axis drawn into off-screen frames: lines, ticks, arrow
// heads, labels and letters of the plane axis, the box axes and the framed
// plane, and the kinds that draw nothing.

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

#include "drawing_test_support.h"
#include "scene/axis.h"
#include "scene/axis_layout.h"
#include "scene/outline_font.h"
#include "support/codes.h"

namespace quillon {
namespace {

using testing::CountNonWhite;
using testing::kWhite;
using testing::PixelView;
using testing::Probe;

struct Bounds {
  float MinX, MaxX, MinY, MaxY, MinZ, MaxZ;
};

Box ToBox(const Bounds& bounds) {
  Box box;
  box.MinX(bounds.MinX);
  box.MaxX(bounds.MaxX);
  box.MinY(bounds.MinY);
  box.MaxY(bounds.MaxY);
  box.MinZ(bounds.MinZ);
  box.MaxZ(bounds.MaxZ);
  return box;
}

// x from -5.3 to 4.2, y from -3.7 to 2.5, seen at 40 pixels a unit.
constexpr Bounds kSmallBox{-5.3f, 4.2f, -3.7f, 2.5f, 0, 0};
constexpr PixelView kSmallView{-10, -7.5, 40};
// The box of the box-axis tests; their grid lines are red.
constexpr Bounds kBox{-4.f, 6.f, -3.f, 5.f, 0, 3};
constexpr std::uint32_t kGrid = 0xFF0000u;
constexpr std::uint32_t kInk = testing::kAnyInk;

class AxisFrame : public testing::FontFrame {
 public:
  // Compiles the axis into a list as the frame does, and shows it, turned
  // by yaw degrees about the y axis (90: world z runs along the screen's x).
  FrameImage Draw(const Axis& axis, const Bounds& box, std::int32_t docType,
                  const PixelView& view = kSmallView, double yaw = 0) {
    Begin(view);
    glRotated(yaw, 0, 1, 0);
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    axis.Draw(ToBox(box), testing::AsDocument(docType), fonts_,
              {view.pixelsPerUnit, view.pixelsPerUnit});
    glEndList();
    glCallList(list);
    glDeleteLists(list, 1);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    return context_->ReadFrame();
  }
};

Axis GridAxis() {
  Axis axis;
  axis.yzGridColor = axis.xzGridColor = axis.xyGridColor = Axis::Rgb(255, 0, 0);
  return axis;
}

// The plane axis for x -12.3..4.2, y -10.6..2.5 (floats) at 30 pixels a
// unit: ticks 8 pixels long on the whole numbers Int(Min) .. Int(Max) + 1;
// heads 12 pixels long and 8 across, their tips 10 pixels past the lines'
// ends, moved down (x) or left (y) by a fifth of a pixel per extra pixel of
// AxisWidth; axis lines 2.1 past the box.
TEST(AxisLayout, PlaneAxisGeometry) {
  const double px = 1.0 / 30;
  const auto expectSegment = [](const AxisSegment& s, double x1, double y1, double x2, double y2) {
    EXPECT_NEAR(s.from.x, x1, 1e-5);
    EXPECT_NEAR(s.from.y, y1, 1e-5);
    EXPECT_NEAR(s.to.x, x2, 1e-5);
    EXPECT_NEAR(s.to.y, y2, 1e-5);
  };
  for (const std::int32_t width : {1, 3}) {
    SCOPED_TRACE(width);
    const double o = (width - 1) * 0.2 * px;
    Axis axis;
    axis.width = width;
    const AxisLayout layout =
        LayOutPlaneAxis(axis, ToBox({-12.3f, 4.2f, -10.6f, 2.5f, 0, 0}), {30, 30});
    ASSERT_EQ(layout.ticks.size(), 19u + 15u);
    for (int x = -13; x <= 5; ++x)
      expectSegment(layout.ticks[static_cast<std::size_t>(x + 13)], x, 0, x, 8 * px);
    for (int y = -11; y <= 3; ++y)
      expectSegment(layout.ticks[static_cast<std::size_t>(y + 11 + 19)], 0, y, 8 * px, y);
    ASSERT_EQ(layout.heads.size(), 2u);
    const double xTip = 6.3 + 10 * px, yTip = 4.6 + 10 * px;
    const std::array<std::array<AxisPoint, 3>, 2> heads{
        {{{{xTip, -o}, {xTip - 12 * px, 4 * px - o}, {xTip - 12 * px, -4 * px - o}}},
         {{{-o, yTip}, {4 * px - o, yTip - 12 * px}, {-4 * px - o, yTip - 12 * px}}}}};
    for (std::size_t h = 0; h < 2; ++h) {
      for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_NEAR(layout.heads[h][k].x, heads[h][k].x, 1e-5) << h << k;
        EXPECT_NEAR(layout.heads[h][k].y, heads[h][k].y, 1e-5) << h << k;
      }
    }
    ASSERT_EQ(layout.lines.size(), 2u);
    expectSegment(layout.lines[0], -14.4, 0, 6.3, 0);
    expectSegment(layout.lines[1], 0, -12.7, 0, 4.6);
  }
}

// Axis lines and heads take the axis colour; ticks and labels stay black
// (smoothed label edges grey). The axis splits a colour as red = c mod 256,
// green = (c div 256) mod 256, blue = c div 65536, so values outside 24 bits
// give fractions OpenGL clamps.
TEST_F(AxisFrame, PlaneAxisColours) {
  const std::pair<std::int32_t, std::uint32_t> cases[] = {{Axis::Rgb(0, 128, 255), 0x0080FFu},
                                                          {-1, 0x000000u},
                                                          {0x01000000 + 0x8000 + 0xFF, 0xFF80FFu}};
  for (const auto& [color, expected] : cases) {
    SCOPED_TRACE(color);
    Axis axis;
    axis.color = color;
    const FrameImage image = Draw(axis, kSmallBox, 1);
    const std::vector<Probe> probes = {{-3.5, 0, expected},
                                       {0, 1.5, expected},
                                       {6.35, -0.03, expected},
                                       {-3, 0.1, 0},
                                       {0.1, -3, 0}};
    ExpectProbes(image, probes);
    std::int64_t coloured = 0;  // in the label "-4"
    for (std::int32_t row = view_.Row(-0.1); row <= view_.Row(-0.3); ++row) {
      for (std::int32_t column = view_.Column(-4.15); column <= view_.Column(-3.85); ++column) {
        const std::uint32_t rgb = testing::RgbAt(image, column, row);
        coloured += (rgb >> 16) != (rgb & 0xFF) || ((rgb >> 8) & 0xFF) != (rgb & 0xFF) ? 1 : 0;
      }
    }
    EXPECT_GT(InkIn(image, -4.15, -0.3, -3.85, -0.1), 10);
    EXPECT_EQ(coloured, 0);
  }
}

// Kinds 4, 5 and 6 draw as 1, 2 and 3; kinds outside 1..7 draw nothing.
TEST_F(AxisFrame, DocumentKindSelectsTheAxis) {
  const Bounds box{-4.f, 6.f, -3.f, 5.f, -2.f, 2.f};
  for (const auto& [kind, same] : {std::pair{4, 1}, {5, 2}, {6, 3}}) {
    EXPECT_EQ(Draw(Axis(), box, kind).Rgba, Draw(Axis(), box, same).Rgba) << kind;
  }
  EXPECT_EQ(CountNonWhite(Draw(Axis(), box, 0)), 0);
  EXPECT_EQ(CountNonWhite(Draw(Axis(), box, 8)), 0);
}

// A box needing more than 501 positions along an axis gets ticks and labels
// at the first 501 (Int(Min) + 0 .. Int(Min) + 500) and none beyond; the
// axis lines still span the whole box, to the far head.
TEST_F(AxisFrame, HugeBoxStopsAfter501Positions) {
  const Bounds box{-10000.f, 10000.f, -10000.f, 10000.f, 0, 0};
  FrameImage image = Draw(Axis(), box, 1, {-9503, -3, 100});
  ExpectProbes(image, {{-9500, 0.04, kInk}, {-9499, 0.04, kWhite}, {-9499, 0, kInk}});
  EXPECT_GT(InkIn(image, -9500.2, -0.12, -9499.8, -0.04), 50);  // "-9500"
  EXPECT_EQ(InkIn(image, -9499.2, -0.12, -9498.8, -0.04), 0);   // no "-9499"
  image = Draw(Axis(), box, 1, {-4, -9503, 100});
  ExpectProbes(image, {{0.04, -9500, kInk}, {0.04, -9499, kWhite}, {0, -9499, kInk}});
  image = Draw(Axis(), box, 1, {9998, -3, 100});
  ExpectProbes(image, {{10002.15, 0, kInk}, {9999, 0.04, kWhite}});
}

// Whatever the kind and the box, drawing leaves blending and smoothing off,
// lighting on, colour tracking off and all four colour channels writable,
// so the frame stays opaque. Boxes the label arithmetic cannot hold draw
// what fits or nothing, never crash: boxes wider than any integer,
// undefined or infinite sides (nothing), and an inverted (empty-scene) box.
TEST_F(AxisFrame, AnyBoxLeavesTheContextAsTheFrameExpects) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  const float big = 9999999.f;
  const std::tuple<Bounds, bool, bool> cases[] = {
      {kSmallBox, true, true},
      {kSmallBox, false, true},
      {{-1e30f, 1e30f, -1e30f, 1e30f, -1e30f, 1e30f}, true, true},
      {{nan, 1, -1, 1, 0, 0}, true, false},
      {{-1, inf, -1, 1, 0, 0}, true, false},
      {{big, -big, big, -big, big, -big}, false, true}};
  for (const auto& [box, betterFonts, drawsSomething] : cases) {
    for (const std::int32_t kind : {1, 2, 3, 7}) {
      SCOPED_TRACE(::testing::Message() << box.MinX << ".." << box.MaxX << ", kind " << kind
                                        << (betterFonts ? " smoothed" : " plain"));
      Axis axis;
      axis.betterFonts = betterFonts;
      axis.showXYPanel = true;
      axis.width = 2;
      const FrameImage image = Draw(axis, box, kind);
      EXPECT_TRUE(testing::IsOpaque(image));
      EXPECT_TRUE(drawsSomething || CountNonWhite(image) == 0);
      EXPECT_FALSE(glIsEnabled(GL_BLEND) || glIsEnabled(GL_LINE_SMOOTH) ||
                   glIsEnabled(GL_POLYGON_SMOOTH) || glIsEnabled(GL_COLOR_MATERIAL));
      EXPECT_TRUE(glIsEnabled(GL_LIGHTING) || !drawsSomething);
      std::array<GLboolean, 4> mask{};
      glGetBooleanv(GL_COLOR_WRITEMASK, mask.data());
      EXPECT_EQ(mask, (std::array<GLboolean, 4>{GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE}));
      glDisable(GL_LIGHTING);
    }
  }
}

// The box axis of kind 2, seen from the front: grids on the back wall at the
// grid steps (LabelNum 2: x at -4, 1, 6; y at -3, 1, 5), each switched by its
// own flag; black ticks 0.3 long below and left of the box, with labels; no
// axis lines; the box's depth is ignored.
TEST_F(AxisFrame, BoxAxisGridsAndTicks) {
  const Bounds deep{-4.f, 6.f, -3.f, 5.f, -20.f, 20.f};
  Axis axis = GridAxis();
  FrameImage image = Draw(axis, deep, 2);
  const std::vector<Probe> probes = {
      {1, 3, kGrid},  {6, 3, kGrid}, {3.5, 1, kGrid}, {3.5, 5, kGrid}, {3.5, 3, kWhite},
      {0, 3, kWhite}, {1, -3.15, 0}, {-4.15, 1, 0},   {6.15, -3, 0},   {-4.35, 1, kWhite}};
  ExpectProbes(image, probes);
  EXPECT_GT(InkIn(image, 0.5, -4.1, 1.5, -3.45), 10);   // label "1" under its tick
  EXPECT_GT(InkIn(image, -5.5, 0.75, -4.5, 1.25), 10);  // label "1" left of its tick
  EXPECT_EQ(Draw(axis, {-4.f, 6.f, -3.f, 5.f, 1.f, 2.f}, 2).Rgba, image.Rgba);
  axis.showYZYGrid = false;
  ExpectProbes(Draw(axis, deep, 2), {{1, 3, kWhite}, {3.5, 1, kGrid}});
  axis.showYZZGrid = false;
  ExpectProbes(Draw(axis, deep, 2), {{3.5, 1, kWhite}});
}

// Kind 3 adds the three blue axes through the origin and the cones at their
// ends.
TEST_F(AxisFrame, BoxAxisWithAxesThroughTheOrigin) {
  const Bounds box{-4.f, 6.f, -3.f, 5.f, -2.f, 2.f};
  ExpectProbes(Draw(Axis(), box, 3),
               {{0, 3, 0x0000FFu}, {-2.5, 0, 0x0000FFu}, {6.25, 0, kInk}, {0, 5.25, kInk}});
  ExpectProbes(Draw(Axis(), box, 2), {{6.25, 0, kWhite}});
}

// Label counts beyond the table stop at index 500; counts of 0 and below
// draw one grid line at the minimum or none, without dividing by zero.
TEST_F(AxisFrame, BoxAxisLabelCountsAreBounded) {
  Axis axis = GridAxis();
  axis.labelStepsY = 1000;  // xStep = 1 over 0..1000
  ExpectProbes(Draw(axis, {0.f, 1000.f, -3.f, 3.f, 0, 3}, 2, {497, -7.5, 40}),
               {{499, 1.5, kGrid}, {500, 1.5, kGrid}, {501, 1.5, kWhite}});
  const std::tuple<std::int32_t, bool, bool> cases[] = {
      {2, true, true},
      {0, true, false},
      {-1, false, false},
      {std::numeric_limits<std::int32_t>::max(), true, false}};
  for (const auto& [count, lineAtMinimum, lineInside] : cases) {
    SCOPED_TRACE(count);
    axis.labelStepsX = axis.labelStepsY = axis.labelStepsZ = count;
    ExpectProbes(Draw(axis, kBox, 3), {{-2.5, 0, 0x0000FFu},
                                       {-4, 3, lineAtMinimum ? kInk : kWhite},
                                       {1, 3, lineInside ? kInk : kWhite}});
  }
}

// Each step follows its own label count: z steps LabelNumX, y steps
// LabelNumZ. Seen from the side (world z along the screen's x), the depth
// 0..3 in thirds and y -3..5 in quarters show as grid lines on the wall at
// MinX.
TEST_F(AxisFrame, BoxAxisStepsFollowTheirLabelCounts) {
  Axis axis = GridAxis();
  axis.labelStepsX = 3;
  axis.labelStepsZ = 4;
  const std::vector<Probe> probes = {{1, 2, kGrid},    {2, 2, kGrid},   {1.5, 2, kWhite},
                                     {0.5, -1, kGrid}, {0.5, 1, kGrid}, {0.5, -0.3, kWhite}};
  ExpectProbes(Draw(axis, kBox, 2, kSmallView, 90), probes);
}

// Kind 7: a frame 0.1 inside the box's x and z bounds at depth MinY, in the
// axis colour; black ticks 6 pixels long below and left of it, and its
// labels ("0" included) inked inside their margins; seen from the front the
// depth changes nothing.
TEST_F(AxisFrame, FramedPlaneAxis) {
  // World x -4.5..4.5, z -2.5..3.5, drawn in the plane z = MinY = 0.5.
  const Bounds box{-4.5f, 4.5f, 0.5f, 9.f, -2.5f, 3.5f};
  Axis axis;
  axis.color = Axis::Rgb(0, 0, 255);
  const FrameImage image = Draw(axis, box, 7);
  const std::vector<Probe> probes = {
      {0.5, -2.4, 0x0000FFu}, {0.5, 3.4, 0x0000FFu}, {-4.4, 0.5, 0x0000FFu}, {4.4, 0.5, 0x0000FFu},
      {0.5, 0.5, kWhite},     {-4, -2.47, 0},        {4, -2.47, 0},          {1, -2.47, 0},
      {-3.5, -2.47, kWhite},  {-4.47, -2, 0},        {-4.47, 3, 0},          {-4.47, 0.5, kWhite}};
  ExpectProbes(image, probes);
  const AxisLayout layout = LayOutFramedAxis(axis, ToBox(box), {40, 40});
  EXPECT_EQ(layout.labels.size(), 9u + 6u + 2u);
  for (const AxisLabel& label : layout.labels) {
    EXPECT_GT(
        InkIn(image, label.marginLow.x, label.marginLow.y, label.marginHigh.x, label.marginHigh.y),
        8)
        << label.text;
  }
  EXPECT_EQ(Draw(axis, {-4.5f, 4.5f, -3.f, 9.f, -2.5f, 3.5f}, 7).Rgba, image.Rgba);
}

}  // namespace
}  // namespace quillon
