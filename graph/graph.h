// Graph: the graph record. One plotted function with its expression texts,
// parameter ranges, kind codes and appearance, the settings of overlays and
// special kinds that files carry, and the point arrays that sampling fills.
//
// Every field has a read accessor and a write accessor of the field's own
// name; they read or replace the field and do nothing else.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "graph/box.h"
#include "graph/document_values.h"
#include "graph/plot_point.h"
#include "graph/point_grid.h"

namespace quillon {

class Graph {
 public:
  // Fixed float arrays (CurvX, QieX, ...) hold indices 0..50.
  static constexpr std::int32_t kFloatArrayUpper = 50;
  static constexpr std::size_t kFloatArraySize = 51;
  // VertTab3D holds indices 0..200 in both directions.
  static constexpr std::int32_t kTableUpper = 200;
  // Sampling refuses a graph whose stored points would exceed this many
  // (about 1.1 GB); arrays that are never computed do not count.
  static constexpr std::size_t kPointBudget = 40'000'000;

  // A fresh record with the defaults of every field, belonging to `document`
  // (which must outlive it): sampling reads the view interval and AnimFrames
  // from it and reports through it.
  explicit Graph(DocumentValues& document) : document_(&document) {}

  DocumentValues& Document() const { return *document_; }

  const std::string& ExpressX() const { return expressX_; }
  void ExpressX(const std::string& value) { expressX_ = value; }
  const std::string& ExpressY() const { return expressY_; }
  void ExpressY(const std::string& value) { expressY_ = value; }
  const std::string& ExpressZ() const { return expressZ_; }
  void ExpressZ(const std::string& value) { expressZ_ = value; }
  std::int32_t StepU() const { return stepU_; }
  void StepU(std::int32_t value) { stepU_ = value; }
  std::int32_t StepV() const { return stepV_; }
  void StepV(std::int32_t value) { stepV_ = value; }
  float MinU() const { return minU_; }
  void MinU(float value) { minU_ = value; }
  float MaxU() const { return maxU_; }
  void MaxU(float value) { maxU_ = value; }
  float MinV() const { return minV_; }
  void MinV(float value) { minV_ = value; }
  float MaxV() const { return maxV_; }
  void MaxV(float value) { maxV_ = value; }
  // --- point arrays (see the point accessors below) ---
  const std::string& NameS() const { return nameS_; }
  void NameS(const std::string& value) { nameS_ = value; }
  std::int32_t ID() const { return iD_; }
  void ID(std::int32_t value) { iD_ = value; }
  std::int32_t FirstColor() const { return firstColor_; }
  void FirstColor(std::int32_t value) { firstColor_ = value; }
  std::int32_t SecondColor() const { return secondColor_; }
  void SecondColor(std::int32_t value) { secondColor_ = value; }
  std::int32_t CoordType() const { return coordType_; }
  void CoordType(std::int32_t value) { coordType_ = value; }
  std::int32_t FillStyle() const { return fillStyle_; }
  void FillStyle(std::int32_t value) { fillStyle_ = value; }
  std::int32_t GraphType() const { return graphType_; }
  void GraphType(std::int32_t value) { graphType_ = value; }
  std::int32_t Material() const { return material_; }
  void Material(std::int32_t value) { material_ = value; }
  std::int32_t Show() const { return show_; }
  void Show(std::int32_t value) { show_ = value; }
  std::int32_t Smoothness() const { return smoothness_; }
  void Smoothness(std::int32_t value) { smoothness_ = value; }
  std::int32_t LineWidth() const { return lineWidth_; }
  void LineWidth(std::int32_t value) { lineWidth_ = value; }
  std::int32_t LineColor() const { return lineColor_; }
  void LineColor(std::int32_t value) { lineColor_ = value; }
  std::int32_t PointColor() const { return pointColor_; }
  void PointColor(std::int32_t value) { pointColor_ = value; }
  float PointSize() const { return pointSize_; }
  void PointSize(float value) { pointSize_ = value; }
  bool PointHollow() const { return pointHollow_; }
  void PointHollow(bool value) { pointHollow_ = value; }
  std::int32_t FunForm() const { return funForm_; }
  void FunForm(std::int32_t value) { funForm_ = value; }
  bool Show2DCurve() const { return show2DCurve_; }
  void Show2DCurve(bool value) { show2DCurve_ = value; }
  bool ShowInverse() const { return showInverse_; }
  void ShowInverse(bool value) { showInverse_ = value; }
  std::int32_t InvColor() const { return invColor_; }
  void InvColor(std::int32_t value) { invColor_ = value; }
  std::int32_t InvWidth() const { return invWidth_; }
  void InvWidth(std::int32_t value) { invWidth_ = value; }
  bool ShowDev() const { return showDev_; }
  void ShowDev(bool value) { showDev_ = value; }
  std::int32_t DevColor() const { return devColor_; }
  void DevColor(std::int32_t value) { devColor_ = value; }
  std::int32_t DevWidth() const { return devWidth_; }
  void DevWidth(std::int32_t value) { devWidth_ = value; }
  bool ShowInt() const { return showInt_; }
  void ShowInt(bool value) { showInt_ = value; }
  std::int32_t IntColor() const { return intColor_; }
  void IntColor(std::int32_t value) { intColor_ = value; }
  float IntFrom() const { return intFrom_; }
  void IntFrom(float value) { intFrom_ = value; }
  float IntTo() const { return intTo_; }
  void IntTo(float value) { intTo_ = value; }
  bool ShowMax() const { return showMax_; }
  void ShowMax(bool value) { showMax_ = value; }
  std::int32_t MaxColor() const { return maxColor_; }
  void MaxColor(std::int32_t value) { maxColor_ = value; }
  std::int32_t MaxSize() const { return maxSize_; }
  void MaxSize(std::int32_t value) { maxSize_ = value; }
  std::int32_t MaxSymbol() const { return maxSymbol_; }
  void MaxSymbol(std::int32_t value) { maxSymbol_ = value; }
  bool ShowMin() const { return showMin_; }
  void ShowMin(bool value) { showMin_ = value; }
  std::int32_t MinColor() const { return minColor_; }
  void MinColor(std::int32_t value) { minColor_ = value; }
  std::int32_t MinSize() const { return minSize_; }
  void MinSize(std::int32_t value) { minSize_ = value; }
  std::int32_t MinSymbol() const { return minSymbol_; }
  void MinSymbol(std::int32_t value) { minSymbol_ = value; }
  bool ShowGuai() const { return showGuai_; }
  void ShowGuai(bool value) { showGuai_ = value; }
  std::int32_t GuaiColor() const { return guaiColor_; }
  void GuaiColor(std::int32_t value) { guaiColor_ = value; }
  std::int32_t GuaiSize() const { return guaiSize_; }
  void GuaiSize(std::int32_t value) { guaiSize_ = value; }
  std::int32_t GuaiSymbol() const { return guaiSymbol_; }
  void GuaiSymbol(std::int32_t value) { guaiSymbol_ = value; }
  bool ShowJO() const { return showJO_; }
  void ShowJO(bool value) { showJO_ = value; }
  std::int32_t JOColor() const { return jOColor_; }
  void JOColor(std::int32_t value) { jOColor_ = value; }
  std::int32_t JOWidth() const { return jOWidth_; }
  void JOWidth(std::int32_t value) { jOWidth_ = value; }
  bool ShowRoot() const { return showRoot_; }
  void ShowRoot(bool value) { showRoot_ = value; }
  std::int32_t RootColor() const { return rootColor_; }
  void RootColor(std::int32_t value) { rootColor_ = value; }
  std::int32_t RootSize() const { return rootSize_; }
  void RootSize(std::int32_t value) { rootSize_ = value; }
  std::int32_t RootSymbol() const { return rootSymbol_; }
  void RootSymbol(std::int32_t value) { rootSymbol_ = value; }
  bool ShowCurv() const { return showCurv_; }
  void ShowCurv(bool value) { showCurv_ = value; }
  std::int32_t CurvColor() const { return curvColor_; }
  void CurvColor(std::int32_t value) { curvColor_ = value; }
  std::int32_t CurvWidth() const { return curvWidth_; }
  void CurvWidth(std::int32_t value) { curvWidth_ = value; }
  std::int32_t CurvNum() const { return curvNum_; }
  void CurvNum(std::int32_t value) { curvNum_ = value; }
  float CurvX(std::int32_t intT) const { return curvX_[FloatIndex(intT)]; }
  void CurvX(std::int32_t intT, float value) { curvX_[FloatIndex(intT)] = value; }
  bool ShowLen() const { return showLen_; }
  void ShowLen(bool value) { showLen_ = value; }
  float LenFrom() const { return lenFrom_; }
  void LenFrom(float value) { lenFrom_ = value; }
  float LenTo() const { return lenTo_; }
  void LenTo(float value) { lenTo_ = value; }
  bool ShowQie() const { return showQie_; }
  void ShowQie(bool value) { showQie_ = value; }
  std::int32_t QieColor() const { return qieColor_; }
  void QieColor(std::int32_t value) { qieColor_ = value; }
  std::int32_t QieWidth() const { return qieWidth_; }
  void QieWidth(std::int32_t value) { qieWidth_ = value; }
  std::int32_t QieNum() const { return qieNum_; }
  void QieNum(std::int32_t value) { qieNum_ = value; }
  float QieX(std::int32_t intT) const { return qieX_[FloatIndex(intT)]; }
  void QieX(std::int32_t intT, float value) { qieX_[FloatIndex(intT)] = value; }
  bool ShowNml() const { return showNml_; }
  void ShowNml(bool value) { showNml_ = value; }
  std::int32_t NmlColor() const { return nmlColor_; }
  void NmlColor(std::int32_t value) { nmlColor_ = value; }
  std::int32_t NmlWidth() const { return nmlWidth_; }
  void NmlWidth(std::int32_t value) { nmlWidth_ = value; }
  std::int32_t NmlNum() const { return nmlNum_; }
  void NmlNum(std::int32_t value) { nmlNum_ = value; }
  float NmlX(std::int32_t intT) const { return nmlX_[FloatIndex(intT)]; }
  void NmlX(std::int32_t intT, float value) { nmlX_[FloatIndex(intT)] = value; }
  bool ShowStep() const { return showStep_; }
  void ShowStep(bool value) { showStep_ = value; }
  std::int32_t StepColor() const { return stepColor_; }
  void StepColor(std::int32_t value) { stepColor_ = value; }
  std::int32_t StepWidth() const { return stepWidth_; }
  void StepWidth(std::int32_t value) { stepWidth_ = value; }
  bool ShowStem() const { return showStem_; }
  void ShowStem(bool value) { showStem_ = value; }
  std::int32_t StemHeadColor() const { return stemHeadColor_; }
  void StemHeadColor(std::int32_t value) { stemHeadColor_ = value; }
  std::int32_t StemHeadSize() const { return stemHeadSize_; }
  void StemHeadSize(std::int32_t value) { stemHeadSize_ = value; }
  std::int32_t StemHeadSymbol() const { return stemHeadSymbol_; }
  void StemHeadSymbol(std::int32_t value) { stemHeadSymbol_ = value; }
  std::int32_t StemBodyColor() const { return stemBodyColor_; }
  void StemBodyColor(std::int32_t value) { stemBodyColor_ = value; }
  std::int32_t StemBodyWidth() const { return stemBodyWidth_; }
  void StemBodyWidth(std::int32_t value) { stemBodyWidth_ = value; }
  const std::string& Exp2() const { return exp2_; }
  void Exp2(const std::string& value) { exp2_ = value; }
  std::int32_t Color2() const { return color2_; }
  void Color2(std::int32_t value) { color2_ = value; }
  std::int32_t Width2() const { return width2_; }
  void Width2(std::int32_t value) { width2_ = value; }
  bool ShowInter() const { return showInter_; }
  void ShowInter(bool value) { showInter_ = value; }
  std::int32_t InterColor() const { return interColor_; }
  void InterColor(std::int32_t value) { interColor_ = value; }
  std::int32_t InterSize() const { return interSize_; }
  void InterSize(std::int32_t value) { interSize_ = value; }
  std::int32_t InterSymbol() const { return interSymbol_; }
  void InterSymbol(std::int32_t value) { interSymbol_ = value; }
  bool ShowArea() const { return showArea_; }
  void ShowArea(bool value) { showArea_ = value; }
  std::int32_t AreaColor() const { return areaColor_; }
  void AreaColor(std::int32_t value) { areaColor_ = value; }
  bool Animation() const { return animation_; }
  void Animation(bool value) { animation_ = value; }
  float MaxT() const { return maxT_; }
  void MaxT(float value) { maxT_ = value; }
  float MinT() const { return minT_; }
  void MinT(float value) { minT_ = value; }
  bool ShowContour() const { return showContour_; }
  void ShowContour(bool value) { showContour_ = value; }
  bool ShowVector() const { return showVector_; }
  void ShowVector(bool value) { showVector_ = value; }
  bool ShowColormap() const { return showColormap_; }
  void ShowColormap(bool value) { showColormap_ = value; }
  std::int32_t ContourLevel() const { return contourLevel_; }
  void ContourLevel(std::int32_t value) { contourLevel_ = value; }
  bool Show2DLine() const { return show2DLine_; }
  void Show2DLine(bool value) { show2DLine_ = value; }
  bool Show2DScatter() const { return show2DScatter_; }
  void Show2DScatter(bool value) { show2DScatter_ = value; }
  bool ShowSmoothCurve() const { return showSmoothCurve_; }
  void ShowSmoothCurve(bool value) { showSmoothCurve_ = value; }
  std::int32_t ScatterSize() const { return scatterSize_; }
  void ScatterSize(std::int32_t value) { scatterSize_ = value; }
  std::int32_t ScatterColor() const { return scatterColor_; }
  void ScatterColor(std::int32_t value) { scatterColor_ = value; }
  std::int32_t SmoothCurveColor() const { return smoothCurveColor_; }
  void SmoothCurveColor(std::int32_t value) { smoothCurveColor_ = value; }
  std::int32_t SmoothCurveWidth() const { return smoothCurveWidth_; }
  void SmoothCurveWidth(std::int32_t value) { smoothCurveWidth_ = value; }
  std::int32_t Symbol() const { return symbol_; }
  void Symbol(std::int32_t value) { symbol_ = value; }
  bool ShowSurface() const { return showSurface_; }
  void ShowSurface(bool value) { showSurface_ = value; }
  bool ShowSurPX() const { return showSurPX_; }
  void ShowSurPX(bool value) { showSurPX_ = value; }
  bool ShowSurPY() const { return showSurPY_; }
  void ShowSurPY(bool value) { showSurPY_ = value; }
  bool ShowTangent() const { return showTangent_; }
  void ShowTangent(bool value) { showTangent_ = value; }
  std::int32_t TangentNum() const { return tangentNum_; }
  void TangentNum(std::int32_t value) { tangentNum_ = value; }
  float TangentX(std::int32_t lngIndex) const { return tangentX_[FloatIndex(lngIndex)]; }
  void TangentX(std::int32_t lngIndex, float value) { tangentX_[FloatIndex(lngIndex)] = value; }
  float TangentY(std::int32_t lngIndex) const { return tangentY_[FloatIndex(lngIndex)]; }
  void TangentY(std::int32_t lngIndex, float value) { tangentY_[FloatIndex(lngIndex)] = value; }
  bool ShowNormal() const { return showNormal_; }
  void ShowNormal(bool value) { showNormal_ = value; }
  std::int32_t NormalNum() const { return normalNum_; }
  void NormalNum(std::int32_t value) { normalNum_ = value; }
  float NormalX(std::int32_t lngIndex) const { return normalX_[FloatIndex(lngIndex)]; }
  void NormalX(std::int32_t lngIndex, float value) { normalX_[FloatIndex(lngIndex)] = value; }
  float NormalY(std::int32_t lngIndex) const { return normalY_[FloatIndex(lngIndex)]; }
  void NormalY(std::int32_t lngIndex, float value) { normalY_[FloatIndex(lngIndex)] = value; }
  float VecBeginX() const { return vecBeginX_; }
  void VecBeginX(float value) { vecBeginX_ = value; }
  float VecBeginY() const { return vecBeginY_; }
  void VecBeginY(float value) { vecBeginY_ = value; }
  float VecBeginZ() const { return vecBeginZ_; }
  void VecBeginZ(float value) { vecBeginZ_ = value; }
  float VecEndX() const { return vecEndX_; }
  void VecEndX(float value) { vecEndX_ = value; }
  float VecEndY() const { return vecEndY_; }
  void VecEndY(float value) { vecEndY_ = value; }
  float VecEndZ() const { return vecEndZ_; }
  void VecEndZ(float value) { vecEndZ_ = value; }
  bool ShowVecBegin() const { return showVecBegin_; }
  void ShowVecBegin(bool value) { showVecBegin_ = value; }
  bool ShowVecEnd() const { return showVecEnd_; }
  void ShowVecEnd(bool value) { showVecEnd_ = value; }
  std::int32_t VecColor() const { return vecColor_; }
  void VecColor(std::int32_t value) { vecColor_ = value; }
  std::int32_t VecWidth() const { return vecWidth_; }
  void VecWidth(std::int32_t value) { vecWidth_ = value; }
  bool ShowVecPrj() const { return showVecPrj_; }
  void ShowVecPrj(bool value) { showVecPrj_ = value; }
  bool ShowVecB() const { return showVecB_; }
  void ShowVecB(bool value) { showVecB_ = value; }
  std::int32_t VecOperation() const { return vecOperation_; }
  void VecOperation(std::int32_t value) { vecOperation_ = value; }
  float VecConstant() const { return vecConstant_; }
  void VecConstant(float value) { vecConstant_ = value; }
  float VecDX() const { return vecDX_; }
  void VecDX(float value) { vecDX_ = value; }
  float VecDY() const { return vecDY_; }
  void VecDY(float value) { vecDY_ = value; }
  float VecDZ() const { return vecDZ_; }
  void VecDZ(float value) { vecDZ_ = value; }
  float VecDX2() const { return vecDX2_; }
  void VecDX2(float value) { vecDX2_ = value; }
  float VecDY2() const { return vecDY2_; }
  void VecDY2(float value) { vecDY2_ = value; }
  float VecDZ2() const { return vecDZ2_; }
  void VecDZ2(float value) { vecDZ2_ = value; }
  bool ODEInitial() const { return oDEInitial_; }
  void ODEInitial(bool value) { oDEInitial_ = value; }
  float ODEInitX() const { return oDEInitX_; }
  void ODEInitX(float value) { oDEInitX_ = value; }
  float ODEInitY() const { return oDEInitY_; }
  void ODEInitY(float value) { oDEInitY_ = value; }
  std::int32_t ODEColor() const { return oDEColor_; }
  void ODEColor(std::int32_t value) { oDEColor_ = value; }
  std::int32_t ODEWidth() const { return oDEWidth_; }
  void ODEWidth(std::int32_t value) { oDEWidth_ = value; }

