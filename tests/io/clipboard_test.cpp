// Graphs through the clipboard: the texts of Copy and Copy All, Cut, and Paste
// with its own field rules, entry texts, and texts it did not write.
#include "io/clipboard.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "graph/graph_record.h"
#include "io/document.h"
#include "io/record_writer.h"
#include "io/token_cursor.h"
#include "test_support.h"

namespace quillon {
namespace {

using test::AddCurve;
using test::FakeDialogs;
using test::Join;
using test::MakeCurve;

std::shared_ptr<Cls9> MakeTable(Document& document, const std::string& name) {
  std::shared_ptr<Cls9> table = document.MakeGraph();
  table->GraphType(4);
  table->NameS(name);
  table->StepU(1);
  table->StepV(0);
  table->VertTab3D(0, 0)->X(1);
  table->VertTab3D(1, 0)->Y(2.5f);
  table->Symbol(3);
  table->ScatterSize(4);
  return table;
}

// A record's text with its ID left out, for comparing graphs across IDs.
std::string WithoutID(Cls9& graph) {
  std::vector<std::string> tokens =
      SplitTokens(IsTableRecordKind(graph.GraphType()) ? SaveTable(graph) : Save(graph));
  tokens.erase(tokens.begin() + 1);
  std::string text;
  for (const std::string& token : tokens) {
    text += token + " ";
  }
  return text;
}

// Replaces token n (1-based) of a text by `replacement`, which may hold blanks.
std::string ReplaceToken(const std::string& text, std::size_t n, const std::string& replacement) {
  std::vector<std::string> tokens = SplitTokens(text);
  tokens.at(n - 1) = replacement;
  return Join(tokens);
}

class ClipboardTest : public ::testing::Test {
 protected:
  // parabola (checked), circle (unchecked), spiral (checked, polar).
  void Populate() {
    AddCurve(document, MakeCurve(document, "parabola", "x^2"));
    AddCurve(document, MakeCurve(document, "circle", "sin(u)", 3));
    AddCurve(document, MakeCurve(document, "spiral", "a/2", 2, 2));
    document.SetChecked(1, false);
  }

  // What Paste must leave alone: every record and entry already there.
  std::string Existing(std::int32_t count) {
    std::string text;
    for (std::int32_t position = 1; position <= count; ++position) {
      const std::shared_ptr<Cls9> graph = document.ListScene().Graphs().Item(position);
      text += Save(*graph) + "|" + document.Entries()[static_cast<std::size_t>(position - 1)].text;
      text += document.IsShown(graph->ID()) ? " shown\n" : "\n";
    }
    return text;
  }

  Cls9& Graph(std::int32_t position) { return *document.ListScene().Graphs().Item(position); }

