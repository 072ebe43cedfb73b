#include "ui/view_settings_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cmath>
#include <vector>

#include "graph/document_values.h"
#include "scene/camera.h"
#include "ui/dialog_buttons.h"
#include "ui/dialog_text.h"
#include "ui/window_dialogs.h"
#include "ui/window_texts.h"

namespace quillon {

namespace {

// The names of the bounds' controls (NAMELabel, NAMEEdit), in the order of Bounds.
constexpr std::array<const char*, 6> kBoundNames = {"minX", "maxX", "minY", "maxY", "minZ", "maxZ"};

std::array<float*, 6> Bounds(DocumentValues& values) {
  return {&values.ViewMinX, &values.ViewMaxX, &values.ViewMinY,
          &values.ViewMaxY, &values.ViewMinZ, &values.ViewMaxZ};
}

}  // namespace

ViewSettingsDialog::ViewSettingsDialog(Camera& view, DocumentValues& values, WindowDialogs& dialogs,
                                       QWidget* parent)
    : QDialog(parent), view_(view), values_(values), dialogs_(dialogs) {
  setObjectName(QStringLiteral("ViewSettingsDialog"));
  setWindowTitle(texts::kViewSettingTitle);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  projectionGroup_ = new QGroupBox(texts::kProjectionGroup, this);
  projectionGroup_->setObjectName(QStringLiteral("projectionGroup"));
  orthographicOption_ = new QRadioButton(texts::kOrthographic, projectionGroup_);
  orthographicOption_->setObjectName(QStringLiteral("orthographicOption"));
  orthographicOption_->setChecked(true);
  perspectiveOption_ = new QRadioButton(texts::kPerspective, projectionGroup_);
  perspectiveOption_->setObjectName(QStringLiteral("perspectiveOption"));
  auto* projection = new QHBoxLayout(projectionGroup_);
  projection->addWidget(orthographicOption_);
  projection->addWidget(perspectiveOption_);

  exactCurvesBox_ = new QCheckBox(texts::kExactCurves, this);
  exactCurvesBox_->setObjectName(QStringLiteral("exactCurvesBox"));
  exactCurvesBox_->setChecked(true);

  boundsGroup_ = new QGroupBox(texts::kViewIntervalsGroup, this);
  boundsGroup_->setObjectName(QStringLiteral("boundsGroup"));
  auto* bounds = new QGridLayout(boundsGroup_);
  for (std::size_t i = 0; i < boundEdits_.size(); ++i) {
    const QString name = QString::fromLatin1(kBoundNames[i]);
    boundLabels_[i] = new QLabel(QString::fromLatin1(texts::kViewBoundCaptions[i]), boundsGroup_);
    boundLabels_[i]->setObjectName(name + QStringLiteral("Label"));
    boundEdits_[i] = new QLineEdit(boundsGroup_);
    boundEdits_[i]->setObjectName(name + QStringLiteral("Edit"));
    // Min and max of one axis side by side.
    const int row = static_cast<int>(i / 2);
    const int column = static_cast<int>(i % 2) * 2;
    bounds->addWidget(boundLabels_[i], row, column);
    bounds->addWidget(boundEdits_[i], row, column + 1);
  }

  QHBoxLayout* buttons = OkCancelRow(this, okButton_, cancelButton_);
  connect(okButton_, &QPushButton::clicked, this, &ViewSettingsDialog::accept);
  connect(cancelButton_, &QPushButton::clicked, this, &ViewSettingsDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(projectionGroup_);
  layout->addWidget(exactCurvesBox_);
  layout->addWidget(boundsGroup_);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  showSettings();
}

void ViewSettingsDialog::showSettings() {
  const std::array<float*, 6> bounds = Bounds(values_);
  for (std::size_t i = 0; i < boundEdits_.size(); ++i) {
    boundEdits_[i]->setText(QString::fromStdString(DialogNumberText(*bounds[i])));
  }
  if (view_.ProjectType() == Camera::kOrthographic) {
    orthographicOption_->setChecked(true);
  } else if (view_.ProjectType() == Camera::kPerspective) {
    perspectiveOption_->setChecked(true);
  }
}

void ViewSettingsDialog::ExactCurves(bool on) {
  exactCurvesBox_->setChecked(on);
}

bool ViewSettingsDialog::ExactCurves() const {
  return exactCurvesBox_->isChecked();
}

void ViewSettingsDialog::accept() {
  // The projection changes even when a bound is refused below.
  if (orthographicOption_->isChecked()) {
    view_.ProjectType(Camera::kOrthographic);
  }
  if (perspectiveOption_->isChecked()) {
    view_.ProjectType(Camera::kPerspective);
  }
  std::vector<CheckedBox> boxes;
  for (QLineEdit* text : boundEdits_) {
    boxes.push_back({text, CheckNumberText});
  }
  if (!CleanShownBoxes(boxes, dialogs_)) {
    return;
  }
  // A bound beyond the single range would clip everything or nothing.
  std::array<float, 6> values{};
  for (std::size_t i = 0; i < boundEdits_.size(); ++i) {
    values[i] = static_cast<float>(TextValue(boundEdits_[i]->text()));
    if (!std::isfinite(values[i])) {
      dialogs_.Report(texts::kNoteTitle, texts::kNumberTooLarge, MessageIcon::Exclamation);
      return;
    }
  }
  const std::array<float*, 6> bounds = Bounds(values_);
  for (std::size_t i = 0; i < bounds.size(); ++i) {
    *bounds[i] = values[i];
  }
  QDialog::accept();
}

}  // namespace quillon