  // The animation step count: the document's AnimFrames (read only).
  std::int32_t StepT() const { return document_->AnimFrames; }

  // --- point accessors ---
  // Reading returns the point in the cell, or null for a cell that holds
  // none; writing stores a copy of the given point. An index outside the
  // extent that the last GetPoints gave the array throws GraphError.
  // Sampling leaves arrays it never computes without storage (they read as
  // fresh points); a non-const read or a write fills such an array, so
  // readers use the const views below.
  PlotPoint* Vert3D(std::int32_t intU, std::int32_t intV) { return vert3D_.Find(intU, intV); }
  const PlotPoint* Vert3D(std::int32_t intU, std::int32_t intV) const {
    return vert3D_.Find(intU, intV);
  }
  void Vert3D(std::int32_t intU, std::int32_t intV, const PlotPoint& point) {
    vert3D_.At(intU, intV) = point;
  }
  PlotPoint* Anim1D(std::int32_t intT) { return anim1D_.Find(intT); }
  const PlotPoint* Anim1D(std::int32_t intT) const { return anim1D_.Find(intT); }
  void Anim1D(std::int32_t intT, const PlotPoint& point) { anim1D_.At(intT) = point; }
  PlotPoint* Anim2D(std::int32_t intU, std::int32_t intT) { return anim2D_.Find(intU, intT); }
  const PlotPoint* Anim2D(std::int32_t intU, std::int32_t intT) const {
    return anim2D_.Find(intU, intT);
  }
  void Anim2D(std::int32_t intU, std::int32_t intT, const PlotPoint& point) {
    anim2D_.At(intU, intT) = point;
  }
  PlotPoint* Anim3D(std::int32_t intU, std::int32_t intV, std::int32_t intT) {
    return anim3D_.Find(intU, intV, intT);
  }
  const PlotPoint* Anim3D(std::int32_t intU, std::int32_t intV, std::int32_t intT) const {
    return anim3D_.Find(intU, intV, intT);
  }
  void Anim3D(std::int32_t intU, std::int32_t intV, std::int32_t intT, const PlotPoint& point) {
    anim3D_.At(intU, intV, intT) = point;
  }

