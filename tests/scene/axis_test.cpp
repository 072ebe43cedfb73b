// The coordinate axis drawn into off-screen frames: lines, ticks, arrow
// heads, labels and letters of the plane axis, the box axes and the framed
// plane, and the kinds that draw nothing.

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "expr/reporter.h"
#include "offscreen_test_support.h"
#include "scene/axis.h"
#include "scene/outline_font.h"

namespace quillon {
namespace {

using testing::CountNonWhite;
using testing::IsOpaque;
using testing::MakeTestContext;
using testing::RgbAt;

struct Box {
  float MinX, MaxX, MinY, MaxY, MinZ, MaxZ;
};

// What the camera shows: world point (x0, y0) lies on the centre of the
// lower left pixel, and one world unit spans pixelsPerUnit pixels, so whole
// numbers fall on pixel centres when pixelsPerUnit is whole.
struct View {
  double x0 = 0;
  double y0 = 0;
  double pixelsPerUnit = 40;
};

class AxisFrame : public ::testing::Test {
 public:
  void SetUp() override {
    context_ = MakeTestContext(800, 600);
    ASSERT_NE(context_, nullptr);
    fonts_.FontBase = CreateOutlineFont("Arial", -6, 400, false, 0, nullptr);
    fonts_.BoldFontBase = CreateOutlineFont("Arial", -8, 700, false, 0, nullptr);
    ASSERT_NE(fonts_.FontBase, 0u);
    ASSERT_NE(fonts_.BoldFontBase, 0u);
  }

  void Begin(const View& view) {
    view_ = view;
    const double half = 0.5 / view.pixelsPerUnit;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(view.x0 - half, view.x0 - half + 800 / view.pixelsPerUnit, view.y0 - half,
            view.y0 - half + 600 / view.pixelsPerUnit, -100, 100);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    // The frame's fixed state.
    glClearColor(1, 1, 1, 1);
    glClearDepth(1);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_DEPTH_TEST);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  }

  // Compiles the axis into a list as the frame does, and shows it.
  FrameImage Draw(const Cls3& axis, const Box& box, std::int32_t docType, const View& view) {
    Begin(view);
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    axis.Draw(2, box.MinX, box.MaxX, box.MinY, box.MaxY, box.MinZ, box.MaxZ, docType, fonts_);
    glEndList();
    glCallList(list);
    glDeleteLists(list, 1);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    return context_->ReadFrame();
  }

  std::int32_t Column(double x) const {
    return static_cast<std::int32_t>(std::lround((x - view_.x0) * view_.pixelsPerUnit));
  }
  std::int32_t Row(double y) const {
    return 599 - static_cast<std::int32_t>(std::lround((y - view_.y0) * view_.pixelsPerUnit));
  }
  bool Inside(std::int32_t column, std::int32_t row) const {
    return column >= 0 && column < 800 && row >= 0 && row < 600;
  }
  // True when the pixel holding world point (x, y) is drawn (not white).
  bool InkAt(const FrameImage& image, double x, double y) const {
    return Inside(Column(x), Row(y)) && RgbAt(image, Column(x), Row(y)) != 0xFFFFFFu;
  }
  std::uint32_t ColourAt(const FrameImage& image, double x, double y) const {
    return RgbAt(image, Column(x), Row(y));
  }
  // Drawn pixels in the world rectangle [x1, x2] x [y1, y2].
  int InkIn(const FrameImage& image, double x1, double y1, double x2, double y2) const {
    int count = 0;
    for (std::int32_t row = Row(y2); row <= Row(y1); ++row) {
      for (std::int32_t column = Column(x1); column <= Column(x2); ++column) {
        count += Inside(column, row) && RgbAt(image, column, row) != 0xFFFFFFu ? 1 : 0;
      }
    }
    return count;
  }

