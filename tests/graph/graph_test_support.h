// Helpers shared by the graph tests: a document with a reporter that keeps
// every message, graph construction and point comparison.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "expr/reporter.h"
#include "expr/undefined_mark.h"
#include "graph/document_values.h"
#include "graph/graph.h"

namespace quillon::testing {

// Stands for UndefinedMark in tables of expected coordinates.
inline constexpr float U = UndefinedMark;

struct Message {
  std::string title, text;
  MessageIcon icon;
};

class RecordingReporter : public Reporter {
 public:
  void Report(const std::string& title, const std::string& text, MessageIcon icon) override {
    messages.push_back({title, text, icon});
  }
  std::vector<Message> messages;
};

struct Document {
  Document() { values.reporter = &reporter; }
  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;

  DocumentValues values;
  RecordingReporter reporter;
};

struct GraphSetup {
  // The codes as files carry them.
  std::int32_t graphType = 0;
  std::int32_t coordType = 1;
  std::int32_t funForm = 2;
  std::string x = "0", y = "0", z = "0";
  float minU = 0, maxU = 1;
  std::int32_t stepU = 1;
  float minV = 0, maxV = 1;
  std::int32_t stepV = 1;
};

inline std::shared_ptr<Graph> MakeGraph(Document& document, const GraphSetup& setup) {
  auto graph = std::make_shared<Graph>(document.values);
  graph->kind = static_cast<GraphKind>(setup.graphType);
  graph->coordinates = static_cast<CoordinateSystem>(setup.coordType);
  graph->form = static_cast<FunctionForm>(setup.funForm);
  graph->expressionX = setup.x;
  graph->expressionY = setup.y;
  graph->expressionZ = setup.z;
  graph->minU = setup.minU;
  graph->maxU = setup.maxU;
  graph->stepsU = setup.stepU;
  graph->minV = setup.minV;
  graph->maxV = setup.maxV;
  graph->stepsV = setup.stepV;
  return graph;
}

// y = text over [from, to] in the plane, the graph the analysis works on;
// its ID 1 tells it from the graph 0 an intersection names.
inline Graph ExplicitCurve(DocumentValues& document, const std::string& text, float from,
                           float to) {
  Graph graph(document);
  graph.id = 1;
  graph.coordinates = CoordinateSystem::Cartesian;
  graph.form = FunctionForm::Explicit;
  graph.expressionZ = text;
  graph.minV = from;
  graph.maxV = to;
  return graph;
}

struct XYZ {
  float x, y, z;
};

// The undefined mark must match exactly; numbers to a relative 1e-6.
inline void ExpectCoordinate(const char* axis, float actual, float expected) {
  SCOPED_TRACE(axis);
  if (expected == UndefinedMark || actual == UndefinedMark) {
    EXPECT_EQ(actual, expected);
    return;
  }
  EXPECT_NEAR(actual, expected, 1e-6 * std::max(1.0, std::fabs(static_cast<double>(expected))));
}

inline void ExpectPoint(const GridPoint* point, const XYZ& expected) {
  ASSERT_NE(point, nullptr);
  ExpectCoordinate("X", point->x, expected.x);
  ExpectCoordinate("Y", point->y, expected.y);
  ExpectCoordinate("z", point->z, expected.z);
}

// The array an animation kind (8 to 12) samples into.
inline const PointGrid& AnimationGrid(const Graph& graph) {
  const PointGrid& (Graph::*grids[])()
      const = {&Graph::AnimatedPoint, &Graph::AnimatedCurve, &Graph::AnimatedRibbon,
               &Graph::AnimatedSpaceCurve, &Graph::AnimatedSurface};
  return (graph.*grids[static_cast<int>(graph.kind) - 8])();
}

inline bool IsFresh(const GridPoint* point) {
  return point != nullptr && *point == GridPoint();
}

}  // namespace quillon::testing