  FakeDialogs dialogs;
  Document document{dialogs};
  GraphClipboard clipboard{document};
  // Records made apart from the document under test.
  FakeDialogs sourceDialogs;
  Document source{sourceDialogs};
};

TEST_F(ClipboardTest, CopyThenPasteAddsAnEqualGraphWithANewID) {
  Populate();
  const std::optional<std::string> text = clipboard.Copy(0);
  ASSERT_TRUE(text);
  EXPECT_EQ(*text, "1 " + Save(Graph(1)));
  EXPECT_NE(text->back(), ' ');
  EXPECT_EQ(clipboard.ClipGraphCount(), 1);

  const PasteResult result = clipboard.Paste(*text, 0);
  EXPECT_EQ(result.pasted, 1);
  ASSERT_EQ(document.ListScene().Graphs().Count(), 4);
  Cls9& pasted = Graph(4);
  EXPECT_EQ(pasted.ID(), 4);
  EXPECT_EQ(document.LastGraphID(), 4);
  EXPECT_NE(&pasted, &Graph(1));
  EXPECT_EQ(WithoutID(pasted), WithoutID(Graph(1)));
  ASSERT_EQ(document.Entries().size(), 4u);
  EXPECT_EQ(document.Entries()[3].text, "2D Curve  y=x^2");
  EXPECT_TRUE(document.Entries()[3].checked);
  // Shown and sampled: y = x^2 at x = 2 is the last of the 9 points.
  EXPECT_TRUE(document.IsShown(4));
  ASSERT_NE(pasted.Vert3D(0, 8), nullptr);
  EXPECT_FLOAT_EQ(pasted.Vert3D(0, 8)->Y(), 4.0f);
  EXPECT_TRUE(dialogs.told.empty());
}

TEST_F(ClipboardTest, CopyAllThenPasteAppendsEveryGraph) {
  Populate();
  const std::optional<std::string> text = clipboard.CopyAll();
  ASSERT_TRUE(text);
  EXPECT_EQ(*text, "1 " + Save(Graph(1)) + " " + Save(Graph(2)) + " " + Save(Graph(3)) + " ");
  EXPECT_EQ(clipboard.ClipGraphCount(), 3);
  const std::string before = Existing(3);

  EXPECT_EQ(clipboard.Paste(*text, 2).pasted, 3);
  EXPECT_EQ(Existing(3), before);
  ASSERT_EQ(document.ListScene().Graphs().Count(), 6);
  for (std::int32_t position = 1; position <= 3; ++position) {
    SCOPED_TRACE(position);
    EXPECT_EQ(Graph(position + 3).ID(), position + 3);
    EXPECT_EQ(WithoutID(Graph(position + 3)), WithoutID(Graph(position)));
  }
  // The pasted entries take the clipboard's wording, not the Draw commands'.
  EXPECT_EQ(document.Entries()[4].text, "2D Curve  x=cos(u),y=sin(u)");
  EXPECT_EQ(document.Entries()[5].text, "2D Curve  r=a/2");
  EXPECT_EQ(document.ShowScene().Graphs().Count(), 5);
}

TEST(ClipboardKind, EachDocumentKindTakesItsOwnKinds) {
  struct Case {
    std::int32_t docType;
    double kind;
    bool accepted;
  };
  const Case cases[] = {
      {1, 1, true}, {1, 4, true},  {1, 2, false}, {1, 0, false}, {1, 1.5, false}, {1, 7, false},
      {2, 2, true}, {2, 5, true},  {2, 1, false}, {3, 3, true},  {3, 6, true},    {3, 2, false},
      {7, 7, true}, {7, 1, false}, {4, 0, true},  {0, 3, true},  {9, -2, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.docType) + " takes " + std::to_string(c.kind));
    EXPECT_EQ(AcceptsClipboardKind(c.docType, c.kind), c.accepted);
  }
}

TEST_F(ClipboardTest, PasteReadsTheKindOfTheFirstToken) {
  const std::string record = Save(*MakeCurve(source, "line", "x"));
  clipboard.ClipGraphCount(1);
  struct Case {
    std::string head;
    bool accepted;
  };
  const Case cases[] = {{"4", true}, {"4.0", true}, {"1abc", true}, {"2", false},
                        {"", false}, {"x", false},  {"7", false}};
  std::int32_t expected = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.head);
    const PasteResult result = clipboard.Paste(c.head + " " + record, std::nullopt);
    EXPECT_EQ(result.refused, !c.accepted);
    expected += c.accepted ? 1 : 0;
    EXPECT_EQ(document.ListScene().Graphs().Count(), expected);
  }
  EXPECT_EQ(document.Values().DocType, 1);
}

