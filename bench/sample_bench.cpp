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
    benchmark::DoNotOptimize(graph.Vert3DGrid().Data());
    benchmark::ClobberMemory();
  }
  return true;
}

void BM_Sample(benchmark::State& state, const SampleFunction& function) {
  SilentReporter reporter;
  DocumentValues document;
  document.reporter = &reporter;
  Graph graph(document);
  graph.GraphType(0);
  graph.CoordType(1);
  graph.FunForm(2);
  graph.ExpressX("0");
  graph.ExpressY("0");
  graph.ExpressZ(function.expression);
  graph.StepU(1);
  graph.StepV(kSteps);
  graph.MinU(0);
  graph.MaxU(1);
  graph.MinV(-10);
  graph.MaxV(10);
  if (!SampleRepeatedly(state, graph, reporter)) {
    return;
  }
  // The last point lies at x = 10 up to the rounding of the single step.
  const PlotPoint* last = graph.Vert3DGrid().Find(0, kSteps);
  if (last == nullptr || std::fabs(last->X() - 10.0f) > 1e-4f) {
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
  graph.GraphType(2);
  graph.CoordType(3);
  graph.FunForm(2);
  graph.ExpressX("x");
  graph.ExpressY("y");
  graph.ExpressZ("sin(x)*cos(y)");
  graph.StepU(kSurfaceSteps);
  graph.StepV(kSurfaceSteps);
  graph.MinU(-10);
  graph.MaxU(10);
  graph.MinV(-10);
  graph.MaxV(10);
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
