// The points of interest of a document: those of every shown explicit
// Cartesian graph, graph by graph in the order of their ids, each
// intersection listed once, under the graph with the lower id.
#pragma once

#include <vector>

#include "graph/points_of_interest.h"

namespace quillon {

class Document;
class Graph;

struct GraphPointsOfInterest {
  const Graph* graph = nullptr;  // a graph of the document's shown scene
  PointsOfInterest found;
};

std::vector<GraphPointsOfInterest> ShownPointsOfInterest(const Document& document,
                                                         const AnalysisLimits& limits = {});

}  // namespace quillon
