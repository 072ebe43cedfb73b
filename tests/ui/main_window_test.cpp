// The main window worked as a user does: its menus, keys and toolbar, Load,
// the graph list, undo and redo, Zoom to Fit, New, Exit, Save and Save As
// with the title, long work cancelled, the splitter, the axis and the
// exact-curves settings, with the frames drawn.

#include <future>

#include "io/graph_file.h"
#include "ui/long_work.h"
#include "ui/splitter_bar.h"
#include "ui/window_texts.h"
#include "window_test_support.h"

namespace quillon::testing {
namespace {

class MainWindow : public WindowTest {
 protected:
  // The entries, the view interval's top and the document text.
  std::string Summary() {
    std::string summary;
    for (const std::string& entry : Entries()) {
      summary += entry + "; ";
    }
    quillon::Document& document = Window().Document();
    return summary + std::to_string(document.Values().ViewMaxY) + " " +
           DecodeGraphFile(document.BuildGraphFile().bytes).text;
  }
};

const FunctionInput kParabola{0, 0, "x^2 / 4 - 5", "", "-10", "10", "100", kRed};
const QColor kGreenPixel(0, 255, 0);
const QColor kBlackPixel(0, 0, 0);

TEST_F(MainWindow, DrawnGraphsAreListedShownWhileCheckedAndDeleted) {
  Start("");
  EXPECT_EQ(CountNonWhite(Frame()), 0);  // no axis without a graph
  AddFunction(kParabola);
  AddFunction({1, 1, "u", "6", "0", "3.1416", "200", kGreen});
  for (const bool shown : {true, false, true}) {
    SCOPED_TRACE(shown);
    EXPECT_EQ(Entries()[0], (shown ? "[x]" : "[ ]") + std::string(" 2D Curve  y=x^2/4-5"));
    const QImage frame = Frame();
    EXPECT_EQ(CountNear(frame, kRedPixel, 30) > 200, shown);
    EXPECT_GT(CountNear(frame, kGreenPixel, 30), 200);
    ClickCheckBox(0);
  }
  Trigger("editDeleteAction", 1);
  EXPECT_EQ(Entries(), Lines{"[ ] 2D Curve  y=x^2/4-5"});
  EXPECT_EQ(List().currentRow(), -1);
  EXPECT_EQ(CountNonWhite(Frame()), 0);
  // With no current entry Delete and Edit do nothing.
  Trigger("editDeleteAction");
  Trigger("editGraphAction");
  EXPECT_EQ(List().count(), 1);
  AddFunction(kParabola);
  Trigger("editDeleteAllAction");  // unchecked entries too
  EXPECT_EQ(List().count(), 0);
  EXPECT_EQ(CountNonWhite(Frame()), 0);
  EXPECT_TRUE(dialogs.reports.empty());
}

// The menus show texts alone (an icon, even one not shown, widens a menu),
// the pop-up menus no shortcuts, and every item has an Alt letter of its
// own in its menu, which opens it. Each toolbar button shows a picture and
// runs the command whose tool tip it shows; the desktop's keys run their
// commands wherever the focus is.
TEST_F(MainWindow, MenusToolbarButtonsAndKeysRunTheirCommands) {
  Start("");
  for (const QMenu* menu : Window().findChildren<QMenu*>()) {
    const bool popUp = menu->parent() == &Window();
    QString letters;
    for (const QAction* item : menu->actions()) {
      SCOPED_TRACE(menu->title().toStdString() + " " + item->text().toStdString());
      EXPECT_TRUE(item->icon().isNull());
      EXPECT_FALSE(popUp && item->isShortcutVisibleInContextMenu() && !item->shortcut().isEmpty());
      const qsizetype mark = item->text().indexOf(QLatin1Char('&'));
      EXPECT_TRUE(item->isSeparator() || mark >= 0);
      if (!item->isSeparator() && mark >= 0) {
        EXPECT_FALSE(letters.contains(item->text().at(mark + 1).toLower()));
        letters += item->text().at(mark + 1).toLower();
      }
    }
  }
  Window().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Window()));
  std::vector<const QAction*> run;
  for (QAction* command : Window().findChildren<QAction*>(Qt::FindDirectChildrenOnly)) {
    QObject::disconnect(command, &QAction::triggered, &Window(), nullptr);
    QObject::connect(command, &QAction::triggered, [&run, command] { run.push_back(command); });
    command->setEnabled(true);  // Undo and Redo too
  }
  int buttons = 0;
  for (QAction* button : Find<QToolBar>(Window(), "toolBar")->actions()) {
    if (!button->isSeparator()) {
      SCOPED_TRACE(button->toolTip().toStdString());
      ++buttons;
      EXPECT_FALSE(button->icon().isNull());
      run.clear();
      button->trigger();
      ASSERT_EQ(run.size(), 1u);
      EXPECT_EQ(run[0]->toolTip(), button->toolTip());
    }
  }
  EXPECT_EQ(buttons, 17);
  const std::pair<const char*, const char*> keys[] = {
      {"Ctrl+N", "fileNewAction"},   {"Ctrl+O", "fileOpenAction"},
      {"Ctrl+S", "fileSaveAction"},  {"Ctrl+Shift+S", "fileSaveAsAction"},
      {"Ctrl+P", "filePrintAction"}, {"Ctrl+Q", "fileExitAction"},
      {"Ctrl+Z", "editUndoAction"},  {"Ctrl+Shift+Z", "editRedoAction"},
      {"Ctrl+Y", "editRedoAction"},  {"Ctrl+X", "editCutAction"},
      {"Ctrl+C", "editCopyAction"},  {"Ctrl+V", "editPasteAction"},
      {"Del", "editDeleteAction"},   {"F7", "viewMoveAction"},
      {"F8", "viewZoomAction"},      {"F1", "helpContentsAction"}};
  for (QWidget* focus : {static_cast<QWidget*>(&List()), &Drawing()}) {
    focus->setFocus();
    for (const auto& [key, command] : keys) {
      SCOPED_TRACE(focus->objectName().toStdString() + " " + key);
      run.clear();
      QTest::keySequence(focus, QKeySequence(QString::fromLatin1(key)));
      ASSERT_EQ(run.size(), 1u);
      EXPECT_EQ(run[0]->objectName().toStdString(), command);
    }
  }
  QTest::keyClick(&List(), Qt::Key_E, Qt::AltModifier);
  QMenu* edit = Window().menuBar()->actions().at(1)->menu();
  EXPECT_TRUE(edit->isVisible());
  edit->close();
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
  Trigger("viewZoomToFitAction");
}

