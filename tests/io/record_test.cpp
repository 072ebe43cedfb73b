// Graph, table and axis records: the writer and the reader against the field
// order and forms of the record layout, and against each other.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "graph/document_values.h"
#include "graph/graph_record.h"
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

// The graph record layout: name and form of every field in file order
// (i integer, n number, p plain number, f flag, t text). Counted arrays and
// the animation fields are placed by CanonicalRecord.
struct FieldLayout {
  const char* name;
  char form;
};

const std::vector<FieldLayout> kCore = {
    {"GraphType", 'i'},  {"ID", 'i'},         {"NameS", 't'},      {"CoordType", 'i'},
    {"ExpressX", 't'},   {"ExpressY", 't'},   {"ExpressZ", 't'},   {"StepU", 'i'},
    {"StepV", 'i'},      {"MinU", 'n'},       {"MaxU", 'n'},       {"MinV", 'n'},
    {"MaxV", 'n'},       {"FillStyle", 'i'},  {"FirstColor", 'i'}, {"SecondColor", 'i'},
    {"LineColor", 'i'},  {"LineWidth", 'i'},  {"Material", 'i'},   {"Show", 'i'},
    {"Smoothness", 'i'}, {"PointColor", 'i'}, {"PointSize", 'p'},  {"PointHollow", 'f'},
    {"Animation", 'f'},
};
const std::vector<FieldLayout> kAnalysis = {
    {"Show2DCurve", 'f'},   {"ShowInverse", 'f'},   {"InvColor", 'i'},     {"InvWidth", 'i'},
    {"ShowDev", 'f'},       {"DevColor", 'i'},      {"DevWidth", 'i'},     {"ShowInt", 'f'},
    {"IntColor", 'i'},      {"IntFrom", 'n'},       {"IntTo", 'n'},        {"ShowMax", 'f'},
    {"MaxColor", 'i'},      {"MaxSize", 'i'},       {"MaxSymbol", 'i'},    {"ShowMin", 'f'},
    {"MinColor", 'i'},      {"MinSize", 'i'},       {"MinSymbol", 'i'},    {"ShowGuai", 'f'},
    {"GuaiColor", 'i'},     {"GuaiSize", 'i'},      {"GuaiSymbol", 'i'},   {"ShowJO", 'f'},
    {"JOColor", 'i'},       {"JOWidth", 'i'},       {"ShowRoot", 'f'},     {"RootColor", 'i'},
    {"RootSize", 'i'},      {"RootSymbol", 'i'},    {"ShowCurv", 'f'},     {"CurvColor", 'i'},
    {"CurvWidth", 'i'},     {"CurvNum", 'c'},       {"ShowLen", 'f'},      {"LenFrom", 'n'},
    {"LenTo", 'n'},         {"ShowQie", 'f'},       {"QieColor", 'i'},     {"QieWidth", 'i'},
    {"QieNum", 'c'},        {"ShowNml", 'f'},       {"NmlColor", 'i'},     {"NmlWidth", 'i'},
    {"NmlNum", 'c'},        {"ShowStep", 'f'},      {"StepColor", 'i'},    {"StepWidth", 'i'},
    {"ShowStem", 'f'},      {"StemHeadColor", 'i'}, {"StemHeadSize", 'i'}, {"StemHeadSymbol", 'i'},
    {"StemBodyColor", 'i'}, {"StemBodyWidth", 'i'}, {"Exp2", 't'},         {"Color2", 'i'},
    {"Width2", 'i'},        {"ShowInter", 'f'},     {"InterColor", 'i'},   {"InterSize", 'i'},
    {"InterSymbol", 'i'},   {"ShowArea", 'f'},      {"AreaColor", 'i'},
};
const std::vector<FieldLayout> kSurface = {
    {"ShowSurface", 'f'}, {"ShowSurPX", 'f'},    {"ShowSurPY", 'f'},  {"ShowTangent", 'f'},
    {"TangentNum", 'C'},  {"ShowNormal", 'f'},   {"NormalNum", 'C'},  {"VecBeginX", 'n'},
    {"VecBeginY", 'n'},   {"VecBeginZ", 'n'},    {"VecEndX", 'n'},    {"VecEndY", 'n'},
    {"VecEndZ", 'n'},     {"ShowVecBegin", 'f'}, {"ShowVecEnd", 'f'}, {"VecColor", 'i'},
    {"VecWidth", 'i'},    {"ShowVecPrj", 'f'},   {"ShowVecB", 'f'},   {"VecOperation", 'i'},
    {"VecConstant", 'n'}, {"VecDX", 'n'},        {"VecDY", 'n'},      {"VecDZ", 'n'},
    {"VecDX2", 'n'},      {"VecDY2", 'n'},       {"VecDZ2", 'n'},     {"ODEInitial", 'f'},
    {"ODEInitX", 'n'},    {"ODEInitY", 'n'},     {"ODEColor", 'i'},   {"ODEWidth", 'i'},
};
const std::vector<FieldLayout> kContour = {
    {"ShowContour", 'f'}, {"ShowVector", 'f'}, {"ShowColormap", 'f'}, {"ContourLevel", 'i'}};

