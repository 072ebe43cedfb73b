// The Properties, View Setting and Axis Properties dialogs: the labels of
// each coordinate system and form (the implicit ones with their region),
// what the controls show, what OK checks and what it builds or stores, and
// what Cancel leaves behind.

#include <array>
#include <cmath>
#include <sstream>

#include "graph/document_values.h"
#include "io/document.h"
#include "scene/axis.h"
#include "scene/camera.h"
#include "support/codes.h"
#include "ui/axis_dialog.h"
#include "ui/dialog_text.h"
#include "ui/graph_dialog.h"
#include "ui/view_settings_dialog.h"
#include "window_test_support.h"

namespace quillon::testing {
namespace {

// The dialogs on their own: a Properties dialog as it is when made, and
// what View Setting and Axis Properties are given.
class DialogTest : public ::testing::Test {
 protected:
  ScriptedDialogs dialogs;
  Document document{dialogs};
  GraphDialog dialog{document, dialogs};
  Camera view;
  DocumentValues values;
  Axis axis;
};
using PropertiesDialog = DialogTest;
using ViewSetting = DialogTest;
using AxisProperties = DialogTest;

// Widths outside 1..8 show the nearest valid width.
TEST_F(PropertiesDialog, EditShowsTheGraph) {
  const std::tuple<std::int32_t, std::int32_t, std::int32_t, const char*> cases[] = {
      {1, 3, 12, "Cartesian|x=f1(u),y=f2(u)|x(u)|my curve|cos(u)|x^3|-2.5|0.1|40|8"},
      {2, 2, 0, "Polar|r=f(a)|r(a)|my curve|x^3|~|-2.5|0.1|40|1"}};
  for (const auto& [coordType, funForm, lineWidth, texts] : cases) {
    const std::shared_ptr<Graph> graph = document.MakeGraph();
    graph->id = 7;
    graph->name = "my curve";
    graph->coordinates = testing::AsSystem(coordType);
    graph->form = testing::AsForm(funForm);
    graph->expressionY = "cos(u)";
    graph->expressionZ = "x^3";
    graph->stepsV = 40;
    graph->minV = -2.5f;
    graph->maxV = 0.1f;
    graph->lineColor = 0x00FF00;
    graph->lineWidth = lineWidth;
    GraphDialog edit(document, dialogs);
    edit.PresetEdit(*graph, 1);
    EXPECT_EQ(Texts(edit,
                    "coordinateCombo formCombo firstFunctionLabel nameEdit firstFunctionEdit "
                    "secondFunctionEdit fromEdit toEdit stepsEdit widthCombo"),
              texts);
    EXPECT_EQ(Find<ColorBox>(edit, "colorBox")->Color(), 0x00FF00);
  }
}

// Plane documents only, graphs of kind 0 in Cartesian or polar coordinates,
// in every form.
TEST_F(PropertiesDialog, OnlyPlaneFunctionsCanBeEdited) {
  // Graph kind, coordinates, form, document kind, editable.
  const std::tuple<std::int32_t, std::int32_t, std::int32_t, std::int32_t, bool> cases[] = {
      {0, 1, 2, 1, true},  {0, 2, 3, 1, true},  {0, 1, 1, 1, true}, {0, 2, 4, 1, true},
      {9, 1, 2, 1, false}, {0, 3, 3, 1, false}, {0, 1, 2, 3, false}};
  for (const auto& [graphType, coordType, funForm, docType, editable] : cases) {
    Graph graph(document.Values());
    graph.kind = testing::AsKind(graphType);
    graph.coordinates = testing::AsSystem(coordType);
    graph.form = testing::AsForm(funForm);
    EXPECT_EQ(GraphDialog::CanEdit(graph, testing::AsDocument(docType)), editable)
        << graphType << " " << coordType << " " << funForm << " " << docType;
  }
}

// The labels, the form list and which boxes are shown follow the coordinate
// system and the form chosen; back to Cartesian keeps the parametric form.
// The implicit forms are built from their text and region, or refused, and
// Edit shows them back. A preset starts from the explicit form; the colour
// box keeps its colour when the colour dialog is cancelled.
TEST_F(PropertiesDialog, LabelsFollowTheFormAndRegionFormsBuildShowAndRefuse) {
  // Coordinates, form row and the labels; for the implicit forms the text,
  // the region, then what OK does: the message told, or the fields
  // coordinates, form, z and the region.
  struct {
    int coordinate, form;
    const char* labels;
    const char *text = nullptr, *region = "", *told = "", *fields = "";
  } const cases[] = {{0, 0, "y=f(x)|y(x)|~|~|Min x|Max x|Steps x|100|~|~"},
                     {1, 1, "a=f1(u),r=f2(u)|a(u)|r(u)||Min u|Max u|Steps u|100|~|~"},
                     {0, 1, "x=f1(u),y=f2(u)|x(u)|y(u)||Min u|Max u|Steps u|100|~|~"},
                     {0, 2, "f(x,y)=0|f(x,y)|~|~|Min x|Max x|~|~|Min y|Max y", "x^2+y^2-25",
                      "-6|6|-5|5", "", "1 1 x^2+y^2-25 -6 6 -5 5"},
                     {0, 3, "f(x,y)<0|f(x,y)|~|~|Min x|Max x|~|~|Min y|Max y", "y-3*sin(x)",
                      "-6|6|-5|5", "", "1 4 y-3*sin(x) -6 6 -5 5"},
                     {1, 2, "f(a,r)=0|f(a,r)|~|~|Min a|Max a|~|~|Min r|Max r", "r-2",
                      "0|6.2832|0|5", "", "2 1 r-2 0 6.2832 0 5"},
                     {1, 3, "f(a,r)<0|f(a,r)|~|~|Min a|Max a|~|~|Min r|Max r", "r-a",
                      "0|6.2832|-1|5", "", "2 4 r-a 0 6.2832 -1 5"},
                     {0, 2, "f(x,y)=0|f(x,y)|~|~|Min x|Max x|~|~|Min y|Max y", "x-y", "-6|6|5|-5",
                      "(!) Note: Min y must less than Max y."},
                     {1, 3, "f(a,r)<0|f(a,r)|~|~|Min a|Max a|~|~|Min r|Max r", "r", "7|6|0|5",
                      "(!) Note: Min a must less than Max a."},
                     {0, 2, "f(x,y)=0|f(x,y)|~|~|Min x|Max x|~|~|Min y|Max y", "x", "-6|  |0|5",
                      "(!) Note: Input all parameters please."}};
  const std::string names =
      "formCombo firstFunctionLabel secondFunctionLabel secondFunctionEdit fromLabel toLabel "
      "stepsLabel stepsEdit secondFromLabel secondToLabel";
  const char* const regionBoxes[] = {"fromEdit", "toEdit", "secondFromEdit", "secondToEdit"};
  dialog.PresetNew(0);
  dialog.show();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.labels);
    ChooseComboItem(Find<QComboBox>(dialog, "formCombo"), c.form);
    ChooseComboItem(Find<QComboBox>(dialog, "coordinateCombo"), c.coordinate);
    EXPECT_EQ(Texts(dialog, names), c.labels);
    if (c.text == nullptr) {
      continue;
    }
    SetText(dialog, "firstFunctionEdit", c.text);
    const QStringList region = QString::fromLatin1(c.region).split(QLatin1Char('|'));
    for (int i = 0; i < 4; ++i) {
      SetText(dialog, regionBoxes[i], region[i].toStdString());
    }
    dialogs.reports.clear();
    const auto before = static_cast<std::int32_t>(document.Entries().size());
    ClickButton(dialog, "okButton");
    EXPECT_EQ(dialogs.reports, *c.told ? Lines{c.told} : Lines{});
    ASSERT_EQ(static_cast<std::int32_t>(document.Entries().size()), before + (*c.told ? 0 : 1));
    if (*c.told) {
      continue;
    }
    const Graph& g = *document.ListScene().Graphs().Item(before + 1);
    std::ostringstream fields;
    fields << Code(g.coordinates) << " " << Code(g.form) << " " << g.expressionZ << " "
           << DialogNumberText(g.minU) << " " << DialogNumberText(g.maxU) << " "
           << DialogNumberText(g.minV) << " " << DialogNumberText(g.maxV);
    EXPECT_EQ(fields.str(), c.fields);
    ASSERT_TRUE(GraphDialog::CanEdit(g, DocumentKind::Plane));
    GraphDialog edit(document, dialogs);
    edit.PresetEdit(g, before + 1);
    edit.show();
    EXPECT_EQ(
        Texts(edit, "formCombo firstFunctionEdit fromEdit toEdit secondFromEdit secondToEdit"),
        Texts(dialog, "formCombo") + "|" + c.text + "|" + c.region);
    dialog.show();
  }
  dialog.PresetNew(1);
  EXPECT_EQ(Texts(dialog, "coordinateCombo " + names),
            "Polar|r=f(a)|r(a)|~|~|Min a|Max a|Steps a|100|~|~");
  dialogs.colors = {0x00FF00, std::nullopt};
  for (int click = 0; click < 2; ++click) {
    QTest::mouseClick(Find<ColorBox>(dialog, "colorBox"), Qt::LeftButton);
    EXPECT_EQ(Find<ColorBox>(dialog, "colorBox")->Color(), 0x00FF00);
  }
}