  // Table points: 201 x 201 cells of shared points. Reading an empty cell
  // first stores a fresh point in it. Indices outside 0..200 throw GraphError.
  std::shared_ptr<PlotPoint> VertTab3D(std::int32_t intU, std::int32_t intV);
  void VertTab3D(std::int32_t intU, std::int32_t intV, std::shared_ptr<PlotPoint> point);
  // Whether a table cell holds a point, without creating one.
  bool HasVertTab3D(std::int32_t intU, std::int32_t intV) const;

  // Read-only views of every point array, for boxing, drawing and export.
  const PointGrid& Vert3DGrid() const { return vert3D_; }
  const PointGrid& VertPX3DGrid() const { return vertPX3D_; }
  const PointGrid& VertPY3DGrid() const { return vertPY3D_; }
  const PointGrid& Vert3DExp2Grid() const { return vert3DExp2_; }
  const PointGrid& Vert1DGrid() const { return vert1D_; }
  const PointGrid& VertA3DGrid() const { return vertA3D_; }
  const PointGrid& VertB3DGrid() const { return vertB3D_; }
  const PointGrid& VertRev3DGrid() const { return vertRev3D_; }
  const PointGrid& VertJO3DGrid() const { return vertJO3D_; }
  const PointGrid& Vert3D36Grid() const { return vert3D36_; }
  const PointGrid& Anim1DGrid() const { return anim1D_; }
  const PointGrid& Anim2DGrid() const { return anim2D_; }
  const PointGrid& Anim3DGrid() const { return anim3D_; }
  const PointGrid& Anim2DUGrid() const { return anim2DU_; }
  const PointGrid& Anim3DVGrid() const { return anim3DV_; }

