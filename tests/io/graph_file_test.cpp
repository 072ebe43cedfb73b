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

StagedDocument Parse(const std::string& text, bool textCut = false) {
  DocumentValues values;
  return ParseDocumentText(text, values, Axis(), textCut);
}

// The tag written for each document kind reads back as that kind, and the
// space kinds start turned; other tags are refused.
TEST(DocumentText, TagsWrittenAndRead) {
  // Kind written, its tag, the kind read back and its pitch and yaw.
  const std::tuple<std::int32_t, const char*, std::int32_t, float, float> cases[] = {
      {1, "S51", 1, 0, 0},    {2, "S53", 2, -15, 45}, {3, "S52", 3, -15, 45}, {4, "S54", 1, 0, 0},
      {5, "S55", 2, -15, 45}, {6, "S56", 3, -15, 45}, {7, "S57", 7, 0, 0},
  };
  for (const auto& [docType, tag, readType, pitch, yaw] : cases) {
    SCOPED_TRACE(tag);
    EXPECT_EQ(DocumentTag(testing::AsDocument(docType)), tag);
    const StagedDocument staged = Parse(std::string(tag) + " 0 0");
    EXPECT_EQ(testing::Code(staged.documentKind), readType);
    EXPECT_EQ(std::make_tuple(staged.RotRoll, staged.RotPitch, staged.RotYaw),
              std::make_tuple(0.0f, pitch, yaw));
    EXPECT_EQ(staged.generation, 5);
  }
  for (const auto& [tag, docType, generation] : {std::tuple{"S41", 1, 4}, {"S37", 7, 3}}) {
    const StagedDocument staged = Parse(std::string(tag) + " 0 0");
    EXPECT_EQ(std::make_pair(testing::Code(staged.documentKind), staged.generation),
              std::make_pair(docType, generation));
  }
  for (const char* tag : {"S21", "S61", "S30", "S38", "s51", "S511", ""}) {
    EXPECT_THROW(Parse(std::string(tag) + " 0 0"), IoError) << tag;
  }
  for (const int docType : {0, 8, -1}) {
    EXPECT_EQ(DocumentTag(testing::AsDocument(docType)), "") << docType;
  }
  DocumentValues values;
  Scene scene;
  Axis axis;
  EXPECT_EQ(BuildDocumentText(testing::AsDocument(9), scene, axis), "0 0");
  scene.Graphs().Add(std::make_shared<Graph>(values), "1");
  axis.shown = true;
  EXPECT_EQ(BuildDocumentText(testing::AsDocument(2), scene, axis),
            "S53 1 " + Save(*scene.Graphs().Item(1)) + " " + Save(axis));
}

// Two bytes of type, the length in two bytes or FF FF and four, the text;
// bytes after it are ignored. The plain length FF FF of others still reads.
// Bytes that hold no text are refused.
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
    EXPECT_EQ(DecodeGraphFile(file.bytes + "S51 tail").text, text);
  }
  const std::string text = "S51 0 0 " + std::string(65535 - 8, 'x');
  EXPECT_EQ(DecodeGraphFile(std::string("\x08\x00\xFF\xFF", 4) + text + "tail").text, text);
  const std::string refused[] = {
      std::string("\x08\x00\x05", 3),
      std::string("\x03\x00\x05\x00S51 0", 9),  // another value type
      std::string("\x08\x01\x05\x00S51 0", 9),
      std::string("\x08\x00\xFF\xFF\x05\x00", 6),  // long length cut off
  };
  for (const std::string& bytes : refused) {
    EXPECT_THROW(DecodeGraphFile(bytes), IoError) << bytes.size();
  }
  // A text cut short by the end of the file is taken as far as it goes.
  const GraphFileText cut = DecodeGraphFile(std::string("\x08\x00\x40\x00S51 0", 9));
  EXPECT_EQ(std::make_tuple(cut.text, cut.announced, cut.held),
            std::make_tuple(std::string("S51 0"), std::size_t{64}, std::size_t{5}));
}