using PropertiesThroughWindow = WindowTest;

TEST_F(PropertiesThroughWindow, InputThatIsRefusedKeepsTheDialogOpen) {
  const std::string illegal = "(!) Error: Illegal data exist.",
                    missing = "(!) Note: Input all parameters please.",
                    large = "(!) Note: A number is too large.";
  const std::pair<FunctionInput, std::string> cases[] = {
      {{0, 0, "y=x", "", "-1", "1", "10"}, illegal},
      {{0, 1, "u", "u<1", "-1", "1", "10"}, illegal},
      {{0, 0, "x", "", "1a", "2", "10"}, illegal},
      {{1, 0, "a", "", "0", "+3", "10"}, illegal},
      {{0, 0, "x", "", "0", "1", ""}, missing},
      {{0, 0, "x", "", "0", "  ", "10"}, missing},
      {{1, 0, "a", "", "5", "1", "10"}, "(!) Note: Min x must less than Max x."},
      {{1, 0, "a", "", "0", "1", "0.6"}, "(!) Note: Steps x must larger than 1."},
      {{0, 1, "u", "u", "1", "-1", "10"}, "(!) Note: Min u must less than Max u."},
      {{1, 1, "u", "u", "0", "1", "0"}, "(!) Note: Steps u must larger than 1."},
      {{0, 0, "x", "", "0", "1", "3000000000"}, large},
      {{0, 0, "x", "", "0", "1E39", "10"}, large}};
  Start("");
  for (const auto& [input, told] : cases) {
    SCOPED_TRACE(input.first + " " + input.min + " " + input.max + " " + input.steps);
    dialogs.reports.clear();
    bool stayedOpen = false;
    dialogs.scripts.push_back([&input = input, &stayedOpen](QDialog& dialog) {
      FillAndConfirm(dialog, input);
      stayedOpen = dialog.isVisible();
    });
    Trigger(input.coordinate == 1 ? "drawPolarAction" : "drawCartesianAction");
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(dialogs.reports, Lines{told});
    EXPECT_EQ(List().count(), 0);
    EXPECT_EQ(Window().Document().LastGraphID(), 0);
  }
}

