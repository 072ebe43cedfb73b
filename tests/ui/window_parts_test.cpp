// The window's parts that need no window: splitter limits, the steps of
// mouse navigation, colour values, dialog number texts and Qt's dialogs.

#include "scene/camera.h"
#include "ui/dialog_text.h"
#include "ui/mouse_navigation.h"
#include "ui/qt_dialogs.h"
#include "ui/splitter_bar.h"
#include "window_test_support.h"

namespace quillon {
namespace {

// A window narrower than both margins: the upper bound wins.
TEST(SplitterLimits, ClampsToTheMarginFromEitherEdge) {
  const std::array<int, 3> cases[] = {
      {67, 900, 67}, {66, 900, 67}, {833, 900, 833}, {834, 900, 833}, {10, 100, 33}};
  for (const auto& [left, windowWidth, expected] : cases) {
    EXPECT_EQ(ClampSplitterLeft(left, windowWidth), expected) << left << " in " << windowWidth;
  }
}

// A collapsed drawing area has no scale to move or zoom by.
TEST(MouseNavigation, NothingMovesWithoutAnArea) {
  for (const bool move : {true, false}) {
    Camera view;
    view.SetViewRect(40, 30);
    MouseNavigation navigation;
    move ? navigation.EnterMoveMode() : navigation.EnterZoomMode();
    navigation.LeftButtonDown(100, 100);
    EXPECT_FALSE(navigation.LeftButtonMove(300, 50, move ? 0 : 800, move ? 600 : 0, view));
    EXPECT_FLOAT_EQ(view.RefPos().x, 0);
    EXPECT_FLOAT_EQ(view.VolHeight(), 30);
  }
}

TEST(ColorValues, RedIsTheLowByte) {
  EXPECT_EQ(ToQColor(0x123456), QColor(0x56, 0x34, 0x12));
  EXPECT_EQ(ColorValue(QColor(0x56, 0x34, 0x12)), 0x123456);
  // Bits above blue are not a colour.
  EXPECT_EQ(ToQColor(-16777216 + 0xFF0000), QColor(0, 0, 255));
}

TEST(DialogNumberText, ShortestTextTheNumberCheckAccepts) {
  const std::pair<float, const char*> cases[] = {
      {-0.25f, "-0.25"}, {1e20f, "1E20"}, {1.5e-7f, "1.5E-07"}, {123456.5f, "123456.5"}};
  for (const auto& [value, text] : cases) {
    EXPECT_EQ(DialogNumberText(value), text);
    EXPECT_EQ(static_cast<float>(TextValue(QString::fromLatin1(text))), value) << text;
  }
  // What follows the leading number is passed over.
  EXPECT_EQ(TextValue(QStringLiteral("12abc")), 12);
}

TEST(QtDialogs, FilterTextsBecomeNameFilters) {
  EXPECT_EQ(QtNameFilters("(*.pgp)|*.pgp"), QStringList({QStringLiteral("(*.pgp)")}));
  EXPECT_EQ(QtNameFilters("*.pgp|*.pgp|Pictures|*.bmp"),
            QStringList({QStringLiteral("*.pgp (*.pgp)"), QStringLiteral("Pictures (*.bmp)")}));
  EXPECT_EQ(QtNameFilters("odd"), QStringList());
}

// Runs act on the modal dialog of this type once it is shown.
template <typename Dialog>
void WhenShown(std::function<void(Dialog&)> act) {
  QTimer::singleShot(0, [act] {
    auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    act(*dialog);
  });
}

// Reports offer OK; questions their buttons, with Escape the most careful.
TEST(QtDialogs, MessagesShowTitleTextIconAndAnswerWithTheButtonPressed) {
  using Buttons = std::optional<QuestionButtons>;            // none: a report
  using Click = std::optional<QMessageBox::StandardButton>;  // none: Escape
  const std::tuple<MessageIcon, QMessageBox::Icon, Buttons, Click, Answer> cases[] = {
      {MessageIcon::Critical, QMessageBox::Critical, std::nullopt, QMessageBox::Ok, Answer::Yes},
      {MessageIcon::Information, QMessageBox::Information, std::nullopt, QMessageBox::Ok,
       Answer::Yes},
      {MessageIcon::Exclamation, QMessageBox::Warning, QuestionButtons::YesNoCancel,
       QMessageBox::Yes, Answer::Yes},
      {MessageIcon::Question, QMessageBox::Question, QuestionButtons::YesNoCancel, QMessageBox::No,
       Answer::No},
      {MessageIcon::Exclamation, QMessageBox::Warning, QuestionButtons::YesNoCancel, std::nullopt,
       Answer::Cancel},
      {MessageIcon::Exclamation, QMessageBox::Warning, QuestionButtons::YesNo, std::nullopt,
       Answer::No}};
  int shown = 0;
  for (const auto& [icon, boxIcon, buttons, click, answer] : cases) {
    const int count = !buttons ? 1 : *buttons == QuestionButtons::YesNoCancel ? 3 : 2;
    WhenShown<QMessageBox>([&shown, boxIcon = boxIcon, count, click = click](QMessageBox& box) {
      ++shown;
      EXPECT_EQ(box.windowTitle() + ": " + box.text(), QStringLiteral("Note: Save changes?"));
      EXPECT_EQ(box.icon(), boxIcon);
      EXPECT_EQ(box.buttons().size(), count);
      click ? box.button(*click)->click() : QTest::keyClick(&box, Qt::Key_Escape);
    });
    if (buttons) {
      EXPECT_EQ(QtDialogs().Ask("Note", "Save changes?", icon, *buttons), answer);
    } else {
      QtDialogs().Report("Note", "Save changes?", icon);
    }
  }
  EXPECT_EQ(shown, 6);
}

TEST(QtDialogs, FileDialogGivesTheNameAndTheFilterChosen) {
  const QTemporaryDir folder;
  const QString name = folder.filePath(QStringLiteral("new.bmp"));
  WhenShown<QFileDialog>([&name](QFileDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle().toStdString(), "Save As");
    EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(dialog.nameFilters(), QtNameFilters("*.pgp|*.pgp|*.bmp|*.bmp"));
    dialog.selectNameFilter(dialog.nameFilters()[1]);
    dialog.selectFile(name);
    static_cast<QDialog&>(dialog).accept();
  });
  const auto choice =
      QtDialogs().AskFileName(FileDialogMode::Save, "Save As", "*.pgp|*.pgp|*.bmp|*.bmp");
  ASSERT_TRUE(choice.has_value());
  EXPECT_EQ(choice->path, name.toStdString());
  EXPECT_EQ(choice->filterIndex, 2);
  // Open, cancelled.
  WhenShown<QFileDialog>([](QFileDialog& dialog) {
    EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFile);
    dialog.reject();
  });
  EXPECT_FALSE(QtDialogs().AskFileName(FileDialogMode::Open, "Open File", "(*.pgp)|*.pgp"));
}

TEST(QtDialogs, ColourChooserOpensOnTheColourAndGivesTheOneChosen) {
  WhenShown<QColorDialog>([](QColorDialog& dialog) {
    EXPECT_EQ(dialog.currentColor(), QColor(10, 20, 30));
    dialog.setCurrentColor(QColor(30, 20, 10));
    dialog.accept();
  });
  EXPECT_EQ(QtDialogs().ChooseColor(0x1E140A, nullptr), 0x0A141E);
  WhenShown<QColorDialog>([](QColorDialog& dialog) { dialog.reject(); });
  EXPECT_EQ(QtDialogs().ChooseColor(0, nullptr), std::nullopt);
}

}  // namespace
}  // namespace quillon
