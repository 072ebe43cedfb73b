// Space kinds: the curve in a coordinate plane of space (kind 1, and per
// frame kind 11), surfaces (kinds 2, 13, 14, 15) and the single point
// (kind 7).
#include <string_view>

#include "graph/graph_sampler.h"
#include "graph/sampled_coordinates.h"

namespace quillon {

using sampling::SetVariable;
using sampling::StoreCoordinates;

namespace {

// The pair of parameter tokens of a coordinate system of space.
struct PlanePair {
  std::string_view firstToken, secondToken;
  Variable first, second;
};

bool PairOf(CoordinateSystem coordinates, PlanePair& pair) {
  switch (coordinates) {
    case CoordinateSystem::CartesianSpace:
      pair = {"XX", "YY", Variable::X, Variable::Y};
      return true;
    case CoordinateSystem::Cylindrical:
      pair = {"RR", "AA", Variable::R, Variable::A};
      return true;
    case CoordinateSystem::Spherical:
      pair = {"BB", "AA", Variable::B, Variable::A};
      return true;
    default:
      return false;
  }
}

// The first two values of a space curve's coordinate system, read from the bound
// variables: (x, y), (angle, radius) or (angle a, angle b).
void PlaneValues(CoordinateSystem coordinates, const VariableValues& values, float& v1, float& v2) {
  switch (coordinates) {
    case CoordinateSystem::CartesianSpace:
      v1 = values.X;
      v2 = values.Y;
      break;
    case CoordinateSystem::Cylindrical:
      v1 = values.A;
      v2 = values.R;
      break;
    default:
      v1 = values.A;
      v2 = values.B;
      break;
  }
}

// Calls visit for every blank-separated token of a postfix text, in order.
template <typename Visit>
bool ForEachToken(std::string_view text, Visit visit) {
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t blank = text.find(' ', start);
    if (blank == std::string_view::npos) {
      break;  // text after the last blank is no token
    }
    if (!visit(text.substr(start, blank - start))) {
      return false;
    }
    start = blank + 1;
  }
  return true;
}

}  // namespace

bool GraphSampler::LastPlaneToken(Variable& variable) const {
  PlanePair pair;
  if (graph_.form != FunctionForm::Explicit || !PairOf(graph_.coordinates, pair)) {
    return false;
  }
  bool found = false;
  ForEachToken(z_.postfix, [&](std::string_view token) {
    if (token == pair.firstToken) {
      variable = pair.first;
      found = true;
    } else if (token == pair.secondToken) {
      variable = pair.second;
      found = true;
    }
    return true;
  });
  return found;
}

void GraphSampler::StorePlaneCurvePoint(Variable variable, float u, float f,
                                        GridPoint& point) const {
  VariableValues values;
  SetVariable(values, variable, u);
  float v1 = 0.0f;
  float v2 = 0.0f;
  PlaneValues(graph_.coordinates, values, v1, v2);
  StoreCoordinates(graph_.coordinates, v1, v2, f, point);
}

bool GraphSampler::EvaluatePlaneCurvePoint(float u, const VariableValues& base, GridPoint& point) {
  PlanePair pair;
  if (graph_.form != FunctionForm::Explicit || !PairOf(graph_.coordinates, pair)) {
    return true;
  }
  // Every token that names one of the pair computes the point again with
  // that variable bound to u, so the last such token decides.
  return ForEachToken(z_.postfix, [&](std::string_view token) {
    Variable variable;
    if (token == pair.firstToken) {
      variable = pair.first;
    } else if (token == pair.secondToken) {
      variable = pair.second;
    } else {
      return true;
    }
    VariableValues values = base;
    SetVariable(values, pair.first, 0.0f);
    SetVariable(values, pair.second, 0.0f);
    SetVariable(values, variable, u);
    float f = 0.0f;
    if (!Evaluate(z_, values, f)) {
      return false;
    }
    StorePlaneCurvePoint(variable, u, f, point);
    return true;
  });
}

