// The main window worked as a user does: its menus, keys and toolbar, Load,
// the graph list (Draw, check boxes, Delete, Edit), undo and redo, Zoom to
// Fit, New, Exit, Save and Save As with the title, long work cancelled, the
// mouse on the drawing area, the splitter, the settings dialogs and help,
// with the frames drawn.

#include <future>

#include "io/graph_file.h"
#include "support/codes.h"
#include "ui/long_work.h"
#include "ui/splitter_bar.h"
#include "ui/window_texts.h"
#include "window_test_support.h"

namespace quillon::testing {
namespace {

using MainWindow = WindowTest;

const FunctionInput kParabola{0, 0, "x^2 / 4 - 5", "", "-10", "10", "100", kRed};

TEST_F(MainWindow, DrawnGraphsAreListedShownWhileCheckedAndDeleted) {
  Start("");
  AddFunction(kParabola);
  AddFunction({1, 1, "u", "6", "0", "3.1416", "200", kGreen});
  SaveScreenshot("window");
  // The entry and the frame before each click on the check box.
  for (const bool shown : {true, false, true}) {
    SCOPED_TRACE(shown);
    EXPECT_EQ(Entries()[0], (shown ? "[x]" : "[ ]") + std::string(" 2D Curve  y=x^2/4-5"));
    const QImage frame = Frame();
    EXPECT_EQ(CountNear(frame, kRedPixel, 30) > 200, shown);
    EXPECT_GT(CountNear(frame, QColor(0, 255, 0), 30), 200);
    ClickCheckBox(0);
  }
  List().setCurrentRow(1);
  Trigger("editDeleteAction");
  EXPECT_EQ(Entries(), Lines{"[ ] 2D Curve  y=x^2/4-5"});
  EXPECT_EQ(List().currentRow(), -1);
  EXPECT_TRUE(Window().Document().ShowScene().Graphs().Empty());
  EXPECT_EQ(CountNonWhite(Frame()), 0);
  // With no current entry Delete and Edit do nothing.
  Trigger("editDeleteAction");
  Trigger("editGraphAction");
  EXPECT_EQ(List().count(), 1);

  // Delete All takes unchecked entries too.
  AddFunction(kParabola);
  Trigger("editDeleteAllAction");
  EXPECT_EQ(List().count(), 0);
  EXPECT_TRUE(Window().Document().ListScene().Graphs().Empty());
  EXPECT_EQ(CountNonWhite(Frame()), 0);
  EXPECT_TRUE(dialogs.reports.empty());
}

TEST_F(MainWindow, StartsEmptyWithItsCommandsInPlace) {
  Start("");
  const DocumentValues& v = Window().Document().Values();
  EXPECT_EQ(
      std::vector<float>({v.ViewMinX, v.ViewMaxX, v.ViewMinY, v.ViewMaxY, v.ViewMinZ, v.ViewMaxZ}),
      std::vector<float>({-50, 50, -50, 50, -50, 50}));
  EXPECT_TRUE(List().count() == 0 && dialogs.reports.empty() && dialogs.questions.empty());
  EXPECT_EQ(CountNonWhite(Frame()), 0);  // no axis without a graph
  // The menus show texts alone (an icon, even one not shown, widens a
  // menu), and the pop-up menus no shortcuts. Every item has an Alt letter
  // of its own in its menu.
  for (const QMenu* menu : Window().findChildren<QMenu*>()) {
    const bool popUp = menu->parent() == &Window();
    QString letters;
    for (const QAction* item : menu->actions()) {
      SCOPED_TRACE(menu->title().toStdString() + " " + item->text().toStdString());
      EXPECT_TRUE(item->icon().isNull());
      EXPECT_FALSE(popUp && item->isShortcutVisibleInContextMenu() && !item->shortcut().isEmpty());
      const qsizetype mark = item->text().indexOf(QLatin1Char('&'));
      if (!item->isSeparator() && mark >= 0) {
        const QChar letter = item->text().at(mark + 1).toLower();
        EXPECT_FALSE(letters.contains(letter));
        letters += letter;
      }
      EXPECT_TRUE(item->isSeparator() || mark >= 0);
    }
  }
  // One mode at a time; Polar opens the dialog on the polar form.
  Trigger("viewMoveAction");
  Trigger("viewZoomAction");
  EXPECT_TRUE(Window().Navigation().ZoomMode() && !Window().Navigation().MoveMode());
  dialogs.scripts.push_back(
      [](QDialog& dialog) { EXPECT_EQ(Texts(dialog, "coordinateCombo"), "Polar"); });
  Trigger("drawPolarAction");
}

// Each button shows a picture and runs the command whose tool tip it shows.
TEST_F(MainWindow, ToolbarButtonsRunTheirCommands) {
  Start("");
  std::vector<const QAction*> run;
  for (QAction* command : Window().findChildren<QAction*>(Qt::FindDirectChildrenOnly)) {
    QObject::disconnect(command, &QAction::triggered, &Window(), nullptr);
    QObject::connect(command, &QAction::triggered, [&run, command] { run.push_back(command); });
  }
  int buttons = 0;
  for (QAction* button : Find<QToolBar>(Window(), "toolBar")->actions()) {
    if (button->isSeparator()) {
      continue;
    }
    SCOPED_TRACE(button->toolTip().toStdString());
    ++buttons;
    EXPECT_FALSE(button->icon().isNull());
    run.clear();
    button->trigger();
    ASSERT_EQ(run.size(), 1u);
    EXPECT_EQ(run[0]->toolTip(), button->toolTip());
  }
  EXPECT_EQ(buttons, 17);
}

// The desktop's keys run their commands wherever the focus is, and the Alt
// letters open the menus.
TEST_F(MainWindow, KeysRunTheirCommandsWhereverTheFocusIs) {
  Start("");
  Window().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Window()));
  std::vector<std::string> run;
  for (QAction* command : Window().findChildren<QAction*>(Qt::FindDirectChildrenOnly)) {
    QObject::disconnect(command, &QAction::triggered, &Window(), nullptr);
    QObject::connect(command, &QAction::triggered,
                     [&run, command] { run.push_back(command->objectName().toStdString()); });
    command->setEnabled(true);  // Undo and Redo too
  }
  const std::pair<const char*, const char*> keys[] = {
      {"Ctrl+N", "fileNewAction"},   {"Ctrl+O", "fileOpenAction"},
      {"Ctrl+S", "fileSaveAction"},  {"Ctrl+Shift+S", "fileSaveAsAction"},
      {"Ctrl+P", "filePrintAction"}, {"Ctrl+Q", "fileExitAction"},
      {"Ctrl+Z", "editUndoAction"},  {"Ctrl+Shift+Z", "editRedoAction"},
      {"Ctrl+Y", "editRedoAction"},  {"Ctrl+X", "editCutAction"},
      {"Ctrl+C", "editCopyAction"},  {"Ctrl+V", "editPasteAction"},
      {"Del", "editDeleteAction"},   {"F7", "viewMoveAction"},
      {"F8", "viewZoomAction"},      {"F1", "helpContentsAction"},
  };
  for (QWidget* focus : {static_cast<QWidget*>(&List()), &Drawing()}) {
    focus->setFocus();
    for (const auto& [key, command] : keys) {
      SCOPED_TRACE(focus->objectName().toStdString() + " " + key);
      run.clear();
      QTest::keySequence(focus, QKeySequence(QString::fromLatin1(key)));
      EXPECT_EQ(run, std::vector<std::string>{command});
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
  SaveScreenshot("gallery");
}

// An animated document of 24 frames with the axis shown opens and draws its
// first frame (frames that took the glyphs' list numbers once called one
// another through the axis text without end).
TEST_F(MainWindow, LoadDrawsAnAnimatedDocumentWithItsAxis) {
  Start(QUILLON_IO_TEST_DATA "/animated_g4.pgp");
  EXPECT_TRUE(dialogs.reports.empty());
  EXPECT_EQ(Window().Document().Values().AnimFrames, 24);
  EXPECT_TRUE(Window().Document().MainAxis().shown);
  EXPECT_GT(CountNonWhite(Frame()), 300);  // the axis with its labels
}

TEST_F(MainWindow, EditShowsTheGraphAndChangesItOnOkOnly) {
  Start("");
  AddFunction(kParabola);
  const std::int32_t ID = ListedGraph(1).id;
  ClickCheckBox(0);
  List().setCurrentRow(0);
  Trigger("editGraphAction");
  EXPECT_EQ(dialogs.reports, Lines{"(!) Warning: Select a function first."});
  ClickCheckBox(0);

  // A text that does not compile is told and keeps the dialog open; Cancel
  // after a good text then leaves the graph as it was.
  dialogs.scripts.push_back([this](QDialog& dialog) {
    SetText(dialog, "firstFunctionEdit", "x^");
    ClickButton(dialog, "okButton");
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(dialogs.reports.size(), 2u);
    EXPECT_EQ(dialogs.reports[1].rfind("(x) Syntax Error: ", 0), 0u) << dialogs.reports[1];
    SetText(dialog, "firstFunctionEdit", "1");
    ClickButton(dialog, "cancelButton");
    EXPECT_FALSE(dialog.isVisible());
  });
  Trigger("editGraphAction");
  EXPECT_EQ(Entries(), Lines{"[x] 2D Curve  y=x^2/4-5"});

  dialogs.colors.push_back(kGreen);
  dialogs.scripts.push_back([](QDialog& dialog) {
    EXPECT_EQ(Texts(dialog, "firstFunctionEdit fromEdit stepsEdit widthCombo"),
              "x^2/4-5|-10|100|3");
    SetText(dialog, "firstFunctionEdit", "5 - x^2 / 4");
    QTest::mouseClick(Find<ColorBox>(dialog, "colorBox"), Qt::LeftButton);
    ClickButton(dialog, "okButton");
  });
  Trigger("editGraphAction");
  EXPECT_EQ(Entries(), Lines{"[x] 2D Curve  y=5-x^2/4"});
  EXPECT_EQ(ListedGraph(1).id, ID);
  const QImage frame = Frame();
  EXPECT_EQ(CountNear(frame, kRedPixel), 0);
  EXPECT_GT(CountNear(frame, QColor(0, 255, 0)), 200);
}

// A curve in space (as files hold) is listed but cannot be shown by the
// dialog: Edit says so instead of overwriting it with an empty form.
TEST_F(MainWindow, EditRefusesGraphsTheDialogCannotShow) {
  Start("");
  AddFunction(kRedLine);
  Window().Document().ListScene().Graphs().Item(1)->kind = GraphKind::SpaceCurve;
  List().setCurrentRow(0);
  Trigger("editGraphAction");
  ASSERT_EQ(dialogs.reports.size(), 1u);
  EXPECT_EQ(dialogs.reports[0].rfind("(!) Note: The Properties dialog edits only", 0), 0u);
  EXPECT_EQ(ListedGraph(1).kind, GraphKind::SpaceCurve);
}

TEST_F(MainWindow, ZoomToFitFramesTheShownGraphsTwiceOver) {
  Start("");
  AddFunction({0, 0, "x", "", "2", "6", "4"});
  const float height = Window().MainView().VolHeight();
  // Only checked graphs count: with none shown nothing changes.
  ClickCheckBox(0);
  Trigger("viewZoomToFitAction");
  EXPECT_FLOAT_EQ(Window().MainView().VolHeight(), height);
  ClickCheckBox(0);
  Trigger("viewZoomToFitAction");
  // A curve's box holds the origin: 0..6 in x and y, widened by 0.1, so the
  // region is twice 6.2 around (3, 3).
  const Camera& view = Window().MainView();
  EXPECT_NEAR(view.RefPos().x, 3, 1e-4);
  EXPECT_NEAR(view.RefPos().y, 3, 1e-4);
  EXPECT_NEAR(view.VolHeight(), 12.4, 1e-4);
}

using WindowCommands = WindowTest;

const QColor kBlackPixel(0, 0, 0);

void Send(QWidget* widget, QEvent::Type type, QPointF position, Qt::MouseButton button,
          Qt::MouseButtons buttons) {
  QMouseEvent event(type, position, widget->mapToGlobal(position), button, buttons, Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

// A drag in two equal steps.
void Drag(QWidget* widget, QPointF from, QPointF to, Qt::MouseButton button = Qt::LeftButton) {
  Send(widget, QEvent::MouseButtonPress, from, button, button);
  Send(widget, QEvent::MouseMove, (from + to) / 2, Qt::NoButton, button);
  Send(widget, QEvent::MouseMove, to, Qt::NoButton, button);
  Send(widget, QEvent::MouseButtonRelease, to, button, Qt::NoButton);
}

// New and Exit ask to save the graphs; they go on (clear the document or
// close the window) unless the user cancels or an asked-for save did not
// happen.
TEST_F(WindowCommands, NewAndExitAskToSaveAndFollowTheAnswer) {
  const QTemporaryDir folder;
  const std::string path = folder.filePath(QStringLiteral("saved.pgp")).toStdString();
  // The command, the answer, and whether Save is given a name.
  const std::tuple<std::string, Answer, bool> cases[] = {{"fileNewAction", Answer::No, false},
                                                         {"fileNewAction", Answer::Cancel, false},
                                                         {"fileExitAction", Answer::Yes, true},
                                                         {"fileExitAction", Answer::Yes, false},
                                                         {"fileExitAction", Answer::Cancel, false}};
  for (const auto& [action, answer, named] : cases) {
    SCOPED_TRACE(action + " " + std::to_string(static_cast<int>(answer)) + std::to_string(named));
    const bool exit = action == "fileExitAction", done = answer == Answer::No || named;
    QFile::remove(QString::fromStdString(path));
    dialogs = ScriptedDialogs();
    Start("");
    AddFunction(kRedLine);
    Trigger("viewZoomAction");
    dialogs.answers.push_back(answer);
    if (answer == Answer::Yes) {
      dialogs.fileChoices.push_back(named ? std::optional(FileChoice{path, 1}) : std::nullopt);
    }
    Trigger(action.c_str());
    EXPECT_EQ(dialogs.questions,
              Lines{exit ? "(!) Note: Do you want to save the graphs? [Yes No Cancel]"
                         : "(!) Note: Save changes to file? [Yes No Cancel]"});
    EXPECT_EQ(QFile::exists(QString::fromStdString(path)), named);
    if (exit) {
      EXPECT_EQ(Window().isVisible(), !done);
    } else {
      EXPECT_EQ(List().count(), done ? 0 : 1);
      EXPECT_EQ(Window().Navigation().ZoomMode(), !done);
      EXPECT_EQ(CountNear(Frame(), kRedPixel) == 0, done);
    }
    TearDown();
  }
}

TEST_F(WindowCommands, SaveAsWritesThePictureOrTheGraphFile) {
  const QTemporaryDir folder;
  Start("");
  AddFunction(kRedLine);
  const auto file = [&folder](const char* name) { return folder.filePath(name).toStdString(); };
  // A picture that cannot be written is told, not passed over.
  for (const FileChoice& choice :
       {FileChoice{file("view.bmp"), 2}, FileChoice{file("graphs.pgp"), 1},
        FileChoice{file("no/such/view.bmp"), 2}}) {
    dialogs.fileChoices.push_back(choice);
    Trigger("fileSaveAsAction");
  }
  const QImage saved(QString::fromStdString(file("view.bmp")), "BMP");
  EXPECT_EQ(saved.size(), DrawingPixels());
  EXPECT_GT(CountNear(saved, kRedPixel), 200);
  EXPECT_TRUE(QFile::exists(QString::fromStdString(file("graphs.pgp"))));
  ASSERT_EQ(dialogs.reports.size(), 1u);
  EXPECT_EQ(
      dialogs.reports[0].rfind("(x) Error: Cannot write the file \"" + file("no/such/view.bmp"), 0),
      0u);
}

TEST_F(WindowCommands, MouseButtonsPanZoomAndOpenThePopUpMenus) {
  Start("");
  AddFunction(kRedLine);
  QWidget* area = &Drawing();
  const double w = area->width();
  const double h = area->height();
  const float volWidth = Window().MainView().VolWidth();
  const float volHeight = Window().MainView().VolHeight();
  const QImage before = Frame();
  // Without a mode a drag changes nothing.
  Drag(area, QPointF(w * 0.75, h / 2), QPointF(w * 0.25, h / 2));
  EXPECT_FLOAT_EQ(Window().MainView().RefPos().x, 0);
  Trigger("viewMoveAction");
  Drag(area, QPointF(w * 0.75, h / 2), QPointF(w * 0.25, h * 0.4));
  EXPECT_NEAR(Window().MainView().RefPos().x, 0.5 * volWidth, 1e-3);
  EXPECT_NEAR(Window().MainView().RefPos().y, -0.1 * volHeight, 1e-3);
  EXPECT_NE(Frame(), before);  // the graphs followed the pointer

  // The right button does not pan; it opens the drawing area's menu.
  Drag(area, QPointF(w * 0.5, h / 2), QPointF(w * 0.1, h / 2), Qt::RightButton);
  EXPECT_NEAR(Window().MainView().RefPos().x, 0.5 * volWidth, 1e-3);
  auto* menu = Find<QMenu>(Window(), "drawAreaMenu");
  EXPECT_TRUE(menu->isVisible());
  menu->close();

  Trigger("viewZoomAction");
  Drag(area, QPointF(100, h * 0.6), QPointF(300, h * 0.5));
  // Up by a twentieth of the height twice: 5 % smaller each time.
  EXPECT_NEAR(Window().MainView().VolHeight(), 0.95 * 0.95 * volHeight, 1e-3);
  EXPECT_NEAR(Window().Navigation().ZoomFactor(), 0.95, 1e-5);

  // The right button on the list opens the list's menu.
  QTest::mouseClick(List().viewport(), Qt::RightButton, Qt::NoModifier,
                    List().visualItemRect(List().item(0)).center());
  menu = Find<QMenu>(Window(), "graphListMenu");
  EXPECT_TRUE(menu->isVisible());
  menu->close();
}

TEST_F(WindowCommands, LayoutFollowsTheSplitterAndTheWindowSize) {
  Start("");
  auto* splitter = Find<SplitterBar>(Window(), "splitter");
  const int width = Window().width();
  const std::pair<int, int> cases[] = {{width - 20, width - 67}, {300, 300}};
  for (const auto& [target, expected] : cases) {
    SCOPED_TRACE(target);
    const int offset = target - splitter->x();
    const QPointF grip(2, 40);
    Send(splitter, QEvent::MouseButtonPress, grip, Qt::LeftButton, Qt::LeftButton);
    Send(splitter, QEvent::MouseMove, grip + QPointF(offset, 0), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(splitter->x(), target);
    Send(splitter, QEvent::MouseButtonRelease, grip + QPointF(offset, 0), Qt::LeftButton,
         Qt::NoButton);
    EXPECT_EQ(splitter->x(), expected);
    EXPECT_EQ(List().width(), expected);
    EXPECT_EQ(Drawing().x(), expected + kSplitterWidth);
    EXPECT_EQ(Drawing().x() + Drawing().width(), Window().centralWidget()->width());
    EXPECT_EQ(Drawing().height(), splitter->height());
  }
  SaveScreenshot("splitter-moved");

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
  const int narrow = Window().width();
  ASSERT_LT(narrow, 300 + kSplitterEdgeMargin);
  EXPECT_EQ(splitter->x(), narrow - kSplitterEdgeMargin);
  EXPECT_EQ(List().width(), splitter->x());
  EXPECT_GT(Drawing().width(), 0);
}

TEST_F(WindowCommands, SettingsDialogsChangeTheViewBoundsAndTheAxis) {
  Start("");
  dialogs.scripts.push_back([](QDialog& dialog) {
    EXPECT_EQ(Texts(dialog, "maxYEdit"), "50");
    SetText(dialog, "maxYEdit", "2,5");
    ClickButton(dialog, "okButton");
  });
  Trigger("viewSettingsAction");
  EXPECT_FLOAT_EQ(Window().Document().Values().ViewMaxY, 2.5f);

  AddFunction(kRedLine);
  const std::int64_t axisPixels = CountNear(Frame(), kBlackPixel);
  ASSERT_GT(axisPixels, 200);
  // The axis hidden and given red: Cancel changes nothing, OK hides it.
  for (const char* button : {"cancelButton", "okButton"}) {
    SCOPED_TRACE(button);
    dialogs.colors.push_back(button == std::string("okButton") ? 0 : kRed);
    dialogs.scripts.push_back([button](QDialog& dialog) {
      Find<QCheckBox>(dialog, "showAxisCheck")->setChecked(false);
      QTest::mouseClick(Find<ColorBox>(dialog, "colorBox"), Qt::LeftButton);
      ClickButton(dialog, button);
    });
    Trigger("drawAxisAction");
    const bool shown = button == std::string("cancelButton");
    EXPECT_EQ(Window().Document().MainAxis().shown, shown);
    EXPECT_EQ(Window().Document().MainAxis().color, 0);
    const QImage frame = Frame();
    EXPECT_EQ(CountNear(frame, kBlackPixel), shown ? axisPixels : 0);
    EXPECT_GT(CountNear(frame, kRedPixel), 100);
  }
}

TEST_F(WindowCommands, HelpHomepageAndAbout) {
  Start("");
  Trigger("helpContentsAction");
  Trigger("helpHomepageAction");
  const QUrl help = QUrl::fromLocalFile(QCoreApplication::applicationDirPath() + "/help.html");
  const QUrl home(texts::kHomePage);
  EXPECT_EQ(dialogs.openedUrls, (std::vector<QUrl>{help, home}));
  // The About box's address opens the home page too.
  dialogs.scripts.push_back([this, home](QDialog& dialog) {
    QTest::mouseClick(Find<QLabel>(dialog, "homePageLabel"), Qt::LeftButton);
    EXPECT_EQ(dialogs.openedUrls.back(), home);
    ClickButton(dialog, "okButton");
    EXPECT_FALSE(dialog.isVisible());
  });
  Trigger("helpAboutAction");
}

// The state a step changes: the entries, the view interval's top, the axis
// and the document text.
std::string DocumentSummary(quillon::MainWindow& window, const Lines& entries) {
  quillon::Document& document = window.Document();
  std::string summary;
  for (const std::string& entry : entries) {
    summary += entry + "; ";
  }
  return summary + std::to_string(document.Values().ViewMaxY) + " " +
         DecodeGraphFile(document.BuildGraphFile().bytes).text;
}

// Each command that changes the document is one step, named by Undo, taken
// back by Undo and done again by Redo; undoing them all gives the document
// back as it was before them.
TEST_F(WindowCommands, UndoAndRedoTakeBackEachCommandAsOneStep) {
  Start("");
  AddFunction(kRedLine);
  const std::string start = DocumentSummary(Window(), Entries());
  const auto inRow = [this](int row, const char* action) {
    return [this, row, action] {
      List().setCurrentRow(row);
      Trigger(action);
    };
  };
  const auto withDialog = [this](const char* action, std::function<void(QDialog&)> script) {
    return [this, action, script] {
      dialogs.scripts.push_back(script);
      Trigger(action);
    };
  };
  const std::pair<const char*, std::function<void()>> commands[] = {
      {"Add Graph", [this] { AddFunction(kParabola); }},
      {"Edit Graph", withDialog("editGraphAction",
                                [](QDialog& dialog) {
                                  SetText(dialog, "firstFunctionEdit", "2*x");
                                  ClickButton(dialog, "okButton");
                                })},
      {"Hide Graph", [this] { ClickCheckBox(0); }},
      {"Show Graph", [this] { ClickCheckBox(0); }},
      {"Delete", inRow(1, "editDeleteAction")},
      {"Cut", inRow(0, "editCutAction")},
      {"Paste", inRow(-1, "editPasteAction")},
      {"Cut All", inRow(-1, "editCutAllAction")},
      {"Paste", inRow(-1, "editPasteAction")},
      {"Delete All", inRow(-1, "editDeleteAllAction")},
      {"View Setting", withDialog("viewSettingsAction",
                                  [](QDialog& dialog) {
                                    SetText(dialog, "maxYEdit", "20");
                                    ClickButton(dialog, "okButton");
                                  })},
      {"Axis Properties", withDialog("drawAxisAction",
                                     [](QDialog& dialog) {
                                       Find<QCheckBox>(dialog, "showAxisCheck")->setChecked(false);
                                       ClickButton(dialog, "okButton");
                                     })},
  };
  auto* undo = Window().findChild<QAction*>(QStringLiteral("editUndoAction"));
  auto* redo = Window().findChild<QAction*>(QStringLiteral("editRedoAction"));
  List().setCurrentRow(0);
  for (const auto& [step, command] : commands) {
    SCOPED_TRACE(step);
    const std::string before = DocumentSummary(Window(), Entries());
    command();
    const std::string after = DocumentSummary(Window(), Entries());
    EXPECT_NE(after, before);
    EXPECT_EQ(undo->text().remove(QLatin1Char('&')).toStdString(), std::string("Undo ") + step);
    Trigger("editUndoAction");
    EXPECT_EQ(DocumentSummary(Window(), Entries()), before);
    EXPECT_EQ(redo->text().remove(QLatin1Char('&')).toStdString(), std::string("Redo ") + step);
    Trigger("editRedoAction");
    EXPECT_EQ(DocumentSummary(Window(), Entries()), after);
  }
  for (std::size_t i = 0; i < std::size(commands); ++i) {
    Trigger("editUndoAction");
  }
  EXPECT_EQ(DocumentSummary(Window(), Entries()), start);
  EXPECT_GT(CountNear(Frame(), kRedPixel), 200);
  EXPECT_TRUE(dialogs.reports.empty());
}

// The title shows the document's file and whether it differs from it; Save
// writes there without asking, and a document like its file closes without
// a question. New and a refused Open leave no file name behind.
TEST_F(WindowCommands, TheTitleNamesTheFileThatSaveWritesTo) {
  const QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("lines.pgp"));
  const auto title = [this] {
    return Window().windowTitle().toStdString() + (Window().isWindowModified() ? " *" : "");
  };
  Start("");
  EXPECT_EQ(title(), "Quillon");
  AddFunction(kRedLine);
  dialogs.fileChoices.push_back(FileChoice{folder.filePath("lines").toStdString(), 1});
  Trigger("fileSaveAction");
  EXPECT_EQ(title(), "lines.pgp[*]");
  const std::pair<const char*, const char*> steps[] = {{"", "lines.pgp[*] *"},
                                                       {"editUndoAction", "lines.pgp[*]"},
                                                       {"editRedoAction", "lines.pgp[*] *"},
                                                       {"fileSaveAction", "lines.pgp[*]"}};
  ClickCheckBox(0);
  for (const auto& [action, expected] : steps) {
    SCOPED_TRACE(action);
    if (*action != '\0') {
      Trigger(action);
    }
    EXPECT_EQ(title(), expected);
  }
  Trigger("fileExitAction");
  EXPECT_FALSE(Window().isVisible());
  EXPECT_TRUE(dialogs.questions.empty());
  TearDown();

  Start(path.toStdString());
  EXPECT_EQ(title(), "lines.pgp[*]");
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
  EXPECT_EQ(title(), "Quillon");
  EXPECT_EQ(List().count(), 0);
}

// Cancel in the progress dialog of a long sampling gives the window back at
// once and leaves the document as it was, while the sampling runs on unseen.
TEST_F(WindowCommands, CancelledSamplingLeavesTheDocumentAsItWas) {
  Start("");
  AddFunction(kRedLine);
  const std::string before = DocumentSummary(Window(), Entries());
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
  dialogs.scripts.push_back([](QDialog& dialog) {
    SetText(dialog, "firstFunctionEdit", "x^3");
    ClickButton(dialog, "okButton");
    EXPECT_TRUE(dialog.isVisible());  // nothing sampled: the dialog stays
    ClickButton(dialog, "cancelButton");
  });
  List().setCurrentRow(0);
  Trigger("editGraphAction");
  WaitForCancelledWork();
  EXPECT_EQ(shownLabel, "Computing the graph \"Untitled\"...");
  EXPECT_EQ(DocumentSummary(Window(), Entries()), before);
  EXPECT_EQ(Find<QAction>(Window(), "editUndoAction")->text(), QStringLiteral("&Undo Add Graph"));
  EXPECT_TRUE(dialogs.reports.empty());
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
  EXPECT_EQ(dialogs.reports, Lines{"(x) Error: ChoosePixelFormat failed"});

  // Graphs are still made, sampled, hidden and moved.
  AddFunction(kRedLine);
  EXPECT_EQ(Entries(), Lines{"[x] 2D Curve  y=x"});
  ClickCheckBox(0);
  EXPECT_TRUE(Window().Document().ShowScene().Graphs().Empty());
  ClickCheckBox(0);
  Trigger("viewMoveAction");
  Drag(&Drawing(), QPointF(200, 100), QPointF(100, 100));
  EXPECT_GT(Window().MainView().RefPos().x, 0);
  Window().Initialize();
  EXPECT_EQ(dialogs.reports.size(), 1u);  // said once

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
  List().setCurrentRow(0);
  Trigger("editCopyAction");
  Trigger("editPasteAction");
  EXPECT_EQ(List().count(), 2);
}

}  // namespace
}  // namespace quillon::testing