TEST_F(ClipboardTest, PasteFieldRules) {
  document.Values().AnimFrames = 12;
  document.Values().AnimExtra = 5;
  std::shared_ptr<Cls9> original = MakeCurve(source, "line", "x");
  original->PointSize(3);
  original->InvColor(777);
  const std::string text = "1 " + Save(*original);
  // Clipboard tokens: 24 PointSize, 25 PointHollow, 26 Animation, 27 FunForm,
  // 28 Show2DCurve, 29 ShowInverse, 30 InvColor, 31 InvWidth.
  struct Case {
    const char* name;
    std::size_t token;
    std::string replacement;
    std::function<void(const Cls9&)> check;
  };
  const std::vector<Case> cases = {
      {"any point size", 24, "2.5", [](const Cls9& g) { EXPECT_EQ(g.PointSize(), 2.5f); }},
      {"point size 12", 24, "12", [](const Cls9& g) { EXPECT_EQ(g.PointSize(), 12.0f); }},
      {"hollow -1", 25, "-1", [](const Cls9& g) { EXPECT_TRUE(g.PointHollow()); }},
      {"hollow 1", 25, "1", [](const Cls9& g) { EXPECT_TRUE(g.PointHollow()); }},
      {"hollow True", 25, "True", [](const Cls9& g) { EXPECT_FALSE(g.PointHollow()); }},
      {"animated", 26, "1 1.5 4 99 7",
       [](const Cls9& g) {
         EXPECT_TRUE(g.Animation());
         EXPECT_EQ(g.MinT(), 1.5f);
         EXPECT_EQ(g.MaxT(), 4.0f);
         EXPECT_EQ(g.FunForm(), 2);
         EXPECT_EQ(g.InvColor(), 777);
       }},
      {"animated True", 26, "True -1 1 0 0",
       [](const Cls9& g) {
         EXPECT_TRUE(g.Animation());
         EXPECT_EQ(g.MinT(), -1.0f);
         EXPECT_EQ(g.InvColor(), 777);
       }},
      {"not animated False", 26, "False",
       [](const Cls9& g) {
         EXPECT_FALSE(g.Animation());
         EXPECT_EQ(g.FunForm(), 2);
         EXPECT_EQ(g.InvColor(), 777);
       }},
      // Not an animation token: FunForm comes from it and every later field
      // one token early (InvWidth takes what InvColor was written as).
      {"animation -1", 26, "-1",
       [](const Cls9& g) {
         EXPECT_FALSE(g.Animation());
         EXPECT_EQ(g.FunForm(), -1);
         EXPECT_EQ(g.InvColor(), 0);
         EXPECT_EQ(g.InvWidth(), 777);
       }},
      {"animation true", 26, "true",
       [](const Cls9& g) {
         EXPECT_EQ(g.FunForm(), 0);
         EXPECT_EQ(g.InvWidth(), 777);
       }},
  };
  clipboard.ClipGraphCount(1);
  std::int32_t count = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(clipboard.Paste(ReplaceToken(text, c.token, c.replacement), std::nullopt).pasted, 1);
    ++count;
    ASSERT_EQ(document.ListScene().Graphs().Count(), count);
    c.check(Graph(count));
    EXPECT_EQ(Graph(count).ID(), count);
    EXPECT_EQ(document.Values().AnimFrames, 12);
    EXPECT_EQ(document.Values().AnimExtra, 5);
  }
}

TEST_F(ClipboardTest, TablesPasteWithTheirTail) {
  const std::shared_ptr<Cls9> table = MakeTable(source, "samples");
  clipboard.ClipGraphCount(2);
  const std::string text = "1 " + SaveTable(*table) + " " + Save(*MakeCurve(source, "after", "1"));
  EXPECT_EQ(clipboard.Paste(text, std::nullopt).pasted, 2);
  ASSERT_EQ(document.ListScene().Graphs().Count(), 2);
  EXPECT_EQ(WithoutID(Graph(1)), WithoutID(*table));
  EXPECT_EQ(Graph(1).Symbol(), 3);
  EXPECT_EQ(Graph(2).NameS(), "after");
  EXPECT_EQ(document.Entries()[0].text, "2D Table Graph: samples");
}

TEST_F(ClipboardTest, CutOfTheOnlyCheckedGraphEmptiesShowScene) {
  AddCurve(document, MakeCurve(document, "parabola", "x^2"));
  AddCurve(document, MakeCurve(document, "line", "x"));
  document.SetChecked(1, false);
  const std::optional<std::string> text = clipboard.Cut(0);
  ASSERT_TRUE(text);
  EXPECT_TRUE(document.ShowScene().Graphs().Empty());
  ASSERT_EQ(document.ListScene().Graphs().Count(), 1);
  EXPECT_EQ(Graph(1).NameS(), "line");
  ASSERT_EQ(document.Entries().size(), 1u);
  // With nothing shown, Copy does nothing and Cut keeps the graph it could not copy.
  clipboard.ClipGraphCount(7);
  EXPECT_FALSE(clipboard.Copy(0));
  EXPECT_FALSE(clipboard.Cut(0));
  EXPECT_EQ(clipboard.ClipGraphCount(), 7);
  EXPECT_EQ(document.ListScene().Graphs().Count(), 1);
  // The cut graph comes back unchecked, like the selected entry.
  clipboard.ClipGraphCount(1);
  EXPECT_EQ(clipboard.Paste(*text, 0).pasted, 1);
  EXPECT_EQ(document.Entries()[1].text, "2D Curve  y=x^2");
  EXPECT_FALSE(document.Entries()[1].checked);
  EXPECT_TRUE(document.ShowScene().Graphs().Empty());
}

