// Graphs through the clipboard: the texts of Copy and Copy All, Cut, and Paste
// with its own field rules, entry texts, and texts it did not write.
#include "io/clipboard.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "graph/graph.h"
#include "io/document.h"
#include "io/graph_list_text.h"
#include "io/record_writer.h"
#include "io/token_cursor.h"
#include "support/codes.h"
#include "test_support.h"

namespace quillon {
namespace {

using namespace test;

std::shared_ptr<Graph> MakeTable(Document& document, const std::string& name) {
  std::shared_ptr<Graph> table = document.MakeGraph();
  table->kind = GraphKind::Table2D;
  table->name = name;
  table->stepsU = 1;
  table->stepsV = 0;
  table->TableCell(0, 0)->x = 1;
  table->TableCell(1, 0)->y = 2.5f;
  table->scatterSymbol = PointSymbol::Square;
  table->scatterSize = 4;
  return table;
}

// A record's text with its ID left out, for comparing graphs across IDs.
std::string WithoutID(Graph& graph) {
  std::vector<std::string> tokens = SplitTokens(SaveRecord(graph).value());
  tokens.erase(tokens.begin() + 1);
  return Join(tokens);
}

// Replaces token n (1-based) of a text by `replacement`, which may hold blanks.
std::string ReplaceToken(const std::string& text, std::size_t n, const std::string& replacement) {
  std::vector<std::string> tokens = SplitTokens(text);
  tokens.at(n - 1) = replacement;
  return Join(tokens);
}

class ClipboardTest : public ::testing::Test {
 protected:
  // What Paste must leave alone: every record and entry already there.
  std::string Existing(std::int32_t count) {
    std::string text;
    for (std::int32_t position = 1; position <= count; ++position) {
      const std::shared_ptr<Graph> graph = document.ListScene().Graphs().Item(position);
      text += Save(*graph) + "|" + document.Entries()[static_cast<std::size_t>(position - 1)].text;
      text += document.IsShown(graph->id) ? " shown\n" : "\n";
    }
    return text;
  }