  std::unique_ptr<OffscreenContext> context_;
  TextFonts fonts_;
  View view_;
};

// x from -5.3 to 4.2, y from -3.7 to 2.5, seen at 40 pixels a unit.
constexpr Box kSmallBox{-5.3f, 4.2f, -3.7f, 2.5f, 0, 0};
constexpr View kSmallView{-10, -7.5, 40};

struct Probe {
  const char* what;
  double x;
  double y;
  bool ink;
};

void ExpectProbes(const AxisFrame& frame, const FrameImage& image,
                  const std::vector<Probe>& probes) {
  for (const Probe& probe : probes) {
    SCOPED_TRACE(std::string(probe.what) + " at " + std::to_string(probe.x) + ", " +
                 std::to_string(probe.y));
    EXPECT_EQ(frame.InkAt(image, probe.x, probe.y), probe.ink);
  }
}

TEST_F(AxisFrame, PlaneAxisLinesTicksAndArrowHeads) {
  Cls3 axis;
  const FrameImage image = Draw(axis, kSmallBox, 1, kSmallView);
  const std::vector<Probe> probes = {
      // The x axis runs 2.1 past the box on the left, into the head on the right.
      {"x axis left end", -7.35, 0, true},
      {"left of x axis", -7.5, 0, false},
      {"x axis under head", 6.25, 0, true},
      {"x head tip", 6.75, 0, true},
      {"past x head tip", 6.85, 0, false},
      {"y axis bottom end", 0, -5.75, true},
      {"below y axis", 0, -5.9, false},
      {"y head tip", 0, 5.05, true},
      {"past y head tip", 0, 5.15, false},
      // Ticks 0.4 high on the whole numbers -6 .. 5 (one past Int(MaxX)).
      {"x tick -6", -6, 0.2, true},
      {"x tick -1", -1, 0.2, true},
      {"x tick 4", 4, 0.2, true},
      {"x tick 5", 5, 0.2, true},
      {"x tick top", 3, 0.35, true},
      {"above x tick", 3, 0.45, false},
      {"no x tick -7", -7, 0.2, false},
      {"no x tick 6", 6, 0.2, false},
      {"between x ticks", -2.5, 0.2, false},
      {"below x axis", -2, -0.1, false},
      // y ticks on -4 .. 3, 0.4 to the right.
      {"y tick -4", 0.2, -4, true},
      {"y tick 3", 0.2, 3, true},
      {"no y tick -5", 0.2, -5, false},
      {"no y tick 4", 0.2, 4, false},
      {"between y ticks", 0.2, 1.5, false},
      {"y tick end", 0.35, -3, true},
      {"right of y tick", 0.45, -3, false},
      // Heads: triangles from Max + 2.0 to the tip at Max + 2.6, 0.4 wide.
      {"x head upper half", 6.3, 0.15, true},
      {"x head lower half", 6.3, -0.15, true},
      {"above x head", 6.3, 0.3, false},
      {"below x head", 6.3, -0.25, false},
      {"y head left half", -0.15, 4.6, true},
      {"y head right half", 0.15, 4.6, true},
      {"left of y head", -0.25, 4.6, false},
      {"right of y head", 0.3, 4.6, false},
  };
  ExpectProbes(*this, image, probes);
  EXPECT_TRUE(IsOpaque(image));
}

// Labels -6 .. 5 under the x ticks and -4 .. 3 left of the y ticks, each
// shifted by its length; no label "0"; the bold letters beyond the heads.
TEST_F(AxisFrame, PlaneAxisLabelsSkipZero) {
  Cls3 axis;
  const FrameImage image = Draw(axis, kSmallBox, 1, kSmallView);
  constexpr double kDigit = 0.39;  // printed width of a digit or minus sign
  for (int value = -6; value <= 5; ++value) {
    const std::string label = std::to_string(value);
    SCOPED_TRACE("x label " + label);
    const double shift = label.size() == 2 ? 0.3 : 0.15;
    const double left = value - shift;
    const int ink =
        InkIn(image, left, -0.75, left + kDigit * static_cast<double>(label.size()), -0.35);
    if (value == 0) {
      // Only the y axis passes there.
      EXPECT_EQ(InkIn(image, -0.15, -0.75, -0.06, -0.35), 0);
      EXPECT_EQ(InkIn(image, 0.06, -0.75, 0.3, -0.35), 0);
    } else {
      EXPECT_GT(ink, 20);
    }
  }
  for (int value = -4; value <= 3; ++value) {
    const std::string label = std::to_string(value);
    SCOPED_TRACE("y label " + label);
    const double left = -(static_cast<double>(label.size()) / 3.9 + 0.35);
    const double bottom = value - 0.2;
    if (value == 0) {
      // Only the x axis passes there.
      EXPECT_EQ(InkIn(image, left, -0.2, -0.22, -0.06), 0);
      EXPECT_EQ(InkIn(image, left, 0.06, -0.22, 0.3), 0);
    } else {
      EXPECT_GT(InkIn(image, left, bottom + 0.05, left + 0.39 * static_cast<double>(label.size()),
                      bottom + 0.45),
                20);
    }
  }
  // Nothing beyond the last labels.
  EXPECT_EQ(InkIn(image, 5.9, -0.75, 6.1, -0.35), 0);
  EXPECT_EQ(InkIn(image, -7.4, -0.75, -6.5, -0.35), 0);
  EXPECT_EQ(InkIn(image, -0.9, 3.8, -0.1, 4.3), 0);
  // "X" at (MaxX + 2, -1.2), "Y" at (-1, MaxY + 2).
  EXPECT_GT(InkIn(image, 6.25, -1.15, 6.6, -0.75), 40);
  EXPECT_GT(InkIn(image, -0.95, 4.55, -0.6, 4.95), 40);
}

// A label stands where PrintText puts it at the described place: x labels
// shifted left by 0.45, 0.3 or 0.15 for three, two or one characters, y
// labels at -(length / 3.9 + 0.35), 0.2 below their tick.
TEST_F(AxisFrame, PlaneAxisLabelPositionsFollowTheirLength) {
  struct Case {
    const char* label;
    double x;
    double y;
    double right;  // compared up to here: short of the next label or the y axis
  };
  const Case cases[] = {{"-12", -12.45, -0.8, -11.47},
                        {"-4", -4.3, -0.8, -3.32},
                        {"7", 6.85, -0.8, 7.83},
                        {"-10", -(3 / 3.9 + 0.35), -10.2, -0.05},
                        {"-4", -(2 / 3.9 + 0.35), -4.2, -0.05},
                        {"3", -(1 / 3.9 + 0.35), 2.8, -0.05}};
  Cls3 axis;
  axis.BetterFonts(false);
  const Box box{-11.9f, 7.5f, -10.5f, 3.f, 0, 0};
  const View view{-14, -13, 25};
  const FrameImage image = Draw(axis, box, 1, view);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.label) + " at " + std::to_string(c.x) + ", " + std::to_string(c.y));
    Begin(view);
    glDisable(GL_LIGHTING);
    PrintText(fonts_.FontBase, c.label, static_cast<float>(c.x), static_cast<float>(c.y), 0,
              {0, 0, 0, 1}, std::string("0"));
    const FrameImage reference = context_->ReadFrame();
    int differing = 0;
    int inked = 0;
    for (std::int32_t row = Row(c.y + 0.6); row <= Row(c.y - 0.1); ++row) {
      for (std::int32_t column = Column(c.x - 0.02); column <= Column(c.right); ++column) {
        differing += RgbAt(image, column, row) != RgbAt(reference, column, row) ? 1 : 0;
        inked += RgbAt(reference, column, row) != 0xFFFFFFu ? 1 : 0;
      }
    }
    EXPECT_GT(inked, 20);
    EXPECT_EQ(differing, 0);
  }
}