// A pasted graph is sampled whatever its check state, so a faulty
// expression is told at once.
TEST_F(ClipboardTest, UncheckedPastedGraphsAreSampledToo) {
  AddCurve(document, MakeCurve(document, "line", "x"));
  document.SetChecked(0, false);
  clipboard.ClipGraphCount(1);
  EXPECT_EQ(clipboard.Paste("1 " + Save(*MakeCurve(source, "broken", "sin(")), 0).pasted, 1);
  ASSERT_EQ(dialogs.told.size(), 1u);
  EXPECT_EQ(dialogs.told[0].title, "Syntax Error");
  EXPECT_FALSE(document.Entries()[1].checked);
  EXPECT_TRUE(document.ShowScene().Graphs().Empty());
}

TEST_F(ClipboardTest, CopyNeedsASelectedEntry) {
  Populate();
  EXPECT_FALSE(clipboard.Copy(std::nullopt));
  EXPECT_FALSE(clipboard.Copy(3));
  EXPECT_EQ(clipboard.ClipGraphCount(), 0);
  // An unchecked graph is copied while another one is shown.
  const std::optional<std::string> text = clipboard.Copy(1);
  ASSERT_TRUE(text);
  EXPECT_EQ(text->substr(0, 11), "1 0 2 circl");
}

TEST_F(ClipboardTest, CutAllEmptiesTheDocument) {
  Populate();
  const std::optional<std::string> text = clipboard.CutAll();
  ASSERT_TRUE(text);
  EXPECT_EQ(clipboard.ClipGraphCount(), 3);
  EXPECT_TRUE(document.ListScene().Graphs().Empty());
  EXPECT_TRUE(document.Entries().empty());
  // Copy All of nothing counts nothing, and Paste then reads nothing.
  EXPECT_EQ(clipboard.CopyAll(), "1 ");
  EXPECT_EQ(clipboard.ClipGraphCount(), 0);
  EXPECT_EQ(clipboard.Paste(*text, std::nullopt).pasted, 0);
  clipboard.ClipGraphCount(3);
  EXPECT_EQ(clipboard.Paste(*text, std::nullopt).pasted, 3);
  // New IDs follow the last one handed out.
  EXPECT_EQ(Graph(1).ID(), 4);
}

TEST_F(ClipboardTest, ClipGraphCountDecidesHowManyRecordsAreRead) {
  Populate();
  const std::string text = *clipboard.CopyAll();
  clipboard.ClipGraphCount(2);
  EXPECT_EQ(clipboard.Paste(text, std::nullopt).pasted, 2);
  clipboard.ClipGraphCount(9);
  EXPECT_EQ(clipboard.Paste(text, std::nullopt).pasted, 3);
  EXPECT_EQ(document.ListScene().Graphs().Count(), 8);
}

