#include "drawing_test_support.h"

#include <gtest/gtest.h>

namespace quillon::testing {

std::shared_ptr<Cls9> TestDocument::MakeCurve(const std::string& expression, float from, float to,
                                              std::int32_t steps, std::int32_t color,
                                              std::int32_t width) {
  auto graph = std::make_shared<Cls9>(document);
  graph->ID(++lastId);
  graph->GraphType(0);
  graph->CoordType(1);
  graph->FunForm(2);
  graph->ExpressX("0");
  graph->ExpressY("0");
  graph->ExpressZ(expression);
  graph->MinV(from);
  graph->MaxV(to);
  graph->StepU(1);
  graph->StepV(steps);
  graph->LineColor(color);
  graph->LineWidth(width);
  graph->Material(4);
  EXPECT_TRUE(graph->GetPoints()) << expression;
  return graph;
}

std::shared_ptr<Cls9> TestDocument::MakePolyline(const std::vector<std::pair<float, float>>& points,
                                                 std::int32_t color, std::int32_t width) {
  const auto steps = static_cast<std::int32_t>(points.size()) - 1;
  auto graph = MakeCurve("0", 0, 1, steps, color, width);
  for (std::int32_t i = 0; i <= steps; ++i) {
    const auto& [x, y] = points[static_cast<std::size_t>(i)];
    graph->Vert3D(0, i, Cls2::Init(x, y, 0));
  }
  return graph;
}

void TestDocument::Show(const std::shared_ptr<Cls9>& graph) {
  scene.Graphs().Add(graph, std::to_string(graph->ID()));
}

}  // namespace quillon::testing
