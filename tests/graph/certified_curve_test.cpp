// Certified refinement of plane curves, against the true curve computed
// from the formula: chords within half a pixel (three quarters merged), no
// segment across a pole or a jump, branches at a pole out of the view, the
// evaluation count, and the stored points left as they were.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "graph/certified_curve.h"
#include "graph_test_support.h"

namespace quillon {
namespace {

using XY = std::pair<double, double>;

struct RefineCase {
  const char* name;
  CoordinateSystem coordinates;
  FunctionForm form;
  const char* y;  // the texts of the Y and Z fields
  const char* z;
  float from, to;
  std::int32_t steps;
  double minX, maxX, minY, maxY;  // the view, over 800 x 600 pixels
  // The true curve at a parameter, in double precision.
  std::function<XY(double)> curve;
  // Runs may end inside the view besides the ends of the range at a jump at
  // every whole number (within 1/100 pixel); at a pole the branches leave
  // the view.
  bool jumpsAtWholeNumbers = false;
};

CurveView View(const RefineCase& c) {
  return {c.minX, c.maxX, c.minY, c.maxY, (c.maxX - c.minX) / 800, (c.maxY - c.minY) / 600};
}

std::unique_ptr<Graph> Sampled(DocumentValues& document, const RefineCase& c) {
  auto graph = std::make_unique<Graph>(testing::ExplicitCurve(document, c.z, c.from, c.to));
  graph->coordinates = c.coordinates;
  graph->form = c.form;
  graph->expressionX = "0";
  graph->expressionY = c.y;
  graph->stepsV = c.steps;
  EXPECT_TRUE(graph->GetPoints());
  return graph;
}

double SegmentDistance(XY p, XY a, XY b) {
  const double dx = b.first - a.first;
  const double dy = b.second - a.second;
  const double length = dx * dx + dy * dy;
  const double s =
      length > 0
          ? std::clamp(((p.first - a.first) * dx + (p.second - a.second) * dy) / length, 0.0, 1.0)
          : 0.0;
  return std::hypot(p.first - a.first - s * dx, p.second - a.second - s * dy);
}

TEST(CertifiedCurve, DrawsWithinAPixelAndBreaksAtPolesAndJumps) {
  using C = CoordinateSystem;
  using F = FunctionForm;
  const auto tangent = [](double x) { return XY{x, std::tan(x)}; };
  const auto stairs = [](double x) { return XY{x, std::floor(x)}; };
  const auto logarithm = [](double x) { return XY{x, std::log(std::fabs(x)) * 4}; };
  const auto circle = [](double a) { return XY{3 * std::cos(a), 3 * std::sin(a)}; };
  const auto ellipse = [](double u) { return XY{std::cos(u) * 5, std::sin(u) * 3}; };
  const auto spiral = [](double u) {
    return XY{(1 + u / 4) * std::cos(u), (1 + u / 4) * std::sin(u)};
  };
  const RefineCase cases[] = {
      {"tan", C::Cartesian, F::Explicit, "0", "tan(x)", -5, 5, 100, -6, 6, -5, 5, tangent},
      {"int", C::Cartesian, F::Explicit, "0", "int(x)", -5, 5, 10, -6, 6, -6, 6, stairs, true},
      {"log", C::Cartesian, F::Explicit, "0", "log(abs(x))*4", -6, 6, 12, -7, 7, -12, 8, logarithm},
      {"polar circle", C::Polar, F::Explicit, "0", "3", 0, 6.2832f, 8, -4, 4, -3, 3, circle},
      {"ellipse", C::Cartesian, F::Parametric, "cos(u)*5", "sin(u)*3", 0, 6.2832f, 6, -6, 6, -4, 4,
       ellipse},
      {"spiral", C::Polar, F::Parametric, "u", "1+u/4", 0, 12, 5, -5, 5, -4, 4, spiral},
  };
  for (const RefineCase& c : cases) {
    SCOPED_TRACE(c.name);
    DocumentValues document;
    const std::unique_ptr<Graph> graph = Sampled(document, c);
    const std::vector<GridPoint> stored(graph->Points().Data(),
                                        graph->Points().Data() + graph->Points().StoredSize());
    const CurveRefiner refiner(*graph);
    const CurveView v = View(c);
    std::vector<double> breaks;
    for (double k = std::floor(c.from) + 1; c.jumpsAtWholeNumbers && k < c.to; ++k)
      breaks.push_back(k);
    auto pixel = [&](XY p) { return XY{v.PixelX(p.first), v.PixelY(p.second)}; };
    for (const double merge : {0.0, 0.25}) {
      RefineLimits limits;
      limits.mergeTolerance = merge;
      const std::optional<RefinedCurve> refined = refiner.Refine(v, limits);
      ASSERT_TRUE(refined);
      EXPECT_TRUE(refined->complete);
      EXPECT_LE(refined->evaluations,
                limits.allowance + 64 * static_cast<std::size_t>(c.steps + 1));
      ASSERT_GT(refined->RunCount(), 0u);
      double farthest = 0;
      std::vector<double> ends;
      for (std::size_t run = 0; run < refined->RunCount(); ++run) {
        const std::size_t first = refined->RunBegin(run);
        const std::size_t last = refined->runEnds[run] - 1;
        // A run ends at an end of the range, beyond the view (a pole) or
        // at a jump.
        for (const std::size_t end : {first, last}) {
          const double t = refined->parameters[end];
          ends.push_back(t);
          const GridPoint& p = refined->points[end];
          const bool atBreak = std::any_of(breaks.begin(), breaks.end(), [&](double b) {
            return std::fabs(t - b) < v.pixelWidth / 100;
          });
          const bool beyond = p.y < v.minY || p.y > v.maxY;
          EXPECT_TRUE(t == c.from || std::fabs(t - c.to) < 1e-5 || atBreak || beyond) << t;
        }
        for (std::size_t i = first; i < last; ++i) {
          // Across a pole or a jump the true curve leaves the segment.
          const double t0 = refined->parameters[i];
          const double t1 = refined->parameters[i + 1];
          const XY a = pixel({refined->points[i].x, refined->points[i].y});
          const XY b = pixel({refined->points[i + 1].x, refined->points[i + 1].y});
          const int samples =
              16 + static_cast<int>(10 * std::hypot(b.first - a.first, b.second - a.second));
          for (int k = 0; k <= samples; ++k) {
            const XY p = pixel(c.curve(t0 + (t1 - t0) * k / samples));
            farthest = std::max(farthest, std::isfinite(p.second) ? SegmentDistance(p, a, b) : 1e9);
          }
        }
      }
      EXPECT_LE(farthest, 0.501 + merge);
      for (const double jump : breaks) {
        EXPECT_TRUE(std::any_of(ends.begin(), ends.end(), [&](double t) {
          return std::fabs(t - jump) < v.pixelWidth / 100;
        })) << jump;
      }
    }
    EXPECT_TRUE(std::equal(stored.begin(), stored.end(), graph->Points().Data()));
  }
}

// A proven straight piece is one segment, whatever the step count; the
// run ends where the view interval clips the curve.
TEST(CertifiedCurve, MergesStraightRunsAndCutsAtTheViewInterval) {
  for (const std::int32_t steps : {1, 100, 100000}) {
    SCOPED_TRACE(steps);
    DocumentValues document;
    document.ViewMaxY = 3.25f;  // y = 3.25 at x = 2.5
    const RefineCase line{"line",
                          CoordinateSystem::Cartesian,
                          FunctionForm::Explicit,
                          "0",
                          "x/10+3",
                          -5,
                          5,
                          steps,
                          -6,
                          6,
                          0,
                          5,
                          nullptr};
    const std::unique_ptr<Graph> graph = Sampled(document, line);
    const std::optional<RefinedCurve> refined = CurveRefiner(*graph).Refine(View(line));
    ASSERT_TRUE(refined);
    ASSERT_EQ(refined->points.size(), 2u);
    EXPECT_EQ(refined->RunCount(), 1u);
    EXPECT_EQ(refined->points[0], (GridPoint{-5, 2.5f, 0}));
    EXPECT_NEAR(refined->points[1].x, 2.5f, 1e-5);
    EXPECT_NEAR(refined->points[1].y, 3.25f, 1e-6);
  }
}

// The count bounds the work: out of evaluations, what is left undecided is
// not drawn and the refinement says it is incomplete. Texts with RND, and
// forms other than explicit and parametric, are left to the plain drawing.
TEST(CertifiedCurve, StopsAtTheCountAndRefinesOnlyPureCurves) {
  DocumentValues document;
  RefineCase wild{"wild",
                  CoordinateSystem::Cartesian,
                  FunctionForm::Explicit,
                  "0",
                  "tan(x*50)",
                  -5,
                  5,
                  10,
                  -6,
                  6,
                  -5,
                  5,
                  nullptr};
  std::unique_ptr<Graph> graph = Sampled(document, wild);
  RefineLimits limits;
  limits.perStoredPoint = 8;
  limits.allowance = 200;
  const std::optional<RefinedCurve> refined = CurveRefiner(*graph).Refine(View(wild), limits);
  ASSERT_TRUE(refined);
  EXPECT_FALSE(refined->complete);
  EXPECT_LE(refined->evaluations, 2 * (8 * 11 + 200));

  wild.z = "rnd(x)";
  EXPECT_FALSE(CurveRefiner(*Sampled(document, wild)).Handles());
  wild.z = "x";
  wild.form = FunctionForm::Equation;
  EXPECT_FALSE(CurveRefiner(*Sampled(document, wild)).Handles());
}

}  // namespace
}  // namespace quillon