TEST_F(ClipboardTest, TextsFromElsewhereAreSafe) {
  AddCurve(document, MakeCurve(document, "kept", "x"));
  const std::string before = Existing(1);
  const std::string good = Save(*MakeCurve(source, "good", "1"));
  const std::string bad = Save(*MakeCurve(source, "bad", "2"));
  const std::string table = SaveTable(*MakeTable(source, "tab"));
  // Clipboard tokens (the document kind is token 1) of `bad`: 11 MinU, 18 LineColor,
  // 61 CurvNum;
  // of `table`: 5 LineColor, 13 StepU.
  struct Case {
    const char* name;
    std::int32_t count;
    std::string text;
    bool refused;
    std::int32_t pasted;
    std::int32_t skipped;
    std::string firstName;
  };
  const std::vector<Case> cases = {
      {"prose", 3, "hello world", true, 0, 0, ""},
      {"empty", 1, "", true, 0, 0, ""},
      {"kind only", 1, "1", false, 0, 0, ""},
      {"unknown record kind", 2, "1 hello " + good, false, 0, 0, ""},
      {"negative kind", 1, "1 -1 " + good, false, 0, 0, ""},
      {"cut short", 2, "1 0 5 stub", false, 1, 0, "stub"},
      {"too many records announced", 5, "1 " + good, false, 1, 0, "good"},
      {"number beyond range", 2, ReplaceToken("1 " + bad + " " + good, 11, "1E39"), false, 1, 1,
       "good"},
      {"integer beyond range", 2, ReplaceToken("1 " + bad + " " + good, 18, "3E9"), false, 1, 1,
       "good"},
      {"table colour no number", 2, ReplaceToken("1 " + table + " " + good, 5, "red"), false, 1, 1,
       "good"},
      {"table colour beyond range", 2, ReplaceToken("1 " + table + " " + good, 5, "1E10"), false, 1,
       1, "good"},
      {"both bad", 3,
       ReplaceToken(ReplaceToken("1 " + table + " " + bad + " " + good, 5, "x"),
                    SplitTokens(table).size() + 1 + 10, "-1E99"),
       false, 1, 2, "good"},
      {"count above 50", 2, ReplaceToken("1 " + bad + " " + good, 61, "60"), false, 0, 1, ""},
      {"count beyond range", 2, ReplaceToken("1 " + bad + " " + good, 61, "1E20"), false, 0, 1, ""},
      {"table size", 2, ReplaceToken("1 " + table + " " + good, 13, "500"), false, 0, 1, ""},
      {"bad after good", 3,
       ReplaceToken("1 " + good + " " + bad + " " + good, SplitTokens(good).size() + 1 + 60, "51"),
       false, 1, 1, "good"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    clipboard.ClipGraphCount(c.count);
    const std::int32_t countBefore = document.ListScene().Graphs().Count();
    const PasteResult result = clipboard.Paste(c.text, std::nullopt);
    EXPECT_EQ(result.refused, c.refused);
    EXPECT_EQ(result.pasted, c.pasted);
    EXPECT_EQ(result.skipped, c.skipped);
    EXPECT_EQ(Existing(1), before);
    ASSERT_EQ(document.ListScene().Graphs().Count(), countBefore + c.pasted);
    ASSERT_EQ(document.Entries().size(), static_cast<std::size_t>(countBefore + c.pasted));
    if (c.pasted > 0) {
      EXPECT_EQ(Graph(countBefore + 1).NameS(), c.firstName);
    }
  }
  EXPECT_EQ(document.Values().DocType, 1);
  EXPECT_TRUE(document.MainAxis().Show());
}

TEST_F(ClipboardTest, PastedEntriesFollowTheDocumentKind) {
  document.Values().DocType = 3;
  std::shared_ptr<Cls9> surface = source.MakeGraph();
  surface->GraphType(2);
  surface->CoordType(3);
  surface->FunForm(3);
  surface->ExpressX("u");
  surface->ExpressY("v");
  surface->ExpressZ("u*v");
  surface->StepU(2);
  surface->StepV(2);
  clipboard.ClipGraphCount(2);
  const std::string text = "6 " + Save(*surface) + " " + SaveTable(*MakeTable(source, "t"));
  EXPECT_EQ(clipboard.Paste(text, std::nullopt).pasted, 2);
  ASSERT_EQ(document.Entries().size(), 2u);
  EXPECT_EQ(document.Entries()[0].text, "3D Surface  x=u,y=v,z=u*v");
  EXPECT_EQ(document.Entries()[1].text, "2D Table Graph: t");
  EXPECT_TRUE(clipboard.Paste("1 " + Save(*surface), std::nullopt).refused);
}

TEST(PastedEntryText, ByDocumentKindFormCoordinatesAndGraphKind) {
  struct Case {
    std::int32_t docType;
    std::int32_t form;
    std::int32_t coords;
    std::int32_t kind;
    std::optional<std::string> text;
  };
  const std::vector<Case> cases = {
      {1, 1, 2, 0, "2D Curve  Z=0"},
      {1, 1, 1, 9, "2D Curve Animation  Z=0"},
      {1, 2, 2, 0, "2D Curve  r=Z"},
      {1, 2, 2, 9, "2D Curve Animation  r=Z"},
      {1, 2, 1, 0, "2D Curve  y=Z"},
      {1, 2, 1, 9, "2D Curve Animation  y=Z"},
      {1, 2, 1, 23, std::nullopt},
      {1, 2, 1, 20, "Intersection  y=Z, y=E"},
      {1, 3, 2, 0, "2D Curve  a=Y,r=Z"},
      {1, 3, 2, 9, "2D Curve Animation  a=Y,r=Z"},
      {1, 3, 1, 0, "2D Curve  x=Y,y=Z"},
      {1, 3, 1, 9, "2D Curve Animation  x=Y,y=Z"},
      {1, 4, 2, 0, "Inequation  Z<0"},
      {1, 4, 1, 9, "Inequation Animation  Z<0"},
      {1, 5, 1, 7, "Point  x=Y, y=Z"},
      {1, 2, 2, 7, "Point  a=Y, r=Z"},
      {1, 0, 1, 8, "Point Animation  x=Y, y=Z"},
      {1, 3, 2, 8, "Point Animation  a=Y, r=Z"},
      {1, 0, 3, 7, std::nullopt},
      {1, 7, 9, 36, "ODE dy/dx=Z"},
      {1, 3, 3, 0, std::nullopt},
      {1, 2, 1, 3, std::nullopt},
      {2, 2, 1, 3, "2.5D Ribbon  y=Z"},
      {2, 2, 1, 10, "2.5D Ribbon Animation  y=Z"},
      {2, 2, 2, 3, "2.5D Ribbon  r=Z"},
      {2, 2, 2, 10, "2.5D Ribbon Animation  r=Z"},
      {2, 3, 1, 3, "2.5D Ribbon  x=Y, y=Z"},
      {2, 3, 1, 10, "2.5D Ribbon Animation  x=Y,y=Z"},
      {2, 3, 2, 3, "2.5D Ribbon  a=Y, r=Z"},
      {2, 3, 2, 10, "2.5D Ribbon Animation  a=Y, r=Z"},
      {2, 1, 2, 7, "Point  a=Y, r=Z"},
      {2, 1, 1, 8, "Point Animation  x=Y, y=Z"},
      {2, 2, 1, 0, std::nullopt},
      {3, 3, 3, 1, "3D Curve  x=X,y=Y,z=Z"},
      {3, 3, 4, 2, "3D Surface  a=X,r=Y,z=Z"},
      {3, 3, 5, 11, "3D Curve Animation  a=X,b=Y,r=Z"},
      {3, 3, 3, 12, "3D Surface Animation  x=X,y=Y,z=Z"},
      {3, 2, 1, 31, "Surface by rotation  y=Z"},
      {3, 2, 3, 2, "3D Surface  z=Z"},
      {3, 2, 4, 11, "3D Curve Animation  z=Z"},
      {3, 2, 5, 1, "3D Curve  r=Z"},
      {3, 2, 3, 13, std::nullopt},
      {3, 1, 1, 31, "Vector "},
      {3, 1, 1, 32, "Vector Operation "},
      {3, 3, 3, 7, "Point  x=X, y=Y, z=Z"},
      {3, 0, 4, 7, "Point  a=X, r=Y, z=Z"},
      {3, 0, 5, 8, "Point Animation  a=X, b=Y, r=Z"},
      {3, 0, 1, 7, std::nullopt},
      {7, 0, 0, 13, "Color Map  x=X, y=Y, z=Z"},
      {7, 0, 0, 14, "Contour Plot  x=X, y=Y, z=Z"},
      {7, 0, 0, 15, "Vector Plot  x=X, y=Y, z=Z"},
      {7, 2, 1, 0, std::nullopt},
      {5, 2, 1, 0, std::nullopt},
  };
  DocumentValues values;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.docType) + " " + std::to_string(c.form) + " " +
                 std::to_string(c.coords) + " " + std::to_string(c.kind));
    Cls9 graph(values);
    graph.GraphType(c.kind);
    graph.FunForm(c.form);
    graph.CoordType(c.coords);
    graph.ExpressX("X");
    graph.ExpressY("Y");
    graph.ExpressZ("Z");
    graph.Exp2("E");
    graph.NameS("N");
    EXPECT_EQ(PastedGraphEntryText(graph, c.docType), c.text);
  }
}

