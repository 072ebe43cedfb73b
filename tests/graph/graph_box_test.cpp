// GetBox of every kind: the scanned points, the origin rule of the curve
// group, the overlays of kind 0, the vector kind and the shared boxes.
#include <functional>
#include <limits>
#include <string>

#include "graph_test_support.h"

namespace quillon {
namespace {

using testing::Document;
using testing::GraphSpec;
using testing::MakeGraph;
using testing::U;

constexpr float kLow = 9999999.0f;    // start value of every minimum
constexpr float kHigh = -9999999.0f;  // start value of every maximum

struct Bounds {
  float minX, maxX, minY, maxY, minZ, maxZ;
};

void ExpectBox(const Cls1& box, const Bounds& expected) {
  EXPECT_FLOAT_EQ(box.MinX(), expected.minX);
  EXPECT_FLOAT_EQ(box.MaxX(), expected.maxX);
  EXPECT_FLOAT_EQ(box.MinY(), expected.minY);
  EXPECT_FLOAT_EQ(box.MaxY(), expected.maxY);
  EXPECT_FLOAT_EQ(box.MinZ(), expected.minZ);
  EXPECT_FLOAT_EQ(box.MaxZ(), expected.maxZ);
}

struct BoxCase {
  const char* name;
  GraphSpec spec;
  std::function<void(Cls9&)> prepare;  // settings applied before sampling
  Bounds expected;
};

TEST(GraphBox, KindsAfterSampling) {
  const auto none = [](Cls9&) {};
  const BoxCase cases[] = {
      {"curve at x 3..5, y 1..2 takes in the origin",
       {0, 1, 3, "0", "3+u", "1+u/2", 0, 1, 1, 0, 2, 2},
       none,
       {0, 5, 0, 2, 0, 0}},
      {"negative curve takes in the origin from above",
       {0, 1, 3, "4", "u-5", "-u", 0, 1, 1, 1, 2, 1},
       none,
       {-4, 0, -2, 0, 4, 4}},
      {"clipped coordinate counts as 0.12345",
       {0, 1, 2, "0", "0", "x+100", 0, 1, 1, -2, -1, 1},
       none,
       {-2, 0, 0, U, 0, 0}},
      {"implicit graph: the region",
       {0, 1, 1, "0", "0", "x^2+y^2-1", -3, 3, 1, -2, 2, 1},
       none,
       {-3, 3, -2, 2, kLow, kHigh}},
      {"implicit graph away from the origin",
       {0, 1, 1, "0", "0", "x", 1, 2, 1, 1, 2, 1},
       none,
       {0, 2, 0, 2, kLow, kHigh}},
      {"inequation of kind 23",
       {23, 1, 4, "0", "0", "x", -1, -0.5f, 1, 3, 4, 1},
       none,
       {-1, 0, 0, 4, kLow, kHigh}},
      {"unknown form scans nothing but takes in the origin",
       {0, 1, 7, "0", "0", "x", 0, 1, 1, 0, 1, 1},
       none,
       {0, 0, 0, 0, kLow, kHigh}},
      {"ShowInverse merges the X and Y ranges",
       {0, 1, 2, "0", "0", "x^2", 0, 1, 1, 0, 4, 4},
       [](Cls9& g) { g.ShowInverse(true); },
       {0, 16, 0, 16, 0, 0}},
      {"ShowJO and ShowDev add fresh points in X and Y only",
       {0, 1, 3, "5", "u+1", "u+2", 0, 1, 1, 0, 1, 1},
       [](Cls9& g) {
         g.ShowJO(true);
         g.ShowDev(true);
       },
       {0, 2, 0, 3, 5, 5}},
      {"kind 20 adds the second curve",
       {20, 1, 2, "0", "0", "x", 0, 1, 1, 1, 2, 1},
       [](Cls9& g) { g.Exp2("x*(-10)"); },
       {0, 2, -20, 2, 0, 0}},
      {"kind 4: the origin only", {4, 1, 2, "0", "0", "x"}, none, {0, 0, 0, 0, kLow, kHigh}},
      {"kind 16: nothing",
       {16, 1, 2, "0", "0", "x"},
       none,
       {kLow, kHigh, kLow, kHigh, kLow, kHigh}},
      {"kind 3: the second column, which is fresh",
       {3, 1, 2, "0", "0", "x+7", 0, 1, 1, 1, 2, 1},
       none,
       {0, 0, 0, 0, 0, 0}},
      {"kind 1", {1, 3, 2, "0", "0", "x*2", -1, 2, 3}, none, {0, 0, -2, 4, -1, 2}},
      {"surface whose lowest point has Y = 1",
       {2, 3, 2, "x", "y", "x+y+1", 0, 1, 1, 0, 2, 2},
       none,
       {0, 2, 1, 4, 0, 1}},
      {"surface with contours: 3 below the lowest point",
       {2, 3, 2, "x", "y", "x+y+1", 0, 1, 1, 0, 2, 2},
       [](Cls9& g) { g.ShowContour(true); },
       {0, 2, -2, 4, 0, 1}},
      {"surface with a colour map, kind 15",
       {15, 3, 2, "x", "y", "x+y+1", 0, 1, 1, 0, 2, 2},
       [](Cls9& g) { g.ShowColormap(true); },
       {0, 2, -2, 4, 0, 1}},
      {"kind 7: each axis from 0 to the point",
       {7, 3, 0, "-1", "2", "-3"},
       none,
       {0, 2, -3, 0, -1, 0}},
      {"kind 21: the ribbon",
       {21, 1, 2, "0", "0", "2", 0, 1, 1, 1, 3, 1},
       none,
       {1, 3, -2, 2, -2, 2}},
      {"kind 36: fresh points", {36, 1, 2, "0", "0", "x"}, none, {0, 0, 0, 0, 0, 0}},
      {"kind 32: the shared fallback box", {32, 1, 2, "0", "0", "x"}, none, {0, 0, 0, 0, 0, 0}},
  };
  for (const BoxCase& c : cases) {
    SCOPED_TRACE(c.name);
    Document document;
    const auto graph = MakeGraph(document, c.spec);
    c.prepare(*graph);
    ASSERT_TRUE(graph->GetPoints());
    const auto box = graph->GetBox(0);
    ASSERT_NE(box, nullptr);
    ExpectBox(*box, c.expected);
  }
}

TEST(GraphBox, AnimationKindsUseTheGivenStep) {
  struct Case {
    const char* name;
    GraphSpec spec;
    Bounds atStep1;
  };
  const Case cases[] = {
      {"kind 8: from 0 to the point at t", {8, 3, 0, "t", "-t", "t*3"}, {-1, 0, 0, 3, 0, 1}},
      {"kind 9: the curve at t, with the origin",
       {9, 1, 2, "0", "0", "x+t*10", 0, 1, 1, 2, 3, 1},
       {0, 3, 0, 13, 0, 0}},
      {"kind 10: the uncomputed elements",
       {10, 1, 2, "0", "0", "x+t", 0, 1, 1, 2, 3, 1},
       {0, 0, 0, 0, 0, 0}},
      {"kind 11", {11, 3, 2, "0", "0", "y*t", 1, 2, 1}, {1, 2, 1, 2, 0, 0}},
      {"kind 12", {12, 3, 3, "u", "v", "t", 1, 2, 1, 3, 4, 1}, {3, 4, 1, 1, 1, 2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Document document;
    document.values.AnimFrames = 2;
    const auto graph = MakeGraph(document, c.spec);
    graph->Animation(true);
    graph->MinT(0);
    graph->MaxT(2);
    ASSERT_TRUE(graph->GetPoints());
    ExpectBox(*graph->GetBox(1), c.atStep1);
  }
}

TEST(GraphBox, SharedBoxesAreTheSameObjectEveryCall) {
  Document document;
  struct Case {
    const char* name;
    GraphSpec spec;
  };
  const Case polar[] = {
      {"polar implicit", {0, 2, 1, "0", "0", "r-1", -3, 3, 1, -2, 2, 1}},
      {"polar inequation of kind 9", {9, 2, 4, "0", "0", "r-1", 1, 3, 1, 1, 2, 1}},
  };
  std::shared_ptr<const Cls1> first;
  for (const Case& c : polar) {
    SCOPED_TRACE(c.name);
    const auto graph = MakeGraph(document, c.spec);
    const auto box = graph->GetBox(0);
    EXPECT_EQ(graph->GetBox(0), box);
    if (first) {
      EXPECT_EQ(box, first);
    }
    first = box;
    ExpectBox(*box, {0, 0, 0, 0, 0, 0});
  }
  const auto fallback = MakeGraph(document, {32, 1, 2});
  EXPECT_EQ(fallback->GetBox(0), fallback->GetBox(3));
  EXPECT_NE(fallback->GetBox(0), first);
  // Other kinds get a new box on every call.
  const auto curve = MakeGraph(document, {0, 1, 1});
  EXPECT_NE(curve->GetBox(0), curve->GetBox(0));
}

TEST(GraphBox, VectorIsSymmetricWithAMargin) {
  struct Case {
    const char* name;
    float begin[3], end[3];
    Bounds expected;
  };
  const Case cases[] = {
      {"(1, 2, 0) to (3, -5, 1)", {1, 2, 0}, {3, -5, 1}, {-6, 6, -8, 8, -4, 4}},
      {"a point at the origin", {0, 0, 0}, {0, 0, 0}, {-3, 3, -3, 3, -3, 3}},
      {"(-7, 0.5, -2) to (-1, 0.5, 2)",
       {-7, 0.5f, -2},
       {-1, 0.5f, 2},
       {-10, 10, -3.5f, 3.5f, -5, 5}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Document document;
    Cls9 graph(document.values);
    graph.GraphType(31);
    graph.VecBeginX(c.begin[0]);
    graph.VecBeginY(c.begin[1]);
    graph.VecBeginZ(c.begin[2]);
    graph.VecEndX(c.end[0]);
    graph.VecEndY(c.end[1]);
    graph.VecEndZ(c.end[2]);
    ExpectBox(*graph.GetBox(0), c.expected);
  }
}

TEST(GraphBox, TableKindReadsEmptyCellsAsTheOrigin) {
  Document document;
  Cls9 graph(document.values);
  graph.GraphType(6);
  graph.StepU(2);
  graph.StepV(1);
  graph.VertTab3D(2, 1, std::make_shared<Cls2>(Cls2::Init(4, 5, 6)));
  graph.VertTab3D(1, 0, std::make_shared<Cls2>(Cls2::Init(-1, 2, 3)));
  // Outside 0..StepU x 0..StepV: not scanned.
  graph.VertTab3D(3, 1, std::make_shared<Cls2>(Cls2::Init(100, 100, 100)));
  ExpectBox(*graph.GetBox(0), {-1, 4, 0, 5, 0, 6});
  // Boxing creates no table point.
  EXPECT_FALSE(graph.HasVertTab3D(0, 0));
}

// Boxing reads through const access: arrays that sampling never computed
// stay without stored points.
TEST(GraphBox, DoesNotFillLazyArrays) {
  Document document;
  const auto graph = MakeGraph(document, {0, 1, 2, "0", "0", "x", 0, 1, 1, 0, 1, 100});
  graph->ShowDev(true);
  graph->ShowJO(true);
  ASSERT_TRUE(graph->GetPoints());
  graph->GetBox(0);
  EXPECT_FALSE(graph->VertA3DGrid().Stored());
  EXPECT_FALSE(graph->VertJO3DGrid().Stored());
}

// Counts that no longer match the arrays (changed after sampling, beyond 16
// bits, never sampled) scan only the cells that exist, without failing.
TEST(GraphBox, CountsBeyondTheArrays) {
  struct Case {
    const char* name;
    GraphSpec spec;
    bool sample;
    std::int32_t stepU, stepV;  // set after sampling
    std::int32_t animStep;
    Bounds expected;
  };
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  const Case cases[] = {
      {"curve with StepV raised past 16 bits",
       {0, 1, 2, "0", "0", "x", 0, 1, 1, 1, 2, 1},
       true,
       1,
       100000,
       0,
       {0, 2, 0, 2, 0, 0}},
      {"surface with the largest counts",
       {2, 3, 2, "x", "y", "1", 0, 1, 1, 0, 1, 1},
       true,
       kMax,
       kMax,
       0,
       {0, 1, 1, 1, 0, 1}},
      {"curve never sampled",
       {0, 1, 2, "0", "0", "x"},
       false,
       1,
       40000,
       0,
       {0, 0, 0, 0, kLow, kHigh}},
      {"animation step past the frames",
       {12, 3, 3, "u", "v", "t", 1, 2, 1, 3, 4, 1},
       true,
       1,
       1,
       5,
       {kLow, kHigh, kLow, kHigh, kLow, kHigh}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Document document;
    document.values.AnimFrames = 2;
    const auto graph = MakeGraph(document, c.spec);
    graph->Animation(c.spec.graphType == 12);
    if (c.sample) {
      ASSERT_TRUE(graph->GetPoints());
    }
    graph->StepU(c.stepU);
    graph->StepV(c.stepV);
    std::shared_ptr<const Cls1> box;
    ASSERT_NO_THROW(box = graph->GetBox(c.animStep));
    ExpectBox(*box, c.expected);
  }
}

}  // namespace
}  // namespace quillon
