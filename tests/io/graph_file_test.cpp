// The graph file: tag, document text, the bytes around it, and parsing into
// a staged document.
#include "io/graph_file.h"

#include <gtest/gtest.h>

#include "graph/document_values.h"
#include "graph/graph.h"
#include "io/io_error.h"
#include "io/record_writer.h"
#include "io/token_cursor.h"
#include "scene/scene.h"
#include "support/codes.h"
#include "test_support.h"

namespace quillon {
namespace {

TEST(DocumentText, TagCountScenesAndAxis) {
  const std::pair<std::int32_t, const char*> tags[] = {
      {1, "S51"}, {2, "S53"}, {3, "S52"}, {4, "S54"}, {5, "S55"},
      {6, "S56"}, {7, "S57"}, {0, ""},    {8, ""},    {-1, ""},
  };
  for (const auto& [docType, tag] : tags) {
    EXPECT_EQ(DocumentTag(testing::AsDocument(docType)), tag) << docType;
  }
  DocumentValues values;
  Scene scene;
  Axis axis;
  EXPECT_EQ(BuildDocumentText(testing::AsDocument(1), scene, axis), "S51 0 0");
  EXPECT_EQ(BuildDocumentText(testing::AsDocument(9), scene, axis), "0 0");
  auto graph = std::make_shared<Graph>(values);
  scene.Graphs().Add(graph, "1");
  axis.shown = true;
  EXPECT_EQ(BuildDocumentText(testing::AsDocument(2), scene, axis),
            "S53 1 " + Save(*graph) + " " + Save(axis));
}

TEST(GraphFileBytes, TypeCodeLengthAndText) {
  const std::pair<std::size_t, std::string> cases[] = {
      {65534, std::string("\x08\x00\xFE\xFF", 4)},
      {65535, std::string("\x08\x00\xFF\xFF\xFF\xFF\x00\x00", 8)},
      {70000, std::string("\x08\x00\xFF\xFF\x70\x11\x01\x00", 8)},
  };
  for (const auto& [length, header] : cases) {
    SCOPED_TRACE(length);
    std::string text(length, 'x');
    for (std::size_t i = 3; i < text.size(); i += 7) {
      text[i] = ' ';
    }
    const GraphFileBytes file = EncodeGraphFile(text);
    EXPECT_EQ(file.bytes, header + text);
    // Bytes left over from a longer file are ignored.
    EXPECT_EQ(DecodeGraphFile(file.bytes + "S51 tail").text, text);
  }
}

// Written elsewhere with the plain length: FF FF, then the text itself.
TEST(GraphFileBytes, PlainLengthOf65535CharactersStillReads) {
  const std::string text = "S51 0 0 " + std::string(65535 - 8, 'x');
  const std::string bytes = std::string("\x08\x00\xFF\xFF", 4) + text;
  EXPECT_EQ(DecodeGraphFile(bytes).text, text);
  EXPECT_EQ(DecodeGraphFile(bytes + "old tail").text, text);
}

TEST(GraphFileBytes, RefusesBytesThatHoldNoText) {
  const std::string cases[] = {
      std::string("\x08\x00\x05", 3),
      std::string("\x03\x00\x05\x00S51 0", 9),  // another value type
      std::string("\x08\x01\x05\x00S51 0", 9),
      std::string("\x08\x00\xFF\xFF\x05\x00", 6),  // long length cut off
  };
  for (const std::string& bytes : cases) {
    EXPECT_THROW(DecodeGraphFile(bytes), IoError) << bytes.size();
  }
  // A text cut short by the end of the file is taken as far as it goes.
  const GraphFileText cut = DecodeGraphFile(std::string("\x08\x00\x40\x00S51 0", 9));
  EXPECT_EQ(cut.text, "S51 0");
  EXPECT_EQ(cut.announced, 64u);
  EXPECT_EQ(cut.held, 5u);
}

TEST(ParseDocument, TagGivesKindAndRotationOrIsRefused) {
  struct Case {
    const char* tag;
    std::int32_t docType;
    float pitch;
    float yaw;
  };
  const Case cases[] = {
      {"S54", 1, 0, 0},    {"S41", 1, 0, 0},    {"S37", 7, 0, 0},    {"S52", 3, -15, 45},
      {"S56", 3, -15, 45}, {"S53", 2, -15, 45}, {"S55", 2, -15, 45},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tag);
    DocumentValues values;
    const StagedDocument staged = ParseDocumentText(std::string(c.tag) + " 0 0", values, Axis());
    EXPECT_EQ(testing::Code(staged.documentKind), c.docType);
    EXPECT_EQ(staged.RotRoll, 0);
    EXPECT_EQ(staged.RotPitch, c.pitch);
    EXPECT_EQ(staged.RotYaw, c.yaw);
    EXPECT_EQ(staged.generation, c.tag[1] - '0');
  }
  for (const char* tag : {"S21", "S61", "S30", "S38", "s51", "S511", ""}) {
    DocumentValues values;
    EXPECT_THROW(ParseDocumentText(std::string(tag) + " 0 0", values, Axis()), IoError) << tag;
  }
}

// The kind token chooses the graph or the table reader. A record of an
// unknown kind is not consumed: the later slots are skipped and the axis is
// read from that token.
TEST(ParseDocument, KindTokenChoosesTheRecord) {
  // A graph record of generation 3 (30 fields) and a table record.
  const std::string graph3 = "0 7 a 1 0 0 x 1 4 0 1 -2 2 4 0 0 0 1 4 2 2 255 1 0 0 2 0 0 0 0";
  const std::string table3 = "4 12 pts 255 1 0 0 0 0 3 3 0 1 1 2 3 4 5 6";
  DocumentValues values;
  const StagedDocument staged =
      ParseDocumentText("S31 2 " + graph3 + " " + table3 + " 0", values, Axis());
  ASSERT_EQ(staged.graphs.size(), 2u);
  EXPECT_TRUE(staged.graphs[0].sample);
  EXPECT_EQ(staged.graphs[0].graph->stepsV, 4);
  EXPECT_EQ(staged.graphs[0].entryText, "2D Curve  y=x");
  EXPECT_FALSE(staged.graphs[1].sample);
  EXPECT_EQ(staged.graphs[1].graph->TableCell(0, 1)->z, 6.0f);
  EXPECT_EQ(staged.graphs[1].entryText, "2D Table Graph: pts");
  EXPECT_FALSE(staged.axis.shown);
  Axis axis;
  axis.shown = true;
  axis.width = 4;
  for (const char* kind : {"99", "17", "", "True", "00"}) {
    SCOPED_TRACE(kind);
    const StagedDocument stopped =
        ParseDocumentText("S31 1000000 " + graph3 + " " + kind + " " + graph3, values, axis);
    EXPECT_EQ(stopped.graphs.size(), 1u);
    EXPECT_EQ(stopped.axis.shown, std::string(kind) == "True");
    EXPECT_EQ(stopped.axis.width, std::string(kind) == "True" ? 2 : 4);
  }
}

TEST(ParseDocument, RefusalsNameTheRecord) {
  DocumentValues values;
  try {
    ParseDocumentText("S31 2 4 1 t 255 1 0 0 0 0 3 3 0 0 1 2 3 5 2 t red", values, Axis());
    ADD_FAILURE() << "not refused";
  } catch (const IoError& error) {
    EXPECT_STREQ(error.what(),
                 "Record 2 (table): The field LineColor (token 22, \"red\") is not a whole "
                 "number within the 32-bit integer range.");
  }
  EXPECT_THROW(ParseDocumentText("S51 99999999999 0", values, Axis()), IoError);
}

TEST(ParseDocument, AnimatedRecordsCarryTheFrameCount) {
  DocumentValues values;
  values.AnimFrames = 5;
  Graph still(values);
  Graph moving(values);
  moving.kind = GraphKind::AnimatedCurve;
  moving.animated = true;
  values.AnimFrames = 30;
  values.AnimExtra = 2;
  const std::string text = "S51 3 " + Save(still) + " " + Save(moving) + " " + Save(still) + " 0";
  DocumentValues other;
  const StagedDocument staged = ParseDocumentText(text, other, Axis());
  ASSERT_EQ(staged.graphs.size(), 3u);
  EXPECT_FALSE(staged.graphs[0].animFrames.has_value());
  EXPECT_EQ(staged.graphs[1].animFrames, 30);
  EXPECT_EQ(staged.graphs[1].animExtra, 2);
  EXPECT_FALSE(staged.graphs[2].animFrames.has_value());
  EXPECT_EQ(other.AnimFrames, 0);  // parsing changes nothing outside the staged document
}

// A document of a graph, a table and a graph with the axis shown, as the
// writer makes it, cut after some of its tokens (damaged) or with a count
// larger than its graphs: the graphs read before the damage are kept, a
// graph cut short keeps the fields it has, an axis record cut short is not
// taken, and `damage` says what was missing.
TEST(ParseDocument, DamageSaysWhatWasMissingAndKeepsWhatWasRead) {
  DocumentValues values;
  Scene scene;
  std::vector<std::size_t> recordEnd = {2};  // tokens up to the end of each record
  for (const char* name : {"first", "second", "third"}) {
    auto graph = std::make_shared<Graph>(values);
    graph->name = name;
    graph->kind = std::string(name) == "second" ? GraphKind::Table2D : GraphKind::PlaneCurve;
    scene.Graphs().Add(graph, name);
    recordEnd.push_back(recordEnd.back() + SplitTokens(*SaveRecord(*graph)).size());
  }
  Axis axis;
  axis.shown = true;
  axis.titleX = "time";
  const std::vector<std::string> tokens =
      SplitTokens(BuildDocumentText(DocumentKind::Plane, scene, axis));
  ASSERT_EQ(tokens.size(), recordEnd.back() + 28);
  const auto firstTokens = [&tokens](std::size_t count) {
    return test::Join({tokens.begin(), tokens.begin() + static_cast<std::ptrdiff_t>(count)});
  };
  std::vector<std::string> fiveCounted = tokens;
  fiveCounted[1] = "5";
  struct Case {
    std::string text;
    bool textCut;
    std::string damage;
    std::string read;  // names of the graphs read, then the axis title
  };
  const Case cases[] = {
      {firstTokens(tokens.size()), false, "", "first second third time"},
      {firstTokens(1), true, "it ends before its graph count", "X"},
      {firstTokens(2), true, "it ends before its last 3 graphs; 0 of 3 graphs were read", "X"},
      {firstTokens(recordEnd[1]), true, "it ends before its last 2 graphs; 1 of 3 graphs were read",
       "first X"},
      {firstTokens(recordEnd[1] + 3), true,
       "it ends inside graph 2 of 3; graph 1 was read whole, graph 2 only in part",
       "first second X"},
      {firstTokens(recordEnd[1] + 1), true,
       "it ends inside graph 2 of 3; graph 1 was read whole, graph 2 only in part", "first  X"},
      {firstTokens(recordEnd[3] - 1), true,
       "it ends inside graph 3 of 3; graphs 1 and 2 were read whole, graph 3 only in part",
       "first second third X"},
      {firstTokens(recordEnd[3]), true,
       "it ends before its axis settings, which were left as they were", "first second third X"},
      {firstTokens(recordEnd[3] + 14), true,
       "it ends inside its axis settings, which were left as they were", "first second third X"},
      {test::Join(fiveCounted), false, "it holds 3 graphs where its count announces 5",
       "first second third time"},
      // The file itself says the text was cut: no axis is looked for.
      {test::Join(fiveCounted), true,
       "it ends inside graph 4 of 5; graphs 1 to 3 were read whole, graph 4 only in part",
       "first second third 0 X"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.damage);
    DocumentValues owner;
    const StagedDocument staged = ParseDocumentText(c.text, owner, Axis(), c.textCut);
    EXPECT_EQ(staged.damage, c.damage);
    std::string read;
    for (const StagedGraph& staging : staged.graphs) {
      read += staging.graph->name + " ";
    }
    EXPECT_EQ(read + staged.axis.titleX, c.read);
  }
}

// Every cut of a real file, at any character, is told as damage (or, cut
// inside its tag, refused), whether or not the file's header said so.
TEST(ParseDocument, EveryCutOfARealFileIsDamage) {
  const std::string text =
      DecodeGraphFile(test::ReadBytes(std::string(QUILLON_IO_TEST_DATA) + "/curves_g5.pgp")).text;
  for (std::size_t length = 1; length < text.size(); ++length) {
    for (const bool textCut : {true, false}) {
      DocumentValues values;
      try {
        const StagedDocument staged =
            ParseDocumentText(text.substr(0, length), values, Axis(), textCut);
        EXPECT_FALSE(staged.damage.empty()) << length;
      } catch (const IoError&) {
        EXPECT_LT(length, 3u);
      }
    }
  }
}

}  // namespace
}  // namespace quillon
