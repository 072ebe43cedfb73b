// Drawing of graphs and points, and the order in which the scene draws its
// graphs.

#include "scene/graph_drawing.h"
#include "drawing_test_support.h"
#include "expr/undefined_mark.h"
#include "scene/material.h"
#include "support/codes.h"

namespace quillon {
namespace {

using testing::Capture;
using testing::CountNonWhite;
using testing::InkIn;
using testing::kBlue;
using testing::kRed;
using testing::RgbAt;
using testing::TestDocument;

using GraphDrawing = testing::ContextTest;

// A line y = 0 from x = -10 to 10 (columns 200..600) of width w covers about
// w rows, in exactly its colour in the middle when wide; widths below 1
// draw as 1. Drawing leaves lighting and colour material on (tracking the
// emission colour for the emissive material, the diffuse one otherwise) with
// the graph's material loaded, smoothing and blending off, alpha writes on.
TEST_F(GraphDrawing, LineWidthColourAndState) {
  struct Case {
    std::int32_t width, color;
    std::uint32_t middle;  // white: not checked
    std::int64_t minRows, maxRows;
    MaterialPreset material;
    GLint colorMode;
  };
  const MaterialPreset gold = MaterialPreset::Gold;
  const Case cases[] = {{9, kRed, 0xFF0000u, 9, 11, gold, GL_DIFFUSE},
                        {0, kRed, testing::kWhite, 1, 3, gold, GL_DIFFUSE},
                        {7, kBlue, 0x0000FFu, 7, 9, MaterialPreset::Emissive, GL_EMISSION},
                        {-4, kRed, testing::kWhite, 1, 3, gold, GL_DIFFUSE}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.width);
    TestDocument doc;
    auto graph = doc.MakeCurve("0", -10, 10, 2, c.color, c.width);
    graph->material = c.material;
    glDisable(GL_LIGHTING);
    const FrameImage image = DrawAlone(doc, [&] { DrawGraph(*graph); });
    EXPECT_EQ(InkIn(image, 190, 0, 190, 599) + InkIn(image, 610, 0, 610, 599), 0);
    EXPECT_GE(InkIn(image, 300, 0, 300, 599), c.minRows);
    EXPECT_LE(InkIn(image, 300, 0, 300, 599), c.maxRows);
    if (c.middle != testing::kWhite) {
      EXPECT_EQ(RgbAt(image, 300, 299), c.middle);
      EXPECT_EQ(RgbAt(image, 300, 300), c.middle);
    }
    EXPECT_TRUE(testing::IsOpaque(image));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING) && glIsEnabled(GL_COLOR_MATERIAL));
    EXPECT_FALSE(glIsEnabled(GL_LINE_SMOOTH) || glIsEnabled(GL_BLEND));
    GLint mode = 0;
    GLboolean mask[4] = {};
    glGetIntegerv(GL_COLOR_MATERIAL_PARAMETER, &mode);
    glGetBooleanv(GL_COLOR_WRITEMASK, mask);
    EXPECT_EQ(mode, c.colorMode);
    EXPECT_TRUE(mask[3]);
    std::array<GLfloat, 4> drawn{}, preset{};
    glGetMaterialfv(GL_BACK, GL_SPECULAR, drawn.data());
    Material().SetMaterial(c.material);
    glGetMaterialfv(GL_BACK, GL_SPECULAR, preset.data());
    EXPECT_EQ(drawn, preset);
  }
}

