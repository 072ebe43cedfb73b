// Graph, table and axis records: the writer and the reader against records
// built by hand from the format, and against each other.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "graph/document_values.h"
#include "graph/graph.h"
#include "graph/graph_fields.h"
#include "io/field_text.h"
#include "io/io_error.h"
#include "io/record_reader.h"
#include "io/record_writer.h"
#include "io/token_cursor.h"
#include "scene/axis.h"
#include "scene/scene.h"
#include "support/field_seeds.h"
#include "test_support.h"

namespace quillon {
namespace {

using test::Join;

// Records built by hand from the format: every field holds its own value
// (integers 1000 + place, numbers place + 0.5, flags in a pattern, texts
// "t" + place), each count 2, PointSize 7; the animated one carries MinT
// -3.5, MaxT 4.25, AnimFrames 40 and AnimExtra -6.
std::vector<std::string> HandBuiltRecord(bool animated) {
  std::string text =
      test::ReadBytes(std::string(QUILLON_IO_TEST_DATA) +
                      (animated ? "/graph_record_animated.txt" : "/graph_record.txt"));
  text.pop_back();  // the line break
  return SplitTokens(text);
}

// The token number (0-based) of a field in a hand-built record, where every
// count is 2.
std::size_t TokenOf(const std::string& name, bool animated) {
  std::size_t index = 0;
  for (const GraphField& field : GraphRecordFields()) {
    if (field.group == FieldGroup::Animation && !animated) {
      continue;
    }
    if (field.name == name) {
      return index;
    }
    index += field.form == FieldForm::Positions       ? 3
             : field.form == FieldForm::PositionPairs ? 5
                                                      : 1;
  }
  return index;
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
    EXPECT_EQ(IsGraphRecordKind(static_cast<GraphKind>(kind)), graph);
    EXPECT_EQ(IsGraphRecordKind(std::to_string(kind)), graph);
    EXPECT_EQ(IsTableRecordKind(std::to_string(kind)), table);
  }
  for (const char* token : {"", "00", "07", "+1", "-0", "1.0", "4 ", "0x1", "True"}) {
    SCOPED_TRACE(token);
    EXPECT_FALSE(IsGraphRecordKind(std::string(token)));
    EXPECT_FALSE(IsTableRecordKind(std::string(token)));
  }
}

// The hand-built records read into the fields the format names and write
// back byte for byte.
TEST(GraphRecord, HandBuiltRecordsReadIntoTheirFieldsAndWriteBackTheSame) {
  for (const bool animated : {false, true}) {
    SCOPED_TRACE(animated ? "animated" : "static");
    const std::vector<std::string> tokens = HandBuiltRecord(animated);
    GraphReading read(tokens);
    EXPECT_EQ(read.error, "");
    EXPECT_EQ(read.cursor.Position(), tokens.size());
    EXPECT_EQ(read.animation.read, animated);
    read.values.AnimFrames = read.animation.values.AnimFrames;
    read.values.AnimExtra = read.animation.values.AnimExtra;
    EXPECT_EQ(Save(read.graph), Join(tokens));

    const Graph& g = read.graph;
    EXPECT_EQ(g.kind, GraphKind::AnimatedCurve);
    EXPECT_EQ(g.name, "t3 x");  // the no-break space reads as a blank
    EXPECT_EQ(g.maxU, 11.5f);
    EXPECT_EQ(g.pointSize, 7.0f);
    EXPECT_EQ(g.form, static_cast<FunctionForm>(1026));
    EXPECT_EQ(g.integralTo, 37.5f);
    EXPECT_EQ(g.curvaturePositions.count, 2);
    EXPECT_EQ(g.curvaturePositions.at[2], -60.2f);
    EXPECT_EQ(g.arcLengthTo, 63.5f);
    EXPECT_EQ(g.secondCurveExpression, "t81");
    EXPECT_EQ(g.surfaceTangentPositions.y[2], -94.4f);
    EXPECT_EQ(g.contourLevels, 1125);
    if (animated) {
      EXPECT_EQ(g.minT, -3.5f);
      EXPECT_EQ(g.maxT, 4.25f);
      EXPECT_EQ(read.animation.values.AnimFrames, 40);
      EXPECT_EQ(read.animation.values.AnimExtra, -6);
    }
  }
}

// Every field of the table, seeded with its own value, survives writing and
// reading in every generation that holds it.
TEST(GraphRecord, EveryFieldSurvivesTheRoundTrip) {
  for (const bool animated : {false, true}) {
    SCOPED_TRACE(animated ? "animated" : "static");
    DocumentValues values;
    Graph graph(values);
    testing::SeedGraphFields(graph, 10);
    graph.animated = animated;
    graph.pointSize = 3;  // files hold point sizes 1 to 9
    GraphReading back(SplitTokens(Save(graph)));
    EXPECT_EQ(back.error, "");
    // Only an animated record carries its t range.
    const std::vector<std::string> lost =
        animated ? std::vector<std::string>() : std::vector<std::string>{"MinT", "MaxT"};
    EXPECT_EQ(testing::DifferingGraphFields(graph, back.graph), lost);
    EXPECT_EQ(back.animation.values.AnimFrames, animated ? values.AnimFrames : 0);
  }
}

// Numbers keep the exponent form through the writer's text filter, and
// PointSize its fraction.
TEST(GraphRecord, WriterFormsAndRefusals) {
  DocumentValues values;
  Graph graph(values);
  graph.maxV = 1e20f;
  graph.pointSize = 2.5f;
  graph.curvaturePositions.count = 1;
  graph.curvaturePositions.at[1] = -1.5e-7f;
  const std::vector<std::string> tokens = SplitTokens(Save(graph));
  EXPECT_EQ(tokens[12], "1E+20");
  EXPECT_EQ(tokens[22], "2.5");  // PointSize takes any number
  EXPECT_EQ(tokens[60], "-1.5E-07");
  graph.curvaturePositions.count = -4;  // a negative count writes no positions
  EXPECT_EQ(SplitTokens(Save(graph)).size(), 125u);
  for (PositionList Graph::*list :
       {&Graph::curvaturePositions, &Graph::tangentLinePositions, &Graph::normalLinePositions}) {
    Graph counted(values);
    (counted.*list).count = 51;
    EXPECT_THROW(Save(counted), IoError);
  }
  for (PositionPairList Graph::*pairs :
       {&Graph::surfaceTangentPositions, &Graph::surfaceNormalPositions}) {
    Graph counted(values);
    (counted.*pairs).count = 51;
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
    std::vector<std::string> tokens = HandBuiltRecord(false);
    tokens[TokenOf(field, false)] = value;
    const GraphReading read(tokens);
    EXPECT_NE(read.error.find(field), std::string::npos) << read.error;
    EXPECT_NE(read.error.find(shown), std::string::npos) << read.error;
    const Graph& g = read.graph;
    EXPECT_LE(std::max({g.curvaturePositions.count, g.tangentLinePositions.count,
                        g.normalLinePositions.count, g.surfaceTangentPositions.count,
                        g.surfaceNormalPositions.count}),
              50);
    EXPECT_EQ(g.kind, GraphKind::AnimatedCurve);  // the fields before the fault stay
  }
}

TEST(GraphRecord, ShortTextReadsMissingFieldsAsEmpty) {
  const GraphReading read(SplitTokens("0 7 a  1 5"));
  const Graph& g = read.graph;
  EXPECT_EQ(g.id, 7);
  EXPECT_EQ(g.name, "a");
  EXPECT_EQ(g.coordinates, CoordinateSystem{0});
  EXPECT_EQ(g.expressionX, "1");
  EXPECT_EQ(g.expressionY, "5");
  EXPECT_EQ(g.stepsU, 0);        // empty token: 0
  EXPECT_EQ(g.pointSize, 1.0f);  // empty token: default kept
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
    EXPECT_EQ(PlainNumberText(g.pointSize) + " " + std::to_string(g.pointHollow) + " " +
                  std::to_string(g.animated) + " " + std::to_string(static_cast<int>(g.form)),
              fields);
    EXPECT_FALSE(paste && read.animation.read);  // pasting never sets the document's frames
  }
}

