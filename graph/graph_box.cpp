// Graph::GetBox: the box around a graph's sampled points, read from the point
// arrays through const access only (a lazily filled array stays unfilled).
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>

#include "graph/graph.h"

namespace quillon {

namespace {

// A box that no point touched keeps these: every minimum above its maximum.
constexpr float kStartMax = -9999999.0f;
constexpr float kStartMin = 9999999.0f;
// The vector kind's returned box is this much larger on every side.
constexpr float kVectorMargin = 3.0f;

struct BoxValues {
  float maxX = kStartMax, minX = kStartMin;
  float maxY = kStartMax, minY = kStartMin;
  float maxZ = kStartMax, minZ = kStartMin;

  // Two independent tests per coordinate, so the first point sets both ends.
  // lowY is the value the minimum Y is taken over (Y itself, or Y - 3 on a
  // surface with contours).
  void Extend(float x, float y, float z, float lowY) {
    if (x > maxX) {
      maxX = x;
    }
    if (x < minX) {
      minX = x;
    }
    if (y > maxY) {
      maxY = y;
    }
    if (lowY < minY) {
      minY = lowY;
    }
    if (z > maxZ) {
      maxZ = z;
    }
    if (z < minZ) {
      minZ = z;
    }
  }
  void Extend(const PlotPoint* point) {
    if (point != nullptr) {
      Extend(point->X(), point->Y(), point->z(), point->Y());
    }
  }
  // Only the X and Y ranges take part; z is left as it was.
  void ExtendXY(const PlotPoint* point) {
    if (point == nullptr) {
      return;
    }
    maxX = std::max(maxX, point->X());
    minX = std::min(minX, point->X());
    maxY = std::max(maxY, point->Y());
    minY = std::min(minY, point->Y());
  }
  void ContainOrigin() {
    minX = std::min(minX, 0.0f);
    minY = std::min(minY, 0.0f);
    maxX = std::max(maxX, 0.0f);
    maxY = std::max(maxY, 0.0f);
  }
};

// Kinds 7 and 8: each axis runs from 0 to the point's coordinate.
void SpanFromOrigin(float value, float& minimum, float& maximum) {
  if (value < 0) {
    minimum = value;
    maximum = 0;
  } else {
    minimum = 0;
    maximum = value;
  }
}

// The point in a cell, or null when the cell lies outside the array's extent
// (the array was never allocated, or the step counts changed since it was
// sampled) or holds no point. Never throws and never fills a lazy array.
const PlotPoint* Peek(const PointGrid& grid, std::int64_t i, std::int64_t j = 0,
                      std::int64_t k = 0) {
  if (i < 0 || j < 0 || k < 0 || i > grid.Upper(0) || j > grid.Upper(1) || k > grid.Upper(2)) {
    return nullptr;
  }
  return grid.Find(static_cast<std::int32_t>(i), static_cast<std::int32_t>(j),
                   static_cast<std::int32_t>(k));
}

// The last index a scan over 0..count visits in dimension `index` of a grid:
// no cell beyond the extent is visited, however large the count. Every cell
// of a grid that stores no point reads alike (a fresh point, or none), so
// its first cell tells what all of them would: sampling makes such grids of
// any extent at no cost, and visiting their cells would never end.
std::int64_t LastIndex(const PointGrid& grid, int index, std::int32_t count) {
  const std::int64_t last = std::min<std::int64_t>(count, grid.Upper(index));
  return grid.Stored() ? last : std::min<std::int64_t>(last, 0);
}

std::shared_ptr<const Box> PolarRegionBox() {
  static const std::shared_ptr<const Box> box = std::make_shared<const Box>();
  return box;
}

std::shared_ptr<const Box> FallbackBox() {
  static const std::shared_ptr<const Box> box = std::make_shared<const Box>();
  return box;
}

}  // namespace

std::shared_ptr<const Box> Graph::GetBox(std::int32_t lngAnimStep) {
  const std::int32_t kind = graphType_;
  const bool regionForm = funForm_ == 1 || funForm_ == 4;
  if ((kind == 0 || kind == 9) && coordType_ == 2 && regionForm) {
    return PolarRegionBox();
  }
  if (kind == 32) {
    return FallbackBox();
  }

  // Const views: reading never creates points.
  const Graph& self = *this;
  const PointGrid& vert3D = self.vert3D_;
  const std::int64_t s = lngAnimStep;
  BoxValues box;

  switch (kind) {
    case 0:
    case 9:
    case 20:
    case 23:
      if (regionForm) {
        box.minX = minU_;
        box.maxX = maxU_;
        box.minY = minV_;
        box.maxY = maxV_;
      } else if (funForm_ == 2 || funForm_ == 3) {
        if (kind == 9) {
          for (std::int64_t i = 0; i <= LastIndex(anim2D_, 0, stepV_); ++i) {
            box.Extend(Peek(anim2D_, i, s));
          }
        } else {
          for (std::int64_t i = 0; i <= LastIndex(vert3D, 1, stepV_); ++i) {
            box.Extend(Peek(vert3D, 0, i));
          }
          if (kind == 20) {
            for (std::int64_t i = 0; i <= LastIndex(vert3DExp2_, 1, stepV_); ++i) {
              box.Extend(Peek(vert3DExp2_, 0, i));
            }
          }
        }
      }
      box.ContainOrigin();
      if (kind == 0) {
        if (showInverse_) {
          // Room for the mirror image at the line y = x.
          const float low = std::min(box.minX, box.minY);
          const float high = std::max(box.maxX, box.maxY);
          box.minX = box.minY = low;
          box.maxX = box.maxY = high;
        }
        if (showJO_) {
          for (std::int64_t i = 0; i <= LastIndex(vertJO3D_, 1, stepV_); ++i) {
            box.ExtendXY(Peek(vertJO3D_, 0, i));
          }
        }
        if (showDev_) {
          for (std::int64_t i = 0; i <= LastIndex(vertA3D_, 1, stepV_); ++i) {
            box.ExtendXY(Peek(vertA3D_, 0, i));
          }
        }
      }
      break;
    case 4:
      box.ContainOrigin();
      break;
    case 1:
      for (std::int64_t j = 0; j <= LastIndex(vert1D_, 0, stepU_); ++j) {
        box.Extend(Peek(vert1D_, j));
      }
      break;
    case 2:
    case 13:
    case 14:
    case 15: {
      const bool lowered = showContour_ || showVector_ || showColormap_;
      for (std::int64_t j = 0; j <= LastIndex(vert3D, 0, stepU_); ++j) {
        for (std::int64_t i = 0; i <= LastIndex(vert3D, 1, stepV_); ++i) {
          const PlotPoint* point = Peek(vert3D, j, i);
          if (point != nullptr) {
            // Contours are drawn below the surface: room for them under it.
            box.Extend(point->X(), point->Y(), point->z(),
                       lowered ? point->Y() - 3.0f : point->Y());
          }
        }
      }
      break;
    }
    case 5:
    case 6: {
      // The cells a table record is saved with; an empty cell reads as a
      // fresh point, as reading it through VertTab3D would make it.
      const PlotPoint fresh;
      const std::int64_t lastU = std::min<std::int64_t>(stepU_, kTableUpper);
      const std::int64_t lastV = std::min<std::int64_t>(stepV_, kTableUpper);
      for (std::int64_t j = 0; j <= lastU; ++j) {
        for (std::int64_t i = 0; i <= lastV; ++i) {
          const auto u = static_cast<std::int32_t>(j);
          const auto v = static_cast<std::int32_t>(i);
          const PlotPoint* cell = TableCell(u, v);
          const PlotPoint* point = cell != nullptr ? cell : &fresh;
          box.Extend(point);
        }
      }
      break;
    }
    case 11:
      for (std::int64_t j = 0; j <= LastIndex(anim2DU_, 0, stepU_); ++j) {
        box.Extend(Peek(anim2DU_, j, s));
      }
      break;
    case 12:
      for (std::int64_t j = 0; j <= LastIndex(anim3D_, 0, stepU_); ++j) {
        for (std::int64_t i = 0; i <= LastIndex(anim3D_, 1, stepV_); ++i) {
          box.Extend(Peek(anim3D_, j, i, s));
        }
      }
      break;
    case 3:
      // The second column, which sampling leaves fresh.
      for (std::int64_t i = 0; i <= LastIndex(vert3D, 1, stepV_); ++i) {
        box.Extend(Peek(vert3D, 1, i));
      }
      break;
    case 10:
      // The elements with first index 1, created but not computed.
      for (std::int64_t i = 0; i <= LastIndex(anim3DV_, 1, stepV_); ++i) {
        box.Extend(Peek(anim3DV_, 1, i, s));
      }
      break;
    case 7:
    case 8: {
      const PlotPoint* point = kind == 7 ? Peek(vert3D, 0, 0) : Peek(anim1D_, s);
      if (point != nullptr) {
        SpanFromOrigin(point->X(), box.minX, box.maxX);
        SpanFromOrigin(point->Y(), box.minY, box.maxY);
        SpanFromOrigin(point->z(), box.minZ, box.maxZ);
      }
      break;
    }
    case 36: {
      const std::int32_t lastV = oDEInitial_ ? 0 : stepV_;
      for (std::int64_t j = 0; j <= LastIndex(vert3D36_, 0, stepU_); ++j) {
        for (std::int64_t i = 0; i <= LastIndex(vert3D36_, 1, lastV); ++i) {
          box.Extend(Peek(vert3D36_, j, i));
        }
      }
      break;
    }
    case 21:
    case 22:
      for (std::int64_t k = 0; k <= LastIndex(vertRev3D_, 0, 40); ++k) {
        for (std::int64_t i = 0; i <= LastIndex(vertRev3D_, 1, stepV_); ++i) {
          box.Extend(Peek(vertRev3D_, k, i));
        }
      }
      break;
    case 31: {
      box.Extend(vecBeginX_, vecBeginY_, vecBeginZ_, vecBeginY_);
      box.Extend(vecEndX_, vecEndY_, vecEndZ_, vecEndY_);
      // Symmetric about 0 on each axis.
      auto symmetric = [](float& minimum, float& maximum) {
        const float m = std::max(std::fabs(minimum), std::fabs(maximum));
        minimum = -m;
        maximum = m;
      };
      symmetric(box.minX, box.maxX);
      symmetric(box.minY, box.maxY);
      symmetric(box.minZ, box.maxZ);
      break;
    }
    default:
      break;  // nothing extends the box
  }

  boxMaxX_ = box.maxX;
  boxMinX_ = box.minX;
  boxMaxY_ = box.maxY;
  boxMinY_ = box.minY;
  boxMaxZ_ = box.maxZ;
  boxMinZ_ = box.minZ;

  auto result = std::make_shared<Box>();
  result->MaxX(boxMaxX_);
  result->MinX(boxMinX_);
  result->MaxY(boxMaxY_);
  result->MinY(boxMinY_);
  result->MaxZ(boxMaxZ_);
  result->MinZ(boxMinZ_);
  if (kind == 31) {
    // The graph keeps the symmetric box; the returned one has a margin.
    result->MaxX(boxMaxX_ + kVectorMargin);
    result->MinX(boxMinX_ - kVectorMargin);
    result->MaxY(boxMaxY_ + kVectorMargin);
    result->MinY(boxMinY_ - kVectorMargin);
    result->MaxZ(boxMaxZ_ + kVectorMargin);
    result->MinZ(boxMinZ_ - kVectorMargin);
  }
  return result;
}

}  // namespace quillon