// The heads move down (x) and left (y) by (AxisWidth - 1) / 100 while the
// triangle keeps its shape: at a quarter of the way back from the tip the x
// head's lower edge lies 0.1 below its centre line.
TEST_F(AxisFrame, ArrowHeadsShiftWithTheAxisWidth) {
  struct Case {
    std::int32_t width;
    double offset;
  };
  const Case cases[] = {{1, 0}, {3, 0.02}, {6, 0.05}, {11, 0.1}};
  const Box box{-1.f, 1.f, -1.f, 1.f, 0, 0};
  constexpr double kPixelsPerUnit = 400;
  for (const Case& c : cases) {
    SCOPED_TRACE("width " + std::to_string(c.width));
    Cls3 axis;
    axis.AxisWidth(c.width);
    // The x head: the lowest drawn pixel at x = MaxX + 2.3, above the letter
    // "X" (which reaches up to y = -0.7).
    FrameImage image = Draw(axis, box, 1, {2.8, -0.7, kPixelsPerUnit});
    const std::int32_t column = Column(box.MaxX + 2.3);
    std::int32_t lowest = -1;
    for (std::int32_t row = 0; row <= Row(-0.5); ++row) {
      lowest = RgbAt(image, column, row) != 0xFFFFFFu ? row : lowest;
    }
    ASSERT_GE(lowest, 0);
    const double lowestY = view_.y0 + (599 - lowest) / kPixelsPerUnit;
    EXPECT_NEAR(lowestY, -0.1 - c.offset, 1.5 / kPixelsPerUnit);

    // The y head: the leftmost drawn pixel at y = MaxY + 2.3, right of the
    // letter "Y" (which ends near x = -0.53).
    image = Draw(axis, box, 1, {-1, 2.8, kPixelsPerUnit});
    const std::int32_t row = Row(box.MaxY + 2.3);
    std::int32_t leftmost = -1;
    for (std::int32_t x = image.Width - 1; x >= Column(-0.4); --x) {
      leftmost = RgbAt(image, x, row) != 0xFFFFFFu ? x : leftmost;
    }
    ASSERT_GE(leftmost, 0);
    const double leftmostX = view_.x0 + leftmost / kPixelsPerUnit;
    EXPECT_NEAR(leftmostX, -0.1 - c.offset, 1.5 / kPixelsPerUnit);
  }
}