// The kind token chooses the graph or the table reader. A record of an
// unknown kind is not consumed: the later slots are skipped and the axis is
// read from that token.
TEST(ParseDocument, KindTokenChoosesTheRecord) {
  // A graph record of generation 3 (30 fields) and a table record.
  const std::string graph3 = "0 7 a 1 0 0 x 1 4 0 1 -2 2 4 0 0 0 1 4 2 2 255 1 0 0 2 0 0 0 0";
  const std::string table3 = "4 12 pts 255 1 0 0 0 0 3 3 0 1 1 2 3 4 5 6";
  const StagedDocument staged = Parse("S31 2 " + graph3 + " " + table3 + " 0");
  ASSERT_EQ(staged.graphs.size(), 2u);
  EXPECT_TRUE(staged.graphs[0].sample);
  EXPECT_EQ(staged.graphs[0].graph->stepsV, 4);
  EXPECT_EQ(staged.graphs[0].entryText, "2D Curve  y=x");
  EXPECT_FALSE(staged.graphs[1].sample);
  EXPECT_EQ(staged.graphs[1].graph->TableCell(0, 1)->z, 6.0f);
  EXPECT_EQ(staged.graphs[1].entryText, "2D Table Graph: pts");
  Axis axis;
  axis.shown = true;
  axis.width = 4;
  for (const char* kind : {"99", "17", "", "True", "00"}) {
    SCOPED_TRACE(kind);
    DocumentValues values;
    const StagedDocument stopped =
        ParseDocumentText("S31 1000000 " + graph3 + " " + kind + " " + graph3, values, axis);
    EXPECT_EQ(stopped.graphs.size(), 1u);
    EXPECT_EQ(stopped.axis.shown, std::string(kind) == "True");
    EXPECT_EQ(stopped.axis.width, std::string(kind) == "True" ? 2 : 4);
  }
  try {
    Parse("S31 2 4 1 t 255 1 0 0 0 0 3 3 0 0 1 2 3 5 2 t red");
    ADD_FAILURE() << "not refused";
  } catch (const IoError& error) {
    EXPECT_STREQ(error.what(),
                 "Record 2 (table): The field LineColor (token 22, \"red\") is not a whole "
                 "number within the 32-bit integer range.");
  }
  EXPECT_THROW(Parse("S51 99999999999 0"), IoError);
  // An animated record's frame count is staged with its graph (which the
  // data files and Open check), never set in the caller's values.
  DocumentValues values;
  Graph moving(values);
  moving.kind = GraphKind::AnimatedCurve;
  moving.animated = true;
  values.AnimFrames = 30;
  DocumentValues other;
  EXPECT_EQ(
      ParseDocumentText("S51 1 " + Save(moving) + " 0", other, Axis()).graphs.at(0).animFrames, 30);
  EXPECT_EQ(other.AnimFrames, 0);
}

// A graph, a table and a graph with the axis shown, cut after some of its
// tokens or counted 5: the graphs read before the damage are kept, a graph
// cut short keeps the fields it has, an axis cut short is not taken, and
// `damage` says what was missing.
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
  const auto first = [&tokens](std::size_t count) {
    return test::Join({tokens.begin(), tokens.begin() + static_cast<std::ptrdiff_t>(count)});
  };
  const std::string whole = first(tokens.size());
  std::vector<std::string> counted = tokens;
  counted[1] = "5";
  const std::string fiveCounted = test::Join(counted);
  const std::string inside2 =
      "it ends inside graph 2 of 3; graph 1 was read whole, graph 2 only in part";
  const std::string all = "first second third ";
  // The text, whether the file said it was cut, the damage, the names read and the axis title.
  const std::tuple<std::string, bool, std::string, std::string> cases[] = {
      {whole, false, "", all + "time"},
      {whole, true, "", all + "time"},  // the file held less than its header announced
      {first(1), true, "it ends before its graph count", "X"},
      {first(2), true, "it ends before its last 3 graphs; 0 of 3 graphs were read", "X"},
      {first(recordEnd[1]), true, "it ends before its last 2 graphs; 1 of 3 graphs were read",
       "first X"},
      {first(recordEnd[1] + 3), true, inside2, "first second X"},
      {first(recordEnd[1] + 1), true, inside2, "first  X"},
      {first(recordEnd[3] - 1), true,
       "it ends inside graph 3 of 3; graphs 1 and 2 were read whole, graph 3 only in part",
       all + "X"},
      {first(recordEnd[3]), true, "it ends before its axis settings, which were left as they were",
       all + "X"},
      {first(recordEnd[3] + 14), true,
       "it ends inside its axis settings, which were left as they were", all + "X"},
      {first(recordEnd[3] + 14), false,
       "it ends inside its axis settings, which were left as they were", all + "X"},
      {fiveCounted, false, "it holds 3 graphs where its count announces 5", all + "time"},
      // The file itself says the text was cut: no axis is looked for.
      {fiveCounted, true,
       "it ends inside graph 4 of 5; graphs 1 to 3 were read whole, graph 4 only in part",
       all + "0 X"},
  };
  for (const auto& [text, textCut, damage, read] : cases) {
    SCOPED_TRACE(damage);
    const StagedDocument staged = Parse(text, textCut);
    EXPECT_EQ(staged.damage, damage);
    std::string names;
    for (const StagedGraph& staging : staged.graphs) {
      names += staging.graph->name + " ";
    }
    EXPECT_EQ(names + staged.axis.titleX, read);
  }
}

// Every cut of a real file, at any character, is told as damage (or, cut
// inside its tag, refused), whether or not the file's header said so.
TEST(ParseDocument, EveryCutOfARealFileIsDamage) {
  const std::string text = DecodeGraphFile(test::ReadBytes(test::DataFile("curves_g5.pgp"))).text;
  for (std::size_t length = 1; length < text.size(); ++length) {
    for (const bool textCut : {true, false}) {
      try {
        EXPECT_FALSE(Parse(text.substr(0, length), textCut).damage.empty()) << length;
      } catch (const IoError&) {
        EXPECT_LT(length, 3u);
      }
    }
  }
}

}  // namespace
}  // namespace quillon