// OK changes the graph in place, keeping its ID and what the dialog does
// not show. A graph the dialog cannot show (an implicit equation, as files
// hold) is not overwritten with an empty form. Hidden graphs, faulty texts
// and Cancel are the entry and dialog tests'.
TEST_F(MainWindow, EditChangesTheGraphOnOkOnly) {
  StartWith({kParabola});
  Graph& listed = *Window().Document().ListScene().Graphs().Item(1);
  listed.showInverse = listed.showRoots = true;
  listed.rootSize = 9;
  listed.rootColor = kGreen;
  const std::int32_t ID = listed.id;
  List().setCurrentRow(0);
  dialogs.colors.push_back(kGreen);
  TriggerDialog("editGraphAction", [](QDialog& dialog) {
    EXPECT_EQ(Texts(dialog, "firstFunctionEdit fromEdit stepsEdit widthCombo"),
              "x^2/4-5|-10|100|3");
    QTest::mouseClick(Find<ColorBox>(dialog, "colorBox"), Qt::LeftButton);
    TypeAndConfirm("firstFunctionEdit", "5 - x^2 / 4")(dialog);
  });
  EXPECT_EQ(Entries(), Lines{"[x] 2D Curve  y=5-x^2/4"});
  EXPECT_EQ(ListedGraph(1).id, ID);
  EXPECT_TRUE(ListedGraph(1).showInverse);
  EXPECT_EQ(ListedGraph(1).rootSize, 9);
  // A colour the record never had is not written by an edit that leaves it.
  EXPECT_EQ(ListedGraph(1).maximumColor, 0);
  const QImage frame = Frame();
  EXPECT_EQ(CountNear(frame, kRedPixel), 0);
  EXPECT_GT(CountNear(frame, kGreenPixel), 200);
  Window().Document().ListScene().Graphs().Item(1)->kind = GraphKind::SpaceCurve;
  Trigger("editGraphAction");
  ASSERT_EQ(dialogs.reports.size(), 1u);
  EXPECT_EQ(dialogs.reports[0].rfind("(!) Note: The Properties dialog edits only", 0), 0u);
  EXPECT_EQ(ListedGraph(1).kind, GraphKind::SpaceCurve);
}

