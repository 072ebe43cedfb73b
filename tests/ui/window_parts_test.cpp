// The window's parts that need no window: splitter limits, the steps of
// mouse navigation, colour values, dialog number texts and file filters.
#include <gtest/gtest.h>

#include <QApplication>
#include <QColor>
#include <QColorDialog>
#include <QFile>
#include <QFileDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <limits>
#include <optional>

#include "scene/view.h"
#include "ui/color_box.h"
#include "ui/dialog_text.h"
#include "ui/mouse_navigation.h"
#include "ui/qt_dialogs.h"
#include "ui/splitter_bar.h"

namespace quillon {
namespace {

TEST(SplitterLimits, ClampsToTheMarginFromEitherEdge) {
  struct Case {
    int left, windowWidth, expected;
  };
  const Case cases[] = {
      {300, 900, 300},  // inside: kept
      {67, 900, 67},
      {66, 900, 67},
      {-40, 900, 67},
      {833, 900, 833},
      {834, 900, 833},
      {2000, 900, 833},
      // A window narrower than both margins: the lower bound first, then
      // the upper one wins.
      {10, 100, 33},
      {90, 100, 33},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.left << " in " << c.windowWidth);
    EXPECT_EQ(ClampSplitterLeft(c.left, c.windowWidth), c.expected);
  }
}

// A view of 800 x 600 pixels showing 40 x 30 units, looking down the z axis.
Cls4 TestView() {
  Cls4 view;
  view.ScreenWidth(800);
  view.ScreenHeight(600);
  view.SetViewRect(40, 30);
  return view;
}

TEST(MouseNavigation, MoveModePansByTheDraggedFraction) {
  struct Case {
    float fromX, fromY, toX, toY;
    float expectedShiftX, expectedShiftY;  // world units the eye moves
  };
  // Right to left by half the width: the eye moves +0.5 x VolWidth in x.
  const Case cases[] = {{600, 300, 200, 300, 20, 0},
                        {200, 300, 600, 300, -20, 0},
                        {400, 300, 400, 0, 0, -15},  // up by half the height
                        {400, 0, 400, 600, 0, 30},   // down by the whole height
                        {100, 100, 300, 400, -10, 15}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << c.fromX << "," << c.fromY << " -> " << c.toX << "," << c.toY);
    Cls4 view = TestView();
    MouseNavigation navigation;
    navigation.EnterMoveMode();
    navigation.LeftButtonDown(c.fromX, c.fromY);
    EXPECT_TRUE(navigation.LeftButtonMove(c.toX, c.toY, 800, 600, view));
    EXPECT_NEAR(view.EyePos().X(), c.expectedShiftX, 1e-4);
    EXPECT_NEAR(view.EyePos().Y(), c.expectedShiftY, 1e-4);
    EXPECT_NEAR(view.RefPos().X(), c.expectedShiftX, 1e-4);
    EXPECT_NEAR(view.RefPos().Y(), c.expectedShiftY, 1e-4);
    EXPECT_FLOAT_EQ(view.EyePos().z(), 1000);
    EXPECT_FLOAT_EQ(navigation.LastX(), c.toX);
    EXPECT_FLOAT_EQ(navigation.LastY(), c.toY);
  }
}

TEST(MouseNavigation, ADragIsTheSumOfItsSteps) {
  Cls4 view = TestView();
  MouseNavigation navigation;
  navigation.EnterMoveMode();
  navigation.LeftButtonDown(600, 300);
  for (float x = 580; x >= 200; x -= 20) {
    navigation.LeftButtonMove(x, 300, 800, 600, view);
  }
  EXPECT_NEAR(view.RefPos().X(), 20, 1e-3);
}

TEST(MouseNavigation, ZoomModeScalesByTheVerticalStep) {
  struct Case {
    float fromY, toY, toX;
    float factor;     // the stored zoom factor
    float volHeight;  // 30 before
  };
  const Case cases[] = {
      {300, 240, 400, 0.9f, 27},   // up by a tenth of the height: 10 % smaller
      {300, 360, 400, 1.1f, 33},   // down: larger
      {300, 300, 50, 1.0f, 30},    // sideways only: no change
      {600, 0, 400, 0.0f, 30},     // up by the whole height: factor 0, ignored
      {600, -60, 400, -0.1f, 30},  // beyond: negative, ignored
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.fromY << " -> " << c.toY);
    Cls4 view = TestView();
    MouseNavigation navigation;
    navigation.EnterZoomMode();
    navigation.LeftButtonDown(400, c.fromY);
    EXPECT_TRUE(navigation.LeftButtonMove(c.toX, c.toY, 800, 600, view));
    EXPECT_NEAR(navigation.ZoomFactor(), c.factor, 1e-6);
    EXPECT_NEAR(view.VolHeight(), c.volHeight, 1e-4);
    EXPECT_NEAR(view.VolWidth(), c.volHeight * 40 / 30, 1e-4);
    EXPECT_FLOAT_EQ(view.RefPos().X(), 0);
  }
}