// Axis lines and heads take the axis colour; ticks and text stay black. The
// axis splits a colour as red = c mod 256, green = (c div 256) mod 256,
// blue = c div 65536, so values outside 24 bits give fractions that OpenGL
// clamps to 0..1.
TEST_F(AxisFrame, PlaneAxisColours) {
  struct Case {
    std::int32_t color;
    std::uint32_t expected;
  };
  const Case cases[] = {{Cls3::Rgb(255, 0, 0), 0xFF0000u},
                        {Cls3::Rgb(0, 128, 255), 0x0080FFu},
                        {-1, 0x000000u},
                        {-256, 0x000000u},
                        {0x01000000 + 0x8000 + 0xFF, 0xFF80FFu}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.color);
    Cls3 axis;
    axis.AxisColor(c.color);
    const FrameImage image = Draw(axis, kSmallBox, 4, kSmallView);
    EXPECT_EQ(ColourAt(image, -3.5, 0), c.expected);
    EXPECT_EQ(ColourAt(image, 0, 1.5), c.expected);
    EXPECT_EQ(ColourAt(image, 6.3, -0.1), c.expected);
    EXPECT_EQ(ColourAt(image, -3, 0.2), 0x000000u);
    EXPECT_EQ(ColourAt(image, 0.2, -3), 0x000000u);
  }
}

// Kinds 1 and 4 share the plane axis; every kind outside 1..7 draws nothing.
TEST_F(AxisFrame, DocumentKindSelectsTheAxis) {
  Cls3 axis;
  const FrameImage plane = Draw(axis, kSmallBox, 1, kSmallView);
  EXPECT_GT(CountNonWhite(plane), 1000);
  EXPECT_EQ(Draw(axis, kSmallBox, 4, kSmallView).Rgba, plane.Rgba);
  for (const std::int32_t kind : {0, 8, -1, 100, std::numeric_limits<std::int32_t>::min()}) {
    SCOPED_TRACE(kind);
    EXPECT_EQ(CountNonWhite(Draw(axis, kSmallBox, kind, kSmallView)), 0);
  }
  for (const std::int32_t kind : {2, 3, 5, 6, 7}) {
    SCOPED_TRACE(kind);
    const FrameImage image = Draw(axis, kSmallBox, kind, kSmallView);
    EXPECT_GT(CountNonWhite(image), 200);
    EXPECT_NE(image.Rgba, plane.Rgba);
  }
}