TEST_F(MainWindow, ZoomToFitFramesTheShownGraphsWithAMargin) {
  StartWith({{0, 0, "x", "", "2", "6", "4"}});
  const float height = Window().MainView().VolHeight();
  ClickCheckBox(0);  // with none shown nothing changes
  Trigger("viewZoomToFitAction");
  EXPECT_FLOAT_EQ(Window().MainView().VolHeight(), height);
  ClickCheckBox(0);
  Trigger("viewZoomToFitAction");
  // A curve's box holds the origin: 0..6 in x and y, widened by 0.1, so 6.2
  // around (3, 3) fills nine tenths of the area's height or width.
  const Camera& view = Window().MainView();
  EXPECT_NEAR(view.RefPos().x, 3, 1e-4);
  EXPECT_NEAR(view.RefPos().y, 3, 1e-4);
  const float aspect = view.ScreenWidth() / view.ScreenHeight();
  EXPECT_NEAR(view.VolHeight(), std::max(6.2f, 6.2f / aspect) / 0.9f, 1e-4);
}

// What a Yes does is the document's; the window closes, or keeps its graphs
// and mode, by the answer.
TEST_F(MainWindow, NewAndExitFollowTheAnswerToTheSaveQuestion) {
  for (const auto& [action, answer] : {std::pair{"fileNewAction", Answer::No},
                                       {"fileNewAction", Answer::Cancel},
                                       {"fileExitAction", Answer::No},
                                       {"fileExitAction", Answer::Cancel}}) {
    SCOPED_TRACE(std::string(action) + (answer == Answer::No ? " No" : " Cancel"));
    const bool exit = action == std::string("fileExitAction"), done = answer == Answer::No;
    dialogs = ScriptedDialogs();
    StartWith({kRedLine});
    Trigger("viewZoomAction");
    dialogs.answers.push_back(answer);
    Trigger(action);
    EXPECT_EQ(dialogs.questions,
              Lines{exit ? "(!) Note: Do you want to save the graphs? [Yes No Cancel]"
                         : "(!) Note: Save changes to file? [Yes No Cancel]"});
    EXPECT_EQ(Window().isVisible(), !(exit && done));
    if (!exit) {
      EXPECT_EQ(List().count(), done ? 0 : 1);
      EXPECT_EQ(Window().Navigation().ZoomMode(), !done);
      EXPECT_EQ(CountNear(Frame(), kRedPixel) == 0, done);
    }
    TearDown();
  }
}

