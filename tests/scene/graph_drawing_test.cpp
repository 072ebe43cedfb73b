#include "scene/graph_drawing.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "drawing_test_support.h"
#include "expr/undefined_mark.h"
#include "offscreen_test_support.h"

namespace quillon {
namespace {

using testing::CountNonWhite;
using testing::CountNonWhiteInColumn;
using testing::CountNonWhiteInRow;
using testing::kBlue;
using testing::kGreen;
using testing::kRed;
using testing::MakeTestContext;
using testing::NonWhiteRowRange;
using testing::RgbAt;
using testing::TestDocument;

// Clears to white and draws one graph under the document's camera.
FrameImage DrawAlone(OffscreenContext& context, TestDocument& doc, Cls9& graph) {
  glClearColor(1, 1, 1, 1);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  doc.view.Projection(doc.scene);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  DrawGraph(graph);
  return context.ReadFrame();
}

bool IsReddish(std::uint32_t rgb) {
  return (rgb >> 16) >= 200 && ((rgb >> 8) & 0xFF) <= 90 && (rgb & 0xFF) <= 90;
}

TEST(ColorToRGB, SplitsTheLow24Bits) {
  struct Case {
    std::int32_t color;
    double red, green, blue;
  };
  const Case cases[] = {
      {255, 1, 0, 0},
      {65280, 0, 1, 0},
      {16711680, 0, 0, 1},
      {0, 0, 0, 0},
      {16777215, 1, 1, 1},
      {128 + 64 * 256 + 32 * 65536, 128 / 255.0, 64 / 255.0, 32 / 255.0},
      // Bits above the low 24 (system colours, negative values) are ignored.
      {-16777216 + 255, 1, 0, 0},
      {-1, 1, 1, 1},
      {0x7F00FF00, 0, 1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.color);
    const ColorFractions f = ColorToRGB(c.color);
    EXPECT_DOUBLE_EQ(f.red, c.red);
    EXPECT_DOUBLE_EQ(f.green, c.green);
    EXPECT_DOUBLE_EQ(f.blue, c.blue);
  }
}

// 800 x 600 pixels for 40 x 40 units: y = 10 lies 150 pixels above the
// centre, on the border of rows 149 and 150 from the top.
TEST(GraphDrawing, HorizontalLineLandsOnExpectedRows) {
  auto context = MakeTestContext();
  ASSERT_NE(context, nullptr);
  TestDocument doc;
  auto graph = doc.MakeCurve("10", -10, 10, 20, kRed, 3);
  const FrameImage image = DrawAlone(*context, doc, *graph);
  EXPECT_TRUE(IsReddish(RgbAt(image, 400, 149))) << std::hex << RgbAt(image, 400, 149);
  EXPECT_TRUE(IsReddish(RgbAt(image, 400, 150))) << std::hex << RgbAt(image, 400, 150);
  const auto [first, last] = NonWhiteRowRange(image);
  EXPECT_GE(first, 146);
  EXPECT_LE(last, 153);
  // x = -10..10 covers columns 200..600.
  EXPECT_TRUE(IsReddish(RgbAt(image, 250, 150)));
  EXPECT_TRUE(IsReddish(RgbAt(image, 550, 149)));
  EXPECT_EQ(CountNonWhiteInColumn(image, 150), 0);
  EXPECT_EQ(CountNonWhiteInColumn(image, 650), 0);
}

TEST(GraphDrawing, LineColourFollowsLineColor) {
  struct Case {
    std::int32_t color;
    std::uint32_t expected;
  };
  const Case cases[] = {{kRed, 0xFF0000},
                        {kGreen, 0x00FF00},
                        {kBlue, 0x0000FF},
                        {0, 0x000000},
                        {-16777216 + kBlue, 0x0000FF}};
  auto context = MakeTestContext();
  ASSERT_NE(context, nullptr);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.color);
    TestDocument doc;
    // A wide line: its middle rows are fully covered, so exactly the colour.
    auto graph = doc.MakeCurve("0", -10, 10, 4, c.color, 7);
    const FrameImage image = DrawAlone(*context, doc, *graph);
    EXPECT_EQ(RgbAt(image, 300, 299), c.expected);
    EXPECT_EQ(RgbAt(image, 300, 300), c.expected);
  }
}

