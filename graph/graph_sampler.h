// GraphSampler: the work of Graph::GetPoints for one call. It checks the step
// counts, allocates the point arrays, compiles the expression texts once and
// fills the points of the graph's kind. Internal to the graph library; its
// parts live in graph_sampler*.cpp by concern (the run and evaluation,
// allocation, plane curves, space kinds, animation).
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "expr/compiled_expression.h"
#include "expr/evaluation_steps.h"
#include "graph/graph.h"

namespace quillon {

class GraphSampler {
 public:
  explicit GraphSampler(Graph& graph);
  GraphSampler(const GraphSampler&) = delete;
  GraphSampler& operator=(const GraphSampler&) = delete;

  // Graph::GetPoints: true when every text compiled and every evaluation gave
  // a result (or the kind samples nothing).
  bool Run();

 private:
  // Points evaluated together on the block path; the buffers hold this many.
  static constexpr std::size_t kBlock = 1024;

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

  // The parameters of u, v or t: minimum + index * step, stored as singles.
  struct ParameterScale {
    float minimum = 0;
    // A single, unless beyond single range (see Step in graph_sampler.cpp).
    double step = 0;

    float At(std::int64_t index) const {
      return evaluation::FinalValue(static_cast<double>(minimum) +
                                    static_cast<double>(index) * step);
    }
    // At(first + n) into values[n] for n < count; first + n is exact as a
    // double, as At's index is. The values grow (or shrink) with the index,
    // so when both ends are singles every value is, and the loop needs no
    // test per value, which lets the compiler vectorise it.
    void Values(std::int64_t first, std::size_t count, float* values) const {
      // Locals, so that the stores into values cannot change them.
      const double origin = static_cast<double>(minimum);
      const double increment = step;
      const double firstIndex = static_cast<double>(first);
      auto value = [=](std::size_t n) {
        return origin +
               (firstIndex + static_cast<double>(static_cast<std::int32_t>(n))) * increment;
      };
      if (count > 0 && evaluation::InFloatRange(value(0)) &&
          evaluation::InFloatRange(value(count - 1))) {
        for (std::size_t n = 0; n < count; ++n) {
          values[n] = static_cast<float>(value(n));
        }
        return;
      }
      for (std::size_t n = 0; n < count; ++n) {
        values[n] = evaluation::FinalValue(value(n));
      }
    }
  };

  // A point array this call gives an extent.
  struct PlannedGrid {
    PointGrid* grid;
    std::int32_t upper1, upper2, upper3;
    PointGrid::Fill fill;
    // Allocated only once the sampling knows whether it writes every cell.
    bool deferred;
  };

  // --- allocation and the point budget (graph_sampler_allocation.cpp) ---
  bool CheckCounts();
  bool PlanAllocation();
  void ReportTooManyPoints(std::size_t count) const;
  // Gives every planned array its extent, except the deferred ones.
  void Allocate();
  // The deferred arrays: fresh points, or unset for a caller that writes
  // every cell.
  void AllocateDeferred(bool unset);

  // --- the run, compilation, evaluation and clipping (graph_sampler.cpp) ---
  void ComputeSteps();
  bool Compile();
  bool BlockSafe(unsigned need) const;
  bool Evaluate(const Expression& expression, const VariableValues& values, float& result);
  void EvaluateBlock(const VariableValues& base, Variable varying, std::size_t count,
                     unsigned need);
  // The parameters 0..last of `scale` in blocks: each block's parameters are
  // computed, the needed texts evaluated over them with `base` for the other
  // variables, then store(index, position in the block) runs per point.
  template <typename Store>
  void RunBlocks(std::int64_t last, const ParameterScale& scale, const VariableValues& base,
                 Variable varying, unsigned need, Store store);
  // Clips every stored cell of the grid to the view interval.
  void Clip(PointGrid& grid) const;

  // --- plane curves, the second curve and ribbons (graph_sampler_curves.cpp) ---
  bool SampleCurveGroup();
  CurveForm FormOfCurve() const;
  static Variable BindingOfCurve(CurveForm form);
  unsigned NeedOfCurve(CurveForm form) const;
  // A plane curve point, the first text evaluated before the second (RND
  // texts draw their numbers in this order): a failed
  // evaluation leaves the point as far as it was set and returns false.
  bool EvaluateCurvePoint(CurveForm form, float parameter, const VariableValues& values,
                          GridPoint& point);
  // The point (x, text at x, 0) of an explicit Cartesian curve; false, with
  // y left as it was, when the text has no value there.
  bool EvaluateExplicitPoint(const Expression& text, float x, const VariableValues& values,
                             GridPoint& point);
  // The curve points curve[i] (and second[i] of a second curve) for the
  // parameters MinV + i dV, i = 0..StepV, evaluated in blocks with `base`
  // for the other variables and clipped.
  void SampleCurveBlocks(CurveForm form, const VariableValues& base, GridPoint* curve,
                         GridPoint* second);
  // The same one point at a time, unclipped; false when an evaluation fails.
  bool SampleCurvePoints(CurveForm form, GridPoint* curve, GridPoint* second);
  void BuildRibbon();

  // --- space curves, surfaces and single points (graph_sampler_space.cpp) ---
  bool SampleCoordinatePlaneCurve();
  bool SampleSurface();
  bool SamplePoint();
  bool SurfaceIsSampled() const;
  // The variables bound to u and v on a surface.
  void BindingOfSurface(Variable& u, Variable& v) const;
  // Kind 1: the variable that the last parameter token of ExpressZ names, or
  // false when no token names one of the coordinate system's pair.
  bool LastPlaneToken(Variable& variable) const;
  // A space point from the values of ExpressX, ExpressY, ExpressZ.
  bool EvaluateSpacePoint(const VariableValues& values, GridPoint& point);
  // Kind 1's point at one u: every matching token computes it again.
  bool EvaluatePlaneCurvePoint(float u, const VariableValues& base, GridPoint& point);
  void StorePlaneCurvePoint(Variable variable, float u, float f, GridPoint& point) const;

  // --- the animation kinds 8 to 12 (graph_sampler_animation.cpp) ---
  bool SampleAnimatedPoint();
  bool SampleAnimatedCurve();
  bool SampleAnimatedPlaneCurve();
  bool SampleAnimatedSurface();

  std::vector<PlannedGrid> plan_;
  Graph& graph_;
  DocumentValues& document_;
  GraphKind kind_;
  std::int32_t stepU_ = 1, stepV_ = 1, stepT_ = 1;
  ParameterScale u_, v_, t_;
  Expression x_, y_, z_, exp2_;
  std::vector<float> parameters_, resultX_, resultY_, resultZ_, result2_;
};

template <typename Store>
void GraphSampler::RunBlocks(std::int64_t last, const ParameterScale& scale,
                             const VariableValues& base, Variable varying, unsigned need,
                             Store store) {
  for (std::int64_t start = 0; start <= last; start += static_cast<std::int64_t>(kBlock)) {
    const std::size_t count =
        static_cast<std::size_t>(std::min<std::int64_t>(kBlock, last - start + 1));
    scale.Values(start, count, parameters_.data());
    EvaluateBlock(base, varying, count, need);
    for (std::size_t n = 0; n < count; ++n) {
      store(start + static_cast<std::int64_t>(n), n);
    }
  }
}

}  // namespace quillon
