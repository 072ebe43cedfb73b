// The graph record's defaults, Init, Equal and the two copy operations.
#include <functional>
#include <string>
#include <type_traits>
#include <vector>

#include "graph/graph_error.h"
#include "graph_test_support.h"

namespace quillon {
namespace {

using testing::Document;

// One value field of the record, reached through its own accessors. set()
// stores a value derived from a seed (different seeds give different values
// for every type, booleans alternating), get() reads it back as text.
struct Field {
  std::string name;
  std::function<void(Cls9&, int)> set;
  std::function<std::string(const Cls9&)> get;
};

template <typename T>
Field F(const std::string& name, T (Cls9::*getter)() const, void (Cls9::*setter)(T)) {
  using Value = std::decay_t<T>;
  Field field;
  field.name = name;
  field.set = [setter](Cls9& graph, int seed) {
    if constexpr (std::is_same_v<Value, bool>) {
      (graph.*setter)(seed % 2 == 1);
    } else if constexpr (std::is_same_v<Value, float>) {
      (graph.*setter)(static_cast<float>(seed) + 0.25f);
    } else if constexpr (std::is_same_v<Value, std::string>) {
      (graph.*setter)("text " + std::to_string(seed));
    } else {
      (graph.*setter)(seed);
    }
  };
  field.get = [getter](const Cls9& graph) {
    if constexpr (std::is_same_v<Value, std::string>) {
      return (graph.*getter)();
    } else {
      return std::to_string((graph.*getter)());
    }
  };
  return field;
}

// Every field that EqualTo copies, apart from the animated MinT and MaxT and
// the indexed float arrays (tested on their own).
std::vector<Field> CopiedFields() {
  return {
      F("NameS", &Cls9::NameS, &Cls9::NameS),
      F("GraphType", &Cls9::GraphType, &Cls9::GraphType),
      F("CoordType", &Cls9::CoordType, &Cls9::CoordType),
      F("ExpressX", &Cls9::ExpressX, &Cls9::ExpressX),
      F("ExpressY", &Cls9::ExpressY, &Cls9::ExpressY),
      F("ExpressZ", &Cls9::ExpressZ, &Cls9::ExpressZ),
      F("StepU", &Cls9::StepU, &Cls9::StepU),
      F("StepV", &Cls9::StepV, &Cls9::StepV),
      F("MinU", &Cls9::MinU, &Cls9::MinU),
      F("MaxU", &Cls9::MaxU, &Cls9::MaxU),
      F("MinV", &Cls9::MinV, &Cls9::MinV),
      F("MaxV", &Cls9::MaxV, &Cls9::MaxV),
      F("FillStyle", &Cls9::FillStyle, &Cls9::FillStyle),
      F("FirstColor", &Cls9::FirstColor, &Cls9::FirstColor),
      F("SecondColor", &Cls9::SecondColor, &Cls9::SecondColor),
      F("LineColor", &Cls9::LineColor, &Cls9::LineColor),
      F("LineWidth", &Cls9::LineWidth, &Cls9::LineWidth),
      F("Material", &Cls9::Material, &Cls9::Material),
      F("Show", &Cls9::Show, &Cls9::Show),
      F("Smoothness", &Cls9::Smoothness, &Cls9::Smoothness),
      F("PointColor", &Cls9::PointColor, &Cls9::PointColor),
      F("PointSize", &Cls9::PointSize, &Cls9::PointSize),
      F("PointHollow", &Cls9::PointHollow, &Cls9::PointHollow),
      F("ShowContour", &Cls9::ShowContour, &Cls9::ShowContour),
      F("ShowVector", &Cls9::ShowVector, &Cls9::ShowVector),
      F("ShowColormap", &Cls9::ShowColormap, &Cls9::ShowColormap),
      F("ContourLevel", &Cls9::ContourLevel, &Cls9::ContourLevel),
      F("FunForm", &Cls9::FunForm, &Cls9::FunForm),
      F("Show2DCurve", &Cls9::Show2DCurve, &Cls9::Show2DCurve),
      F("ShowInverse", &Cls9::ShowInverse, &Cls9::ShowInverse),
      F("InvColor", &Cls9::InvColor, &Cls9::InvColor),
      F("InvWidth", &Cls9::InvWidth, &Cls9::InvWidth),
      F("ShowDev", &Cls9::ShowDev, &Cls9::ShowDev),
      F("DevColor", &Cls9::DevColor, &Cls9::DevColor),
      F("DevWidth", &Cls9::DevWidth, &Cls9::DevWidth),
      F("ShowInt", &Cls9::ShowInt, &Cls9::ShowInt),
      F("IntColor", &Cls9::IntColor, &Cls9::IntColor),
      F("IntFrom", &Cls9::IntFrom, &Cls9::IntFrom),
      F("IntTo", &Cls9::IntTo, &Cls9::IntTo),
      F("ShowMax", &Cls9::ShowMax, &Cls9::ShowMax),
      F("MaxColor", &Cls9::MaxColor, &Cls9::MaxColor),
      F("MaxSize", &Cls9::MaxSize, &Cls9::MaxSize),
      F("MaxSymbol", &Cls9::MaxSymbol, &Cls9::MaxSymbol),
      F("ShowMin", &Cls9::ShowMin, &Cls9::ShowMin),
      F("MinColor", &Cls9::MinColor, &Cls9::MinColor),
      F("MinSize", &Cls9::MinSize, &Cls9::MinSize),
      F("MinSymbol", &Cls9::MinSymbol, &Cls9::MinSymbol),
      F("ShowGuai", &Cls9::ShowGuai, &Cls9::ShowGuai),
      F("GuaiColor", &Cls9::GuaiColor, &Cls9::GuaiColor),
      F("GuaiSize", &Cls9::GuaiSize, &Cls9::GuaiSize),
      F("GuaiSymbol", &Cls9::GuaiSymbol, &Cls9::GuaiSymbol),
      F("ShowJO", &Cls9::ShowJO, &Cls9::ShowJO),
      F("JOColor", &Cls9::JOColor, &Cls9::JOColor),
      F("JOWidth", &Cls9::JOWidth, &Cls9::JOWidth),
      F("ShowRoot", &Cls9::ShowRoot, &Cls9::ShowRoot),
      F("RootColor", &Cls9::RootColor, &Cls9::RootColor),
      F("RootSize", &Cls9::RootSize, &Cls9::RootSize),
      F("RootSymbol", &Cls9::RootSymbol, &Cls9::RootSymbol),
      F("ShowCurv", &Cls9::ShowCurv, &Cls9::ShowCurv),
      F("CurvColor", &Cls9::CurvColor, &Cls9::CurvColor),
      F("CurvWidth", &Cls9::CurvWidth, &Cls9::CurvWidth),
      F("ShowLen", &Cls9::ShowLen, &Cls9::ShowLen),
      F("ShowQie", &Cls9::ShowQie, &Cls9::ShowQie),
      F("QieColor", &Cls9::QieColor, &Cls9::QieColor),
      F("QieWidth", &Cls9::QieWidth, &Cls9::QieWidth),
      F("ShowNml", &Cls9::ShowNml, &Cls9::ShowNml),
      F("NmlColor", &Cls9::NmlColor, &Cls9::NmlColor),
      F("NmlWidth", &Cls9::NmlWidth, &Cls9::NmlWidth),
      F("ShowStep", &Cls9::ShowStep, &Cls9::ShowStep),
      F("StepColor", &Cls9::StepColor, &Cls9::StepColor),
      F("StepWidth", &Cls9::StepWidth, &Cls9::StepWidth),
      F("ShowStem", &Cls9::ShowStem, &Cls9::ShowStem),
      F("StemHeadColor", &Cls9::StemHeadColor, &Cls9::StemHeadColor),
      F("StemHeadSize", &Cls9::StemHeadSize, &Cls9::StemHeadSize),
      F("StemHeadSymbol", &Cls9::StemHeadSymbol, &Cls9::StemHeadSymbol),
      F("StemBodyColor", &Cls9::StemBodyColor, &Cls9::StemBodyColor),
      F("StemBodyWidth", &Cls9::StemBodyWidth, &Cls9::StemBodyWidth),
      F("Exp2", &Cls9::Exp2, &Cls9::Exp2),
      F("Color2", &Cls9::Color2, &Cls9::Color2),
      F("Width2", &Cls9::Width2, &Cls9::Width2),
      F("ShowInter", &Cls9::ShowInter, &Cls9::ShowInter),
      F("InterColor", &Cls9::InterColor, &Cls9::InterColor),
      F("InterSize", &Cls9::InterSize, &Cls9::InterSize),
      F("InterSymbol", &Cls9::InterSymbol, &Cls9::InterSymbol),
      F("ShowArea", &Cls9::ShowArea, &Cls9::ShowArea),
      F("AreaColor", &Cls9::AreaColor, &Cls9::AreaColor),
      F("ShowSurface", &Cls9::ShowSurface, &Cls9::ShowSurface),
      F("ShowSurPX", &Cls9::ShowSurPX, &Cls9::ShowSurPX),
      F("ShowSurPY", &Cls9::ShowSurPY, &Cls9::ShowSurPY),
      F("ShowTangent", &Cls9::ShowTangent, &Cls9::ShowTangent),
      F("ShowNormal", &Cls9::ShowNormal, &Cls9::ShowNormal),
      F("VecBeginX", &Cls9::VecBeginX, &Cls9::VecBeginX),
      F("VecBeginY", &Cls9::VecBeginY, &Cls9::VecBeginY),
      F("VecBeginZ", &Cls9::VecBeginZ, &Cls9::VecBeginZ),
      F("VecEndX", &Cls9::VecEndX, &Cls9::VecEndX),
      F("VecEndY", &Cls9::VecEndY, &Cls9::VecEndY),
      F("VecEndZ", &Cls9::VecEndZ, &Cls9::VecEndZ),
      F("ShowVecBegin", &Cls9::ShowVecBegin, &Cls9::ShowVecBegin),
      F("ShowVecEnd", &Cls9::ShowVecEnd, &Cls9::ShowVecEnd),
      F("VecColor", &Cls9::VecColor, &Cls9::VecColor),
      F("VecWidth", &Cls9::VecWidth, &Cls9::VecWidth),
      F("ShowVecPrj", &Cls9::ShowVecPrj, &Cls9::ShowVecPrj),
      F("ShowVecB", &Cls9::ShowVecB, &Cls9::ShowVecB),
      F("VecOperation", &Cls9::VecOperation, &Cls9::VecOperation),
      F("VecConstant", &Cls9::VecConstant, &Cls9::VecConstant),
      F("VecDX", &Cls9::VecDX, &Cls9::VecDX),
      F("VecDY", &Cls9::VecDY, &Cls9::VecDY),
      F("VecDZ", &Cls9::VecDZ, &Cls9::VecDZ),
      F("VecDX2", &Cls9::VecDX2, &Cls9::VecDX2),
      F("VecDY2", &Cls9::VecDY2, &Cls9::VecDY2),
      F("VecDZ2", &Cls9::VecDZ2, &Cls9::VecDZ2),
      F("ODEInitial", &Cls9::ODEInitial, &Cls9::ODEInitial),
      F("ODEInitX", &Cls9::ODEInitX, &Cls9::ODEInitX),
      F("ODEInitY", &Cls9::ODEInitY, &Cls9::ODEInitY),
      F("ODEColor", &Cls9::ODEColor, &Cls9::ODEColor),
      F("ODEWidth", &Cls9::ODEWidth, &Cls9::ODEWidth),
  };
}

// Fields that EqualTo leaves as they are.
std::vector<Field> KeptFields() {
  return {
      F("ID", &Cls9::ID, &Cls9::ID),
      F("LenFrom", &Cls9::LenFrom, &Cls9::LenFrom),
      F("LenTo", &Cls9::LenTo, &Cls9::LenTo),
      F("Show2DLine", &Cls9::Show2DLine, &Cls9::Show2DLine),
      F("Show2DScatter", &Cls9::Show2DScatter, &Cls9::Show2DScatter),
      F("ShowSmoothCurve", &Cls9::ShowSmoothCurve, &Cls9::ShowSmoothCurve),
      F("ScatterSize", &Cls9::ScatterSize, &Cls9::ScatterSize),
      F("ScatterColor", &Cls9::ScatterColor, &Cls9::ScatterColor),
      F("SmoothCurveColor", &Cls9::SmoothCurveColor, &Cls9::SmoothCurveColor),
      F("SmoothCurveWidth", &Cls9::SmoothCurveWidth, &Cls9::SmoothCurveWidth),
      F("Symbol", &Cls9::Symbol, &Cls9::Symbol),
  };
}

TEST(GraphRecord, FreshRecordDefaults) {
  Document document;
  const Cls9 graph(document.values);
  struct Row {
    const char* name;
    double actual, expected;
  };
  auto D = [](auto value) { return static_cast<double>(value); };
  const Row rows[] = {
      {"StepU", D(graph.StepU()), 1},
      {"StepV", D(graph.StepV()), 1},
      {"Show", D(graph.Show()), 3},
      {"Smoothness", D(graph.Smoothness()), 3},
      {"PointColor", D(graph.PointColor()), 255},
      {"PointSize", D(graph.PointSize()), 1.0},
      {"Symbol", D(graph.Symbol()), 1},
      {"SmoothCurveWidth", D(graph.SmoothCurveWidth()), 1},
      {"ScatterSize", D(graph.ScatterSize()), 2},
      {"SmoothCurveColor", D(graph.SmoothCurveColor()), 65280},
      {"Show2DLine", D(graph.Show2DLine()), 1},
      {"Show2DScatter", D(graph.Show2DScatter()), 1},
      {"ShowSmoothCurve", D(graph.ShowSmoothCurve()), 1},
      {"ScatterColor", D(graph.ScatterColor()), 0},
      {"GraphType", D(graph.GraphType()), 0},
      {"CoordType", D(graph.CoordType()), 0},
      {"FunForm", D(graph.FunForm()), 0},
      {"LineWidth", D(graph.LineWidth()), 0},
      {"Animation", D(graph.Animation()), 0},
      {"MinT", D(graph.MinT()), 0},
      {"MaxT", D(graph.MaxT()), 0},
      {"ShowContour", D(graph.ShowContour()), 0},
      {"ContourLevel", D(graph.ContourLevel()), 0},
      {"CurvX(50)", D(graph.CurvX(50)), 0},
      {"NormalY(0)", D(graph.NormalY(0)), 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(row.actual, row.expected);
  }
  // Every other value field reads 0, false or empty: a fresh record gives
  // the same text as a record of seed 0 for the fields without a default.
  for (const Field& field : CopiedFields()) {
    const std::string name = field.name;
    if (name == "StepU" || name == "StepV" || name == "Show" || name == "Smoothness" ||
        name == "PointColor" || name == "PointSize") {
      continue;
    }
    SCOPED_TRACE(name);
    const std::string value = field.get(graph);
    EXPECT_TRUE(value.empty() || value == "0" || value == "0.000000") << value;
  }
  EXPECT_FALSE(graph.Vert3DGrid().Allocated());
  EXPECT_FALSE(graph.HasVertTab3D(200, 200));
}

TEST(GraphRecord, InitLeavesOriginalAndSetsTheGivenFields) {
  Document document;
  Cls9 original(document.values);
  original.NameS("original");
  original.FunForm(3);
  original.Symbol(4);

  const auto graph =
      original.Init(7, "made", 20, 2, "ex", "ey", "ez", 11, 12, -1.5f, 1.5f, -2.5f, 2.5f, 4,
                    0xFF0000, 0x00FF00, 255, 3, 5, 2, 1, true, false, true, 9);
  ASSERT_NE(graph.get(), &original);
  EXPECT_EQ(&graph->Document(), &document.values);
  EXPECT_EQ(graph->ID(), 7);
  EXPECT_EQ(graph->NameS(), "made");
  EXPECT_EQ(graph->GraphType(), 20);
  EXPECT_EQ(graph->CoordType(), 2);
  EXPECT_EQ(graph->ExpressX(), "ex");
  EXPECT_EQ(graph->ExpressY(), "ey");
  EXPECT_EQ(graph->ExpressZ(), "ez");
  EXPECT_EQ(graph->StepU(), 11);
  EXPECT_EQ(graph->StepV(), 12);
  EXPECT_EQ(graph->MinU(), -1.5f);
  EXPECT_EQ(graph->MaxU(), 1.5f);
  EXPECT_EQ(graph->MinV(), -2.5f);
  EXPECT_EQ(graph->MaxV(), 2.5f);
  EXPECT_EQ(graph->FillStyle(), 4);
  EXPECT_EQ(graph->FirstColor(), 0xFF0000);
  EXPECT_EQ(graph->SecondColor(), 0x00FF00);
  EXPECT_EQ(graph->LineColor(), 255);
  EXPECT_EQ(graph->LineWidth(), 3);
  EXPECT_EQ(graph->Material(), 5);
  EXPECT_EQ(graph->Show(), 2);
  EXPECT_EQ(graph->Smoothness(), 1);
  EXPECT_TRUE(graph->ShowContour());
  EXPECT_FALSE(graph->ShowVector());
  EXPECT_TRUE(graph->ShowColormap());
  EXPECT_EQ(graph->ContourLevel(), 9);
  // Not among the arguments: class defaults, whatever the original held.
  EXPECT_EQ(graph->FunForm(), 0);
  EXPECT_EQ(graph->Symbol(), 1);
  EXPECT_EQ(graph->PointColor(), 255);

  EXPECT_EQ(original.NameS(), "original");
  EXPECT_EQ(original.ID(), 0);
  EXPECT_EQ(original.FunForm(), 3);
  EXPECT_EQ(original.GraphType(), 0);
}

TEST(GraphRecord, EqualSetsFieldsAndFunFormButNotID) {
  Document document;
  Cls9 graph(document.values);
  graph.ID(42);
  graph.Equal("eq", 3, 1, "a", "b", "c", 5, 6, 1, 2, 3, 4, 7, 8, 9, 10, 11, 12, 13, 14, true, true,
              false, 15, 3);
  EXPECT_EQ(graph.ID(), 42);
  EXPECT_EQ(graph.NameS(), "eq");
  EXPECT_EQ(graph.GraphType(), 3);
  EXPECT_EQ(graph.ExpressZ(), "c");
  EXPECT_EQ(graph.StepV(), 6);
  EXPECT_EQ(graph.MaxV(), 4.0f);
  EXPECT_EQ(graph.Smoothness(), 14);
  EXPECT_TRUE(graph.ShowVector());
  EXPECT_FALSE(graph.ShowColormap());
  EXPECT_EQ(graph.ContourLevel(), 15);
  EXPECT_EQ(graph.FunForm(), 3);
}

TEST(GraphRecord, EqualToCopiesSettingsAndKeepsExclusions) {
  for (const bool animated : {true, false}) {
    SCOPED_TRACE(animated ? "animated source" : "still source");
    Document document;
    Cls9 source(document.values);
    Cls9 target(document.values);
    const auto copied = CopiedFields();
    const auto kept = KeptFields();
    int seed = 1;
    for (const Field& field : copied) {
      field.set(source, seed++);
      field.set(target, seed++);
    }
    std::vector<std::string> keptBefore;
    for (const Field& field : kept) {
      field.set(source, seed++);
      field.set(target, seed++);
      keptBefore.push_back(field.get(target));
    }
    source.Animation(animated);
    target.Animation(!animated);
    source.MinT(-3);
    source.MaxT(3);
    target.MinT(-8);
    target.MaxT(8);

    target.EqualTo(source);

    for (const Field& field : copied) {
      SCOPED_TRACE(field.name);
      EXPECT_EQ(field.get(target), field.get(source));
    }
    for (std::size_t n = 0; n < kept.size(); ++n) {
      SCOPED_TRACE(kept[n].name);
      EXPECT_EQ(kept[n].get(target), keptBefore[n]);
    }
    EXPECT_EQ(target.Animation(), animated);
    EXPECT_EQ(target.MinT(), animated ? -3.0f : -8.0f);
    EXPECT_EQ(target.MaxT(), animated ? 3.0f : 8.0f);
  }
}

// The fixed float arrays: elements 1..count are copied, element 0 and the
// elements past the count are kept, and a count above 50 copies 1..50.
TEST(GraphRecord, EqualToCopiesUsedFloatElements) {
  struct Array {
    const char* name;
    void (Cls9::*setCount)(std::int32_t);
    float (Cls9::*get)(std::int32_t) const;
    void (Cls9::*set)(std::int32_t, float);
  };
  const Array arrays[] = {
      {"CurvX", &Cls9::CurvNum, &Cls9::CurvX, &Cls9::CurvX},
      {"QieX", &Cls9::QieNum, &Cls9::QieX, &Cls9::QieX},
      {"NmlX", &Cls9::NmlNum, &Cls9::NmlX, &Cls9::NmlX},
      {"TangentX", &Cls9::TangentNum, &Cls9::TangentX, &Cls9::TangentX},
      {"TangentY", &Cls9::TangentNum, &Cls9::TangentY, &Cls9::TangentY},
      {"NormalX", &Cls9::NormalNum, &Cls9::NormalX, &Cls9::NormalX},
      {"NormalY", &Cls9::NormalNum, &Cls9::NormalY, &Cls9::NormalY},
  };
  struct Case {
    std::int32_t count;
    std::int32_t lastCopied;
  };
  const Case cases[] = {{0, 0}, {3, 3}, {50, 50}, {51, 50}, {-4, 0}};
  for (const Array& array : arrays) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(array.name) + " count " + std::to_string(c.count));
      Document document;
      Cls9 source(document.values);
      Cls9 target(document.values);
      for (std::int32_t i = 0; i <= Cls9::kFloatArrayUpper; ++i) {
        (source.*array.set)(i, 100.0f + static_cast<float>(i));
        (target.*array.set)(i, -1.0f - static_cast<float>(i));
      }
      (source.*array.setCount)(c.count);
      ASSERT_NO_THROW(target.EqualTo(source));
      for (std::int32_t i = 0; i <= Cls9::kFloatArrayUpper; ++i) {
        const bool copied = i >= 1 && i <= c.lastCopied;
        EXPECT_EQ((target.*array.get)(i),
                  copied ? 100.0f + static_cast<float>(i) : -1.0f - static_cast<float>(i))
            << "element " << i;
      }
    }
  }
}

