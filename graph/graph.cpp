// Graph: the shared cells of table graphs. Sampling is in graph_sampler*.cpp,
// boxing in graph_box.cpp, the settings an edit copies in graph_fields.cpp.
#include "graph/graph.h"

#include <string>

#include "graph/graph_error.h"

namespace quillon {

namespace {

constexpr std::size_t kTableSide = static_cast<std::size_t>(Graph::kTableUpper) + 1;

std::size_t TableIndex(std::int32_t u, std::int32_t v) {
  if (u < 0 || u > Graph::kTableUpper || v < 0 || v > Graph::kTableUpper) {
    throw GraphError("Subscript out of range: table cell (" + std::to_string(u) + ", " +
                     std::to_string(v) + ")");
  }
  // The first index varies fastest, as in every point array.
  return static_cast<std::size_t>(u) + kTableSide * static_cast<std::size_t>(v);
}

}  // namespace

std::shared_ptr<PlotPoint> Graph::TableCell(std::int32_t u, std::int32_t v) {
  const std::size_t index = TableIndex(u, v);
  if (tableCells_.empty()) {
    tableCells_.resize(kTableSide * kTableSide);
  }
  std::shared_ptr<PlotPoint>& cell = tableCells_[index];
  if (!cell) {
    cell = std::make_shared<PlotPoint>();
  }
  return cell;
}

void Graph::TableCell(std::int32_t u, std::int32_t v, std::shared_ptr<PlotPoint> point) {
  const std::size_t index = TableIndex(u, v);
  if (tableCells_.empty()) {
    tableCells_.resize(kTableSide * kTableSide);
  }
  tableCells_[index] = std::move(point);
}

const PlotPoint* Graph::FindTableCell(std::int32_t u, std::int32_t v) const {
  const std::size_t index = TableIndex(u, v);
  return tableCells_.empty() ? nullptr : tableCells_[index].get();
}

}  // namespace quillon