bool GraphSampler::SampleCoordinatePlaneCurve() {
  Variable variable;
  if (!LastPlaneToken(variable)) {
    return true;  // no token names a parameter: the points stay fresh
  }
  GridPoint* points = graph_.spaceCurvePoints_.Data();
  if (BlockSafe(kNeedZ)) {
    RunBlocks(stepU_, u_, VariableValues{}, variable, kNeedZ, [&](std::int64_t j, std::size_t n) {
      StorePlaneCurvePoint(variable, parameters_[n], resultZ_[n],
                           points[static_cast<std::size_t>(j)]);
    });
  } else {
    for (std::int64_t j = 0; j <= stepU_; ++j) {
      if (!EvaluatePlaneCurvePoint(u_.At(j), VariableValues{},
                                   points[static_cast<std::size_t>(j)])) {
        return false;
      }
    }
  }
  Clip(graph_.spaceCurvePoints_);
  return true;
}

// ---------------------------------------------------------------------------
// Surfaces (kinds 2, 13, 14, 15) and the single point (kind 7)

bool GraphSampler::SurfaceIsSampled() const {
  const FunctionForm form = graph_.form;
  return (form == FunctionForm::Explicit || form == FunctionForm::Parametric) &&
         IsSpaceSystem(graph_.coordinates);
}

void GraphSampler::BindingOfSurface(Variable& u, Variable& v) const {
  if (graph_.form == FunctionForm::Parametric) {
    u = Variable::U;
    v = Variable::V;
    return;
  }
  switch (graph_.coordinates) {
    case CoordinateSystem::CartesianSpace:
      u = Variable::X;
      v = Variable::Y;
      break;
    case CoordinateSystem::Cylindrical:
      u = Variable::A;
      v = Variable::R;
      break;
    default:
      u = Variable::A;
      v = Variable::B;
      break;
  }
}

bool GraphSampler::EvaluateSpacePoint(const VariableValues& values, GridPoint& point) {
  float v1 = 0.0f;
  float v2 = 0.0f;
  float v3 = 0.0f;
  if (!Evaluate(x_, values, v1) || !Evaluate(y_, values, v2) || !Evaluate(z_, values, v3)) {
    return false;
  }
  StoreCoordinates(graph_.coordinates, v1, v2, v3, point);
  return true;
}

bool GraphSampler::SampleSurface() {
  if (!SurfaceIsSampled()) {
    return true;
  }
  Variable uVariable;
  Variable vVariable;
  BindingOfSurface(uVariable, vVariable);
  PointGrid& grid = graph_.points_;
  const CoordinateSystem coordType = graph_.coordinates;
  const unsigned need = kNeedX | kNeedY | kNeedZ;
  const bool block = BlockSafe(need);
  GridPoint* data = grid.Data();
  const std::size_t row = grid.Index(0, 1);
  for (std::int64_t j = 0; j <= stepU_; ++j) {
    const float u = u_.At(j);
    GridPoint* column = data + static_cast<std::size_t>(j);
    if (block) {
      VariableValues base;
      SetVariable(base, uVariable, u);
      RunBlocks(stepV_, v_, base, vVariable, need, [&](std::int64_t i, std::size_t n) {
        StoreCoordinates(coordType, resultX_[n], resultY_[n], resultZ_[n],
                         column[static_cast<std::size_t>(i) * row]);
      });
      continue;
    }
    for (std::int64_t i = 0; i <= stepV_; ++i) {
      VariableValues values;
      SetVariable(values, uVariable, u);
      SetVariable(values, vVariable, v_.At(i));
      if (!EvaluateSpacePoint(values, column[static_cast<std::size_t>(i) * row])) {
        return false;
      }
    }
  }
  // Surfaces are not clipped to the view.
  return true;
}

bool GraphSampler::SamplePoint() {
  if (!IsKnownSystem(graph_.coordinates)) {
    return true;
  }
  return EvaluateSpacePoint(VariableValues{}, graph_.points_.Data()[0]);
}

}  // namespace quillon