  // --- operations ---

  // A new record of the same document with the defaults, then ID, NameS,
  // GraphType, CoordType, ExpressX, ExpressY, ExpressZ, StepU, StepV, MinU,
  // MaxU, MinV, MaxV, FillStyle, FirstColor, SecondColor, LineColor,
  // LineWidth, Material, Show, Smoothness, ShowContour, ShowVector,
  // ShowColormap, ContourLevel set from the arguments. This record is not
  // changed.
  std::shared_ptr<Graph> Init(std::int32_t lngID, const std::string& strName,
                              std::int32_t gtpGraphType, std::int32_t dtpCoordType,
                              const std::string& strExpX, const std::string& strExpY,
                              const std::string& strExpZ, std::int32_t lngStepU,
                              std::int32_t lngStepV, float sngMinU, float sngMaxU, float sngMinV,
                              float sngMaxV, std::int32_t fstFillStyle, std::int32_t lngFirstColor,
                              std::int32_t lngSecondColor, std::int32_t lngLineColor,
                              std::int32_t lngLineWidth, std::int32_t MatType, std::int32_t shwShow,
                              std::int32_t smtSmooth, bool bolShowCon, bool bolShowVec,
                              bool bolShowColormap, std::int32_t lngConLevel) const;

  // Sets NameS .. ContourLevel and FunForm of this record; ID is unchanged.
  void Equal(const std::string& strName, std::int32_t gtpGraphType, std::int32_t ctpCoordType,
             const std::string& strExpX, const std::string& strExpY, const std::string& strExpZ,
             std::int32_t lngStepU, std::int32_t lngStepV, float sngMinU, float sngMaxU,
             float sngMinV, float sngMaxV, std::int32_t fstFillStyle, std::int32_t lngFirstColor,
             std::int32_t lngSecondColor, std::int32_t lngLineColor, std::int32_t lngLineWidth,
             std::int32_t MatType, std::int32_t shwShow, std::int32_t smtSmooth, bool bolShowCon,
             bool bolShowVec, bool bolShowColormap, std::int32_t lngConLevel,
             std::int32_t ffFunForm);