TEST(GraphRecord, FloatArrayIndexOutsideZeroToFiftyThrows) {
  Document document;
  Cls9 graph(document.values);
  for (const std::int32_t index : {-1, 51, 1000}) {
    SCOPED_TRACE(index);
    EXPECT_THROW(graph.CurvX(index), GraphError);
    EXPECT_THROW(graph.NormalY(index, 1.0f), GraphError);
  }
  EXPECT_NO_THROW(graph.TangentX(50, 2.0f));
  EXPECT_EQ(graph.TangentX(50), 2.0f);
}

TEST(GraphRecord, TableCellReadsFreshThenTheSamePoint) {
  Document document;
  Cls9 graph(document.values);
  struct Cell {
    std::int32_t u, v;
  };
  for (const Cell cell : {Cell{0, 0}, Cell{200, 200}, Cell{3, 150}}) {
    SCOPED_TRACE(std::to_string(cell.u) + ", " + std::to_string(cell.v));
    EXPECT_FALSE(graph.HasVertTab3D(cell.u, cell.v));
    const auto first = graph.VertTab3D(cell.u, cell.v);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(*first, Cls2());
    EXPECT_TRUE(graph.HasVertTab3D(cell.u, cell.v));
    EXPECT_EQ(graph.VertTab3D(cell.u, cell.v), first);
  }
  // Only the cells read were filled.
  EXPECT_FALSE(graph.HasVertTab3D(200, 0));
  for (const Cell cell : {Cell{-1, 0}, Cell{0, 201}, Cell{201, 5}}) {
    EXPECT_THROW(graph.VertTab3D(cell.u, cell.v), GraphError);
    EXPECT_THROW(graph.HasVertTab3D(cell.u, cell.v), GraphError);
  }
}

