#include "graph/graph_sampler.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "expr/evaluation_steps.h"
#include "expr/expression_compiler.h"
#include "expr/reporter.h"
#include "expr/undefined_mark.h"

namespace quillon {

namespace {

// Points evaluated together on the block path; the buffers hold this many.
constexpr std::size_t kBlock = 1024;
// The ribbons of kinds 21 and 22 have angle indices 0..40.
constexpr std::int32_t kRibbonUpper = 40;

// A double stored as a single, as the evaluator stores its results: a value
// beyond single range (or not a number) is no coordinate and becomes the
// undefined mark instead of an infinity.
using evaluation::FinalValue;

// (maximum - minimum) / count, rounded to a single. A step beyond single
// range (a range wider than the largest single, taken in one step) keeps
// its double value, so that the parameters still run from minimum to
// maximum.
double Step(float minimum, float maximum, std::int32_t count) {
  const double step = (static_cast<double>(maximum) - minimum) / count;
  return evaluation::InFloatRange(step) ? static_cast<double>(static_cast<float>(step)) : step;
}

bool IsUndefined(float value) {
  return value == UndefinedMark;
}

void SetVariable(VariableValues& values, Variable variable, float value) {
  switch (variable) {
    case Variable::U:
      values.U = value;
      break;
    case Variable::V:
      values.V = value;
      break;
    case Variable::X:
      values.X = value;
      break;
    case Variable::Y:
      values.Y = value;
      break;
    case Variable::A:
      values.A = value;
      break;
    case Variable::R:
      values.R = value;
      break;
    case Variable::B:
      values.B = value;
      break;
    case Variable::T:
      values.T = value;
      break;
  }
}

// Angle a and radius r in the plane: X = r cos a, Y = r sin a.
void StorePolar(float a, float r, PlotPoint& point) {
  if (IsUndefined(a) || IsUndefined(r)) {
    point.x = UndefinedMark;
    point.y = UndefinedMark;
    return;
  }
  const double angle = a;
  const double radius = r;
  point.x = FinalValue(radius * std::cos(angle));
  point.y = FinalValue(radius * std::sin(angle));
}

// The values of ExpressX, ExpressY and ExpressZ (v1, v2, v3) read in a
// coordinate system, stored as a point. Y is the vertical axis of space.
// An undefined value makes every coordinate computed from it undefined.
void StoreCoordinates(CoordinateSystem coordinates, float v1, float v2, float v3,
                      PlotPoint& point) {
  switch (coordinates) {
    case CoordinateSystem::Cartesian:  // plane (z, x, y) and space (x, y, z) store alike
    case CoordinateSystem::CartesianSpace:
      point.z = v1;
      point.x = v2;
      point.y = v3;
      break;
    case CoordinateSystem::Polar:  // plane polar (z, angle, radius)
      StorePolar(v2, v3, point);
      point.z = v1;
      break;
    case CoordinateSystem::Cylindrical: {  // angle, radius, height
      if (IsUndefined(v1) || IsUndefined(v2)) {
        point.z = UndefinedMark;
        point.x = UndefinedMark;
      } else {
        const double a = v1;
        const double r = v2;
        point.z = FinalValue(r * std::cos(a));
        point.x = FinalValue(r * std::sin(a));
      }
      point.y = v3;
      break;
    }
    case CoordinateSystem::Spherical: {  // angle a, angle b, radius
      const double a = v1;
      const double b = v2;
      const double r = v3;
      if (IsUndefined(v2) || IsUndefined(v3)) {
        point.y = UndefinedMark;
      } else {
        point.y = FinalValue(r * std::cos(b));
      }
      if (IsUndefined(v1) || IsUndefined(v2) || IsUndefined(v3)) {
        point.z = UndefinedMark;
        point.x = UndefinedMark;
      } else {
        point.z = FinalValue(r * std::sin(b) * std::cos(a));
        point.x = FinalValue(r * std::sin(b) * std::sin(a));
      }
      break;
    }
    default:
      break;
  }
}

// The view interval, each coordinate tested on its own: a value not inside
// its bounds becomes the undefined mark (which stays, being inside any
// interval that holds 0.12345).
class ViewClip {
 public:
  explicit ViewClip(const DocumentValues& document)
      : minX_(document.ViewMinX),
        maxX_(document.ViewMaxX),
        minY_(document.ViewMinY),
        maxY_(document.ViewMaxY),
        minZ_(document.ViewMinZ),
        maxZ_(document.ViewMaxZ) {}

