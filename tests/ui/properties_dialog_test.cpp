// The Properties dialog: its controls, the labels of each coordinate system
// and form, what OK checks and what it builds.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "graph/graph_record.h"
#include "io/document.h"
#include "ui/color_box.h"
#include "ui/properties_dialog.h"
#include "window_test_support.h"

namespace quillon::testing {
namespace {

std::string Text(QDialog& dialog, const char* name) {
  if (auto* label = dialog.findChild<QLabel*>(QString::fromLatin1(name))) {
    return label->text().toStdString();
  }
  if (auto* box = dialog.findChild<QLineEdit*>(QString::fromLatin1(name))) {
    return box->text().toStdString();
  }
  if (auto* combo = dialog.findChild<QComboBox*>(QString::fromLatin1(name))) {
    return combo->currentText().toStdString();
  }
  if (auto* frame = dialog.findChild<QGroupBox*>(QString::fromLatin1(name))) {
    return frame->title().toStdString();
  }
  if (auto* button = dialog.findChild<QAbstractButton*>(QString::fromLatin1(name))) {
    return button->text().toStdString();
  }
  ADD_FAILURE() << "no control " << name;
  return {};
}

QStringList Items(QComboBox* combo) {
  QStringList items;
  for (int i = 0; i < combo->count(); ++i) {
    items << combo->itemText(i);
  }
  return items;
}

// The dialog on its own, as Form_Load leaves it.
class PropertiesDialog : public ::testing::Test {
 protected:
  ScriptedDialogs dialogs;
  Document document{dialogs};
  frmF5 dialog{document, dialogs};
};

TEST_F(PropertiesDialog, FormLoadContents) {
  EXPECT_EQ(dialog.windowTitle().toStdString(), "Properties");
  auto* tabs = Find<QTabWidget>(dialog, "SSTab1");
  ASSERT_EQ(tabs->count(), 2);
  EXPECT_EQ(tabs->tabText(0).toStdString(), "Equation");
  EXPECT_EQ(tabs->tabText(1).toStdString(), "Properties");
  const std::pair<const char*, const char*> captions[] = {
      {"Label1", "Name"},
      {"Text1", "Untitled"},
      {"Label2", "Coordinate"},
      {"Combo1", "Cartesian"},
      {"Label13", "Form"},
      {"Combo3", "y=f(x)"},
      {"Frame1", "Function"},
      {"Label3", "x(u)"},
      {"Label4", "y(u)"},
      {"Frame2", "Domain Of Variables"},
      {"Label5", "Min u"},
      {"Label6", "Max u"},
      {"Label7", "Steps u"},
      {"Label8", "Color"},
      {"Label9", "Width"},
      {"Combo2", "1"},
      {"Check3", "Show Function Graph"},
      {"Command1", "OK"},
      {"Command2", "Cancel"},
      {"Text2", ""},
      {"Text3", ""},
      {"Text4", ""},
      {"Text5", ""},
      {"Text6", ""},
  };
  for (const auto& [name, caption] : captions) {
    SCOPED_TRACE(name);
    EXPECT_EQ(Text(dialog, name), caption);
  }
  EXPECT_EQ(Items(Find<QComboBox>(dialog, "Combo1")),
            QStringList({QStringLiteral("Cartesian"), QStringLiteral("Polar")}));
  EXPECT_EQ(Items(Find<QComboBox>(dialog, "Combo3")),
            QStringList({QStringLiteral("y=f(x)"), QStringLiteral("x=f1(u),y=f2(u)")}));
  EXPECT_EQ(Items(Find<QComboBox>(dialog, "Combo2")).join(QLatin1Char(' ')).toStdString(),
            "1 2 3 4 5 6 7 8");
  EXPECT_EQ(Find<QLabel>(dialog, "Label7")->toolTip().toStdString(), "Recommended Value: 30 - 100");
  EXPECT_EQ(Find<QLineEdit>(dialog, "Text6")->toolTip().toStdString(),
            "Recommended Value: 30 - 100");
  EXPECT_EQ(Find<ColorBox>(dialog, "Picture1")->Color(), 0xFF0000);  // blue
  EXPECT_TRUE(Find<QCheckBox>(dialog, "Check3")->isChecked());
}

TEST_F(PropertiesDialog, LabelsFollowTheCoordinateSystemAndForm) {
  struct Case {
    int coordinate, form;
    const char* label3;
    const char* label4;  // null: Label4 and Text3 hidden
    const char* label5;
    const char* label6;
    const char* label7;
    QStringList forms;
  };
  const QStringList cartesian = {QStringLiteral("y=f(x)"), QStringLiteral("x=f1(u),y=f2(u)")};
  const QStringList polar = {QStringLiteral("r=f(a)"), QStringLiteral("a=f1(u),r=f2(u)")};
  const Case cases[] = {
      {0, 0, "y(x)", nullptr, "Min x", "Max x", "Steps x", cartesian},
      {0, 1, "x(u)", "y(u)", "Min u", "Max u", "Steps u", cartesian},
      {1, 0, "r(a)", nullptr, "Min a", "Max a", "Steps a", polar},
      {1, 1, "a(u)", "r(u)", "Min u", "Max u", "Steps u", polar},
      // Back to Cartesian keeps the parametric form.
      {0, 1, "x(u)", "y(u)", "Min u", "Max u", "Steps u", cartesian},
  };
  dialog.PresetNew(0);
  dialog.show();
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.coordinate << "," << c.form);
    ChooseComboItem(Find<QComboBox>(dialog, "Combo3"), c.form);
    ChooseComboItem(Find<QComboBox>(dialog, "Combo1"), c.coordinate);
    EXPECT_EQ(Find<QComboBox>(dialog, "Combo3")->currentIndex(), c.form);
    EXPECT_EQ(Items(Find<QComboBox>(dialog, "Combo3")), c.forms);
    EXPECT_EQ(Text(dialog, "Label3"), c.label3);
    EXPECT_EQ(Find<QLabel>(dialog, "Label4")->isHidden(), c.label4 == nullptr);
    EXPECT_EQ(Find<QLineEdit>(dialog, "Text3")->isHidden(), c.label4 == nullptr);
    if (c.label4 != nullptr) {
      EXPECT_EQ(Text(dialog, "Label4"), c.label4);
    }
    EXPECT_EQ(Text(dialog, "Label5"), c.label5);
    EXPECT_EQ(Text(dialog, "Label6"), c.label6);
    EXPECT_EQ(Text(dialog, "Label7"), c.label7);
    EXPECT_FALSE(Find<QLineEdit>(dialog, "Text6")->isHidden());
  }
  Find<QLineEdit>(dialog, "Text2")->setText(QStringLiteral("cos(u)*(1+cos(6*u)/4)"));
  Find<QLineEdit>(dialog, "Text3")->setText(QStringLiteral("sin(u)*(1+cos(6*u)/4)"));
  SavePicture(dialog, "properties-equation");
  Find<QTabWidget>(dialog, "SSTab1")->setCurrentIndex(1);
  SavePicture(dialog, "properties-properties");
}

