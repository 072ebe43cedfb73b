// AxisDialog, "Axis Properties": whether the axis is shown, its colour, its
// line width and whether its text is drawn with the better fonts. OK writes
// the settings into the axis and accepts; the window then recompiles the
// scene and redraws. Cancel leaves the axis as it was.
#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;

namespace quillon {

struct Axis;
class ColorBox;
class WindowDialogs;

class AxisDialog : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kAxisWidths = 5;

  // The controls show the axis's settings; an AxisWidth outside 1..5 shows
  // the nearest valid width.
  AxisDialog(Axis& axis, WindowDialogs& dialogs, QWidget* parent = nullptr);

 private slots:
  void Picture1_Click();
  void Command1_Click();
  void Command2_Click();

 private:
  Axis& axis_;
  WindowDialogs& dialogs_;

  QTabWidget* SSTab1 = nullptr;
  QCheckBox* Check1 = nullptr;
  QLabel* Label1 = nullptr;
  ColorBox* Picture1 = nullptr;
  QLabel* Label2 = nullptr;
  QComboBox* Combo1 = nullptr;
  QCheckBox* Check2 = nullptr;
  QPushButton* Command1 = nullptr;
  QPushButton* Command2 = nullptr;
};

}  // namespace quillon
