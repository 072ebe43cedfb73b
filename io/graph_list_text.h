// The texts of graph-list entries: for graphs read from files, for graphs
// made by the Draw commands, and the program's own wording for graphs that
// neither table names.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "graph/graph_kinds.h"

namespace quillon {

class Graph;

// The entry of a graph read from a graph record of a file, chosen by its form,
// coordinates and kind in plane documents ("2D Curve  y=x^2",
// "Intersection  y=... , y=..."); nothing for every other combination.
std::optional<std::string> OpenedGraphEntryText(const Graph& graph, DocumentKind documentKind);
// The entry of an explicit Cartesian graph with a second curve
// ("Intersection  y=..., y=...") or a step or stem plot; nothing for other
// kinds, or a step-or-stem graph that shows neither.
std::optional<std::string> ExplicitAnalysisEntryText(const Graph& graph);
// The entry of a table graph whatever the document kind:
// "2D Table Graph: ", "2.5D Table Graph: " or "3D Table Graph: " and its name.
std::optional<std::string> TableEntryText(const Graph& graph);
// The entry of a graph made by the Draw commands, by coordinates and FunForm
// ("2D Curve  x=cos(u), y=sin(u)"); nothing for other combinations.
std::optional<std::string> NewGraphEntryText(const Graph& graph);
// Every graph keeps a list entry, so list positions stay those of the
// graphs: a plane implicit equation or inequation gets the Draw wording
// ("2D Curve  x^2+y^2-1=0", "Inequation  y-x<0"), any other graph its kind
// and name ("Graph kind 13: surface").
std::string FallbackEntryText(const Graph& graph);

}  // namespace quillon