TEST_F(PropertiesDialog, PresetsOfDrawCartesianAndPolar) {
  struct Case {
    int coordinate;
    const char* combo1;
    const char* combo3;
    const char* label3;
    const char* label5;
  };
  const Case cases[] = {{0, "Cartesian", "y=f(x)", "y(x)", "Min x"},
                        {1, "Polar", "r=f(a)", "r(a)", "Min a"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.combo1);
    frmF5 fresh(document, dialogs);
    fresh.PresetNew(c.coordinate);
    EXPECT_FALSE(fresh.EditMode());
    EXPECT_EQ(Text(fresh, "Combo1"), c.combo1);
    EXPECT_EQ(Text(fresh, "Combo3"), c.combo3);
    EXPECT_EQ(Text(fresh, "Label3"), c.label3);
    EXPECT_EQ(Text(fresh, "Label5"), c.label5);
    EXPECT_TRUE(Find<QLabel>(fresh, "Label4")->isHidden());
    EXPECT_TRUE(Find<QLineEdit>(fresh, "Text3")->isHidden());
  }
}

TEST_F(PropertiesDialog, EditShowsTheGraph) {
  struct Case {
    std::int32_t coordType, funForm, lineWidth;
    const char* combo1;
    const char* label3;
    const char* text2;
    const char* text3;
    const char* combo2;
  };
  // Widths outside 1..8 show the nearest valid width.
  const Case cases[] = {{1, 2, 4, "Cartesian", "y(x)", "x^3", "", "4"},
                        {1, 3, 8, "Cartesian", "x(u)", "cos(u)", "x^3", "8"},
                        {2, 2, 12, "Polar", "r(a)", "x^3", "", "8"},
                        {2, 3, 0, "Polar", "a(u)", "cos(u)", "x^3", "1"},
                        {2, 3, -3, "Polar", "a(u)", "cos(u)", "x^3", "1"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.coordType << "," << c.funForm);
    const std::shared_ptr<Cls9> graph = document.MakeGraph()->Init(
        7, "my curve", 0, c.coordType, "0", "cos(u)", "x^3", 1, 40, 0, 1, -2.5f, 0.1f, 4, 0xFF0000,
        0xFF0000, 0x00FF00, c.lineWidth, 4, 2, 2, false, false, false, 0);
    graph->FunForm(c.funForm);
    EXPECT_TRUE(frmF5::CanEdit(*graph, 1));
    frmF5 edit(document, dialogs);
    edit.PresetEdit(*graph, 1);
    EXPECT_TRUE(edit.EditMode());
    EXPECT_EQ(Text(edit, "Combo1"), c.combo1);
    EXPECT_EQ(Find<QComboBox>(edit, "Combo3")->currentIndex(), c.funForm - 2);
    EXPECT_EQ(Text(edit, "Label3"), c.label3);
    EXPECT_EQ(Find<QLineEdit>(edit, "Text3")->isHidden(), c.funForm == 2);
    EXPECT_EQ(Text(edit, "Text1"), "my curve");
    EXPECT_EQ(Text(edit, "Text2"), c.text2);
    EXPECT_EQ(Text(edit, "Text3"), c.text3);
    EXPECT_EQ(Text(edit, "Text4"), "-2.5");
    EXPECT_EQ(Text(edit, "Text5"), "0.1");
    EXPECT_EQ(Text(edit, "Text6"), "40");
    EXPECT_EQ(Text(edit, "Combo2"), c.combo2);
    EXPECT_EQ(Find<ColorBox>(edit, "Picture1")->Color(), 0x00FF00);
  }
}

