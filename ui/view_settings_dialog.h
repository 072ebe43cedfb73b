// ViewSettingsDialog, "View Setting": the projection of the view (orthographic or
// perspective) and the six bounds of the view interval that sampling clips
// coordinates to. It changes these values only: the projection shows from
// the next frame, the bounds from the next sampling.
#pragma once

#include <QDialog>
#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace quillon {

class Camera;
class WindowDialogs;
struct DocumentValues;

class ViewSettingsDialog : public QDialog {
  Q_OBJECT

 public:
  ViewSettingsDialog(Camera& view, DocumentValues& values, WindowDialogs& dialogs,
                     QWidget* parent = nullptr);

 private slots:
  void Command1_Click();
  void Command2_Click();

 private:
  void Form_Load();

  Camera& view_;
  DocumentValues& values_;
  WindowDialogs& dialogs_;

  QGroupBox* Frame1 = nullptr;
  QRadioButton* Option1 = nullptr;
  QRadioButton* Option2 = nullptr;
  QGroupBox* Frame2 = nullptr;
  // Label1..Label6 and Text1..Text6: Min x, Max x, Min y, Max y, Min z, Max z.
  std::array<QLabel*, 6> labels_{};
  std::array<QLineEdit*, 6> texts_{};
  QPushButton* Command1 = nullptr;
  QPushButton* Command2 = nullptr;
};

}  // namespace quillon