// A picture that cannot be written is told, not passed over.
TEST_F(MainWindow, SaveAsWritesThePictureOfTheView) {
  const QTemporaryDir folder;
  StartWith({kRedLine});
  const std::string bad = folder.filePath("no/such/view.bmp").toStdString();
  for (const auto& [path, filter] : {std::pair{folder.filePath("view.bmp").toStdString(), 2},
                                     {bad, 2},
                                     {folder.filePath("view").toStdString(), 3},
                                     {folder.filePath("view").toStdString(), 4}}) {
    dialogs.fileChoices.push_back(FileChoice{path, filter});
    Trigger("fileSaveAsAction");
  }
  const QImage saved(folder.filePath("view.bmp"), "BMP");
  EXPECT_EQ(saved.size(), DrawingPixels());
  EXPECT_GT(CountNear(saved, kRedPixel), 200);
  // The vector pictures hold the red line as a path of its colour.
  EXPECT_TRUE(ReadAll(folder.filePath("view.svg")).contains("stroke=\"#ff0000\""));
  EXPECT_TRUE(ReadAll(folder.filePath("view.pdf")).startsWith("%PDF-"));
  ASSERT_EQ(dialogs.reports.size(), 1u);
  EXPECT_EQ(dialogs.reports[0].rfind("(x) Error: Cannot write the file \"" + bad, 0), 0u);
}