TEST_F(PropertiesDialog, OnlyPlaneFunctionsCanBeEdited) {
  struct Case {
    std::int32_t graphType, coordType, funForm, docType;
    bool editable;
  };
  const Case cases[] = {{0, 1, 2, 1, true},  {0, 2, 3, 1, true},  {0, 1, 1, 1, false},
                        {0, 1, 4, 1, false}, {9, 1, 2, 1, false}, {2, 3, 3, 1, false},
                        {0, 1, 2, 3, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << c.graphType << " " << c.coordType << " " << c.funForm << " " << c.docType);
    Cls9 graph(document.Values());
    graph.GraphType(c.graphType);
    graph.CoordType(c.coordType);
    graph.FunForm(c.funForm);
    EXPECT_EQ(frmF5::CanEdit(graph, c.docType), c.editable);
  }
}

TEST_F(PropertiesDialog, ColourBoxTakesTheChosenColour) {
  dialogs.colors = {0x00FF00, std::nullopt};
  auto* box = Find<ColorBox>(dialog, "Picture1");
  QTest::mouseClick(box, Qt::LeftButton);
  EXPECT_EQ(box->Color(), 0x00FF00);
  QTest::mouseClick(box, Qt::LeftButton);  // cancelled: unchanged
  EXPECT_EQ(box->Color(), 0x00FF00);
}

// --- OK through the window ---

// What a user types into the Properties dialog's boxes.
FunctionInput Typed(int coordinate, int form, const char* first, const char* second,
                    const char* min, const char* max, const char* steps) {
  FunctionInput in;
  in.coordinate = coordinate;
  in.form = form;
  in.first = QString::fromLatin1(first);
  in.second = QString::fromLatin1(second);
  in.min = QString::fromLatin1(min);
  in.max = QString::fromLatin1(max);
  in.steps = QString::fromLatin1(steps);
  return in;
}

using PropertiesThroughWindow = WindowTest;

