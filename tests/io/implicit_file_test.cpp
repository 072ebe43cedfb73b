// Implicit equations and inequations in files and in the batch export: both
// forms in both coordinate systems read back as written, and a picture with
// undecided pixels tells so in a note that leaves the exit status clean.
#include <gtest/gtest.h>

#include <sstream>

#include "graph/graph.h"
#include "io/batch.h"
#include "io/document.h"
#include "test_support.h"

namespace quillon {
namespace {

using test::FakeDialogs;
using test::TempFolder;

struct ImplicitCase {
  const char* text;
  FunctionForm form;
  CoordinateSystem coordinates;
  const char* entryEnd;
};

const ImplicitCase kCases[] = {
    {"x^2+y^2-25", FunctionForm::Equation, CoordinateSystem::Cartesian, "x^2+y^2-25=0"},
    {"y-3*sin(x)", FunctionForm::Inequation, CoordinateSystem::Cartesian, "y-3*sin(x)<0"},
    {"r-2", FunctionForm::Equation, CoordinateSystem::Polar, "r-2=0"},
    {"r-a", FunctionForm::Inequation, CoordinateSystem::Polar, "r-a<0"},
};

std::shared_ptr<Graph> MakeImplicit(Document& document, const ImplicitCase& c) {
  auto graph = test::MakeCurve(document, c.text, c.text, static_cast<std::int32_t>(c.form),
                               static_cast<std::int32_t>(c.coordinates));
  graph->minU = -4;
  graph->maxU = 6.2832f;
  graph->minV = -3;
  graph->maxV = 5;
  return graph;
}

TEST(ImplicitFile, BothFormsReadBackAsWritten) {
  TempFolder folder;
  FakeDialogs dialogs;
  Document written(dialogs);
  for (const ImplicitCase& c : kCases)
    ASSERT_TRUE(written.AddDialogGraph(MakeImplicit(written, c)));
  const std::string file = folder.File("implicit.pgp");
  ASSERT_TRUE(written.WriteGraphFile(file));
  Document read(dialogs);
  ASSERT_EQ(read.OpenGraphFile(file), OpenResult::Opened);
  ASSERT_EQ(read.Entries().size(), std::size(kCases));
  std::size_t at = 0;
  for (const auto& entry : read.ListScene().Graphs()) {
    const ImplicitCase& c = kCases[at];
    SCOPED_TRACE(c.text);
    const Graph& graph = *entry.second;
    EXPECT_EQ(graph.form, c.form);
    EXPECT_EQ(graph.coordinates, c.coordinates);
    EXPECT_EQ(graph.expressionZ, c.text);
    EXPECT_EQ(graph.minU, -4);
    EXPECT_EQ(graph.maxU, 6.2832f);
    EXPECT_EQ(graph.minV, -3);
    EXPECT_EQ(graph.maxV, 5);
    const std::string& text = read.Entries()[at].text;
    EXPECT_EQ(text.substr(text.size() - std::string(c.entryEnd).size()), c.entryEnd);
    ++at;
  }
}

// A double zero leaves pixels undecided: the export tells their count.
TEST(ImplicitFile, ExportNotesUndecidedPixels) {
  TempFolder folder;
  for (const auto& [text, noted] : {std::pair{"(x-y-0.3)^2", true}, {"x^2+y^2-4", false}}) {
    SCOPED_TRACE(text);
    FakeDialogs dialogs;
    Document document(dialogs);
    ASSERT_TRUE(document.AddDialogGraph(
        MakeImplicit(document, {text, FunctionForm::Equation, CoordinateSystem::Cartesian, ""})));
    const std::string file = folder.File("note.pgp");
    ASSERT_TRUE(document.WriteGraphFile(file));
    std::ostringstream out;
    std::ostringstream err;
    const int status =
        RunCommandLine(ParseCommandLine({file, "--export-filename=" + folder.File("note.png"),
                                         "--export-width=160", "--export-height=120"}),
                       out, err);
    EXPECT_EQ(status, 0) << err.str();
    EXPECT_EQ(err.str().rfind("Note: ", 0) == 0, noted) << err.str();
    EXPECT_EQ(err.str().empty(), !noted);
  }
}

}  // namespace
}  // namespace quillon