// Whatever the kind, drawing leaves blending and smoothing off, lighting on,
// colour tracking off, and all four colour channels writable, so the frame
// stays opaque.
TEST_F(AxisFrame, LeavesTheContextAsTheFrameExpects) {
  for (const std::int32_t kind : {1, 2, 3, 4, 5, 6, 7}) {
    for (const bool betterFonts : {true, false}) {
      SCOPED_TRACE("kind " + std::to_string(kind) + (betterFonts ? " smoothed" : " plain"));
      Cls3 axis;
      axis.BetterFonts(betterFonts);
      axis.ShowXYPanel(true);
      axis.AxisWidth(2);
      const FrameImage image = Draw(axis, kSmallBox, kind, kSmallView);
      EXPECT_TRUE(IsOpaque(image));
      EXPECT_FALSE(glIsEnabled(GL_BLEND));
      EXPECT_FALSE(glIsEnabled(GL_LINE_SMOOTH));
      EXPECT_FALSE(glIsEnabled(GL_POLYGON_SMOOTH));
      EXPECT_FALSE(glIsEnabled(GL_COLOR_MATERIAL));
      EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
      std::array<GLboolean, 4> mask{};
      glGetBooleanv(GL_COLOR_WRITEMASK, mask.data());
      EXPECT_EQ(mask, (std::array<GLboolean, 4>{GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE}));
      glDisable(GL_LIGHTING);
    }
  }
}

// A box needing more than 501 positions along an axis gets ticks and labels
// at the first 501 (Int(Min) + 0 .. Int(Min) + 500) and none beyond; the
// axis lines still span the whole box.
TEST_F(AxisFrame, HugeBoxStopsAfter501Positions) {
  const Box box{-10000.f, 10000.f, -10000.f, 10000.f, 0, 0};
  Cls3 axis;
  // Around x = -9500: the 501st tick and label, then nothing.
  FrameImage image = Draw(axis, box, 1, {-9503, -3, 100});
  EXPECT_TRUE(InkAt(image, -9501, 0.2));
  EXPECT_TRUE(InkAt(image, -9500, 0.2));
  EXPECT_FALSE(InkAt(image, -9499, 0.2));
  EXPECT_FALSE(InkAt(image, -9498, 0.2));
  EXPECT_GT(InkIn(image, -9500.4, -0.75, -9498.6, -0.35), 50);  // "-9500"
  EXPECT_EQ(InkIn(image, -9498.3, -0.8, -9497, -0.3), 0);       // no "-9499"
  EXPECT_TRUE(InkAt(image, -9499, 0));                          // the x axis goes on
  // The same along y around -9500.
  image = Draw(axis, box, 1, {-4, -9503, 100});
  EXPECT_TRUE(InkAt(image, 0.2, -9500));
  EXPECT_FALSE(InkAt(image, 0.2, -9499));
  EXPECT_TRUE(InkAt(image, 0, -9499));
  // Far end: the axis and its head, no ticks.
  image = Draw(axis, box, 1, {9998, -3, 100});
  EXPECT_TRUE(InkAt(image, 10002.4, 0));
  EXPECT_FALSE(InkAt(image, 9999, 0.2));
}

// Bounds the label arithmetic cannot hold draw what fits or nothing, never
// crash: boxes wider than any integer, undefined or infinite sides, and
// an inverted (empty-scene) box.
TEST_F(AxisFrame, ExtremeBoxesDoNotBreakTheAxis) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  struct Case {
    const char* what;
    Box box;
    bool drawsSomething;
  };
  const Case cases[] = {
      {"wider than 64 bits", {-1e30f, 1e30f, -1e30f, 1e30f, -1e30f, 1e30f}, true},
      {"undefined side", {nan, 1, -1, 1, 0, 0}, false},
      {"infinite side", {-1, inf, -1, 1, 0, 0}, false},
      {"empty scene", {9999999.f, -9999999.f, 9999999.f, -9999999.f, 9999999.f, -9999999.f}, true},
  };
  Cls3 axis;
  for (const Case& c : cases) {
    for (const std::int32_t kind : {1, 2, 3, 7}) {
      SCOPED_TRACE(std::string(c.what) + ", kind " + std::to_string(kind));
      const FrameImage image = Draw(axis, c.box, kind, {-10, -7.5, 40});
      if (!c.drawsSomething) {
        EXPECT_EQ(CountNonWhite(image), 0);
      }
    }
  }
}

