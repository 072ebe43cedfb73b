// GraphSampler: the work of Graph::GetPoints for one call. It checks the step
// counts, allocates the point arrays, compiles the expression texts once and
// fills the points of the graph's kind. Internal to the graph library.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "expr/compiled_expression.h"
#include "graph/graph.h"

namespace quillon {

class GraphSampler {
 public:
  explicit GraphSampler(Graph& graph);
  ~GraphSampler();
  GraphSampler(const GraphSampler&) = delete;
  GraphSampler& operator=(const GraphSampler&) = delete;

  // Graph::GetPoints: true when every text compiled and every evaluation gave
  // a result (or the kind samples nothing).
  bool Run();

 private:
  // One compiled expression field of the graph.
  struct Expression {
    std::string postfix;
    CompiledExpression code{std::string()};
    // Pure (no RND) and yielding a value: its results do not depend on the
    // order of evaluation and never stop the sampling, so whole blocks of
    // points may be evaluated at once.
    bool blockSafe = false;
  };

  // Which expression fields a loop evaluates.
  enum Need : unsigned { kNeedX = 1, kNeedY = 2, kNeedZ = 4, kNeedExp2 = 8 };

  // The forms of a plane curve (kinds 0, 3, 9, 10, 20 to 23).
  enum class CurveForm { None, ExplicitCartesian, ExplicitPolar, Parametric };

  struct Allocation;

  bool CheckCounts();
  bool PlanAllocation();
  void ReportTooManyPoints(std::size_t count) const;
  // Gives every planned array its extent, except the deferred ones.
  void Allocate();
  // The deferred arrays: fresh points, or unset for a caller that writes
  // every cell.
  void AllocateDeferred(bool unset);
  void ComputeSteps();
  bool Compile();

  bool SampleCurveGroup();
  bool SampleCoordinatePlaneCurve();
  bool SampleSurface();
  bool SamplePoint();
  bool SampleAnimatedPoint();
  bool SampleAnimatedCurve();
  bool SampleAnimatedPlaneCurve();
  bool SampleAnimatedSurface();

  CurveForm FormOfCurve() const;
  static Variable BindingOfCurve(CurveForm form);
  unsigned NeedOfCurve(CurveForm form) const;
  bool SurfaceIsSampled() const;
  // Kind 1: the variable that the last parameter token of ExpressZ names, or
  // false when no token names one of the coordinate system's pair.
  bool LastPlaneToken(Variable& variable) const;

  bool BlockSafe(unsigned need) const;
  bool Evaluate(const Expression& expression, const VariableValues& values, float& result);
  void EvaluateBlock(const VariableValues& base, Variable varying, std::size_t count,
                     unsigned need);
  // The parameters 0..last in blocks: each block's parameters are computed,
  // the needed texts evaluated over them with `base` for the other
  // variables, then store(index, position in the block) runs per point.
  template <typename Store>
  void RunBlocks(std::int64_t last, float (GraphSampler::*parameter)(std::int64_t) const,
                 const VariableValues& base, Variable varying, unsigned need, Store store);

  // A plane curve point, evaluated in the described order: a failed
  // evaluation leaves the point as far as it was set and returns false.
  bool EvaluateCurvePoint(CurveForm form, float parameter, const VariableValues& values,
                          PlotPoint& point);
  // The curve points first + i * stride for the parameters MinV + i dV,
  // i = 0..StepV, evaluated in blocks with `base` for the other variables
  // and clipped. With `resetRows`, the stride - 1 cells after each point
  // (the rest of its row in an unset grid) become fresh points.
  void SampleCurveBlocks(CurveForm form, const VariableValues& base, PlotPoint* first,
                         std::size_t stride, PlotPoint* second, std::size_t secondStride,
                         bool resetRows);
  bool SampleCurvePoints(CurveForm form, PlotPoint* first, std::size_t stride, PlotPoint* second,
                         std::size_t secondStride);
  // A space point from the values of ExpressX, ExpressY, ExpressZ.
  bool EvaluateSpacePoint(const VariableValues& values, PlotPoint& point);
  // Kind 1's point at one u: every matching token computes it again.
  bool EvaluatePlaneCurvePoint(float u, const VariableValues& base, PlotPoint& point);
  void StorePlaneCurvePoint(Variable variable, float u, float f, PlotPoint& point) const;

  void ClipColumn(PointGrid& grid, std::int32_t intU) const;
  void ClipAll(PointGrid& grid) const;
  void BuildRibbon();

  float ParameterU(std::int64_t j) const;
  float ParameterV(std::int64_t i) const;
  float ParameterT(std::int64_t k) const;

  std::unique_ptr<Allocation> plan_;
  Graph& graph_;
  DocumentValues& document_;
  GraphKind kind_;
  std::int32_t stepU_ = 1, stepV_ = 1, stepT_ = 1;
  // Steps of u, v and t: singles, unless beyond single range (see Step).
  double dU_ = 0, dV_ = 0, dT_ = 0;
  Expression x_, y_, z_, exp2_;
  std::vector<float> parameters_, resultX_, resultY_, resultZ_, result2_;
};

}  // namespace quillon
