// The graph file: tag, document text, the bytes around it, and parsing into
// a staged document.
#include "io/graph_file.h"

#include <gtest/gtest.h>

#include "graph/document_values.h"
#include "graph/graph_record.h"
#include "io/io_error.h"
#include "io/record_writer.h"
#include "scene/scene.h"
#include "test_support.h"

namespace quillon {
namespace {

TEST(DocumentTag, KindsTwoAndThreeAreCrossedOver) {
  const std::pair<std::int32_t, const char*> cases[] = {
      {1, "S51"}, {2, "S53"}, {3, "S52"}, {4, "S54"}, {5, "S55"},
      {6, "S56"}, {7, "S57"}, {0, ""},    {8, ""},    {-1, ""},
  };
  for (const auto& [docType, tag] : cases) {
    EXPECT_EQ(DocumentTag(docType), tag) << docType;
  }
}

TEST(DocumentText, TagCountScenesAndAxis) {
  DocumentValues values;
  Cls8 scene;
  Cls3 axis;
  EXPECT_EQ(BuildDocumentText(1, scene, axis), "S51 0 0");
  EXPECT_EQ(BuildDocumentText(9, scene, axis), "0 0");
  auto graph = std::make_shared<Cls9>(values);
  scene.Graphs().Add(graph, "1");
  axis.Show(true);
  EXPECT_EQ(BuildDocumentText(2, scene, axis), "S53 1 " + Save(*graph) + " " + Save(axis));
}

TEST(GraphFileBytes, TypeCodeLengthAndText) {
  struct Case {
    std::size_t length;
    std::string header;
  };
  const Case cases[] = {
      {0, std::string("\x08\x00\x00\x00", 4)},
      {7, std::string("\x08\x00\x07\x00", 4)},
      {65534, std::string("\x08\x00\xFE\xFF", 4)},
      {65535, std::string("\x08\x00\xFF\xFF\xFF\xFF\x00\x00", 8)},
      {70000, std::string("\x08\x00\xFF\xFF\x70\x11\x01\x00", 8)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.length);
    std::string text(c.length, 'x');
    for (std::size_t i = 3; i < text.size(); i += 7) {
      text[i] = ' ';
    }
    const GraphFileBytes file = EncodeGraphFile(text);
    EXPECT_EQ(file.bytes.substr(0, c.header.size()), c.header);
    EXPECT_EQ(file.bytes.size(), c.header.size() + c.length);
    EXPECT_EQ(DecodeGraphFile(file.bytes), text);
    // Bytes left over from a longer file are ignored.
    EXPECT_EQ(DecodeGraphFile(file.bytes + "S51 tail"), text);
  }
}

// Written elsewhere with the plain length: FF FF, then the text itself.
TEST(GraphFileBytes, PlainLengthOf65535CharactersStillReads) {
  const std::string text = "S51 0 0 " + std::string(65535 - 8, 'x');
  const std::string bytes = std::string("\x08\x00\xFF\xFF", 4) + text;
  EXPECT_EQ(DecodeGraphFile(bytes), text);
  EXPECT_EQ(DecodeGraphFile(bytes + "old tail"), text);
}

TEST(GraphFileBytes, TextIsWindows1252) {
  const GraphFileBytes file =
      EncodeGraphFile("S51 0 1 0 0 0 1 1 1 1 1 1 2 2 2 \xC3\xA9t\xC3\xA9 Y Z");
  EXPECT_NE(file.bytes.find("\xE9t\xE9 Y"), std::string::npos);
  EXPECT_TRUE(file.lossyTexts.empty());
  const GraphFileBytes lossy = EncodeGraphFile(
      "S51 0 1 x \xE2\x88\x9E\xC2\xA0"
      "a");
  EXPECT_EQ(lossy.lossyTexts, std::vector<std::string>{"\xE2\x88\x9E a"});
  EXPECT_NE(lossy.bytes.find("?\xA0"
                             "a"),
            std::string::npos);
}

TEST(GraphFileBytes, RefusesBytesThatHoldNoText) {
  const std::string cases[] = {
      "",
      std::string("\x08", 1),
      std::string("\x08\x00\x05", 3),
      std::string("\x03\x00\x05\x00S51 0", 9),  // another value type
      std::string("\x08\x01\x05\x00S51 0", 9),
      std::string("\x08\x00\xFF\xFF\x05\x00", 6),  // long length cut off
      "S51 0 0",
  };
  for (const std::string& bytes : cases) {
    SCOPED_TRACE(bytes.size());
    EXPECT_THROW(DecodeGraphFile(bytes), IoError);
  }
  // A text cut short by the end of the file is taken as far as it goes.
  EXPECT_EQ(DecodeGraphFile(std::string("\x08\x00\x40\x00S51 0", 9)), "S51 0");
}

TEST(ParseDocument, TagGivesKindAndRotation) {
  struct Case {
    const char* tag;
    std::int32_t docType;
    float pitch;
    float yaw;
  };
  const Case cases[] = {
      {"S51", 1, 0, 0},    {"S54", 1, 0, 0},    {"S41", 1, 0, 0},
      {"S37", 7, 0, 0},    {"S52", 3, -15, 45}, {"S56", 3, -15, 45},
      {"S53", 2, -15, 45}, {"S55", 2, -15, 45}, {"S32", 3, -15, 45},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tag);
    DocumentValues values;
    const StagedDocument staged = ParseDocumentText(std::string(c.tag) + " 0 0", values, Cls3());
    EXPECT_EQ(staged.DocType, c.docType);
    EXPECT_EQ(staged.RotRoll, 0);
    EXPECT_EQ(staged.RotPitch, c.pitch);
    EXPECT_EQ(staged.RotYaw, c.yaw);
    EXPECT_EQ(staged.generation, c.tag[1] - '0');
  }
}

TEST(ParseDocument, RefusesOtherTags) {
  for (const char* tag : {"S1", "S6", "S11", "S16", "S21", "S27", "S30", "S38", "S58", "S61", "s51",
                          "S511", "51", "", "X51"}) {
    SCOPED_TRACE(tag);
    DocumentValues values;
    EXPECT_THROW(ParseDocumentText(std::string(tag) + " 0 0", values, Cls3()), IoError);
  }
}

TEST(ParseDocument, KindTokenChoosesTheRecord) {
  // Count 2: a graph record of generation 3 (30 fields) and a table record.
  const std::string graph3 = "0 7 a 1 0 0 x 1 4 0 1 -2 2 4 0 0 0 1 4 2 2 255 1 0 0 2 0 0 0 0";
  const std::string table3 = "4 12 pts 255 1 0 0 0 0 3 3 0 1 1 2 3 4 5 6";
  DocumentValues values;
  const StagedDocument staged =
      ParseDocumentText("S31 2 " + graph3 + " " + table3 + " 0", values, Cls3());
  ASSERT_EQ(staged.graphs.size(), 2u);
  EXPECT_TRUE(staged.graphs[0].sample);
  EXPECT_EQ(staged.graphs[0].graph->StepV(), 4);
  EXPECT_EQ(staged.graphs[0].entryText, "2D Curve  y=x");
  EXPECT_FALSE(staged.graphs[1].sample);
  EXPECT_EQ(staged.graphs[1].graph->VertTab3D(0, 1)->z(), 6.0f);
  EXPECT_EQ(staged.graphs[1].entryText, "2D Table Graph: pts");
  EXPECT_FALSE(staged.axis.Show());
}

// A record of an unknown kind is not consumed: the later slots are skipped
// and the axis is read from that token.
TEST(ParseDocument, UnknownKindStopsTheRecords) {
  Cls3 axis;
  axis.Show(true);
  axis.AxisWidth(4);
  DocumentValues values;
  const std::string graph3 = "0 7 a 1 0 0 x 1 4 0 1 -2 2 4 0 0 0 1 4 2 2 255 1 0 0 2 0 0 0 0";
  for (const char* kind : {"99", "17", "", "True", "00"}) {
    SCOPED_TRACE(kind);
    const StagedDocument staged =
        ParseDocumentText("S31 1000000 " + graph3 + " " + kind + " " + graph3, values, axis);
    EXPECT_EQ(staged.graphs.size(), 1u);
    EXPECT_EQ(staged.axis.Show(), std::string(kind) == "True");
    EXPECT_EQ(staged.axis.AxisWidth(), std::string(kind) == "True" ? 2 : 4);
  }
}

TEST(ParseDocument, RefusalsNameTheRecord) {
  DocumentValues values;
  try {
    ParseDocumentText("S31 2 4 1 t 255 1 0 0 0 0 3 3 0 0 1 2 3 5 2 t red", values, Cls3());
    ADD_FAILURE() << "not refused";
  } catch (const IoError& error) {
    EXPECT_STREQ(error.what(),
                 "Record 2 (table): The field LineColor (token 22, \"red\") is not a whole "
                 "number within the 32-bit integer range.");
  }
  EXPECT_THROW(ParseDocumentText("S51 99999999999 0", values, Cls3()), IoError);
  EXPECT_THROW(ParseDocumentText("S51 0 1 0 0 0 0 0 0 0 0 0 0 1E20", values, Cls3()), IoError);
}

TEST(ParseDocument, EntryTextsOfPlaneDocuments) {
  struct Case {
    std::int32_t funForm, coordType, graphType;
    bool step, stem;
    std::int32_t docTypeTag;
    const char* entry;
  };
  const Case cases[] = {
      {3, 2, 0, false, false, 1, "2D Curve  a=f1,r=f2"},
      {3, 2, 9, false, false, 1, "2D Curve Animation  a=f1,r=f2"},
      {3, 1, 0, false, false, 1, "2D Curve  x=f1,y=f2"},
      {3, 1, 9, false, false, 1, "2D Curve Animation  x=f1,y=f2"},
      {2, 2, 0, false, false, 1, "2D Curve  r=f2"},
      {2, 2, 9, false, false, 1, "2D Curve Animation  r=f2"},
      {2, 1, 0, false, false, 1, "2D Curve  y=f2"},
      {2, 1, 9, false, false, 1, "2D Curve Animation  y=f2"},
      {2, 1, 23, true, true, 1, "Step & Stem  y=f2"},
      {2, 1, 23, true, false, 1, "Step Plot  y=f2"},
      {2, 1, 23, false, true, 1, "Stem Plot  y=f2"},
      {2, 1, 20, false, false, 1, "Intersection  y=f2, y=e2"},
      // No entry in the file's table: the program's own wording.
      {2, 1, 23, false, false, 1, "Graph kind 23: my graph"},
      {1, 1, 0, false, false, 1, "2D Curve  f2=0"},
      {4, 2, 0, false, false, 1, "Inequation  f2<0"},
      {2, 1, 3, false, false, 1, "Graph kind 3: my graph"},
      {2, 1, 0, false, false, 3, "Graph kind 0: my graph"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.entry);
    DocumentValues values;
    Cls9 graph(values);
    graph.GraphType(c.graphType);
    graph.FunForm(c.funForm);
    graph.CoordType(c.coordType);
    graph.NameS("my graph");
    graph.ExpressY("f1");
    graph.ExpressZ("f2");
    graph.Exp2("e2");
    graph.ShowStep(c.step);
    graph.ShowStem(c.stem);
    const std::string tag = c.docTypeTag == 1 ? "S51" : "S52";
    const StagedDocument staged =
        ParseDocumentText(tag + " 1 " + Save(graph) + " 0", values, Cls3());
    ASSERT_EQ(staged.graphs.size(), 1u);
    EXPECT_EQ(staged.graphs[0].entryText, c.entry);
  }
}

TEST(ParseDocument, AnimatedRecordsCarryTheFrameCount) {
  DocumentValues values;
  values.AnimFrames = 5;
  Cls9 still(values);
  Cls9 moving(values);
  moving.GraphType(9);
  moving.Animation(true);
  values.AnimFrames = 30;
  values.AnimExtra = 2;
  const std::string text = "S51 3 " + Save(still) + " " + Save(moving) + " " + Save(still) + " 0";
  DocumentValues other;
  const StagedDocument staged = ParseDocumentText(text, other, Cls3());
  ASSERT_EQ(staged.graphs.size(), 3u);
  EXPECT_FALSE(staged.graphs[0].animFrames.has_value());
  EXPECT_EQ(staged.graphs[1].animFrames, 30);
  EXPECT_EQ(staged.graphs[1].animExtra, 2);
  EXPECT_FALSE(staged.graphs[2].animFrames.has_value());
  EXPECT_EQ(other.AnimFrames, 0);  // parsing changes nothing outside the staged document
}

}  // namespace
}  // namespace quillon
