// Graph: one plotted function with its expression texts, parameter ranges,
// kind codes and appearance, the settings of overlays and special kinds that
// files carry, and the point arrays that sampling fills.
//
// The settings are plain public fields: they are read and replaced freely,
// and changing one never changes the points (callers sample again). Which of
// them files and the clipboard carry, in which order and text form, is told
// once by the field table of graph_fields.h.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "graph/box.h"
#include "graph/document_values.h"
#include "graph/graph_kinds.h"
#include "graph/plot_point.h"
#include "graph/point_grid.h"

namespace quillon {

// Positions along a curve (x values): `count` of them, used from index 1.
// Files hold at most 50; index 0 exists but files never carry it.
struct PositionList {
  static constexpr std::int32_t kUpper = 50;
  std::int32_t count = 0;
  std::array<float, kUpper + 1> at{};
};

// Positions (x, y) on a surface, `count` of them, used from index 1.
struct PositionPairList {
  static constexpr std::int32_t kUpper = PositionList::kUpper;
  std::int32_t count = 0;
  std::array<float, kUpper + 1> x{};
  std::array<float, kUpper + 1> y{};
};

class Graph {
 public:
  // Table graphs hold cells with both indices 0..200.
  static constexpr std::int32_t kTableUpper = 200;
  // The ribbons of kinds RevolutionAboutX and RevolutionAboutY have angle
  // indices 0..40.
  static constexpr std::int32_t kRibbonUpper = 40;
  // Sampling refuses a graph whose computed arrays would have more cells than
  // this (480 MB of coordinates when all are stored); arrays that are never
  // computed do not count.
  static constexpr std::size_t kPointBudget = 40'000'000;

  // A fresh record with the defaults of every field, belonging to `document`
  // (which must outlive it): sampling reads the view interval and the
  // animation frame count from it and reports through it.
  explicit Graph(DocumentValues& document) : document_(&document) {}
  // The record `other`, settings and points, moved into a record of
  // `document`: a graph sampled apart from its document (on another thread,
  // with values of its own) joins the document it is for.
  Graph(Graph&& other, DocumentValues& document) : Graph(std::move(other)) {
    document_ = &document;
  }

  DocumentValues& Document() const { return *document_; }
  // The number of animation steps: the document's frame count.
  std::int32_t AnimationSteps() const { return document_->AnimFrames; }

  // --- what the graph is ---
  std::int32_t id = 0;
  std::string name;
  GraphKind kind = GraphKind::PlaneCurve;
  CoordinateSystem coordinates{0};
  FunctionForm form{0};
  // Roles by form: explicit plane curves keep f in expressionZ; parametric
  // ones f1 in expressionY and f2 in expressionZ; expressionX is "0".
  std::string expressionX;
  std::string expressionY;
  std::string expressionZ;
  // Intervals over the u and v ranges (plane curves run over v).
  std::int32_t stepsU = 1;
  std::int32_t stepsV = 1;
  float minU = 0;
  float maxU = 0;
  float minV = 0;
  float maxV = 0;

  // --- appearance ---
  // Colours hold red in bits 0..7, green 8..15, blue 16..23.
  std::int32_t lineColor = 0;
  std::int32_t lineWidth = 0;  // pixels
  FillStyle fillStyle{0};
  std::int32_t firstColor = 0;
  std::int32_t secondColor = 0;
  MaterialPreset material = MaterialPreset::None;
  std::int32_t displayMode = 3;
  std::int32_t smoothness = 3;
  std::int32_t pointColor = 255;
  float pointSize = 1.0f;
  bool pointHollow = false;

  // --- animation over t ---
  bool animated = false;
  float minT = 0;
  float maxT = 0;