// The fields of a graph that the dialog's texts decide, then those every
// graph of the dialog gets the same.
std::string Fields(const Graph& g) {
  std::ostringstream fields;
  fields << testing::Code(g.coordinates) << " " << testing::Code(g.form) << " " << g.expressionY
         << " " << g.expressionZ << " " << DialogNumberText(g.minV) << " "
         << DialogNumberText(g.maxV) << " " << g.stepsV << " / " << g.name << " "
         << testing::Code(g.kind) << " " << g.expressionX << " " << g.stepsU << " " << g.minU << " "
         << g.maxU << " " << g.lineWidth << " " << std::hex << g.lineColor << " " << g.firstColor
         << std::dec << " " << testing::Code(g.fillStyle) << " " << testing::Code(g.material) << " "
         << g.displayMode << " " << g.smoothness << " " << g.showFunctionGraph;
  return fields.str();
}

TEST_F(PropertiesThroughWindow, WhatOkBuildsFromTheTexts) {
  // The input, its entry and the fields: coordinates, form, y, z, min, max, steps.
  const std::tuple<FunctionInput, const char*, const char*> cases[] = {
      {{0, 0, "x^2 + 1", "", "-1", "1", "10"}, "y=x^2+1", "1 2 x x^2+1 -1 1 10"},
      {{0, 0, "x", "", "1,5", "2,25", "10"}, "y=x", "1 2 x x 1.5 2.25 10"},
      {{0, 0, "x", "", "2", "2", "1"}, "y=x", "1 2 x x 2 2 1"},
      {{0, 0, "x", "", "0", "1", "2.5"}, "y=x", "1 2 x x 0 1 2"},
      {{0, 0, "x", "", "", "3", "10"}, "y=x", "1 2 x x 0 3 10"},
      {{0, 1, "cos(u)*5", "sin(u)*5", "0", "6.3", "60"},
       "x=cos(u)*5, y=sin(u)*5",
       "1 3 cos(u)*5 sin(u)*5 0 6.3 60"},
      {{1, 0, "5", "", "0", "6.3", "60"}, "r=5", "2 2 a 5 0 6.3 60"},
      {{1, 1, "u", "2", "0", "3", "30"}, "a=u, r=2", "2 3 u 2 0 3 30"},
      // The hidden second box is neither checked nor used.
      {{0, 0, "x", "u<1", "0", "1", "10", std::nullopt, "my curve", false},
       "y=x",
       "1 2 x x 0 1 10"},
  };
  Start("");
  Lines entries;
  for (const auto& [input, entry, built] : cases) {
    SCOPED_TRACE(built);
    AddFunction(input);
    entries.push_back(std::string("[x] 2D Curve  ") + entry);
    const auto position = static_cast<std::int32_t>(entries.size());
    const Graph& graph = ListedGraph(position);
    EXPECT_EQ(graph.id, position);
    // Each new graph takes the next colour of the palette, which starts over
    // once every colour is shown.
    std::ostringstream color;
    color << std::hex << GraphDialog::kPalette[(entries.size() - 1) % GraphDialog::kPalette.size()]
          << " ff0000";
    EXPECT_EQ(Fields(graph), built + (" / " + input.name) + " 0 0 1 0 1 3 " + color.str() +
                                 " 4 4 2 2 " + (input.showCurve ? "1" : "0"));
    EXPECT_NE(graph.Points().Find(0, graph.stepsV), nullptr);
  }
  EXPECT_EQ(Entries(), entries);
  EXPECT_TRUE(dialogs.reports.empty());
}

