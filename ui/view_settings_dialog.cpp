#include "ui/view_settings_dialog.h"

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

namespace quillon {

namespace {

constexpr std::array<const char*, 6> kBoundCaptions = {"Min x", "Max x", "Min y",
                                                       "Max y", "Min z", "Max z"};

std::array<float*, 6> Bounds(DocumentValues& values) {
  return {&values.ViewMinX, &values.ViewMaxX, &values.ViewMinY,
          &values.ViewMaxY, &values.ViewMinZ, &values.ViewMaxZ};
}

}  // namespace

ViewSettingsDialog::ViewSettingsDialog(Camera& view, DocumentValues& values, WindowDialogs& dialogs,
                                       QWidget* parent)
    : QDialog(parent), view_(view), values_(values), dialogs_(dialogs) {
  setObjectName(QStringLiteral("ViewSettingsDialog"));
  setWindowTitle(QStringLiteral("View Setting"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  Frame1 = new QGroupBox(QStringLiteral("Projection Type"), this);
  Frame1->setObjectName(QStringLiteral("Frame1"));
  Option1 = new QRadioButton(QStringLiteral("Ortho"), Frame1);
  Option1->setObjectName(QStringLiteral("Option1"));
  Option1->setChecked(true);
  Option2 = new QRadioButton(QStringLiteral("Perspective"), Frame1);
  Option2->setObjectName(QStringLiteral("Option2"));
  auto* projection = new QHBoxLayout(Frame1);
  projection->addWidget(Option1);
  projection->addWidget(Option2);

  Frame2 = new QGroupBox(QStringLiteral("View Intervals"), this);
  Frame2->setObjectName(QStringLiteral("Frame2"));
  auto* bounds = new QGridLayout(Frame2);
  for (std::size_t i = 0; i < texts_.size(); ++i) {
    const QString number = QString::number(i + 1);
    labels_[i] = new QLabel(QString::fromLatin1(kBoundCaptions[i]), Frame2);
    labels_[i]->setObjectName(QStringLiteral("Label") + number);
    texts_[i] = new QLineEdit(Frame2);
    texts_[i]->setObjectName(QStringLiteral("Text") + number);
    // Min and max of one axis side by side.
    const int row = static_cast<int>(i / 2);
    const int column = static_cast<int>(i % 2) * 2;
    bounds->addWidget(labels_[i], row, column);
    bounds->addWidget(texts_[i], row, column + 1);
  }

  QHBoxLayout* buttons = OkCancelRow(this, Command1, Command2);
  connect(Command1, &QPushButton::clicked, this, &ViewSettingsDialog::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &ViewSettingsDialog::Command2_Click);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Frame1);
  layout->addWidget(Frame2);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  Form_Load();
}

void ViewSettingsDialog::Form_Load() {
  const std::array<float*, 6> bounds = Bounds(values_);
  for (std::size_t i = 0; i < texts_.size(); ++i) {
    texts_[i]->setText(QString::fromStdString(DialogNumberText(*bounds[i])));
  }
  if (view_.ProjectType() == Camera::kOrthographic) {
    Option1->setChecked(true);
  } else if (view_.ProjectType() == Camera::kPerspective) {
    Option2->setChecked(true);
  }
}

void ViewSettingsDialog::Command1_Click() {
  // The projection changes even when a bound is refused below.
  if (Option1->isChecked()) {
    view_.ProjectType(Camera::kOrthographic);
  }
  if (Option2->isChecked()) {
    view_.ProjectType(Camera::kPerspective);
  }
  std::vector<CheckedBox> boxes;
  for (QLineEdit* text : texts_) {
    boxes.push_back({text, CheckNumberText});
  }
  if (!CleanShownBoxes(boxes, dialogs_)) {
    return;
  }
  // A bound beyond the single range would clip everything or nothing.
  std::array<float, 6> values{};
  for (std::size_t i = 0; i < texts_.size(); ++i) {
    values[i] = static_cast<float>(TextValue(texts_[i]->text()));
    if (!std::isfinite(values[i])) {
      dialogs_.Report("Note", "A number is too large.", MessageIcon::Exclamation);
      return;
    }
  }
  const std::array<float*, 6> bounds = Bounds(values_);
  for (std::size_t i = 0; i < bounds.size(); ++i) {
    *bounds[i] = values[i];
  }
  accept();
}

void ViewSettingsDialog::Command2_Click() {
  reject();
}

}  // namespace quillon
