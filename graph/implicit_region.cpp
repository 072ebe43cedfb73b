#include "graph/implicit_region.h"

#include <algorithm>

#include "expr/compiled_expression.h"
#include "expr/expression_compiler.h"
#include "graph/graph.h"
#include "graph/implicit_parts.h"

namespace quillon {

namespace {

std::string Postfix(const std::string& text) {
  ExpressionCompiler compiler;
  std::string postfix;
  return compiler.InfixToPostfix(text, postfix) == 0 ? postfix : std::string();
}

}  // namespace

ImplicitShape::ImplicitShape(const std::string& postfix, const ImplicitRegion& region)
    : parts_(std::make_unique<Parts>(postfix, region.polar ? Postfix("r*cos(a)") : std::string(),
                                     region.polar ? Postfix("r*sin(a)") : std::string(), region)) {}

ImplicitShape::~ImplicitShape() = default;
ImplicitShape::ImplicitShape(ImplicitShape&&) noexcept = default;
ImplicitShape& ImplicitShape::operator=(ImplicitShape&&) noexcept = default;

ImplicitPicture ImplicitShape::Classify(const PixelGrid& grid,
                                        const std::atomic<bool>* stop) const {
  ImplicitPicture picture;
  picture.grid = grid;
  if (grid.columns <= 0 || grid.rows <= 0 || !(grid.pixelWidth > 0) || !(grid.pixelHeight > 0))
    return picture;
  picture.pixels.assign(
      static_cast<std::size_t>(grid.columns) * static_cast<std::size_t>(grid.rows),
      PixelClass::Blank);
  parts_->budget = kEvaluationBudget;
  parts_->stop = stop;
  if (parts_->function.YieldsValue()) {
    if (parts_->region.polar) {
      implicit::ClassifyPolar(*parts_, picture);
    } else {
      implicit::ClassifyCartesian(*parts_, picture);
    }
  }
  picture.undecided =
      std::count(picture.pixels.begin(), picture.pixels.end(), PixelClass::Undecided);
  return picture;
}

bool IsImplicitGraph(const Graph& graph) {
  const bool kind = graph.kind == GraphKind::PlaneCurve || graph.kind == GraphKind::AnimatedCurve;
  const bool form = graph.form == FunctionForm::Equation || graph.form == FunctionForm::Inequation;
  const bool system = graph.coordinates == CoordinateSystem::Cartesian ||
                      graph.coordinates == CoordinateSystem::Polar;
  return kind && form && system;
}

std::unique_ptr<ImplicitShape> MakeImplicitShape(const Graph& graph) {
  if (!IsImplicitGraph(graph))
    return nullptr;
  ExpressionCompiler compiler;
  std::string postfix;
  if (compiler.InfixToPostfix(graph.expressionZ, postfix) != 0)
    return nullptr;
  ImplicitRegion region;
  region.polar = graph.coordinates == CoordinateSystem::Polar;
  region.inequation = graph.form == FunctionForm::Inequation;
  region.u = {std::min<double>(graph.minU, graph.maxU), std::max<double>(graph.minU, graph.maxU)};
  region.v = {std::min<double>(graph.minV, graph.maxV), std::max<double>(graph.minV, graph.maxV)};
  return std::make_unique<ImplicitShape>(postfix, region);
}

}  // namespace quillon