// The analysis fields the Analysis tab writes: roots (shown, size, symbol,
// colour), maxima, tangent lines (shown, width, positions), normal lines'
// positions and the integral's range.
std::string Analysis(const Graph& g) {
  std::ostringstream fields;
  const auto positions = [&fields](const PositionList& list) {
    fields << "[";
    for (std::int32_t i = 1; i <= list.count; ++i)
      fields << (i > 1 ? " " : "") << list.at[static_cast<std::size_t>(i)];
    fields << "] ";
  };
  fields << g.showRoots << " " << g.rootSize << " " << testing::Code(g.rootSymbol) << " "
         << std::hex << g.rootColor << std::dec << " " << g.showMaxima << " " << g.showTangentLines
         << " " << g.tangentLineWidth << " ";
  positions(g.tangentLinePositions);
  positions(g.normalLinePositions);
  fields << g.integralFrom << " " << g.integralTo;
  return fields.str();
}

// OK writes the tab (a mark turned on gets a size and a symbol), Edit shows
// it back and writes the changes, and a position list that is not numbers,
// or too long, is refused. The tab is for y=f(x) only.
TEST_F(PropertiesThroughWindow, AnalysisTabWritesShowsAndRefuses) {
  Start("");
  dialogs.scripts.push_back([](QDialog& dialog) {
    Find<QCheckBox>(dialog, "rootsCheck")->setChecked(true);
    Find<QCheckBox>(dialog, "tangentLinesCheck")->setChecked(true);
    SetText(dialog, "integralFromEdit", "-1");
    SetText(dialog, "integralToEdit", "2.5");
    SetText(dialog, "tangentPositionsEdit", "1, -2.5;3");
    FillAndConfirm(dialog, kRedLine);
  });
  dialogs.colors.push_back(*kRedLine.color);
  Trigger("drawCartesianAction");
  EXPECT_EQ(Analysis(ListedGraph(1)), "1 6 1 dc 0 1 1 [1 -2.5 3] [] -1 2.5");

  std::string shown;
  std::string refused;
  dialogs.scripts.push_back([&](QDialog& dialog) {
    shown = Texts(dialog, "rootsCheck maximaCheck integralFromEdit tangentPositionsEdit");
    Find<QCheckBox>(dialog, "rootsCheck")->setChecked(false);
    Find<QCheckBox>(dialog, "maximaCheck")->setChecked(true);
    std::string tooMany;
    for (int i = 0; i <= PositionList::kUpper; ++i)
      tooMany += "1 ";
    for (const std::string& list : {std::string("1, x"), tooMany}) {
      SetText(dialog, "normalPositionsEdit", list);
      ClickButton(dialog, "okButton");
      refused += dialog.isVisible() ? "open " : "closed ";
    }
    SetText(dialog, "normalPositionsEdit", "0;4");
    ClickButton(dialog, "okButton");
  });
  Trigger("editGraphAction", 0);
  EXPECT_EQ(shown, "Roots[x]|Maxima[ ]|-1|1, -2.5, 3");
  EXPECT_EQ(refused, "open open ");
  EXPECT_EQ(dialogs.reports, (Lines{"(!) Error: Illegal data exist.",
                                    "(!) Note: At most 50 positions can be listed."}));
  EXPECT_EQ(Analysis(ListedGraph(1)), "0 6 1 dc 1 1 1 [1 -2.5 3] [0 4] -1 2.5");

  TriggerDialog("drawPolarAction", [&](QDialog& dialog) {
    auto* tabs = Find<QTabWidget>(dialog, "tabs");
    const int analysis = tabs->indexOf(Find<QWidget>(dialog, "analysisTab"));
    EXPECT_FALSE(tabs->isTabEnabled(analysis));
    ChooseComboItem(Find<QComboBox>(dialog, "coordinateCombo"), 0);
    EXPECT_TRUE(tabs->isTabEnabled(analysis));
    ChooseComboItem(Find<QComboBox>(dialog, "formCombo"), 1);
    EXPECT_FALSE(tabs->isTabEnabled(analysis));
    dialog.reject();
  });
}

