// PointGrid: extents and fills, checked access to cells, and storage kept
// across resamplings of the same extent.
#include "graph/point_grid.h"

#include <limits>
#include <string>

#include "graph/graph_error.h"
#include "graph/plot_point.h"

namespace quillon {

namespace {
// Read by Find for cells that are fresh points without being stored.
const GridPoint kFreshPoint;
}  // namespace

std::optional<std::size_t> PointGrid::CellCount(std::int32_t upper1, std::int32_t upper2,
                                                std::int32_t upper3) {
  if (upper1 < 0 || upper2 < 0 || upper3 < 0) {
    return std::nullopt;
  }
  // Bounded as an array of PlotPoints would be: this fixes which counts the
  // point budget's message calls "more points than can be counted".
  const std::size_t limit = std::numeric_limits<std::size_t>::max() / sizeof(PlotPoint);
  std::size_t count = 1;
  for (std::int32_t upper : {upper1, upper2, upper3}) {
    const std::size_t dim = static_cast<std::size_t>(upper) + 1;
    if (count > limit / dim) {
      return std::nullopt;
    }
    count *= dim;
  }
  return count;
}

void PointGrid::Allocate(std::int32_t upper1, std::int32_t upper2, std::int32_t upper3, Fill fill) {
  const std::size_t stored = Reshape(upper1, upper2, upper3, fill);
  points_.assign(stored, GridPoint());
}

void PointGrid::AllocateUnset(std::int32_t upper1, std::int32_t upper2, std::int32_t upper3,
                              Fill fill) {
  points_.resize(Reshape(upper1, upper2, upper3, fill));
}

std::size_t PointGrid::Reshape(std::int32_t upper1, std::int32_t upper2, std::int32_t upper3,
                               Fill fill) {
  const auto count = CellCount(upper1, upper2, upper3);
  if (!count) {
    throw GraphError("Point array bounds out of range");
  }
  dim1_ = static_cast<std::size_t>(upper1) + 1;
  dim2_ = static_cast<std::size_t>(upper2) + 1;
  dim3_ = static_cast<std::size_t>(upper3) + 1;
  size_ = *count;
  width_ = fill == Fill::FirstColumn ? 1 : dim1_;
  fill_ = fill;
  allocated_ = true;
  const std::size_t stored = fill == Fill::Fresh         ? size_
                             : fill == Fill::FirstColumn ? size_ / dim1_
                                                         : 0;
  // Resampling a graph usually asks for the same extent again: storage of
  // about the right size is refilled in place instead of being returned to
  // the system and faulted in anew, which costs more than the filling.
  const bool reuse = stored > 0 && points_.capacity() >= stored && points_.capacity() / 2 <= stored;
  if (!reuse) {
    points_.clear();
    points_.shrink_to_fit();
  }
  return stored;
}

std::int32_t PointGrid::Upper(int index) const {
  if (!allocated_) {
    return -1;
  }
  const std::size_t dim = index == 0 ? dim1_ : index == 1 ? dim2_ : dim3_;
  return static_cast<std::int32_t>(dim) - 1;
}

void PointGrid::CheckRange(std::int32_t i, std::int32_t j, std::int32_t k) const {
  if (!allocated_ || i < 0 || j < 0 || k < 0 || static_cast<std::size_t>(i) >= dim1_ ||
      static_cast<std::size_t>(j) >= dim2_ || static_cast<std::size_t>(k) >= dim3_) {
    throw GraphError("Subscript out of range (" + std::to_string(i) + ", " + std::to_string(j) +
                     ", " + std::to_string(k) + ")");
  }
}

const GridPoint* PointGrid::Find(std::int32_t i, std::int32_t j, std::int32_t k) const {
  CheckRange(i, j, k);
  if (points_.empty()) {
    return fill_ == Fill::Lazy ? &kFreshPoint : nullptr;
  }
  if (static_cast<std::size_t>(i) >= width_) {
    return &kFreshPoint;  // beyond the stored first column
  }
  return &points_[Index(i, j, k)];
}

}  // namespace quillon
