// The Properties dialog's implicit forms: the labels of their region, what
// OK builds (entry and fields), what it refuses, and Edit showing them back.
#include <sstream>

#include "io/document.h"
#include "support/codes.h"
#include "ui/dialog_text.h"
#include "ui/graph_dialog.h"
#include "window_test_support.h"

namespace quillon::testing {
namespace {

class ImplicitDialog : public ::testing::Test {
 protected:
  ScriptedDialogs dialogs;
  Document document{dialogs};
  GraphDialog dialog{document, dialogs};
};

const char kRegionBoxes[] =
    "formCombo firstFunctionLabel secondFunctionEdit fromLabel toLabel stepsEdit "
    "secondFromLabel secondToLabel";

// Coordinates, form row, the texts, the region, then what OK does: the
// entry made (or the message told) and the fields coordinates, form, z and
// the region.
struct RegionCase {
  int coordinate, form;
  const char* text;
  const char* region[4];
  const char* labels;
  const char* told;
  const char* fields;
};

const RegionCase kCases[] = {
    {0,
     2,
     "x^2+y^2-25",
     {"-6", "6", "-5", "5"},
     "f(x,y)=0|f(x,y)|~|Min x|Max x|~|Min y|Max y",
     "",
     "1 1 x^2+y^2-25 -6 6 -5 5"},
    {0,
     3,
     "y-3*sin(x)",
     {"-6", "6", "-5", "5"},
     "f(x,y)<0|f(x,y)|~|Min x|Max x|~|Min y|Max y",
     "",
     "1 4 y-3*sin(x) -6 6 -5 5"},
    {1,
     2,
     "r-2",
     {"0", "6.2832", "0", "5"},
     "f(a,r)=0|f(a,r)|~|Min a|Max a|~|Min r|Max r",
     "",
     "2 1 r-2 0 6.2832 0 5"},
    {1,
     3,
     "r-a",
     {"0", "6.2832", "-1", "5"},
     "f(a,r)<0|f(a,r)|~|Min a|Max a|~|Min r|Max r",
     "",
     "2 4 r-a 0 6.2832 -1 5"},
    {0,
     2,
     "x-y",
     {"-6", "6", "5", "-5"},
     "f(x,y)=0|f(x,y)|~|Min x|Max x|~|Min y|Max y",
     "(!) Note: Min y must less than Max y.",
     ""},
    {1,
     3,
     "r",
     {"7", "6", "0", "5"},
     "f(a,r)<0|f(a,r)|~|Min a|Max a|~|Min r|Max r",
     "(!) Note: Min a must less than Max a.",
     ""},
    {0,
     2,
     "x",
     {"-6", "  ", "0", "5"},
     "f(x,y)=0|f(x,y)|~|Min x|Max x|~|Min y|Max y",
     "(!) Note: Input all parameters please.",
     ""},
};

std::string Fields(const Graph& g) {
  std::ostringstream fields;
  fields << Code(g.coordinates) << " " << Code(g.form) << " " << g.expressionZ << " "
         << DialogNumberText(g.minU) << " " << DialogNumberText(g.maxU) << " "
         << DialogNumberText(g.minV) << " " << DialogNumberText(g.maxV);
  return fields.str();
}

TEST_F(ImplicitDialog, RegionFormsBuildShowAndRefuse) {
  dialog.PresetNew(0);
  dialog.show();
  for (const RegionCase& c : kCases) {
    SCOPED_TRACE(c.text);
    ChooseComboItem(Find<QComboBox>(dialog, "coordinateCombo"), c.coordinate);
    ChooseComboItem(Find<QComboBox>(dialog, "formCombo"), c.form);
    EXPECT_EQ(Texts(dialog, kRegionBoxes), c.labels);
    SetText(dialog, "firstFunctionEdit", c.text);
    const char* const boxes[] = {"fromEdit", "toEdit", "secondFromEdit", "secondToEdit"};
    for (int i = 0; i < 4; ++i)
      SetText(dialog, boxes[i], c.region[i]);
    dialogs.reports.clear();
    const std::size_t before = document.Entries().size();
    ClickButton(dialog, "okButton");
    EXPECT_EQ(dialogs.reports, *c.told ? Lines{c.told} : Lines{});
    if (*c.told) {
      EXPECT_EQ(document.Entries().size(), before);
      continue;
    }
    ASSERT_EQ(document.Entries().size(), before + 1);
    const Graph& graph = *document.ListScene().Graphs().Item(static_cast<std::int32_t>(before) + 1);
    EXPECT_EQ(Fields(graph), c.fields);
    // Edit shows the graph back with its region.
    ASSERT_TRUE(GraphDialog::CanEdit(graph, DocumentKind::Plane));
    GraphDialog edit(document, dialogs);
    edit.PresetEdit(graph, static_cast<std::int32_t>(before + 1));
    edit.show();
    EXPECT_EQ(
        Texts(edit, "formCombo firstFunctionEdit fromEdit toEdit secondFromEdit secondToEdit"),
        std::string(Texts(dialog, "formCombo")) + "|" + c.text + "|" + c.region[0] + "|" +
            c.region[1] + "|" + c.region[2] + "|" + c.region[3]);
    dialog.show();
  }
}

}  // namespace
}  // namespace quillon::testing