TEST(GraphRecord, TabEqualToSharesTheSavedCells) {
  Document document;
  Cls9 source(document.values);
  Cls9 target(document.values);
  source.GraphType(6);
  source.StepU(2);
  source.StepV(1);
  source.NameS("table");
  source.Symbol(5);
  source.ScatterSize(7);
  source.Show2DLine(false);
  source.LineColor(255);
  source.VertTab3D(1, 1, std::make_shared<Cls2>(Cls2::Init(1, 2, 3)));
  const auto outside = std::make_shared<Cls2>(Cls2::Init(9, 9, 9));
  target.VertTab3D(3, 0, outside);
  target.ExpressZ("kept");

  target.TabEqualTo(source);

  EXPECT_EQ(target.NameS(), "table");
  EXPECT_EQ(target.GraphType(), 6);
  EXPECT_EQ(target.StepU(), 2);
  EXPECT_EQ(target.StepV(), 1);
  EXPECT_EQ(target.Symbol(), 5);
  EXPECT_EQ(target.ScatterSize(), 7);
  EXPECT_FALSE(target.Show2DLine());
  EXPECT_EQ(target.LineColor(), 255);
  EXPECT_EQ(target.ExpressZ(), "kept");
  for (std::int32_t i = 0; i <= 2; ++i) {
    for (std::int32_t j = 0; j <= 1; ++j) {
      SCOPED_TRACE(std::to_string(i) + ", " + std::to_string(j));
      // Empty source cells got a point first; both records hold the same one.
      EXPECT_TRUE(source.HasVertTab3D(i, j));
      EXPECT_EQ(target.VertTab3D(i, j), source.VertTab3D(i, j));
    }
  }
  EXPECT_EQ(target.VertTab3D(1, 1)->z(), 3.0f);
  // A change through one record shows in the other.
  target.VertTab3D(0, 1)->X(4.5f);
  EXPECT_EQ(source.VertTab3D(0, 1)->X(), 4.5f);
  // Cells outside 0..StepU x 0..StepV keep their own points.
  EXPECT_EQ(target.VertTab3D(3, 0), outside);
  EXPECT_FALSE(source.HasVertTab3D(3, 0));
}

}  // namespace
}  // namespace quillon