  // --- analysis overlays of explicit curves ---
  bool showFunctionGraph = false;  // the function dialog's check box; only stored
  bool showInverse = false;
  std::int32_t inverseColor = 0;
  std::int32_t inverseWidth = 0;
  bool showDerivative = false;
  std::int32_t derivativeColor = 0;
  std::int32_t derivativeWidth = 0;
  bool showIntegral = false;
  std::int32_t integralColor = 0;
  float integralFrom = 0;
  float integralTo = 0;
  bool showMaxima = false;
  std::int32_t maximumColor = 0;
  std::int32_t maximumSize = 0;
  PointSymbol maximumSymbol = PointSymbol::None;
  bool showMinima = false;
  std::int32_t minimumColor = 0;
  std::int32_t minimumSize = 0;
  PointSymbol minimumSymbol = PointSymbol::None;
  bool showInflections = false;
  std::int32_t inflectionColor = 0;
  std::int32_t inflectionSize = 0;
  PointSymbol inflectionSymbol = PointSymbol::None;
  bool showOddEven = false;  // the odd and even parts of the function
  std::int32_t oddEvenColor = 0;
  std::int32_t oddEvenWidth = 0;
  bool showRoots = false;
  std::int32_t rootColor = 0;
  std::int32_t rootSize = 0;
  PointSymbol rootSymbol = PointSymbol::None;
  bool showCurvature = false;
  std::int32_t curvatureColor = 0;
  std::int32_t curvatureWidth = 0;
  PositionList curvaturePositions;
  bool showArcLength = false;
  float arcLengthFrom = 0;
  float arcLengthTo = 0;
  bool showTangentLines = false;
  std::int32_t tangentLineColor = 0;
  std::int32_t tangentLineWidth = 0;
  PositionList tangentLinePositions;
  bool showNormalLines = false;
  std::int32_t normalLineColor = 0;
  std::int32_t normalLineWidth = 0;
  PositionList normalLinePositions;
  bool showStepPlot = false;
  std::int32_t stepPlotColor = 0;
  std::int32_t stepPlotWidth = 0;
  bool showStemPlot = false;
  std::int32_t stemHeadColor = 0;
  std::int32_t stemHeadSize = 0;
  PointSymbol stemHeadSymbol = PointSymbol::None;
  std::int32_t stemBodyColor = 0;
  std::int32_t stemBodyWidth = 0;
  std::string secondCurveExpression;  // kind CurveAndSecondCurve: y = this text of x
  std::int32_t secondCurveColor = 0;
  std::int32_t secondCurveWidth = 0;
  bool showIntersections = false;
  std::int32_t intersectionColor = 0;
  std::int32_t intersectionSize = 0;
  PointSymbol intersectionSymbol = PointSymbol::None;
  bool showArea = false;
  std::int32_t areaColor = 0;

  // --- surfaces ---
  bool showContour = false;
  bool showVectorField = false;
  bool showColormap = false;
  std::int32_t contourLevels = 0;
  bool showSurface = false;
  bool showSectionX = false;  // sampling then also fills SectionXPoints()
  bool showSectionY = false;
  bool showSurfaceTangents = false;
  PositionPairList surfaceTangentPositions;
  bool showSurfaceNormals = false;
  PositionPairList surfaceNormalPositions;

  // --- table graphs ---
  bool showTableLines = true;
  bool showTableScatter = true;
  bool showTableSmoothCurve = true;
  std::int32_t scatterSize = 2;
  std::int32_t scatterColor = 0;
  std::int32_t smoothCurveColor = 0x00FF00;
  std::int32_t smoothCurveWidth = 1;
  PointSymbol scatterSymbol = PointSymbol::Disc;

  // --- vector graphs ---
  float vectorBeginX = 0;
  float vectorBeginY = 0;
  float vectorBeginZ = 0;
  float vectorEndX = 0;
  float vectorEndY = 0;
  float vectorEndZ = 0;
  bool showVectorBegin = false;
  bool showVectorEnd = false;
  std::int32_t vectorColor = 0;
  std::int32_t vectorWidth = 0;
  bool showVectorProjection = false;
  bool showSecondVector = false;
  std::int32_t vectorOperation = 0;
  float vectorConstant = 0;
  float vectorDirectionX = 0;
  float vectorDirectionY = 0;
  float vectorDirectionZ = 0;
  float secondDirectionX = 0;
  float secondDirectionY = 0;
  float secondDirectionZ = 0;

