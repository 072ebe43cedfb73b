// PointGrid: extents, fills, storage kept across allocations, and grids that
// store only their first column.
#include <gtest/gtest.h>

#include <algorithm>

#include "graph/graph_error.h"
#include "graph/point_grid.h"

namespace quillon {
namespace {

using Fill = PointGrid::Fill;

// Allocating again renews every cell, whether the storage is kept (same or
// close size) or replaced, and whatever the fill before.
TEST(PointGrid, AllocateAgainGivesFreshCells) {
  struct Case {
    const char* name;
    std::int32_t firstUpper, secondUpper;
    Fill second;
    bool stored;
  };
  const Case cases[] = {
      {"same extent", 99, 99, Fill::Fresh, true},
      {"a little smaller", 99, 80, Fill::Fresh, true},
      {"larger", 9, 99, Fill::Fresh, true},
      {"first column after fresh", 99, 99, Fill::FirstColumn, true},
      {"lazy after fresh", 99, 99, Fill::Lazy, false},
      {"empty after fresh", 99, 99, Fill::Empty, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PointGrid grid;
    grid.Allocate(c.firstUpper, 1, 0, Fill::Fresh);
    std::fill(grid.Data(), grid.Data() + grid.StoredSize(), GridPoint{1, 2, 3});
    grid.Allocate(c.secondUpper, 1, 0, c.second);
    EXPECT_EQ(grid.Upper(0), c.secondUpper);
    EXPECT_EQ(grid.Stored(), c.stored);
    for (std::int32_t i = 0; i <= c.secondUpper; ++i) {
      const GridPoint* point = grid.Find(i, 1);
      if (c.second == Fill::Empty) {
        EXPECT_EQ(point, nullptr);
      } else {
        ASSERT_NE(point, nullptr);
        EXPECT_EQ(*point, GridPoint()) << "cell " << i;
      }
    }
  }
}

// Unset storage is written through Data() at Index(); a FirstColumn grid
// stores the cells (0, j, k) only, and the others read as fresh points.
TEST(PointGrid, StoredCellsAndTheirIndex) {
  for (const Fill fill : {Fill::Fresh, Fill::FirstColumn}) {
    const bool column = fill == Fill::FirstColumn;
    SCOPED_TRACE(column ? "first column" : "fresh");
    PointGrid grid;
    grid.Allocate(4, 0, 0, Fill::Lazy);
    grid.AllocateUnset(2, 3, 1, fill);
    EXPECT_EQ(grid.Size(), 3u * 4u * 2u);
    ASSERT_EQ(grid.StoredSize(), column ? 4u * 2u : 3u * 4u * 2u);
    for (std::size_t n = 0; n < grid.StoredSize(); ++n) {
      grid.Data()[n] = GridPoint{static_cast<float>(n), 0, 0};
    }
    EXPECT_EQ(grid.Find(0, 2, 1)->x, column ? 6.0f : 18.0f);
    EXPECT_EQ(grid.Index(0, 2, 1), column ? 6u : 18u);
    EXPECT_EQ(*grid.Find(2, 3, 1), (column ? GridPoint() : GridPoint{23, 0, 0}));
  }
  PointGrid grid;
  EXPECT_THROW(grid.AllocateUnset(-1, 0, 0, Fill::Fresh), GraphError);
  grid.Allocate(1, 1, 0, Fill::FirstColumn);
  EXPECT_THROW(grid.Find(2, 0), GraphError);
}

}  // namespace
}  // namespace quillon