TEST(MouseNavigation, NothingMovesWithoutAModeOrWithoutAnArea) {
  struct Case {
    bool move, zoom;
    std::int32_t w, h;
  };
  const Case cases[] = {{false, false, 800, 600}, {true, false, 0, 600}, {false, true, 800, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.move << c.zoom << " " << c.w << "x" << c.h);
    Cls4 view = TestView();
    MouseNavigation navigation;
    if (c.move) {
      navigation.EnterMoveMode();
    }
    if (c.zoom) {
      navigation.EnterZoomMode();
    }
    navigation.LeftButtonDown(100, 100);
    EXPECT_FALSE(navigation.LeftButtonMove(300, 50, c.w, c.h, view));
    EXPECT_FLOAT_EQ(view.RefPos().X(), 0);
    EXPECT_FLOAT_EQ(view.RefPos().Y(), 0);
    EXPECT_FLOAT_EQ(view.VolHeight(), 30);
    EXPECT_EQ(navigation.W(), c.w);
    EXPECT_EQ(navigation.H(), c.h);
  }
}

TEST(ColorValues, RedIsTheLowByte) {
  struct Case {
    std::int32_t value;
    QColor color;
  };
  const Case cases[] = {{0x0000FF, QColor(255, 0, 0)}, {0x00FF00, QColor(0, 255, 0)},
                        {0xFF0000, QColor(0, 0, 255)}, {0x123456, QColor(0x56, 0x34, 0x12)},
                        {0, QColor(0, 0, 0)},          {0xFFFFFF, QColor(255, 255, 255)}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(ToQColor(c.value), c.color);
    EXPECT_EQ(ColorValue(c.color), c.value);
  }
  // Bits above blue are not a colour.
  EXPECT_EQ(ToQColor(-16777216 + 0xFF0000), QColor(0, 0, 255));
}

TEST(DialogNumberText, ShortestTextTheNumberCheckAccepts) {
  struct Case {
    float value;
    const char* text;
  };
  const Case cases[] = {{-50, "-50"},    {50, "50"},           {0, "0"},
                        {1.5f, "1.5"},   {0.1f, "0.1"},        {-0.25f, "-0.25"},
                        {1e20f, "1E20"}, {1.5e-7f, "1.5E-07"}, {123456.5f, "123456.5"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const std::string text = DialogNumberText(c.value);
    EXPECT_EQ(text, c.text);
    EXPECT_EQ(static_cast<float>(TextValue(QString::fromStdString(text))), c.value);
  }
}

TEST(DialogNumberText, TextValueReadsTheLeadingNumber) {
  struct Case {
    const char* text;
    double value;
  };
  const Case cases[] = {{"2.5", 2.5}, {"", 0}, {"abc", 0}, {"12abc", 12}, {"-3E2", -300}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_DOUBLE_EQ(TextValue(QString::fromLatin1(c.text)), c.value);
  }
}

TEST(QtDialogs, FilterTextsBecomeNameFilters) {
  struct Case {
    const char* filter;
    QStringList expected;
  };
  const Case cases[] = {
      {"(*.pgp)|*.pgp", {QStringLiteral("(*.pgp)")}},
      {"*.pgp|*.pgp|*.bmp|*.bmp",
       {QStringLiteral("*.pgp (*.pgp)"), QStringLiteral("*.bmp (*.bmp)")}},
      {"Pictures|*.bmp", {QStringLiteral("Pictures (*.bmp)")}},
      {"", {}},
      {"odd", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.filter);
    EXPECT_EQ(QtNameFilters(c.filter), c.expected);
  }
}

// The message boxes as the user answers them: a click on a button or Escape.
TEST(QtDialogs, QuestionsAnswerWithTheButtonPressed) {
  struct Case {
    QuestionButtons buttons;
    std::optional<QMessageBox::StandardButton> click;  // none: Escape
    Answer answer;
  };
  const Case cases[] = {
      {QuestionButtons::YesNoCancel, QMessageBox::Yes, Answer::Yes},
      {QuestionButtons::YesNoCancel, QMessageBox::No, Answer::No},
      {QuestionButtons::YesNoCancel, QMessageBox::Cancel, Answer::Cancel},
      {QuestionButtons::YesNoCancel, std::nullopt, Answer::Cancel},
      {QuestionButtons::YesNo, QMessageBox::Yes, Answer::Yes},
      {QuestionButtons::YesNo, std::nullopt, Answer::No},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << static_cast<int>(c.answer));
    QtDialogs dialogs;
    bool seen = false;
    QTimer::singleShot(0, [&c, &seen] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      seen = true;
      EXPECT_EQ(box->windowTitle().toStdString(), "Note");
      EXPECT_EQ(box->text().toStdString(), "Save changes to file?");
      EXPECT_EQ(box->icon(), QMessageBox::Warning);
      EXPECT_EQ(box->button(QMessageBox::Cancel) != nullptr,
                c.buttons == QuestionButtons::YesNoCancel);
      if (c.click) {
        box->button(*c.click)->click();
      } else {
        QTest::keyClick(box, Qt::Key_Escape);
      }
    });
    EXPECT_EQ(dialogs.Ask("Note", "Save changes to file?", MessageIcon::Exclamation, c.buttons),
              c.answer);
    EXPECT_TRUE(seen);
  }
}