// A record whose every field holds its own value (integers 1000 + position,
// numbers position + 0.5, flags in a pattern, texts "t" + position), with
// each count 2 and the animation fields present. `tokens` maps field names to
// their texts for the checks.
struct CanonicalRecord {
  std::vector<std::string> tokens;
  std::map<std::string, std::string> byName;
  std::map<std::string, std::size_t> indexOf;
};

CanonicalRecord MakeCanonicalRecord(int generation, bool animated) {
  CanonicalRecord record;
  int position = 0;
  auto add = [&record](const std::string& name, const std::string& text) {
    record.indexOf[name] = record.tokens.size();
    record.tokens.push_back(text);
    record.byName[name] = text;
  };
  auto addBlock = [&](const std::vector<FieldLayout>& block) {
    for (const FieldLayout& field : block) {
      ++position;
      const std::string name = field.name;
      switch (field.form) {
        case 'i':
          add(name, std::to_string(1000 + position));
          break;
        case 'n':
          add(name, std::to_string(position) + ".5");
          break;
        case 'p':
          add(name, "7");
          break;
        case 'f':
          add(name, position % 3 == 0 ? "0" : "1");
          break;
        case 't':
          add(name, "t" + std::to_string(position) + (name == "NameS" ? "\xC2\xA0x" : ""));
          break;
        case 'c':  // a count followed by its positions
        case 'C':  // a count followed by pairs
          add(name, "2");
          for (int i = 1; i <= (field.form == 'c' ? 2 : 4); ++i) {
            add(name + std::to_string(i), "-" + std::to_string(position) + "." + std::to_string(i));
          }
          break;
      }
      if (name == "GraphType") {
        record.tokens.back() = record.byName[name] = "9";
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
  };
  addBlock(kCore);
  if (generation >= 4) {
    addBlock(kAnalysis);
  }
  if (generation >= 5) {
    addBlock(kSurface);
  }
  addBlock(kContour);
  return record;
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
    const CanonicalRecord record = MakeCanonicalRecord(5, animated);
    EXPECT_EQ(record.tokens.size(), 125u + (animated ? 4u : 0u) + 2 + 2 + 2 + 4 + 4);
    DocumentValues values;
    Cls9 graph(values);
    TokenCursor cursor(record.tokens);
    AnimationFields animation;
    ReadGraphRecord(cursor, graph, RecordReading{}, animation);
    EXPECT_EQ(cursor.Position(), record.tokens.size());
    EXPECT_EQ(animation.read, animated);
    values.AnimFrames = animation.AnimFrames;
    values.AnimExtra = animation.AnimExtra;
    EXPECT_EQ(Save(graph), Join(record.tokens));
  }
}

// Spot checks of fields at their place in the layout, so that the reader
// and the writer cannot agree on a wrong order.
TEST(GraphRecord, FieldsLandInTheNamedProperties) {
  const CanonicalRecord record = MakeCanonicalRecord(5, true);
  DocumentValues values;
  Cls9 g(values);
  TokenCursor cursor(record.tokens);
  AnimationFields animation;
  ReadGraphRecord(cursor, g, RecordReading{}, animation);
  const auto& t = record.byName;
  struct Check {
    const char* name;
    std::function<std::string()> read;
  };
  auto integer = [](std::int32_t v) { return std::to_string(v); };
  auto number = [](float v) { return PlainNumberText(v); };
  auto flag = [](bool v) { return std::string(v ? "1" : "0"); };
  const Check checks[] = {
      {"GraphType", [&] { return integer(g.GraphType()); }},
      {"ID", [&] { return integer(g.ID()); }},
      {"CoordType", [&] { return integer(g.CoordType()); }},
      {"ExpressY", [&] { return g.ExpressY(); }},
      {"StepV", [&] { return integer(g.StepV()); }},
      {"MaxU", [&] { return number(g.MaxU()); }},
      {"MinV", [&] { return number(g.MinV()); }},
      {"FirstColor", [&] { return integer(g.FirstColor()); }},
      {"LineColor", [&] { return integer(g.LineColor()); }},
      {"LineWidth", [&] { return integer(g.LineWidth()); }},
      {"Smoothness", [&] { return integer(g.Smoothness()); }},
      {"PointColor", [&] { return integer(g.PointColor()); }},
      {"PointSize", [&] { return number(g.PointSize()); }},
      {"PointHollow", [&] { return flag(g.PointHollow()); }},
      {"MinT", [&] { return number(g.MinT()); }},
      {"MaxT", [&] { return number(g.MaxT()); }},
      {"FunForm", [&] { return integer(g.FunForm()); }},
      {"Show2DCurve", [&] { return flag(g.Show2DCurve()); }},
      {"ShowInverse", [&] { return flag(g.ShowInverse()); }},
      {"IntFrom", [&] { return number(g.IntFrom()); }},
      {"IntTo", [&] { return number(g.IntTo()); }},
      {"GuaiSymbol", [&] { return integer(g.GuaiSymbol()); }},
      {"CurvWidth", [&] { return integer(g.CurvWidth()); }},
      {"CurvNum2", [&] { return number(g.CurvX(2)); }},
      {"LenTo", [&] { return number(g.LenTo()); }},
      {"QieNum1", [&] { return number(g.QieX(1)); }},
      {"NmlNum2", [&] { return number(g.NmlX(2)); }},
      {"StemHeadSymbol", [&] { return integer(g.StemHeadSymbol()); }},
      {"Exp2", [&] { return g.Exp2(); }},
      {"Width2", [&] { return integer(g.Width2()); }},
      {"AreaColor", [&] { return integer(g.AreaColor()); }},
      {"ShowSurPY", [&] { return flag(g.ShowSurPY()); }},
      {"TangentNum1", [&] { return number(g.TangentX(1)); }},
      {"TangentNum2", [&] { return number(g.TangentY(1)); }},
      {"TangentNum4", [&] { return number(g.TangentY(2)); }},
      {"NormalNum3", [&] { return number(g.NormalX(2)); }},
      {"VecBeginZ", [&] { return number(g.VecBeginZ()); }},
      {"VecEndX", [&] { return number(g.VecEndX()); }},
      {"ShowVecEnd", [&] { return flag(g.ShowVecEnd()); }},
      {"VecOperation", [&] { return integer(g.VecOperation()); }},
      {"VecDZ2", [&] { return number(g.VecDZ2()); }},
      {"ODEInitY", [&] { return number(g.ODEInitY()); }},
      {"ODEWidth", [&] { return integer(g.ODEWidth()); }},
      {"ShowColormap", [&] { return flag(g.ShowColormap()); }},
      {"ContourLevel", [&] { return integer(g.ContourLevel()); }},
  };
  for (const Check& check : checks) {
    SCOPED_TRACE(check.name);
    EXPECT_EQ(check.read(), t.at(check.name));
  }
  EXPECT_EQ(g.NameS(), "t3 x");  // the no-break space reads as a blank
  EXPECT_EQ(animation.AnimFrames, 40);
  EXPECT_EQ(animation.AnimExtra, -6);
  EXPECT_EQ(record.tokens.back(), t.at("ContourLevel"));
}

// Older generations lack blocks: 30 fields (34 animated) in generation 3,
// no surface block in generation 4.
TEST(GraphRecord, OlderGenerationsReadTheirBlocksOnly) {
  struct Case {
    int generation;
    bool animated;
    std::size_t fields;
  };
  const Case cases[] = {{3, false, 30}, {3, true, 34}, {4, false, 93 + 6}, {4, true, 97 + 6}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.generation) + (c.animated ? " animated" : ""));
    CanonicalRecord record = MakeCanonicalRecord(c.generation, c.animated);
    ASSERT_EQ(record.tokens.size(), c.fields);
    record.tokens.push_back("next");
    DocumentValues values;
    Cls9 graph(values);
    TokenCursor cursor(record.tokens);
    AnimationFields animation;
    RecordReading reading;
    reading.generation = c.generation;
    ReadGraphRecord(cursor, graph, reading, animation);
    EXPECT_EQ(cursor.Position(), c.fields);
    EXPECT_EQ(std::to_string(graph.ContourLevel()), record.byName.at("ContourLevel"));
    EXPECT_EQ(graph.ShowSurface(), false);
  }
}

