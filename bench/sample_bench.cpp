// Sampling speed: GetPoints of an explicit Cartesian curve y = f(x) over
// -10..10 in 1,000,000 steps (1,000,001 points, as BM_PlainCpp computes),
// with the default view interval and StepU 1 as the Properties dialog sets
// it. Each iteration allocates, evaluates and clips the whole curve.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "expr/reporter.h"
#include "graph/document_values.h"
#include "graph/graph.h"

namespace quillon {
namespace {

constexpr std::int32_t kSteps = 1000000;

struct SampleFunction {
  const char* name;
  const char* expression;
};

const SampleFunction kSampleFunctions[] = {
    {"sin2", "2*sin(x)^2"},
    {"poly", "x^2+1"},
    {"mixed", "sqr(abs(x))*cos(x)/(1+x^2)"},
    {"hyper", "sinh(x)-cosh(x)*tanh(x)"},
};

class SilentReporter : public Reporter {
 public:
  void Report(const std::string&, const std::string& text, MessageIcon) override { last = text; }
  std::string last;
};

// Samples the graph once per iteration; false (with the benchmark marked as
// failed) when sampling fails.
bool SampleRepeatedly(benchmark::State& state, Graph& graph, const SilentReporter& reporter) {
  for (auto _ : state) {
    if (!graph.GetPoints()) {
      state.SkipWithError(("sampling failed: " + reporter.last).c_str());
      return false;
    }
    benchmark::DoNotOptimize(graph.Points().Data());
    benchmark::ClobberMemory();
  }
  return true;
}

void BM_Sample(benchmark::State& state, const SampleFunction& function) {
  SilentReporter reporter;
  DocumentValues document;
  document.reporter = &reporter;
  Graph graph(document);
  graph.kind = GraphKind::PlaneCurve;
  graph.coordinates = CoordinateSystem::Cartesian;
  graph.form = FunctionForm::Explicit;
  graph.expressionX = "0";
  graph.expressionY = "0";
  graph.expressionZ = function.expression;
  graph.stepsU = 1;
  graph.stepsV = kSteps;
  graph.minU = 0;
  graph.maxU = 1;
  graph.minV = -10;
  graph.maxV = 10;
  if (!SampleRepeatedly(state, graph, reporter)) {
    return;
  }
  // The last point lies at x = 10 up to the rounding of the single step.
  const GridPoint* last = graph.Points().Find(0, kSteps);
  if (last == nullptr || std::fabs(last->x - 10.0f) > 1e-4f) {
    state.SkipWithError("the curve does not end at x = 10");
    return;
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * (kSteps + 1));
}

// A surface z = f(x, y) over -10..10 in both directions, 300 steps each
// (90,601 points): sampled column by column, so each evaluation run covers
// 301 points and the cost of starting a run shows.
void BM_SampleSurface(benchmark::State& state) {
  constexpr std::int32_t kSurfaceSteps = 300;
  SilentReporter reporter;
  DocumentValues document;
  document.reporter = &reporter;
  Graph graph(document);
  graph.kind = GraphKind::Surface;
  graph.coordinates = CoordinateSystem::CartesianSpace;
  graph.form = FunctionForm::Explicit;
  graph.expressionX = "x";
  graph.expressionY = "y";
  graph.expressionZ = "sin(x)*cos(y)";
  graph.stepsU = kSurfaceSteps;
  graph.stepsV = kSurfaceSteps;
  graph.minU = -10;
  graph.maxU = 10;
  graph.minV = -10;
  graph.maxV = 10;
  if (!SampleRepeatedly(state, graph, reporter)) {
    return;
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * (kSurfaceSteps + 1) *
                          (kSurfaceSteps + 1));
}
BENCHMARK(BM_SampleSurface)->Unit(benchmark::kMillisecond);

const bool kSampleRegistered = [] {
  for (const SampleFunction& function : kSampleFunctions) {
    benchmark::RegisterBenchmark((std::string("BM_Sample/") + function.name).c_str(), BM_Sample,
                                 function)
        ->Unit(benchmark::kMillisecond);
  }
  return true;
}();

}  // namespace
}  // namespace quillon
