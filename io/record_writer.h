// The record texts of graphs, tables, axes and scenes: every field in its
// fixed order and text form (field_text.h), fields separated by one blank,
// no blank after a record's last field. Shared by graph files and the
// clipboard; record_reader.h reads them back.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quillon {

class Axis;
class Scene;
class Graph;

// Kinds written as graph records (Save) and as table records (SaveTable).
bool IsGraphRecordKind(std::int32_t graphType);
bool IsTableRecordKind(std::int32_t graphType);

// The graph record: 125 fields, 4 more when the graph is animated (MinT,
// MaxT and the document's AnimFrames and AnimExtra), plus the positions of
// its counted arrays. Throws IoError when a count exceeds 50.
std::string Save(const Graph& graph);
// The table record: 21 fields plus X, Y, z of every table point (i = 0..StepU
// outer, j = 0..StepV inner). A cell that holds no point gets a fresh one,
// which stays. Throws IoError when a step exceeds 200.
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