// Segments sent to OpenGL: one per interval, none touching an undefined
// coordinate and none of zero length; only kinds 0, 9, 20 and 23 in explicit
// or parametric form draw. Kinds 21 and 22 get 40 angle steps. A step count
// raised after sampling draws the points there are; a graph never sampled
// draws nothing.
TEST_F(GraphDrawing, SendsOneSegmentPerDrawnInterval) {
  using Points = std::vector<std::pair<float, float>>;
  const Points zigzag = {{-4, 0}, {-2, 1}, {0, 0}, {2, 1}, {4, 0}, {6, 1}};
  struct Case {
    const char* name;
    Points points;
    std::int32_t kind, form;
    std::int32_t undefinedAt, coordinate;  // point and coordinate (0 X, 1 Y, 2 z) made undefined
    std::size_t expected;
  };
  const Case cases[] = {
      {"five intervals", zigzag, 0, 2, -1, 0, 5},
      {"undefined Y in the middle", zigzag, 0, 2, 2, 1, 3},
      {"undefined X first", zigzag, 0, 2, 0, 0, 4},
      {"undefined z last", zigzag, 0, 2, 5, 2, 4},
      {"repeated point", {{-4, 0}, {1, 1}, {1, 1}, {4, 0}}, 0, 2, -1, 0, 2},
      {"parametric", zigzag, 0, 3, -1, 0, 5},
      {"kind 9", zigzag, 9, 2, -1, 0, 5},
      {"kind 20", zigzag, 20, 2, -1, 0, 5},
      {"kind 23", zigzag, 23, 2, -1, 0, 5},
      {"implicit", zigzag, 0, 1, -1, 0, 0},
      {"inequation", zigzag, 0, 4, -1, 0, 0},
      {"kind 3", zigzag, 3, 2, -1, 0, 0},
      {"ribbon 21", zigzag, 21, 2, -1, 0, 0},
      {"ribbon 22", zigzag, 22, 2, -1, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestDocument doc;
    auto graph = doc.MakePolyline(c.points);
    graph->kind = testing::AsKind(c.kind);
    graph->form = testing::AsForm(c.form);
    graph->stepsU = 3;
    graph->stepsV += 5;
    if (c.undefinedAt >= 0) {
      float GridPoint::*const coordinates[] = {&GridPoint::x, &GridPoint::y, &GridPoint::z};
      // The test writes through the read-only view to plant the undefined mark.
      const_cast<GridPoint*>(graph->Points().Find(0, c.undefinedAt))->*coordinates[c.coordinate] =
          UndefinedMark;
    }
    doc.view.Projection(doc.scene);
    EXPECT_EQ(Capture([&] { DrawGraph(*graph); }).lines.size(), c.expected);
    EXPECT_EQ(graph->stepsU, 3);  // drawing never changes the graph
  }
  TestDocument doc;
  Graph fresh(doc.document);
  fresh.form = FunctionForm::Explicit;
  fresh.stepsV = 10;
  doc.view.Projection(doc.scene);
  EXPECT_TRUE(Capture([&] { DrawGraph(fresh); }).lines.empty());
}

// A red point at (5, 5), pixel (500, 225), of Size 20: s = 1 unit (20 x 15
// pixels), t = 1.5 units, disc radius 1.05, hollow rim radius 0.85 (17
// pixels to the right). Documents other than plane ones (1) draw a sphere
// of radius 1.05 units, whatever the symbol.
TEST_F(GraphDrawing, PointSymbolsAndSpheres) {
  struct Case {
    std::int32_t symbol, docType;
    std::uint32_t centre, rim;  // colours at the point and 17 pixels right of it
    std::int64_t minPixels, maxPixels;
  };
  const Case cases[] = {
      {1, 1, 0xFF0000, 0xFF0000, 900, 1100},   // disc, about pi x 21 x 15.75
      {2, 1, 0xFFFFFF, 0xFF0000, 300, 4000},   // hollow circle: white inside, thick rim
      {3, 1, 0xFF0000, 0xFF0000, 1150, 1250},  // square, 40 x 30
      {4, 1, 0xFF0000, 0xFFFFFF, 1300, 1400},  // triangle, 60 x 45 / 2
      {5, 1, 0xFF0000, 0xFF0000, 1300, 1400},  // diamond, 60 x 45 / 2
      {6, 1, 0xFF0000, 0xFF0000, 60, 4000},    // plus sign of 20-pixel lines
      {0, 1, 0xFFFFFF, 0xFFFFFF, 0, 0},       {7, 1, 0xFFFFFF, 0xFFFFFF, 0, 0},
      {0, 2, 0xFF0000, 0xFF0000, 900, 1100},  {4, 0, 0xFF0000, 0xFF0000, 900, 1100}};
  TestDocument doc;
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "symbol " << c.symbol << " document " << c.docType);
    PlotPoint point = PlotPoint{5, 5, 0};
    point.symbol = static_cast<PointSymbol>(c.symbol);
    point.size = 20;
    point.color = kRed;
    const FrameImage image =
        DrawAlone(doc, [&] { DrawPoint(point, testing::AsDocument(c.docType)); });
    EXPECT_EQ(RgbAt(image, 500, 225), c.centre);
    EXPECT_EQ(RgbAt(image, 517, 225), c.rim);
    EXPECT_GE(CountNonWhite(image), c.minPixels);
    EXPECT_LE(CountNonWhite(image), c.maxPixels);
  }
}

// The later of two equal lines covers the earlier one.
TEST_F(GraphDrawing, SceneDrawsGraphsInListOrder) {
  for (bool blueLast : {true, false}) {
    TestDocument doc;
    auto red = doc.MakeCurve("0", -10, 10, 4, kRed, 7);
    auto blue = doc.MakeCurve("0", -10, 10, 4, kBlue, 7);
    doc.Show(blueLast ? red : blue);
    doc.Show(blueLast ? blue : red);
    EXPECT_EQ(RgbAt(DrawAlone(doc, [&] { doc.scene.Draw(); }), 300, 300),
              blueLast ? 0x0000FFu : 0xFF0000u);
  }
}

}  // namespace
}  // namespace quillon
