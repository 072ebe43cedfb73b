#include "io/shown_points.h"

#include <algorithm>

#include "graph/graph.h"
#include "graph/graph_collection.h"
#include "io/document.h"

namespace quillon {

std::vector<GraphPointsOfInterest> ShownPointsOfInterest(const Document& document,
                                                         const AnalysisLimits& limits) {
  std::vector<const Graph*> graphs;
  for (const GraphCollection::Entry& entry : document.ShowScene().Graphs()) {
    if (HasPointsOfInterest(*entry.second))
      graphs.push_back(entry.second.get());
  }
  std::stable_sort(graphs.begin(), graphs.end(),
                   [](const Graph* a, const Graph* b) { return a->id < b->id; });
  std::vector<GraphPointsOfInterest> listed;
  for (std::size_t i = 0; i < graphs.size(); ++i) {
    const std::vector<const Graph*> later(graphs.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                                          graphs.end());
    listed.push_back({graphs[i], FindPointsOfInterest(*graphs[i], later, limits)});
  }
  return listed;
}

}  // namespace quillon
