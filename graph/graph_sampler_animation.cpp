// The animation kinds 8 to 12: the point, curve, coordinate plane curve and
// surface of the still kinds, once for each t. Without Animation the arrays
// have their extent but no points, and there is nothing to fill.
#include "graph/graph_sampler.h"
#include "graph/sampled_coordinates.h"

namespace quillon {

using sampling::SetVariable;
using sampling::StoreCoordinates;

bool GraphSampler::SampleAnimatedPoint() {
  if (!graph_.animated || !IsKnownSystem(graph_.coordinates)) {
    return true;
  }
  GridPoint* points = graph_.animatedPoint_.Data();
  const unsigned need = kNeedX | kNeedY | kNeedZ;
  if (BlockSafe(need)) {
    RunBlocks(stepT_, t_, VariableValues{}, Variable::T, need, [&](std::int64_t k, std::size_t n) {
      StoreCoordinates(graph_.coordinates, resultX_[n], resultY_[n], resultZ_[n],
                       points[static_cast<std::size_t>(k)]);
    });
    return true;  // single points are not clipped
  }
  for (std::int64_t k = 0; k <= stepT_; ++k) {
    VariableValues values;
    values.T = t_.At(k);
    if (!EvaluateSpacePoint(values, points[static_cast<std::size_t>(k)])) {
      return false;
    }
  }
  return true;
}

bool GraphSampler::SampleAnimatedCurve() {
  const CurveForm form = FormOfCurve();
  if (!graph_.animated || form == CurveForm::None) {
    return true;
  }
  // An animated curve stores the curve at t in cells (i, t); an animated
  // curve pair in cells (0, i, t), whose cells (1, i, t) stay fresh and
  // unstored. Either way a frame's points lie one after the other.
  const bool single = kind_ == GraphKind::AnimatedCurve;
  PointGrid& grid = single ? graph_.animatedCurve_ : graph_.animatedRibbon_;
  const std::size_t frame = single ? grid.Index(0, 1, 0) : grid.Index(0, 0, 1);
  GridPoint* data = grid.Data();
  if (BlockSafe(NeedOfCurve(form))) {
    // Pure texts: the order of evaluation does not matter, so each frame's
    // curve is evaluated as one run of blocks.
    for (std::int64_t k = 0; k <= stepT_; ++k) {
      VariableValues base;
      base.T = t_.At(k);
      SampleCurveBlocks(form, base, data + static_cast<std::size_t>(k) * frame, nullptr);
    }
    return true;
  }
  const Variable bound = BindingOfCurve(form);
  for (std::int64_t i = 0; i <= stepV_; ++i) {
    const float p = v_.At(i);
    for (std::int64_t k = 0; k <= stepT_; ++k) {
      VariableValues values;
      SetVariable(values, bound, p);
      values.T = t_.At(k);
      GridPoint& point = data[static_cast<std::size_t>(i) + static_cast<std::size_t>(k) * frame];
      if (!EvaluateCurvePoint(form, p, values, point)) {
        return false;
      }
    }
  }
  Clip(grid);
  return true;
}

bool GraphSampler::SampleAnimatedPlaneCurve() {
  Variable variable;
  if (!graph_.animated || !LastPlaneToken(variable)) {
    return true;
  }
  PointGrid& grid = graph_.animatedSpaceCurve_;
  GridPoint* data = grid.Data();
  const std::size_t frame = grid.Index(0, 1);
  if (BlockSafe(kNeedZ)) {
    // Pure text: each frame's curve is evaluated as one run of blocks.
    for (std::int64_t k = 0; k <= stepT_; ++k) {
      VariableValues base;
      base.T = t_.At(k);
      GridPoint* curve = data + static_cast<std::size_t>(k) * frame;
      RunBlocks(stepU_, u_, base, variable, kNeedZ, [&](std::int64_t j, std::size_t n) {
        StorePlaneCurvePoint(variable, parameters_[n], resultZ_[n],
                             curve[static_cast<std::size_t>(j)]);
      });
    }
  } else {
    for (std::int64_t j = 0; j <= stepU_; ++j) {
      const float u = u_.At(j);
      for (std::int64_t k = 0; k <= stepT_; ++k) {
        VariableValues base;
        base.T = t_.At(k);
        GridPoint& point = data[static_cast<std::size_t>(j) + static_cast<std::size_t>(k) * frame];
        if (!EvaluatePlaneCurvePoint(u, base, point)) {
          return false;
        }
      }
    }
  }
  Clip(grid);
  return true;
}

bool GraphSampler::SampleAnimatedSurface() {
  if (!graph_.animated || !SurfaceIsSampled()) {
    return true;
  }
  Variable uVariable;
  Variable vVariable;
  BindingOfSurface(uVariable, vVariable);
  PointGrid& grid = graph_.animatedSurface_;
  GridPoint* data = grid.Data();
  const std::size_t row = grid.Index(0, 1, 0);
  const std::size_t frame = grid.Index(0, 0, 1);
  auto cell = [&](std::int64_t j, std::int64_t i, std::int64_t k) -> GridPoint& {
    return data[static_cast<std::size_t>(j) + static_cast<std::size_t>(i) * row +
                static_cast<std::size_t>(k) * frame];
  };
  const CoordinateSystem coordType = graph_.coordinates;
  const unsigned need = kNeedX | kNeedY | kNeedZ;
  if (BlockSafe(need)) {
    for (std::int64_t k = 0; k <= stepT_; ++k) {
      const float t = t_.At(k);
      for (std::int64_t j = 0; j <= stepU_; ++j) {
        VariableValues base;
        SetVariable(base, uVariable, u_.At(j));
        base.T = t;
        RunBlocks(stepV_, v_, base, vVariable, need, [&](std::int64_t i, std::size_t n) {
          StoreCoordinates(coordType, resultX_[n], resultY_[n], resultZ_[n], cell(j, i, k));
        });
      }
    }
  } else {
    for (std::int64_t j = 0; j <= stepU_; ++j) {
      const float u = u_.At(j);
      for (std::int64_t i = 0; i <= stepV_; ++i) {
        const float v = v_.At(i);
        for (std::int64_t k = 0; k <= stepT_; ++k) {
          VariableValues values;
          SetVariable(values, uVariable, u);
          SetVariable(values, vVariable, v);
          values.T = t_.At(k);
          if (!EvaluateSpacePoint(values, cell(j, i, k))) {
            return false;
          }
        }
      }
    }
  }
  Clip(grid);
  return true;
}

}  // namespace quillon