TEST_F(PropertiesThroughWindow, InputThatIsRefusedKeepsTheDialogOpen) {
  struct Case {
    const char* name;
    FunctionInput input;
    const char* title;
    const char* text;
  };
  const Case cases[] = {
      {"equation typed", Typed(0, 0, "y=x", "", "-1", "1", "10"), "Error", "Illegal data exist."},
      {"inequation typed", Typed(0, 1, "u", "u<1", "-1", "1", "10"), "Error",
       "Illegal data exist."},
      {"letter in Min", Typed(0, 0, "x", "", "1a", "2", "10"), "Error", "Illegal data exist."},
      {"plus in Max", Typed(1, 0, "a", "", "0", "+3", "10"), "Error", "Illegal data exist."},
      {"non-ASCII", Typed(0, 0, "x\xb2", "", "0", "1", "10"), "Error", "Illegal data exist."},
      {"empty steps", Typed(0, 0, "x", "", "0", "1", ""), "Note", "Input all parameters please."},
      {"blanks in Max", Typed(0, 0, "x", "", "0", "  ", "10"), "Note",
       "Input all parameters please."},
      {"Max below Min", Typed(0, 0, "x", "", "5", "1", "10"), "Note",
       "Min x must less than Max x."},
      {"polar Max below Min", Typed(1, 0, "a", "", "5", "1", "10"), "Note",
       "Min x must less than Max x."},
      {"too few steps", Typed(0, 0, "x", "", "0", "1", "0.6"), "Note",
       "Steps x must larger than 1."},
      {"steps not a number", Typed(1, 0, "a", "", "0", "1", "many"), "Note",
       "Steps x must larger than 1."},
      {"parametric Max below Min", Typed(0, 1, "u", "u", "1", "-1", "10"), "Note",
       "Min u must less than Max u."},
      {"parametric steps", Typed(1, 1, "u", "u", "0", "1", "0"), "Note",
       "Steps u must larger than 1."},
      {"steps beyond 32 bits", Typed(0, 0, "x", "", "0", "1", "3000000000"), "Note",
       "A number is too large."},
      {"end beyond single range", Typed(0, 0, "x", "", "0", "1E39", "10"), "Note",
       "A number is too large."},
  };
  Start("");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    dialogs.reports.clear();
    dialogs.leftOpen.clear();
    bool stayedOpen = false;
    dialogs.scripts.push_back([&c, &stayedOpen](QDialog& dialog) {
      FillAndConfirm(dialog, c.input);
      stayedOpen = dialog.isVisible();
      ClickButton(dialog, "Command2");
    });
    Trigger(c.input.coordinate == 1 ? "mnuDraw2DPolar" : "mnuDraw2DCart");
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(dialogs.reports.size(), 1u);
    EXPECT_EQ(dialogs.reports[0].title, c.title);
    EXPECT_EQ(dialogs.reports[0].text, c.text);
    EXPECT_EQ(dialogs.reports[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(List().count(), 0);
    EXPECT_TRUE(Window().Document().ListScene().Graphs().Empty());
    EXPECT_EQ(Window().Document().LastGraphID(), 0);
  }
}

TEST_F(PropertiesThroughWindow, ASyntaxErrorKeepsTheDialogOpenAndAddsNoGraph) {
  Start("");
  dialogs.scripts.push_back([this](QDialog& dialog) {
    FunctionInput wrong;
    wrong.first = QStringLiteral("sin x");
    FillAndConfirm(dialog, wrong);
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(dialogs.reports.size(), 1u);
    EXPECT_EQ(dialogs.reports[0].title, "Syntax Error");
    EXPECT_EQ(dialogs.reports[0].text, "Character 0:  Undefined symbol : 'sinx'");
    EXPECT_EQ(dialogs.reports[0].icon, MessageIcon::Critical);
    EXPECT_EQ(Find<QLineEdit>(dialog, "Text2")->text().toStdString(), "sinx");
    EXPECT_TRUE(Window().Document().ListScene().Graphs().Empty());
    EXPECT_TRUE(Window().Document().ShowScene().Graphs().Empty());
    // Corrected in the same dialog: the graph comes in with the next ID.
    Find<QLineEdit>(dialog, "Text2")->setText(QStringLiteral("sin(x)"));
    ClickButton(dialog, "Command1");
    EXPECT_FALSE(dialog.isVisible());
  });
  Trigger("mnuDraw2DCart");
  ASSERT_EQ(List().count(), 1);
  EXPECT_EQ(List().item(0)->text().toStdString(), "2D Curve  y=sin(x)");
  EXPECT_EQ(Window().Document().ListScene().Graphs().Item(1)->ID(), 2);
}

TEST_F(PropertiesThroughWindow, WhatOkBuildsFromTheTexts) {
  struct Case {
    const char* name;
    FunctionInput input;
    const char* entry;
    const char* expressY;
    const char* expressZ;
    float minV, maxV;
    std::int32_t stepV, coordType, funForm;
  };
  const Case cases[] = {
      {"blanks dropped", Typed(0, 0, "x^2 + 1", "", "-1", "1", "10"), "2D Curve  y=x^2+1", "x",
       "x^2+1", -1, 1, 10, 1, 2},
      {"comma as point", Typed(0, 0, "x", "", "1,5", "2,25", "10"), "2D Curve  y=x", "x", "x", 1.5f,
       2.25f, 10, 1, 2},
      {"equal ends, one step", Typed(0, 0, "x", "", "2", "2", "1"), "2D Curve  y=x", "x", "x", 2, 2,
       1, 1, 2},
      {"steps 1.4 become 1", Typed(0, 0, "x", "", "0", "1", "1.4"), "2D Curve  y=x", "x", "x", 0, 1,
       1, 1, 2},
      {"steps 2.5 become 2", Typed(0, 0, "x", "", "0", "1", "2.5"), "2D Curve  y=x", "x", "x", 0, 1,
       2, 1, 2},
      {"empty Min becomes 0", Typed(0, 0, "x", "", "", "3", "10"), "2D Curve  y=x", "x", "x", 0, 3,
       10, 1, 2},
      {"parametric", Typed(0, 1, "cos(u)*5", "sin(u)*5", "0", "6.3", "60"),
       "2D Curve  x=cos(u)*5, y=sin(u)*5", "cos(u)*5", "sin(u)*5", 0, 6.3f, 60, 1, 3},
      {"polar", Typed(1, 0, "5", "", "0", "6.3", "60"), "2D Curve  r=5", "a", "5", 0, 6.3f, 60, 2,
       2},
      {"polar parametric", Typed(1, 1, "u", "2", "0", "3", "30"), "2D Curve  a=u, r=2", "u", "2", 0,
       3, 30, 2, 3},
  };
  Start("");
  std::int32_t position = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    AddFunction(c.input);
    ++position;
    EXPECT_TRUE(dialogs.reports.empty());
    ASSERT_EQ(List().count(), position);
    EXPECT_EQ(List().item(position - 1)->text().toStdString(), c.entry);
    const Cls9& graph = *Window().Document().ListScene().Graphs().Item(position);
    EXPECT_EQ(graph.ID(), position);
    EXPECT_EQ(graph.NameS(), "Untitled");
    EXPECT_EQ(graph.GraphType(), 0);
    EXPECT_EQ(graph.CoordType(), c.coordType);
    EXPECT_EQ(graph.FunForm(), c.funForm);
    EXPECT_EQ(graph.ExpressX(), "0");
    EXPECT_EQ(graph.ExpressY(), c.expressY);
    EXPECT_EQ(graph.ExpressZ(), c.expressZ);
    EXPECT_EQ(graph.StepU(), 1);
    EXPECT_EQ(graph.StepV(), c.stepV);
    EXPECT_FLOAT_EQ(graph.MinV(), c.minV);
    EXPECT_FLOAT_EQ(graph.MaxV(), c.maxV);
    EXPECT_FLOAT_EQ(graph.MinU(), 0);
    EXPECT_FLOAT_EQ(graph.MaxU(), 1);
    EXPECT_EQ(graph.LineWidth(), 3);
    EXPECT_EQ(graph.LineColor(), 0xFF0000);
    EXPECT_EQ(graph.FillStyle(), 4);
    EXPECT_EQ(graph.FirstColor(), 0xFF0000);
    EXPECT_EQ(graph.Material(), 4);
    EXPECT_EQ(graph.Show(), 2);
    EXPECT_EQ(graph.Smoothness(), 2);
    EXPECT_TRUE(graph.Show2DCurve());
    EXPECT_NE(graph.Vert3D(0, c.stepV), nullptr);
  }
  SaveScreenshot("curve-forms");
}

// The polar and parametric forms are drawn where they belong: a circle of
// radius 5 around the origin leaves the origin itself white.
TEST_F(PropertiesThroughWindow, PolarCircleIsDrawnAroundTheOrigin) {
  Start("");
  FunctionInput circle;
  circle.coordinate = 1;
  circle.first = QStringLiteral("5");
  circle.min = QStringLiteral("0");
  circle.max = QStringLiteral("6.3");
  circle.steps = QStringLiteral("90");
  circle.color = kRed;
  AddFunction(circle);
  Trigger("mnuViewFit");
  const QImage frame = Frame();
  const QColor red(255, 0, 0);
  EXPECT_GT(CountNear(frame, red), 300);
  // The circle fills about half of the fitted height: scan the middle row.
  const int y = frame.height() / 2;
  int crossings = 0;
  bool inside = false;
  for (int x = 0; x < frame.width(); ++x) {
    const QColor pixel = frame.pixelColor(x, y);
    const bool onCurve = pixel.red() > 200 && pixel.green() < 80 && pixel.blue() < 80;
    if (onCurve && !inside) {
      ++crossings;
    }
    inside = onCurve;
  }
  EXPECT_EQ(crossings, 2);
}

}  // namespace
}  // namespace quillon::testing
