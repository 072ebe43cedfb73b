// The graph record's defaults, Init, Equal and the two copy operations.
#include <algorithm>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "graph/graph_error.h"
#include "graph_test_support.h"

namespace quillon {
namespace {

using testing::Document;

// One value field of the record, reached through its own accessors: set()
// stores the value of a seed, get() reads it back as text. copied: whether
// EqualTo copies it.
struct Field {
  std::string name;
  bool copied;
  std::function<void(Graph&, int)> set;
  std::function<std::string(const Graph&)> get;
};

// A value of a field's type derived from a seed: different seeds give
// different values, booleans alternating.
template <typename T>
std::decay_t<T> Seeded(int seed) {
  using Value = std::decay_t<T>;
  if constexpr (std::is_same_v<Value, bool>)
    return seed % 2 == 1;
  else if constexpr (std::is_same_v<Value, float>)
    return static_cast<float>(seed) + 0.25f;
  else if constexpr (std::is_same_v<Value, std::string>)
    return "text " + std::to_string(seed);
  else
    return seed;
}

std::string Text(const std::string& value) {
  return value;
}

template <typename T>
std::string Text(T value) {
  return std::to_string(value);
}

template <typename T>
Field F(const std::string& name, T (Graph::*getter)() const, void (Graph::*setter)(T)) {
  return {name, true, [setter](Graph& graph, int seed) { (graph.*setter)(Seeded<T>(seed)); },
          [getter](const Graph& graph) { return Text((graph.*getter)()); }};
}

// Every value field apart from Animation, MinT and MaxT and the indexed float
// arrays (tested on their own): those EqualTo copies, in its order, then in
// the last group those it leaves as they are.
std::vector<Field> Fields() {
  using C = Graph;
  const std::vector<Field> groups[] = {
      {F("NameS", &C::NameS, &C::NameS), F("GraphType", &C::GraphType, &C::GraphType),
       F("CoordType", &C::CoordType, &C::CoordType), F("ExpressX", &C::ExpressX, &C::ExpressX),
       F("ExpressY", &C::ExpressY, &C::ExpressY), F("ExpressZ", &C::ExpressZ, &C::ExpressZ),
       F("StepU", &C::StepU, &C::StepU), F("StepV", &C::StepV, &C::StepV),
       F("MinU", &C::MinU, &C::MinU), F("MaxU", &C::MaxU, &C::MaxU), F("MinV", &C::MinV, &C::MinV),
       F("MaxV", &C::MaxV, &C::MaxV), F("FillStyle", &C::FillStyle, &C::FillStyle),
       F("FirstColor", &C::FirstColor, &C::FirstColor),
       F("SecondColor", &C::SecondColor, &C::SecondColor),
       F("LineColor", &C::LineColor, &C::LineColor), F("LineWidth", &C::LineWidth, &C::LineWidth)},
      {F("Material", &C::Material, &C::Material), F("Show", &C::Show, &C::Show),
       F("Smoothness", &C::Smoothness, &C::Smoothness),
       F("PointColor", &C::PointColor, &C::PointColor),
       F("PointSize", &C::PointSize, &C::PointSize),
       F("PointHollow", &C::PointHollow, &C::PointHollow),
       F("ShowContour", &C::ShowContour, &C::ShowContour),
       F("ShowVector", &C::ShowVector, &C::ShowVector),
       F("ShowColormap", &C::ShowColormap, &C::ShowColormap),
       F("ContourLevel", &C::ContourLevel, &C::ContourLevel),
       F("FunForm", &C::FunForm, &C::FunForm), F("Show2DCurve", &C::Show2DCurve, &C::Show2DCurve),
       F("ShowInverse", &C::ShowInverse, &C::ShowInverse),
       F("InvColor", &C::InvColor, &C::InvColor), F("InvWidth", &C::InvWidth, &C::InvWidth),
       F("ShowDev", &C::ShowDev, &C::ShowDev), F("DevColor", &C::DevColor, &C::DevColor)},
      {F("DevWidth", &C::DevWidth, &C::DevWidth), F("ShowInt", &C::ShowInt, &C::ShowInt),
       F("IntColor", &C::IntColor, &C::IntColor), F("IntFrom", &C::IntFrom, &C::IntFrom),
       F("IntTo", &C::IntTo, &C::IntTo), F("ShowMax", &C::ShowMax, &C::ShowMax),
       F("MaxColor", &C::MaxColor, &C::MaxColor), F("MaxSize", &C::MaxSize, &C::MaxSize),
       F("MaxSymbol", &C::MaxSymbol, &C::MaxSymbol), F("ShowMin", &C::ShowMin, &C::ShowMin),
       F("MinColor", &C::MinColor, &C::MinColor), F("MinSize", &C::MinSize, &C::MinSize),
       F("MinSymbol", &C::MinSymbol, &C::MinSymbol), F("ShowGuai", &C::ShowGuai, &C::ShowGuai),
       F("GuaiColor", &C::GuaiColor, &C::GuaiColor), F("GuaiSize", &C::GuaiSize, &C::GuaiSize),
       F("GuaiSymbol", &C::GuaiSymbol, &C::GuaiSymbol)},
      {F("ShowJO", &C::ShowJO, &C::ShowJO), F("JOColor", &C::JOColor, &C::JOColor),
       F("JOWidth", &C::JOWidth, &C::JOWidth), F("ShowRoot", &C::ShowRoot, &C::ShowRoot),
       F("RootColor", &C::RootColor, &C::RootColor), F("RootSize", &C::RootSize, &C::RootSize),
       F("RootSymbol", &C::RootSymbol, &C::RootSymbol), F("ShowCurv", &C::ShowCurv, &C::ShowCurv),
       F("CurvColor", &C::CurvColor, &C::CurvColor), F("CurvWidth", &C::CurvWidth, &C::CurvWidth),
       F("ShowLen", &C::ShowLen, &C::ShowLen), F("ShowQie", &C::ShowQie, &C::ShowQie),
       F("QieColor", &C::QieColor, &C::QieColor), F("QieWidth", &C::QieWidth, &C::QieWidth),
       F("ShowNml", &C::ShowNml, &C::ShowNml), F("NmlColor", &C::NmlColor, &C::NmlColor),
       F("NmlWidth", &C::NmlWidth, &C::NmlWidth)},
      {F("ShowStep", &C::ShowStep, &C::ShowStep), F("StepColor", &C::StepColor, &C::StepColor),
       F("StepWidth", &C::StepWidth, &C::StepWidth), F("ShowStem", &C::ShowStem, &C::ShowStem),
       F("StemHeadColor", &C::StemHeadColor, &C::StemHeadColor),
       F("StemHeadSize", &C::StemHeadSize, &C::StemHeadSize),
       F("StemHeadSymbol", &C::StemHeadSymbol, &C::StemHeadSymbol),
       F("StemBodyColor", &C::StemBodyColor, &C::StemBodyColor),
       F("StemBodyWidth", &C::StemBodyWidth, &C::StemBodyWidth), F("Exp2", &C::Exp2, &C::Exp2),
       F("Color2", &C::Color2, &C::Color2), F("Width2", &C::Width2, &C::Width2),
       F("ShowInter", &C::ShowInter, &C::ShowInter),
       F("InterColor", &C::InterColor, &C::InterColor),
       F("InterSize", &C::InterSize, &C::InterSize),
       F("InterSymbol", &C::InterSymbol, &C::InterSymbol),
       F("ShowArea", &C::ShowArea, &C::ShowArea)},
      {F("AreaColor", &C::AreaColor, &C::AreaColor),
       F("ShowSurface", &C::ShowSurface, &C::ShowSurface),
       F("ShowSurPX", &C::ShowSurPX, &C::ShowSurPX), F("ShowSurPY", &C::ShowSurPY, &C::ShowSurPY),
       F("ShowTangent", &C::ShowTangent, &C::ShowTangent),
       F("ShowNormal", &C::ShowNormal, &C::ShowNormal),
       F("VecBeginX", &C::VecBeginX, &C::VecBeginX), F("VecBeginY", &C::VecBeginY, &C::VecBeginY),
       F("VecBeginZ", &C::VecBeginZ, &C::VecBeginZ), F("VecEndX", &C::VecEndX, &C::VecEndX),
       F("VecEndY", &C::VecEndY, &C::VecEndY), F("VecEndZ", &C::VecEndZ, &C::VecEndZ),
       F("ShowVecBegin", &C::ShowVecBegin, &C::ShowVecBegin),
       F("ShowVecEnd", &C::ShowVecEnd, &C::ShowVecEnd), F("VecColor", &C::VecColor, &C::VecColor),
       F("VecWidth", &C::VecWidth, &C::VecWidth), F("ShowVecPrj", &C::ShowVecPrj, &C::ShowVecPrj)},
      {F("ShowVecB", &C::ShowVecB, &C::ShowVecB),
       F("VecOperation", &C::VecOperation, &C::VecOperation),
       F("VecConstant", &C::VecConstant, &C::VecConstant), F("VecDX", &C::VecDX, &C::VecDX),
       F("VecDY", &C::VecDY, &C::VecDY), F("VecDZ", &C::VecDZ, &C::VecDZ),
       F("VecDX2", &C::VecDX2, &C::VecDX2), F("VecDY2", &C::VecDY2, &C::VecDY2),
       F("VecDZ2", &C::VecDZ2, &C::VecDZ2), F("ODEInitial", &C::ODEInitial, &C::ODEInitial),
       F("ODEInitX", &C::ODEInitX, &C::ODEInitX), F("ODEInitY", &C::ODEInitY, &C::ODEInitY),
       F("ODEColor", &C::ODEColor, &C::ODEColor), F("ODEWidth", &C::ODEWidth, &C::ODEWidth)},
      {F("ID", &C::ID, &C::ID), F("LenFrom", &C::LenFrom, &C::LenFrom),
       F("LenTo", &C::LenTo, &C::LenTo), F("Show2DLine", &C::Show2DLine, &C::Show2DLine),
       F("Show2DScatter", &C::Show2DScatter, &C::Show2DScatter),
       F("ShowSmoothCurve", &C::ShowSmoothCurve, &C::ShowSmoothCurve),
       F("ScatterSize", &C::ScatterSize, &C::ScatterSize),
       F("ScatterColor", &C::ScatterColor, &C::ScatterColor),
       F("SmoothCurveColor", &C::SmoothCurveColor, &C::SmoothCurveColor),
       F("SmoothCurveWidth", &C::SmoothCurveWidth, &C::SmoothCurveWidth),
       F("Symbol", &C::Symbol, &C::Symbol)}};
  std::vector<Field> fields;
  for (const std::vector<Field>& group : groups) {
    for (Field field : group) {
      field.copied = &group != &groups[std::size(groups) - 1];
      fields.push_back(field);
    }
  }
  return fields;
}

// The texts of the fields named in a blank-separated list, blank-separated.
std::string Texts(const Graph& graph, const std::string& names) {
  const std::vector<Field> fields = Fields();
  std::istringstream list(names);
  std::string result;
  for (std::string name; list >> name;) {
    const auto field =
        std::find_if(fields.begin(), fields.end(), [&](const Field& f) { return f.name == name; });
    EXPECT_NE(field, fields.end()) << name;
    if (field != fields.end()) {
      result += (result.empty() ? "" : " ") + field->get(graph);
    }
  }
  return result;
}

// The fields Init sets, in the order of its arguments.
const std::string kInitFields =
    "ID NameS GraphType CoordType ExpressX ExpressY ExpressZ StepU StepV MinU MaxU MinV MaxV "
    "FillStyle FirstColor SecondColor LineColor LineWidth Material Show Smoothness ShowContour "
    "ShowVector ShowColormap ContourLevel";

TEST(GraphRecord, FreshRecordDefaults) {
  Document document;
  const Graph graph(document.values);
  const std::string set =
      "StepU StepV Show Smoothness PointColor PointSize Symbol ScatterSize SmoothCurveWidth "
      "SmoothCurveColor Show2DLine Show2DScatter ShowSmoothCurve";
  EXPECT_EQ(Texts(graph, set), "1 1 3 3 255 1.000000 1 2 1 65280 1 1 1");
  // Every other field reads 0, false or empty.
  for (const Field& field : Fields()) {
    const std::string value = field.get(graph);
    if ((" " + set + " ").find(" " + field.name + " ") == std::string::npos) {
      EXPECT_TRUE(value.empty() || value == "0" || value == "0.000000")
          << field.name << " " << value;
    }
  }
  EXPECT_FALSE(graph.Animation());
  EXPECT_EQ(graph.MinT(), 0.0f);
  EXPECT_EQ(graph.MaxT(), 0.0f);
  EXPECT_EQ(graph.CurvX(50), 0.0f);
  EXPECT_EQ(graph.NormalY(0), 0.0f);
  EXPECT_FALSE(graph.Vert3DGrid().Allocated());
}

TEST(GraphRecord, InitLeavesOriginalAndSetsTheGivenFields) {
  Document document;
  Graph original(document.values);
  original.NameS("original");
  original.FunForm(3);
  original.Symbol(4);
  const auto graph =
      original.Init(7, "made", 20, 2, "ex", "ey", "ez", 11, 12, -1.5f, 1.5f, -2.5f, 2.5f, 4,
                    0xFF0000, 0x00FF00, 255, 3, 5, 2, 1, true, false, true, 9);
  ASSERT_NE(graph.get(), &original);
  EXPECT_EQ(&graph->Document(), &document.values);
  EXPECT_EQ(Texts(*graph, kInitFields),
            "7 made 20 2 ex ey ez 11 12 -1.500000 1.500000 -2.500000 2.500000 4 16711680 65280 "
            "255 3 5 2 1 1 0 1 9");
  // Not among the arguments: class defaults, whatever the original held.
  EXPECT_EQ(Texts(*graph, "FunForm Symbol PointColor"), "0 1 255");
  EXPECT_EQ(Texts(original, "NameS ID FunForm GraphType"), "original 0 3 0");
}

TEST(GraphRecord, EqualSetsFieldsAndFunFormButNotID) {
  Document document;
  Graph graph(document.values);
  graph.ID(42);
  graph.Equal("eq", 3, 1, "a", "b", "c", 5, 6, 1, 2, 3, 4, 7, 8, 9, 10, 11, 12, 13, 14, true, true,
              false, 15, 3);
  EXPECT_EQ(Texts(graph, kInitFields + " FunForm"),
            "42 eq 3 1 a b c 5 6 1.000000 2.000000 3.000000 4.000000 7 8 9 10 11 12 13 14 1 1 0 "
            "15 3");
}

TEST(GraphRecord, EqualToCopiesSettingsAndKeepsExclusions) {
  for (const bool animated : {true, false}) {
    SCOPED_TRACE(animated ? "animated source" : "still source");
    Document document;
    Graph source(document.values);
    Graph target(document.values);
    const std::vector<Field> fields = Fields();
    std::vector<std::string> before;
    int seed = 1;
    for (const Field& field : fields) {
      field.set(source, seed++);
      field.set(target, seed++);
      before.push_back(field.get(target));
    }
    source.Animation(animated);
    target.Animation(!animated);
    source.MinT(-3);
    source.MaxT(3);
    target.MinT(-8);
    target.MaxT(8);

    target.EqualTo(source);

    for (std::size_t n = 0; n < fields.size(); ++n) {
      SCOPED_TRACE(fields[n].name);
      EXPECT_EQ(fields[n].get(target), fields[n].copied ? fields[n].get(source) : before[n]);
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
    void (Graph::*setCount)(std::int32_t);
    float (Graph::*get)(std::int32_t) const;
    void (Graph::*set)(std::int32_t, float);
  };
  const Array arrays[] = {
      {"CurvX", &Graph::CurvNum, &Graph::CurvX, &Graph::CurvX},
      {"QieX", &Graph::QieNum, &Graph::QieX, &Graph::QieX},
      {"NmlX", &Graph::NmlNum, &Graph::NmlX, &Graph::NmlX},
      {"TangentX", &Graph::TangentNum, &Graph::TangentX, &Graph::TangentX},
      {"TangentY", &Graph::TangentNum, &Graph::TangentY, &Graph::TangentY},
      {"NormalX", &Graph::NormalNum, &Graph::NormalX, &Graph::NormalX},
      {"NormalY", &Graph::NormalNum, &Graph::NormalY, &Graph::NormalY},
  };
  // Counts, and the last element each copies.
  const std::pair<std::int32_t, std::int32_t> counts[] = {
      {0, 0}, {3, 3}, {50, 50}, {51, 50}, {-4, 0}};
  for (const Array& array : arrays) {
    for (const auto& [count, lastCopied] : counts) {
      SCOPED_TRACE(std::string(array.name) + " count " + std::to_string(count));
      Document document;
      Graph source(document.values);
      Graph target(document.values);
      for (std::int32_t i = 0; i <= Graph::kFloatArrayUpper; ++i) {
        (source.*array.set)(i, 100.0f + static_cast<float>(i));
        (target.*array.set)(i, -1.0f - static_cast<float>(i));
      }
      (source.*array.setCount)(count);
      ASSERT_NO_THROW(target.EqualTo(source));
      for (std::int32_t i = 0; i <= Graph::kFloatArrayUpper; ++i) {
        const bool copied = i >= 1 && i <= lastCopied;
        EXPECT_EQ((target.*array.get)(i),
                  copied ? 100.0f + static_cast<float>(i) : -1.0f - static_cast<float>(i))
            << "element " << i;
      }
    }
  }
}

TEST(GraphRecord, FloatArrayIndexOutsideZeroToFiftyThrows) {
  Document document;
  Graph graph(document.values);
  for (const std::int32_t index : {-1, 51}) {
    SCOPED_TRACE(index);
    EXPECT_THROW(graph.CurvX(index), GraphError);
    EXPECT_THROW(graph.NormalY(index, 1.0f), GraphError);
  }
  EXPECT_NO_THROW(graph.TangentX(50, 2.0f));
  EXPECT_EQ(graph.TangentX(50), 2.0f);
}

TEST(GraphRecord, TableCellReadsFreshThenTheSamePoint) {
  Document document;
  Graph graph(document.values);
  struct Cell {
    std::int32_t u, v;
  };
  for (const Cell cell : {Cell{0, 0}, Cell{200, 200}, Cell{3, 150}}) {
    SCOPED_TRACE(std::to_string(cell.u) + ", " + std::to_string(cell.v));
    EXPECT_FALSE(graph.HasVertTab3D(cell.u, cell.v));
    const auto first = graph.VertTab3D(cell.u, cell.v);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(*first, PlotPoint());
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
  Graph source(document.values);
  Graph target(document.values);
  source.GraphType(6);
  source.StepU(2);
  source.StepV(1);
  source.NameS("table");
  source.Symbol(5);
  source.ScatterSize(7);
  source.Show2DLine(false);
  source.LineColor(255);
  source.VertTab3D(1, 1, std::make_shared<PlotPoint>(PlotPoint::Init(1, 2, 3)));
  const auto outside = std::make_shared<PlotPoint>(PlotPoint::Init(9, 9, 9));
  target.VertTab3D(3, 0, outside);
  target.ExpressZ("kept");

  target.TabEqualTo(source);

  EXPECT_EQ(Texts(target,
                  "NameS GraphType StepU StepV Symbol ScatterSize Show2DLine LineColor "
                  "ExpressZ"),
            "table 6 2 1 5 7 0 255 kept");
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