TEST(GraphRecord, FreshGraphWritesDefaults) {
  DocumentValues values;
  Cls9 graph(values);
  const std::vector<std::string> tokens = SplitTokens(Save(graph));
  ASSERT_EQ(tokens.size(), 125u);
  // NameS, the expressions and Exp2 are empty: empty tokens between blanks.
  const std::vector<std::string> core(tokens.begin(), tokens.begin() + 26);
  const std::vector<std::string> expected = {"0", "0", "",  "0",   "",  "",  "",  "1", "1",
                                             "0", "0", "0", "0",   "0", "0", "0", "0", "0",
                                             "0", "3", "3", "255", "1", "0", "0", "0"};
  EXPECT_EQ(core, expected);
  EXPECT_EQ(tokens[80], "");  // Exp2
  EXPECT_EQ(tokens[124], "0");
}

TEST(GraphRecord, WriterForms) {
  DocumentValues values;
  values.AnimFrames = 20;
  values.AnimExtra = 3;
  Cls9 graph(values);
  graph.LineColor(-1);
  graph.MinV(-2.5f);
  graph.MaxV(1e20f);
  graph.PointSize(2.5f);
  graph.CurvNum(3);
  graph.CurvX(1, 0.25f);
  graph.CurvX(2, -1.5e-7f);
  graph.CurvX(3, 7.0f);
  graph.CurvX(4, 99.0f);  // beyond the count: not written
  graph.NameS("two words");
  const std::vector<std::string> plain = SplitTokens(Save(graph));
  EXPECT_EQ(plain.size(), 128u);
  EXPECT_EQ(plain[16], "-1");
  EXPECT_EQ(plain[11], "-2.5");
  EXPECT_EQ(plain[12], "1E+20");
  EXPECT_EQ(plain[22], "2.5");
  EXPECT_EQ(plain[2], "two\xC2\xA0words");
  EXPECT_EQ(std::vector<std::string>(plain.begin() + 60, plain.begin() + 63),
            (std::vector<std::string>{"0.25", "-1.5E-07", "7"}));
  graph.Animation(true);
  graph.MinT(-1);
  graph.MaxT(0.5f);
  const std::vector<std::string> animated = SplitTokens(Save(graph));
  EXPECT_EQ(animated.size(), 132u);
  EXPECT_EQ(std::vector<std::string>(animated.begin() + 24, animated.begin() + 30),
            (std::vector<std::string>{"1", "-1", "0.5", "20", "3", "0"}));
}

