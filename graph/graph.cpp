// Graph: the record operations that do not sample or box: index checks, the
// shared table cells, Init, Equal and the two copy operations.
#include "graph/graph.h"

#include <algorithm>
#include <string>

#include "graph/graph_error.h"

namespace quillon {

namespace {

constexpr std::size_t kTableSide = static_cast<std::size_t>(Graph::kTableUpper) + 1;

std::size_t TableIndex(std::int32_t intU, std::int32_t intV) {
  if (intU < 0 || intU > Graph::kTableUpper || intV < 0 || intV > Graph::kTableUpper) {
    throw GraphError("Subscript out of range: table cell (" + std::to_string(intU) + ", " +
                     std::to_string(intV) + ")");
  }
  // The first index varies fastest, as in every point array.
  return static_cast<std::size_t>(intU) + kTableSide * static_cast<std::size_t>(intV);
}

// A count read from another record, limited to the fixed float arrays: a
// count above 50 copies the 50 elements there are instead of failing halfway
// through the copy.
std::int32_t UsedFloats(std::int32_t count) {
  return std::min(count, Graph::kFloatArrayUpper);
}

}  // namespace

std::size_t Graph::FloatIndex(std::int32_t index) {
  if (index < 0 || index > kFloatArrayUpper) {
    throw GraphError("Subscript out of range: " + std::to_string(index) + " (0 to 50)");
  }
  return static_cast<std::size_t>(index);
}

std::shared_ptr<PlotPoint> Graph::VertTab3D(std::int32_t intU, std::int32_t intV) {
  const std::size_t index = TableIndex(intU, intV);
  if (vertTab3D_.empty()) {
    vertTab3D_.resize(kTableSide * kTableSide);
  }
  std::shared_ptr<PlotPoint>& cell = vertTab3D_[index];
  if (!cell) {
    cell = std::make_shared<PlotPoint>();
  }
  return cell;
}

void Graph::VertTab3D(std::int32_t intU, std::int32_t intV, std::shared_ptr<PlotPoint> point) {
  const std::size_t index = TableIndex(intU, intV);
  if (vertTab3D_.empty()) {
    vertTab3D_.resize(kTableSide * kTableSide);
  }
  vertTab3D_[index] = std::move(point);
}

bool Graph::HasVertTab3D(std::int32_t intU, std::int32_t intV) const {
  return TableCell(intU, intV) != nullptr;
}

const PlotPoint* Graph::TableCell(std::int32_t intU, std::int32_t intV) const {
  const std::size_t index = TableIndex(intU, intV);
  return vertTab3D_.empty() ? nullptr : vertTab3D_[index].get();
}

std::shared_ptr<Graph> Graph::Init(
    std::int32_t lngID, const std::string& strName, std::int32_t gtpGraphType,
    std::int32_t dtpCoordType, const std::string& strExpX, const std::string& strExpY,
    const std::string& strExpZ, std::int32_t lngStepU, std::int32_t lngStepV, float sngMinU,
    float sngMaxU, float sngMinV, float sngMaxV, std::int32_t fstFillStyle,
    std::int32_t lngFirstColor, std::int32_t lngSecondColor, std::int32_t lngLineColor,
    std::int32_t lngLineWidth, std::int32_t MatType, std::int32_t shwShow, std::int32_t smtSmooth,
    bool bolShowCon, bool bolShowVec, bool bolShowColormap, std::int32_t lngConLevel) const {
  auto graph = std::make_shared<Graph>(*document_);
  graph->ID(lngID);
  graph->NameS(strName);
  graph->GraphType(gtpGraphType);
  graph->CoordType(dtpCoordType);
  graph->ExpressX(strExpX);
  graph->ExpressY(strExpY);
  graph->ExpressZ(strExpZ);
  graph->StepU(lngStepU);
  graph->StepV(lngStepV);
  graph->MinU(sngMinU);
  graph->MaxU(sngMaxU);
  graph->MinV(sngMinV);
  graph->MaxV(sngMaxV);
  graph->FillStyle(fstFillStyle);
  graph->FirstColor(lngFirstColor);
  graph->SecondColor(lngSecondColor);
  graph->LineColor(lngLineColor);
  graph->LineWidth(lngLineWidth);
  graph->Material(MatType);
  graph->Show(shwShow);
  graph->Smoothness(smtSmooth);
  graph->ShowContour(bolShowCon);
  graph->ShowVector(bolShowVec);
  graph->ShowColormap(bolShowColormap);
  graph->ContourLevel(lngConLevel);
  return graph;
}

void Graph::Equal(const std::string& strName, std::int32_t gtpGraphType, std::int32_t ctpCoordType,
                  const std::string& strExpX, const std::string& strExpY,
                  const std::string& strExpZ, std::int32_t lngStepU, std::int32_t lngStepV,
                  float sngMinU, float sngMaxU, float sngMinV, float sngMaxV,
                  std::int32_t fstFillStyle, std::int32_t lngFirstColor,
                  std::int32_t lngSecondColor, std::int32_t lngLineColor, std::int32_t lngLineWidth,
                  std::int32_t MatType, std::int32_t shwShow, std::int32_t smtSmooth,
                  bool bolShowCon, bool bolShowVec, bool bolShowColormap, std::int32_t lngConLevel,
                  std::int32_t ffFunForm) {
  NameS(strName);
  GraphType(gtpGraphType);
  CoordType(ctpCoordType);
  ExpressX(strExpX);
  ExpressY(strExpY);
  ExpressZ(strExpZ);
  StepU(lngStepU);
  StepV(lngStepV);
  MinU(sngMinU);
  MaxU(sngMaxU);
  MinV(sngMinV);
  MaxV(sngMaxV);
  FillStyle(fstFillStyle);
  FirstColor(lngFirstColor);
  SecondColor(lngSecondColor);
  LineColor(lngLineColor);
  LineWidth(lngLineWidth);
  Material(MatType);
  Show(shwShow);
  Smoothness(smtSmooth);
  ShowContour(bolShowCon);
  ShowVector(bolShowVec);
  ShowColormap(bolShowColormap);
  ContourLevel(lngConLevel);
  FunForm(ffFunForm);
}

void Graph::EqualTo(const Graph& fsfnew) {
  NameS(fsfnew.NameS());
  GraphType(fsfnew.GraphType());
  CoordType(fsfnew.CoordType());
  ExpressX(fsfnew.ExpressX());
  ExpressY(fsfnew.ExpressY());
  ExpressZ(fsfnew.ExpressZ());
  StepU(fsfnew.StepU());
  StepV(fsfnew.StepV());
  MinU(fsfnew.MinU());
  MaxU(fsfnew.MaxU());
  MinV(fsfnew.MinV());
  MaxV(fsfnew.MaxV());
  FillStyle(fsfnew.FillStyle());
  FirstColor(fsfnew.FirstColor());
  SecondColor(fsfnew.SecondColor());
  LineColor(fsfnew.LineColor());
  LineWidth(fsfnew.LineWidth());
  Material(fsfnew.Material());
  Show(fsfnew.Show());
  Smoothness(fsfnew.Smoothness());
  PointColor(fsfnew.PointColor());
  PointSize(fsfnew.PointSize());
  PointHollow(fsfnew.PointHollow());

  Animation(fsfnew.Animation());
  if (Animation()) {
    MinT(fsfnew.MinT());
    MaxT(fsfnew.MaxT());
  }

  ShowContour(fsfnew.ShowContour());
  ShowVector(fsfnew.ShowVector());
  ShowColormap(fsfnew.ShowColormap());
  ContourLevel(fsfnew.ContourLevel());
  FunForm(fsfnew.FunForm());

  Show2DCurve(fsfnew.Show2DCurve());
  ShowInverse(fsfnew.ShowInverse());
  InvColor(fsfnew.InvColor());
  InvWidth(fsfnew.InvWidth());
  ShowDev(fsfnew.ShowDev());
  DevColor(fsfnew.DevColor());
  DevWidth(fsfnew.DevWidth());
  ShowInt(fsfnew.ShowInt());
  IntColor(fsfnew.IntColor());
  IntFrom(fsfnew.IntFrom());
  IntTo(fsfnew.IntTo());
  ShowMax(fsfnew.ShowMax());
  MaxColor(fsfnew.MaxColor());
  MaxSize(fsfnew.MaxSize());
  MaxSymbol(fsfnew.MaxSymbol());
  ShowMin(fsfnew.ShowMin());
  MinColor(fsfnew.MinColor());
  MinSize(fsfnew.MinSize());
  MinSymbol(fsfnew.MinSymbol());
  ShowGuai(fsfnew.ShowGuai());
  GuaiColor(fsfnew.GuaiColor());
  GuaiSize(fsfnew.GuaiSize());
  GuaiSymbol(fsfnew.GuaiSymbol());
  ShowJO(fsfnew.ShowJO());
  JOColor(fsfnew.JOColor());
  JOWidth(fsfnew.JOWidth());
  ShowRoot(fsfnew.ShowRoot());
  RootColor(fsfnew.RootColor());
  RootSize(fsfnew.RootSize());
  RootSymbol(fsfnew.RootSymbol());
  ShowCurv(fsfnew.ShowCurv());
  CurvColor(fsfnew.CurvColor());
  CurvWidth(fsfnew.CurvWidth());
  CurvNum(fsfnew.CurvNum());
  for (std::int32_t i = 1; i <= UsedFloats(CurvNum()); ++i) {
    CurvX(i, fsfnew.CurvX(i));
  }

  ShowLen(fsfnew.ShowLen());

  ShowQie(fsfnew.ShowQie());
  QieColor(fsfnew.QieColor());
  QieWidth(fsfnew.QieWidth());
  QieNum(fsfnew.QieNum());
  for (std::int32_t i = 1; i <= UsedFloats(QieNum()); ++i) {
    QieX(i, fsfnew.QieX(i));
  }
  ShowNml(fsfnew.ShowNml());
  NmlColor(fsfnew.NmlColor());
  NmlWidth(fsfnew.NmlWidth());
  NmlNum(fsfnew.NmlNum());
  for (std::int32_t i = 1; i <= UsedFloats(NmlNum()); ++i) {
    NmlX(i, fsfnew.NmlX(i));
  }

  ShowStep(fsfnew.ShowStep());
  StepColor(fsfnew.StepColor());
  StepWidth(fsfnew.StepWidth());
  ShowStem(fsfnew.ShowStem());
  StemHeadColor(fsfnew.StemHeadColor());
  StemHeadSize(fsfnew.StemHeadSize());
  StemHeadSymbol(fsfnew.StemHeadSymbol());
  StemBodyColor(fsfnew.StemBodyColor());
  StemBodyWidth(fsfnew.StemBodyWidth());
  Exp2(fsfnew.Exp2());
  Color2(fsfnew.Color2());
  Width2(fsfnew.Width2());
  ShowInter(fsfnew.ShowInter());
  InterColor(fsfnew.InterColor());
  InterSize(fsfnew.InterSize());
  InterSymbol(fsfnew.InterSymbol());
  ShowArea(fsfnew.ShowArea());
  AreaColor(fsfnew.AreaColor());

  ShowSurface(fsfnew.ShowSurface());
  ShowSurPX(fsfnew.ShowSurPX());
  ShowSurPY(fsfnew.ShowSurPY());
  ShowTangent(fsfnew.ShowTangent());
  ShowNormal(fsfnew.ShowNormal());
  VecBeginX(fsfnew.VecBeginX());
  VecBeginY(fsfnew.VecBeginY());
  VecBeginZ(fsfnew.VecBeginZ());
  VecEndX(fsfnew.VecEndX());
  VecEndY(fsfnew.VecEndY());
  VecEndZ(fsfnew.VecEndZ());
  ShowVecBegin(fsfnew.ShowVecBegin());
  ShowVecEnd(fsfnew.ShowVecEnd());
  VecColor(fsfnew.VecColor());
  VecWidth(fsfnew.VecWidth());
  ShowVecPrj(fsfnew.ShowVecPrj());
  ShowVecB(fsfnew.ShowVecB());
  VecOperation(fsfnew.VecOperation());
  VecConstant(fsfnew.VecConstant());
  VecDX(fsfnew.VecDX());
  VecDY(fsfnew.VecDY());
  VecDZ(fsfnew.VecDZ());
  VecDX2(fsfnew.VecDX2());
  VecDY2(fsfnew.VecDY2());
  VecDZ2(fsfnew.VecDZ2());

  TangentNum(fsfnew.TangentNum());
  for (std::int32_t i = 1; i <= UsedFloats(TangentNum()); ++i) {
    TangentX(i, fsfnew.TangentX(i));
    TangentY(i, fsfnew.TangentY(i));
  }
  NormalNum(fsfnew.NormalNum());
  for (std::int32_t i = 1; i <= UsedFloats(NormalNum()); ++i) {
    NormalX(i, fsfnew.NormalX(i));
    NormalY(i, fsfnew.NormalY(i));
  }

  ODEInitial(fsfnew.ODEInitial());
  ODEInitX(fsfnew.ODEInitX());
  ODEInitY(fsfnew.ODEInitY());
  ODEColor(fsfnew.ODEColor());
  ODEWidth(fsfnew.ODEWidth());
}

void Graph::TabEqualTo(Graph& fsfnew) {
  NameS(fsfnew.NameS());
  LineColor(fsfnew.LineColor());
  LineWidth(fsfnew.LineWidth());
  GraphType(fsfnew.GraphType());
  CoordType(fsfnew.CoordType());
  StepU(fsfnew.StepU());
  StepV(fsfnew.StepV());
  FillStyle(fsfnew.FillStyle());
  FirstColor(fsfnew.FirstColor());
  SecondColor(fsfnew.SecondColor());
  Material(fsfnew.Material());
  Show(fsfnew.Show());
  Smoothness(fsfnew.Smoothness());

  // The cells shared are those a table record is saved with: first index
  // 0..StepU, second 0..StepV, limited to the table. Other cells keep this
  // record's points.
  if (&fsfnew != this) {
    const std::int32_t lastU = std::min(StepU(), kTableUpper);
    const std::int32_t lastV = std::min(StepV(), kTableUpper);
    for (std::int32_t i = 0; i <= lastU; ++i) {
      for (std::int32_t j = 0; j <= lastV; ++j) {
        VertTab3D(i, j, fsfnew.VertTab3D(i, j));
      }
    }
  }

  Show2DLine(fsfnew.Show2DLine());
  Show2DScatter(fsfnew.Show2DScatter());
  ShowSmoothCurve(fsfnew.ShowSmoothCurve());
  ScatterSize(fsfnew.ScatterSize());
  ScatterColor(fsfnew.ScatterColor());
  SmoothCurveColor(fsfnew.SmoothCurveColor());
  SmoothCurveWidth(fsfnew.SmoothCurveWidth());
  Symbol(fsfnew.Symbol());
}

}  // namespace quillon
