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

 public slots:
  // OK: the projection, then the bounds when every one is a number the
  // view interval can hold; a refused bound is told and keeps the dialog open.
  void accept() override;

 private:
  // The boxes and the projection show the bounds and the view's projection.
  void showSettings();

  Camera& view_;
  DocumentValues& values_;
  WindowDialogs& dialogs_;

  QGroupBox* projectionGroup_ = nullptr;
  QRadioButton* orthographicOption_ = nullptr;
  QRadioButton* perspectiveOption_ = nullptr;
  QGroupBox* boundsGroup_ = nullptr;
  // Captions and boxes of Min x, Max x, Min y, Max y, Min z, Max z.
  std::array<QLabel*, 6> boundLabels_{};
  std::array<QLineEdit*, 6> boundEdits_{};
  QPushButton* okButton_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
};

}  // namespace quillon
