#include "window_test_support.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTabWidget>
#include <QTest>
#include <cstdlib>

#include "ui/color_box.h"
#include "ui/draw_area.h"

namespace quillon::testing {

void ChooseComboItem(QComboBox* combo, int index) {
  ASSERT_NE(combo, nullptr);
  QTest::keyClick(combo, Qt::Key_Home);
  for (int i = 0; i < index; ++i) {
    QTest::keyClick(combo, Qt::Key_Down);
  }
  ASSERT_EQ(combo->currentIndex(), index);
}

void ClickButton(QDialog& dialog, const char* name) {
  auto* button = dialog.findChild<QPushButton*>(QString::fromLatin1(name));
  ASSERT_NE(button, nullptr) << name;
  QTest::mouseClick(button, Qt::LeftButton);
}

void FillAndConfirm(QDialog& dialog, const FunctionInput& input) {
  ChooseComboItem(dialog.findChild<QComboBox*>(QStringLiteral("Combo1")), input.coordinate);
  ChooseComboItem(dialog.findChild<QComboBox*>(QStringLiteral("Combo3")), input.form);
  const auto type = [&dialog](const char* name, const QString& text) {
    auto* box = dialog.findChild<QLineEdit*>(QString::fromLatin1(name));
    ASSERT_NE(box, nullptr) << name;
    box->selectAll();
    box->del();
    QTest::keyClicks(box, text);
  };
  if (input.name) {
    type("Text1", *input.name);
  }
  type("Text2", input.first);
  if (input.form == 1) {
    type("Text3", input.second);
  }
  type("Text4", input.min);
  type("Text5", input.max);
  type("Text6", input.steps);
  auto* tabs = dialog.findChild<QTabWidget*>(QStringLiteral("SSTab1"));
  ASSERT_NE(tabs, nullptr);
  tabs->setCurrentIndex(1);
  ChooseComboItem(dialog.findChild<QComboBox*>(QStringLiteral("Combo2")), input.widthIndex);
  if (input.color) {
    auto* box = dialog.findChild<ColorBox*>(QStringLiteral("Picture1"));
    ASSERT_NE(box, nullptr);
    QTest::mouseClick(box, Qt::LeftButton);
  }
  ClickButton(dialog, "Command1");
}

std::int64_t CountNear(const QImage& image, const QColor& color, int tolerance) {
  std::int64_t count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QColor pixel = image.pixelColor(x, y);
      if (std::abs(pixel.red() - color.red()) <= tolerance &&
          std::abs(pixel.green() - color.green()) <= tolerance &&
          std::abs(pixel.blue() - color.blue()) <= tolerance) {
        ++count;
      }
    }
  }
  return count;
}

std::int64_t CountNonWhite(const QImage& image) {
  std::int64_t count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if ((image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) {
        ++count;
      }
    }
  }
  return count;
}

void WindowTest::SetUp() {
  ASSERT_NE(QApplication::instance(), nullptr) << "no display for the window";
}

void WindowTest::Start(const std::string& commandLine, bool withoutDrawing) {
  window_ = std::make_unique<frmF1>(dialogs);
  window_->resize(900, 640);
  window_->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
  window_->Load(commandLine);
  if (!withoutDrawing) {
    ASSERT_TRUE(window_->HasDrawing()) << "the drawing area has no OpenGL context";
  }
}

void WindowTest::TearDown() {
  // Destroyed without closing: the close question belongs to its own tests.
  window_.reset();
  EXPECT_TRUE(dialogs.answers.empty()) << "answers left unused";
  EXPECT_TRUE(dialogs.scripts.empty()) << "dialog scripts left unused";
  EXPECT_TRUE(dialogs.fileChoices.empty()) << "file names left unused";
  EXPECT_TRUE(dialogs.colors.empty()) << "colours left unused";
  EXPECT_TRUE(dialogs.printFiles.empty()) << "print answers left unused";
}

QListWidget& WindowTest::List() {
  auto* list = window_->findChild<QListWidget*>(QStringLiteral("List1"));
  EXPECT_NE(list, nullptr);
  return *list;
}

QWidget& WindowTest::Drawing() {
  auto* area = window_->findChild<QWidget*>(QStringLiteral("picDraw"));
  EXPECT_NE(area, nullptr);
  return *area;
}

void WindowTest::Trigger(const char* name) {
  QAction* action = window_->Action(QString::fromLatin1(name));
  ASSERT_NE(action, nullptr) << name;
  action->trigger();
}

QImage WindowTest::Frame() {
  auto* area = qobject_cast<DrawArea*>(&Drawing());
  if (area == nullptr) {
    ADD_FAILURE() << "the drawing area has no OpenGL";
    return QImage();
  }
  return area->grabFramebuffer();
}

void WindowTest::AddFunction(const FunctionInput& input) {
  dialogs.scripts.push_back([input](QDialog& dialog) { FillAndConfirm(dialog, input); });
  if (input.color) {
    dialogs.colors.push_back(*input.color);
  }
  Trigger(input.coordinate == 1 ? "mnuDraw2DPolar" : "mnuDraw2DCart");
}

void WindowTest::ClickCheckBox(int row) {
  QListWidget& list = List();
  QListWidgetItem* item = list.item(row);
  ASSERT_NE(item, nullptr);
  QStyleOptionViewItem option;
  option.initFrom(&list);
  option.rect = list.visualItemRect(item);
  option.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
  const QRect box =
      list.style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, &list);
  QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, box.center());
}

void SavePicture(QWidget& widget, const std::string& name) {
  widget.show();
  QCoreApplication::processEvents();
  const QDir folder(QStringLiteral(QUILLON_SCREENSHOT_DIR));
  folder.mkpath(QStringLiteral("."));
  const QImage picture = widget.grab().toImage();
  EXPECT_TRUE(picture.save(folder.filePath(QString::fromStdString(name) + QStringLiteral(".png"))));
}

void WindowTest::SaveScreenshot(const std::string& name) {
  SavePicture(*window_, name);
}

}  // namespace quillon::testing
