// Sampling: the plane curve forms, clipping, ribbons, the space kinds, the
// animation kinds, failures and the guards on step counts and sizes.
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "expr/random_generator.h"
#include "graph_test_support.h"

namespace quillon {
namespace {

using namespace testing;

// Polar and space conversions as the sampler forms them: in double from the
// single values, stored as singles.
const auto F = [](double value) { return static_cast<float>(value); };
const auto Cos = [](float angle) { return std::cos(static_cast<double>(angle)); };
const auto Sin = [](float angle) { return std::sin(static_cast<double>(angle)); };

struct CurveCase {
  const char* name;
  GraphSetup setup;
  std::vector<XYZ> curve;  // Vert3D(0, i), i = 0..StepV
};

TEST(Sampling, PlaneCurveForms) {
  const CurveCase cases[] = {
      {"explicit sqr(x) is undefined left of 0",
       {0, 1, 2, "0", "0", "sqr(x)", 0, 1, 1, -2, 2, 4},
       {{-2, U, 0}, {-1, U, 0}, {0, 0, 0}, {1, 1, 0}, {2, F(std::sqrt(2.0)), 0}}},
      {"explicit: only Y beyond the view is clipped",
       {0, 1, 2, "0", "0", "x^2", 0, 1, 1, -10, 10, 4},
       {{-10, U, 0}, {-5, 25, 0}, {0, 0, 0}, {5, 25, 0}, {10, U, 0}}},
      {"explicit: X beyond the view is clipped, Y kept",
       {0, 1, 2, "0", "0", "1", 0, 1, 1, 40, 60, 2},
       {{40, 1, 0}, {50, 1, 0}, {U, 1, 0}}},
      {"kind 3", {3, 1, 2, "0", "0", "2*x", 0, 1, 1, 0, 1, 1}, {{0, 0, 0}, {1, 2, 0}}},
      {"kind 23", {23, 1, 2, "0", "0", "x+1", 0, 1, 1, 0, 1, 1}, {{0, 1, 0}, {1, 2, 0}}},
      {"MinV = MaxV: every point at the same parameter",
       {0, 1, 2, "0", "0", "x+1", 0, 1, 1, 2, 2, 3},
       {{2, 3, 0}, {2, 3, 0}, {2, 3, 0}, {2, 3, 0}}},
      {"explicit polar with an undefined radius",
       {0, 2, 2, "0", "0", "sqr(a)*2", 0, 1, 1, -1, 1, 2},
       {{U, U, 0}, {0, 0, 0}, {F(2 * Cos(1.0f)), F(2 * Sin(1.0f)), 0}}},
      {"parametric Cartesian: ExpressX gives z, clipped beyond the view",
       {0, 1, 3, "u*30", "u+1", "u*u", 0, 1, 1, 0, 2, 2},
       {{1, 0, 0}, {2, 1, 30}, {3, 4, U}}},
      {"parametric polar",
       {0, 2, 3, "5", "u", "u+1", 0, 1, 1, 0, 1, 1},
       {{1, 0, 5}, {F(2 * Cos(1)), F(2 * Sin(1)), 5}}},
      {"parametric polar with an undefined angle",
       {0, 2, 3, "0", "log(u)", "1", 0, 1, 1, 0, 1, 1},
       {{U, U, 0}, {1, 0, 0}}},
      {"step counts of 0 are raised to 1",
       {0, 1, 2, "0", "0", "x*3", 0, 1, 0, 1, 2, 0},
       {{1, 3, 0}, {2, 6, 0}}},
  };
  for (const CurveCase& c : cases) {
    SCOPED_TRACE(c.name);
    Document document;
    document.values.AnimFrames = 0;
    const auto graph = MakeGraph(document, c.setup);
    ASSERT_TRUE(graph->GetPoints());
    // The guards raise the counts in the record and the document.
    EXPECT_EQ(graph->stepsU, std::max(1, c.setup.stepU));
    EXPECT_EQ(graph->stepsV, std::max(1, c.setup.stepV));
    EXPECT_EQ(document.values.AnimFrames, 1);
    EXPECT_EQ(graph->Points().Upper(0), graph->stepsU);
    ASSERT_EQ(graph->Points().Upper(1), static_cast<std::int32_t>(c.curve.size()) - 1);
    for (std::size_t i = 0; i < c.curve.size(); ++i) {
      SCOPED_TRACE("point " + std::to_string(i));
      ExpectPoint(graph->Points().Find(0, static_cast<std::int32_t>(i)), c.curve[i]);
    }
    EXPECT_TRUE(document.reporter.messages.empty());
  }
}

// The arrays each call allocates, the cells that cost memory, the two curves
// of kind 20, each clipped to the view, and the projection grids of a surface.
TEST(Sampling, ArraysOfACurve) {
  Document document;
  const auto graph = MakeGraph(document, {20, 1, 2, "0", "0", "x", 0, 1, 2, -1, 1, 2});
  graph->secondCurveExpression = "x^2*100";
  graph->showOddEven = true;
  graph->showSectionY = true;
  ASSERT_TRUE(graph->GetPoints());
  // Curves store only the cells (0, i) they compute; overlays nothing.
  struct Row {
    const char* name;
    const PointGrid& grid;
    std::size_t storedCells;
  };
  const Row rows[] = {
      {"curve", graph->Points(), 3},
      {"second curve", graph->SecondCurvePoints(), 3},
      {"derivative", graph->DerivativePoints(), 0},
      {"auxiliary", graph->AuxiliaryPoints(), 0},
      {"odd and even parts", graph->OddEvenPoints(), 0},
      {"section Y", graph->SectionYPoints(), 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ASSERT_TRUE(row.grid.Allocated());
    EXPECT_EQ(row.grid.Upper(0), 2);
    EXPECT_EQ(row.grid.Upper(1), 2);
    EXPECT_EQ(row.grid.StoredSize(), row.storedCells);
    // The columns that are not computed hold fresh points.
    EXPECT_TRUE(IsFresh(row.grid.Find(2, 2)));
  }
  EXPECT_FALSE(graph->SectionXPoints().Allocated());
  EXPECT_FALSE(graph->SpaceCurvePoints().Allocated());
  EXPECT_FALSE(graph->RibbonPoints().Allocated());
  const std::vector<XYZ> first = {{-1, -1, 0}, {0, 0, 0}, {1, 1, 0}};
  const std::vector<XYZ> second = {{-1, U, 0}, {0, 0, 0}, {1, U, 0}};
  for (std::int32_t i = 0; i <= 2; ++i) {
    SCOPED_TRACE(i);
    ExpectPoint(graph->Points().Find(0, i), first[static_cast<std::size_t>(i)]);
    ExpectPoint(graph->SecondCurvePoints().Find(0, i), second[static_cast<std::size_t>(i)]);
  }
  // A parametric kind 20 computes no second curve, yet clips its fresh points
  // like the first curve's: X = 0 lies outside a view that starts at 1.
  Document shifted;
  shifted.values.ViewMinX = 1;
  const auto parametric = MakeGraph(shifted, {20, 1, 3, "0", "u+1", "u", 0, 1, 1, 0, 1, 1});
  ASSERT_TRUE(parametric->GetPoints());
  ExpectPoint(parametric->Points().Find(0, 1), {2, 1, 0});
  for (std::int32_t i = 0; i <= 1; ++i) {
    ExpectPoint(parametric->SecondCurvePoints().Find(0, i), {U, 0, 0});
  }
  // A surface with both projection grids samples as usual; they read as
  // fresh points.
  const auto surface = MakeGraph(document, {2, 3, 2, "x", "y", "x+y", 0, 1, 2, 0, 1, 3});
  surface->showSectionX = true;
  surface->showSectionY = true;
  ASSERT_TRUE(surface->GetPoints());
  for (const PointGrid* grid : {&surface->SectionXPoints(), &surface->SectionYPoints()}) {
    ASSERT_TRUE(grid->Allocated());
    EXPECT_EQ(grid->Upper(0), 2);
    EXPECT_EQ(grid->Upper(1), 3);
    EXPECT_TRUE(IsFresh(grid->Find(1, 2)));
  }
  ExpectPoint(surface->Points().Find(2, 3), {1, 2, 1});
}

// Kind 21 sweeps the curve point around the X axis, kind 22 around the Y
// axis; a curve point that is undefined (y = 100, beyond the view) gives an
// undefined row.
TEST(Sampling, RibbonsUseTheAbsoluteRadius) {
  for (const std::int32_t kind : {21, 22}) {
    for (const float y : {-2.0f, U}) {
      SCOPED_TRACE("kind " + std::to_string(kind) + ", y " + std::to_string(y));
      Document document;
      const float x = kind == 21 ? 1.0f : -1.0f;
      const auto graph =
          MakeGraph(document, {kind, 1, 2, "0", "0", y == U ? "100" : "-2", 0, 1, 1, x, x, 1});
      ASSERT_TRUE(graph->GetPoints());
      const PointGrid& ribbon = graph->RibbonPoints();
      ASSERT_EQ(ribbon.Upper(0), 40);
      ASSERT_EQ(ribbon.Upper(1), 1);
      for (std::int32_t k = 0; k <= 40; ++k) {
        SCOPED_TRACE("angle index " + std::to_string(k));
        const float a = static_cast<float>(static_cast<double>(k * 15708) / 100000.0);
        const double r = std::fabs(kind == 21 ? y : x);
        const XYZ expected = kind == 21 ? XYZ{x, F(r * Sin(a)), F(r * Cos(a))}
                                        : XYZ{F(r * Cos(a)), y, F(r * Sin(a))};
        ExpectPoint(ribbon.Find(k, 1), y == U ? XYZ{U, U, U} : expected);
      }
    }
  }
}

// One cell of the grid each kind samples into (the space curve of kind 1,
// the animation grid at t = 2 in its last index, else Points()).
struct CellCase {
  const char* name;
  GraphSetup setup;
  std::int32_t i, j, k;
  XYZ expected;
};

TEST(Sampling, SpacePointsSurfacesAndAnimations) {
  const float halfPi = F(std::acos(-1.0) / 2);
  const float b = F(1.5707963);
  const XYZ spherical{0, F(2 * Cos(b)), F(2 * Sin(b))};  // a = 0, b, r = 2
  const XYZ cylindrical{F(3 * Sin(1)), 4, F(3 * Cos(1))};
  const XYZ onSphere{F(Sin(halfPi) * Sin(2)), F(Cos(halfPi)), F(Sin(halfPi) * Cos(2))};
  const XYZ polar{F(2 * Cos(1)), F(2 * Sin(1)), 2};
  const XYZ spherical3{0, F(3 * Cos(2)), F(3 * Sin(2))};  // a = 0, b = 2, r = 3
  const CellCase cases[] = {
      {"kind 7 spherical", {7, 5, 0, "0", "1.5707963", "2", 0, 1, 1, 0, 1, 1}, 0, 0, 0, spherical},
      {"kind 7 cylindrical a = 0, r = 3, h = 1", {7, 4, 0, "0", "3", "1"}, 0, 0, 0, {0, 1, 3}},
      {"kind 7 Cartesian space", {7, 3, 0, "1", "2", "3"}, 0, 0, 0, {2, 3, 1}},
      {"kind 7 plane", {7, 1, 0, "1", "2", "3"}, 0, 0, 0, {2, 3, 1}},
      {"kind 7 plane polar", {7, 2, 0, "1", "0", "-2"}, 0, 0, 0, {-2, 0, 1}},
      {"kind 7 is not clipped", {7, 3, 0, "500", "-600", "700"}, 0, 0, 0, {-600, 700, 500}},
      {"kind 7 spherical, undefined r", {7, 5, 0, "0", "1", "sqr(-1)"}, 0, 0, 0, {U, U, U}},
      // The height, and Y = r cos b, do not depend on the undefined value.
      {"kind 7 cylindrical, undefined r", {7, 4, 0, "1", "sqr(-1)", "5"}, 0, 0, 0, {U, 5, U}},
      {"kind 7 spherical, undefined a", {7, 5, 0, "sqr(-1)", "0", "2"}, 0, 0, 0, {U, 2, U}},
      // Surfaces: the variables bound to u and v.
      {"kind 2, x and y", {2, 3, 2, "x", "y", "x*y*100", -1, 1, 2, 0, 2, 2}, 2, 1, 0, {1, 100, 1}},
      {"kind 13, a and r", {13, 4, 2, "a", "r", "a+r", 0, 2, 2, 1, 3, 2}, 1, 2, 0, cylindrical},
      {"kind 14, a and b", {14, 5, 2, "a", "b", "1", 0, 2, 1, 0, halfPi, 1}, 1, 1, 0, onSphere},
      {"kind 15, u and v", {15, 3, 3, "u", "v", "u-v", 0, 4, 4, 0, 1, 1}, 3, 1, 0, {1, 2, 3}},
      // Kind 1 computes the point once per parameter token of ExpressZ; the
      // last one decides which variable takes u (here 2).
      {"kind 1, last YY", {1, 3, 2, "0", "0", "x*10+y", 0, 2, 1}, 1, 0, 0, {2, 2, 0}},
      {"kind 1, last XX", {1, 3, 2, "0", "0", "y+x*10", 0, 2, 1}, 1, 0, 0, {0, 20, 2}},
      {"kind 1, clipped", {1, 3, 2, "0", "0", "x*100", 0, 2, 1}, 1, 0, 0, {0, U, 2}},
      {"kind 1 cylindrical, RR", {1, 4, 2, "0", "0", "a*10+r*3", 0, 2, 1}, 1, 0, 0, {0, 6, 2}},
      {"kind 1 cylindrical, AA", {1, 4, 2, "0", "0", "r+a*4", 0, 2, 1}, 1, 0, 0, {0, 8, 0}},
      {"kind 1 spherical, BB", {1, 5, 2, "0", "0", "a+b+1", 0, 2, 1}, 1, 0, 0, spherical3},
      {"kind 1 spherical, AA", {1, 5, 2, "0", "0", "b+a+1", 0, 2, 1}, 1, 0, 0, {0, 3, 0}},
      {"kind 1, no u: fresh", {1, 3, 2, "0", "0", "t+1", 0, 2, 1}, 1, 0, 0, {0, 0, 0}},
      // Animation kinds, t = 0, 1, 2.
      {"kind 8", {8, 3, 0, "t", "t*2", "t*300"}, 2, 0, 0, {4, 600, 2}},
      {"kind 9, clipped", {9, 1, 2, "0", "0", "x*t*30", 0, 1, 1, 0, 1, 1}, 1, 2, 0, {1, U, 0}},
      {"kind 9, parametric polar", {9, 2, 3, "t", "u", "t", 0, 1, 1, 0, 1, 1}, 1, 2, 0, polar},
      {"kind 10, first index 0", {10, 1, 2, "0", "0", "x+t", 0, 1, 1, 0, 1, 1}, 0, 1, 2, {1, 3, 0}},
      {"kind 10, first index 1", {10, 1, 2, "0", "0", "x+t", 0, 1, 1, 0, 1, 1}, 1, 1, 2, {0, 0, 0}},
      {"kind 11", {11, 3, 2, "0", "0", "x*t", 0, 3, 1}, 1, 2, 0, {0, 6, 3}},
      {"kind 12, clipped", {12, 3, 3, "u*t*100", "v", "u+t", 0, 1, 1, 5, 6, 1}, 1, 1, 2, {6, 3, U}},
  };
  for (const CellCase& c : cases) {
    SCOPED_TRACE(c.name);
    Document document;
    document.values.AnimFrames = 2;
    const auto graph = MakeGraph(document, c.setup);
    const bool animation = IsAnimationKind(graph->kind);
    graph->animated = animation;
    graph->minT = 0;
    graph->maxT = 2;
    ASSERT_TRUE(graph->GetPoints());
    const bool spaceCurve = graph->kind == GraphKind::SpaceCurve;
    const PointGrid& grid = animation    ? AnimationGrid(*graph)
                            : spaceCurve ? graph->SpaceCurvePoints()
                                         : graph->Points();
    if (spaceCurve) {
      EXPECT_EQ(grid.Upper(0), c.setup.stepU);
    }
    ExpectPoint(grid.Find(c.i, c.j, c.k), c.expected);
  }
}

// Implicit and inequation graphs, unknown forms, the kinds without sampling
// and the animation kinds without Animation succeed without computing points.
TEST(Sampling, KindsAndFormsWithoutPoints) {
  const GraphSetup setups[] = {
      {0, 1, 1, "0", "0", "x^2+y^2-1", -3, 3, 10, -2, 2, 10},
      {0, 2, 4, "0", "0", "r-1", -3, 3, 10, -2, 2, 10},
      {21, 1, 1, "0", "0", "x", 0, 1, 1, 0, 1, 5},
      {0, 7, 2, "0", "0", "x", 0, 1, 1, 0, 1, 5},
      {4, 1, 2, "0", "0", "x"},
      {6, 1, 2, "0", "0", "x"},
      {17, 1, 2, "0", "0", "x"},
      {31, 1, 2, "0", "0", "x"},
      {36, 1, 2, "0", "0", "x"},
      {2, 1, 2, "x", "y", "1", 0, 1, 1, 0, 1, 5},
      {7, 6, 2, "1", "2", "3"},
  };
  for (const GraphSetup& setup : setups) {
    SCOPED_TRACE("kind " + std::to_string(setup.graphType) + " coord " +
                 std::to_string(setup.coordType) + " form " + std::to_string(setup.funForm));
    Document document;
    const auto graph = MakeGraph(document, setup);
    ASSERT_TRUE(graph->GetPoints());
    const PointGrid& grid = graph->Points();
    ASSERT_TRUE(grid.Allocated());
    EXPECT_FALSE(grid.Stored());
    EXPECT_TRUE(IsFresh(grid.Find(0, 0)));
    EXPECT_TRUE(IsFresh(grid.Find(grid.Upper(0), grid.Upper(1))));
  }
  // Without Animation the animation arrays get their extent but no points.
  for (const std::int32_t kind : {8, 9, 10, 11, 12}) {
    SCOPED_TRACE(kind);
    Document document;
    document.values.AnimFrames = 3;
    const auto graph = MakeGraph(document, {kind, 3, 2, "t", "t", "x+t", 0, 1, 1, 0, 1, 1});
    ASSERT_TRUE(graph->GetPoints());
    const PointGrid& grid = AnimationGrid(*graph);
    ASSERT_TRUE(grid.Allocated());
    EXPECT_EQ(grid.Upper(kind == 8 ? 0 : kind == 10 || kind == 12 ? 2 : 1), 3);
    EXPECT_FALSE(grid.Stored());
    EXPECT_EQ(grid.Find(0), nullptr);
  }
}

// A compile failure is reported through the document (the compiler's own
// text) before any point; an expression that yields no value ends the
// sampling silently at its first evaluation, keeping what was set before.
TEST(Sampling, FailuresStopTheSampling) {
  struct Case {
    const char* name;
    GraphSetup setup;
    const char* exp2;
    XYZ first;  // Vert3D(0, 0) after the failure; the rest is fresh
  };
  const Case cases[] = {
      {"ExpressX of a parametric curve", {0, 1, 3, "2x", "u", "u", 0, 1, 1, 0, 1, 4}, "", {}},
      {"ExpressY, not evaluated", {0, 1, 2, "0", "(", "x", 0, 1, 1, 0, 1, 4}, "", {}},
      {"Exp2 of kind 20", {20, 1, 2, "0", "0", "x", 0, 1, 1, 0, 1, 4}, "foo", {}},
      {"empty explicit: X and z were set",
       {0, 1, 2, "0", "0", "", 0, 1, 1, 3, 4, 4},
       "",
       {3, 0, 0}},
      {"empty parametric: z was set", {0, 1, 3, "7", "", "u", 0, 1, 1, 3, 4, 4}, "", {0, 0, 7}},
      {"empty parametric polar", {0, 2, 3, "7", "u", " ", 0, 1, 1, 3, 4, 4}, "", {0, 0, 0}},
      {"empty surface", {2, 3, 2, "x", "", "1", 0, 1, 1, 0, 1, 4}, "", {0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Document document;
    const auto graph = MakeGraph(document, c.setup);
    graph->secondCurveExpression = c.exp2;
    EXPECT_FALSE(graph->GetPoints());
    const bool syntax = std::string(c.name).rfind("empty", 0) != 0;
    ASSERT_EQ(document.reporter.messages.size(), syntax ? 1u : 0u);
    if (syntax) {
      EXPECT_EQ(document.reporter.messages[0].title, "Syntax Error");
    }
    ExpectPoint(graph->Points().Find(0, 0), c.first);
    for (std::int32_t i = 1; i <= 4; ++i) {
      EXPECT_TRUE(IsFresh(graph->Points().Find(0, i)));
    }
  }
}

// RND texts are evaluated point by point in a fixed order: per point
// the curve, then the second curve, drawing numbers from the document.
TEST(Sampling, RandomTextsFollowTheEvaluationOrder) {
  Document document;
  const auto graph = MakeGraph(document, {20, 1, 2, "0", "0", "rnd(1)", 0, 1, 1, 0, 1, 3});
  graph->secondCurveExpression = "rnd(1)*2";
  ASSERT_TRUE(graph->GetPoints());
  RandomGenerator reference;
  for (std::int32_t i = 0; i <= 3; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(graph->Points().Find(0, i)->y, reference.Next(1));
    EXPECT_EQ(graph->SecondCurvePoints().Find(0, i)->y,
              static_cast<float>(static_cast<double>(reference.Next(1)) * 2));
  }
  // A second sampling continues the document's sequence.
  ASSERT_TRUE(graph->GetPoints());
  EXPECT_EQ(graph->Points().Find(0, 0)->y, reference.Next(1));
}

// Pure texts are evaluated in blocks; the points must be those of the
// point-by-point path, which a text that calls RND (here multiplied by 0)
// takes. Enough steps for several blocks.
TEST(Sampling, BlockPathEqualsPointPath) {
  const std::string taint = "+0*rnd(1)";
  struct Case {
    const char* name;
    GraphSetup setup;
    bool animated = false;
  };
  const Case cases[] = {
      {"explicit Cartesian", {0, 1, 2, "0", "0", "2*sin(x)^2-log(x)", 0, 1, 3, -7, 13, 2500}},
      {"explicit polar", {0, 2, 2, "0", "0", "sqr(cos(a))*3", 0, 1, 1, -4, 9, 2100}},
      {"parametric Cartesian", {0, 1, 3, "u/7", "cos(u)*u", "tan(u)", 0, 1, 1, -6, 6, 3000}},
      {"parametric polar", {0, 2, 3, "u", "u*u", "1/u", 0, 1, 1, -3, 3, 1500}},
      {"second curve", {20, 1, 2, "0", "0", "x*x*x", 0, 1, 2, -5, 5, 1100}},
      {"ribbon around Y", {22, 1, 2, "0", "0", "asin(x/9)", 0, 1, 1, -9, 9, 1200}},
      {"surface spherical", {2, 5, 2, "a", "b", "a*b+1", 0, 3, 30, -1, 1, 1300}},
      {"surface parametric", {13, 3, 3, "u", "v", "u^v", -2, 2, 3, -1, 1, 2049}},
      {"coordinate plane curve", {1, 4, 2, "0", "0", "exp(r)+a", -3, 3, 2100}},
      {"animated point", {8, 5, 2, "t", "t*t", "t/3"}, true},
      {"animated curve", {9, 1, 2, "0", "0", "sin(x*t)*40", 0, 1, 1, -3, 3, 1100}, true},
      {"animated curve, kind 10", {10, 2, 3, "t", "u", "u*t", 0, 1, 1, -3, 3, 1100}, true},
      {"animated coordinate plane curve", {11, 3, 2, "0", "0", "y*t*7", -4, 4, 1300}, true},
      {"animated surface", {12, 4, 3, "u", "v*t", "v-u", -1, 1, 40, 0, 2, 30}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Document blockDocument;
    Document pointDocument;
    const auto block = MakeGraph(blockDocument, c.setup);
    auto tainted = c.setup;
    tainted.x += taint;
    tainted.y += taint;
    tainted.z += taint;
    const auto point = MakeGraph(pointDocument, tainted);
    block->secondCurveExpression = "x*x-30";
    point->secondCurveExpression = "x*x-30" + taint;
    for (Document* document : {&blockDocument, &pointDocument}) {
      document->values.AnimFrames = 1200;
    }
    for (Graph* graph : {block.get(), point.get()}) {
      graph->animated = c.animated;
      graph->minT = -2;
      graph->maxT = 2;
    }
    ASSERT_TRUE(block->GetPoints());
    ASSERT_TRUE(point->GetPoints());
    // Every stored cell of every grid alike; the count compared.
    const auto compare = [&]() {
      std::size_t compared = 0;
      for (const auto grid :
           {&Graph::Points, &Graph::SecondCurvePoints, &Graph::RibbonPoints,
            &Graph::SpaceCurvePoints, &Graph::AnimatedPoint, &Graph::AnimatedCurve,
            &Graph::AnimatedRibbon, &Graph::AnimatedSpaceCurve, &Graph::AnimatedSurface}) {
        const PointGrid& a = ((*block).*grid)();
        const PointGrid& b = ((*point).*grid)();
        EXPECT_EQ(a.Size(), b.Size());
        EXPECT_TRUE(a.StoredSize() == b.StoredSize() &&
                    std::equal(a.Data(), a.Data() + a.StoredSize(), b.Data()));
        compared += a.StoredSize();
      }
      return compared;
    };
    EXPECT_GT(compare(), 1024u);
    // Sampling again over the same storage writes every stored cell anew.
    const PointGrid& grid = block->Points();
    if (!c.animated && grid.Stored()) {
      // The test writes through the read-only view to plant stale cells.
      GridPoint* cells = const_cast<GridPoint*>(grid.Data());
      for (std::size_t n = 0; n < grid.StoredSize(); n += 7) {
        cells[n] = GridPoint{7, 8, 9};
      }
      ASSERT_TRUE(block->GetPoints());
      EXPECT_GT(compare(), 1024u);
    }
  }
}

// Kind 1 evaluates ExpressZ once for every token naming one of its pair:
// with RND each evaluation draws a number, and the last one is kept.
TEST(Sampling, CoordinatePlaneCurveEvaluatesPerMatchingToken) {
  // Texts, and the evaluations each point takes.
  const std::pair<const char*, int> cases[] = {
      {"rnd(1)+x*0", 1}, {"rnd(1)+x*0+y*0", 2}, {"rnd(1)+x*y*0+x*0+y*0", 4}};
  for (const auto& [expression, evaluations] : cases) {
    SCOPED_TRACE(expression);
    Document document;
    const auto graph = MakeGraph(document, {1, 3, 2, "0", "0", expression, 0, 1, 3});
    ASSERT_TRUE(graph->GetPoints());
    RandomGenerator reference;
    for (std::int32_t j = 0; j <= 3; ++j) {
      float value = 0;
      for (int n = 0; n < evaluations; ++n) {
        value = reference.Next(1);
      }
      EXPECT_FLOAT_EQ(graph->SpaceCurvePoints().Find(j)->y, value) << "point " << j;
    }
  }
}

// A negative count is refused before anything changes: the points of the
// last sampling stay, and the counts keep their values.
TEST(Sampling, NegativeStepCountsAreRefused) {
  struct Case {
    const char* name;
    std::int32_t kind, stepU, stepV, frames;
  };
  const Case cases[] = {{"StepU", 0, -1, 4, 1}, {"StepV", 0, 1, -4, 1}, {"frames", 9, 1, 4, -2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Document document;
    document.values.AnimFrames = 2;
    const auto graph = MakeGraph(document, {c.kind, 1, 2, "0", "0", "x+1", 0, 1, 1, 0, 3, 3});
    graph->animated = true;
    ASSERT_TRUE(graph->GetPoints());
    const PointGrid& grid = c.kind == 9 ? graph->AnimatedCurve() : graph->Points();
    const std::size_t size = grid.Size();
    graph->stepsU = c.stepU;
    graph->stepsV = c.stepV;
    document.values.AnimFrames = c.frames;
    EXPECT_FALSE(graph->GetPoints());
    EXPECT_EQ(graph->stepsU, c.stepU);
    EXPECT_EQ(graph->stepsV, c.stepV);
    EXPECT_EQ(document.values.AnimFrames, c.frames);
    EXPECT_EQ(grid.Size(), size);
    // The last point of the curve, x = 3.
    const GridPoint* last = c.kind == 9 ? grid.Find(3, 2) : grid.Find(0, 3);
    EXPECT_EQ(last->y, 4.0f);
    EXPECT_TRUE(document.reporter.messages.empty());
  }
}

// Counts whose points would pass the budget are refused with a message,
// without allocating; arrays that are never computed do not count.
TEST(Sampling, PointBudget) {
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  struct Case {
    const char* name;
    GraphSetup setup;
    bool animated;
    std::int32_t frames;
    bool accepted;
  };
  const Case cases[] = {
      {"curve, wide u grid", {0, 1, 2, "0", "0", "x", 0, 1, 20000, 0, 1, 20000}, false, 1, false},
      {"surface 2^31 x 2^31", {2, 3, 2, "x", "y", "1", 0, 1, kMax, 0, 1, kMax}, false, 1, false},
      {"animated surface", {12, 3, 2, "x", "y", "1", 0, 1, kMax, 0, 1, kMax}, true, kMax, false},
      {"ribbon, 41 x 10^6", {21, 1, 2, "0", "0", "x", 0, 1, 1, 0, 1, 1'000'000}, false, 1, false},
      {"implicit graph", {0, 1, 1, "0", "0", "x", 0, 1, 20000, 0, 1, 20000}, false, 1, true},
      {"animation off", {12, 3, 2, "x", "y", "1", 0, 1, 2000, 0, 1, 2000}, false, 2000, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Document document;
    document.values.AnimFrames = c.frames;
    const auto graph = MakeGraph(document, c.setup);
    graph->name = "big";
    graph->animated = c.animated;
    EXPECT_EQ(graph->GetPoints(), c.accepted);
    if (c.accepted) {
      EXPECT_TRUE(document.reporter.messages.empty());
      continue;
    }
    EXPECT_FALSE(graph->Points().Allocated());
    ASSERT_EQ(document.reporter.messages.size(), 1u);
    const auto& message = document.reporter.messages[0];
    EXPECT_EQ(message.title, "Error");
    EXPECT_EQ(message.icon, MessageIcon::Critical);
    EXPECT_NE(message.text.find("\"big\""), std::string::npos) << message.text;
  }
}

// Parameters beyond single range become the undefined mark; no coordinate
// is ever infinite.
TEST(Sampling, ValuesBeyondSingleRangeAreUndefined) {
  const GraphSetup setups[] = {
      {0, 1, 2, "0", "0", "1", 0, 1, 1, -3e38f, 3e38f, 1},
      {0, 2, 2, "0", "0", "300000000000000000000000000000000000000", 0, 1, 1, -3e38f, 3e38f, 3},
      {2, 3, 2, "x", "y", "x", -3e38f, 3e38f, 1, -3e38f, 3e38f, 1},
      {21, 1, 2, "0", "0", "x", 0, 1, 1, FLT_MAX, -FLT_MAX, 2},
  };
  for (const GraphSetup& setup : setups) {
    SCOPED_TRACE("kind " + std::to_string(setup.graphType));
    Document document;
    const float inf = std::numeric_limits<float>::infinity();
    document.values.ViewMinX = document.values.ViewMinY = document.values.ViewMinZ = -inf;
    document.values.ViewMaxX = document.values.ViewMaxY = document.values.ViewMaxZ = inf;
    const auto graph = MakeGraph(document, setup);
    ASSERT_TRUE(graph->GetPoints());
    for (const PointGrid* grid : {&graph->Points(), &graph->RibbonPoints()}) {
      for (std::size_t n = 0; n < grid->StoredSize(); ++n) {
        const GridPoint& point = grid->Data()[n];
        ASSERT_TRUE(std::isfinite(point.x) && std::isfinite(point.y) && std::isfinite(point.z))
            << "cell " << n;
      }
    }
    if (&setup == &setups[0]) {
      // One step of 6e38, which is no single: the curve still ends at MaxV.
      EXPECT_EQ(graph->Points().Find(0, 0)->x, -3e38f);
      EXPECT_EQ(graph->Points().Find(0, 1)->x, 3e38f);
    }
  }
}

}  // namespace
}  // namespace quillon
