// Graph, table and axis records: the writer and the reader against the field
// order and forms of the record layout, and against each other.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "graph/document_values.h"
#include "graph/graph.h"
#include "io/field_text.h"
#include "io/io_error.h"
#include "io/record_reader.h"
#include "io/record_writer.h"
#include "io/token_cursor.h"
#include "scene/axis.h"
#include "scene/scene.h"
#include "test_support.h"

namespace quillon {
namespace {

using test::Join;

// The graph record layout in file order: each field as name:form (i integer,
// n number, p plain number, f flag, t text, c a count and its positions, C a
// count and its pairs). MakeCanonicalRecord adds the fields that follow
// Animation.
constexpr const char* kLayout =
    "GraphType:i ID:i NameS:t CoordType:i ExpressX:t ExpressY:t ExpressZ:t StepU:i StepV:i "
    "MinU:n MaxU:n MinV:n MaxV:n FillStyle:i FirstColor:i SecondColor:i LineColor:i "
    "LineWidth:i Material:i Show:i Smoothness:i PointColor:i PointSize:p PointHollow:f "
    "Animation:f "
    "Show2DCurve:f ShowInverse:f InvColor:i InvWidth:i ShowDev:f DevColor:i DevWidth:i "
    "ShowInt:f IntColor:i IntFrom:n IntTo:n ShowMax:f MaxColor:i MaxSize:i MaxSymbol:i "
    "ShowMin:f MinColor:i MinSize:i MinSymbol:i ShowGuai:f GuaiColor:i GuaiSize:i "
    "GuaiSymbol:i ShowJO:f JOColor:i JOWidth:i ShowRoot:f RootColor:i RootSize:i "
    "RootSymbol:i ShowCurv:f CurvColor:i CurvWidth:i CurvNum:c ShowLen:f LenFrom:n LenTo:n "
    "ShowQie:f QieColor:i QieWidth:i QieNum:c ShowNml:f NmlColor:i NmlWidth:i NmlNum:c "
    "ShowStep:f StepColor:i StepWidth:i ShowStem:f StemHeadColor:i StemHeadSize:i "
    "StemHeadSymbol:i StemBodyColor:i StemBodyWidth:i Exp2:t Color2:i Width2:i ShowInter:f "
    "InterColor:i InterSize:i InterSymbol:i ShowArea:f AreaColor:i "
    "ShowSurface:f ShowSurPX:f ShowSurPY:f ShowTangent:f TangentNum:C ShowNormal:f "
    "NormalNum:C VecBeginX:n VecBeginY:n VecBeginZ:n VecEndX:n VecEndY:n VecEndZ:n "
    "ShowVecBegin:f ShowVecEnd:f VecColor:i VecWidth:i ShowVecPrj:f ShowVecB:f "
    "VecOperation:i VecConstant:n VecDX:n VecDY:n VecDZ:n VecDX2:n VecDY2:n VecDZ2:n "
    "ODEInitial:f ODEInitX:n ODEInitY:n ODEColor:i ODEWidth:i "
    "ShowContour:f ShowVector:f ShowColormap:f ContourLevel:i";

// A record whose every field holds its own value (integers 1000 + position,
// numbers position + 0.5, flags in a pattern, texts "t" + position), with
// each count 2 and the animation fields present. `tokens` maps field names to
// their texts for the checks.
struct CanonicalRecord {
  std::vector<std::string> tokens;
  std::map<std::string, std::string> byName;
  std::map<std::string, std::size_t> indexOf;
};

CanonicalRecord MakeCanonicalRecord(bool animated) {
  CanonicalRecord record;
  auto add = [&record](const std::string& name, const std::string& text) {
    record.indexOf[name] = record.tokens.size();
    record.tokens.push_back(text);
    record.byName[name] = text;
  };
  std::istringstream fields(kLayout);
  int position = 0;
  for (std::string field; fields >> field;) {
    const std::string name = field.substr(0, field.find(':'));
    const char form = field.back();
    const std::string at = std::to_string(++position);
    // The texts of the forms "inpftcC", in that order.
    const std::string integer = std::to_string(1000 + position);
    const std::string flag = position % 3 == 0 ? "0" : "1";
    const std::string texts[] = {integer, at + ".5", "7", flag, "t" + at, "2", "2"};
    const std::string text = texts[std::string("inpftcC").find(form)];
    add(name, name == "GraphType" ? "9" : name == "NameS" ? text + "\xC2\xA0x" : text);
    // A count is followed by its positions (c) or pairs (C).
    const int positions = form == 'c' ? 2 : form == 'C' ? 4 : 0;
    for (int i = 1; i <= positions; ++i) {
      add(name + std::to_string(i), "-" + at + "." + std::to_string(i));
    }
    if (name == "Animation") {
      record.tokens.back() = record.byName[name] = animated ? "1" : "0";
      if (animated) {
        add("MinT", "-3.5");
        add("MaxT", "4.25");
        add("AnimFrames", "40");
        add("AnimExtra", "-6");
      }
      add("FunForm", std::to_string(1000 + ++position));
    }
  }
  return record;
}

// A graph (or table) record read from tokens into a fresh record; a refusal
// is kept as its message.
struct GraphReading {
  explicit GraphReading(std::vector<std::string> tokens, const RecordReading& reading = {},
                        bool table = false)
      : cursor(std::move(tokens)) {
    try {
      table ? ReadTableRecord(cursor, graph, reading)
            : ReadGraphRecord(cursor, graph, reading, animation);
    } catch (const IoError& refusal) {
      error = refusal.what();
    }
  }
  DocumentValues values;
  Graph graph{values};
  TokenCursor cursor;
  AnimationFields animation;
  std::string error;
};

template <typename... Text>
std::vector<std::string> Texts(const Text&... texts) {
  return {texts...};
}

RecordReading Reading(std::int32_t generation, bool paste = false) {
  RecordReading reading;
  reading.generation = generation;
  reading.paste = paste;
  return reading;
}

TEST(RecordKind, OnlyTheExactTextsOfKnownKinds) {
  for (int kind = -1; kind <= 40; ++kind) {
    SCOPED_TRACE(kind);
    const bool table = kind >= 4 && kind <= 6;
    const bool graph = (kind >= 0 && kind <= 15 && !table) || (kind >= 20 && kind <= 23) ||
                       kind == 31 || kind == 32 || kind == 36;
    EXPECT_EQ(IsGraphRecordKind(kind), graph);
    EXPECT_EQ(IsGraphRecordKind(std::to_string(kind)), graph);
    EXPECT_EQ(IsTableRecordKind(std::to_string(kind)), table);
  }
  for (const char* token : {"", "00", "07", "+1", "-0", "1.0", "4 ", "0x1", "True"}) {
    SCOPED_TRACE(token);
    EXPECT_FALSE(IsGraphRecordKind(std::string(token)));
    EXPECT_FALSE(IsTableRecordKind(std::string(token)));
  }
}

TEST(GraphRecord, ReadingAndWritingKeepEveryFieldInItsPlace) {
  for (const bool animated : {false, true}) {
    SCOPED_TRACE(animated ? "animated" : "static");
    const CanonicalRecord record = MakeCanonicalRecord(animated);
    EXPECT_EQ(record.tokens.size(), 125u + (animated ? 4u : 0u) + 2 + 2 + 2 + 4 + 4);
    GraphReading read(record.tokens);
    EXPECT_EQ(read.error, "");
    EXPECT_EQ(read.cursor.Position(), record.tokens.size());
    EXPECT_EQ(read.animation.read, animated);
    read.values.AnimFrames = read.animation.AnimFrames;
    read.values.AnimExtra = read.animation.AnimExtra;
    EXPECT_EQ(Save(read.graph), Join(record.tokens));
  }
}

// Spot checks of fields at their place in the layout, so that the reader
// and the writer cannot agree on a wrong order.
TEST(GraphRecord, FieldsLandInTheNamedProperties) {
  const CanonicalRecord record = MakeCanonicalRecord(true);
  const GraphReading read(record.tokens);
  const Graph& g = read.graph;
  auto integer = [](std::int32_t v) { return std::to_string(v); };
  auto number = [](float v) { return PlainNumberText(v); };
  auto flag = [](bool v) { return std::string(v ? "1" : "0"); };
  // Field names and what the graph holds for each, in the same order.
  std::istringstream names(
      "GraphType ID CoordType ExpressY StepV MaxU MinV FirstColor LineColor Smoothness "
      "PointColor PointSize PointHollow MinT MaxT FunForm Show2DCurve ShowInverse IntFrom IntTo "
      "GuaiSymbol CurvNum2 LenTo QieNum1 NmlNum2 StemHeadSymbol Exp2 Width2 AreaColor ShowSurPY "
      "TangentNum2 TangentNum4 NormalNum3 VecBeginZ VecEndX VecOperation VecDZ2 ODEInitY "
      "ODEWidth ShowColormap ContourLevel");
  const std::vector<std::string> held =
      Texts(integer(g.GraphType()), integer(g.ID()), integer(g.CoordType()), g.ExpressY(),
            integer(g.StepV()), number(g.MaxU()), number(g.MinV()), integer(g.FirstColor()),
            integer(g.LineColor()), integer(g.Smoothness()), integer(g.PointColor()),
            number(g.PointSize()), flag(g.PointHollow()), number(g.MinT()), number(g.MaxT()),
            integer(g.FunForm()), flag(g.Show2DCurve()), flag(g.ShowInverse()), number(g.IntFrom()),
            number(g.IntTo()), integer(g.GuaiSymbol()), number(g.CurvX(2)), number(g.LenTo()),
            number(g.QieX(1)), number(g.NmlX(2)), integer(g.StemHeadSymbol()), g.Exp2(),
            integer(g.Width2()), integer(g.AreaColor()), flag(g.ShowSurPY()), number(g.TangentY(1)),
            number(g.TangentY(2)), number(g.NormalX(2)), number(g.VecBeginZ()), number(g.VecEndX()),
            integer(g.VecOperation()), number(g.VecDZ2()), number(g.ODEInitY()),
            integer(g.ODEWidth()), flag(g.ShowColormap()), integer(g.ContourLevel()));
  std::size_t checked = 0;
  for (std::string name; names >> name; ++checked) {
    ASSERT_LT(checked, held.size());
    EXPECT_EQ(held[checked], record.byName.at(name)) << name;
  }
  EXPECT_EQ(checked, held.size());
  EXPECT_EQ(g.NameS(), "t3 x");  // the no-break space reads as a blank
  EXPECT_EQ(read.animation.AnimFrames, 40);
  EXPECT_EQ(read.animation.AnimExtra, -6);
}

// Numbers keep the exponent form through the writer's text filter, and
// PointSize its fraction.
TEST(GraphRecord, WriterFormsAndRefusals) {
  DocumentValues values;
  Graph graph(values);
  graph.MaxV(1e20f);
  graph.PointSize(2.5f);
  graph.CurvNum(1);
  graph.CurvX(1, -1.5e-7f);
  const std::vector<std::string> tokens = SplitTokens(Save(graph));
  EXPECT_EQ(tokens[12], "1E+20");
  EXPECT_EQ(tokens[22], "2.5");  // PointSize takes any number
  EXPECT_EQ(tokens[60], "-1.5E-07");
  graph.CurvNum(-4);  // a negative count writes no positions
  EXPECT_EQ(SplitTokens(Save(graph)).size(), 125u);
  using CountSetter = void (Graph::*)(std::int32_t);
  for (const CountSetter set :
       {CountSetter(&Graph::CurvNum), CountSetter(&Graph::QieNum), CountSetter(&Graph::NmlNum),
        CountSetter(&Graph::TangentNum), CountSetter(&Graph::NormalNum)}) {
    Graph counted(values);
    (counted.*set)(51);
    EXPECT_THROW(Save(counted), IoError);
  }
}

// Every refusal names the field and shows the token, a long one by its
// first 60 characters; a refused count is never stored.
TEST(GraphRecord, ReaderRefusesValuesTheGraphCannotTake) {
  const std::string longToken = "1E39" + std::string(100, 'x');
  struct Case {
    const char* field;
    std::string value;
    std::string shown;
  };
  const Case cases[] = {
      {"CurvNum", "51", "\"51\""},
      {"QieNum", "51", "\"51\""},
      {"NmlNum", "60", "\"60\""},
      {"TangentNum", "51", "\"51\""},
      {"NormalNum", "1E3", "\"1E3\""},
      {"LineColor", "4294967295", "\"4294967295\""},
      {"MinU", "1E39", "\"1E39\""},
      {"MinU", longToken, "\"" + longToken.substr(0, 60) + "\xE2\x80\xA6\""},
  };
  for (const auto& [field, value, shown] : cases) {
    SCOPED_TRACE(field);
    CanonicalRecord record = MakeCanonicalRecord(false);
    record.tokens[record.indexOf.at(field)] = value;
    const GraphReading read(record.tokens);
    EXPECT_NE(read.error.find(field), std::string::npos) << read.error;
    EXPECT_NE(read.error.find(shown), std::string::npos) << read.error;
    const Graph& g = read.graph;
    EXPECT_LE(std::max({g.CurvNum(), g.QieNum(), g.NmlNum(), g.TangentNum(), g.NormalNum()}), 50);
    EXPECT_EQ(g.GraphType(), 9);  // the fields before the fault stay
  }
}

TEST(GraphRecord, ShortTextReadsMissingFieldsAsEmpty) {
  const GraphReading read(SplitTokens("0 7 a  1 5"));
  const Graph& g = read.graph;
  EXPECT_EQ(g.ID(), 7);
  EXPECT_EQ(g.NameS(), "a");
  EXPECT_EQ(g.CoordType(), 0);
  EXPECT_EQ(g.ExpressX(), "1");
  EXPECT_EQ(g.ExpressY(), "5");
  EXPECT_EQ(g.StepU(), 0);         // empty token: 0
  EXPECT_EQ(g.PointSize(), 1.0f);  // empty token: default kept
}

// Core fields up to PointColor, then PointSize, PointHollow, the animation
// token and what follows; read as PointSize, PointHollow, Animation, FunForm.
TEST(GraphRecord, PasteReadsItsOwnWay) {
  const std::string head = "0 1 n 1 0 0 x 1 10 0 1 -5 5 4 0 0 0 1 4 2 2 255 ";
  const std::tuple<std::string, bool, std::string> cases[] = {
      {"2.5 -1 0 2", true, "2.5 1 0 2"},
      {"2.5 -1 0 2", false, "1 0 0 2"},
      {"3 True 1 -2 2 40 1 3", true, "3 0 1 3"},
      {"3 True True -2 2 40 1 3", false, "3 1 1 3"},
      {"1 0 True -2 2 40 1 3", true, "1 0 1 3"},
      {"1 0 False 3", true, "1 0 0 3"},
      // An unknown animation token is FunForm itself when pasting.
      {"1 0 -1 2", true, "1 0 0 -1"},
      {"1 0 -1 2", false, "1 0 0 2"},
  };
  for (const auto& [tail, paste, fields] : cases) {
    SCOPED_TRACE(tail + (paste ? " paste" : " file"));
    const GraphReading read(SplitTokens(head + tail), Reading(5, paste));
    const Graph& g = read.graph;
    EXPECT_EQ(PlainNumberText(g.PointSize()) + " " + std::to_string(g.PointHollow()) + " " +
                  std::to_string(g.Animation()) + " " + std::to_string(g.FunForm()),
              fields);
    EXPECT_FALSE(paste && read.animation.read);  // pasting never sets the document's frames
  }
}

TEST(TableRecord, WritesEveryPointAndReadsItBack) {
  DocumentValues values;
  Graph table(values);
  table.GraphType(5);
  table.ID(12);
  table.NameS("data set");
  table.LineColor(255);
  table.LineWidth(2);
  table.StepU(1);
  table.StepV(2);
  table.VertTab3D(1, 1)->X(3.5f);
  table.VertTab3D(0, 2)->z(-1.0f);
  table.Symbol(4);
  EXPECT_FALSE(table.HasVertTab3D(1, 2));
  const std::string text = SaveTable(table);
  EXPECT_TRUE(table.HasVertTab3D(1, 2));  // written cells hold points, which stay
  const std::vector<std::string> tokens = SplitTokens(text);
  // (0,0) (0,1) (0,2) (1,0) (1,1) (1,2), X Y z each
  EXPECT_EQ(Join(tokens),
            "5 12 data\xC2\xA0set 255 2 0 0 0 0 3 3 1 2 0 0 0 0 0 0 0 0 -1 0 0 0 "
            "3.5 0 0 0 0 0 1 1 1 2 0 65280 1 4");
  for (const int generation : {3, 4}) {
    SCOPED_TRACE(generation);
    GraphReading back(tokens, Reading(generation), true);
    EXPECT_EQ(back.cursor.Position(), generation == 3 ? 31u : 39u);
    // Generation 3 has no tail: the symbol keeps its default 1.
    EXPECT_EQ(SaveTable(back.graph),
              generation == 3 ? text.substr(0, text.size() - 1) + "1" : text);
  }
}

TEST(TableRecord, RefusesStepsAndColoursItCannotTake) {
  const std::pair<const char*, const char*> cases[] = {
      {"4 1 t 255 1 0 0 0 0 3 3 201 0", "StepU"},
      {"4 1 t 255 1 0 0 0 0 3 3 0 -1", "StepV"},
      {"4 1 t red 1 0 0 0 0 3 3 0 0", "LineColor"},
      {"4 1 t 255  0 0 0 0 3 3 0 0", "LineWidth"},
  };
  for (const auto& [text, field] : cases) {
    SCOPED_TRACE(text);
    const GraphReading read(SplitTokens(text), {}, true);
    EXPECT_NE(read.error.find(field), std::string::npos) << read.error;
    EXPECT_LE(read.graph.StepU(), 200);
    EXPECT_GE(read.graph.StepV(), 0);
  }
  DocumentValues values;
  Graph table(values);
  table.StepU(201);
  EXPECT_THROW(SaveTable(table), IoError);
}

// A hidden axis is one field and changes only Show; a shown one has 28.
TEST(AxisRecord, WrittenAndReadBack) {
  Axis axis;
  EXPECT_EQ(Save(axis), "0");
  axis.Show(true);
  EXPECT_EQ(Save(axis),
            "1 0 0 0 1 1 1 1 1 1 2 2 2 X Y Z 13421772 13421772 13421772 10066329 10066329 "
            "10066329 4 4 4 0 1 1");
  axis.ShowXZPanel(true);
  axis.ShowYZZGrid(false);
  axis.LabelNumY(7);
  axis.TitleZ("height (m)");
  axis.YZGridColor(-1);
  axis.XZPanelMaterial(9);
  axis.AxisColor(65535);
  axis.BetterFonts(false);
  const std::string text = Save(axis);
  Axis back;
  TokenCursor cursor(SplitTokens(text));
  ReadAxisRecord(cursor, back);
  EXPECT_EQ(cursor.Position(), 28u);
  EXPECT_EQ(Save(back), text);
  EXPECT_EQ(back.TitleZ(), "height (m)");
  TokenCursor hidden(SplitTokens("0 1 1 1"));
  ReadAxisRecord(hidden, back);
  EXPECT_FALSE(back.Show());
  EXPECT_EQ(hidden.Position(), 1u);
  EXPECT_EQ(back.LabelNumY(), 7);
  EXPECT_EQ(back.TitleZ(), "height (m)");
}

TEST(SceneText, EachRecordFollowedByABlankAndUnknownKindsLeftOut) {
  DocumentValues values;
  Scene scene;
  auto add = [&](std::int32_t kind, std::int32_t ID) {
    auto graph = std::make_shared<Graph>(values);
    graph->GraphType(kind);
    graph->ID(ID);
    scene.Graphs().Add(graph, std::to_string(ID));
    return graph;
  };
  const auto curve = add(0, 1);
  add(99, 2);
  const auto table = add(4, 3);
  EXPECT_EQ(Save(scene), Save(*curve) + " " + SaveTable(*table) + " ");
  EXPECT_EQ(Save(Scene()), "");
}

}  // namespace
}  // namespace quillon
