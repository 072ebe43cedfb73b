// New, Exit, the mouse on the drawing area, the splitter, the settings
// dialogs and help, worked through the shown window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include "expr/undefined_mark.h"
#include "graph/graph_record.h"
#include "ui/about_dialog.h"
#include "ui/color_box.h"
#include "ui/draw_area.h"
#include "ui/splitter_bar.h"
#include "window_test_support.h"

namespace quillon::testing {
namespace {

using WindowCommands = WindowTest;

const QColor kRedPixel(255, 0, 0);
const QColor kBlackPixel(0, 0, 0);

FunctionInput RedLine() {
  FunctionInput input;
  input.first = QStringLiteral("x");
  input.color = kRed;
  return input;
}

void Send(QWidget* widget, QEvent::Type type, QPointF position, Qt::MouseButton button,
          Qt::MouseButtons buttons) {
  QMouseEvent event(type, position, widget->mapToGlobal(position), button, buttons, Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

// A drag with one move event.
void Drag(QWidget* widget, QPointF from, QPointF to, Qt::MouseButton button = Qt::LeftButton) {
  Send(widget, QEvent::MouseButtonPress, from, button, button);
  Send(widget, QEvent::MouseMove, to, Qt::NoButton, button);
  Send(widget, QEvent::MouseButtonRelease, to, button, Qt::NoButton);
}

// --- New ---

TEST_F(WindowCommands, NewOnAnEmptyDocumentAsksNothingAndResets) {
  Start("");
  Trigger("mnuViewMove");
  Window().Document().ShowScene().RotYaw(45);
  Window().Document().Values().DocType = 3;
  Window().Document().MainAxis().BetterFonts(false);
  Trigger("barNew2D");
  EXPECT_TRUE(dialogs.questions.empty());
  EXPECT_FALSE(Window().Navigation().MoveMode());
  EXPECT_FLOAT_EQ(Window().Document().ShowScene().RotYaw(), 0);
  EXPECT_EQ(Window().Document().Values().DocType, 1);
  EXPECT_TRUE(Window().Document().MainAxis().BetterFonts());
}

TEST_F(WindowCommands, NewAsksToSaveAndFollowsTheAnswer) {
  const QTemporaryDir folder;
  const std::string path = folder.filePath(QStringLiteral("saved.pgp")).toStdString();
  struct Case {
    const char* name;
    Answer answer;
    std::optional<std::optional<FileChoice>> fileChoice;  // set when Save asks for a name
    bool cleared;
    bool written;
  };
  const Case cases[] = {
      {"Yes and saved", Answer::Yes, std::optional<FileChoice>(FileChoice{path, 1}), true, true},
      {"Yes, save cancelled", Answer::Yes, std::optional<FileChoice>(), false, false},
      {"No", Answer::No, std::nullopt, true, false},
      {"Cancel", Answer::Cancel, std::nullopt, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QFile::remove(QString::fromStdString(path));
    dialogs = ScriptedDialogs();
    Start("");
    AddFunction(RedLine());
    Trigger("mnuViewZoom");
    dialogs.answers.push_back(c.answer);
    if (c.fileChoice) {
      dialogs.fileChoices.push_back(*c.fileChoice);
    }
    Trigger("mnuFileNew2D");
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(dialogs.questions[0].title, "Note");
    EXPECT_EQ(dialogs.questions[0].text, "Save changes to file?");
    EXPECT_EQ(dialogs.questions[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(dialogs.questions[0].buttons, QuestionButtons::YesNoCancel);
    EXPECT_EQ(List().count(), c.cleared ? 0 : 1);
    EXPECT_EQ(Window().Document().ListScene().Graphs().Empty(), c.cleared);
    EXPECT_EQ(Window().Navigation().ZoomMode(), !c.cleared);
    EXPECT_EQ(CountNear(Frame(), kRedPixel) == 0, c.cleared);
    EXPECT_EQ(QFile::exists(QString::fromStdString(path)), c.written);
    EXPECT_FALSE(Window().Document().Saved());
    TearDown();
  }
}

// --- Exit ---

TEST_F(WindowCommands, ExitAsksToSaveTheGraphs) {
  const QTemporaryDir folder;
  const std::string path = folder.filePath(QStringLiteral("kept.pgp")).toStdString();
  struct Case {
    const char* name;
    bool withGraph;
    std::optional<Answer> answer;
    std::optional<std::optional<FileChoice>> fileChoice;
    bool closes;
    bool written;
  };
  const Case cases[] = {
      {"no graph", false, std::nullopt, std::nullopt, true, false},
      {"Yes and saved", true, Answer::Yes, std::optional<FileChoice>(FileChoice{path, 1}), true,
       true},
      {"No", true, Answer::No, std::nullopt, true, false},
      // A save that did not happen keeps the window and its graphs.
      {"Yes, save cancelled", true, Answer::Yes, std::optional<FileChoice>(), false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QFile::remove(QString::fromStdString(path));
    dialogs = ScriptedDialogs();
    Start("");
    if (c.withGraph) {
      AddFunction(RedLine());
    }
    if (c.answer) {
      dialogs.answers.push_back(*c.answer);
    }
    if (c.fileChoice) {
      dialogs.fileChoices.push_back(*c.fileChoice);
    }
    Trigger("mnuFileExit");
    EXPECT_EQ(Window().isVisible(), !c.closes);
    ASSERT_EQ(dialogs.questions.size(), c.answer ? 1u : 0u);
    if (c.answer) {
      EXPECT_EQ(dialogs.questions[0].title, "Note");
      EXPECT_EQ(dialogs.questions[0].text, "Do you want to save the graphs?");
      EXPECT_EQ(dialogs.questions[0].icon, MessageIcon::Exclamation);
      EXPECT_EQ(dialogs.questions[0].buttons, QuestionButtons::YesNo);
    }
    EXPECT_EQ(QFile::exists(QString::fromStdString(path)), c.written);
    if (c.written) {
      ASSERT_EQ(dialogs.fileRequests.size(), 1u);
      EXPECT_EQ(dialogs.fileRequests[0].title, "Save");
      EXPECT_EQ(dialogs.fileRequests[0].filter, "(*.pgp)|*.pgp");
    }
    TearDown();
  }
}

// --- mouse ---

TEST_F(WindowCommands, DragInMoveModePansByTheDraggedFraction) {
  Start("");
  AddFunction(RedLine());
  QWidget* area = &Drawing();
  const double w = area->width();
  const double h = area->height();
  const float volWidth = Window().MainView().VolWidth();
  const float volHeight = Window().MainView().VolHeight();

  // Without a mode a drag changes nothing.
  Drag(area, QPointF(w * 0.75, h / 2), QPointF(w * 0.25, h / 2));
  EXPECT_FLOAT_EQ(Window().MainView().RefPos().X(), 0);

  Trigger("mnuViewMove");
  const QImage before = Frame();
  Drag(area, QPointF(w * 0.75, h / 2), QPointF(w * 0.25, h * 0.4));
  EXPECT_NEAR(Window().MainView().RefPos().X(), 0.5 * volWidth, 1e-3);
  EXPECT_NEAR(Window().MainView().EyePos().X(), 0.5 * volWidth, 1e-3);
  EXPECT_NEAR(Window().MainView().RefPos().Y(), -0.1 * volHeight, 1e-3);
  EXPECT_EQ(Window().Navigation().W(), area->width());
  EXPECT_EQ(Window().Navigation().H(), area->height());
  // The graphs followed the pointer to the left and up.
  EXPECT_NE(Frame(), before);

  // The right button does not pan.
  Drag(area, QPointF(w * 0.5, h / 2), QPointF(w * 0.1, h / 2), Qt::RightButton);
  EXPECT_NEAR(Window().MainView().RefPos().X(), 0.5 * volWidth, 1e-3);
  auto* menu = Window().findChild<QMenu*>(QStringLiteral("GraphEdit"));
  ASSERT_NE(menu, nullptr);
  EXPECT_TRUE(menu->isVisible());
  menu->close();
}

TEST_F(WindowCommands, DragUpInZoomModeShrinksTheRegion) {
  Start("");
  Trigger("mnuViewZoom");
  QWidget* area = &Drawing();
  const float volHeight = Window().MainView().VolHeight();
  const double h = area->height();
  Drag(area, QPointF(100, h * 0.6), QPointF(300, h * 0.5));
  EXPECT_NEAR(Window().MainView().VolHeight(), 0.9 * volHeight, 1e-3);
  EXPECT_NEAR(Window().Navigation().ZoomFactor(), 0.9, 1e-5);
}

TEST_F(WindowCommands, RightButtonOnTheListOpensFunEdit) {
  Start("");
  AddFunction(RedLine());
  QListWidget& list = List();
  const QPoint inside = list.visualItemRect(list.item(0)).center();
  QTest::mouseClick(list.viewport(), Qt::RightButton, Qt::NoModifier, inside);
  auto* menu = Window().findChild<QMenu*>(QStringLiteral("FunEdit"));
  ASSERT_NE(menu, nullptr);
  EXPECT_TRUE(menu->isVisible());
  menu->close();
}

// --- splitter ---

TEST_F(WindowCommands, SplitterKeepsItsDistanceFromTheEdges) {
  Start("");
  auto* splitter = Window().findChild<SplitterBar*>(QStringLiteral("Splitter"));
  ASSERT_NE(splitter, nullptr);
  EXPECT_EQ(splitter->width(), kSplitterWidth);
  const int width = Window().width();
  struct Case {
    int target;  // where the drag takes the bar's left edge
    int expected;
  };
  const Case cases[] = {{300, 300}, {20, 67}, {-50, 67}, {width - 20, width - 67}, {150, 150}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.target);
    const int offset = c.target - splitter->x();
    const QPointF grip(2, 40);
    Send(splitter, QEvent::MouseButtonPress, grip, Qt::LeftButton, Qt::LeftButton);
    EXPECT_TRUE(splitter->Dragging());
    Send(splitter, QEvent::MouseMove, grip + QPointF(offset, 0), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(splitter->x(), c.target);
    Send(splitter, QEvent::MouseButtonRelease, grip + QPointF(offset, 0), Qt::LeftButton,
         Qt::NoButton);
    EXPECT_FALSE(splitter->Dragging());
    EXPECT_EQ(splitter->x(), c.expected);
    EXPECT_EQ(List().width(), c.expected);
    EXPECT_EQ(Drawing().x(), c.expected + kSplitterWidth);
    EXPECT_EQ(Drawing().x() + Drawing().width(), Window().centralWidget()->width());
    EXPECT_EQ(Drawing().height(), splitter->height());
  }
  SaveScreenshot("splitter-moved");
}

TEST_F(WindowCommands, LayoutFollowsTheWindowSize) {
  Start("");
  Window().resize(700, 500);
  QCoreApplication::processEvents();
  QWidget* central = Window().centralWidget();
  EXPECT_EQ(List().height(), central->height());
  EXPECT_EQ(Drawing().x() + Drawing().width(), central->width());
  // The view's pixel size follows the drawing area, its world units stay square.
  Frame();
  const Cls4& view = Window().MainView();
  EXPECT_FLOAT_EQ(view.ScreenWidth(), static_cast<float>(Drawing().width()));
  EXPECT_FLOAT_EQ(view.ScreenHeight(), static_cast<float>(Drawing().height()));
  EXPECT_NEAR(view.VolWidth() / view.VolHeight(), view.ScreenWidth() / view.ScreenHeight(), 1e-4);
}

// --- View Setting ---

TEST_F(WindowCommands, ViewSettingBoundsClipTheNextSampling) {
  Start("");
  dialogs.scripts.push_back([](QDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle().toStdString(), "View Setting");
    auto* maxY = dialog.findChild<QLineEdit*>(QStringLiteral("Text4"));
    EXPECT_EQ(maxY->text().toStdString(), "50");
    maxY->setText(QStringLiteral("2,5"));
    ClickButton(dialog, "Command1");
  });
  Trigger("mnuViewSet");
  EXPECT_FLOAT_EQ(Window().Document().Values().ViewMaxY, 2.5f);

  FunctionInput line = RedLine();
  line.min = QStringLiteral("0");
  line.max = QStringLiteral("10");
  line.steps = QStringLiteral("10");
  AddFunction(line);
  const Cls9& graph = *Window().Document().ListScene().Graphs().Item(1);
  for (std::int32_t i = 0; i <= 10; ++i) {
    SCOPED_TRACE(i);
    const Cls2* point = graph.Vert3D(0, i);
    ASSERT_NE(point, nullptr);
    EXPECT_EQ(point->Y() == UndefinedMark, i > 2);
  }
}

// --- Axis Properties ---

TEST_F(WindowCommands, AxisDialogHidesAndShowsTheAxis) {
  Start("");
  AddFunction(RedLine());
  const std::int64_t axisPixels = CountNear(Frame(), kBlackPixel);
  ASSERT_GT(axisPixels, 200);

  // Cancel after changes: nothing happens.
  dialogs.colors.push_back(kRed);
  dialogs.scripts.push_back([](QDialog& dialog) {
    dialog.findChild<QCheckBox*>(QStringLiteral("Check1"))->setChecked(false);
    QTest::mouseClick(dialog.findChild<ColorBox*>(QStringLiteral("Picture1")), Qt::LeftButton);
    ClickButton(dialog, "Command2");
  });
  Trigger("mnuDrawAxis");
  EXPECT_TRUE(Window().Document().MainAxis().Show());
  EXPECT_EQ(Window().Document().MainAxis().AxisColor(), 0);
  EXPECT_EQ(CountNear(Frame(), kBlackPixel), axisPixels);

  dialogs.scripts.push_back([](QDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle().toStdString(), "Axis Properties");
    auto* show = dialog.findChild<QCheckBox*>(QStringLiteral("Check1"));
    EXPECT_TRUE(show->isChecked());
    show->setChecked(false);
    ClickButton(dialog, "Command1");
  });
  Trigger("barCoord");
  EXPECT_FALSE(Window().Document().MainAxis().Show());
  const QImage hidden = Frame();
  EXPECT_EQ(CountNear(hidden, kBlackPixel), 0);
  EXPECT_GT(CountNear(hidden, kRedPixel), 100);
  SaveScreenshot("axis-hidden");

  dialogs.scripts.push_back([](QDialog& dialog) {
    dialog.findChild<QCheckBox*>(QStringLiteral("Check1"))->setChecked(true);
    ClickButton(dialog, "Command1");
  });
  Trigger("mnuGraphAxis");
  EXPECT_EQ(CountNear(Frame(), kBlackPixel), axisPixels);
}

// --- Help ---

TEST_F(WindowCommands, HelpHomepageAndAbout) {
  Start("");
  Trigger("mnuHelpCon");
  Trigger("mnuHelpHome");
  ASSERT_EQ(dialogs.openedUrls.size(), 2u);
  EXPECT_EQ(dialogs.openedUrls[0],
            QUrl::fromLocalFile(QCoreApplication::applicationDirPath() + "/help.html"));
  EXPECT_EQ(dialogs.openedUrls[1], QUrl(QString::fromLatin1(kHomePage)));

  dialogs.scripts.push_back([this](QDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle().toStdString(), "About Quillon");
    auto* title = dialog.findChild<QLabel*>(QStringLiteral("lblTitle"));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text().toStdString(), "Quillon");
    EXPECT_EQ(title->font().family().toStdString(), "Times New Roman");
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("Label2"))->text().toStdString(),
              "Version 1.0");
    EXPECT_NE(dialog.findChild<QFrame*>(QStringLiteral("Line1")), nullptr);
    EXPECT_FALSE(dialog.findChild<QLabel*>(QStringLiteral("lblDisclaimer"))->text().isEmpty());
    auto* link = dialog.findChild<QLabel*>(QStringLiteral("Label1"));
    EXPECT_EQ(link->text().toStdString(), kHomePage);
    QTest::mouseClick(link, Qt::LeftButton);
    EXPECT_EQ(dialogs.openedUrls.size(), 3u);
    auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("cmdOK"));
    EXPECT_EQ(ok->text().toStdString(), "O K");
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
  });
  Trigger("mnuHelpAbout");
  EXPECT_TRUE(dialogs.leftOpen.empty());
}

// --- Save As ---

TEST_F(WindowCommands, SaveAsWritesThePictureOrTheGraphFile) {
  const QTemporaryDir folder;
  Start("");
  AddFunction(RedLine());
  const std::string picture = folder.filePath(QStringLiteral("view.bmp")).toStdString();
  const std::string graphs = folder.filePath(QStringLiteral("graphs.pgp")).toStdString();
  dialogs.fileChoices.push_back(FileChoice{picture, 2});
  Trigger("mnuFileSaveAs");
  dialogs.fileChoices.push_back(FileChoice{graphs, 1});
  Trigger("barSaveAs");
  ASSERT_EQ(dialogs.fileRequests.size(), 2u);
  EXPECT_EQ(dialogs.fileRequests[0].title, "Save As");
  EXPECT_EQ(dialogs.fileRequests[0].filter, "*.pgp|*.pgp|*.bmp|*.bmp");
  EXPECT_TRUE(dialogs.reports.empty());

  QImage saved(QString::fromStdString(picture), "BMP");
  ASSERT_FALSE(saved.isNull());
  EXPECT_EQ(saved.size(), Drawing().size() * Drawing().devicePixelRatio());
  EXPECT_GT(CountNear(saved, kRedPixel), 200);
  QFile file(QString::fromStdString(graphs));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.readAll().contains("S51 1 0 1 Untitled 1 0 x x"));