TEST(GraphDrawing, WidthGrowsWithLineWidthAndZeroDrawsAsOne) {
  auto context = MakeTestContext();
  ASSERT_NE(context, nullptr);
  struct Case {
    std::int32_t width;
    std::int32_t minRows, maxRows;
  };
  const Case cases[] = {{1, 1, 3}, {0, 1, 3}, {-4, 1, 3}, {3, 3, 5}, {9, 9, 11}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.width);
    TestDocument doc;
    auto graph = doc.MakeCurve("0", -10, 10, 2, kBlue, c.width);
    const FrameImage image = DrawAlone(*context, doc, *graph);
    const std::int32_t rows = CountNonWhiteInColumn(image, 300);
    EXPECT_GE(rows, c.minRows);
    EXPECT_LE(rows, c.maxRows);
  }
}

// sqr(x) is undefined below 0: the curve starts at x = 0.
TEST(GraphDrawing, UndefinedValuesLeaveGaps) {
  auto context = MakeTestContext();
  ASSERT_NE(context, nullptr);
  {
    TestDocument doc;
    auto graph = doc.MakeCurve("5", -10, 10, 20, kRed, 3);
    graph->Vert3D(0, 10)->Y(UndefinedMark);  // the point at x = 0
    const FrameImage image = DrawAlone(*context, doc, *graph);
    // Segments -1..0 and 0..1 are missing: columns 380..420 stay white.
    for (std::int32_t x = 384; x <= 416; ++x) {
      EXPECT_EQ(CountNonWhiteInColumn(image, x), 0) << "column " << x;
    }
    EXPECT_TRUE(IsReddish(RgbAt(image, 370, 224)));
    EXPECT_TRUE(IsReddish(RgbAt(image, 430, 225)));
  }
  {
    TestDocument doc;
    auto graph = doc.MakeCurve("sqr(x)", -10, 10, 20, kRed, 3);
    const FrameImage image = DrawAlone(*context, doc, *graph);
    EXPECT_EQ(CountNonWhiteInColumn(image, 300), 0);
    EXPECT_GT(CountNonWhiteInColumn(image, 500), 0);
  }
}

// Line segments the graph sends to OpenGL, counted in feedback mode (before
// any rasteriser decides what a segment covers).
std::int32_t SegmentsSent(TestDocument& doc, Cls9& graph) {
  doc.view.Projection(doc.scene);
  std::vector<GLfloat> buffer(1 << 16);
  glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D, buffer.data());
  glRenderMode(GL_FEEDBACK);
  DrawGraph(graph);
  const GLint used = glRenderMode(GL_RENDER);
  EXPECT_GE(used, 0) << "feedback buffer too small";
  std::int32_t segments = 0;
  for (GLint at = 0; at < used;) {
    const auto token = static_cast<GLenum>(buffer[static_cast<std::size_t>(at)]);
    EXPECT_TRUE(token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) << token;
    segments += 1;
    at += 7;  // the token and two vertices
  }
  return segments;
}

// Every interval is a segment of its own; one undefined point removes the
// two segments that meet at it, and a segment of zero length (two equal
// points, as fresh points are) is never sent, whatever the rasteriser would
// make of it.
TEST(GraphDrawing, SendsOneSegmentPerDrawnInterval) {
  auto context = MakeTestContext(64, 64);
  ASSERT_NE(context, nullptr);
  struct Case {
    const char* name;
    std::vector<std::pair<float, float>> points;
    std::int32_t undefinedAt;  // -1: none
    std::int32_t expected;
  };
  const Case cases[] = {
      {"one interval", {{-10, -10}, {10, 10}}, -1, 1},
      {"five intervals", {{-4, 0}, {-2, 1}, {0, 0}, {2, 1}, {4, 0}, {6, 1}}, -1, 5},
      {"undefined middle point", {{-4, 0}, {-2, 1}, {0, 0}, {2, 1}, {4, 0}, {6, 1}}, 2, 3},
      {"undefined first point", {{-4, 0}, {-2, 1}, {0, 0}}, 0, 1},
      {"repeated point", {{-4, 0}, {1, 1}, {1, 1}, {4, 0}}, -1, 2},
      {"all points equal", {{1, 1}, {1, 1}, {1, 1}}, -1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestDocument doc;
    auto graph = doc.MakePolyline(c.points, kRed, 2);
    if (c.undefinedAt >= 0) {
      graph->Vert3D(0, c.undefinedAt)->Y(UndefinedMark);
    }
    EXPECT_EQ(SegmentsSent(doc, *graph), c.expected);
  }
}

// A step count raised after sampling draws the points there are; a graph
// never sampled draws nothing.
TEST(GraphDrawing, DrawsOnlyThePointsThatExist) {
  auto context = MakeTestContext(64, 64);
  ASSERT_NE(context, nullptr);
  TestDocument doc;
  auto sampled = doc.MakeCurve("x", -5, 5, 4, kRed, 1);
  sampled->StepV(10);
  EXPECT_EQ(SegmentsSent(doc, *sampled), 4);
  Cls9 fresh(doc.document);
  fresh.GraphType(0);
  fresh.FunForm(2);
  fresh.StepV(10);
  EXPECT_EQ(SegmentsSent(doc, fresh), 0);
}

TEST(GraphDrawing, ClippedCurvesDrawNothing) {
  auto context = MakeTestContext();
  ASSERT_NE(context, nullptr);
  struct Case {
    const char* expression;
    float from, to;
  };
  // The view interval is -50..50: y = 100 is clipped in y, the range
  // 60..90 in x.
  const Case cases[] = {{"100", -10, 10}, {"x", 60, 90}, {"-x*x-60", -5, 5}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expression);
    TestDocument doc;
    auto graph = doc.MakeCurve(c.expression, c.from, c.to, 30, kRed, 3);
    EXPECT_EQ(CountNonWhite(DrawAlone(*context, doc, *graph)), 0);
  }
}