TEST(GraphRecord, WriterRefusesCountsBeyondTheArrays) {
  const std::vector<std::function<void(Cls9&)>> setters = {
      [](Cls9& g) { g.CurvNum(51); },   [](Cls9& g) { g.QieNum(51); },
      [](Cls9& g) { g.NmlNum(51); },    [](Cls9& g) { g.TangentNum(51); },
      [](Cls9& g) { g.NormalNum(51); },
  };
  for (std::size_t i = 0; i < setters.size(); ++i) {
    SCOPED_TRACE(i);
    DocumentValues values;
    Cls9 graph(values);
    setters[i](graph);
    EXPECT_THROW(Save(graph), IoError);
  }
  DocumentValues values;
  Cls9 graph(values);
  graph.CurvNum(-4);  // a negative count writes no positions
  EXPECT_EQ(SplitTokens(Save(graph)).size(), 125u);
}

// Every refusal names the field; a refused count is never stored.
TEST(GraphRecord, ReaderRefusesValuesTheGraphCannotTake) {
  struct Case {
    const char* field;
    std::string value;
    const char* message;
  };
  const Case cases[] = {
      {"CurvNum", "51", "CurvNum"},
      {"QieNum", "51", "QieNum"},
      {"NmlNum", "60", "NmlNum"},
      {"TangentNum", "51", "TangentNum"},
      {"NormalNum", "1E3", "NormalNum"},
      {"LineColor", "4294967295", "LineColor"},
      {"StepV", "-3000000000", "StepV"},
      {"MinU", "1E39", "MinU"},
      {"ContourLevel", "1E10", "ContourLevel"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.field);
    CanonicalRecord record = MakeCanonicalRecord(5, false);
    record.tokens[record.indexOf.at(c.field)] = c.value;
    DocumentValues values;
    Cls9 graph(values);
    TokenCursor cursor(record.tokens);
    AnimationFields animation;
    try {
      ReadGraphRecord(cursor, graph, RecordReading{}, animation);
      ADD_FAILURE() << "not refused";
    } catch (const IoError& error) {
      EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
      EXPECT_NE(std::string(error.what()).find(c.value), std::string::npos) << error.what();
    }
    EXPECT_LE(graph.CurvNum(), 50);
    EXPECT_LE(graph.QieNum(), 50);
    EXPECT_LE(graph.NmlNum(), 50);
    EXPECT_LE(graph.TangentNum(), 50);
    EXPECT_LE(graph.NormalNum(), 50);
    EXPECT_EQ(graph.GraphType(), 9);  // the fields before the fault stay
  }
}

