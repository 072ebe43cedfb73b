// A point array of a graph: up to three indices, every lower bound 0 and every
// upper bound inclusive, each cell the coordinates of one point (GridPoint).
// Stored cells lie with the first index varying fastest (cell (i, j) follows
// cell (i - 1, j) in memory). Sampling sets only coordinates, so a cell holds
// nothing else: the symbol attributes of a PlotPoint belong to table cells
// and single points, which keep PlotPoints of their own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace quillon {

// The coordinates of one cell, world units; any of them may be UndefinedMark.
// Y is the vertical axis of space. A fresh cell holds the origin.
struct GridPoint {
  float x = 0;
  float y = 0;
  float z = 0;

  friend bool operator==(const GridPoint& a, const GridPoint& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
  }
  friend bool operator!=(const GridPoint& a, const GridPoint& b) { return !(a == b); }
};

class PointGrid {
 public:
  enum class Fill {
    Fresh,  // every cell holds a fresh point, stored
    // The cells (0, j, k) hold fresh points, stored; the others read as fresh
    // points without being stored. A plane curve computes only its cells
    // (0, i).
    FirstColumn,
    Lazy,   // every cell reads as a fresh point; nothing is stored
    Empty,  // no cell holds a point
  };

  // Number of cells of a grid with these upper bounds, or nothing when a
  // bound is negative or the count does not fit.
  static std::optional<std::size_t> CellCount(std::int32_t upper1, std::int32_t upper2,
                                              std::int32_t upper3);

  // Gives the grid the extent 0..upper1 x 0..upper2 x 0..upper3 (old points
  // are released). Bounds must be >= 0 and the count must fit (CellCount).
  void Allocate(std::int32_t upper1, std::int32_t upper2, std::int32_t upper3, Fill fill);
  // Gives the grid the extent like Allocate(..., fill) but leaves the cells
  // that fill stores unset, for a caller that writes every one of them
  // through Data() before anything reads the grid. Storage of the same size
  // is kept untouched.
  void AllocateUnset(std::int32_t upper1, std::int32_t upper2, std::int32_t upper3, Fill fill);

  bool Allocated() const { return allocated_; }
  // Upper bound of index 0, 1 or 2; -1 when the grid has no extent.
  std::int32_t Upper(int index) const;
  // Number of cells in the extent.
  std::size_t Size() const { return size_; }
  // Whether cells hold stored points (Fresh or FirstColumn).
  bool Stored() const { return !points_.empty(); }
  // Number of stored cells: Size() when every cell is stored.
  std::size_t StoredSize() const { return points_.size(); }

  // The point in a cell, or null for an empty cell. Throws GraphError when an
  // index lies outside the extent.
  const GridPoint* Find(std::int32_t i, std::int32_t j = 0, std::int32_t k = 0) const;

  // Stored points in memory order; empty unless Stored().
  GridPoint* Data() { return points_.data(); }
  const GridPoint* Data() const { return points_.data(); }
  // Memory index of a stored cell (no range check): in a FirstColumn grid
  // only the cells (0, j, k) have one.
  std::size_t Index(std::int32_t i, std::int32_t j = 0, std::int32_t k = 0) const {
    return static_cast<std::size_t>(i) +
           width_ * (static_cast<std::size_t>(j) + dim2_ * static_cast<std::size_t>(k));
  }

 private:
  // Throws GraphError unless the cell lies inside the extent.
  void CheckRange(std::int32_t i, std::int32_t j, std::int32_t k) const;
  // Sets the extent and the stored width; keeps storage that fits the count
  // of stored cells closely enough. Returns that count.
  std::size_t Reshape(std::int32_t upper1, std::int32_t upper2, std::int32_t upper3, Fill fill);

  std::vector<GridPoint> points_;
  std::size_t dim1_ = 0, dim2_ = 0, dim3_ = 0, size_ = 0;
  // Values of the first index that are stored: dim1_, or 1 in a FirstColumn grid.
  std::size_t width_ = 0;
  Fill fill_ = Fill::Empty;
  bool allocated_ = false;
};

}  // namespace quillon
