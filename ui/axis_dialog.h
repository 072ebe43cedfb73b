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

 public slots:
  // OK: the settings go into the axis.
  void accept() override;

 private slots:
  void onColorClicked();

 private:
  Axis& axis_;
  WindowDialogs& dialogs_;

  QTabWidget* tabs_ = nullptr;
  QCheckBox* showAxisCheck_ = nullptr;
  QLabel* colorLabel_ = nullptr;
  ColorBox* colorBox_ = nullptr;
  QLabel* widthLabel_ = nullptr;
  QComboBox* widthCombo_ = nullptr;
  QCheckBox* betterFontsCheck_ = nullptr;
  QPushButton* okButton_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
};

}  // namespace quillon