TEST(GraphRecord, ShortTextReadsMissingFieldsAsEmpty) {
  DocumentValues values;
  Cls9 graph(values);
  TokenCursor cursor(SplitTokens("0 7 a  1 5"));
  AnimationFields animation;
  ReadGraphRecord(cursor, graph, RecordReading{}, animation);
  EXPECT_EQ(graph.ID(), 7);
  EXPECT_EQ(graph.NameS(), "a");
  EXPECT_EQ(graph.CoordType(), 0);
  EXPECT_EQ(graph.ExpressX(), "1");
  EXPECT_EQ(graph.ExpressY(), "5");
  EXPECT_EQ(graph.StepU(), 0);  // empty token: 0
  EXPECT_EQ(graph.Show(), 0);
  EXPECT_EQ(graph.PointSize(), 1.0f);  // empty token: default kept
  EXPECT_EQ(graph.PointColor(), 0);
}

TEST(GraphRecord, PasteReadsItsOwnWay) {
  // Core fields up to PointColor, then PointSize, PointHollow, the animation
  // token and what follows.
  const std::string head = "0 1 n 1 0 0 x 1 10 0 1 -5 5 4 0 0 0 1 4 2 2 255 ";
  struct Case {
    std::string tail;
    bool paste;
    float pointSize;
    bool hollow;
    bool animation;
    std::int32_t funForm;
  };
  const Case cases[] = {
      {"2.5 -1 0 2", true, 2.5f, true, false, 2},
      {"2.5 -1 0 2", false, 1.0f, false, false, 2},
      {"3 True 1 -2 2 40 1 3", true, 3.0f, false, true, 3},
      {"3 True True -2 2 40 1 3", false, 3.0f, true, true, 3},
      // An unknown animation token is FunForm itself when pasting.
      {"1 0 -1 2", true, 1.0f, false, false, -1},
      {"1 0 -1 2", false, 1.0f, false, false, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tail + (c.paste ? " paste" : " file"));
    DocumentValues values;
    Cls9 graph(values);
    TokenCursor cursor(SplitTokens(head + c.tail));
    RecordReading reading;
    reading.paste = c.paste;
    AnimationFields animation;
    ReadGraphRecord(cursor, graph, reading, animation);
    EXPECT_EQ(graph.PointSize(), c.pointSize);
    EXPECT_EQ(graph.PointHollow(), c.hollow);
    EXPECT_EQ(graph.Animation(), c.animation);
    EXPECT_EQ(graph.FunForm(), c.funForm);
    EXPECT_FALSE(c.paste && animation.read);  // pasting never sets the document's frames
  }
}

TEST(TableRecord, WritesEveryPointAndReadsItBack) {
  DocumentValues values;
  Cls9 table(values);
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
  ASSERT_EQ(tokens.size(), 21u + 18u);
  EXPECT_EQ(Join({tokens.begin(), tokens.begin() + 13}),
            "5 12 data\xC2\xA0set 255 2 0 0 0 0 3 3 1 2");
  // (0,0) (0,1) (0,2) (1,0) (1,1) (1,2), X Y z each
  EXPECT_EQ(tokens[13 + 3 * 2 + 2], "-1");
  EXPECT_EQ(tokens[13 + 3 * 4], "3.5");
  EXPECT_EQ(Join({tokens.begin() + 31, tokens.end()}), "1 1 1 2 0 65280 1 4");

  for (const int generation : {3, 4, 5}) {
    SCOPED_TRACE(generation);
    DocumentValues otherValues;
    Cls9 back(otherValues);
    TokenCursor cursor(tokens);
    RecordReading reading;
    reading.generation = generation;
    ReadTableRecord(cursor, back, reading);
    EXPECT_EQ(back.VertTab3D(1, 1)->X(), 3.5f);
    EXPECT_EQ(back.VertTab3D(0, 2)->z(), -1.0f);
    if (generation == 3) {
      EXPECT_EQ(cursor.Position(), 31u);  // no tail
      EXPECT_EQ(back.Symbol(), 1);
    } else {
      EXPECT_EQ(cursor.Position(), 39u);
      EXPECT_EQ(SaveTable(back), text);
    }
  }
}

