// Certified refinement of plane curves: every drawn segment within three
// quarters of a pixel of the true curve (half a pixel to the chord, a
// quarter for merging), no segment across a pole or a jump, branches at a
// pole running out of the view, the evaluation count, and the stored points
// left as they were.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "graph/certified_curve.h"
#include "graph/document_values.h"
#include "graph/graph.h"

namespace quillon {
namespace {

using XY = std::pair<double, double>;
// The true curve at a parameter, in double precision; nothing where it has
// no value.
using TrueCurve = std::function<std::optional<XY>(double)>;

struct RefineCase {
  const char* name;
  CoordinateSystem coordinates;
  FunctionForm form;
  const char* x;  // the texts of the graph's fields
  const char* y;
  const char* z;
  float from, to;
  std::int32_t steps;
  CurveView view;
  TrueCurve curve;
  // Parameters where the curve breaks; poles: the branches on both sides
  // leave the view there, jumps: they end within 1/100 pixel of it.
  std::vector<double> poles = {};
  std::vector<double> jumps = {};
};

std::optional<XY> Explicit(double x, double y) {
  return std::isfinite(y) ? std::optional<XY>(XY{x, y}) : std::nullopt;
}

// An 800 x 600 view of the rectangle.
CurveView View(double minX, double maxX, double minY, double maxY) {
  CurveView view;
  view.minX = minX;
  view.maxX = maxX;
  view.minY = minY;
  view.maxY = maxY;
  view.pixelWidth = (maxX - minX) / 800;
  view.pixelHeight = (maxY - minY) / 600;
  return view;
}

const double kPi = std::acos(-1.0);

std::vector<RefineCase> Cases() {
  using C = CoordinateSystem;
  using F = FunctionForm;
  return {
      {"tan",
       C::Cartesian,
       F::Explicit,
       "0",
       "0",
       "tan(x)",
       -5,
       5,
       100,
       View(-6, 6, -5, 5),
       [](double x) { return Explicit(x, std::tan(x)); },
       {-3 * kPi / 2, -kPi / 2, kPi / 2, 3 * kPi / 2},
       {}},
      {"pole",
       C::Cartesian,
       F::Explicit,
       "0",
       "0",
       "1/(x-0.37)",
       -20,
       20,
       50,
       View(-20, 20, -20, 20),
       [](double x) { return Explicit(x, 1 / (x - 0.37)); },
       {0.37},
       {}},
      {"int",
       C::Cartesian,
       F::Explicit,
       "0",
       "0",
       "int(x)",
       -5,
       5,
       10,
       View(-6, 6, -6, 6),
       [](double x) { return Explicit(x, std::floor(x)); },
       {},
       {-4, -3, -2, -1, 0, 1, 2, 3, 4}},
      {"log",
       C::Cartesian,
       F::Explicit,
       "0",
       "0",
       "log(abs(x))*4",
       -6,
       6,
       12,
       View(-7, 7, -12, 8),
       [](double x) { return Explicit(x, std::log(std::fabs(x)) * 4); },
       {0},
       {}},
      {"sine", C::Cartesian, F::Explicit, "0", "0", "8*sin(x)", -20, 20, 16, View(-21, 21, -9, 9),
       [](double x) { return Explicit(x, 8 * std::sin(x)); }},
      {"polar circle", C::Polar, F::Explicit, "0", "0", "3", 0, 6.2832f, 8, View(-4, 4, -3, 3),
       [](double a) {
         return std::optional<XY>(XY{3 * std::cos(a), 3 * std::sin(a)});
       }},
      {"ellipse", C::Cartesian, F::Parametric, "0", "cos(u)*5", "sin(u)*3", 0, 6.2832f, 6,
       View(-6, 6, -4, 4),
       [](double u) {
         return std::optional<XY>(XY{std::cos(u) * 5, std::sin(u) * 3});
       }},
      {"spiral", C::Polar, F::Parametric, "0", "u", "1+u/4", 0, 12, 5, View(-5, 5, -4, 4),
       [](double u) {
         const double r = 1 + u / 4;
         return std::optional<XY>(XY{r * std::cos(u), r * std::sin(u)});
       }},
  };
}

std::unique_ptr<Graph> Sampled(DocumentValues& document, const RefineCase& c) {
  auto graph = std::make_unique<Graph>(document);
  graph->coordinates = c.coordinates;
  graph->form = c.form;
  graph->expressionX = c.x;
  graph->expressionY = c.y;
  graph->expressionZ = c.z;
  graph->minV = c.from;
  graph->maxV = c.to;
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
  for (const RefineCase& c : Cases()) {
    SCOPED_TRACE(c.name);
    DocumentValues document;
    const std::unique_ptr<Graph> graph = Sampled(document, c);
    const std::vector<GridPoint> stored(graph->Points().Data(),
                                        graph->Points().Data() + graph->Points().StoredSize());
    const CurveRefiner refiner(*graph);
    ASSERT_TRUE(refiner.Handles());
    const CurveView& v = c.view;
    auto pixel = [&](XY p) { return XY{v.PixelX(p.first), v.PixelY(p.second)}; };
    // The farthest the true curve gets from the segment drawn for it, in
    // pixels; no segment may span a pole or a jump.
    auto farthest = [&](const RefinedCurve& refined) {
      double distance = 0;
      for (std::size_t run = 0; run < refined.RunCount(); ++run) {
        EXPECT_GE(refined.runEnds[run] - refined.RunBegin(run), 2u);
        for (std::size_t i = refined.RunBegin(run); i + 1 < refined.runEnds[run]; ++i) {
          const double t0 = refined.parameters[i];
          const double t1 = refined.parameters[i + 1];
          for (double pole : c.poles) {
            EXPECT_FALSE(std::min(t0, t1) <= pole && pole <= std::max(t0, t1)) << pole;
          }
          for (double jump : c.jumps) {
            EXPECT_FALSE(std::min(t0, t1) < jump && jump < std::max(t0, t1)) << jump;
          }
          const XY a = pixel({refined.points[i].x, refined.points[i].y});
          const XY b = pixel({refined.points[i + 1].x, refined.points[i + 1].y});
          const int samples =
              16 + static_cast<int>(10 * std::hypot(b.first - a.first, b.second - a.second));
          for (int k = 0; k <= samples; ++k) {
            const std::optional<XY> p = c.curve(t0 + (t1 - t0) * k / samples);
            EXPECT_TRUE(p) << t0 << ".." << t1;
            distance = p ? std::max(distance, SegmentDistance(pixel(*p), a, b)) : distance;
          }
        }
      }
      return distance;
    };
    // Unmerged, each segment is a chord within half a pixel of its piece.
    RefineLimits unmerged;
    unmerged.mergeTolerance = 0;
    const std::optional<RefinedCurve> chords = refiner.Refine(v, unmerged);
    ASSERT_TRUE(chords);
    EXPECT_LE(farthest(*chords), 0.501);
    const std::optional<RefinedCurve> refined = refiner.Refine(v);
    ASSERT_TRUE(refined);
    EXPECT_LE(farthest(*refined), 0.751);
    EXPECT_LE(refined->points.size(), chords->points.size());
    EXPECT_TRUE(refined->complete);
    EXPECT_LE(refined->evaluations,
              RefineLimits().allowance + 64 * static_cast<std::size_t>(c.steps + 1));
    EXPECT_TRUE(std::equal(stored.begin(), stored.end(), graph->Points().Data()));
    ASSERT_GT(refined->RunCount(), 0u);

    // The runs on both sides of a pole reach beyond the view's top or
    // bottom; those at a jump end right at it.
    auto nearestEnds = [&](double at, double& before, double& after, XY& beforePoint,
                           XY& afterPoint) {
      before = -HUGE_VAL;
      after = HUGE_VAL;
      for (std::size_t i = 0; i < refined->points.size(); ++i) {
        const double t = refined->parameters[i];
        const XY p{refined->points[i].x, refined->points[i].y};
        if (t < at && t > before) {
          before = t;
          beforePoint = p;
        }
        if (t >= at && t < after) {
          after = t;
          afterPoint = p;
        }
      }
    };
    for (double pole : c.poles) {
      double before = 0, after = 0;
      XY p, q;
      nearestEnds(pole, before, after, p, q);
      EXPECT_TRUE(p.second > v.maxY || p.second < v.minY) << pole << ": " << p.second;
      EXPECT_TRUE(q.second > v.maxY || q.second < v.minY) << pole << ": " << q.second;
    }
    for (double jump : c.jumps) {
      double before = 0, after = 0;
      XY p, q;
      nearestEnds(jump, before, after, p, q);
      EXPECT_LT((after - before) / v.pixelWidth, 0.01) << jump;
    }
  }
}

// A proven straight piece is one segment, whatever the step count; the
// runs end where the view interval clips the curve.
TEST(CertifiedCurve, MergesStraightRunsAndCutsAtTheViewInterval) {
  for (const std::int32_t steps : {1, 100, 100000}) {
    DocumentValues document;
    document.ViewMaxY = 3.25f;  // y = 3.25 at x = 2.5
    const RefineCase line{"line",
                          CoordinateSystem::Cartesian,
                          FunctionForm::Explicit,
                          "0",
                          "0",
                          "x/10+3",
                          -5,
                          5,
                          steps,
                          View(-6, 6, 0, 5),
                          nullptr};
    const std::unique_ptr<Graph> graph = Sampled(document, line);
    const std::optional<RefinedCurve> refined = CurveRefiner(*graph).Refine(line.view);
    ASSERT_TRUE(refined);
    ASSERT_EQ(refined->RunCount(), 1u) << steps;
    ASSERT_EQ(refined->points.size(), 2u) << steps;
    EXPECT_FLOAT_EQ(refined->points[0].x, -5);
    EXPECT_FLOAT_EQ(refined->points[0].y, 2.5f);
    EXPECT_NEAR(refined->points[1].x, 2.5f, 1e-5);
    EXPECT_NEAR(refined->points[1].y, 3.25f, 1e-6);
  }
}

// The count bounds the work: out of evaluations, what is left undecided is
// not drawn, and the refinement says it is incomplete.
TEST(CertifiedCurve, StopsAtTheEvaluationCount) {
  DocumentValues document;
  const RefineCase wild{"wild",
                        CoordinateSystem::Cartesian,
                        FunctionForm::Explicit,
                        "0",
                        "0",
                        "tan(x*50)",
                        -5,
                        5,
                        10,
                        View(-6, 6, -5, 5),
                        nullptr};
  const std::unique_ptr<Graph> graph = Sampled(document, wild);
  RefineLimits limits;
  limits.perStoredPoint = 8;
  limits.allowance = 200;
  const std::optional<RefinedCurve> refined = CurveRefiner(*graph).Refine(wild.view, limits);
  ASSERT_TRUE(refined);
  EXPECT_FALSE(refined->complete);
  EXPECT_LE(refined->evaluations, 2 * (8 * 11 + 200));
}

// Kinds, forms and texts the refinement leaves to the plain drawing.
TEST(CertifiedCurve, HandlesSampledPlaneCurvesWithPureTexts) {
  struct Setup {
    GraphKind kind;
    CoordinateSystem coordinates;
    FunctionForm form;
    const char* z;
    bool sample;
    bool handled;
  };
  const Setup setups[] = {
      {GraphKind::PlaneCurve, CoordinateSystem::Cartesian, FunctionForm::Explicit, "x", true, true},
      {GraphKind::PlaneCurve, CoordinateSystem::Cartesian, FunctionForm::Explicit, "x", false,
       false},  // never sampled
      {GraphKind::PlaneCurve, CoordinateSystem::Cartesian, FunctionForm::Explicit, "rnd(x)", true,
       false},
      {GraphKind::PlaneCurve, CoordinateSystem::Cartesian, FunctionForm::Equation, "x", true,
       false},
      {GraphKind::Surface, CoordinateSystem::CartesianSpace, FunctionForm::Explicit, "x", true,
       false},
      {GraphKind::StepOrStemPlot, CoordinateSystem::Polar, FunctionForm::Explicit, "a", true, true},
  };
  for (const Setup& s : setups) {
    DocumentValues document;
    Graph graph(document);
    graph.kind = s.kind;
    graph.coordinates = s.coordinates;
    graph.form = s.form;
    graph.expressionX = graph.expressionY = "0";
    graph.expressionZ = s.z;
    graph.stepsV = 10;
    graph.maxV = 1;
    if (s.sample) {
      graph.GetPoints();
    }
    EXPECT_EQ(CurveRefiner(graph).Handles(), s.handled) << s.z << " " << s.sample;
  }
}

}  // namespace
}  // namespace quillon