std::array<float, 6> Bounds(const DocumentValues& v) {
  return {v.ViewMinX, v.ViewMaxX, v.ViewMinY, v.ViewMaxY, v.ViewMinZ, v.ViewMaxZ};
}

TEST_F(ViewSetting, OpensWithTheBoundsAndOkStoresTheCleanedOnesOrNone) {
  values.ViewMinX = -2.5f;
  values.ViewMaxZ = 1e20f;
  for (const std::int32_t projectType : {2, 7, 1}) {
    view.ProjectType(projectType);
    ViewSettingsDialog settings(view, values, dialogs);
    EXPECT_EQ(Texts(settings, "orthographicOption perspectiveOption"),
              projectType == 2 ? "Ortho[ ]|Perspective[x]" : "Ortho[x]|Perspective[ ]");
  }
  ViewSettingsDialog opened(view, values, dialogs);
  EXPECT_EQ(Texts(opened, "minXEdit maxXEdit minYEdit maxYEdit minZEdit maxZEdit"),
            "-2.5|50|-50|50|-50|1E20");

  // A bound typed into Max y beside a good one in Min x: OK stores the
  // cleaned bounds and the projection, or nothing but the projection when a
  // bound is refused; Cancel keeps everything.
  // Typed, the button, Max y stored (NaN: nothing stored), what the box then holds, the message.
  const float none = std::nanf("");
  const std::tuple<const char*, const char*, float, const char*, const char*> cases[] = {
      {"1,5", "okButton", 1.5f, "1.5", nullptr},
      {"", "okButton", 0, "0", nullptr},
      {"-60", "okButton", -60, "-60", nullptr},  // below its minimum: stored as typed
      {"abc", "okButton", none, "abc", "(!) Error: Illegal data exist."},
      {"1E39", "okButton", none, "1E39", "(!) Note: A number is too large."},
      {"-7", "cancelButton", none, "-7", nullptr},
  };
  const std::array<float, 6> unchanged = Bounds(DocumentValues());
  for (const auto& [typed, button, maxY, shown, told] : cases) {
    SCOPED_TRACE(typed);
    values = DocumentValues();
    view.ProjectType(Camera::kOrthographic);
    dialogs.reports.clear();
    ViewSettingsDialog settings(view, values, dialogs);
    settings.show();
    SetText(settings, "minXEdit", "7");
    SetText(settings, "maxYEdit", typed);
    QTest::mouseClick(Find<QRadioButton>(settings, "perspectiveOption"), Qt::LeftButton);
    ClickButton(settings, button);
    const bool accepted = !std::isnan(maxY);
    EXPECT_EQ(settings.isVisible(), told != nullptr);
    EXPECT_EQ(settings.result() == QDialog::Accepted, accepted);
    const std::array<float, 6> stored = {7, 50, -50, maxY, -50, 50};
    EXPECT_EQ(Bounds(values), accepted ? stored : unchanged);
    EXPECT_EQ(Texts(settings, "maxYEdit"), shown);
    EXPECT_EQ(dialogs.reports, told != nullptr ? Lines{told} : Lines());
    EXPECT_EQ(view.ProjectType(),
              button == std::string("cancelButton") ? Camera::kOrthographic : Camera::kPerspective);
  }
}