  // --- differential equations ---
  bool odeFromInitialPoint = false;
  float odeInitialX = 0;
  float odeInitialY = 0;
  std::int32_t odeColor = 0;
  std::int32_t odeWidth = 0;

  // --- points ---
  // Read-only views of the point arrays that sampling fills, for boxing,
  // drawing and export. A plane curve's point i is Points() cell (0, i).
  const PointGrid& Points() const { return points_; }
  const PointGrid& SecondCurvePoints() const { return secondCurvePoints_; }
  const PointGrid& RibbonPoints() const { return ribbonPoints_; }
  const PointGrid& SpaceCurvePoints() const { return spaceCurvePoints_; }
  const PointGrid& SectionXPoints() const { return sectionXPoints_; }
  const PointGrid& SectionYPoints() const { return sectionYPoints_; }
  const PointGrid& DerivativePoints() const { return derivativePoints_; }
  const PointGrid& AuxiliaryPoints() const { return auxiliaryPoints_; }
  const PointGrid& OddEvenPoints() const { return oddEvenPoints_; }
  const PointGrid& OdePoints() const { return odePoints_; }
  const PointGrid& AnimatedPoint() const { return animatedPoint_; }
  const PointGrid& AnimatedCurve() const { return animatedCurve_; }
  const PointGrid& AnimatedSurface() const { return animatedSurface_; }
  const PointGrid& AnimatedSpaceCurve() const { return animatedSpaceCurve_; }
  const PointGrid& AnimatedRibbon() const { return animatedRibbon_; }

  // Table points: 201 x 201 cells of shared points. Reading an empty cell
  // first stores a fresh point in it. Indices outside 0..200 throw GraphError.
  std::shared_ptr<PlotPoint> TableCell(std::int32_t u, std::int32_t v);
  void TableCell(std::int32_t u, std::int32_t v, std::shared_ptr<PlotPoint> point);
  // The point in a table cell, or null, without creating one.
  const PlotPoint* FindTableCell(std::int32_t u, std::int32_t v) const;

  // --- operations ---

  // Copies the settings an edit changes from `edited` into this record: every
  // field but id, the arc-length range, the table settings and (when `edited`
  // is not animated) the t range. The caller samples again.
  void TakeSettings(const Graph& edited);

  // Samples the graph into its point arrays. False when an expression does
  // not compile (the compiler has reported it), an evaluation yields no
  // value, a step count is negative, or the points would exceed
  // kPointBudget (reported with the title "Error").
  bool GetPoints();

  // The box around the graph's points for the given animation step. Polar
  // implicit graphs and kind VectorOperation return shared constant boxes.
  std::shared_ptr<const Box> GetBox(std::int32_t animationStep = 0);

 private:
  friend class GraphSampler;

  DocumentValues* document_;

  PointGrid points_, sectionXPoints_, sectionYPoints_, secondCurvePoints_, spaceCurvePoints_,
      derivativePoints_, auxiliaryPoints_, ribbonPoints_, oddEvenPoints_, odePoints_;
  PointGrid animatedPoint_, animatedCurve_, animatedSurface_, animatedSpaceCurve_, animatedRibbon_;
  // 201 x 201 shared cells, first index fastest; allocated on first use.
  std::vector<std::shared_ptr<PlotPoint>> tableCells_;

  // The last computed box, in the order maximum X, minimum X, maximum Y,
  // minimum Y, maximum z, minimum z.
  float boxMaxX_ = 0, boxMinX_ = 0, boxMaxY_ = 0, boxMinY_ = 0, boxMaxZ_ = 0, boxMinZ_ = 0;
};

}  // namespace quillon
