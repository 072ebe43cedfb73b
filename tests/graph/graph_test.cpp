// The graph record: the settings an edit takes, and the shared table cells.
#include <set>
#include <string>
#include <utility>

#include "graph/graph_error.h"
#include "graph_test_support.h"
#include "support/field_seeds.h"

namespace quillon {
namespace {

using testing::Document;

TEST(GraphRecord, TakeSettingsCopiesWhatAnEditChanges) {
  for (const bool animated : {true, false}) {
    SCOPED_TRACE(animated ? "animated source" : "still source");
    Document document;
    Graph edited(document.values);
    Graph graph(document.values);
    testing::SeedGraphFields(edited, 1000);
    testing::SeedGraphFields(graph, 2000);
    edited.animated = animated;
    const Graph before = graph;

    graph.TakeSettings(edited);

    std::set<std::string> kept;
    for (const std::string& name : testing::DifferingGraphFields(graph, edited)) {
      kept.insert(name);
    }
    std::set<std::string> expected = {"ID", "LenFrom", "LenTo"};
    if (!animated) {
      expected.insert({"MinT", "MaxT"});
    }
    EXPECT_EQ(kept, expected);
    // What was kept is the record's own value.
    EXPECT_EQ(graph.id, before.id);
    EXPECT_EQ(graph.arcLengthTo, before.arcLengthTo);
    EXPECT_EQ(graph.minT, animated ? edited.minT : before.minT);
  }
}

// A table cell holds no point until TableCell stores a fresh one there, which
// later reads return; indices outside 0..200 throw.
TEST(GraphRecord, TableCells) {
  Document document;
  Graph graph(document.values);
  EXPECT_EQ(graph.FindTableCell(200, 200), nullptr);
  EXPECT_EQ(*graph.TableCell(200, 200), PlotPoint());
  EXPECT_EQ(graph.FindTableCell(200, 200), graph.TableCell(200, 200).get());
  EXPECT_EQ(graph.FindTableCell(3, 150), nullptr);
  for (const auto& [u, v] : {std::pair{-1, 0}, std::pair{0, 201}, std::pair{201, 5}}) {
    SCOPED_TRACE(std::to_string(u) + ", " + std::to_string(v));
    EXPECT_THROW(graph.TableCell(u, v), GraphError);
    EXPECT_THROW(graph.FindTableCell(u, v), GraphError);
  }
}

}  // namespace
}  // namespace quillon
