#include "graph/graph_fields.h"

#include <algorithm>

namespace quillon {

const std::vector<GraphField>& GraphRecordFields() {
  static const std::vector<GraphField> fields = {
      {"GraphType", FieldGroup::Core, FieldForm::Integer, &Graph::kind, true},
      {"ID", FieldGroup::Core, FieldForm::Integer, &Graph::id, false},
      {"NameS", FieldGroup::Core, FieldForm::Text, &Graph::name, true},
      {"CoordType", FieldGroup::Core, FieldForm::Integer, &Graph::coordinates, true},
      {"ExpressX", FieldGroup::Core, FieldForm::Text, &Graph::expressionX, true},
      {"ExpressY", FieldGroup::Core, FieldForm::Text, &Graph::expressionY, true},
      {"ExpressZ", FieldGroup::Core, FieldForm::Text, &Graph::expressionZ, true},
      {"StepU", FieldGroup::Core, FieldForm::Integer, &Graph::stepsU, true},
      {"StepV", FieldGroup::Core, FieldForm::Integer, &Graph::stepsV, true},
      {"MinU", FieldGroup::Core, FieldForm::Number, &Graph::minU, true},
      {"MaxU", FieldGroup::Core, FieldForm::Number, &Graph::maxU, true},
      {"MinV", FieldGroup::Core, FieldForm::Number, &Graph::minV, true},
      {"MaxV", FieldGroup::Core, FieldForm::Number, &Graph::maxV, true},
      {"FillStyle", FieldGroup::Core, FieldForm::Integer, &Graph::fillStyle, true},
      {"FirstColor", FieldGroup::Core, FieldForm::Integer, &Graph::firstColor, true},
      {"SecondColor", FieldGroup::Core, FieldForm::Integer, &Graph::secondColor, true},
      {"LineColor", FieldGroup::Core, FieldForm::Integer, &Graph::lineColor, true},
      {"LineWidth", FieldGroup::Core, FieldForm::Integer, &Graph::lineWidth, true},
      {"Material", FieldGroup::Core, FieldForm::Integer, &Graph::material, true},
      {"Show", FieldGroup::Core, FieldForm::Integer, &Graph::displayMode, true},
      {"Smoothness", FieldGroup::Core, FieldForm::Integer, &Graph::smoothness, true},
      {"PointColor", FieldGroup::Core, FieldForm::Integer, &Graph::pointColor, true},
      {"PointSize", FieldGroup::Core, FieldForm::LenientNumber, &Graph::pointSize, true},
      {"PointHollow", FieldGroup::Core, FieldForm::LenientFlag, &Graph::pointHollow, true},
      {"Animation", FieldGroup::Core, FieldForm::AnimationFlag, &Graph::animated, true},
      {"MinT", FieldGroup::Animation, FieldForm::PlainNumber, &Graph::minT, true},
      {"MaxT", FieldGroup::Animation, FieldForm::PlainNumber, &Graph::maxT, true},
      {"AnimFrames", FieldGroup::Animation, FieldForm::Integer, &DocumentValues::AnimFrames, false},
      {"AnimExtra", FieldGroup::Animation, FieldForm::Integer, &DocumentValues::AnimExtra, false},
      {"FunForm", FieldGroup::Core, FieldForm::Integer, &Graph::form, true},
      {"Show2DCurve", FieldGroup::Analysis, FieldForm::Flag, &Graph::showFunctionGraph, true},
      {"ShowInverse", FieldGroup::Analysis, FieldForm::Flag, &Graph::showInverse, true},
      {"InvColor", FieldGroup::Analysis, FieldForm::Integer, &Graph::inverseColor, true},
      {"InvWidth", FieldGroup::Analysis, FieldForm::Integer, &Graph::inverseWidth, true},
      {"ShowDev", FieldGroup::Analysis, FieldForm::Flag, &Graph::showDerivative, true},
      {"DevColor", FieldGroup::Analysis, FieldForm::Integer, &Graph::derivativeColor, true},
      {"DevWidth", FieldGroup::Analysis, FieldForm::Integer, &Graph::derivativeWidth, true},
      {"ShowInt", FieldGroup::Analysis, FieldForm::Flag, &Graph::showIntegral, true},
      {"IntColor", FieldGroup::Analysis, FieldForm::Integer, &Graph::integralColor, true},
      {"IntFrom", FieldGroup::Analysis, FieldForm::Number, &Graph::integralFrom, true},
      {"IntTo", FieldGroup::Analysis, FieldForm::Number, &Graph::integralTo, true},
      {"ShowMax", FieldGroup::Analysis, FieldForm::Flag, &Graph::showMaxima, true},
      {"MaxColor", FieldGroup::Analysis, FieldForm::Integer, &Graph::maximumColor, true},
      {"MaxSize", FieldGroup::Analysis, FieldForm::Integer, &Graph::maximumSize, true},
      {"MaxSymbol", FieldGroup::Analysis, FieldForm::Integer, &Graph::maximumSymbol, true},
      {"ShowMin", FieldGroup::Analysis, FieldForm::Flag, &Graph::showMinima, true},
      {"MinColor", FieldGroup::Analysis, FieldForm::Integer, &Graph::minimumColor, true},
      {"MinSize", FieldGroup::Analysis, FieldForm::Integer, &Graph::minimumSize, true},
      {"MinSymbol", FieldGroup::Analysis, FieldForm::Integer, &Graph::minimumSymbol, true},
      {"ShowGuai", FieldGroup::Analysis, FieldForm::Flag, &Graph::showInflections, true},
      {"GuaiColor", FieldGroup::Analysis, FieldForm::Integer, &Graph::inflectionColor, true},
      {"GuaiSize", FieldGroup::Analysis, FieldForm::Integer, &Graph::inflectionSize, true},
      {"GuaiSymbol", FieldGroup::Analysis, FieldForm::Integer, &Graph::inflectionSymbol, true},
      {"ShowJO", FieldGroup::Analysis, FieldForm::Flag, &Graph::showOddEven, true},
      {"JOColor", FieldGroup::Analysis, FieldForm::Integer, &Graph::oddEvenColor, true},
      {"JOWidth", FieldGroup::Analysis, FieldForm::Integer, &Graph::oddEvenWidth, true},
      {"ShowRoot", FieldGroup::Analysis, FieldForm::Flag, &Graph::showRoots, true},
      {"RootColor", FieldGroup::Analysis, FieldForm::Integer, &Graph::rootColor, true},
      {"RootSize", FieldGroup::Analysis, FieldForm::Integer, &Graph::rootSize, true},
      {"RootSymbol", FieldGroup::Analysis, FieldForm::Integer, &Graph::rootSymbol, true},
      {"ShowCurv", FieldGroup::Analysis, FieldForm::Flag, &Graph::showCurvature, true},
      {"CurvColor", FieldGroup::Analysis, FieldForm::Integer, &Graph::curvatureColor, true},
      {"CurvWidth", FieldGroup::Analysis, FieldForm::Integer, &Graph::curvatureWidth, true},
      {"CurvNum", FieldGroup::Analysis, FieldForm::Positions, &Graph::curvaturePositions, true},
      {"ShowLen", FieldGroup::Analysis, FieldForm::Flag, &Graph::showArcLength, true},
      {"LenFrom", FieldGroup::Analysis, FieldForm::Number, &Graph::arcLengthFrom, false},
      {"LenTo", FieldGroup::Analysis, FieldForm::Number, &Graph::arcLengthTo, false},
      {"ShowQie", FieldGroup::Analysis, FieldForm::Flag, &Graph::showTangentLines, true},
      {"QieColor", FieldGroup::Analysis, FieldForm::Integer, &Graph::tangentLineColor, true},
      {"QieWidth", FieldGroup::Analysis, FieldForm::Integer, &Graph::tangentLineWidth, true},
      {"QieNum", FieldGroup::Analysis, FieldForm::Positions, &Graph::tangentLinePositions, true},
      {"ShowNml", FieldGroup::Analysis, FieldForm::Flag, &Graph::showNormalLines, true},
      {"NmlColor", FieldGroup::Analysis, FieldForm::Integer, &Graph::normalLineColor, true},
      {"NmlWidth", FieldGroup::Analysis, FieldForm::Integer, &Graph::normalLineWidth, true},
      {"NmlNum", FieldGroup::Analysis, FieldForm::Positions, &Graph::normalLinePositions, true},
      {"ShowStep", FieldGroup::Analysis, FieldForm::Flag, &Graph::showStepPlot, true},
      {"StepColor", FieldGroup::Analysis, FieldForm::Integer, &Graph::stepPlotColor, true},
      {"StepWidth", FieldGroup::Analysis, FieldForm::Integer, &Graph::stepPlotWidth, true},
      {"ShowStem", FieldGroup::Analysis, FieldForm::Flag, &Graph::showStemPlot, true},
      {"StemHeadColor", FieldGroup::Analysis, FieldForm::Integer, &Graph::stemHeadColor, true},
      {"StemHeadSize", FieldGroup::Analysis, FieldForm::Integer, &Graph::stemHeadSize, true},
      {"StemHeadSymbol", FieldGroup::Analysis, FieldForm::Integer, &Graph::stemHeadSymbol, true},
      {"StemBodyColor", FieldGroup::Analysis, FieldForm::Integer, &Graph::stemBodyColor, true},
      {"StemBodyWidth", FieldGroup::Analysis, FieldForm::Integer, &Graph::stemBodyWidth, true},
      {"Exp2", FieldGroup::Analysis, FieldForm::Text, &Graph::secondCurveExpression, true},
      {"Color2", FieldGroup::Analysis, FieldForm::Integer, &Graph::secondCurveColor, true},
      {"Width2", FieldGroup::Analysis, FieldForm::Integer, &Graph::secondCurveWidth, true},
      {"ShowInter", FieldGroup::Analysis, FieldForm::Flag, &Graph::showIntersections, true},
      {"InterColor", FieldGroup::Analysis, FieldForm::Integer, &Graph::intersectionColor, true},
      {"InterSize", FieldGroup::Analysis, FieldForm::Integer, &Graph::intersectionSize, true},
      {"InterSymbol", FieldGroup::Analysis, FieldForm::Integer, &Graph::intersectionSymbol, true},
      {"ShowArea", FieldGroup::Analysis, FieldForm::Flag, &Graph::showArea, true},
      {"AreaColor", FieldGroup::Analysis, FieldForm::Integer, &Graph::areaColor, true},
      {"ShowSurface", FieldGroup::Surface, FieldForm::Flag, &Graph::showSurface, true},
      {"ShowSurPX", FieldGroup::Surface, FieldForm::Flag, &Graph::showSectionX, true},
      {"ShowSurPY", FieldGroup::Surface, FieldForm::Flag, &Graph::showSectionY, true},
      {"ShowTangent", FieldGroup::Surface, FieldForm::Flag, &Graph::showSurfaceTangents, true},
      {"TangentNum", FieldGroup::Surface, FieldForm::PositionPairs, &Graph::surfaceTangentPositions,
       true},
      {"ShowNormal", FieldGroup::Surface, FieldForm::Flag, &Graph::showSurfaceNormals, true},
      {"NormalNum", FieldGroup::Surface, FieldForm::PositionPairs, &Graph::surfaceNormalPositions,
       true},
      {"VecBeginX", FieldGroup::Surface, FieldForm::Number, &Graph::vectorBeginX, true},
      {"VecBeginY", FieldGroup::Surface, FieldForm::Number, &Graph::vectorBeginY, true},
      {"VecBeginZ", FieldGroup::Surface, FieldForm::Number, &Graph::vectorBeginZ, true},
      {"VecEndX", FieldGroup::Surface, FieldForm::Number, &Graph::vectorEndX, true},
      {"VecEndY", FieldGroup::Surface, FieldForm::Number, &Graph::vectorEndY, true},
      {"VecEndZ", FieldGroup::Surface, FieldForm::Number, &Graph::vectorEndZ, true},
      {"ShowVecBegin", FieldGroup::Surface, FieldForm::Flag, &Graph::showVectorBegin, true},
      {"ShowVecEnd", FieldGroup::Surface, FieldForm::Flag, &Graph::showVectorEnd, true},
      {"VecColor", FieldGroup::Surface, FieldForm::Integer, &Graph::vectorColor, true},
      {"VecWidth", FieldGroup::Surface, FieldForm::Integer, &Graph::vectorWidth, true},
      {"ShowVecPrj", FieldGroup::Surface, FieldForm::Flag, &Graph::showVectorProjection, true},
      {"ShowVecB", FieldGroup::Surface, FieldForm::Flag, &Graph::showSecondVector, true},
      {"VecOperation", FieldGroup::Surface, FieldForm::Integer, &Graph::vectorOperation, true},
      {"VecConstant", FieldGroup::Surface, FieldForm::Number, &Graph::vectorConstant, true},
      {"VecDX", FieldGroup::Surface, FieldForm::Number, &Graph::vectorDirectionX, true},
      {"VecDY", FieldGroup::Surface, FieldForm::Number, &Graph::vectorDirectionY, true},
      {"VecDZ", FieldGroup::Surface, FieldForm::Number, &Graph::vectorDirectionZ, true},
      {"VecDX2", FieldGroup::Surface, FieldForm::Number, &Graph::secondDirectionX, true},
      {"VecDY2", FieldGroup::Surface, FieldForm::Number, &Graph::secondDirectionY, true},
      {"VecDZ2", FieldGroup::Surface, FieldForm::Number, &Graph::secondDirectionZ, true},
      {"ODEInitial", FieldGroup::Surface, FieldForm::Flag, &Graph::odeFromInitialPoint, true},
      {"ODEInitX", FieldGroup::Surface, FieldForm::Number, &Graph::odeInitialX, true},
      {"ODEInitY", FieldGroup::Surface, FieldForm::Number, &Graph::odeInitialY, true},
      {"ODEColor", FieldGroup::Surface, FieldForm::Integer, &Graph::odeColor, true},
      {"ODEWidth", FieldGroup::Surface, FieldForm::Integer, &Graph::odeWidth, true},
      {"ShowContour", FieldGroup::Contour, FieldForm::Flag, &Graph::showContour, true},
      {"ShowVector", FieldGroup::Contour, FieldForm::Flag, &Graph::showVectorField, true},
      {"ShowColormap", FieldGroup::Contour, FieldForm::Flag, &Graph::showColormap, true},
      {"ContourLevel", FieldGroup::Contour, FieldForm::Integer, &Graph::contourLevels, true},
  };
  return fields;
}

const std::vector<TableField>& TableRecordFields() {
  static const std::vector<TableField> fields = {
      {"GraphType", FieldForm::Integer, &Graph::kind, false},
      {"ID", FieldForm::Integer, &Graph::id, false},
      {"NameS", FieldForm::Text, &Graph::name, false},
      {"LineColor", FieldForm::StrictInteger, &Graph::lineColor, false},
      {"LineWidth", FieldForm::StrictInteger, &Graph::lineWidth, false},
      {"FillStyle", FieldForm::Integer, &Graph::fillStyle, false},
      {"FirstColor", FieldForm::Integer, &Graph::firstColor, false},
      {"SecondColor", FieldForm::Integer, &Graph::secondColor, false},
      {"Material", FieldForm::Integer, &Graph::material, false},
      {"Show", FieldForm::Integer, &Graph::displayMode, false},
      {"Smoothness", FieldForm::Integer, &Graph::smoothness, false},
      {"StepU", FieldForm::TableSteps, &Graph::stepsU, false},
      {"StepV", FieldForm::TableSteps, &Graph::stepsV, false},
      {"Show2DLine", FieldForm::Flag, &Graph::showTableLines, true},
      {"Show2DScatter", FieldForm::Flag, &Graph::showTableScatter, true},
      {"ShowSmoothCurve", FieldForm::Flag, &Graph::showTableSmoothCurve, true},
      {"ScatterSize", FieldForm::Integer, &Graph::scatterSize, true},
      {"ScatterColor", FieldForm::Integer, &Graph::scatterColor, true},
      {"SmoothCurveColor", FieldForm::Integer, &Graph::smoothCurveColor, true},
      {"SmoothCurveWidth", FieldForm::Integer, &Graph::smoothCurveWidth, true},
      {"Symbol", FieldForm::Integer, &Graph::scatterSymbol, true},
  };
  return fields;
}

const std::vector<PointField>& TablePointFields() {
  static const std::vector<PointField> fields = {
      {"X", &PlotPoint::x},
      {"Y", &PlotPoint::y},
      {"z", &PlotPoint::z},
  };
  return fields;
}

std::size_t LongestGraphRecord() {
  std::size_t tokens = 0;
  for (const GraphField& field : GraphRecordFields()) {
    switch (field.form) {
      case FieldForm::Positions:
        tokens += 1 + PositionList::kUpper;
        break;
      case FieldForm::PositionPairs:
        tokens += 1 + 2 * PositionPairList::kUpper;
        break;
      default:
        tokens += 1;
        break;
    }
  }
  return tokens;
}

std::size_t LongestTableRecord() {
  const auto side = static_cast<std::size_t>(Graph::kTableUpper) + 1;
  return TableRecordFields().size() + side * side * TablePointFields().size();
}

void Graph::TakeSettings(const Graph& edited) {
  for (const GraphField& field : GraphRecordFields()) {
    if (!field.edited || (field.group == FieldGroup::Animation && !edited.animated)) {
      continue;
    }
    std::visit(
        [&](auto member) {
          using Member = decltype(member);
          if constexpr (!std::is_same_v<Member, std::int32_t DocumentValues::*>) {
            this->*member = edited.*member;
          }
        },
        field.member);
  }
}

}  // namespace quillon
