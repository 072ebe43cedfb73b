// The point and box records, and PointGrid: extents, fills, and storage kept
// across allocations.
#include <gtest/gtest.h>

#include "graph/graph_error.h"
#include "graph/plot_point.h"
#include "graph/point_grid.h"

namespace quillon {
namespace {

TEST(Point, FreshPoint) {
  const PlotPoint point;
  EXPECT_EQ(point.size, 0.15f);
  EXPECT_EQ(point.color, 0);
  EXPECT_FALSE(point.hollow || point.shown);
  EXPECT_EQ(point.symbol, PointSymbol::None);
  EXPECT_EQ(point, (PlotPoint{0, 0, 0}));
}

// Allocating again renews every cell, whether the storage is kept (same or
// close size) or replaced, and whatever the fill before.
TEST(PointGrid, AllocateAgainGivesFreshCells) {
  using Fill = PointGrid::Fill;
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
      {"lazy after fresh", 99, 99, Fill::Lazy, false},
      {"empty after fresh", 99, 99, Fill::Empty, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PointGrid grid;
    grid.Allocate(c.firstUpper, 1, 0, Fill::Fresh);
    for (std::int32_t i = 0; i <= c.firstUpper; ++i) {
      grid.At(i, 1) = GridPoint{1, 2, 3};
    }
    grid.Allocate(c.secondUpper, 1, 0, c.second);
    EXPECT_EQ(grid.Upper(0), c.secondUpper);
    EXPECT_EQ(grid.Stored(), c.stored);
    const PointGrid& view = grid;
    for (std::int32_t i = 0; i <= c.secondUpper; ++i) {
      const GridPoint* point = view.Find(i, 1);
      if (c.second == Fill::Empty) {
        EXPECT_EQ(point, nullptr);
      } else {
        ASSERT_NE(point, nullptr);
        EXPECT_EQ(*point, GridPoint()) << "cell " << i;
      }
    }
  }
}

TEST(PointGrid, AllocateUnsetGivesTheExtentWithStorage) {
  PointGrid grid;
  grid.Allocate(4, 0, 0, PointGrid::Fill::Lazy);
  grid.AllocateUnset(2, 3, 1);
  EXPECT_TRUE(grid.Stored());
  EXPECT_EQ(grid.Size(), 3u * 4u * 2u);
  EXPECT_EQ(grid.Index(1, 2, 1), 1u + 3u * (2u + 4u * 1u));
  grid.Data()[grid.Index(2, 3, 1)] = GridPoint{5, 6, 7};
  EXPECT_EQ(grid.Find(2, 3, 1)->z, 7.0f);
  EXPECT_THROW(grid.AllocateUnset(-1, 0, 0), GraphError);
}

}  // namespace
}  // namespace quillon