  float X(float value) const { return Inside(value, minX_, maxX_) ? value : UndefinedMark; }
  float Y(float value) const { return Inside(value, minY_, maxY_) ? value : UndefinedMark; }
  float Z(float value) const { return Inside(value, minZ_, maxZ_) ? value : UndefinedMark; }

  void Apply(PlotPoint& point) const {
    point.x = X(point.x);
    point.y = Y(point.y);
    point.z = Z(point.z);
  }

 private:
  static bool Inside(float value, float low, float high) { return low <= value && value <= high; }

  float minX_, maxX_, minY_, maxY_, minZ_, maxZ_;
};

// Space curves: the pair of parameter tokens of a coordinate system of space.
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

struct GraphSampler::Allocation {
  struct Entry {
    PointGrid* grid;
    std::int32_t upper1, upper2, upper3;
    PointGrid::Fill fill;
    // Allocated only once the sampling knows whether it writes every cell.
    bool deferred;
  };
  std::vector<Entry> entries;
};

bool Graph::GetPoints() {
  return GraphSampler(*this).Run();
}

GraphSampler::GraphSampler(Graph& graph)
    : plan_(std::make_unique<Allocation>()),
      graph_(graph),
      document_(graph.Document()),
      kind_(graph.kind) {}

GraphSampler::~GraphSampler() = default;

bool GraphSampler::Run() {
  if (!CheckCounts()) {
    return false;
  }
  if (!PlanAllocation()) {
    return false;
  }
  // The raised counts stay in the record and in the document.
  graph_.stepsU = stepU_;
  graph_.stepsV = stepV_;
  if (document_.AnimFrames == 0) {
    document_.AnimFrames = 1;
  }
  Allocate();
  ComputeSteps();
  if (!Compile()) {
    AllocateDeferred(false);
    return false;
  }
  for (auto* buffer : {&parameters_, &resultX_, &resultY_, &resultZ_, &result2_}) {
    buffer->resize(kBlock);
  }

  if (IsPlaneCurveKind(kind_)) {
    return SampleCurveGroup();
  }
  if (IsSurfaceKind(kind_)) {
    return SampleSurface();
  }
  switch (kind_) {
    case GraphKind::SpaceCurve:
      return SampleCoordinatePlaneCurve();
    case GraphKind::SinglePoint:
      return SamplePoint();
    case GraphKind::AnimatedPoint:
      return SampleAnimatedPoint();
    case GraphKind::AnimatedCurve:
    case GraphKind::AnimatedRibbon:
      return SampleAnimatedCurve();
    case GraphKind::AnimatedSpaceCurve:
      return SampleAnimatedPlaneCurve();
    case GraphKind::AnimatedSurface:
      return SampleAnimatedSurface();
    default:
      return true;  // kinds that sample nothing
  }
}

bool GraphSampler::CheckCounts() {
  // A negative count cannot size an array: the graph is refused and keeps
  // the points it had.
  if (graph_.stepsU < 0 || graph_.stepsV < 0) {
    return false;
  }
  if (IsAnimationKind(kind_) && document_.AnimFrames < 0) {
    return false;
  }
  stepU_ = graph_.stepsU == 0 ? 1 : graph_.stepsU;
  stepV_ = graph_.stepsV == 0 ? 1 : graph_.stepsV;
  stepT_ = document_.AnimFrames == 0 ? 1 : document_.AnimFrames;
  return true;
}

bool GraphSampler::PlanAllocation() {
  Allocation& plan = *plan_;
  using Fill = PointGrid::Fill;
  bool vert3DComputed = false;
  if (IsPlaneCurveKind(kind_)) {
    vert3DComputed = FormOfCurve() != CurveForm::None;
  } else if (IsSurfaceKind(kind_)) {
    vert3DComputed = SurfaceIsSampled();
  } else if (kind_ == GraphKind::SinglePoint) {
    vert3DComputed = IsKnownSystem(graph_.coordinates);
  }

  auto add = [&plan](PointGrid& grid, std::int32_t upper1, std::int32_t upper2, std::int32_t upper3,
                     Fill fill, bool deferred = false) {
    plan.entries.push_back({&grid, upper1, upper2, upper3, fill, deferred});
  };
  // A plane curve may be written row by row in one pass (see
  // SampleCurveGroup).
  const bool curveComputed = IsPlaneCurveKind(kind_) && vert3DComputed;
  // Arrays that are created but never computed read as fresh points and
  // cost nothing until someone writes them.
  add(graph_.points_, stepU_, stepV_, 0, vert3DComputed ? Fill::Fresh : Fill::Lazy, curveComputed);
  add(graph_.derivativePoints_, stepU_, stepV_, 0, Fill::Lazy);
  add(graph_.auxiliaryPoints_, stepU_, stepV_, 0, Fill::Lazy);
  if (graph_.showSectionX) {
    add(graph_.sectionXPoints_, stepU_, stepV_, 0, Fill::Lazy);
  }
  if (graph_.showSectionY) {
    add(graph_.sectionYPoints_, stepU_, stepV_, 0, Fill::Lazy);
  }
  if (graph_.showOddEven) {
    add(graph_.oddEvenPoints_, stepU_, stepV_, 0, Fill::Lazy);
  }
  const Fill animationFill = graph_.animated ? Fill::Fresh : Fill::Empty;
  switch (kind_) {
    case GraphKind::SpaceCurve: {
      const bool computed =
          graph_.form == FunctionForm::Explicit && IsSpaceSystem(graph_.coordinates);
      add(graph_.spaceCurvePoints_, stepU_, 0, 0, computed ? Fill::Fresh : Fill::Lazy);
      break;
    }
    case GraphKind::CurveAndSecondCurve:
      add(graph_.secondCurvePoints_, stepU_, stepV_, 0, curveComputed ? Fill::Fresh : Fill::Lazy,
          FormOfCurve() == CurveForm::ExplicitCartesian);
      break;
    case GraphKind::RevolutionAboutX:
    case GraphKind::RevolutionAboutY:
      add(graph_.ribbonPoints_, kRibbonUpper, stepV_, 0, curveComputed ? Fill::Fresh : Fill::Lazy);
      break;
    case GraphKind::DifferentialEquation:
      add(graph_.odePoints_, stepU_, stepV_, 0, Fill::Lazy);
      break;
    case GraphKind::AnimatedPoint:
      add(graph_.animatedPoint_, stepT_, 0, 0, animationFill);
      break;
    case GraphKind::AnimatedCurve:
      add(graph_.animatedCurve_, stepV_, stepT_, 0, animationFill);
      break;
    case GraphKind::AnimatedRibbon:
      add(graph_.animatedRibbon_, 1, stepV_, stepT_, animationFill);
      break;
    case GraphKind::AnimatedSpaceCurve:
      add(graph_.animatedSpaceCurve_, stepU_, stepT_, 0, animationFill);
      break;
    case GraphKind::AnimatedSurface:
      add(graph_.animatedSurface_, stepU_, stepV_, stepT_, animationFill);
      break;
    default:
      break;
  }

  std::size_t stored = 0;
  for (const auto& entry : plan.entries) {
    const auto count = PointGrid::CellCount(entry.upper1, entry.upper2, entry.upper3);
    if (!count) {
      ReportTooManyPoints(0);
      return false;
    }
    if (entry.fill == Fill::Fresh) {
      if (*count > Graph::kPointBudget - stored) {
        ReportTooManyPoints(*count > Graph::kPointBudget ? *count : stored + *count);
        return false;
      }
      stored += *count;
    }
  }
  return true;
}

void GraphSampler::ReportTooManyPoints(std::size_t count) const {
  if (document_.reporter == nullptr) {
    return;
  }
  std::string text =
      "The graph \"" + MessageQuote(graph_.name) + "\" cannot be sampled: its steps need ";
  text += count > 0 ? std::to_string(count) + " points" : "more points than can be counted";
  text += ", and at most " + std::to_string(Graph::kPointBudget) +
          " points are kept for one graph. Choose fewer steps.";
  document_.reporter->Report("Error", text, MessageIcon::Critical);
}

void GraphSampler::Allocate() {
  for (const auto& entry : plan_->entries) {
    if (!entry.deferred) {
      entry.grid->Allocate(entry.upper1, entry.upper2, entry.upper3, entry.fill);
    }
  }
}

void GraphSampler::AllocateDeferred(bool unset) {
  for (const auto& entry : plan_->entries) {
    if (!entry.deferred) {
      continue;
    }
    if (unset) {
      entry.grid->AllocateUnset(entry.upper1, entry.upper2, entry.upper3);
    } else {
      entry.grid->Allocate(entry.upper1, entry.upper2, entry.upper3, entry.fill);
    }
  }
}

void GraphSampler::ComputeSteps() {
  dU_ = Step(graph_.minU, graph_.maxU, stepU_);
  dV_ = Step(graph_.minV, graph_.maxV, stepV_);
  dT_ = graph_.animated ? Step(graph_.minT, graph_.maxT, stepT_) : 0.0;
}

bool GraphSampler::Compile() {
  ExpressionCompiler engine(document_.reporter);
  if (engine.InfixToPostfix(graph_.expressionX, x_.postfix) != 0 ||
      engine.InfixToPostfix(graph_.expressionY, y_.postfix) != 0 ||
      engine.InfixToPostfix(graph_.expressionZ, z_.postfix) != 0) {
    return false;
  }
  if (kind_ == GraphKind::CurveAndSecondCurve &&
      engine.InfixToPostfix(graph_.secondCurveExpression, exp2_.postfix) != 0) {
    return false;
  }
  for (Expression* expression : {&x_, &y_, &z_, &exp2_}) {
    expression->code = CompiledExpression(expression->postfix);
    expression->blockSafe = !expression->code.UsesRandom() && expression->code.YieldsValue();
  }
  return true;
}

// ---------------------------------------------------------------------------
// Parameters and evaluation

float GraphSampler::ParameterU(std::int64_t j) const {
  return FinalValue(static_cast<double>(graph_.minU) + static_cast<double>(j) * dU_);
}

float GraphSampler::ParameterV(std::int64_t i) const {
  return FinalValue(static_cast<double>(graph_.minV) + static_cast<double>(i) * dV_);
}

float GraphSampler::ParameterT(std::int64_t k) const {
  return FinalValue(static_cast<double>(graph_.minT) + static_cast<double>(k) * dT_);
}

bool GraphSampler::BlockSafe(unsigned need) const {
  return (!(need & kNeedX) || x_.blockSafe) && (!(need & kNeedY) || y_.blockSafe) &&
         (!(need & kNeedZ) || z_.blockSafe) && (!(need & kNeedExp2) || exp2_.blockSafe);
}

bool GraphSampler::Evaluate(const Expression& expression, const VariableValues& values,
                            float& result) {
  float value = 0.0f;
  if (!expression.code.Evaluate(values, value, document_.random)) {
    return false;
  }
  result = value;
  return true;
}

void GraphSampler::EvaluateBlock(const VariableValues& base, Variable varying, std::size_t count,
                                 unsigned need) {
  const float* points = parameters_.data();
  if (need & kNeedX) {
    x_.code.EvaluateMany(base, varying, points, count, resultX_.data(), document_.random);
  }
  if (need & kNeedY) {
    y_.code.EvaluateMany(base, varying, points, count, resultY_.data(), document_.random);
  }
  if (need & kNeedZ) {
    z_.code.EvaluateMany(base, varying, points, count, resultZ_.data(), document_.random);
  }
  if (need & kNeedExp2) {
    exp2_.code.EvaluateMany(base, varying, points, count, result2_.data(), document_.random);
  }
}

// ---------------------------------------------------------------------------
// Plane curves: kinds 0, 3, 20, 21, 22, 23, and per frame kinds 9 and 10

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

bool GraphSampler::EvaluateCurvePoint(CurveForm form, float parameter, const VariableValues& values,
                                      PlotPoint& point) {
  switch (form) {
    case CurveForm::ExplicitCartesian: {
      point.z = 0.0f;
      point.x = parameter;
      float y = 0.0f;
      if (!Evaluate(z_, values, y)) {
        return false;
      }
      point.y = y;
      return true;
    }
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

template <typename Store>
void GraphSampler::RunBlocks(std::int64_t last,
                             float (GraphSampler::*parameter)(std::int64_t) const,
                             const VariableValues& base, Variable varying, unsigned need,
                             Store store) {
  for (std::int64_t start = 0; start <= last; start += static_cast<std::int64_t>(kBlock)) {
    const std::size_t count =
        static_cast<std::size_t>(std::min<std::int64_t>(kBlock, last - start + 1));
    for (std::size_t n = 0; n < count; ++n) {
      parameters_[n] = (this->*parameter)(start + static_cast<std::int64_t>(n));
    }
    EvaluateBlock(base, varying, count, need);
    for (std::size_t n = 0; n < count; ++n) {
      store(start + static_cast<std::int64_t>(n), n);
    }
  }
}

void GraphSampler::SampleCurveBlocks(CurveForm form, const VariableValues& base, PlotPoint* first,
                                     std::size_t stride, PlotPoint* second,
                                     std::size_t secondStride, bool resetRows) {
  const Variable varying = BindingOfCurve(form);
  const unsigned need = NeedOfCurve(form);
  const CoordinateSystem coordType = graph_.coordinates;
  const std::int64_t last = stepV_;
  // A block cannot fail, so each point is clipped before it is stored: the
  // same points as clipping afterwards, with one write to memory.
  const ViewClip clip(document_);
  static const PlotPoint kFresh;
  auto put = [&clip, resetRows](PlotPoint* cell, float x, float y, float z, std::size_t rowLength) {
    if (resetRows) {
      for (std::size_t r = 0; r < rowLength; ++r) {
        cell[r] = kFresh;
      }
    }
    cell->x = clip.X(x);
    cell->y = clip.Y(y);
    cell->z = clip.Z(z);
  };
  for (std::int64_t start = 0; start <= last; start += static_cast<std::int64_t>(kBlock)) {
    const std::size_t count =
        static_cast<std::size_t>(std::min<std::int64_t>(kBlock, last - start + 1));
    for (std::size_t n = 0; n < count; ++n) {
      parameters_[n] = ParameterV(start + static_cast<std::int64_t>(n));
    }
    EvaluateBlock(base, varying, count, need);
    PlotPoint* point = first + static_cast<std::size_t>(start) * stride;
    switch (form) {
      case CurveForm::ExplicitCartesian:
        for (std::size_t n = 0; n < count; ++n, point += stride) {
          put(point, parameters_[n], resultZ_[n], 0.0f, stride);
        }
        if (need & kNeedExp2) {
          PlotPoint* q = second + static_cast<std::size_t>(start) * secondStride;
          for (std::size_t n = 0; n < count; ++n, q += secondStride) {
            put(q, parameters_[n], result2_[n], 0.0f, secondStride);
          }
        }
        break;
      case CurveForm::ExplicitPolar:
        for (std::size_t n = 0; n < count; ++n, point += stride) {
          PlotPoint value;
          StorePolar(parameters_[n], resultZ_[n], value);
          put(point, value.x, value.y, value.z, stride);
        }
        break;
      case CurveForm::Parametric:
        for (std::size_t n = 0; n < count; ++n, point += stride) {
          PlotPoint value;
          StoreCoordinates(coordType, resultX_[n], resultY_[n], resultZ_[n], value);
          put(point, value.x, value.y, value.z, stride);
        }
        break;
      case CurveForm::None:
        break;
    }
  }
}

bool GraphSampler::SampleCurvePoints(CurveForm form, PlotPoint* first, std::size_t stride,
                                     PlotPoint* second, std::size_t secondStride) {
  const Variable bound = BindingOfCurve(form);
  const bool withSecond = (NeedOfCurve(form) & kNeedExp2) != 0;
  for (std::int64_t i = 0; i <= stepV_; ++i) {
    const float p = ParameterV(i);
    VariableValues values;
    SetVariable(values, bound, p);
    if (!EvaluateCurvePoint(form, p, values, first[static_cast<std::size_t>(i) * stride])) {
      return false;
    }
    if (withSecond) {
      PlotPoint& q = second[static_cast<std::size_t>(i) * secondStride];
      q.z = 0.0f;
      q.x = p;
      float y = 0.0f;
      if (!Evaluate(exp2_, values, y)) {
        return false;
      }
      q.y = y;
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
  // The block path writes every cell of the curve's grids, row by row, so
  // they are not filled beforehand.
  AllocateDeferred(block);
  PointGrid& curve = graph_.points_;
  // Point i of the curve is the cell (0, i): one row of the grid apart.
  const std::size_t stride = curve.Index(0, 1);
  PlotPoint* second = nullptr;
  std::size_t secondStride = 0;
  if (kind_ == GraphKind::CurveAndSecondCurve) {
    second = graph_.secondCurvePoints_.Data();
    secondStride = graph_.secondCurvePoints_.Index(0, 1);
  }
  if (block) {
    SampleCurveBlocks(form, VariableValues{}, curve.Data(), stride, second, secondStride, true);
  } else {
    // Points already computed when an evaluation fails stay unclipped.
    if (!SampleCurvePoints(form, curve.Data(), stride, second, secondStride)) {
      return false;
    }
    ClipColumn(curve, 0);
    if (need & kNeedExp2) {
      ClipColumn(graph_.secondCurvePoints_, 0);
    }
  }
  if (kind_ == GraphKind::CurveAndSecondCurve && !(need & kNeedExp2)) {
    // The second curve of a parametric kind 20 stays as created, and is
    // clipped like any other.
    ClipColumn(graph_.secondCurvePoints_, 0);
  }
  if (kind_ == GraphKind::RevolutionAboutX || kind_ == GraphKind::RevolutionAboutY) {
    BuildRibbon();
  }
  return true;
}

void GraphSampler::BuildRibbon() {
  double cosine[kRibbonUpper + 1];
  double sine[kRibbonUpper + 1];
  for (std::int32_t k = 0; k <= kRibbonUpper; ++k) {
    // 0, 0.15708, ..., 6.2832 radians, stored as singles as the angle is.
    const double angle = static_cast<float>(static_cast<double>(k * 15708) / 100000.0);
    cosine[k] = std::cos(angle);
    sine[k] = std::sin(angle);
  }
  const PointGrid& curve = graph_.points_;
  PointGrid& ribbon = graph_.ribbonPoints_;
  for (std::int32_t i = 0; i <= stepV_; ++i) {  // StepV is within the point budget
    const PlotPoint& source = curve.Data()[curve.Index(0, i)];
    const float x = source.x;
    const float y = source.y;
    PlotPoint* row = ribbon.Data() + ribbon.Index(0, i);
    for (std::int32_t k = 0; k <= kRibbonUpper; ++k) {
      PlotPoint& point = row[k];
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

// ---------------------------------------------------------------------------
// Kind 1 and, per frame, kind 11: a curve in a coordinate plane of space

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
                                        PlotPoint& point) const {
  VariableValues values;
  SetVariable(values, variable, u);
  float v1 = 0.0f;
  float v2 = 0.0f;
  PlaneValues(graph_.coordinates, values, v1, v2);
  StoreCoordinates(graph_.coordinates, v1, v2, f, point);
}

bool GraphSampler::EvaluatePlaneCurvePoint(float u, const VariableValues& base, PlotPoint& point) {
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
  PlotPoint* points = graph_.spaceCurvePoints_.Data();
  if (BlockSafe(kNeedZ)) {
    RunBlocks(stepU_, &GraphSampler::ParameterU, VariableValues{}, variable, kNeedZ,
              [&](std::int64_t j, std::size_t n) {
                StorePlaneCurvePoint(variable, parameters_[n], resultZ_[n],
                                     points[static_cast<std::size_t>(j)]);
              });
  } else {
    for (std::int64_t j = 0; j <= stepU_; ++j) {
      if (!EvaluatePlaneCurvePoint(ParameterU(j), VariableValues{},
                                   points[static_cast<std::size_t>(j)])) {
        return false;
      }
    }
  }
  ClipAll(graph_.spaceCurvePoints_);
  return true;
}

// ---------------------------------------------------------------------------
// Surfaces (kinds 2, 13, 14, 15) and single points (kinds 7, 8)

bool GraphSampler::SurfaceIsSampled() const {
  const FunctionForm form = graph_.form;
  return (form == FunctionForm::Explicit || form == FunctionForm::Parametric) &&
         IsSpaceSystem(graph_.coordinates);
}

namespace {

// The variables bound to u and v on a surface.
void SurfaceBinding(FunctionForm form, CoordinateSystem coordinates, Variable& u, Variable& v) {
  if (form == FunctionForm::Parametric) {
    u = Variable::U;
    v = Variable::V;
    return;
  }
  switch (coordinates) {
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

}  // namespace

bool GraphSampler::EvaluateSpacePoint(const VariableValues& values, PlotPoint& point) {
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
  SurfaceBinding(graph_.form, graph_.coordinates, uVariable, vVariable);
  PointGrid& grid = graph_.points_;
  const CoordinateSystem coordType = graph_.coordinates;
  const unsigned need = kNeedX | kNeedY | kNeedZ;
  const bool block = BlockSafe(need);
  PlotPoint* data = grid.Data();
  const std::size_t row = grid.Index(0, 1);
  for (std::int64_t j = 0; j <= stepU_; ++j) {
    const float u = ParameterU(j);
    PlotPoint* column = data + static_cast<std::size_t>(j);
    if (block) {
      VariableValues base;
      SetVariable(base, uVariable, u);
      RunBlocks(stepV_, &GraphSampler::ParameterV, base, vVariable, need,
                [&](std::int64_t i, std::size_t n) {
                  StoreCoordinates(coordType, resultX_[n], resultY_[n], resultZ_[n],
                                   column[static_cast<std::size_t>(i) * row]);
                });
      continue;
    }
    for (std::int64_t i = 0; i <= stepV_; ++i) {
      VariableValues values;
      SetVariable(values, uVariable, u);
      SetVariable(values, vVariable, ParameterV(i));
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

// ---------------------------------------------------------------------------
// Animation kinds 8 to 12: the kinds above for each t. Without Animation the
// arrays have their extent but no points, and there is nothing to fill.

bool GraphSampler::SampleAnimatedPoint() {
  if (!graph_.animated || !IsKnownSystem(graph_.coordinates)) {
    return true;
  }
  PlotPoint* points = graph_.animatedPoint_.Data();
  const unsigned need = kNeedX | kNeedY | kNeedZ;
  if (BlockSafe(need)) {
    RunBlocks(stepT_, &GraphSampler::ParameterT, VariableValues{}, Variable::T, need,
              [&](std::int64_t k, std::size_t n) {
                StoreCoordinates(graph_.coordinates, resultX_[n], resultY_[n], resultZ_[n],
                                 points[static_cast<std::size_t>(k)]);
              });
    return true;  // single points are not clipped
  }
  for (std::int64_t k = 0; k <= stepT_; ++k) {
    VariableValues values;
    values.T = ParameterT(k);
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
  // curve pair in cells (0, i, t), whose cells (1, i, t) stay fresh.
  const bool single = kind_ == GraphKind::AnimatedCurve;
  PointGrid& grid = single ? graph_.animatedCurve_ : graph_.animatedRibbon_;
  const std::size_t stride = single ? grid.Index(1, 0, 0) : grid.Index(0, 1, 0);
  const std::size_t frame = single ? grid.Index(0, 1, 0) : grid.Index(0, 0, 1);
  PlotPoint* data = grid.Data();
  if (BlockSafe(NeedOfCurve(form))) {
    // Pure texts: the order of evaluation does not matter, so each frame's
    // curve is evaluated as one run of blocks.
    for (std::int64_t k = 0; k <= stepT_; ++k) {
      VariableValues base;
      base.T = ParameterT(k);
      SampleCurveBlocks(form, base, data + static_cast<std::size_t>(k) * frame, stride, nullptr, 0,
                        false);
    }
  } else {
    const Variable bound = BindingOfCurve(form);
    for (std::int64_t i = 0; i <= stepV_; ++i) {
      const float p = ParameterV(i);
      for (std::int64_t k = 0; k <= stepT_; ++k) {
        VariableValues values;
        SetVariable(values, bound, p);
        values.T = ParameterT(k);
        PlotPoint& point =
            data[static_cast<std::size_t>(i) * stride + static_cast<std::size_t>(k) * frame];
        if (!EvaluateCurvePoint(form, p, values, point)) {
          return false;
        }
      }
    }
    if (single) {
      ClipAll(grid);
    } else {
      ClipColumn(grid, 0);
    }
  }
  return true;
}

bool GraphSampler::SampleAnimatedPlaneCurve() {
  Variable variable;
  if (!graph_.animated || !LastPlaneToken(variable)) {
    return true;
  }
  PointGrid& grid = graph_.animatedSpaceCurve_;
  PlotPoint* data = grid.Data();
  const std::size_t frame = grid.Index(0, 1);
  if (BlockSafe(kNeedZ)) {
    // Pure text: each frame's curve is evaluated as one run of blocks.
    for (std::int64_t k = 0; k <= stepT_; ++k) {
      VariableValues base;
      base.T = ParameterT(k);
      PlotPoint* curve = data + static_cast<std::size_t>(k) * frame;
      RunBlocks(stepU_, &GraphSampler::ParameterU, base, variable, kNeedZ,
                [&](std::int64_t j, std::size_t n) {
                  StorePlaneCurvePoint(variable, parameters_[n], resultZ_[n],
                                       curve[static_cast<std::size_t>(j)]);
                });
    }
  } else {
    for (std::int64_t j = 0; j <= stepU_; ++j) {
      const float u = ParameterU(j);
      for (std::int64_t k = 0; k <= stepT_; ++k) {
        VariableValues base;
        base.T = ParameterT(k);
        PlotPoint& point = data[static_cast<std::size_t>(j) + static_cast<std::size_t>(k) * frame];
        if (!EvaluatePlaneCurvePoint(u, base, point)) {
          return false;
        }
      }
    }
  }
  ClipAll(grid);
  return true;
}

bool GraphSampler::SampleAnimatedSurface() {
  if (!graph_.animated || !SurfaceIsSampled()) {
    return true;
  }
  Variable uVariable;
  Variable vVariable;
  SurfaceBinding(graph_.form, graph_.coordinates, uVariable, vVariable);
  PointGrid& grid = graph_.animatedSurface_;
  PlotPoint* data = grid.Data();
  const std::size_t row = grid.Index(0, 1, 0);
  const std::size_t frame = grid.Index(0, 0, 1);
  auto cell = [&](std::int64_t j, std::int64_t i, std::int64_t k) -> PlotPoint& {
    return data[static_cast<std::size_t>(j) + static_cast<std::size_t>(i) * row +
                static_cast<std::size_t>(k) * frame];
  };
  const CoordinateSystem coordType = graph_.coordinates;
  const unsigned need = kNeedX | kNeedY | kNeedZ;
  if (BlockSafe(need)) {
    for (std::int64_t k = 0; k <= stepT_; ++k) {
      const float t = ParameterT(k);
      for (std::int64_t j = 0; j <= stepU_; ++j) {
        VariableValues base;
        SetVariable(base, uVariable, ParameterU(j));
        base.T = t;
        RunBlocks(stepV_, &GraphSampler::ParameterV, base, vVariable, need,
                  [&](std::int64_t i, std::size_t n) {
                    StoreCoordinates(coordType, resultX_[n], resultY_[n], resultZ_[n],
                                     cell(j, i, k));
                  });
      }
    }
  } else {
    for (std::int64_t j = 0; j <= stepU_; ++j) {
      const float u = ParameterU(j);
      for (std::int64_t i = 0; i <= stepV_; ++i) {
        const float v = ParameterV(i);
        for (std::int64_t k = 0; k <= stepT_; ++k) {
          VariableValues values;
          SetVariable(values, uVariable, u);
          SetVariable(values, vVariable, v);
          values.T = ParameterT(k);
          if (!EvaluateSpacePoint(values, cell(j, i, k))) {
            return false;
          }
        }
      }
    }
  }
  ClipAll(grid);
  return true;
}

// ---------------------------------------------------------------------------
// Clipping to the view interval

void GraphSampler::ClipColumn(PointGrid& grid, std::int32_t intU) const {
  const ViewClip clip(document_);
  PlotPoint* data = grid.Data();
  for (std::int32_t k = 0; k <= grid.Upper(2); ++k) {
    for (std::int32_t j = 0; j <= grid.Upper(1); ++j) {
      clip.Apply(data[grid.Index(intU, j, k)]);
    }
  }
}

void GraphSampler::ClipAll(PointGrid& grid) const {
  const ViewClip clip(document_);
  PlotPoint* data = grid.Data();
  for (std::size_t n = 0; n < grid.Size(); ++n) {
    clip.Apply(data[n]);
  }
}

}  // namespace quillon
