// Plane curves: the curve group (kinds 0, 3, 20 to 23, and per frame kinds
// 9 and 10), the second curve of kind 20 and the ribbons of kinds 21 and 22
// swept from the curve.
#include <algorithm>
#include <cmath>

#include "graph/graph_sampler.h"
#include "graph/sampled_coordinates.h"

namespace quillon {

using sampling::FinalValue;
using sampling::IsUndefined;
using sampling::SetVariable;
using sampling::StoreCoordinates;
using sampling::StorePolar;
using sampling::ViewClip;

GraphSampler::CurveForm GraphSampler::FormOfCurve() const {
  const CoordinateSystem coordinates = graph_.coordinates;
  if (!IsPlaneSystem(coordinates)) {
    return CurveForm::None;
  }
  switch (graph_.form) {
    case FunctionForm::Explicit:
      return coordinates == CoordinateSystem::Cartesian ? CurveForm::ExplicitCartesian
                                                        : CurveForm::ExplicitPolar;
    case FunctionForm::Parametric:
      return CurveForm::Parametric;
    default:
      return CurveForm::None;  // implicit and inequation graphs are not sampled
  }
}

Variable GraphSampler::BindingOfCurve(CurveForm form) {
  // x for y = f(x), a for r = f(a), u for the parametric forms.
  switch (form) {
    case CurveForm::ExplicitCartesian:
      return Variable::X;
    case CurveForm::ExplicitPolar:
      return Variable::A;
    default:
      return Variable::U;
  }
}

unsigned GraphSampler::NeedOfCurve(CurveForm form) const {
  if (form == CurveForm::Parametric) {
    return kNeedX | kNeedY | kNeedZ;
  }
  unsigned need = kNeedZ;
  if (kind_ == GraphKind::CurveAndSecondCurve && form == CurveForm::ExplicitCartesian) {
    need |= kNeedExp2;
  }
  return need;
}

bool GraphSampler::EvaluateExplicitPoint(const Expression& text, float x,
                                         const VariableValues& values, GridPoint& point) {
  point.z = 0.0f;
  point.x = x;
  float y = 0.0f;
  if (!Evaluate(text, values, y)) {
    return false;
  }
  point.y = y;
  return true;
}

bool GraphSampler::EvaluateCurvePoint(CurveForm form, float parameter, const VariableValues& values,
                                      GridPoint& point) {
  switch (form) {
    case CurveForm::ExplicitCartesian:
      return EvaluateExplicitPoint(z_, parameter, values, point);
    case CurveForm::ExplicitPolar: {
      float r = 0.0f;
      if (!Evaluate(z_, values, r)) {
        return false;
      }
      StorePolar(parameter, r, point);
      point.z = 0.0f;
      return true;
    }
    case CurveForm::Parametric: {
      float value = 0.0f;
      if (graph_.coordinates == CoordinateSystem::Cartesian) {
        if (!Evaluate(x_, values, value)) {
          return false;
        }
        point.z = value;
        if (!Evaluate(y_, values, value)) {
          return false;
        }
        point.x = value;
        if (!Evaluate(z_, values, value)) {
          return false;
        }
        point.y = value;
        return true;
      }
      float a = 0.0f;
      float r = 0.0f;
      if (!Evaluate(y_, values, a) || !Evaluate(z_, values, r)) {
        return false;
      }
      StorePolar(a, r, point);
      if (!Evaluate(x_, values, value)) {
        return false;
      }
      point.z = value;
      return true;
    }
    case CurveForm::None:
      break;
  }
  return true;
}

void GraphSampler::SampleCurveBlocks(CurveForm form, const VariableValues& base, GridPoint* curve,
                                     GridPoint* second) {
  const Variable varying = BindingOfCurve(form);
  const unsigned need = NeedOfCurve(form);
  const CoordinateSystem coordinates = graph_.coordinates;
  const std::int64_t last = stepV_;
  // A block cannot fail, so each point is clipped before it is stored: the
  // same points as clipping afterwards, with one write to memory. The
  // coordinates of a block are gathered, clipped, in xs, ys and zs (the
  // evaluation buffers, each read before it is overwritten), in loops the
  // compiler can vectorise.
  const ViewClip clip(document_);
  const float* parameters = parameters_.data();
  float* xs = resultX_.data();
  float* ys = resultY_.data();
  float* zs = resultZ_.data();
  const float* secondYs = result2_.data();
  auto store = [&](GridPoint* points, std::size_t count) {
    for (std::size_t n = 0; n < count; ++n) {
      points[n] = GridPoint{xs[n], ys[n], zs[n]};
    }
  };
  const float clippedZero = clip.Z(0.0f);
  for (std::int64_t start = 0; start <= last; start += static_cast<std::int64_t>(kBlock)) {
    const std::size_t count =
        static_cast<std::size_t>(std::min<std::int64_t>(kBlock, last - start + 1));
    v_.Values(start, count, parameters_.data());
    EvaluateBlock(base, varying, count, need);
    const std::size_t offset = static_cast<std::size_t>(start);
    switch (form) {
      case CurveForm::ExplicitCartesian:
        for (std::size_t n = 0; n < count; ++n) {
          xs[n] = clip.X(parameters[n]);
          ys[n] = clip.Y(zs[n]);
          zs[n] = clippedZero;
        }
        store(curve + offset, count);
        if (need & kNeedExp2) {
          for (std::size_t n = 0; n < count; ++n) {
            ys[n] = clip.Y(secondYs[n]);
          }
          store(second + offset, count);
        }
        break;
      case CurveForm::ExplicitPolar:
        for (std::size_t n = 0; n < count; ++n) {
          GridPoint point;
          StorePolar(parameters[n], zs[n], point);
          xs[n] = clip.X(point.x);
          ys[n] = clip.Y(point.y);
          zs[n] = clippedZero;
        }
        store(curve + offset, count);
        break;
      case CurveForm::Parametric:
        for (std::size_t n = 0; n < count; ++n) {
          GridPoint point;
          StoreCoordinates(coordinates, xs[n], ys[n], zs[n], point);
          xs[n] = clip.X(point.x);
          ys[n] = clip.Y(point.y);
          zs[n] = clip.Z(point.z);
        }
        store(curve + offset, count);
        break;
      case CurveForm::None:
        break;
    }
  }
}

bool GraphSampler::SampleCurvePoints(CurveForm form, GridPoint* curve, GridPoint* second) {
  const Variable bound = BindingOfCurve(form);
  const bool withSecond = (NeedOfCurve(form) & kNeedExp2) != 0;
  for (std::int64_t i = 0; i <= stepV_; ++i) {
    const float p = v_.At(i);
    VariableValues values;
    SetVariable(values, bound, p);
    if (!EvaluateCurvePoint(form, p, values, curve[i])) {
      return false;
    }
    if (withSecond && !EvaluateExplicitPoint(exp2_, p, values, second[i])) {
      return false;
    }
  }
  return true;
}

bool GraphSampler::SampleCurveGroup() {
  const CurveForm form = FormOfCurve();
  if (form == CurveForm::None) {
    return true;  // the points stay fresh
  }
  const unsigned need = NeedOfCurve(form);
  const bool block = BlockSafe(need);
  // The block path writes every stored cell of the curve's grids, so they
  // are not filled beforehand.
  AllocateDeferred(block);
  // Point i of a curve is the cell (0, i): the grids store only those cells,
  // one after the other.
  PointGrid& curve = graph_.points_;
  GridPoint* second =
      kind_ == GraphKind::CurveAndSecondCurve ? graph_.secondCurvePoints_.Data() : nullptr;
  if (block) {
    SampleCurveBlocks(form, VariableValues{}, curve.Data(), second);
  } else {
    // Points already computed when an evaluation fails stay unclipped.
    if (!SampleCurvePoints(form, curve.Data(), second)) {
      return false;
    }
    Clip(curve);
    if (need & kNeedExp2) {
      Clip(graph_.secondCurvePoints_);
    }
  }
  if (kind_ == GraphKind::CurveAndSecondCurve && !(need & kNeedExp2)) {
    // The second curve of a parametric kind 20 stays as created, and is
    // clipped like any other.
    Clip(graph_.secondCurvePoints_);
  }
  if (kind_ == GraphKind::RevolutionAboutX || kind_ == GraphKind::RevolutionAboutY) {
    BuildRibbon();
  }
  return true;
}

void GraphSampler::BuildRibbon() {
  double cosine[Graph::kRibbonUpper + 1];
  double sine[Graph::kRibbonUpper + 1];
  for (std::int32_t k = 0; k <= Graph::kRibbonUpper; ++k) {
    // 0, 0.15708, ..., 6.2832 radians, stored as singles as the angle is.
    const double angle = static_cast<float>(static_cast<double>(k * 15708) / 100000.0);
    cosine[k] = std::cos(angle);
    sine[k] = std::sin(angle);
  }
  const PointGrid& curve = graph_.points_;
  PointGrid& ribbon = graph_.ribbonPoints_;
  for (std::int32_t i = 0; i <= stepV_; ++i) {  // StepV is within the point budget
    const GridPoint& source = curve.Data()[curve.Index(0, i)];
    const float x = source.x;
    const float y = source.y;
    GridPoint* row = ribbon.Data() + ribbon.Index(0, i);
    for (std::int32_t k = 0; k <= Graph::kRibbonUpper; ++k) {
      GridPoint& point = row[k];
      if (IsUndefined(x) || IsUndefined(y)) {
        point.x = UndefinedMark;
        point.y = UndefinedMark;
        point.z = UndefinedMark;
      } else if (kind_ == GraphKind::RevolutionAboutX) {  // around the X axis
        const double radius = std::fabs(static_cast<double>(y));
        point.z = FinalValue(radius * cosine[k]);
        point.y = FinalValue(radius * sine[k]);
        point.x = x;
      } else {  // around the Y axis
        const double radius = std::fabs(static_cast<double>(x));
        point.x = FinalValue(radius * cosine[k]);
        point.z = FinalValue(radius * sine[k]);
        point.y = y;
      }
    }
  }
}

}  // namespace quillon
