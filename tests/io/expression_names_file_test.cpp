// Graphs written with the constants pi and e and the spellings sqrt and ln
// open again as they were written, with the same points.
#include <gtest/gtest.h>

#include "graph/graph.h"
#include "io/document.h"
#include "io/graph_file.h"
#include "test_support.h"

namespace quillon {
namespace {

TEST(ExpressionNamesInFiles, ReadBackAsWritten) {
  test::TempFolder folder;
  test::FakeDialogs dialogs;
  Document written(dialogs);
  const std::string texts[] = {"Sqrt(x+2)*PI", "ln(e*x^2+1)", "e^-x"};
  for (const std::string& text : texts) {
    test::AddCurve(written, text, text);
  }
  const std::string path = folder.File("names.pgp");
  test::WriteBytes(path, written.BuildGraphFile().bytes);
  test::FakeDialogs told;
  Document opened(told);
  ASSERT_EQ(opened.OpenGraphFile(path), OpenResult::Opened);
  EXPECT_TRUE(told.told.empty());
  for (std::int32_t position = 1; position <= 3; ++position) {
    const Graph& before = *written.ListScene().Graphs().Item(position);
    const Graph& after = *opened.ListScene().Graphs().Item(position);
    SCOPED_TRACE(before.expressionZ);
    EXPECT_EQ(after.expressionZ, before.expressionZ);
    for (std::int32_t i = 0; i <= before.stepsV; ++i) {
      EXPECT_EQ(*after.Points().Find(0, i), *before.Points().Find(0, i)) << i;
    }
  }
  EXPECT_EQ(opened.BuildGraphFile().bytes, written.BuildGraphFile().bytes);
}

}  // namespace
}  // namespace quillon