TEST(PastedEntryText, StepPlotsAndTablesWhateverTheDocumentKind) {
  DocumentValues values;
  Cls9 graph(values);
  graph.GraphType(23);
  graph.FunForm(2);
  graph.CoordType(1);
  graph.ExpressZ("Z");
  graph.ShowStep(true);
  EXPECT_EQ(PastedGraphEntryText(graph, 1), "Step Plot  y=Z");
  graph.ShowStem(true);
  EXPECT_EQ(PastedGraphEntryText(graph, 1), "Step & Stem  y=Z");
  graph.ShowStep(false);
  EXPECT_EQ(PastedGraphEntryText(graph, 1), "Stem Plot  y=Z");
  graph.NameS("N");
  const std::pair<std::int32_t, const char*> tables[] = {
      {4, "2D Table Graph: N"}, {5, "2.5D Table Graph: N"}, {6, "3D Table Graph: N"}};
  for (const auto& [kind, text] : tables) {
    graph.GraphType(kind);
    for (const std::int32_t docType : {1, 3, 5}) {
      SCOPED_TRACE(std::to_string(kind) + " in " + std::to_string(docType));
      EXPECT_EQ(PastedGraphEntryText(graph, docType), text);
    }
  }
}

}  // namespace
}  // namespace quillon