TEST(GraphDrawing, OnlyExplicitAndParametricCurveKindsDraw) {
  auto context = MakeTestContext();
  ASSERT_NE(context, nullptr);
  struct Case {
    std::int32_t graphType, funForm;
    bool draws;
  };
  const Case cases[] = {{0, 2, true},   {0, 3, true},  {20, 2, true}, {23, 2, true},
                        {0, 1, false},  {0, 4, false}, {3, 2, false}, {21, 2, false},
                        {22, 2, false}, {2, 2, false}, {7, 2, false}, {31, 2, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "kind " << c.graphType << " form " << c.funForm);
    TestDocument doc;
    auto graph = doc.MakePolyline({{-10, 5}, {0, 5}, {10, 5}}, kRed, 3);
    graph->GraphType(c.graphType);
    graph->FunForm(c.funForm);
    const FrameImage image = DrawAlone(*context, doc, *graph);
    EXPECT_EQ(CountNonWhite(image) > 0, c.draws);
  }
}

TEST(GraphDrawing, RibbonKindsGetFortyAngleSteps) {
  auto context = MakeTestContext(16, 16);
  ASSERT_NE(context, nullptr);
  for (std::int32_t kind : {21, 22, 0}) {
    SCOPED_TRACE(kind);
    TestDocument doc;
    auto graph = doc.MakeCurve("1", 0, 1, 2, kRed, 1);
    graph->GraphType(kind);
    graph->StepU(3);
    DrawGraph(*graph);
    EXPECT_EQ(graph->StepU(), kind == 0 ? 3 : 40);
  }
}

// A curve of fresh points (sampling fills none for implicit forms or for
// kind 9) joins points at the origin and shows nothing.
TEST(GraphDrawing, FreshPointsShowNothing) {
  auto context = MakeTestContext();
  ASSERT_NE(context, nullptr);
  TestDocument doc;
  auto graph = doc.MakeCurve("0", 0, 1, 5, kRed, 5);
  graph->FunForm(1);  // implicit: sampling leaves fresh points
  ASSERT_TRUE(graph->GetPoints());
  graph->FunForm(2);
  EXPECT_EQ(CountNonWhite(DrawAlone(*context, doc, *graph)), 0);
}

TEST(GraphDrawing, LeavesTheDocumentedStateAndAnOpaqueFrame) {
  auto context = MakeTestContext();
  ASSERT_NE(context, nullptr);
  struct Case {
    std::int32_t material;
    GLint colorMode;
  };
  const Case cases[] = {{4, GL_DIFFUSE}, {5, GL_EMISSION}, {0, GL_DIFFUSE}, {13, GL_DIFFUSE}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.material);
    TestDocument doc;
    auto graph = doc.MakeCurve("x/2", -20, 20, 40, kBlue, 4);
    graph->Material(c.material);
    glDisable(GL_LIGHTING);
    const FrameImage image = DrawAlone(*context, doc, *graph);
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_COLOR_MATERIAL));
    EXPECT_FALSE(glIsEnabled(GL_LINE_SMOOTH));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    GLint mode = 0;
    glGetIntegerv(GL_COLOR_MATERIAL_PARAMETER, &mode);
    EXPECT_EQ(mode, c.colorMode);
    GLboolean mask[4] = {};
    glGetBooleanv(GL_COLOR_WRITEMASK, mask);
    EXPECT_TRUE(mask[3]);  // alpha writes are back on for the caller
    EXPECT_TRUE(testing::IsOpaque(image));
    EXPECT_GT(CountNonWhite(image), 0);
  }
}

