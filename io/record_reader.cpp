#include "io/record_reader.h"

#include <charconv>
#include <optional>

#include "expr/number_text.h"
#include "graph/graph.h"
#include "io/field_text.h"
#include "io/record_writer.h"
#include "scene/axis.h"

namespace quillon {
namespace {

// A count field followed by that many positions: validated before it is
// stored, so a record never holds a count beyond its arrays.
std::int32_t NextCount(TokenCursor& cursor, const char* field) {
  const std::int32_t count = cursor.NextInteger(field);
  if (count > Graph::kFloatArrayUpper) {
    cursor.Refuse(field, "is more than the 50 positions a graph can hold.");
  }
  return count;
}

std::int32_t NextTableStep(TokenCursor& cursor, const char* field) {
  const std::int32_t step = cursor.NextInteger(field);
  if (step < 0 || step > Graph::kTableUpper) {
    cursor.Refuse(field, "lies outside the 0 to 200 steps a table can hold.");
  }
  return step;
}

void ReadCoreFields(TokenCursor& c, Graph& g, const RecordReading& reading,
                    AnimationFields& animation) {
  g.GraphType(c.NextInteger("GraphType"));
  g.ID(c.NextInteger("ID"));
  g.NameS(c.NextText());
  g.CoordType(c.NextInteger("CoordType"));
  g.ExpressX(c.NextText());
  g.ExpressY(c.NextText());
  g.ExpressZ(c.NextText());
  g.StepU(c.NextInteger("StepU"));
  g.StepV(c.NextInteger("StepV"));
  g.MinU(c.NextNumber("MinU"));
  g.MaxU(c.NextNumber("MaxU"));
  g.MinV(c.NextNumber("MinV"));
  g.MaxV(c.NextNumber("MaxV"));
  g.FillStyle(c.NextInteger("FillStyle"));
  g.FirstColor(c.NextInteger("FirstColor"));
  g.SecondColor(c.NextInteger("SecondColor"));
  g.LineColor(c.NextInteger("LineColor"));
  g.LineWidth(c.NextInteger("LineWidth"));
  g.Material(c.NextInteger("Material"));
  g.Show(c.NextInteger("Show"));
  g.Smoothness(c.NextInteger("Smoothness"));
  g.PointColor(c.NextInteger("PointColor"));
  if (reading.paste) {
    g.PointSize(c.NextNumber("PointSize"));
    g.PointHollow(LeadingNumberValue(c.Next()) != 0);
  } else {
    if (const std::optional<float> size = PointSizeFieldValue(c.Next())) {
      g.PointSize(*size);
    }
    g.PointHollow(c.NextFlag());
  }

  if (reading.paste) {
    const std::string& token = c.Peek();
    const bool animated = token == "1" || token == "True";
    if (animated || token == "False" || token == "0") {
      c.Next();
      g.Animation(animated);
      if (animated) {
        g.MinT(c.NextNumber("MinT"));
        g.MaxT(c.NextNumber("MaxT"));
        c.Next();  // AnimFrames and AnimExtra belong to the receiving document
        c.Next();
      }
    }
  } else {
    g.Animation(c.NextFlag());
    if (g.Animation()) {
      g.MinT(c.NextNumber("MinT"));
      g.MaxT(c.NextNumber("MaxT"));
      animation.AnimFrames = c.NextInteger("AnimFrames");
      animation.AnimExtra = c.NextInteger("AnimExtra");
      animation.read = true;
    }
  }
  g.FunForm(c.NextInteger("FunForm"));
}

void ReadAnalysisBlock(TokenCursor& c, Graph& g) {
  g.Show2DCurve(c.NextFlag());
  g.ShowInverse(c.NextFlag());
  g.InvColor(c.NextInteger("InvColor"));
  g.InvWidth(c.NextInteger("InvWidth"));
  g.ShowDev(c.NextFlag());
  g.DevColor(c.NextInteger("DevColor"));
  g.DevWidth(c.NextInteger("DevWidth"));
  g.ShowInt(c.NextFlag());
  g.IntColor(c.NextInteger("IntColor"));
  g.IntFrom(c.NextNumber("IntFrom"));
  g.IntTo(c.NextNumber("IntTo"));
  g.ShowMax(c.NextFlag());
  g.MaxColor(c.NextInteger("MaxColor"));
  g.MaxSize(c.NextInteger("MaxSize"));
  g.MaxSymbol(c.NextInteger("MaxSymbol"));
  g.ShowMin(c.NextFlag());
  g.MinColor(c.NextInteger("MinColor"));
  g.MinSize(c.NextInteger("MinSize"));
  g.MinSymbol(c.NextInteger("MinSymbol"));
  g.ShowGuai(c.NextFlag());
  g.GuaiColor(c.NextInteger("GuaiColor"));
  g.GuaiSize(c.NextInteger("GuaiSize"));
  g.GuaiSymbol(c.NextInteger("GuaiSymbol"));
  g.ShowJO(c.NextFlag());
  g.JOColor(c.NextInteger("JOColor"));
  g.JOWidth(c.NextInteger("JOWidth"));
  g.ShowRoot(c.NextFlag());
  g.RootColor(c.NextInteger("RootColor"));
  g.RootSize(c.NextInteger("RootSize"));
  g.RootSymbol(c.NextInteger("RootSymbol"));
  g.ShowCurv(c.NextFlag());
  g.CurvColor(c.NextInteger("CurvColor"));
  g.CurvWidth(c.NextInteger("CurvWidth"));
  g.CurvNum(NextCount(c, "CurvNum"));
  for (std::int32_t i = 1; i <= g.CurvNum(); ++i) {
    g.CurvX(i, c.NextNumber("CurvX"));
  }
  g.ShowLen(c.NextFlag());
  g.LenFrom(c.NextNumber("LenFrom"));
  g.LenTo(c.NextNumber("LenTo"));
  g.ShowQie(c.NextFlag());
  g.QieColor(c.NextInteger("QieColor"));
  g.QieWidth(c.NextInteger("QieWidth"));
  g.QieNum(NextCount(c, "QieNum"));
  for (std::int32_t i = 1; i <= g.QieNum(); ++i) {
    g.QieX(i, c.NextNumber("QieX"));
  }
  g.ShowNml(c.NextFlag());
  g.NmlColor(c.NextInteger("NmlColor"));
  g.NmlWidth(c.NextInteger("NmlWidth"));
  g.NmlNum(NextCount(c, "NmlNum"));
  for (std::int32_t i = 1; i <= g.NmlNum(); ++i) {
    g.NmlX(i, c.NextNumber("NmlX"));
  }
  g.ShowStep(c.NextFlag());
  g.StepColor(c.NextInteger("StepColor"));
  g.StepWidth(c.NextInteger("StepWidth"));
  g.ShowStem(c.NextFlag());
  g.StemHeadColor(c.NextInteger("StemHeadColor"));
  g.StemHeadSize(c.NextInteger("StemHeadSize"));
  g.StemHeadSymbol(c.NextInteger("StemHeadSymbol"));
  g.StemBodyColor(c.NextInteger("StemBodyColor"));
  g.StemBodyWidth(c.NextInteger("StemBodyWidth"));
  g.Exp2(c.NextText());
  g.Color2(c.NextInteger("Color2"));
  g.Width2(c.NextInteger("Width2"));
  g.ShowInter(c.NextFlag());
  g.InterColor(c.NextInteger("InterColor"));
  g.InterSize(c.NextInteger("InterSize"));
  g.InterSymbol(c.NextInteger("InterSymbol"));
  g.ShowArea(c.NextFlag());
  g.AreaColor(c.NextInteger("AreaColor"));
}

void ReadSurfaceBlock(TokenCursor& c, Graph& g) {
  g.ShowSurface(c.NextFlag());
  g.ShowSurPX(c.NextFlag());
  g.ShowSurPY(c.NextFlag());
  g.ShowTangent(c.NextFlag());
  g.TangentNum(NextCount(c, "TangentNum"));
  for (std::int32_t i = 1; i <= g.TangentNum(); ++i) {
    g.TangentX(i, c.NextNumber("TangentX"));
    g.TangentY(i, c.NextNumber("TangentY"));
  }
  g.ShowNormal(c.NextFlag());
  g.NormalNum(NextCount(c, "NormalNum"));
  for (std::int32_t i = 1; i <= g.NormalNum(); ++i) {
    g.NormalX(i, c.NextNumber("NormalX"));
    g.NormalY(i, c.NextNumber("NormalY"));
  }
  g.VecBeginX(c.NextNumber("VecBeginX"));
  g.VecBeginY(c.NextNumber("VecBeginY"));
  g.VecBeginZ(c.NextNumber("VecBeginZ"));
  g.VecEndX(c.NextNumber("VecEndX"));
  g.VecEndY(c.NextNumber("VecEndY"));
  g.VecEndZ(c.NextNumber("VecEndZ"));
  g.ShowVecBegin(c.NextFlag());
  g.ShowVecEnd(c.NextFlag());
  g.VecColor(c.NextInteger("VecColor"));
  g.VecWidth(c.NextInteger("VecWidth"));
  g.ShowVecPrj(c.NextFlag());
  g.ShowVecB(c.NextFlag());
  g.VecOperation(c.NextInteger("VecOperation"));
  g.VecConstant(c.NextNumber("VecConstant"));
  g.VecDX(c.NextNumber("VecDX"));
  g.VecDY(c.NextNumber("VecDY"));
  g.VecDZ(c.NextNumber("VecDZ"));
  g.VecDX2(c.NextNumber("VecDX2"));
  g.VecDY2(c.NextNumber("VecDY2"));
  g.VecDZ2(c.NextNumber("VecDZ2"));
  g.ODEInitial(c.NextFlag());
  g.ODEInitX(c.NextNumber("ODEInitX"));
  g.ODEInitY(c.NextNumber("ODEInitY"));
  g.ODEColor(c.NextInteger("ODEColor"));
  g.ODEWidth(c.NextInteger("ODEWidth"));
}

void ReadContourBlock(TokenCursor& c, Graph& g) {
  g.ShowContour(c.NextFlag());
  g.ShowVector(c.NextFlag());
  g.ShowColormap(c.NextFlag());
  g.ContourLevel(c.NextInteger("ContourLevel"));
}

// The kind a token names: only the plain decimal text of a number ("7", not
// "07", "+7" or "7.0").
std::optional<std::int32_t> KindOfToken(const std::string& token) {
  std::int32_t kind = 0;
  const char* end = token.data() + token.size();
  const auto parsed = std::from_chars(token.data(), end, kind);
  if (parsed.ec != std::errc() || parsed.ptr != end || std::to_string(kind) != token) {
    return std::nullopt;
  }
  return kind;
}

}  // namespace

bool IsGraphRecordKind(const std::string& token) {
  const std::optional<std::int32_t> kind = KindOfToken(token);
  return kind && IsGraphRecordKind(*kind);
}

bool IsTableRecordKind(const std::string& token) {
  const std::optional<std::int32_t> kind = KindOfToken(token);
  return kind && IsTableRecordKind(*kind);
}

void ReadGraphRecord(TokenCursor& cursor, Graph& graph, const RecordReading& reading,
                     AnimationFields& animation) {
  ReadCoreFields(cursor, graph, reading, animation);
  if (reading.generation >= 4) {
    ReadAnalysisBlock(cursor, graph);
  }
  if (reading.generation >= 5) {
    ReadSurfaceBlock(cursor, graph);
  }
  ReadContourBlock(cursor, graph);
}

void ReadTableRecord(TokenCursor& c, Graph& g, const RecordReading& reading) {
  g.GraphType(c.NextInteger("GraphType"));
  g.ID(c.NextInteger("ID"));
  g.NameS(c.NextText());
  g.LineColor(c.NextStrictInteger("LineColor"));
  g.LineWidth(c.NextStrictInteger("LineWidth"));
  g.FillStyle(c.NextInteger("FillStyle"));
  g.FirstColor(c.NextInteger("FirstColor"));
  g.SecondColor(c.NextInteger("SecondColor"));
  g.Material(c.NextInteger("Material"));
  g.Show(c.NextInteger("Show"));
  g.Smoothness(c.NextInteger("Smoothness"));
  g.StepU(NextTableStep(c, "StepU"));
  g.StepV(NextTableStep(c, "StepV"));
  for (std::int32_t i = 0; i <= g.StepU(); ++i) {
    for (std::int32_t j = 0; j <= g.StepV(); ++j) {
      const std::shared_ptr<PlotPoint> point = g.VertTab3D(i, j);
      point->X(c.NextNumber("X"));
      point->Y(c.NextNumber("Y"));
      point->z(c.NextNumber("z"));
    }
  }
  if (reading.generation >= 4 || reading.paste) {
    g.Show2DLine(c.NextFlag());
    g.Show2DScatter(c.NextFlag());
    g.ShowSmoothCurve(c.NextFlag());
    g.ScatterSize(c.NextInteger("ScatterSize"));
    g.ScatterColor(c.NextInteger("ScatterColor"));
    g.SmoothCurveColor(c.NextInteger("SmoothCurveColor"));
    g.SmoothCurveWidth(c.NextInteger("SmoothCurveWidth"));
    g.Symbol(c.NextInteger("Symbol"));
  }
}

void ReadAxisRecord(TokenCursor& c, Axis& a) {
  a.Show(c.NextFlag());
  if (!a.Show()) {
    return;
  }
  a.ShowXYPanel(c.NextFlag());
  a.ShowXZPanel(c.NextFlag());
  a.ShowYZPanel(c.NextFlag());
  a.ShowXYXGrid(c.NextFlag());
  a.ShowXYYGrid(c.NextFlag());
  a.ShowXZXGrid(c.NextFlag());
  a.ShowXZZGrid(c.NextFlag());
  a.ShowYZYGrid(c.NextFlag());
  a.ShowYZZGrid(c.NextFlag());
  a.LabelNumX(c.NextInteger("LabelNumX"));
  a.LabelNumY(c.NextInteger("LabelNumY"));
  a.LabelNumZ(c.NextInteger("LabelNumZ"));
  a.TitleX(c.NextText());
  a.TitleY(c.NextText());
  a.TitleZ(c.NextText());
  a.XYPanelColor(c.NextInteger("XYPanelColor"));
  a.XZPanelColor(c.NextInteger("XZPanelColor"));
  a.YZPanelColor(c.NextInteger("YZPanelColor"));
  a.XYGridColor(c.NextInteger("XYGridColor"));
  a.XZGridColor(c.NextInteger("XZGridColor"));
  a.YZGridColor(c.NextInteger("YZGridColor"));
  a.XYPanelMaterial(c.NextInteger("XYPanelMaterial"));
  a.XZPanelMaterial(c.NextInteger("XZPanelMaterial"));
  a.YZPanelMaterial(c.NextInteger("YZPanelMaterial"));
  a.AxisColor(c.NextInteger("AxisColor"));
  a.AxisWidth(c.NextInteger("AxisWidth"));
  a.BetterFonts(c.NextFlag());
}

}  // namespace quillon
