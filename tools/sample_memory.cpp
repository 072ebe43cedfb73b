// Samples one explicit Cartesian curve y = f(x) over -10..10 and exits, so
// that the peak memory of sampling can be read with /usr/bin/time -v:
//   quillon_sample_memory [steps] [expression] [stepU]
// Defaults: 1000000 steps of 2*sin(x)^2 with StepU 1, as the Properties
// dialog creates a curve. Not part of the product.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "graph/document_values.h"
#include "graph/graph.h"

int main(int argc, char** argv) {
  const long steps = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 1000000;
  const std::string expression = argc > 2 ? argv[2] : "2*sin(x)^2";
  const long stepU = argc > 3 ? std::strtol(argv[3], nullptr, 10) : 1;

  quillon::DocumentValues document;
  quillon::Graph graph(document);
  graph.kind = quillon::GraphKind::PlaneCurve;
  graph.coordinates = quillon::CoordinateSystem::Cartesian;
  graph.form = quillon::FunctionForm::Explicit;
  graph.expressionX = "0";
  graph.expressionY = "0";
  graph.expressionZ = expression;
  graph.stepsU = static_cast<std::int32_t>(stepU);
  graph.stepsV = static_cast<std::int32_t>(steps);
  graph.minV = -10;
  graph.maxV = 10;
  if (!graph.GetPoints()) {
    std::fprintf(stderr, "sampling failed\n");
    return 1;
  }
  double sum = 0;
  for (std::int32_t i = 0; i <= graph.stepsV; ++i) {
    sum += static_cast<double>(graph.Points().Find(0, i)->y);
  }
  std::printf("%d points sampled, sum of y %.6g, %zu cells stored\n", graph.stepsV + 1, sum,
              graph.Points().StoredSize());
  return 0;
}