// The box axis of kind 2, seen from the front: grids on the back wall at the
// grid steps (LabelNum 2: x at -4, 1, 6; y at -3, 1, 5), each switched by its
// own flag; black ticks below and left of the box; depth fixed to 0..3.
TEST_F(AxisFrame, BoxAxisGridsAndTicks) {
  const Box box{-4.f, 6.f, -3.f, 5.f, -20.f, 20.f};
  const View view{-10, -7.5, 40};
  const std::uint32_t kGrid = 0xFF0000u;
  Cls3 axis;
  axis.YZGridColor(Cls3::Rgb(255, 0, 0));
  axis.XZGridColor(Cls3::Rgb(255, 0, 0));
  axis.XYGridColor(Cls3::Rgb(255, 0, 0));
  FrameImage image = Draw(axis, box, 2, view);
  EXPECT_EQ(ColourAt(image, 1, 3), kGrid);              // vertical grid line x = 1
  EXPECT_EQ(ColourAt(image, 6, 3), kGrid);              // x = MaxX
  EXPECT_EQ(ColourAt(image, 3.5, 1), kGrid);            // horizontal grid line y = 1
  EXPECT_EQ(ColourAt(image, 3.5, 5), kGrid);            // y = MaxY
  EXPECT_FALSE(InkAt(image, 3.5, 3));                   // between grid lines
  EXPECT_FALSE(InkAt(image, 0, 3));                     // no axis lines in kind 2
  EXPECT_EQ(ColourAt(image, 1, -3.15), 0u);             // x tick below the floor
  EXPECT_EQ(ColourAt(image, -4.15, 1), 0u);             // y tick left of the wall
  EXPECT_EQ(ColourAt(image, 6.15, -3), 0u);             // z ticks right of the floor
  EXPECT_FALSE(InkAt(image, -4.35, 3));                 // ticks are 0.3 long
  EXPECT_GT(InkIn(image, 0.5, -4.1, 1.5, -3.45), 10);   // label "1" under its tick
  EXPECT_GT(InkIn(image, -5.5, 0.75, -4.5, 1.25), 10);  // label "1" left of its tick

  // Kind 5 is kind 2; both ignore the box's depth.
  EXPECT_EQ(Draw(axis, box, 5, view).Rgba, image.Rgba);
  Box shallow = box;
  shallow.MinZ = 1;
  shallow.MaxZ = 2;
  EXPECT_EQ(Draw(axis, shallow, 2, view).Rgba, image.Rgba);

  axis.ShowYZYGrid(false);
  image = Draw(axis, box, 2, view);
  EXPECT_FALSE(InkAt(image, 1, 3));
  EXPECT_EQ(ColourAt(image, 3.5, 1), kGrid);
  axis.ShowYZZGrid(false);
  image = Draw(axis, box, 2, view);
  EXPECT_FALSE(InkAt(image, 3.5, 1));
}

// Kind 3 adds the three blue axes through the origin and the cones at their
// ends, and uses the box's own depth.
TEST_F(AxisFrame, BoxAxisWithAxesThroughTheOrigin) {
  const Box box{-4.f, 6.f, -3.f, 5.f, -2.f, 2.f};
  const View view{-10, -7.5, 40};
  Cls3 axis;
  const FrameImage withAxes = Draw(axis, box, 3, view);
  EXPECT_EQ(ColourAt(withAxes, 0, 3), 0x0000FFu);
  EXPECT_EQ(ColourAt(withAxes, -2.5, 0), 0x0000FFu);
  EXPECT_TRUE(InkAt(withAxes, 6.25, 0));  // cone on the x axis
  EXPECT_TRUE(InkAt(withAxes, 0, 5.25));  // cone on the y axis
  const FrameImage withoutAxes = Draw(axis, box, 2, view);
  EXPECT_FALSE(InkAt(withoutAxes, 0, 3));
  EXPECT_FALSE(InkAt(withoutAxes, 6.25, 0));
  EXPECT_EQ(Draw(axis, box, 6, view).Rgba, withAxes.Rgba);
}

