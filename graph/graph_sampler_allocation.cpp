// Allocation of a sampling: the step counts, which point arrays a graph's
// kind gets and how they are filled, and the point budget that refuses a
// graph before anything is allocated.
#include <string>

#include "expr/reporter.h"
#include "graph/graph_sampler.h"

namespace quillon {

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
  using Fill = PointGrid::Fill;
  bool pointsComputed = false;
  if (IsPlaneCurveKind(kind_)) {
    pointsComputed = FormOfCurve() != CurveForm::None;
  } else if (IsSurfaceKind(kind_)) {
    pointsComputed = SurfaceIsSampled();
  } else if (kind_ == GraphKind::SinglePoint) {
    pointsComputed = IsKnownSystem(graph_.coordinates);
  }

  auto add = [this](PointGrid& grid, std::int32_t upper1, std::int32_t upper2, std::int32_t upper3,
                    Fill fill, bool deferred = false) {
    plan_.push_back({&grid, upper1, upper2, upper3, fill, deferred});
  };
  // A plane curve computes only the cells (0, i) of its arrays, and may
  // write all of them in one pass (see SampleCurveGroup).
  const bool curveComputed = IsPlaneCurveKind(kind_) && pointsComputed;
  const Fill curveFill = curveComputed ? Fill::FirstColumn : Fill::Lazy;
  // Arrays that are created but never computed read as fresh points and
  // cost nothing until someone writes them.
  add(graph_.points_, stepU_, stepV_, 0,
      curveComputed    ? curveFill
      : pointsComputed ? Fill::Fresh
                       : Fill::Lazy,
      curveComputed);
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
  // The animated curve pair computes only its cells (0, i, t).
  const Fill animatedPairFill = graph_.animated ? Fill::FirstColumn : Fill::Empty;
  switch (kind_) {
    case GraphKind::SpaceCurve: {
      const bool computed =
          graph_.form == FunctionForm::Explicit && IsSpaceSystem(graph_.coordinates);
      add(graph_.spaceCurvePoints_, stepU_, 0, 0, computed ? Fill::Fresh : Fill::Lazy);
      break;
    }
    case GraphKind::CurveAndSecondCurve:
      add(graph_.secondCurvePoints_, stepU_, stepV_, 0, curveFill,
          FormOfCurve() == CurveForm::ExplicitCartesian);
      break;
    case GraphKind::RevolutionAboutX:
    case GraphKind::RevolutionAboutY:
      add(graph_.ribbonPoints_, Graph::kRibbonUpper, stepV_, 0,
          curveComputed ? Fill::Fresh : Fill::Lazy);
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
      add(graph_.animatedRibbon_, 1, stepV_, stepT_, animatedPairFill);
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
  for (const auto& entry : plan_) {
    const auto count = PointGrid::CellCount(entry.upper1, entry.upper2, entry.upper3);
    if (!count) {
      ReportTooManyPoints(0);
      return false;
    }
    // A computed array counts with every cell of its extent, stored or not.
    if (entry.fill == Fill::Fresh || entry.fill == Fill::FirstColumn) {
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
  for (const auto& entry : plan_) {
    if (!entry.deferred) {
      entry.grid->Allocate(entry.upper1, entry.upper2, entry.upper3, entry.fill);
    }
  }
}

void GraphSampler::AllocateDeferred(bool unset) {
  for (const auto& entry : plan_) {
    if (!entry.deferred) {
      continue;
    }
    if (unset) {
      entry.grid->AllocateUnset(entry.upper1, entry.upper2, entry.upper3, entry.fill);
    } else {
      entry.grid->Allocate(entry.upper1, entry.upper2, entry.upper3, entry.fill);
    }
  }
}

}  // namespace quillon