TEST(TableRecord, WritesEveryPointAndReadsItBack) {
  DocumentValues values;
  Graph table(values);
  table.kind = GraphKind::Table25D;
  table.id = 12;
  table.name = "data set";
  table.lineColor = 255;
  table.lineWidth = 2;
  table.stepsU = 1;
  table.stepsV = 2;
  table.TableCell(1, 1)->x = 3.5f;
  table.TableCell(0, 2)->z = -1.0f;
  table.scatterSymbol = PointSymbol::Triangle;
  EXPECT_FALSE(table.FindTableCell(1, 2));
  const std::string text = SaveTable(table);
  EXPECT_TRUE(table.FindTableCell(1, 2));  // written cells hold points, which stay
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
    EXPECT_LE(read.graph.stepsU, 200);
    EXPECT_GE(read.graph.stepsV, 0);
  }
  DocumentValues values;
  Graph table(values);
  table.stepsU = 201;
  EXPECT_THROW(SaveTable(table), IoError);
}

// A hidden axis is one field and changes only Show; a shown one has 28.
TEST(AxisRecord, WrittenAndReadBack) {
  Axis axis;
  EXPECT_EQ(Save(axis), "0");
  axis.shown = true;
  EXPECT_EQ(Save(axis),
            "1 0 0 0 1 1 1 1 1 1 2 2 2 X Y Z 13421772 13421772 13421772 10066329 10066329 "
            "10066329 4 4 4 0 1 1");
  axis.showXZPanel = true;
  axis.showYZZGrid = false;
  axis.labelStepsY = 7;
  axis.titleZ = "height (m)";
  axis.yzGridColor = -1;
  axis.xzPanelMaterial = static_cast<MaterialPreset>(9);
  axis.color = 65535;
  axis.betterFonts = false;
  const std::string text = Save(axis);
  Axis back;
  TokenCursor cursor(SplitTokens(text));
  ReadAxisRecord(cursor, back);
  EXPECT_EQ(cursor.Position(), 28u);
  EXPECT_EQ(Save(back), text);
  EXPECT_EQ(back.titleZ, "height (m)");
  TokenCursor hidden(SplitTokens("0 1 1 1"));
  ReadAxisRecord(hidden, back);
  EXPECT_FALSE(back.shown);
  EXPECT_EQ(hidden.Position(), 1u);
  EXPECT_EQ(back.labelStepsY, 7);
  EXPECT_EQ(back.titleZ, "height (m)");
}

TEST(SceneText, EachRecordFollowedByABlankAndUnknownKindsLeftOut) {
  DocumentValues values;
  Scene scene;
  auto add = [&](std::int32_t kind, std::int32_t ID) {
    auto graph = std::make_shared<Graph>(values);
    graph->kind = static_cast<GraphKind>(kind);
    graph->id = ID;
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