  // A picture that cannot be written is told, not passed over.
  const std::string unwritable = folder.filePath(QStringLiteral("no/such/view.bmp")).toStdString();
  dialogs.fileChoices.push_back(FileChoice{unwritable, 2});
  Trigger("mnuFileSaveAs");
  ASSERT_EQ(dialogs.reports.size(), 1u);
  EXPECT_EQ(dialogs.reports[0].title, "Error");
  EXPECT_EQ(dialogs.reports[0].icon, MessageIcon::Critical);
  EXPECT_NE(dialogs.reports[0].text.find(unwritable), std::string::npos);
}

// --- without OpenGL ---

// Run by its own ctest entry with the X server's OpenGL switched off for Qt
// (QT_XCB_GL_INTEGRATION=none); skipped in the ordinary run.
using WindowWithoutOpenGL = WindowTest;

TEST_F(WindowWithoutOpenGL, StaysUsableAndSaysSoOnce) {
  if (qEnvironmentVariableIsEmpty("QUILLON_UI_TEST_NO_GL")) {
    GTEST_SKIP() << "needs a display without OpenGL";
  }
  Start("", true);
  EXPECT_FALSE(Window().HasDrawing());
  ASSERT_EQ(dialogs.reports.size(), 1u);
  EXPECT_EQ(dialogs.reports[0].title, "Error");
  EXPECT_EQ(dialogs.reports[0].text, "ChoosePixelFormat failed");
  EXPECT_EQ(dialogs.reports[0].icon, MessageIcon::Critical);

  // Graphs are still made, sampled, hidden, fitted, moved and deleted.
  AddFunction(RedLine());
  ASSERT_EQ(List().count(), 1);
  EXPECT_EQ(List().item(0)->text().toStdString(), "2D Curve  y=x");
  ClickCheckBox(0);
  EXPECT_TRUE(Window().Document().ShowScene().Graphs().Empty());
  ClickCheckBox(0);
  Trigger("mnuViewFit");
  Trigger("mnuViewMove");
  Drag(&Drawing(), QPointF(200, 100), QPointF(100, 100));
  dialogs.scripts.push_back([](QDialog& dialog) { ClickButton(dialog, "Command1"); });
  Trigger("mnuDrawAxis");
  Window().Initialize();
  EXPECT_EQ(dialogs.reports.size(), 1u);  // said once
  Trigger("mnuEditDelAll");
  EXPECT_EQ(List().count(), 0);
}

}  // namespace
}  // namespace quillon::testing
