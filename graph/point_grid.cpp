// PointGrid: extents and fills, checked access to cells, and storage kept
// across resamplings of the same extent.
#include "graph/point_grid.h"

#include <limits>
#include <string>

#include "graph/graph_error.h"

namespace quillon {

namespace {
// Read by Find in Lazy grids: every cell of such a grid is a fresh point.
const GridPoint kFreshPoint;
}  // namespace

std::optional<std::size_t> PointGrid::CellCount(std::int32_t upper1, std::int32_t upper2,
                                                std::int32_t upper3) {
  if (upper1 < 0 || upper2 < 0 || upper3 < 0) {
    return std::nullopt;
  }
  const std::size_t limit = std::numeric_limits<std::size_t>::max() / sizeof(GridPoint);
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
  Reshape(upper1, upper2, upper3, fill);
  if (fill == Fill::Fresh) {
    points_.assign(size_, GridPoint());
  }
}

void PointGrid::AllocateUnset(std::int32_t upper1, std::int32_t upper2, std::int32_t upper3) {
  Reshape(upper1, upper2, upper3, Fill::Fresh);
  points_.resize(size_);
}

void PointGrid::Reshape(std::int32_t upper1, std::int32_t upper2, std::int32_t upper3, Fill fill) {
  const auto count = CellCount(upper1, upper2, upper3);
  if (!count) {
    throw GraphError("Point array bounds out of range");
  }
  // Resampling a graph usually asks for the same extent again: storage of
  // about the right size is refilled in place instead of being returned to
  // the system and faulted in anew, which costs more than the filling.
  const bool reuse =
      fill == Fill::Fresh && points_.capacity() >= *count && points_.capacity() / 2 <= *count;
  if (!reuse) {
    points_.clear();
    points_.shrink_to_fit();
  }
  dim1_ = static_cast<std::size_t>(upper1) + 1;
  dim2_ = static_cast<std::size_t>(upper2) + 1;
  dim3_ = static_cast<std::size_t>(upper3) + 1;
  size_ = *count;
  fill_ = fill;
  allocated_ = true;
}

std::int32_t PointGrid::Upper(int index) const {
  if (!allocated_) {
    return -1;
  }
  const std::size_t dim = index == 0 ? dim1_ : index == 1 ? dim2_ : dim3_;
  return static_cast<std::int32_t>(dim) - 1;
}

std::size_t PointGrid::Checked(std::int32_t i, std::int32_t j, std::int32_t k) const {
  if (!allocated_ || i < 0 || j < 0 || k < 0 || static_cast<std::size_t>(i) >= dim1_ ||
      static_cast<std::size_t>(j) >= dim2_ || static_cast<std::size_t>(k) >= dim3_) {
    throw GraphError("Subscript out of range (" + std::to_string(i) + ", " + std::to_string(j) +
                     ", " + std::to_string(k) + ")");
  }
  return Index(i, j, k);
}

const GridPoint* PointGrid::Find(std::int32_t i, std::int32_t j, std::int32_t k) const {
  const std::size_t index = Checked(i, j, k);
  if (!points_.empty()) {
    return &points_[index];
  }
  return fill_ == Fill::Lazy ? &kFreshPoint : nullptr;
}

GridPoint* PointGrid::Find(std::int32_t i, std::int32_t j, std::int32_t k) {
  const std::size_t index = Checked(i, j, k);
  if (points_.empty()) {
    if (fill_ != Fill::Lazy) {
      return nullptr;
    }
    Materialize();  // a caller may write through the pointer
  }
  return &points_[index];
}

GridPoint& PointGrid::At(std::int32_t i, std::int32_t j, std::int32_t k) {
  const std::size_t index = Checked(i, j, k);
  if (points_.empty()) {
    Materialize();
  }
  return points_[index];
}

void PointGrid::Materialize() {
  points_.assign(size_, GridPoint());
  fill_ = Fill::Fresh;
}

}  // namespace quillon