TEST_F(AxisProperties, OpensWithTheAxisSettingsAndOkWritesThem) {
  axis.color = 0x336699;
  // Widths outside 1..5 show the nearest valid one.
  const std::tuple<bool, std::int32_t, const char*> cases[] = {
      {true, 9, "Show Axis[x]|Better Fonts[ ]|5"}, {false, 0, "Show Axis[ ]|Better Fonts[x]|1"}};
  for (const auto& [show, width, shown] : cases) {
    axis.shown = show;
    axis.betterFonts = !show;
    axis.width = width;
    AxisDialog settings(axis, dialogs);
    EXPECT_EQ(Texts(settings, "showAxisCheck betterFontsCheck widthCombo"), shown);
    EXPECT_EQ(Find<ColorBox>(settings, "colorBox")->Color(), 0x336699);
  }
  AxisDialog settings(axis, dialogs);
  // OK writes every setting.
  dialogs.colors.push_back(0x0000FF);
  QTest::mouseClick(Find<ColorBox>(settings, "colorBox"), Qt::LeftButton);
  Find<QCheckBox>(settings, "showAxisCheck")->setChecked(true);
  Find<QCheckBox>(settings, "betterFontsCheck")->setChecked(false);
  Find<QComboBox>(settings, "widthCombo")->setCurrentIndex(3);
  ClickButton(settings, "okButton");
  EXPECT_EQ(settings.result(), QDialog::Accepted);
  EXPECT_EQ(std::make_tuple(axis.shown, axis.betterFonts, axis.color, axis.width),
            std::make_tuple(true, false, 0x0000FF, 4));
}

}  // namespace
}  // namespace quillon::testing
