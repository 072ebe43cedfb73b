// The record texts of graphs, tables, axes and scenes: every field in its
// fixed order and text form (field_text.h), fields separated by one blank,
// no blank after a record's last field. Shared by graph files and the
// clipboard; record_reader.h reads them back.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "graph/graph_kinds.h"

namespace quillon {

struct Axis;
class Scene;
class Graph;

// Kinds written as graph records (Save) and as table records (SaveTable).
bool IsGraphRecordKind(GraphKind kind);
bool IsTableRecordKind(GraphKind kind);

// The graph record: the fields of GraphRecordFields in order, the animation
// group only when the graph is animated. Throws IoError when a count of
// positions exceeds 50.
std::string Save(const Graph& graph);
// The table record (TableRecordFields). A cell that holds no point gets a
// fresh one, which stays. Throws IoError when a step exceeds 200.
std::string SaveTable(Graph& graph);
// The axis record: "0" for a hidden axis, otherwise 28 fields.
std::string Save(const Axis& axis);
// The record a graph's kind calls for: Save for graph kinds, SaveTable for
// table kinds; nothing for a kind that has no record. Throws as they do.
std::optional<std::string> SaveRecord(Graph& graph);
// The scene text: each graph's record followed by one blank, in list order;
// graphs of kinds that have no record add nothing.
std::string Save(const Scene& scene);

}  // namespace quillon