TEST_F(MainWindow, LayoutFollowsTheSplitterAndTheWindowSize) {
  Start("");
  auto* splitter = Find<SplitterBar>(Window(), "splitter");
  const int width = Window().width();
  const std::pair<int, int> cases[] = {{width - 20, width - 67}, {300, 300}};
  for (const auto& [target, expected] : cases) {
    SCOPED_TRACE(target);
    const QPointF grip(2, 40), moved = grip + QPointF(target - splitter->x(), 0);
    Send(splitter, QEvent::MouseButtonPress, grip, Qt::LeftButton, Qt::LeftButton);
    Send(splitter, QEvent::MouseMove, moved, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(splitter->x(), target);
    Send(splitter, QEvent::MouseButtonRelease, moved, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(splitter->x(), expected);
    EXPECT_EQ(List().width(), expected);
    EXPECT_EQ(Drawing().x(), expected + kSplitterWidth);
    EXPECT_EQ(Drawing().x() + Drawing().width(), Window().centralWidget()->width());
    EXPECT_EQ(Drawing().height(), splitter->height());
  }
  // The layout and the view's pixel size follow the window, the view's
  // world units stay square.
  Window().resize(700, 500);
  QCoreApplication::processEvents();
  EXPECT_EQ(List().height(), Window().centralWidget()->height());
  EXPECT_EQ(Drawing().x() + Drawing().width(), Window().centralWidget()->width());
  Frame();
  const Camera& view = Window().MainView();
  EXPECT_FLOAT_EQ(view.ScreenWidth(), static_cast<float>(Drawing().width()));
  EXPECT_FLOAT_EQ(view.ScreenHeight(), static_cast<float>(Drawing().height()));
  EXPECT_NEAR(view.VolWidth() / view.VolHeight(), view.ScreenWidth() / view.ScreenHeight(), 1e-4);
  // A window narrower than the list keeps the bar and the drawing area in reach.
  Window().resize(330, 500);
  QCoreApplication::processEvents();
  ASSERT_LT(Window().width(), 300 + kSplitterEdgeMargin);
  EXPECT_EQ(splitter->x(), Window().width() - kSplitterEdgeMargin);
  EXPECT_EQ(List().width(), splitter->x());
  EXPECT_GT(Drawing().width(), 0);
}

// The axis hidden and given red: Cancel changes nothing, OK hides it.
TEST_F(MainWindow, AxisPropertiesChangeTheFrame) {
  StartWith({kRedLine});
  const std::int64_t axisPixels = CountNear(Frame(), kBlackPixel);
  ASSERT_GT(axisPixels, 200);
  for (const char* button : {"cancelButton", "okButton"}) {
    SCOPED_TRACE(button);
    const bool shown = button == std::string("cancelButton");
    dialogs.colors.push_back(shown ? kRed : 0);
    TriggerDialog("drawAxisAction", [button](QDialog& dialog) {
      Find<QCheckBox>(dialog, "showAxisCheck")->setChecked(false);
      QTest::mouseClick(Find<ColorBox>(dialog, "colorBox"), Qt::LeftButton);
      ClickButton(dialog, button);
    });
    EXPECT_EQ(Window().Document().MainAxis().shown, shown);
    EXPECT_EQ(Window().Document().MainAxis().color, 0);
    const QImage frame = Frame();
    EXPECT_EQ(CountNear(frame, kBlackPixel), shown ? axisPixels : 0);
    EXPECT_GT(CountNear(frame, kRedPixel), 100);
  }
}

// Each command that changes the document is one step, named by Undo, taken
// back by Undo and done again by Redo; undoing them all gives the document
// back as it was before them.
TEST_F(MainWindow, UndoAndRedoTakeBackEachCommandAsOneStep) {
  StartWith({kRedLine});
  const std::string start = Summary();
  const auto inRow = [this](int row, const char* action) {
    return [this, row, action] { Trigger(action, row); };
  };
  const auto withDialog = [this](const char* action, std::function<void(QDialog&)> script) {
    return [this, action, script] { TriggerDialog(action, script); };
  };
  const std::pair<const char*, std::function<void()>> commands[] = {
      {"Add Graph", [this] { AddFunction(kParabola); }},
      {"Edit Graph", withDialog("editGraphAction", TypeAndConfirm("firstFunctionEdit", "2*x"))},
      {"Hide Graph", [this] { ClickCheckBox(0); }},
      {"Show Graph", [this] { ClickCheckBox(0); }},
      {"Delete", inRow(1, "editDeleteAction")},
      {"Cut", inRow(0, "editCutAction")},
      {"Paste", inRow(-1, "editPasteAction")},
      {"Cut All", inRow(-1, "editCutAllAction")},
      {"Paste", inRow(-1, "editPasteAction")},
      {"Delete All", inRow(-1, "editDeleteAllAction")},
      {"View Setting", withDialog("viewSettingsAction", TypeAndConfirm("maxYEdit", "2,5"))},
      {"Axis Properties", withDialog("drawAxisAction", [](QDialog& dialog) {
         Find<QCheckBox>(dialog, "showAxisCheck")->setChecked(false);
         ClickButton(dialog, "okButton");
       })}};
  auto* undo = Find<QAction>(Window(), "editUndoAction");
  auto* redo = Find<QAction>(Window(), "editRedoAction");
  List().setCurrentRow(0);
  for (const auto& [step, command] : commands) {
    SCOPED_TRACE(step);
    const std::string before = Summary();
    command();
    const std::string after = Summary();
    EXPECT_NE(after, before);
    EXPECT_EQ(undo->text().remove(QLatin1Char('&')).toStdString(), std::string("Undo ") + step);
    Trigger("editUndoAction");
    EXPECT_EQ(Summary(), before);
    EXPECT_EQ(redo->text().remove(QLatin1Char('&')).toStdString(), std::string("Redo ") + step);
    Trigger("editRedoAction");
    EXPECT_EQ(Summary(), after);
  }
  EXPECT_FLOAT_EQ(Window().Document().Values().ViewMaxY, 2.5f);
  for (std::size_t i = 0; i < std::size(commands); ++i) {
    Trigger("editUndoAction");
  }
  EXPECT_EQ(Summary(), start);
  EXPECT_GT(CountNear(Frame(), kRedPixel), 200);
  EXPECT_TRUE(dialogs.reports.empty());
}

// The title shows the document's file and whether it differs from it; Save
// writes there without asking, and a document like its file closes without
// a question. New and a refused Open leave no file name behind. The file
// type is registered (in the tests' own data folder, see ui_test_main.cpp)
// at start and again after every save.
TEST_F(MainWindow, TheTitleNamesTheFileThatSaveWritesTo) {
  const QTemporaryDir folder;
  const QDir dataHome(qEnvironmentVariable("XDG_DATA_HOME"));
  ASSERT_FALSE(dataHome.path().isEmpty());
  const QString entry = dataHome.filePath(QStringLiteral("applications/quillon.desktop"));
  const QString icon = dataHome.filePath(QStringLiteral("icons/hicolor/scalable/apps/quillon.svg"));
  QFile::remove(entry);
  QFile::remove(icon);
  Start("");
  const QByteArray exec =
      "\nExec=" + QCoreApplication::applicationDirPath().toLocal8Bit() + "/quillon %f\n";
  EXPECT_TRUE(ReadAll(entry).contains(exec)) << ReadAll(entry).toStdString();
  EXPECT_TRUE(ReadAll(icon).contains("<svg"));
  EXPECT_EQ(Title(), "Quillon");
  AddFunction(kRedLine);
  ASSERT_TRUE(QFile::remove(entry));
  dialogs.fileChoices.push_back(FileChoice{folder.filePath("lines").toStdString(), 1});
  Trigger("fileSaveAction");
  EXPECT_EQ(Title(), "lines.pgp[*]");
  EXPECT_TRUE(ReadAll(entry).contains(exec));
  ClickCheckBox(0);
  for (const auto& [action, title] : {std::pair{"", "lines.pgp[*] *"},
                                      {"editUndoAction", "lines.pgp[*]"},
                                      {"editRedoAction", "lines.pgp[*] *"},
                                      {"fileSaveAction", "lines.pgp[*]"}}) {
    if (*action != '\0') {
      Trigger(action);
    }
    EXPECT_EQ(Title(), title) << action;
  }
  Trigger("fileExitAction");
  EXPECT_FALSE(Window().isVisible());
  EXPECT_TRUE(dialogs.questions.empty());
  TearDown();
  Start(folder.filePath("lines.pgp").toStdString());
  EXPECT_EQ(Title(), "lines.pgp[*]");
  EXPECT_EQ(Entries(), Lines{"[x] 2D Curve  y=x"});  // hidden when saved, shown when opened
  const QString broken = folder.filePath(QStringLiteral("broken.pgp"));
  QFile file(broken);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("not a graph file") > 0);
  file.close();
  for (const char* action : {"fileOpenAction", "fileNewAction"}) {
    dialogs.fileChoices.push_back(FileChoice{broken.toStdString(), 1});
    Trigger(action);
  }
  dialogs.fileChoices.clear();
  ASSERT_EQ(dialogs.reports.size(), 1u);
  EXPECT_EQ(Title(), "Quillon");
  EXPECT_EQ(List().count(), 0);
}

// Cancel in the progress dialog of a long sampling gives the window back at
// once and leaves the document as it was, while the sampling runs on unseen.
TEST_F(MainWindow, CancelledSamplingLeavesTheDocumentAsItWas) {
  StartWith({kRedLine});
  const std::string before = Summary();
  std::promise<void> cancelled;
  std::shared_future<void> gate = cancelled.get_future().share();
  std::string shownLabel;
  QTimer cancel;
  QObject::connect(&cancel, &QTimer::timeout, [&] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      auto* progress = qobject_cast<QProgressDialog*>(widget);
      if (progress != nullptr && progress->isVisible()) {
        shownLabel = progress->labelText().toStdString();
        QTest::mouseClick(Find<QPushButton>(*progress, ""), Qt::LeftButton);
      }
    }
  });
  cancel.start(50);
  // The sampling waits until the user has cancelled, however fast it is.
  dialogs.longWork = [&](const std::string& label, const std::function<void()>& work) {
    const bool finished = RunWithProgress(&Window(), QString::fromStdString(label), [gate, work] {
      gate.wait();
      work();
    });
    cancelled.set_value();
    return finished;
  };
  List().setCurrentRow(0);
  TriggerDialog("editGraphAction", [](QDialog& dialog) {
    TypeAndConfirm("firstFunctionEdit", "x^3")(dialog);
    EXPECT_TRUE(dialog.isVisible());  // nothing sampled: the dialog stays
    ClickButton(dialog, "cancelButton");
  });
  WaitForCancelledWork();
  EXPECT_EQ(shownLabel, "Computing the graph \"Untitled\"...");
  EXPECT_EQ(Summary(), before);
  EXPECT_EQ(Find<QAction>(Window(), "editUndoAction")->text(), QStringLiteral("&Undo Add Graph"));
  EXPECT_TRUE(dialogs.reports.empty());
}