TEST(GraphDrawing, MaterialPresetIsLoaded) {
  auto context = MakeTestContext(16, 16);
  ASSERT_NE(context, nullptr);
  TestDocument doc;
  auto graph = doc.MakeCurve("1", 0, 1, 2, kRed, 1);
  graph->Material(2);
  DrawGraph(*graph);
  GLfloat specular[4] = {};
  glGetMaterialfv(GL_BACK, GL_SPECULAR, specular);
  EXPECT_FLOAT_EQ(specular[1], 0.464407f);
  GLfloat shininess = 0;
  glGetMaterialfv(GL_FRONT, GL_SHININESS, &shininess);
  EXPECT_FLOAT_EQ(shininess, 127.308f);
}

// Point symbols under a 40 x 40 unit view: Size 20 makes s = 1 unit
// (20 x 15 pixels) and t = 1.5 units.
class PointDrawing : public ::testing::Test {
 protected:
  void SetUp() override {
    context_ = MakeTestContext();
    ASSERT_NE(context_, nullptr);
    glClearColor(1, 1, 1, 1);
  }
  FrameImage Draw(const Cls2& point, std::int32_t docType) {
    doc_.view.Projection(doc_.scene);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    DrawPoint(point, docType);
    return context_->ReadFrame();
  }
  static Cls2 Point(std::int32_t symbol, float size, std::int32_t color) {
    Cls2 p = Cls2::Init(5, 5, 0);  // pixel (500, 225)
    p.Symbol(symbol);
    p.Size(size);
    p.Color(color);
    return p;
  }

  std::unique_ptr<OffscreenContext> context_;
  TestDocument doc_;
};

TEST_F(PointDrawing, PlaneSymbols) {
  struct Case {
    std::int32_t symbol;
    std::uint32_t centre;  // colour at the point itself
    std::int64_t minPixels, maxPixels;
  };
  // Areas in pixels for Size 20: disc radius 1.05 units, square 2 x 2
  // units (40 x 30), triangle and diamond with t = 1.5 units.
  const Case cases[] = {
      {1, 0xFF0000, 900, 1100},   // disc, about pi x 21 x 15.75
      {2, 0xFFFFFF, 300, 4000},   // hollow circle: white inside, thick rim
      {3, 0xFF0000, 1150, 1250},  // square, 40 x 30
      {4, 0xFF0000, 1300, 1400},  // triangle, 60 x 45 / 2
      {5, 0xFF0000, 1300, 1400},  // diamond, 60 x 45 / 2
      {6, 0xFF0000, 60, 4000},    // plus sign of 20-pixel lines
      {0, 0xFFFFFF, 0, 0},       {7, 0xFFFFFF, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.symbol);
    const FrameImage image = Draw(Point(c.symbol, 20, kRed), 1);
    EXPECT_EQ(RgbAt(image, 500, 225), c.centre);
    const std::int64_t pixels = CountNonWhite(image);
    EXPECT_GE(pixels, c.minPixels);
    EXPECT_LE(pixels, c.maxPixels);
  }
}

TEST_F(PointDrawing, HollowCircleHasAColouredRim) {
  const FrameImage image = Draw(Point(2, 2, kBlue), 1);
  // Rim radius 2 x 4 / 100 + 0.05 = 0.13 units: 2.6 pixels to the right.
  std::int32_t blue = 0;
  for (std::int32_t x = 500; x <= 506; ++x) {
    blue += RgbAt(image, x, 225) == 0x0000FFu ? 1 : 0;
  }
  EXPECT_GE(blue, 1);
  EXPECT_EQ(CountNonWhiteInRow(image, 215), 0);
}

TEST_F(PointDrawing, SpaceDocumentsDrawSpheres) {
  for (std::int32_t docType : {2, 3, 0}) {
    SCOPED_TRACE(docType);
    // Radius 20 x 5 / 100 + 0.05 = 1.05 units, whatever the symbol.
    const FrameImage image = Draw(Point(0, 20, kGreen), docType);
    EXPECT_NE(RgbAt(image, 500, 225), 0xFFFFFFu);
    EXPECT_EQ(RgbAt(image, 500, 195), 0xFFFFFFu);
    const std::int64_t pixels = CountNonWhite(image);
    EXPECT_GE(pixels, 900);
    EXPECT_LE(pixels, 1100);
  }
}

}  // namespace
}  // namespace quillon