TEST(QtDialogs, FileDialogGivesTheNameAndTheFilterChosen) {
  struct Case {
    FileDialogMode mode;
    const char* title;
    const char* filter;
    int chosenFilter;  // 0-based; -1: the dialog is cancelled
  };
  const Case cases[] = {{FileDialogMode::Open, "Open File", "(*.pgp)|*.pgp", 0},
                        {FileDialogMode::Save, "Save As", "*.pgp|*.pgp|*.bmp|*.bmp", 1},
                        {FileDialogMode::Save, "Save", "(*.pgp)|*.pgp", -1}};
  const QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("graphs.pgp"));
  QFile existing(path);
  ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
  existing.close();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title);
    // Open needs a file that exists; Save a new name, or it asks to overwrite.
    const QString name =
        c.mode == FileDialogMode::Open ? path : folder.filePath(QStringLiteral("new.pgp"));
    QtDialogs dialogs;
    QTimer::singleShot(0, [&c, &name] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      EXPECT_EQ(dialog->windowTitle().toStdString(), c.title);
      EXPECT_EQ(dialog->nameFilters(), QtNameFilters(c.filter));
      EXPECT_EQ(dialog->acceptMode(),
                c.mode == FileDialogMode::Open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
      if (c.chosenFilter < 0) {
        dialog->reject();
        return;
      }
      dialog->selectNameFilter(dialog->nameFilters()[c.chosenFilter]);
      dialog->selectFile(name);
      static_cast<QDialog*>(dialog)->accept();
    });
    const std::optional<FileChoice> choice = dialogs.AskFileName(c.mode, c.title, c.filter);
    ASSERT_EQ(choice.has_value(), c.chosenFilter >= 0);
    if (choice) {
      EXPECT_EQ(choice->path, name.toStdString());
      EXPECT_EQ(choice->filterIndex, c.chosenFilter + 1);
    }
  }
}

TEST(QtDialogs, ColourChooserGivesTheColourValue) {
  struct Case {
    std::optional<QColor> chosen;  // none: cancelled
    std::optional<std::int32_t> value;
  };
  const Case cases[] = {
      {QColor(0, 255, 0), 0x00FF00}, {QColor(10, 20, 30), 0x1E140A}, {std::nullopt, std::nullopt}};
  for (const Case& c : cases) {
    QtDialogs dialogs;
    QTimer::singleShot(0, [&c] {
      auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      if (!c.chosen) {
        dialog->reject();
        return;
      }
      dialog->setCurrentColor(*c.chosen);
      dialog->accept();
    });
    EXPECT_EQ(dialogs.ChooseColor(nullptr), c.value);
  }
}

TEST(QtDialogs, ReportsShowTitleTextAndIcon) {
  struct Case {
    MessageIcon icon;
    QMessageBox::Icon shown;
  };
  const Case cases[] = {{MessageIcon::Critical, QMessageBox::Critical},
                        {MessageIcon::Exclamation, QMessageBox::Warning},
                        {MessageIcon::Information, QMessageBox::Information}};
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.icon));
    QtDialogs dialogs;
    bool seen = false;
    QTimer::singleShot(0, [&c, &seen] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      seen = true;
      EXPECT_EQ(box->windowTitle().toStdString(), "Error");
      EXPECT_EQ(box->text().toStdString(), "Illegal data exist.");
      EXPECT_EQ(box->icon(), c.shown);
      EXPECT_EQ(box->buttons().size(), 1);
      box->button(QMessageBox::Ok)->click();
    });
    dialogs.Report("Error", "Illegal data exist.", c.icon);
    EXPECT_TRUE(seen);
  }
}

}  // namespace
}  // namespace quillon
