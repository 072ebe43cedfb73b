// GetBox of every kind: the scanned points, the origin rule of the curve
// group, the overlays of kind 0, the vector kind and the empty boxes.
#include <limits>
#include <string>

#include "graph_test_support.h"

namespace quillon {
namespace {

using namespace testing;

constexpr float kLow = 9999999.0f;    // start value of every minimum
constexpr float kHigh = -9999999.0f;  // start value of every maximum

struct Bounds {
  float minX, maxX, minY, maxY, minZ, maxZ;
};

void ExpectBox(const Box& box, const Bounds& expected) {
  EXPECT_FLOAT_EQ(box.MinX(), expected.minX);
  EXPECT_FLOAT_EQ(box.MaxX(), expected.maxX);
  EXPECT_FLOAT_EQ(box.MinY(), expected.minY);
  EXPECT_FLOAT_EQ(box.MaxY(), expected.maxY);
  EXPECT_FLOAT_EQ(box.MinZ(), expected.minZ);
  EXPECT_FLOAT_EQ(box.MaxZ(), expected.maxZ);
}

// Settings applied before sampling. An animated graph is boxed at step 1 of
// t = 0, 1, 2.
enum Extra { kInverse = 1, kJoinDev = 2, kContour = 4, kColormap = 8, kExp2 = 16, kAnimated = 32 };

struct BoxCase {
  const char* name;
  GraphSetup setup;
  Bounds expected;
  unsigned extras = 0;
};

TEST(GraphBox, KindsAfterSampling) {
  const BoxCase cases[] = {
      // The curve group takes in the origin, from below and from above.
      {"curve x 3..5", {0, 1, 3, "0", "3+u", "1+u/2", 0, 1, 1, 0, 2, 2}, {0, 5, 0, 2, 0, 0}},
      {"negative curve", {0, 1, 3, "4", "u-5", "-u", 0, 1, 1, 1, 2, 1}, {-4, 0, -2, 0, 4, 4}},
      // A clipped coordinate counts as 0.12345.
      {"clipped", {0, 1, 2, "0", "0", "x+100", 0, 1, 1, -2, -1, 1}, {-2, 0, 0, U, 0, 0}},
      // Implicit graphs and inequations: the region, with the origin.
      {"implicit", {0, 1, 1, "0", "0", "x*y", -3, 3, 1, -2, 2, 1}, {-3, 3, -2, 2, kLow, kHigh}},
      {"implicit, away", {0, 1, 1, "0", "0", "x", 1, 2, 1, 1, 2, 1}, {0, 2, 0, 2, kLow, kHigh}},
      {"kind 23", {23, 1, 4, "0", "0", "x", -1, -0.5f, 1, 3, 4, 1}, {-1, 0, 0, 4, kLow, kHigh}},
      {"unknown form", {0, 1, 7, "0", "0", "x", 0, 1, 1, 0, 1, 1}, {0, 0, 0, 0, kLow, kHigh}},
      // Polar implicit graphs (also of kind 9) and kind 32: an empty box.
      {"polar implicit", {0, 2, 1, "0", "0", "r-1", -3, 3, 1, -2, 2, 1}, {0, 0, 0, 0, 0, 0}},
      {"kind 9 polar inequation", {9, 2, 4, "0", "0", "r-1", 1, 3, 1, 1, 2, 1}, {0, 0, 0, 0, 0, 0}},
      {"kind 32", {32, 1, 2, "0", "0", "x"}, {0, 0, 0, 0, 0, 0}},
      // ShowInverse merges the X and Y ranges; ShowJO and ShowDev add fresh
      // points in X and Y only; kind 20 adds the second curve.
      {"ShowInverse", {0, 1, 2, "0", "0", "x^2", 0, 1, 1, 0, 4, 4}, {0, 16, 0, 16, 0, 0}, kInverse},
      {"JO, Dev", {0, 1, 3, "5", "u+1", "u+2", 0, 1, 1, 0, 1, 1}, {0, 2, 0, 3, 5, 5}, kJoinDev},
      {"kind 20", {20, 1, 2, "0", "0", "x", 0, 1, 1, 1, 2, 1}, {0, 2, -20, 2, 0, 0}, kExp2},
      {"kind 4: the origin", {4, 1, 2, "0", "0", "x"}, {0, 0, 0, 0, kLow, kHigh}},
      {"kind 16: nothing", {16, 1, 2, "0", "0", "x"}, {kLow, kHigh, kLow, kHigh, kLow, kHigh}},
      // Kind 3 boxes the second column, which is fresh.
      {"kind 3", {3, 1, 2, "0", "0", "x+7", 0, 1, 1, 1, 2, 1}, {0, 0, 0, 0, 0, 0}},
      {"kind 1", {1, 3, 2, "0", "0", "x*2", -1, 2, 3}, {0, 0, -2, 4, -1, 2}},
      // Surfaces; with contours (or a colour map), 3 below the lowest point.
      {"surface", {2, 3, 2, "x", "y", "x+y+1", 0, 1, 1, 0, 2, 2}, {0, 2, 1, 4, 0, 1}},
      {"contours", {2, 3, 2, "x", "y", "x+y+1", 0, 1, 1, 0, 2, 2}, {0, 2, -2, 4, 0, 1}, kContour},
      {"colours", {15, 3, 2, "x", "y", "x+y+1", 0, 1, 1, 0, 2, 2}, {0, 2, -2, 4, 0, 1}, kColormap},
      // Kind 7: each axis from 0 to the point.
      {"kind 7", {7, 3, 0, "-1", "2", "-3"}, {0, 2, -3, 0, -1, 0}},
      {"kind 21: the ribbon", {21, 1, 2, "0", "0", "2", 0, 1, 1, 1, 3, 1}, {1, 3, -2, 2, -2, 2}},
      {"kind 36: fresh points", {36, 1, 2, "0", "0", "x"}, {0, 0, 0, 0, 0, 0}},
      // Animation kinds at the given step; kind 10 boxes the uncomputed
      // elements.
      {"kind 8", {8, 3, 0, "t", "-t", "t*3"}, {-1, 0, 0, 3, 0, 1}, kAnimated},
      {"kind 9", {9, 1, 2, "0", "0", "x+t*10", 0, 1, 1, 2, 3, 1}, {0, 3, 0, 13, 0, 0}, kAnimated},
      {"kind 10", {10, 1, 2, "0", "0", "x+t", 0, 1, 1, 2, 3, 1}, {0, 0, 0, 0, 0, 0}, kAnimated},
      {"kind 11", {11, 3, 2, "0", "0", "y*t", 1, 2, 1}, {1, 2, 1, 2, 0, 0}, kAnimated},
      {"kind 12", {12, 3, 3, "u", "v", "t", 1, 2, 1, 3, 4, 1}, {3, 4, 1, 1, 1, 2}, kAnimated},
  };
  for (const BoxCase& c : cases) {
    SCOPED_TRACE(c.name);
    Document document;
    const auto graph = MakeGraph(document, c.setup);
    graph->showInverse = (c.extras & kInverse) != 0;
    graph->showOddEven = (c.extras & kJoinDev) != 0;
    graph->showDerivative = (c.extras & kJoinDev) != 0;
    graph->showContour = (c.extras & kContour) != 0;
    graph->showColormap = (c.extras & kColormap) != 0;
    graph->secondCurveExpression = (c.extras & kExp2) != 0 ? "x*(-10)" : "";
    const bool animated = (c.extras & kAnimated) != 0;
    if (animated) {
      document.values.AnimFrames = 2;
      graph->animated = true;
      graph->minT = 0;
      graph->maxT = 2;
    }
    ASSERT_TRUE(graph->GetPoints());
    const auto box = graph->GetBox(animated ? 1 : 0);
    ASSERT_NE(box, nullptr);
    ExpectBox(*box, c.expected);
    // Boxing reads through const access: arrays that sampling never
    // computed stay without stored points.
    EXPECT_FALSE(graph->DerivativePoints().Stored() || graph->OddEvenPoints().Stored());
  }
}

TEST(GraphBox, VectorIsSymmetricWithAMargin) {
  Document document;
  Graph graph(document.values);
  graph.kind = GraphKind::Vector;
  graph.vectorBeginX = 1;
  graph.vectorBeginY = 2;
  graph.vectorEndX = 3;
  graph.vectorEndY = -5;
  graph.vectorEndZ = 1;
  ExpectBox(*graph.GetBox(0), {-6, 6, -8, 8, -4, 4});
  // A point at the origin.
  graph.vectorBeginX = graph.vectorBeginY = graph.vectorEndX = graph.vectorEndY = 0;
  graph.vectorEndZ = 0;
  ExpectBox(*graph.GetBox(0), {-3, 3, -3, 3, -3, 3});
}

TEST(GraphBox, TableKindReadsEmptyCellsAsTheOrigin) {
  Document document;
  Graph graph(document.values);
  graph.kind = GraphKind::Table3D;
  graph.stepsU = 2;
  graph.stepsV = 1;
  graph.TableCell(2, 1, std::make_shared<PlotPoint>(PlotPoint{4, 5, 6}));
  graph.TableCell(1, 0, std::make_shared<PlotPoint>(PlotPoint{-1, 2, 3}));
  // Outside 0..StepU x 0..StepV: not scanned.
  graph.TableCell(3, 1, std::make_shared<PlotPoint>(PlotPoint{100, 100, 100}));
  ExpectBox(*graph.GetBox(0), {-1, 4, 0, 5, 0, 6});
  // Boxing creates no table point.
  EXPECT_FALSE(graph.FindTableCell(0, 0));
}

// Counts that no longer match the arrays (changed after sampling, beyond 16
// bits, never sampled) scan only the cells that exist, without failing.
TEST(GraphBox, CountsBeyondTheArrays) {
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  Document document;
  document.values.AnimFrames = 2;
  const auto curve = MakeGraph(document, {0, 1, 2, "0", "0", "x", 0, 1, 1, 1, 2, 1});
  ASSERT_TRUE(curve->GetPoints());
  curve->stepsV = 100000;
  ExpectBox(*curve->GetBox(0), {0, 2, 0, 2, 0, 0});
  const auto surface = MakeGraph(document, {2, 3, 2, "x", "y", "1", 0, 1, 1, 0, 1, 1});
  ASSERT_TRUE(surface->GetPoints());
  surface->stepsU = kMax;
  surface->stepsV = kMax;
  ExpectBox(*surface->GetBox(0), {0, 1, 1, 1, 0, 1});
  const auto unsampled = MakeGraph(document, {0, 1, 2, "0", "0", "x"});
  unsampled->stepsV = 40000;
  ExpectBox(*unsampled->GetBox(0), {0, 0, 0, 0, kLow, kHigh});
  // Arrays sampling made but never computed (the surface is not sampled in
  // this coordinate system) read as the origin in each of their 10^14 cells.
  const auto uncomputed =
      MakeGraph(document, {2, 0, 0, "x", "y", "1", 0, 1, 13421772, 0, 1, 10066329});
  ASSERT_TRUE(uncomputed->GetPoints());
  ExpectBox(*uncomputed->GetBox(0), {0, 0, 0, 0, 0, 0});
  // An animation step past the frames.
  const auto animated = MakeGraph(document, {12, 3, 3, "u", "v", "t", 1, 2, 1, 3, 4, 1});
  animated->animated = true;
  ASSERT_TRUE(animated->GetPoints());
  ExpectBox(*animated->GetBox(5), {kLow, kHigh, kLow, kHigh, kLow, kHigh});
}

}  // namespace
}  // namespace quillon