  // Copies the settings of fsfnew into this record (not ID, LenFrom, LenTo,
  // element 0 of the float arrays, the table settings, points or box; MinT
  // and MaxT only when fsfnew is animated). The caller samples again.
  void EqualTo(const Graph& fsfnew);
  // Copies the table settings of fsfnew and makes this record's table cells
  // share fsfnew's points.
  void TabEqualTo(Graph& fsfnew);

  // Samples the graph into its point arrays. False when an expression does
  // not compile (the compiler has reported it), an evaluation yields no
  // value, a step count is negative, or the points would exceed
  // kPointBudget (reported with the title "Error").
  bool GetPoints();

  // The box around the graph's points for the given animation step. Polar
  // implicit graphs and kind 32 return shared constant boxes.
  std::shared_ptr<const Box> GetBox(std::int32_t lngAnimStep = 0);

 private:
  friend class GraphSampler;

  static std::size_t FloatIndex(std::int32_t index);
  // The point in a table cell, or null, without creating one.
  const PlotPoint* TableCell(std::int32_t intU, std::int32_t intV) const;

  DocumentValues* document_;

  std::string expressX_;
  std::string expressY_;
  std::string expressZ_;
  std::int32_t stepU_ = 1;
  std::int32_t stepV_ = 1;
  float minU_ = 0;
  float maxU_ = 0;
  float minV_ = 0;
  float maxV_ = 0;
  std::string nameS_;
  std::int32_t iD_ = 0;
  std::int32_t firstColor_ = 0;
  std::int32_t secondColor_ = 0;
  std::int32_t coordType_ = 0;
  std::int32_t fillStyle_ = 0;
  std::int32_t graphType_ = 0;
  std::int32_t material_ = 0;
  std::int32_t show_ = 3;
  std::int32_t smoothness_ = 3;
  std::int32_t lineWidth_ = 0;
  std::int32_t lineColor_ = 0;
  std::int32_t pointColor_ = 255;
  float pointSize_ = 1.0f;
  bool pointHollow_ = false;
  std::int32_t funForm_ = 0;
  bool show2DCurve_ = false;
  bool showInverse_ = false;
  std::int32_t invColor_ = 0;
  std::int32_t invWidth_ = 0;
  bool showDev_ = false;
  std::int32_t devColor_ = 0;
  std::int32_t devWidth_ = 0;
  bool showInt_ = false;
  std::int32_t intColor_ = 0;
  float intFrom_ = 0;
  float intTo_ = 0;
  bool showMax_ = false;
  std::int32_t maxColor_ = 0;
  std::int32_t maxSize_ = 0;
  std::int32_t maxSymbol_ = 0;
  bool showMin_ = false;
  std::int32_t minColor_ = 0;
  std::int32_t minSize_ = 0;
  std::int32_t minSymbol_ = 0;
  bool showGuai_ = false;
  std::int32_t guaiColor_ = 0;
  std::int32_t guaiSize_ = 0;
  std::int32_t guaiSymbol_ = 0;
  bool showJO_ = false;
  std::int32_t jOColor_ = 0;
  std::int32_t jOWidth_ = 0;
  bool showRoot_ = false;
  std::int32_t rootColor_ = 0;
  std::int32_t rootSize_ = 0;
  std::int32_t rootSymbol_ = 0;
  bool showCurv_ = false;
  std::int32_t curvColor_ = 0;
  std::int32_t curvWidth_ = 0;
  std::int32_t curvNum_ = 0;
  std::array<float, kFloatArraySize> curvX_{};
  bool showLen_ = false;
  float lenFrom_ = 0;
  float lenTo_ = 0;
  bool showQie_ = false;
  std::int32_t qieColor_ = 0;
  std::int32_t qieWidth_ = 0;
  std::int32_t qieNum_ = 0;
  std::array<float, kFloatArraySize> qieX_{};
  bool showNml_ = false;
  std::int32_t nmlColor_ = 0;
  std::int32_t nmlWidth_ = 0;
  std::int32_t nmlNum_ = 0;
  std::array<float, kFloatArraySize> nmlX_{};
  bool showStep_ = false;
  std::int32_t stepColor_ = 0;
  std::int32_t stepWidth_ = 0;
  bool showStem_ = false;
  std::int32_t stemHeadColor_ = 0;
  std::int32_t stemHeadSize_ = 0;
  std::int32_t stemHeadSymbol_ = 0;
  std::int32_t stemBodyColor_ = 0;
  std::int32_t stemBodyWidth_ = 0;
  std::string exp2_;
  std::int32_t color2_ = 0;
  std::int32_t width2_ = 0;
  bool showInter_ = false;
  std::int32_t interColor_ = 0;
  std::int32_t interSize_ = 0;
  std::int32_t interSymbol_ = 0;
  bool showArea_ = false;
  std::int32_t areaColor_ = 0;
  bool animation_ = false;
  float maxT_ = 0;
  float minT_ = 0;
  bool showContour_ = false;
  bool showVector_ = false;
  bool showColormap_ = false;
  std::int32_t contourLevel_ = 0;
  bool show2DLine_ = true;
  bool show2DScatter_ = true;
  bool showSmoothCurve_ = true;
  std::int32_t scatterSize_ = 2;
  std::int32_t scatterColor_ = 0;
  std::int32_t smoothCurveColor_ = 65280;
  std::int32_t smoothCurveWidth_ = 1;
  std::int32_t symbol_ = 1;
  bool showSurface_ = false;
  bool showSurPX_ = false;
  bool showSurPY_ = false;
  bool showTangent_ = false;
  std::int32_t tangentNum_ = 0;
  std::array<float, kFloatArraySize> tangentX_{};
  std::array<float, kFloatArraySize> tangentY_{};
  bool showNormal_ = false;
  std::int32_t normalNum_ = 0;
  std::array<float, kFloatArraySize> normalX_{};
  std::array<float, kFloatArraySize> normalY_{};
  float vecBeginX_ = 0;
  float vecBeginY_ = 0;
  float vecBeginZ_ = 0;
  float vecEndX_ = 0;
  float vecEndY_ = 0;
  float vecEndZ_ = 0;
  bool showVecBegin_ = false;
  bool showVecEnd_ = false;
  std::int32_t vecColor_ = 0;
  std::int32_t vecWidth_ = 0;
  bool showVecPrj_ = false;
  bool showVecB_ = false;
  std::int32_t vecOperation_ = 0;
  float vecConstant_ = 0;
  float vecDX_ = 0;
  float vecDY_ = 0;
  float vecDZ_ = 0;
  float vecDX2_ = 0;
  float vecDY2_ = 0;
  float vecDZ2_ = 0;
  bool oDEInitial_ = false;
  float oDEInitX_ = 0;
  float oDEInitY_ = 0;
  std::int32_t oDEColor_ = 0;
  std::int32_t oDEWidth_ = 0;

  PointGrid vert3D_, vertPX3D_, vertPY3D_, vert3DExp2_, vert1D_, vertA3D_, vertB3D_, vertRev3D_,
      vertJO3D_, vert3D36_;
  PointGrid anim1D_, anim2D_, anim3D_, anim2DU_, anim3DV_;
  // 201 x 201 shared cells, first index fastest; allocated on first use.
  std::vector<std::shared_ptr<PlotPoint>> vertTab3D_;

  // The last computed box, in the order maximum X, minimum X, maximum Y,
  // minimum Y, maximum z, minimum z.
  float boxMaxX_ = 0, boxMinX_ = 0, boxMaxY_ = 0, boxMinY_ = 0, boxMaxZ_ = 0, boxMinZ_ = 0;
};

}  // namespace quillon
