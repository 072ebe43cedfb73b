// Graph and table records: the writer and the reader against records
// built by hand from the format, and against each other.
#include <gtest/gtest.h>

#include <algorithm>
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
      test::ReadBytes(test::DataFile(animated ? "graph_record_animated.txt" : "graph_record.txt"));
  text.pop_back();  // the line break
  return SplitTokens(text);
}

// A graph (or table) record read into a fresh record; a refusal is kept as
// its message.
struct GraphReading {
  explicit GraphReading(std::vector<std::string> tokens, std::int32_t generation = 5,
                        bool paste = false, bool table = false)
      : cursor(std::move(tokens)) {
    RecordReading reading;
    reading.generation = generation;
    reading.paste = paste;
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
    EXPECT_FALSE(IsGraphRecordKind(std::string(token)) || IsTableRecordKind(token)) << token;
  }
}

// The hand-built records read into the fields the format names (fields of
// one form swapped would still write back the same) and write back byte
// for byte; every field, seeded with its own value, survives writing and
// reading, and only an animated record carries its t range.
TEST(GraphRecord, FieldsReadWhereTheFormatPutsThemAndSurviveTheRoundTrip) {
  for (const bool animated : {false, true}) {
    SCOPED_TRACE(animated);
    const std::vector<std::string> tokens = HandBuiltRecord(animated);
    GraphReading read(tokens);
    EXPECT_EQ(read.error, "");
    EXPECT_EQ(read.cursor.Position(), tokens.size());
    EXPECT_EQ(read.animation.read, animated);
    read.values.AnimFrames = read.animation.values.AnimFrames;
    read.values.AnimExtra = read.animation.values.AnimExtra;
    EXPECT_EQ(Save(read.graph), Join(tokens));
    const Graph& g = read.graph;
    EXPECT_EQ(g.name, "t3 x");  // the no-break space reads as a blank
    EXPECT_EQ(std::make_tuple(g.maxU, g.pointSize, g.integralTo, g.arcLengthTo),
              std::make_tuple(11.5f, 7.0f, 37.5f, 63.5f));
    EXPECT_EQ(std::make_tuple(g.kind, g.form, g.contourLevels, g.curvaturePositions.count),
              std::make_tuple(GraphKind::AnimatedCurve, static_cast<FunctionForm>(1026), 1125, 2));
    EXPECT_EQ(g.curvaturePositions.at[2], -60.2f);
    EXPECT_EQ(g.surfaceTangentPositions.y[2], -94.4f);
    EXPECT_EQ(g.secondCurveExpression, "t81");
    if (animated) {
      EXPECT_EQ(std::make_tuple(g.minT, g.maxT, read.animation.values.AnimFrames,
                                read.animation.values.AnimExtra),
                std::make_tuple(-3.5f, 4.25f, 40, -6));
    }
    DocumentValues values;
    Graph graph(values);
    testing::SeedGraphFields(graph, 10);
    graph.animated = animated;
    graph.pointSize = 3;  // files hold point sizes 1 to 9
    GraphReading back(SplitTokens(Save(graph)));
    EXPECT_EQ(back.error, "");
    EXPECT_EQ(testing::DifferingGraphFields(graph, back.graph),
              animated ? test::Names() : (test::Names{"MinT", "MaxT"}));
    EXPECT_EQ(back.animation.values.AnimFrames, animated ? values.AnimFrames : 0);
  }
}

// Numbers keep the exponent form through the writer's text filter, and
// PointSize its fraction; a negative count writes no positions, one beyond
// the arrays is refused.
TEST(GraphRecord, WriterFormsAndRefusals) {
  DocumentValues values;
  Graph graph(values);
  graph.maxV = 1e20f;
  graph.pointSize = 2.5f;
  graph.curvaturePositions.count = 1;
  graph.curvaturePositions.at[1] = -1.5e-7f;
  const std::vector<std::string> tokens = SplitTokens(Save(graph));
  EXPECT_EQ(tokens[12] + " " + tokens[22] + " " + tokens[60], "1E+20 2.5 -1.5E-07");
  graph.curvaturePositions.count = -4;
  EXPECT_EQ(SplitTokens(Save(graph)).size(), 125u);
  const auto refused = [&values](const auto list) {
    Graph counted(values);
    (counted.*list).count = 51;
    EXPECT_THROW(Save(counted), IoError);
  };
  refused(&Graph::curvaturePositions);
  refused(&Graph::tangentLinePositions);
  refused(&Graph::normalLinePositions);
  refused(&Graph::surfaceTangentPositions);
  refused(&Graph::surfaceNormalPositions);
}

// Every refusal names the field and shows the token, a long one by its
// first 60 characters; a refused count is never stored.
TEST(GraphRecord, ReaderRefusesValuesTheGraphCannotTake) {
  const std::string longToken = "1E39" + std::string(100, 'x');
  // The field, its token in the hand-built record, the value, how it is shown.
  const std::tuple<const char*, std::size_t, std::string, std::string> cases[] = {
      {"CurvNum", 59, "51", "\"51\""},
      {"QieNum", 68, "51", "\"51\""},
      {"NmlNum", 74, "60", "\"60\""},
      {"TangentNum", 99, "51", "\"51\""},
      {"NormalNum", 105, "1E3", "\"1E3\""},
      {"LineColor", 16, "4294967295", "\"4294967295\""},
      {"MinU", 9, "1E39", "\"1E39\""},
      {"MinU", 9, longToken, "\"" + longToken.substr(0, 60) + "\xE2\x80\xA6\""},
  };
  for (const auto& [field, token, value, shown] : cases) {
    SCOPED_TRACE(field);
    std::vector<std::string> tokens = HandBuiltRecord(false);
    tokens.at(token) = value;
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
      {"1 0 -1 2", true, "1 0 0 -1"},  // an unknown animation token is FunForm itself
      {"1 0 -1 2", false, "1 0 0 2"},
  };
  for (const auto& [tail, paste, fields] : cases) {
    SCOPED_TRACE(tail + (paste ? " paste" : " file"));
    const GraphReading read(SplitTokens(head + tail), 5, paste);
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
  // (0,0) (0,1) (0,2) (1,0) (1,1) (1,2), X Y z each
  EXPECT_EQ(text,
            "5 12 data\xC2\xA0set 255 2 0 0 0 0 3 3 1 2 0 0 0 0 0 0 0 0 -1 0 0 0 "
            "3.5 0 0 0 0 0 1 1 1 2 0 65280 1 4");
  for (const int generation : {3, 4}) {
    SCOPED_TRACE(generation);
    GraphReading back(SplitTokens(text), generation, false, true);
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
    const GraphReading read(SplitTokens(text), 5, false, true);
    EXPECT_NE(read.error.find(field), std::string::npos) << read.error;
    EXPECT_LE(read.graph.stepsU, 200);
    EXPECT_GE(read.graph.stepsV, 0);
  }
  DocumentValues values;
  Graph table(values);
  table.stepsU = 201;
  EXPECT_THROW(SaveTable(table), IoError);
}

}  // namespace
}  // namespace quillon