// int(x) in 10 steps: a staircase exactly, diagonals from its stored points
// otherwise. Exact curves are on until the user turns them off, and the
// choice is kept in the user's settings, so it outlives the window.
TEST_F(MainWindow, ExactCurvesAreOnUntilTheUserTurnsThemOff) {
  const FunctionInput staircase{0, 0, "int(x)", "", "-5", "5", "10", kRed};
  // Sets the check box in the View Setting dialog; what the settings then hold.
  const auto choose = [this](bool exact, const char* shown) {
    TriggerDialog("viewSettingsAction", [exact, shown](QDialog& dialog) {
      EXPECT_EQ(Texts(dialog, "exactCurvesBox"), shown);
      Find<QCheckBox>(dialog, "exactCurvesBox")->setChecked(exact);
      ClickButton(dialog, "okButton");
    });
    return QSettings(QSettings::UserScope, QStringLiteral("quillon"), QStringLiteral("quillon"))
        .value("view/exactCurves", true)
        .toBool();
  };
  StartWith({staircase});
  const QImage exact = Frame();
  EXPECT_FALSE(choose(false, "Exact curves[x]"));
  const QImage plain = Frame();
  EXPECT_NE(plain, exact);
  StartWith({staircase});
  EXPECT_EQ(Frame(), plain);
  EXPECT_TRUE(choose(true, "Exact curves[ ]"));
  EXPECT_EQ(Frame(), exact);
}

