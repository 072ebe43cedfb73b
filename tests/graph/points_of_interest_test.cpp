// Points of interest of explicit graphs against their analytic places: each
// expected point found to the location tolerance and nothing else listed,
// close and many zeros, poles, tails, double and tiny roots, and searches
// that end with undecided pieces instead of guesses. (Intersections are
// checked through the batch export.)
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "graph/points_of_interest.h"
#include "graph_test_support.h"

namespace quillon {
namespace {

using Kind = PointOfInterestKind;
using testing::ExplicitCurve;
const double kPi = std::acos(-1.0);

struct Expected {
  Kind kind;
  double x;
};

struct AnalysisCase {
  std::string text;
  float from, to;
  std::vector<Expected> points;  // in listing order: by kind, then x
  std::vector<Kind> undecided;   // the kinds of the undecided pieces, in order
};

void ExpectPoints(const PointsOfInterest& found, const std::vector<Expected>& expected) {
  ASSERT_EQ(found.points.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(found.points[i].kind, expected[i].kind);
    EXPECT_NEAR(found.points[i].x, expected[i].x, 1e-12 * std::max(1.0, std::fabs(expected[i].x)));
  }
}

TEST(PointsOfInterest, FindsEveryAnalyticPointOnce) {
  const Kind root = Kind::Root, minimum = Kind::Minimum, maximum = Kind::Maximum;
  const Kind inflection = Kind::Inflection, intercept = Kind::YIntercept;
  const double acosh2 = std::acosh(2.0);
  // clang-format off
  const std::vector<AnalysisCase> cases = {
      // A pole is no root, nor an extremum or inflection of tan; a vanishing tail is no root.
      {"tan(x)", 1, 5, {{root, kPi}, {inflection, kPi}}, {}},
      {"1/x", -1, 1, {}, {}},
      {"exp(-x)", 0.5f, 50, {}, {}},
      // A double root that is also a minimum, a tiny function's root, a triple root.
      {"(x-1)^2*(x+2)", -3, 3, {{root, -2}, {root, 1}, {minimum, 1}, {maximum, -1},
                                {inflection, 0}, {intercept, 0}}, {}},
      {"0.0000000001*(x-2)", 0, 5, {{root, 2}, {intercept, 0}}, {}},
      {"x^3", -1, 2, {{root, 0}, {inflection, 0}, {intercept, 0}}, {}},
      {"sin(x)", -4, 4, {{root, -kPi}, {root, 0}, {root, kPi}, {minimum, -kPi / 2},
                         {maximum, kPi / 2}, {inflection, -kPi}, {inflection, 0},
                         {inflection, kPi}, {intercept, 0}}, {}},
      // A straight line: no extremum or inflection to search for.
      {"2*x+1", -2, 2, {{root, -0.5}, {intercept, 0}}, {}},
      // Roots at the ends count, extrema there do not.
      {"x^2-2", 0, 3, {{root, std::sqrt(2.0)}, {intercept, 0}}, {}},
      {"sqrt(x)", 0, 4, {{root, 0}, {intercept, 0}}, {}},
      {"sqrt(1-x^2)", -1, 1, {{root, -1}, {root, 1}, {maximum, 0}, {intercept, 0}}, {}},
      // A fourfold root where f turns; f'' only touches 0 there, which the
      // third derivative cannot decide.
      {"x^4", -1, 2, {{root, 0}, {minimum, 0}, {intercept, 0}}, {inflection}},
      {"log(x)", 0, 3, {{root, 1}}, {}},
      {"x*exp(-x)", -1, 5, {{root, 0}, {maximum, 1}, {inflection, 2}, {intercept, 0}}, {}},
      {"asin(x)-0.5", -0.9f, 0.9f, {{root, std::sin(0.5)}, {inflection, 0}, {intercept, 0}}, {}},
      {"cosh(x)-2", -3, 3, {{root, -acosh2}, {root, acosh2}, {minimum, 0}, {intercept, 0}}, {}},
      // int(x) is 0 on a whole stretch and jumps at 1 and 2; |x| has no
      // derivative at 0, so its minimum there is not decided.
      {"int(x)", 0.5f, 2.5f, {}, {root, minimum, minimum, inflection, inflection}},
      {"abs(x)-1", -2, 2, {{root, -1}, {root, 1}, {intercept, 0}}, {minimum, inflection}},
      // 0 all along, proven only for the derivatives, or by its value at points.
      {"x-x", -1, 1, {{intercept, 0}}, {root}},
      {"int(x)*sin(x)", 0.5f, 2.5f, {{maximum, kPi / 2}}, {root, minimum, minimum, inflection, inflection}},
  };
  // clang-format on
  DocumentValues document;
  for (const AnalysisCase& c : cases) {
    SCOPED_TRACE(c.text);
    const Graph graph = ExplicitCurve(document, c.text, c.from, c.to);
    const PointsOfInterest found = FindPointsOfInterest(graph, {});
    ExpectPoints(found, c.points);
    ASSERT_EQ(found.undecided.size(), c.undecided.size());
    for (std::size_t i = 0; i < c.undecided.size(); ++i)
      EXPECT_EQ(found.undecided[i].kind, c.undecided[i]);
    for (const PointOfInterest& point : found.points)
      EXPECT_EQ(point.otherGraphId, 0);
  }
}

// 160 roots, 80 maxima and 79 minima only 1/16 apart: none is missed or
// found twice, whatever the graph's step count.
TEST(PointsOfInterest, SeparatesCloseZeros) {
  DocumentValues document;
  Graph graph = ExplicitCurve(document, "sin(50*x)", 0, 10);
  std::vector<Expected> expected;
  for (int k = 0; k < 160; ++k)
    expected.push_back({Kind::Root, k * kPi / 50});
  for (int k = 1; k < 159; k += 2)
    expected.push_back({Kind::Minimum, (k + 0.5) * kPi / 50});
  for (int k = 0; k < 159; k += 2)
    expected.push_back({Kind::Maximum, (k + 0.5) * kPi / 50});
  for (int k = 1; k < 160; ++k)
    expected.push_back({Kind::Inflection, k * kPi / 50});
  expected.push_back({Kind::YIntercept, 0});
  for (const std::int32_t steps : {1, 1000}) {
    graph.stepsV = steps;
    const PointsOfInterest found = FindPointsOfInterest(graph, {});
    EXPECT_TRUE(found.undecided.empty());
    ExpectPoints(found, expected);
  }
}

// Infinitely many zeros near 0: the count of evaluations ends the search,
// and what is left is told as undecided pieces around 0.
TEST(PointsOfInterest, EndsHostileTextsWithUndecidedPieces) {
  DocumentValues document;
  const Graph graph = ExplicitCurve(document, "sin(1/x)", -1, 1);
  AnalysisLimits limits;
  limits.evaluationsPerSearch = 4000;
  const PointsOfInterest found = FindPointsOfInterest(graph, {}, limits);
  ASSERT_FALSE(found.undecided.empty());
  for (const UndecidedPiece& piece : found.undecided)
    EXPECT_TRUE(piece.from > -0.1 && piece.to < 0.1) << piece.from << " " << piece.to;
  for (const PointOfInterest& point : found.points) {
    if (point.kind == Kind::Root) {
      const double nearest = 1 / (std::round(1 / (kPi * point.x)) * kPi);
      EXPECT_NEAR(point.x, nearest, 1e-12);
    }
  }
}

}  // namespace
}  // namespace quillon
