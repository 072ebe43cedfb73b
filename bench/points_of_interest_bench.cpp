// The certified points of interest of one explicit graph, all searches
// (roots, extrema, inflections, y-intercept): sin(50*x) over 0..10 with 160
// roots, 159 extrema and 159 inflections; a quintic with close roots; and
// sin(1/x) over -1..1, which spends the whole evaluation count near 0.
// Target: each well under the tenth of a second a window can wait on a click.
#include <benchmark/benchmark.h>

#include <string>

#include "graph/document_values.h"
#include "graph/graph.h"
#include "graph/points_of_interest.h"

namespace quillon {
namespace {

struct AnalysedFunction {
  const char* name;
  const char* text;
  float from, to;
};

const AnalysedFunction kAnalysedFunctions[] = {
    {"sin50", "sin(50*x)", 0, 10},
    {"quintic", "(x-1)*(x-1.001)*(x+2)*(x^2+0.5)*x", -3, 3},
    {"sinInverse", "sin(1/x)", -1, 1},
};

void BM_PointsOfInterest(benchmark::State& state, const AnalysedFunction& function) {
  DocumentValues document;
  Graph graph(document);
  graph.kind = GraphKind::PlaneCurve;
  graph.coordinates = CoordinateSystem::Cartesian;
  graph.form = FunctionForm::Explicit;
  graph.expressionZ = function.text;
  graph.minV = function.from;
  graph.maxV = function.to;
  std::size_t points = 0;
  std::size_t undecided = 0;
  for (auto _ : state) {
    const PointsOfInterest found = FindPointsOfInterest(graph, {});
    points = found.points.size();
    undecided = found.undecided.size();
    benchmark::DoNotOptimize(found.points.data());
  }
  state.counters["points"] = static_cast<double>(points);
  state.counters["undecided"] = static_cast<double>(undecided);
}

const bool kPointsOfInterestRegistered = [] {
  for (const AnalysedFunction& function : kAnalysedFunctions) {
    benchmark::RegisterBenchmark((std::string("BM_PointsOfInterest/") + function.name).c_str(),
                                 BM_PointsOfInterest, function)
        ->Unit(benchmark::kMillisecond);
  }
  return true;
}();

}  // namespace
}  // namespace quillon