// Label counts beyond the table stop at index 500; counts of 0 and below
// draw one grid line at the minimum or none, without dividing by zero.
TEST_F(AxisFrame, BoxAxisLabelCountsAreBounded) {
  Cls3 axis;
  axis.YZGridColor(Cls3::Rgb(255, 0, 0));
  axis.LabelNumY(1000);  // xStep = 1 over 0..1000
  const Box box{0.f, 1000.f, -3.f, 3.f, 0, 3};
  FrameImage image = Draw(axis, box, 2, {497, -7.5, 40});
  EXPECT_EQ(ColourAt(image, 499, 1.5), 0xFF0000u);
  EXPECT_EQ(ColourAt(image, 500, 1.5), 0xFF0000u);
  EXPECT_FALSE(InkAt(image, 501, 1.5));
  EXPECT_FALSE(InkAt(image, 502, 1.5));

  struct Case {
    std::int32_t count;
    bool lineAtMinimum;
    bool lineInside;
  };
  const Case cases[] = {{2, true, true},
                        {0, true, false},
                        {-1, false, false},
                        {std::numeric_limits<std::int32_t>::max(), true, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.count);
    axis.LabelNumX(c.count);
    axis.LabelNumY(c.count);
    axis.LabelNumZ(c.count);
    image = Draw(axis, {-4.f, 6.f, -3.f, 5.f, 0, 3}, 3, {-10, -7.5, 40});
    EXPECT_EQ(ColourAt(image, -2.5, 0), 0x0000FFu);  // the rest of the axis is drawn
    EXPECT_EQ(InkAt(image, -4, 3), c.lineAtMinimum);
    EXPECT_EQ(InkAt(image, 1, 3), c.lineInside);
  }
}

// Kind 7: a frame 0.1 inside the box's x and z bounds at depth MinY, in the
// axis colour; black unit ticks below and left of it, with labels.
TEST_F(AxisFrame, FramedPlaneAxis) {
  // World x -4.5..4.5, z -2.5..3.5, drawn in the plane z = MinY = 0.5.
  const Box box{-4.5f, 4.5f, 0.5f, 9.f, -2.5f, 3.5f};
  const View view{-10, -7.5, 40};
  Cls3 axis;
  axis.AxisColor(Cls3::Rgb(0, 0, 255));
  const FrameImage image = Draw(axis, box, 7, view);
  const std::vector<Probe> frame = {
      {"bottom edge", 0.5, -2.4, true}, {"top edge", 0.5, 3.4, true},
      {"left edge", -4.4, 0.5, true},   {"right edge", 4.4, 0.5, true},
      {"inside", 0.5, 0.5, false},      {"below box", 0.5, -2.55 - 0.8, false},
  };
  for (const Probe& probe : frame) {
    SCOPED_TRACE(probe.what);
    EXPECT_EQ(ColourAt(image, probe.x, probe.y) == 0x0000FFu, probe.ink);
  }
  const std::vector<Probe> ticks = {
      {"x tick -4", -4, -2.55, true},
      {"x tick 4", 4, -2.55, true},
      {"between x ticks", -3.5, -2.55, false},
      {"z tick -2", -4.55, -2, true},
      {"z tick 3", -4.55, 3, true},
      {"between z ticks", -4.55, 0.5, false},
  };
  ExpectProbes(*this, image, ticks);
  // Labels, "0" included, under the x ticks and left of the z ticks.
  EXPECT_GT(InkIn(image, -0.15, -3.35, 0.25, -2.85), 20);
  EXPECT_GT(InkIn(image, -5.3, -0.25, -4.9, 0.25), 20);
  EXPECT_GT(InkIn(image, 3.7, -3.35, 4.25, -2.85), 20);
  EXPECT_EQ(ColourAt(image, 1, -2.55), 0u);
  // Seen from the front the depth changes nothing, as long as it is in view.
  Box deeper = box;
  deeper.MinY = -3;
  EXPECT_EQ(Draw(axis, deeper, 7, view).Rgba, image.Rgba);
}

}  // namespace
}  // namespace quillon
