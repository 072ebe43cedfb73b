// A shown main window answered by ScriptedDialogs, with helpers that work
// the window as a user does (menu items, the Properties dialog, the list)
// and look at what the drawing area shows.
#pragma once

#include <gtest/gtest.h>

#include <QColor>
#include <QDialog>
#include <QImage>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "scripted_dialogs.h"
#include "ui/main_window.h"

class QComboBox;
class QListWidget;

namespace quillon {
class DrawArea;
}

namespace quillon::testing {

inline constexpr std::int32_t kRed = 0x0000FF;
inline constexpr std::int32_t kGreen = 0x00FF00;

// What a user types into the Properties dialog; unset fields keep what the
// dialog shows.
struct FunctionInput {
  int coordinate = 0;  // Combo1: 0 Cartesian, 1 polar
  int form = 0;        // Combo3: 0 explicit, 1 parametric
  std::optional<QString> name;
  QString first;   // Text2
  QString second;  // Text3 (parametric forms)
  QString min = QStringLiteral("-10");
  QString max = QStringLiteral("10");
  QString steps = QStringLiteral("100");
  std::optional<std::int32_t> color;  // chosen through the colour box
  int widthIndex = 2;                 // Combo2 position: width 3
};

// The dialog's control of this object name and type; a failure when missing.
template <typename Widget>
Widget* Find(QDialog& dialog, const char* name) {
  auto* widget = dialog.findChild<Widget*>(QString::fromLatin1(name));
  EXPECT_NE(widget, nullptr) << name;
  return widget;
}

// Types the input into a shown Properties dialog (frmF5) and presses OK.
void FillAndConfirm(QDialog& dialog, const FunctionInput& input);
// Chooses a list item as the keyboard does, so the dialog's click handler runs.
void ChooseComboItem(QComboBox* combo, int index);
void ClickButton(QDialog& dialog, const char* name);

// Saves a picture of the shown widget for reviewers, as NAME.png in the
// build tree's screenshots folder.
void SavePicture(QWidget& widget, const std::string& name);

// Pixels within tolerance of the colour in each channel.
std::int64_t CountNear(const QImage& image, const QColor& color, int tolerance = 60);
// Pixels that are not white.
std::int64_t CountNonWhite(const QImage& image);

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Builds, shows and loads the window with this command line; the drawing
  // area must have its OpenGL context unless withoutDrawing.
  void Start(const std::string& commandLine, bool withoutDrawing = false);

  frmF1& Window() { return *window_; }
  QListWidget& List();
  // picDraw, with or without OpenGL.
  QWidget& Drawing();
  void Trigger(const char* name);
  // A fresh frame of the drawing area.
  QImage Frame();
  // Draw Cartesian or Polar, the dialog filled in and confirmed.
  void AddFunction(const FunctionInput& input);
  // Clicks an entry's check box as the user does.
  void ClickCheckBox(int row);
  // The window as it is on the screen, saved for reviewers as NAME.png in
  // the build tree's screenshots folder.
  void SaveScreenshot(const std::string& name);

  ScriptedDialogs dialogs;

 private:
  std::unique_ptr<frmF1> window_;
};

}  // namespace quillon::testing