// Run by its own ctest entry with the X server's OpenGL switched off for Qt
// (QT_XCB_GL_INTEGRATION=none); skipped in the ordinary run.
using WindowWithoutOpenGL = WindowTest;

TEST_F(WindowWithoutOpenGL, StaysUsableAndSaysSoOnce) {
  if (qEnvironmentVariableIsEmpty("QUILLON_UI_TEST_NO_GL")) {
    GTEST_SKIP() << "needs a display without OpenGL";
  }
  Start("", true);
  EXPECT_FALSE(Window().HasDrawing());
  // Graphs are still made, sampled, hidden and moved.
  AddFunction(kRedLine);
  EXPECT_EQ(Entries(), Lines{"[x] 2D Curve  y=x"});
  ClickCheckBox(0);
  EXPECT_TRUE(Window().Document().ShowScene().Graphs().Empty());
  ClickCheckBox(0);
  Trigger("viewMoveAction");
  Drag(&Drawing(), QPointF(200, 100), QPointF(100, 100));
  EXPECT_GT(Window().MainView().RefPos().x, 0);
  Window().Initialize();  // said once
  // Pictures are refused with a message; graphs still travel as text.
  QGuiApplication::clipboard()->setText(QStringLiteral("marker"));
  Trigger("editCopyAsBitmapAction");
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("marker"));
  Trigger("filePrintAction");  // no print dialog
  const QTemporaryDir folder;
  const std::string picture = folder.filePath(QStringLiteral("view.bmp")).toStdString();
  dialogs.fileChoices.push_back(FileChoice{picture, 2});
  Trigger("fileSaveAsAction");
  const std::string noPicture =
      "the drawing area has no OpenGL context, so there is no picture of it.";
  EXPECT_EQ(dialogs.reports,
            (Lines{"(x) Error: ChoosePixelFormat failed",
                   "(x) Error: The view cannot be copied as a picture: " + noPicture,
                   "(x) Error: The view cannot be printed: " + noPicture,
                   "(x) Error: Cannot write the file \"" + picture +
                       "\": the drawing area shows no picture."}));
  Trigger("editCopyAction", 0);
  Trigger("editPasteAction");
  EXPECT_EQ(List().count(), 2);
}

}  // namespace
}  // namespace quillon::testing