  TestDocument document;
  FakeDialogs& dialogs = document.dialogs;
  GraphClipboard clipboard{document};
  TestDocument source;  // makes records apart from the document under test
};

TEST(ClipboardKind, EachDocumentKindTakesItsOwnKinds) {
  // The receiving document's kind, the clipboard's kind, whether it is taken.
  const std::tuple<std::int32_t, double, bool> cases[] = {
      {1, 1, true}, {1, 4, true},  {1, 2, false}, {1, 0, false}, {1, 1.5, false}, {1, 7, false},
      {2, 2, true}, {2, 5, true},  {2, 1, false}, {3, 3, true},  {3, 6, true},    {3, 2, false},
      {7, 7, true}, {7, 1, false}, {4, 0, true},  {0, 3, true},  {9, -2, true}};
  for (const auto& [docType, kind, accepted] : cases) {
    SCOPED_TRACE(std::to_string(docType) + " takes " + std::to_string(kind));
    EXPECT_EQ(AcceptsClipboardKind(testing::AsDocument(docType), kind), accepted);
  }
}

// The clipboard's own field rules (the record reader pins them all): an
// animated record's frame values are skipped, and a token that is no
// animation flag is FunForm, every later field one token early.
TEST_F(ClipboardTest, PasteReadsTheClipboardFormAndKeepsTheFrameValues) {
  document.Values().AnimFrames = 12;
  document.Values().AnimExtra = 5;
  std::shared_ptr<Graph> original = MakeCurve(source, "line", "x");
  original->inverseColor = 777;
  // Clipboard token 26 is Animation, 27 FunForm, 30 InvColor, 31 InvWidth.
  const std::string text = "1 " + Save(*original);
  clipboard.ClipGraphCount(1);
  ASSERT_EQ(clipboard.Paste(ReplaceToken(text, 26, "1 1.5 4 99 7"), std::nullopt).pasted, 1);
  EXPECT_TRUE(document.GraphAt(1).animated);
  EXPECT_EQ(document.GraphAt(1).maxT, 4.0f);
  EXPECT_EQ(document.GraphAt(1).form, FunctionForm::Explicit);
  EXPECT_EQ(document.GraphAt(1).inverseColor, 777);
  EXPECT_EQ(document.Values().AnimFrames, 12);
  EXPECT_EQ(document.Values().AnimExtra, 5);
  ASSERT_EQ(clipboard.Paste(ReplaceToken(text, 26, "-1"), std::nullopt).pasted, 1);
  EXPECT_FALSE(document.GraphAt(2).animated);
  EXPECT_EQ(testing::Code(document.GraphAt(2).form), -1);
  EXPECT_EQ(document.GraphAt(2).inverseWidth, 777);
}

// Tables always carry their tail on the clipboard; entries follow the
// receiving document's kind, which refuses other kinds.
TEST_F(ClipboardTest, TablesAndEntriesOfASpaceDocument) {
  document.Values().documentKind = DocumentKind::Space;
  const std::string curve = Save(*MakeCurve(source, "line", "x"));
  const std::shared_ptr<Graph> table = MakeTable(source, "samples");
  clipboard.ClipGraphCount(2);
  EXPECT_EQ(clipboard.Paste("6 " + SaveTable(*table) + " " + curve, 0).pasted, 2);
  ASSERT_EQ(document.Entries().size(), 2u);
  EXPECT_EQ(WithoutID(document.GraphAt(1)), WithoutID(*table));
  EXPECT_EQ(document.GraphAt(1).scatterSymbol, PointSymbol::Square);
  EXPECT_EQ(document.Entries()[0].text, "2D Table Graph: samples");
  EXPECT_EQ(document.Entries()[1].text, "Surface by rotation  y=x");
  EXPECT_TRUE(clipboard.Paste("1 " + curve, std::nullopt).refused);
  // A table as large as tables go is read whole.
  table->stepsU = Graph::kTableUpper;
  table->stepsV = Graph::kTableUpper;
  table->TableCell(200, 200)->z = 7;
  clipboard.ClipGraphCount(1);
  EXPECT_EQ(clipboard.Paste("6 " + SaveTable(*table), 0).pasted, 1);
  EXPECT_EQ(WithoutID(document.GraphAt(3)), WithoutID(*table));
}

TEST_F(ClipboardTest, CutOfTheOnlyCheckedGraphEmptiesShowScene) {
  AddCurve(document, "parabola", "x^2");
  AddCurve(document, "line", "x");
  document.SetChecked(1, false);
  const std::optional<std::string> text = clipboard.Cut(0);
  ASSERT_TRUE(text);
  EXPECT_EQ(Lists(document), "2 | | -2D Curve  y=x; ");
  // With nothing shown, Copy does nothing and Cut keeps the graph it could not copy.
  clipboard.ClipGraphCount(7);
  EXPECT_FALSE(clipboard.Copy(0));
  EXPECT_FALSE(clipboard.Cut(0));
  EXPECT_EQ(clipboard.ClipGraphCount(), 7);
  // The cut graph comes back unchecked, like the selected entry.
  clipboard.ClipGraphCount(1);
  EXPECT_EQ(clipboard.Paste(*text, 0).pasted, 1);
  EXPECT_EQ(Lists(document), "2 3 | | -2D Curve  y=x; -2D Curve  y=x^2; ");
  // Sampled all the same, so that a faulty expression is told at once.
  EXPECT_TRUE(dialogs.told.empty());
  EXPECT_EQ(clipboard.Paste("1 " + Save(*MakeCurve(source, "broken", "sin(")), 1).pasted, 1);
  ASSERT_EQ(dialogs.told.size(), 1u);
  EXPECT_EQ(dialogs.told[0].rfind("Syntax Error: ", 0), 0u);
  EXPECT_TRUE(document.ShowScene().Graphs().Empty());
}

// Copy takes the selected graph, unchecked too, while any is shown.
TEST_F(ClipboardTest, CopyAllAndCutAllTakeEveryGraph) {
  document.Populate();
  EXPECT_FALSE(clipboard.Copy(std::nullopt) || clipboard.Copy(3));
  EXPECT_EQ(clipboard.Copy(1), "1 " + Save(document.GraphAt(2)));
  EXPECT_EQ(clipboard.ClipGraphCount(), 1);
  const std::optional<std::string> text = clipboard.CopyAll();
  ASSERT_TRUE(text);
  EXPECT_EQ(*text, "1 " + Save(document.GraphAt(1)) + " " + Save(document.GraphAt(2)) + " " +
                       Save(document.GraphAt(3)) + " ");
  EXPECT_EQ(clipboard.ClipGraphCount(), 3);
  const std::string before = Existing(3);
  EXPECT_EQ(clipboard.Paste(*text, 2).pasted, 3);
  EXPECT_EQ(Existing(3), before);
  // Pasted after a checked entry: new IDs, checked and shown.
  ASSERT_EQ(Lists(document),
            "1 2 3 4 5 6 | 1 3 4 5 6 | +2D Curve  y=x^2; -2D Curve  x=cos(u), y=sin(u); "
            "+2D Curve  r=a/2; +2D Curve  y=x^2; +2D Curve  x=cos(u),y=sin(u); "
            "+2D Curve  r=a/2; ");
  for (std::int32_t position = 1; position <= 3; ++position) {
    EXPECT_EQ(WithoutID(document.GraphAt(position + 3)), WithoutID(document.GraphAt(position)))
        << position;
  }
  ASSERT_NE(document.GraphAt(4).Points().Find(0, 8), nullptr);  // sampled
  EXPECT_FLOAT_EQ(document.GraphAt(4).Points().Find(0, 8)->y, 4.0f);
  ASSERT_TRUE(clipboard.CutAll());
  EXPECT_EQ(clipboard.ClipGraphCount(), 6);
  EXPECT_TRUE(document.ListScene().Graphs().Empty());
  EXPECT_TRUE(document.Entries().empty());
  // Copy All of nothing counts nothing, and Paste then reads nothing.
  EXPECT_EQ(clipboard.CopyAll(), "1 ");
  EXPECT_EQ(clipboard.ClipGraphCount(), 0);
  EXPECT_EQ(clipboard.Paste(*text, std::nullopt).pasted, 0);
  // ClipGraphCount decides how many records are read; new IDs follow the
  // last one handed out.
  clipboard.ClipGraphCount(2);
  EXPECT_EQ(clipboard.Paste(*text, std::nullopt).pasted, 2);
  EXPECT_EQ(document.GraphAt(1).id, 7);
  clipboard.ClipGraphCount(9);
  EXPECT_EQ(clipboard.Paste(*text, std::nullopt).pasted, 3);
}

// Texts from elsewhere: the outcome is "refused", or the number of graphs
// pasted and skipped and the name of the first one pasted.
TEST_F(ClipboardTest, TextsFromElsewhereAreSafe) {
  AddCurve(document, "kept", "x");
  const std::string before = Existing(1);
  const std::string good = Save(*MakeCurve(source, "good", "1"));
  const std::string bad = "1 " + Save(*MakeCurve(source, "bad", "2")) + " " + good;
  const std::string table = SaveTable(*MakeTable(source, "tab"));
  const std::string badTable = "1 " + table + " " + good;
  // Clipboard tokens (the document kind is token 1) of `bad`: 11 MinU, 61 CurvNum;
  // of `badTable`: 5 LineColor, 13 StepU.
  // ClipGraphCount, the text, the outcome.
  const std::tuple<std::int32_t, std::string, std::string> cases[] = {
      {3, "hello world", "refused"},
      {1, "", "refused"},
      {1, "2 " + good, "refused"},  // the kind of another document
      {1, "1abc " + good, "1 0 good"},
      {1, "1", "0 0"},
      {2, "1 hello " + good, "0 0"},  // an unknown record kind ends the paste
      {2, "1 0 5 stub", "1 0 stub"},  // cut short
      {5, "1 " + good, "1 0 good"},   // fewer records than announced
      {2, ReplaceToken(bad, 11, "1E39"), "1 1 good"},
      {2, ReplaceToken(badTable, 5, "red"), "1 1 good"},
      {3,
       ReplaceToken(ReplaceToken("1 " + table + " " + bad.substr(2), 5, "x"),
                    SplitTokens(table).size() + 1 + 10, "-1E99"),
       "1 2 good"},
      // A count or table size beyond the arrays leaves the records after it
      // without known bounds.
      {2, ReplaceToken(bad, 61, "60"), "0 1"},
      {2, ReplaceToken(bad, 61, "1E20"), "0 1"},
      {2, ReplaceToken(badTable, 13, "500"), "0 1"},
      {3, ReplaceToken("1 " + good + " " + bad.substr(2), SplitTokens(good).size() + 1 + 60, "51"),
       "1 1 good"},
  };
  for (const auto& [count, text, expected] : cases) {
    SCOPED_TRACE(text.substr(0, 20));
    clipboard.ClipGraphCount(count);
    const std::int32_t countBefore = document.ListScene().Graphs().Count();
    const PasteResult result = clipboard.Paste(text, std::nullopt);
    std::string outcome = std::to_string(result.pasted) + " " + std::to_string(result.skipped);
    if (result.pasted > 0) {
      outcome += " " + document.GraphAt(countBefore + 1).name;
    }
    EXPECT_EQ(result.refused ? "refused" : outcome, expected);
    EXPECT_EQ(Existing(1), before);
    ASSERT_EQ(document.ListScene().Graphs().Count(), countBefore + result.pasted);
    ASSERT_EQ(document.Entries().size(), static_cast<std::size_t>(countBefore + result.pasted));
  }
  EXPECT_EQ(document.Values().documentKind, DocumentKind::Plane);
  EXPECT_TRUE(document.MainAxis().shown);
}

// The list entries of pasted graphs, and of graphs read from a file where the
// `opened` column gives one (the file's own table, else the program's wording);
// step and stem plots take theirs from what they show.
TEST(EntryText, ByDocumentKindFormCoordinatesAndGraphKind) {
  struct Case {
    std::int32_t docType, form, coords, kind;
    std::optional<std::string> pasted;
    const char* opened;
    bool step = false, stem = false;
  };
  const std::vector<Case> cases = {
      {1, 1, 2, 0, "2D Curve  Z=0", "2D Curve  Z=0"},
      {1, 1, 1, 0, "2D Curve  Z=0", "2D Curve  Z=0"},
      {1, 4, 1, 0, "Inequation  Z<0", "Inequation  Z<0"},
      {1, 2, 2, 0, "2D Curve  r=Z", "2D Curve  r=Z"},
      {1, 2, 1, 9, "2D Curve Animation  y=Z", "2D Curve Animation  y=Z"},
      {1, 2, 1, 23, std::nullopt, "Graph kind 23: N"},
      {1, 2, 1, 23, "Step Plot  y=Z", "Step Plot  y=Z", true, false},
      {1, 2, 1, 23, "Step & Stem  y=Z", "Step & Stem  y=Z", true, true},
      {1, 2, 1, 23, "Stem Plot  y=Z", "Stem Plot  y=Z", false, true},
      {1, 2, 1, 20, "Intersection  y=Z, y=E", "Intersection  y=Z, y=E"},
      {1, 3, 2, 0, "2D Curve  a=Y,r=Z", "2D Curve  a=Y,r=Z"},
      {1, 3, 1, 9, "2D Curve Animation  x=Y,y=Z", "2D Curve Animation  x=Y,y=Z"},
      {1, 4, 2, 0, "Inequation  Z<0", "Inequation  Z<0"},
      {1, 4, 1, 9, "Inequation Animation  Z<0", "Graph kind 9: N"},
      {1, 5, 1, 7, "Point  x=Y, y=Z", "Graph kind 7: N"},
      {1, 3, 2, 8, "Point Animation  a=Y, r=Z", nullptr},
      {1, 0, 3, 7, std::nullopt, nullptr},
      {1, 7, 9, 36, "ODE dy/dx=Z", nullptr},
      {1, 3, 3, 0, std::nullopt, "Graph kind 0: N"},
      {1, 2, 1, 3, std::nullopt, "Graph kind 3: N"},
      {2, 2, 1, 3, "2.5D Ribbon  y=Z", nullptr},
      {2, 2, 2, 10, "2.5D Ribbon Animation  r=Z", nullptr},
      {2, 3, 1, 3, "2.5D Ribbon  x=Y, y=Z", nullptr},
      {2, 3, 1, 10, "2.5D Ribbon Animation  x=Y,y=Z", nullptr},
      {2, 3, 2, 3, "2.5D Ribbon  a=Y, r=Z", nullptr},
      {2, 1, 2, 7, "Point  a=Y, r=Z", nullptr},
      {2, 2, 1, 0, std::nullopt, "Graph kind 0: N"},
      {3, 3, 3, 1, "3D Curve  x=X,y=Y,z=Z", nullptr},
      {3, 3, 4, 2, "3D Surface  a=X,r=Y,z=Z", nullptr},
      {3, 3, 5, 11, "3D Curve Animation  a=X,b=Y,r=Z", nullptr},
      {3, 3, 3, 12, "3D Surface Animation  x=X,y=Y,z=Z", nullptr},
      {3, 2, 1, 31, "Surface by rotation  y=Z", nullptr},
      {3, 2, 3, 2, "3D Surface  z=Z", nullptr},
      {3, 2, 4, 11, "3D Curve Animation  z=Z", nullptr},
      {3, 2, 5, 1, "3D Curve  r=Z", nullptr},
      {3, 2, 3, 13, std::nullopt, nullptr},
      {3, 1, 1, 31, "Vector ", nullptr},
      {3, 1, 1, 32, "Vector Operation ", nullptr},
      {3, 3, 3, 7, "Point  x=X, y=Y, z=Z", nullptr},
      {3, 0, 4, 7, "Point  a=X, r=Y, z=Z", nullptr},
      {3, 0, 5, 8, "Point Animation  a=X, b=Y, r=Z", nullptr},
      {3, 0, 1, 7, std::nullopt, nullptr},
      {7, 0, 0, 13, "Color Map  x=X, y=Y, z=Z", nullptr},
      {7, 0, 0, 14, "Contour Plot  x=X, y=Y, z=Z", nullptr},
      {7, 0, 0, 15, "Vector Plot  x=X, y=Y, z=Z", nullptr},
      {7, 2, 1, 0, std::nullopt, nullptr},
      {5, 2, 1, 0, std::nullopt, nullptr},
      // Tables whatever the document kind.
      {1, 0, 0, 4, "2D Table Graph: N", nullptr},
      {3, 0, 0, 5, "2.5D Table Graph: N", nullptr},
      {5, 0, 0, 6, "3D Table Graph: N", nullptr},
  };
  DocumentValues values;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.docType) + " " + std::to_string(c.form) + " " +
                 std::to_string(c.coords) + " " + std::to_string(c.kind));
    Graph graph(values);
    graph.kind = testing::AsKind(c.kind);
    graph.form = testing::AsForm(c.form);
    graph.coordinates = testing::AsSystem(c.coords);
    graph.expressionX = "X";
    graph.expressionY = "Y";
    graph.expressionZ = "Z";
    graph.secondCurveExpression = "E";
    graph.name = "N";
    graph.showStepPlot = c.step;
    graph.showStemPlot = c.stem;
    EXPECT_EQ(PastedGraphEntryText(graph, testing::AsDocument(c.docType)), c.pasted);
    if (c.opened != nullptr) {
      EXPECT_EQ(OpenedGraphEntryText(graph, testing::AsDocument(c.docType))
                    .value_or(FallbackEntryText(graph)),
                c.opened);
    }
  }
}

}  // namespace
}  // namespace quillon
