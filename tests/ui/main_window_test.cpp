// The main window's menus and toolbar, Load, and the graph list: Draw,
// check boxes, Delete, Edit and Zoom to Fit, with the frames drawn.

#include "window_test_support.h"

namespace quillon::testing {
namespace {

using MainWindow = WindowTest;

const FunctionInput kParabola{0, 0, "x^2 / 4 - 5", "", "-10", "10", "100", kRed};

TEST_F(MainWindow, DrawnGraphsAreListedCheckedAndShownWhileChecked) {
  Start("");
  AddFunction(kParabola);
  AddFunction({1, 1, "u", "6", "0", "3.1416", "200", kGreen});
  List().setCurrentRow(1);
  SaveScreenshot("window");
  // The entry, its check box and the frame for each click.
  const std::pair<const char*, bool> states[] = {{"[x] 2D Curve  y=x^2/4-5", true},
                                                 {"[ ] 2D Curve  y=x^2/4-5", false},
                                                 {"[x] 2D Curve  y=x^2/4-5", true}};
  for (const auto& [entry, shown] : states) {
    SCOPED_TRACE(entry);
    EXPECT_EQ(Entries()[0], entry);
    const QImage frame = Frame();
    EXPECT_EQ(CountNear(frame, kRedPixel, 30) > 200, shown);
    EXPECT_GT(CountNear(frame, QColor(0, 255, 0), 30), 200);
    ClickCheckBox(0);
  }
  EXPECT_TRUE(dialogs.reports.empty());
}

// "name=caption(shortcut)" for each item, "-name" for a separator; the
// toolbar's with their tool tips and an icon each.
std::string Items(const QList<QAction*>& actions, bool toolTips = false) {
  std::string items;
  for (const QAction* action : actions) {
    items += (items.empty() ? "" : ", ") + std::string(action->isSeparator() ? "-" : "") +
             action->objectName().toStdString();
    if (!action->isSeparator()) {
      items += "=" + (toolTips ? action->toolTip() : action->text()).toStdString();
      const QString keys = action->shortcut().toString();
      items += keys.isEmpty() ? "" : "(" + keys.toStdString() + ")";
      EXPECT_TRUE(!toolTips || !action->icon().isNull()) << action->objectName().toStdString();
    }
  }
  return items;
}

TEST_F(MainWindow, StartsEmptyWithEveryMenuItemAndButtonInPlace) {
  Start("");
  const DocumentValues& v = Window().Document().Values();
  EXPECT_EQ(
      std::vector<float>({v.ViewMinX, v.ViewMaxX, v.ViewMinY, v.ViewMaxY, v.ViewMinZ, v.ViewMaxZ}),
      std::vector<float>({-50, 50, -50, 50, -50, 50}));
  EXPECT_TRUE(Window().Document().MainAxis().Show());
  EXPECT_TRUE(List().count() == 0 && dialogs.reports.empty() && dialogs.questions.empty());
  EXPECT_EQ(CountNonWhite(Frame()), 0);  // no axis without a graph
  EXPECT_EQ(Window().windowTitle().toStdString(), "Quillon");
  Lines menus;
  for (const QAction* menu : Window().menuBar()->actions()) {
    menus.push_back(menu->text().toStdString() + ": " + Items(menu->menu()->actions()));
  }
  EXPECT_EQ(menus, (Lines{
                       "File: mnuFileNew2D=New, mnuFileOpen=Open...(Ctrl+O), "
                       "mnuFileSave=Save(Ctrl+S), mnuFileSaveAs=SaveAs..., -, "
                       "mnuFilePrint=Print...(Ctrl+P), -, mnuFileExit=Exit(Ctrl+X)",
                       "Edit: mnuEditCut=Cut, mnuEditCopy=Copy(Ctrl+C), mnuEditCopyAs=Copy As BMP, "
                       "mnuEditPaste=Paste, -, mnuEditDelete=Delete, mnuEditDelAll=Delete All",
                       "View: mnuViewMove=Move(F7), mnuViewZoom=Zoom(F8), mnuViewFit=Zoom to Fit, "
                       "-, mnuViewSet=Settings...",
                       "Draw: mnuDraw2DCart=Cartesian, mnuDraw2DPolar=Polar, -, "
                       "mnuDrawAxis=Axis...",
                       "Help: mnuHelpCon=Content..., mnuHelpHome=Homepage, mnuHelpAbout=About...",
                   }));
  EXPECT_EQ(Items(Find<QMenu>(Window(), "FunEdit")->actions()),
            "mnuFunEdit=Edit..., mnuFunCut=Cut, mnuFunCopy=Copy, mnuFunDelete=Delete");
  EXPECT_EQ(Items(Find<QMenu>(Window(), "GraphEdit")->actions()),
            "mnuGraphPaste=Paste, mnuGraphCutAll=Cut All, mnuGraphCopyAll=Copy All, "
            "mnuGraphCopyAs=Copy As BMP, mnuGraphDelAll=Delete All, -, mnuGraphAxis=Axis...");
  EXPECT_EQ(Items(Find<QToolBar>(Window(), "Toolbar1")->actions(), true),
            "-barSep0, barNew2D=New 2D Graphs, -barSep1, barOpen=Open File, barSave=Save File, "
            "barSaveAs=Save File As, -barSep2, barPrint=Print, -barSep3, "
            "barCut=Cut Selected Graph, barCopy=Copy Graph, barCopyAs=Copy Graph As BMP, "
            "barPaste=Paste Graph, varDel=Delete Selected Graph, -barSep4, barHelp=Help, "
            "-barSep6, barFun2DCart=Add A 2D Cartesian Function Graph, "
            "barFun2DPolar=Add A 2D Polar Function Graph, -barSep8, "
            "barCoord=Modify Coordinate System, -barSep9, barMove=Move The Scene, "
            "barZoom=Zoom In Or Zoom Out, barZoomAll=Zoom To Fit");

  // The toolbar buttons no other test presses.
  Trigger("barMove");
  EXPECT_TRUE(Window().Navigation().MoveMode());
  Trigger("barZoom");
  EXPECT_TRUE(Window().Navigation().ZoomMode() && !Window().Navigation().MoveMode());
  dialogs.scripts.push_back([](QDialog& dialog) { FillAndConfirm(dialog, kParabola); });
  dialogs.colors.push_back(kRed);
  Trigger("barFun2DCart");
  EXPECT_EQ(List().count(), 1);
}

TEST_F(MainWindow, LoadOpensTheCommandLineFileWholeWithItsBlanks) {
  const QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("my  graphs (2).pgp"));
  ASSERT_TRUE(QFile::copy(QStringLiteral(QUILLON_EXAMPLES_DIR "/gallery.pgp"), path));
  Start(path.toStdString());
  EXPECT_TRUE(dialogs.reports.empty());
  Lines expected;
  for (const GraphListEntry& entry : Window().Document().Entries()) {
    expected.push_back("[x] " + entry.text);
  }
  EXPECT_GT(expected.size(), 1u);
  EXPECT_EQ(Entries(), expected);
  EXPECT_GT(CountNonWhite(Frame()), 1000);
  Trigger("mnuViewFit");
  SaveScreenshot("gallery");
}

TEST_F(MainWindow, LoadReportsAFileThatCannotBeRead) {
  Start("/no/such/folder/graphs.pgp");
  ASSERT_EQ(dialogs.reports.size(), 1u);
  EXPECT_EQ(dialogs.reports[0].rfind("(x) Error: ", 0), 0u) << dialogs.reports[0];
  EXPECT_EQ(List().count(), 0);
}

TEST_F(MainWindow, DeleteRemovesTheCurrentGraphAndDeleteAllEveryGraph) {
  Start("");
  AddFunction(kParabola);
  AddFunction({0, 0, "sin(x)*3", "", "-10", "10", "100", kGreen});
  List().setCurrentRow(0);
  Trigger("mnuEditDelete");
  EXPECT_EQ(Entries(), Lines{"[x] 2D Curve  y=sin(x)*3"});
  EXPECT_EQ(List().currentRow(), -1);
  EXPECT_EQ(Window().Document().ShowScene().Graphs().Count(), 1);
  EXPECT_EQ(CountNear(Frame(), kRedPixel), 0);
  // With no current entry Delete, Edit and the pop-up's Delete do nothing.
  for (const char* action : {"mnuEditDelete", "varDel", "mnuFunDelete", "mnuFunEdit"}) {
    Trigger(action);
  }
  EXPECT_EQ(List().count(), 1);

  // Delete All takes unchecked entries too.
  AddFunction(kParabola);
  ClickCheckBox(1);
  Trigger("mnuGraphDelAll");
  EXPECT_EQ(List().count(), 0);
  EXPECT_TRUE(Window().Document().ListScene().Graphs().Empty());
  EXPECT_EQ(CountNonWhite(Frame()), 0);
  EXPECT_TRUE(dialogs.reports.empty());
}

TEST_F(MainWindow, EditShowsTheGraphAndChangesItOnOkOnly) {
  Start("");
  AddFunction(kParabola);
  const std::int32_t ID = ListedGraph(1).ID();
  ClickCheckBox(0);
  List().setCurrentRow(0);
  Trigger("mnuFunEdit");
  EXPECT_EQ(dialogs.reports, Lines{"(!) Warning: Select a function first."});
  EXPECT_FALSE(Window().EditMode());
  ClickCheckBox(0);

  // Cancel after a change; then a text that does not compile: told, the
  // dialog stays open.
  dialogs.scripts.push_back([](QDialog& dialog) {
    SetText(dialog, "Text2", "1");
    ClickButton(dialog, "Command2");
  });
  dialogs.scripts.push_back([this](QDialog& dialog) {
    SetText(dialog, "Text2", "x^");
    ClickButton(dialog, "Command1");
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(dialogs.reports.size(), 2u);
    EXPECT_EQ(dialogs.reports[1].rfind("(x) Syntax Error: ", 0), 0u) << dialogs.reports[1];
  });
  Trigger("mnuFunEdit");
  Trigger("mnuFunEdit");
  EXPECT_TRUE(Window().EditMode());  // Cancel keeps it
  EXPECT_EQ(Entries(), Lines{"[x] 2D Curve  y=x^2/4-5"});

  dialogs.colors.push_back(kGreen);
  dialogs.scripts.push_back([](QDialog& dialog) {
    EXPECT_EQ(Texts(dialog, "Text2 Text4 Text6 Combo2"), "x^2/4-5|-10|100|3");
    SetText(dialog, "Text2", "5 - x^2 / 4");
    QTest::mouseClick(Find<ColorBox>(dialog, "Picture1"), Qt::LeftButton);
    ClickButton(dialog, "Command1");
  });
  Trigger("mnuFunEdit");
  EXPECT_FALSE(Window().EditMode());
  EXPECT_EQ(Entries(), Lines{"[x] 2D Curve  y=5-x^2/4"});
  EXPECT_EQ(ListedGraph(1).ID(), ID);
  const QImage frame = Frame();
  EXPECT_EQ(CountNear(frame, kRedPixel), 0);
  EXPECT_GT(CountNear(frame, QColor(0, 255, 0)), 200);
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
    ASSERT_TRUE(document.AddDialogGraph(circle) && document.WriteGraphFile(path));
  }
  Start(path);
  EXPECT_EQ(Entries(), Lines{"[x] 2D Curve  x^2+y^2-25=0"});
  List().setCurrentRow(0);
  Trigger("mnuFunEdit");
  ASSERT_EQ(dialogs.reports.size(), 1u);
  EXPECT_EQ(dialogs.reports[0].rfind("(!) Note: The Properties dialog edits only", 0), 0u);
  EXPECT_FALSE(Window().EditMode());
  EXPECT_EQ(ListedGraph(1).FunForm(), 1);
}

TEST_F(MainWindow, ZoomToFitFramesTheShownGraphsTwiceOver) {
  Start("");
  AddFunction({0, 0, "x", "", "2", "6", "4"});
  const float height = Window().MainView().VolHeight();
  // Only checked graphs count: with none shown nothing changes.
  ClickCheckBox(0);
  Trigger("mnuViewFit");
  EXPECT_FLOAT_EQ(Window().MainView().VolHeight(), height);
  ClickCheckBox(0);
  Trigger("mnuViewFit");
  // A curve's box holds the origin: 0..6 in x and y, widened by 0.1, so the
  // region is twice 6.2 around (3, 3).
  const Cls4& view = Window().MainView();
  EXPECT_NEAR(view.RefPos().X(), 3, 1e-4);
  EXPECT_NEAR(view.RefPos().Y(), 3, 1e-4);
  EXPECT_NEAR(view.VolHeight(), 12.4, 1e-4);
  Window().MainView().Zoom(0.5f);
  Trigger("barZoomAll");
  EXPECT_NEAR(view.VolHeight(), 12.4, 1e-4);
}

}  // namespace
}  // namespace quillon::testing
