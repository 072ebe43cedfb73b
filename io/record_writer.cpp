#include "io/record_writer.h"

#include "graph/graph.h"
#include "io/field_text.h"
#include "io/io_error.h"
#include "scene/axis.h"
#include "scene/scene.h"

namespace quillon {
namespace {

// Appends fields, each followed by one blank; Finish drops the last blank.
class FieldWriter {
 public:
  void Integer(std::int32_t value) { Append(IntegerText(value)); }
  void Number(float value) { Append(NumberText(value)); }
  void PlainNumber(float value) { Append(PlainNumberText(value)); }
  void Flag(bool value) { Append(FlagText(value)); }
  void Text(const std::string& value) { Append(TextFieldText(value)); }

  std::string Finish() {
    if (!text_.empty()) {
      text_.pop_back();
    }
    return std::move(text_);
  }

 private:
  void Append(const std::string& field) {
    text_ += field;
    text_ += ' ';
  }
  std::string text_;
};

void CheckCount(const Graph& graph, const char* field, std::int32_t count) {
  if (count > Graph::kFloatArrayUpper) {
    throw IoError("The graph \"" + graph.NameS() + "\" has " + std::to_string(count) +
                  " positions in " + field + ", more than the 50 a file can hold.");
  }
}

void WriteCoreFields(FieldWriter& w, const Graph& g) {
  w.Integer(g.GraphType());
  w.Integer(g.ID());
  w.Text(g.NameS());
  w.Integer(g.CoordType());
  w.Text(g.ExpressX());
  w.Text(g.ExpressY());
  w.Text(g.ExpressZ());
  w.Integer(g.StepU());
  w.Integer(g.StepV());
  w.Number(g.MinU());
  w.Number(g.MaxU());
  w.Number(g.MinV());
  w.Number(g.MaxV());
  w.Integer(g.FillStyle());
  w.Integer(g.FirstColor());
  w.Integer(g.SecondColor());
  w.Integer(g.LineColor());
  w.Integer(g.LineWidth());
  w.Integer(g.Material());
  w.Integer(g.Show());
  w.Integer(g.Smoothness());
  w.Integer(g.PointColor());
  w.PlainNumber(g.PointSize());
  w.Flag(g.PointHollow());
  w.Flag(g.Animation());
  if (g.Animation()) {
    w.PlainNumber(g.MinT());
    w.PlainNumber(g.MaxT());
    w.Integer(g.Document().AnimFrames);
    w.Integer(g.Document().AnimExtra);
  }
  w.Integer(g.FunForm());
}

void WriteAnalysisBlock(FieldWriter& w, const Graph& g) {
  w.Flag(g.Show2DCurve());
  w.Flag(g.ShowInverse());
  w.Integer(g.InvColor());
  w.Integer(g.InvWidth());
  w.Flag(g.ShowDev());
  w.Integer(g.DevColor());
  w.Integer(g.DevWidth());
  w.Flag(g.ShowInt());
  w.Integer(g.IntColor());
  w.Number(g.IntFrom());
  w.Number(g.IntTo());
  w.Flag(g.ShowMax());
  w.Integer(g.MaxColor());
  w.Integer(g.MaxSize());
  w.Integer(g.MaxSymbol());
  w.Flag(g.ShowMin());
  w.Integer(g.MinColor());
  w.Integer(g.MinSize());
  w.Integer(g.MinSymbol());
  w.Flag(g.ShowGuai());
  w.Integer(g.GuaiColor());
  w.Integer(g.GuaiSize());
  w.Integer(g.GuaiSymbol());
  w.Flag(g.ShowJO());
  w.Integer(g.JOColor());
  w.Integer(g.JOWidth());
  w.Flag(g.ShowRoot());
  w.Integer(g.RootColor());
  w.Integer(g.RootSize());
  w.Integer(g.RootSymbol());
  w.Flag(g.ShowCurv());
  w.Integer(g.CurvColor());
  w.Integer(g.CurvWidth());
  w.Integer(g.CurvNum());
  for (std::int32_t i = 1; i <= g.CurvNum(); ++i) {
    w.Number(g.CurvX(i));
  }
  w.Flag(g.ShowLen());
  w.Number(g.LenFrom());
  w.Number(g.LenTo());
  w.Flag(g.ShowQie());
  w.Integer(g.QieColor());
  w.Integer(g.QieWidth());
  w.Integer(g.QieNum());
  for (std::int32_t i = 1; i <= g.QieNum(); ++i) {
    w.Number(g.QieX(i));
  }
  w.Flag(g.ShowNml());
  w.Integer(g.NmlColor());
  w.Integer(g.NmlWidth());
  w.Integer(g.NmlNum());
  for (std::int32_t i = 1; i <= g.NmlNum(); ++i) {
    w.Number(g.NmlX(i));
  }
  w.Flag(g.ShowStep());
  w.Integer(g.StepColor());
  w.Integer(g.StepWidth());
  w.Flag(g.ShowStem());
  w.Integer(g.StemHeadColor());
  w.Integer(g.StemHeadSize());
  w.Integer(g.StemHeadSymbol());
  w.Integer(g.StemBodyColor());
  w.Integer(g.StemBodyWidth());
  w.Text(g.Exp2());
  w.Integer(g.Color2());
  w.Integer(g.Width2());
  w.Flag(g.ShowInter());
  w.Integer(g.InterColor());
  w.Integer(g.InterSize());
  w.Integer(g.InterSymbol());
  w.Flag(g.ShowArea());
  w.Integer(g.AreaColor());
}

void WriteSurfaceBlock(FieldWriter& w, const Graph& g) {
  w.Flag(g.ShowSurface());
  w.Flag(g.ShowSurPX());
  w.Flag(g.ShowSurPY());
  w.Flag(g.ShowTangent());
  w.Integer(g.TangentNum());
  for (std::int32_t i = 1; i <= g.TangentNum(); ++i) {
    w.Number(g.TangentX(i));
    w.Number(g.TangentY(i));
  }
  w.Flag(g.ShowNormal());
  w.Integer(g.NormalNum());
  for (std::int32_t i = 1; i <= g.NormalNum(); ++i) {
    w.Number(g.NormalX(i));
    w.Number(g.NormalY(i));
  }
  w.Number(g.VecBeginX());
  w.Number(g.VecBeginY());
  w.Number(g.VecBeginZ());
  w.Number(g.VecEndX());
  w.Number(g.VecEndY());
  w.Number(g.VecEndZ());
  w.Flag(g.ShowVecBegin());
  w.Flag(g.ShowVecEnd());
  w.Integer(g.VecColor());
  w.Integer(g.VecWidth());
  w.Flag(g.ShowVecPrj());
  w.Flag(g.ShowVecB());
  w.Integer(g.VecOperation());
  w.Number(g.VecConstant());
  w.Number(g.VecDX());
  w.Number(g.VecDY());
  w.Number(g.VecDZ());
  w.Number(g.VecDX2());
  w.Number(g.VecDY2());
  w.Number(g.VecDZ2());
  w.Flag(g.ODEInitial());
  w.Number(g.ODEInitX());
  w.Number(g.ODEInitY());
  w.Integer(g.ODEColor());
  w.Integer(g.ODEWidth());
}

void WriteContourBlock(FieldWriter& w, const Graph& g) {
  w.Flag(g.ShowContour());
  w.Flag(g.ShowVector());
  w.Flag(g.ShowColormap());
  w.Integer(g.ContourLevel());
}

}  // namespace

bool IsGraphRecordKind(std::int32_t graphType) {
  switch (graphType) {
    case 0:
    case 1:
    case 2:
    case 3:
    case 7:
    case 8:
    case 9:
    case 10:
    case 11:
    case 12:
    case 13:
    case 14:
    case 15:
    case 20:
    case 21:
    case 22:
    case 23:
    case 31:
    case 32:
    case 36:
      return true;
    default:
      return false;
  }
}

bool IsTableRecordKind(std::int32_t graphType) {
  return graphType == 4 || graphType == 5 || graphType == 6;
}

std::string Save(const Graph& graph) {
  CheckCount(graph, "CurvNum", graph.CurvNum());
  CheckCount(graph, "QieNum", graph.QieNum());
  CheckCount(graph, "NmlNum", graph.NmlNum());
  CheckCount(graph, "TangentNum", graph.TangentNum());
  CheckCount(graph, "NormalNum", graph.NormalNum());
  FieldWriter writer;
  WriteCoreFields(writer, graph);
  WriteAnalysisBlock(writer, graph);
  WriteSurfaceBlock(writer, graph);
  WriteContourBlock(writer, graph);
  return writer.Finish();
}

std::string SaveTable(Graph& g) {
  if (g.StepU() > Graph::kTableUpper || g.StepV() > Graph::kTableUpper) {
    throw IoError("The table \"" + g.NameS() + "\" has more than the 200 steps a file can hold.");
  }
  FieldWriter w;
  w.Integer(g.GraphType());
  w.Integer(g.ID());
  w.Text(g.NameS());
  w.Integer(g.LineColor());
  w.Integer(g.LineWidth());
  w.Integer(g.FillStyle());
  w.Integer(g.FirstColor());
  w.Integer(g.SecondColor());
  w.Integer(g.Material());
  w.Integer(g.Show());
  w.Integer(g.Smoothness());
  w.Integer(g.StepU());
  w.Integer(g.StepV());
  for (std::int32_t i = 0; i <= g.StepU(); ++i) {
    for (std::int32_t j = 0; j <= g.StepV(); ++j) {
      const std::shared_ptr<PlotPoint> point = g.VertTab3D(i, j);
      w.Number(point->X());
      w.Number(point->Y());
      w.Number(point->z());
    }
  }
  w.Flag(g.Show2DLine());
  w.Flag(g.Show2DScatter());
  w.Flag(g.ShowSmoothCurve());
  w.Integer(g.ScatterSize());
  w.Integer(g.ScatterColor());
  w.Integer(g.SmoothCurveColor());
  w.Integer(g.SmoothCurveWidth());
  w.Integer(g.Symbol());
  return w.Finish();
}

std::string Save(const Axis& a) {
  if (!a.Show()) {
    return "0";
  }
  FieldWriter w;
  w.Flag(a.Show());
  w.Flag(a.ShowXYPanel());
  w.Flag(a.ShowXZPanel());
  w.Flag(a.ShowYZPanel());
  w.Flag(a.ShowXYXGrid());
  w.Flag(a.ShowXYYGrid());
  w.Flag(a.ShowXZXGrid());
  w.Flag(a.ShowXZZGrid());
  w.Flag(a.ShowYZYGrid());
  w.Flag(a.ShowYZZGrid());
  w.Integer(a.LabelNumX());
  w.Integer(a.LabelNumY());
  w.Integer(a.LabelNumZ());
  w.Text(a.TitleX());
  w.Text(a.TitleY());
  w.Text(a.TitleZ());
  w.Integer(a.XYPanelColor());
  w.Integer(a.XZPanelColor());
  w.Integer(a.YZPanelColor());
  w.Integer(a.XYGridColor());
  w.Integer(a.XZGridColor());
  w.Integer(a.YZGridColor());
  w.Integer(a.XYPanelMaterial());
  w.Integer(a.XZPanelMaterial());
  w.Integer(a.YZPanelMaterial());
  w.Integer(a.AxisColor());
  w.Integer(a.AxisWidth());
  w.Flag(a.BetterFonts());
  return w.Finish();
}

std::optional<std::string> SaveRecord(Graph& graph) {
  if (IsGraphRecordKind(graph.GraphType())) {
    return Save(graph);
  }
  if (IsTableRecordKind(graph.GraphType())) {
    return SaveTable(graph);
  }
  return std::nullopt;
}

std::string Save(const Scene& scene) {
  std::string text;
  for (const GraphCollection::Entry& entry : scene.Graphs()) {
    if (const std::optional<std::string> record = SaveRecord(*entry.second)) {
      text += *record;
      text += ' ';
    }
  }
  return text;
}

}  // namespace quillon
