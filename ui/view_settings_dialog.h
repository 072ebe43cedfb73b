// ViewSettingsDialog, "View Setting": the projection of the view (orthographic or
// perspective), the six bounds of the view interval that sampling clips
// coordinates to, and "Exact curves", the user's choice of drawing plane
// curves exactly. It changes the projection and bounds only: the projection
// shows from the next frame, the bounds from the next sampling; the window
// reads the check box after OK.
#pragma once

#include <QDialog>
#include <array>

class QCheckBox;
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

  // The "Exact curves" check box, checked unless set otherwise.
  void ExactCurves(bool on);
  bool ExactCurves() const;

 private:
  // The boxes and the projection show the bounds and the view's projection.
  void showSettings();

  Camera& view_;
  DocumentValues& values_;
  WindowDialogs& dialogs_;

  QGroupBox* projectionGroup_ = nullptr;
  QRadioButton* orthographicOption_ = nullptr;
  QRadioButton* perspectiveOption_ = nullptr;
  QCheckBox* exactCurvesBox_ = nullptr;
  QGroupBox* boundsGroup_ = nullptr;
  // Captions and boxes of Min x, Max x, Min y, Max y, Min z, Max z.
  std::array<QLabel*, 6> boundLabels_{};
  std::array<QLineEdit*, 6> boundEdits_{};
  QPushButton* okButton_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
};

}  // namespace quillon
