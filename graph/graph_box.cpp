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
  void Extend(const GridPoint* point) {
    if (point != nullptr) {
      Extend(point->x, point->y, point->z, point->y);
    }
  }
  // Only the X and Y ranges take part; z is left as it was.
  void ExtendXY(const GridPoint* point) {
    if (point == nullptr) {
      return;
    }
    maxX = std::max(maxX, point->x);
    minX = std::min(minX, point->x);
    maxY = std::max(maxY, point->y);
    minY = std::min(minY, point->y);
  }
  void ContainOrigin() {
    minX = std::min(minX, 0.0f);
    minY = std::min(minY, 0.0f);
    maxX = std::max(maxX, 0.0f);
    maxY = std::max(maxY, 0.0f);
  }
};

// Single and animated points: each axis runs from 0 to the point's coordinate.
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
const GridPoint* Peek(const PointGrid& grid, std::int64_t i, std::int64_t j = 0,
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

std::shared_ptr<const Box> Graph::GetBox(std::int32_t animationStep) {
  const bool regionForm = form == FunctionForm::Equation || form == FunctionForm::Inequation;
  if ((kind == GraphKind::PlaneCurve || kind == GraphKind::AnimatedCurve) &&
      coordinates == CoordinateSystem::Polar && regionForm) {
    return PolarRegionBox();
  }
  if (kind == GraphKind::VectorOperation) {
    return FallbackBox();
  }

  // Const views: reading never creates points.
  const Graph& self = *this;
  const PointGrid& vert3D = self.points_;
  const std::int64_t s = animationStep;
  BoxValues box;

  switch (kind) {
    case GraphKind::PlaneCurve:
    case GraphKind::AnimatedCurve:
    case GraphKind::CurveAndSecondCurve:
    case GraphKind::StepOrStemPlot:
      if (regionForm) {
        box.minX = minU;
        box.maxX = maxU;
        box.minY = minV;
        box.maxY = maxV;
      } else if (form == FunctionForm::Explicit || form == FunctionForm::Parametric) {
        if (kind == GraphKind::AnimatedCurve) {
          for (std::int64_t i = 0; i <= LastIndex(animatedCurve_, 0, stepsV); ++i) {
            box.Extend(Peek(animatedCurve_, i, s));
          }
        } else {
          for (std::int64_t i = 0; i <= LastIndex(vert3D, 1, stepsV); ++i) {
            box.Extend(Peek(vert3D, 0, i));
          }
          if (kind == GraphKind::CurveAndSecondCurve) {
            for (std::int64_t i = 0; i <= LastIndex(secondCurvePoints_, 1, stepsV); ++i) {
              box.Extend(Peek(secondCurvePoints_, 0, i));
            }
          }
        }
      }
      box.ContainOrigin();
      if (kind == GraphKind::PlaneCurve) {
        if (showInverse) {
          // Room for the mirror image at the line y = x.
          const float low = std::min(box.minX, box.minY);
          const float high = std::max(box.maxX, box.maxY);
          box.minX = box.minY = low;
          box.maxX = box.maxY = high;
        }
        if (showOddEven) {
          for (std::int64_t i = 0; i <= LastIndex(oddEvenPoints_, 1, stepsV); ++i) {
            box.ExtendXY(Peek(oddEvenPoints_, 0, i));
          }
        }
        if (showDerivative) {
          for (std::int64_t i = 0; i <= LastIndex(derivativePoints_, 1, stepsV); ++i) {
            box.ExtendXY(Peek(derivativePoints_, 0, i));
          }
        }
      }
      break;
    case GraphKind::Table2D:
      box.ContainOrigin();
      break;
    case GraphKind::SpaceCurve:
      for (std::int64_t j = 0; j <= LastIndex(spaceCurvePoints_, 0, stepsU); ++j) {
        box.Extend(Peek(spaceCurvePoints_, j));
      }
      break;
    case GraphKind::Surface:
    case GraphKind::ColorMap:
    case GraphKind::ContourPlot:
    case GraphKind::VectorPlot: {
      const bool lowered = showContour || showVectorField || showColormap;
      for (std::int64_t j = 0; j <= LastIndex(vert3D, 0, stepsU); ++j) {
        for (std::int64_t i = 0; i <= LastIndex(vert3D, 1, stepsV); ++i) {
          const GridPoint* point = Peek(vert3D, j, i);
          if (point != nullptr) {
            // Contours are drawn below the surface: room for them under it.
            box.Extend(point->x, point->y, point->z, lowered ? point->y - 3.0f : point->y);
          }
        }
      }
      break;
    }
    case GraphKind::Table25D:
    case GraphKind::Table3D: {
      // The cells a table record is saved with; an empty cell reads as a
      // fresh point, as reading it through TableCell would make it.
      const PlotPoint fresh;
      const std::int64_t lastU = std::min<std::int64_t>(stepsU, kTableUpper);
      const std::int64_t lastV = std::min<std::int64_t>(stepsV, kTableUpper);
      for (std::int64_t j = 0; j <= lastU; ++j) {
        for (std::int64_t i = 0; i <= lastV; ++i) {
          const auto u = static_cast<std::int32_t>(j);
          const auto v = static_cast<std::int32_t>(i);
          const PlotPoint* cell = FindTableCell(u, v);
          const PlotPoint& point = cell != nullptr ? *cell : fresh;
          box.Extend(point.x, point.y, point.z, point.y);
        }
      }
      break;
    }
    case GraphKind::AnimatedSpaceCurve:
      for (std::int64_t j = 0; j <= LastIndex(animatedSpaceCurve_, 0, stepsU); ++j) {
        box.Extend(Peek(animatedSpaceCurve_, j, s));
      }
      break;
    case GraphKind::AnimatedSurface:
      for (std::int64_t j = 0; j <= LastIndex(animatedSurface_, 0, stepsU); ++j) {
        for (std::int64_t i = 0; i <= LastIndex(animatedSurface_, 1, stepsV); ++i) {
          box.Extend(Peek(animatedSurface_, j, i, s));
        }
      }
      break;
    case GraphKind::Ribbon:
      // The second column, which sampling leaves fresh.
      for (std::int64_t i = 0; i <= LastIndex(vert3D, 1, stepsV); ++i) {
        box.Extend(Peek(vert3D, 1, i));
      }
      break;
    case GraphKind::AnimatedRibbon:
      // The elements with first index 1, created but not computed.
      for (std::int64_t i = 0; i <= LastIndex(animatedRibbon_, 1, stepsV); ++i) {
        box.Extend(Peek(animatedRibbon_, 1, i, s));
      }
      break;
    case GraphKind::SinglePoint:
    case GraphKind::AnimatedPoint: {
      const GridPoint* point =
          kind == GraphKind::SinglePoint ? Peek(vert3D, 0, 0) : Peek(animatedPoint_, s);
      if (point != nullptr) {
        SpanFromOrigin(point->x, box.minX, box.maxX);
        SpanFromOrigin(point->y, box.minY, box.maxY);
        SpanFromOrigin(point->z, box.minZ, box.maxZ);
      }
      break;
    }
    case GraphKind::DifferentialEquation: {
      const std::int32_t lastV = odeFromInitialPoint ? 0 : stepsV;
      for (std::int64_t j = 0; j <= LastIndex(odePoints_, 0, stepsU); ++j) {
        for (std::int64_t i = 0; i <= LastIndex(odePoints_, 1, lastV); ++i) {
          box.Extend(Peek(odePoints_, j, i));
        }
      }
      break;
    }
    case GraphKind::RevolutionAboutX:
    case GraphKind::RevolutionAboutY:
      for (std::int64_t k = 0; k <= LastIndex(ribbonPoints_, 0, kRibbonUpper); ++k) {
        for (std::int64_t i = 0; i <= LastIndex(ribbonPoints_, 1, stepsV); ++i) {
          box.Extend(Peek(ribbonPoints_, k, i));
        }
      }
      break;
    case GraphKind::Vector: {
      box.Extend(vectorBeginX, vectorBeginY, vectorBeginZ, vectorBeginY);
      box.Extend(vectorEndX, vectorEndY, vectorEndZ, vectorEndY);
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
  if (kind == GraphKind::Vector) {
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
