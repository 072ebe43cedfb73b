#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include "graph/graph_record.h"
#include "ui/color_box.h"
#include "ui/draw_area.h"
#include "window_test_support.h"

namespace quillon::testing {
namespace {

const QColor kRedPixel(255, 0, 0);
const QColor kGreenPixel(0, 255, 0);

FunctionInput RedParabola() {
  FunctionInput input;
  input.first = QStringLiteral("x^2 / 4 - 5");
  input.color = kRed;
  return input;
}

class MainWindow : public WindowTest {
 protected:
  // The red parabola, then a green sine.
  void AddRedAndGreen() {
    AddFunction(RedParabola());
    FunctionInput green;
    green.first = QStringLiteral("sin(x)*3");
    green.color = kGreen;
    AddFunction(green);
  }
};

TEST_F(MainWindow, DrawCartesianAddsACheckedEntryAndDrawsTheCurve) {
  Start("");
  EXPECT_EQ(CountNear(Frame(), kRedPixel), 0);
  AddFunction(RedParabola());

  ASSERT_EQ(List().count(), 1);
  EXPECT_EQ(List().item(0)->text().toStdString(), "2D Curve  y=x^2/4-5");
  EXPECT_EQ(List().item(0)->checkState(), Qt::Checked);
  EXPECT_EQ(Window().Document().ShowScene().Graphs().Count(), 1);
  EXPECT_GT(CountNear(Frame(), kRedPixel), 200);
  EXPECT_TRUE(dialogs.reports.empty());
  EXPECT_EQ(dialogs.shownDialogs, std::vector<std::string>{"frmF5"});
  SaveScreenshot("parabola");
}

TEST_F(MainWindow, UncheckHidesTheCurveAndCheckShowsItAgain) {
  Start("");
  AddRedAndGreen();
  const std::int32_t redID = Window().Document().ListScene().Graphs().Item(1)->ID();
  ASSERT_GT(CountNear(Frame(), kRedPixel), 200);

  ClickCheckBox(0);
  EXPECT_EQ(List().item(0)->checkState(), Qt::Unchecked);
  EXPECT_FALSE(Window().IsShown(redID));
  const QImage hidden = Frame();
  EXPECT_EQ(CountNear(hidden, kRedPixel), 0);
  EXPECT_GT(CountNear(hidden, kGreenPixel), 100);
  SaveScreenshot("one-graph-hidden");

  ClickCheckBox(0);
  EXPECT_EQ(List().item(0)->checkState(), Qt::Checked);
  EXPECT_TRUE(Window().IsShown(redID));
  EXPECT_GT(CountNear(Frame(), kRedPixel), 200);
}

// --- structure ---

struct MenuItem {
  const char* name;  // null: a separator
  const char* caption;
  const char* shortcut;
};

void ExpectItems(const QList<QAction*>& actions, const std::vector<MenuItem>& items) {
  ASSERT_EQ(actions.size(), static_cast<qsizetype>(items.size()));
  for (std::size_t i = 0; i < items.size(); ++i) {
    const QAction* action = actions[static_cast<qsizetype>(i)];
    SCOPED_TRACE(::testing::Message() << "item " << i);
    if (items[i].name == nullptr) {
      EXPECT_TRUE(action->isSeparator());
      continue;
    }
    EXPECT_EQ(action->objectName().toStdString(), items[i].name);
    EXPECT_EQ(action->text().toStdString(), items[i].caption);
    EXPECT_EQ(action->shortcut().toString().toStdString(), items[i].shortcut);
  }
}

TEST_F(MainWindow, MenusCarryEveryItemWithItsCaptionAndShortcut) {
  Start("");
  EXPECT_EQ(Window().objectName().toStdString(), "frmF1");
  EXPECT_EQ(Window().windowTitle().toStdString(), "Quillon");
  struct Menu {
    const char* title;
    std::vector<MenuItem> items;
  };
  const std::vector<Menu> menus = {
      {"File",
       {{"mnuFileNew2D", "New", ""},
        {"mnuFileOpen", "Open...", "Ctrl+O"},
        {"mnuFileSave", "Save", "Ctrl+S"},
        {"mnuFileSaveAs", "SaveAs...", ""},
        {nullptr, "", ""},
        {"mnuFilePrint", "Print...", "Ctrl+P"},
        {nullptr, "", ""},
        {"mnuFileExit", "Exit", "Ctrl+X"}}},
      {"Edit",
       {{"mnuEditCut", "Cut", ""},
        {"mnuEditCopy", "Copy", "Ctrl+C"},
        {"mnuEditCopyAs", "Copy As BMP", ""},
        {"mnuEditPaste", "Paste", ""},
        {nullptr, "", ""},
        {"mnuEditDelete", "Delete", ""},
        {"mnuEditDelAll", "Delete All", ""}}},
      {"View",
       {{"mnuViewMove", "Move", "F7"},
        {"mnuViewZoom", "Zoom", "F8"},
        {"mnuViewFit", "Zoom to Fit", ""},
        {nullptr, "", ""},
        {"mnuViewSet", "Settings...", ""}}},
      {"Draw",
       {{"mnuDraw2DCart", "Cartesian", ""},
        {"mnuDraw2DPolar", "Polar", ""},
        {nullptr, "", ""},
        {"mnuDrawAxis", "Axis...", ""}}},
      {"Help",
       {{"mnuHelpCon", "Content...", ""},
        {"mnuHelpHome", "Homepage", ""},
        {"mnuHelpAbout", "About...", ""}}},
  };
  const QList<QAction*> bar = Window().menuBar()->actions();
  ASSERT_EQ(bar.size(), static_cast<qsizetype>(menus.size()));
  for (std::size_t i = 0; i < menus.size(); ++i) {
    SCOPED_TRACE(menus[i].title);
    EXPECT_EQ(bar[static_cast<qsizetype>(i)]->text().toStdString(), menus[i].title);
    ASSERT_NE(bar[static_cast<qsizetype>(i)]->menu(), nullptr);
    ExpectItems(bar[static_cast<qsizetype>(i)]->menu()->actions(), menus[i].items);
  }
}

TEST_F(MainWindow, PopUpMenusAreOffTheMenuBar) {
  Start("");
  auto* funEdit = Window().findChild<QMenu*>(QStringLiteral("FunEdit"));
  auto* graphEdit = Window().findChild<QMenu*>(QStringLiteral("GraphEdit"));
  ASSERT_NE(funEdit, nullptr);
  ASSERT_NE(graphEdit, nullptr);
  ExpectItems(funEdit->actions(), {{"mnuFunEdit", "Edit...", ""},
                                   {"mnuFunCut", "Cut", ""},
                                   {"mnuFunCopy", "Copy", ""},
                                   {"mnuFunDelete", "Delete", ""}});
  ExpectItems(graphEdit->actions(), {{"mnuGraphPaste", "Paste", ""},
                                     {"mnuGraphCutAll", "Cut All", ""},
                                     {"mnuGraphCopyAll", "Copy All", ""},
                                     {"mnuGraphCopyAs", "Copy As BMP", ""},
                                     {"mnuGraphDelAll", "Delete All", ""},
                                     {nullptr, "", ""},
                                     {"mnuGraphAxis", "Axis...", ""}});
  for (const QAction* item : Window().menuBar()->actions()) {
    EXPECT_NE(item->menu(), funEdit);
    EXPECT_NE(item->menu(), graphEdit);
  }
}

TEST_F(MainWindow, ToolbarButtonsInTheirPositions) {
  Start("");
  auto* toolbar = Window().findChild<QToolBar*>(QStringLiteral("Toolbar1"));
  ASSERT_NE(toolbar, nullptr);
  struct Button {
    const char* key;
    const char* tooltip;  // null: a separator
  };
  const std::vector<Button> buttons = {{"barSep0", nullptr},
                                       {"barNew2D", "New 2D Graphs"},
                                       {"barSep1", nullptr},
                                       {"barOpen", "Open File"},
                                       {"barSave", "Save File"},
                                       {"barSaveAs", "Save File As"},
                                       {"barSep2", nullptr},
                                       {"barPrint", "Print"},
                                       {"barSep3", nullptr},
                                       {"barCut", "Cut Selected Graph"},
                                       {"barCopy", "Copy Graph"},
                                       {"barCopyAs", "Copy Graph As BMP"},
                                       {"barPaste", "Paste Graph"},
                                       {"varDel", "Delete Selected Graph"},
                                       {"barSep4", nullptr},
                                       {"barHelp", "Help"},
                                       {"barSep6", nullptr},
                                       {"barFun2DCart", "Add A 2D Cartesian Function Graph"},
                                       {"barFun2DPolar", "Add A 2D Polar Function Graph"},
                                       {"barSep8", nullptr},
                                       {"barCoord", "Modify Coordinate System"},
                                       {"barSep9", nullptr},
                                       {"barMove", "Move The Scene"},
                                       {"barZoom", "Zoom In Or Zoom Out"},
                                       {"barZoomAll", "Zoom To Fit"}};
  const QList<QAction*> actions = toolbar->actions();
  ASSERT_EQ(actions.size(), static_cast<qsizetype>(buttons.size()));
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    const QAction* action = actions[static_cast<qsizetype>(i)];
    SCOPED_TRACE(::testing::Message() << "position " << i + 1 << " " << buttons[i].key);
    EXPECT_EQ(action->objectName().toStdString(), buttons[i].key);
    EXPECT_EQ(action->isSeparator(), buttons[i].tooltip == nullptr);
    if (buttons[i].tooltip != nullptr) {
      EXPECT_EQ(action->toolTip().toStdString(), buttons[i].tooltip);
      EXPECT_FALSE(action->icon().isNull());
    }
  }
}

// A toolbar button runs the same command as its menu item.
TEST_F(MainWindow, ToolbarButtonsRunTheirCommands) {
  Start("");
  Trigger("barMove");
  EXPECT_TRUE(Window().Navigation().MoveMode());
  Trigger("barZoom");
  EXPECT_TRUE(Window().Navigation().ZoomMode());
  EXPECT_FALSE(Window().Navigation().MoveMode());
  FunctionInput input = RedParabola();
  dialogs.scripts.push_back([input](QDialog& dialog) { FillAndConfirm(dialog, input); });
  dialogs.colors.push_back(*input.color);
  Trigger("barFun2DCart");
  EXPECT_EQ(List().count(), 1);
  Trigger("barHelp");
  ASSERT_EQ(dialogs.openedUrls.size(), 1u);
  EXPECT_TRUE(dialogs.openedUrls[0].toLocalFile().endsWith(QStringLiteral("/help.html")));
}

// --- load ---

TEST_F(MainWindow, LoadStartsAnEmptyDocument) {
  Start("");
  const Document& document = Window().Document();
  EXPECT_TRUE(document.MainAxis().Show());
  EXPECT_TRUE(document.ListScene().Graphs().Empty());
  EXPECT_EQ(document.Values().DocType, 1);
  const DocumentValues& v = document.Values();
  EXPECT_EQ(
      std::vector<float>({v.ViewMinX, v.ViewMaxX, v.ViewMinY, v.ViewMaxY, v.ViewMinZ, v.ViewMaxZ}),
      std::vector<float>({-50, 50, -50, 50, -50, 50}));
  EXPECT_FALSE(Window().Navigation().MoveMode());
  EXPECT_FALSE(Window().Navigation().ZoomMode());
  EXPECT_FLOAT_EQ(Window().Navigation().ZoomFactor(), 1.0f);
  EXPECT_FALSE(Window().EditMode());
  EXPECT_EQ(List().count(), 0);
  EXPECT_TRUE(dialogs.reports.empty());
  EXPECT_TRUE(dialogs.questions.empty());
  // An empty scene draws a white frame: no axis without a graph.
  EXPECT_EQ(CountNonWhite(Frame()), 0);
  EXPECT_EQ(Window().HelpFilePath(),
            QCoreApplication::applicationDirPath() + QStringLiteral("/help.html"));
}

TEST_F(MainWindow, LoadOpensTheCommandLineFileWholeWithItsBlanks) {
  const QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QString path = folder.filePath(QStringLiteral("my  graphs (2).pgp"));
  ASSERT_TRUE(QFile::copy(QStringLiteral(QUILLON_EXAMPLES_DIR "/gallery.pgp"), path));
  Start(path.toStdString());
  EXPECT_TRUE(dialogs.reports.empty());
  ASSERT_GT(List().count(), 1);
  EXPECT_EQ(static_cast<std::size_t>(List().count()), Window().Document().Entries().size());
  for (int row = 0; row < List().count(); ++row) {
    EXPECT_EQ(List().item(row)->checkState(), Qt::Checked);
    EXPECT_EQ(List().item(row)->text().toStdString(),
              Window().Document().Entries()[static_cast<std::size_t>(row)].text);
  }
  EXPECT_GT(CountNonWhite(Frame()), 1000);
  Trigger("mnuViewFit");
  SaveScreenshot("gallery");
}

TEST_F(MainWindow, LoadReportsAFileThatCannotBeRead) {
  Start("/no/such/folder/graphs.pgp");
  ASSERT_EQ(dialogs.reports.size(), 1u);
  EXPECT_EQ(dialogs.reports[0].title, "Error");
  EXPECT_EQ(dialogs.reports[0].icon, MessageIcon::Critical);
  EXPECT_EQ(List().count(), 0);
}

// --- list commands ---

TEST_F(MainWindow, DeleteRemovesTheCurrentGraphOnly) {
  Start("");
  AddRedAndGreen();
  List().setCurrentRow(0);
  Trigger("mnuEditDelete");
  ASSERT_EQ(List().count(), 1);
  EXPECT_EQ(List().item(0)->text().toStdString(), "2D Curve  y=sin(x)*3");
  EXPECT_EQ(List().currentRow(), -1);
  EXPECT_EQ(Window().Document().ListScene().Graphs().Count(), 1);
  EXPECT_EQ(Window().Document().ShowScene().Graphs().Count(), 1);
  const QImage frame = Frame();
  EXPECT_EQ(CountNear(frame, kRedPixel), 0);
  EXPECT_GT(CountNear(frame, kGreenPixel), 100);

  // With no current entry Delete, Edit and the pop-up's Delete do nothing.
  Trigger("mnuEditDelete");
  Trigger("varDel");
  Trigger("mnuFunDelete");
  Trigger("mnuFunEdit");
  EXPECT_EQ(List().count(), 1);
  EXPECT_TRUE(dialogs.reports.empty());
  EXPECT_EQ(dialogs.shownDialogs.size(), 2u);
}

TEST_F(MainWindow, DeleteAllEmptiesTheListAndTheDrawing) {
  Start("");
  AddFunction(RedParabola());
  AddFunction(RedParabola());
  ClickCheckBox(1);
  Trigger("mnuGraphDelAll");
  EXPECT_EQ(List().count(), 0);
  EXPECT_TRUE(Window().Document().ListScene().Graphs().Empty());
  EXPECT_TRUE(Window().Document().ShowScene().Graphs().Empty());
  EXPECT_EQ(CountNonWhite(Frame()), 0);
}

TEST_F(MainWindow, EditShowsTheGraphAndChangesIt) {
  Start("");
  AddFunction(RedParabola());
  const std::int32_t ID = Window().Document().ListScene().Graphs().Item(1)->ID();
  List().setCurrentRow(0);
  dialogs.colors.push_back(kGreen);
  dialogs.scripts.push_back([](QDialog& dialog) {
    auto* text2 = dialog.findChild<QLineEdit*>(QStringLiteral("Text2"));
    EXPECT_EQ(text2->text().toStdString(), "x^2/4-5");
    EXPECT_EQ(dialog.findChild<QLineEdit*>(QStringLiteral("Text4"))->text().toStdString(), "-10");
    EXPECT_EQ(dialog.findChild<QLineEdit*>(QStringLiteral("Text6"))->text().toStdString(), "100");
    EXPECT_EQ(dialog.findChild<QComboBox*>(QStringLiteral("Combo2"))->currentText().toStdString(),
              "3");
    text2->setText(QStringLiteral("5 - x^2 / 4"));
    QTest::mouseClick(dialog.findChild<ColorBox*>(QStringLiteral("Picture1")), Qt::LeftButton);
    ClickButton(dialog, "Command1");
  });
  Trigger("mnuFunEdit");
  EXPECT_TRUE(dialogs.leftOpen.empty());
  EXPECT_FALSE(Window().EditMode());
  ASSERT_EQ(List().count(), 1);
  EXPECT_EQ(List().item(0)->text().toStdString(), "2D Curve  y=5-x^2/4");
  const Cls9& graph = *Window().Document().ListScene().Graphs().Item(1);
  EXPECT_EQ(graph.ID(), ID);
  EXPECT_EQ(graph.ExpressZ(), "5-x^2/4");
  EXPECT_EQ(Window().Document().ShowScene().Graphs().Item(1)->ExpressZ(), "5-x^2/4");
  const QImage frame = Frame();
  EXPECT_EQ(CountNear(frame, kRedPixel), 0);
  EXPECT_GT(CountNear(frame, kGreenPixel), 200);
}

TEST_F(MainWindow, EditOfAnUncheckedEntryAsksForAFunction) {
  Start("");
  AddFunction(RedParabola());
  ClickCheckBox(0);
  List().setCurrentRow(0);
  Trigger("mnuFunEdit");
  ASSERT_EQ(dialogs.reports.size(), 1u);
  EXPECT_EQ(dialogs.reports[0].title, "Warning");
  EXPECT_EQ(dialogs.reports[0].text, "Select a function first.");
  EXPECT_EQ(dialogs.reports[0].icon, MessageIcon::Exclamation);
  EXPECT_EQ(dialogs.shownDialogs.size(), 1u);  // only the Draw dialog
  EXPECT_FALSE(Window().EditMode());
}

TEST_F(MainWindow, CancelledOrFailedEditLeavesTheGraphAsItWas) {
  Start("");
  AddFunction(RedParabola());
  List().setCurrentRow(0);
  // Cancel after changing the text.
  dialogs.scripts.push_back([](QDialog& dialog) {
    dialog.findChild<QLineEdit*>(QStringLiteral("Text2"))->setText(QStringLiteral("1"));
    ClickButton(dialog, "Command2");
  });
  Trigger("mnuFunEdit");
  // An expression that does not compile: the message, the dialog stays open.
  dialogs.scripts.push_back([this](QDialog& dialog) {
    dialog.findChild<QLineEdit*>(QStringLiteral("Text2"))->setText(QStringLiteral("x^"));
    ClickButton(dialog, "Command1");
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(dialogs.reports.size(), 1u);
    EXPECT_EQ(dialogs.reports[0].title, "Syntax Error");
    ClickButton(dialog, "Command2");
  });
  Trigger("mnuFunEdit");
  EXPECT_TRUE(Window().EditMode());  // Cancel keeps it
  EXPECT_EQ(List().item(0)->text().toStdString(), "2D Curve  y=x^2/4-5");
  const Cls9& graph = *Window().Document().ListScene().Graphs().Item(1);
  EXPECT_EQ(graph.ExpressZ(), "x^2/4-5");
  EXPECT_GT(CountNear(Frame(), kRedPixel), 200);
}

// An implicit equation read from a file is listed but cannot be shown by
// the dialog: Edit says so instead of overwriting it with an empty form.
TEST_F(MainWindow, EditRefusesGraphsTheDialogCannotShow) {
  const QTemporaryDir folder;
  const std::string path = folder.filePath(QStringLiteral("circle.pgp")).toStdString();
  {
    ScriptedDialogs quiet;
    Document document(quiet);
    const std::shared_ptr<Cls9> circle =
        document.MakeGraph()->Init(0, "circle", 0, 1, "0", "0", "x^2+y^2-25", 30, 30, -6, 6, -6, 6,
                                   4, 0xFF0000, 0xFF0000, 0, 1, 4, 2, 2, false, false, false, 0);
    circle->FunForm(1);
    ASSERT_TRUE(document.AddDialogGraph(circle));
    ASSERT_TRUE(document.WriteGraphFile(path));
  }
  Start(path);
  ASSERT_EQ(List().count(), 1);
  EXPECT_EQ(List().item(0)->text().toStdString(), "2D Curve  x^2+y^2-25=0");
  List().setCurrentRow(0);
  Trigger("mnuFunEdit");
  ASSERT_EQ(dialogs.reports.size(), 1u);
  EXPECT_EQ(dialogs.reports[0].title, "Note");
  EXPECT_TRUE(dialogs.shownDialogs.empty());
  EXPECT_FALSE(Window().EditMode());
  EXPECT_EQ(Window().Document().ListScene().Graphs().Item(1)->FunForm(), 1);
}

// --- view ---

TEST_F(MainWindow, ZoomToFitFramesTheShownGraphsTwiceOver) {
  Start("");
  FunctionInput line;
  line.first = QStringLiteral("x");
  line.min = QStringLiteral("2");
  line.max = QStringLiteral("6");
  line.steps = QStringLiteral("4");
  AddFunction(line);
  const Cls4 before = Window().MainView();

  // Only checked graphs count: with none shown nothing changes.
  ClickCheckBox(0);
  Trigger("mnuViewFit");
  EXPECT_FLOAT_EQ(Window().MainView().VolHeight(), before.VolHeight());
  EXPECT_FLOAT_EQ(Window().MainView().RefPos().X(), before.RefPos().X());

  ClickCheckBox(0);
  Trigger("mnuViewFit");
  const Cls4& view = Window().MainView();
  // A curve's box holds the origin: 0..6 in x and y, widened by 0.1, so the
  // region is twice 6.2 around (3, 3).
  EXPECT_NEAR(view.RefPos().X(), 3, 1e-4);
  EXPECT_NEAR(view.RefPos().Y(), 3, 1e-4);
  EXPECT_NEAR(view.VolHeight(), 12.4, 1e-4);
  EXPECT_NEAR(view.VolWidth() / view.VolHeight(), view.ScreenWidth() / view.ScreenHeight(), 1e-4);
  EXPECT_FLOAT_EQ(view.EyePos().z() - view.RefPos().z(), before.EyePos().z() - before.RefPos().z());
}

// Graphs of the different forms side by side, each in its own colour.
TEST_F(MainWindow, EveryGraphIsDrawnInItsColour) {
  Start("");
  struct Graph {
    int coordinate, form;
    const char* first;
    const char* second;
    const char* min;
    const char* max;
    std::int32_t color;
    QColor pixel;
  };
  const Graph graphs[] = {
      {0, 0, "3*sin(x)", "", "-10", "10", 0xC05A1E, QColor(0x1E, 0x5A, 0xC0)},
      {1, 0, "6*cos(3*a)", "", "0", "3.1416", 0x2828C8, QColor(0xC8, 0x28, 0x28)},
      {0, 1, "8*sin(3*u)", "5*sin(2*u)", "0", "6.2832", 0x28A028, QColor(0x28, 0xA0, 0x28)},
  };
  for (const Graph& g : graphs) {
    FunctionInput input;
    input.coordinate = g.coordinate;
    input.form = g.form;
    input.first = QString::fromLatin1(g.first);
    input.second = QString::fromLatin1(g.second);
    input.min = QString::fromLatin1(g.min);
    input.max = QString::fromLatin1(g.max);
    input.steps = QStringLiteral("200");
    input.color = g.color;
    AddFunction(input);
  }
  ASSERT_EQ(List().count(), 3);
  Trigger("mnuViewFit");
  Window().MainView().Zoom(0.7f);
  const QImage frame = Frame();
  for (const Graph& g : graphs) {
    SCOPED_TRACE(g.first);
    EXPECT_GT(CountNear(frame, g.pixel, 30), 300);
  }
  List().setCurrentRow(1);
  SaveScreenshot("window");
}

}  // namespace
}  // namespace quillon::testing
