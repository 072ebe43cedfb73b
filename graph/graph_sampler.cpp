// The run of Graph::GetPoints: the order of the steps, the compilation of
// the texts, the parameters, evaluation one point or one block at a time,
// and the clip to the view. Each kind's points are filled in the other
// graph_sampler_*.cpp files.
#include "graph/graph_sampler.h"

#include <algorithm>

#include "expr/evaluation_steps.h"
#include "expr/expression_compiler.h"
#include "graph/sampled_coordinates.h"

namespace quillon {

using sampling::ViewClip;

namespace {

// (maximum - minimum) / count, rounded to a single. A step beyond single
// range (a range wider than the largest single, taken in one step) keeps
// its double value, so that the parameters still run from minimum to
// maximum.
double Step(float minimum, float maximum, std::int32_t count) {
  const double step = (static_cast<double>(maximum) - minimum) / count;
  return evaluation::InFloatRange(step) ? static_cast<double>(static_cast<float>(step)) : step;
}

}  // namespace

bool Graph::GetPoints() {
  return GraphSampler(*this).Run();
}

GraphSampler::GraphSampler(Graph& graph)
    : graph_(graph), document_(graph.Document()), kind_(graph.kind) {}

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

void GraphSampler::ComputeSteps() {
  u_ = {graph_.minU, Step(graph_.minU, graph_.maxU, stepU_)};
  v_ = {graph_.minV, Step(graph_.minV, graph_.maxV, stepV_)};
  t_ = {graph_.minT, graph_.animated ? Step(graph_.minT, graph_.maxT, stepT_) : 0.0};
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
// Clipping to the view interval

void GraphSampler::Clip(PointGrid& grid) const {
  const ViewClip clip(document_);
  GridPoint* data = grid.Data();
  for (std::size_t n = 0; n < grid.StoredSize(); ++n) {
    clip.Apply(data[n]);
  }
}

}  // namespace quillon
