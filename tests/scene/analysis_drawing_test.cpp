// Analysis overlays through the frame, placed by the formula: root marks
// centred on the roots of y = x^2/4 - 4 and its tangent at x = 2 along
// y = x - 5.
#include "drawing_test_support.h"

namespace quillon {
namespace {

// The frame's column and row of world point (x, y): 20 pixels a unit
// across, 15 up.
std::array<std::int32_t, 2> Pixel(double x, double y) {
  return {static_cast<std::int32_t>(std::floor(400 + 20 * x)),
          static_cast<std::int32_t>(std::floor(300 - 15 * y))};
}
std::uint32_t At(const FrameImage& frame, double x, double y) {
  return testing::RgbAt(frame, Pixel(x, y)[0], Pixel(x, y)[1]);
}

using AnalysisDrawing = testing::RendererFrame;

TEST_F(AnalysisDrawing, MarksAndLinesLieWhereTheFormulaPutsThem) {
  doc_.axis.shown = false;
  auto graph = doc_.Show(doc_.MakeCurve("x^2/4-4", -10, 10, 100, 0x00A000, 1));
  graph->rootColor = testing::kRed;
  graph->rootSize = 9;
  graph->rootSymbol = PointSymbol::Disc;
  graph->showTangentLines = true;
  graph->tangentLineColor = testing::kBlue;
  graph->tangentLineWidth = 1;
  graph->tangentLinePositions.count = 1;
  graph->tangentLinePositions.at[1] = 2;
  Frame();
  // Roots asked for after a frame without them are found then.
  graph->showRoots = true;
  const FrameImage frame = Redraw();
  for (const double root : {-4.0, 4.0}) {
    SCOPED_TRACE(root);
    EXPECT_EQ(At(frame, root, 0), 0xFF0000u);
    // Half the mark is 4.5 pixels: 8 pixels off is beyond it.
    EXPECT_NE(At(frame, root + 8 / 20.0, 0), 0xFF0000u);
  }
  // The tangent y = x - 5, away from the curve and the marks: a blue pixel
  // within one pixel of each of its points.
  const auto blue = [](std::uint32_t colour) {
    return (colour >> 16) < 0x40u && (colour & 0xFFu) > 0xC0u;
  };
  for (const double x : {-12.0, -8.0, 10.0, 14.0}) {
    const auto [column, row] = Pixel(x, x - 5);
    EXPECT_GT(testing::InkIn(frame, column - 1, row - 1, column + 1, row + 1, blue), 0) << x;
  }
  // Nothing is marked where the graph asks for nothing: its minimum.
  EXPECT_EQ(At(frame, 0, -4 - 1.0), testing::kWhite);
}

}  // namespace
}  // namespace quillon