TEST(TableRecord, RefusesStepsAndColoursItCannotTake) {
  struct Case {
    const char* text;
    const char* field;
  };
  const Case cases[] = {
      {"4 1 t 255 1 0 0 0 0 3 3 201 0", "StepU"},    {"4 1 t 255 1 0 0 0 0 3 3 0 -1", "StepV"},
      {"4 1 t red 1 0 0 0 0 3 3 0 0", "LineColor"},  {"4 1 t 255  0 0 0 0 3 3 0 0", "LineWidth"},
      {"4 1 t 12px 1 0 0 0 0 3 3 0 0", "LineColor"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    DocumentValues values;
    Cls9 table(values);
    TokenCursor cursor(SplitTokens(c.text));
    try {
      ReadTableRecord(cursor, table, RecordReading{});
      ADD_FAILURE() << "not refused";
    } catch (const IoError& error) {
      EXPECT_NE(std::string(error.what()).find(c.field), std::string::npos) << error.what();
    }
    EXPECT_LE(table.StepU(), 200);
    EXPECT_GE(table.StepV(), 0);
  }
  DocumentValues values;
  Cls9 table(values);
  table.StepU(201);
  EXPECT_THROW(SaveTable(table), IoError);
}

TEST(AxisRecord, HiddenAxisIsOneFieldAndChangesOnlyShow) {
  Cls3 axis;
  EXPECT_EQ(Save(axis), "0");
  axis.Show(true);
  EXPECT_EQ(Save(axis),
            "1 0 0 0 1 1 1 1 1 1 2 2 2 X Y Z 13421772 13421772 13421772 10066329 10066329 "
            "10066329 4 4 4 0 1 1");
  axis.AxisWidth(3);
  axis.TitleX("time axis");
  TokenCursor cursor(SplitTokens("0 1 1 1"));
  ReadAxisRecord(cursor, axis);
  EXPECT_FALSE(axis.Show());
  EXPECT_EQ(cursor.Position(), 1u);
  EXPECT_EQ(axis.AxisWidth(), 3);
  EXPECT_EQ(axis.TitleX(), "time axis");
}

TEST(AxisRecord, ShownAxisRoundTrips) {
  Cls3 axis;
  axis.Show(true);
  axis.ShowXZPanel(true);
  axis.ShowYZZGrid(false);
  axis.LabelNumY(7);
  axis.TitleZ("height (m)");
  axis.YZGridColor(-1);
  axis.XZPanelMaterial(9);
  axis.AxisColor(65535);
  axis.BetterFonts(false);
  const std::string text = Save(axis);
  EXPECT_EQ(SplitTokens(text).size(), 28u);
  Cls3 back;
  TokenCursor cursor(SplitTokens(text));
  ReadAxisRecord(cursor, back);
  EXPECT_EQ(cursor.Position(), 28u);
  EXPECT_EQ(Save(back), text);
  EXPECT_EQ(back.TitleZ(), "height (m)");
}

TEST(SceneText, EachRecordFollowedByABlankAndUnknownKindsLeftOut) {
  DocumentValues values;
  Cls8 scene;
  auto add = [&](std::int32_t kind, std::int32_t ID) {
    auto graph = std::make_shared<Cls9>(values);
    graph->GraphType(kind);
    graph->ID(ID);
    scene.Graphs().Add(graph, std::to_string(ID));
    return graph;
  };
  const auto curve = add(0, 1);
  add(99, 2);
  const auto table = add(4, 3);
  EXPECT_EQ(Save(scene), Save(*curve) + " " + SaveTable(*table) + " ");
  EXPECT_EQ(Save(Cls8()), "");
}

}  // namespace
}  // namespace quillon
