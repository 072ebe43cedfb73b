#include "ui/axis_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

#include "expr/number_text.h"
#include "scene/axis.h"
#include "ui/color_box.h"
#include "ui/dialog_buttons.h"
#include "ui/dialog_text.h"
#include "ui/window_dialogs.h"
#include "ui/window_texts.h"

namespace quillon {

AxisDialog::AxisDialog(Axis& axis, WindowDialogs& dialogs, QWidget* parent)
    : QDialog(parent), axis_(axis), dialogs_(dialogs) {
  setObjectName(QStringLiteral("AxisDialog"));
  setWindowTitle(texts::kAxisPropertiesTitle);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  tabs_ = new QTabWidget(this);
  tabs_->setObjectName(QStringLiteral("tabs"));

  auto* general = new QWidget;
  showAxisCheck_ = new QCheckBox(texts::kShowAxis, general);
  showAxisCheck_->setObjectName(QStringLiteral("showAxisCheck"));
  auto* generalLayout = new QVBoxLayout(general);
  generalLayout->addWidget(showAxisCheck_);
  generalLayout->addStretch();

  auto* line = new QWidget;
  colorLabel_ = new QLabel(texts::kColorCaption, line);
  colorLabel_->setObjectName(QStringLiteral("colorLabel"));
  colorBox_ = new ColorBox(line);
  colorBox_->setObjectName(QStringLiteral("colorBox"));
  connect(colorBox_, &ColorBox::clicked, this, &AxisDialog::onColorClicked);
  widthLabel_ = new QLabel(texts::kWidthCaption, line);
  widthLabel_->setObjectName(QStringLiteral("widthLabel"));
  widthCombo_ = new QComboBox(line);
  widthCombo_->setObjectName(QStringLiteral("widthCombo"));
  auto* lineLayout = new QGridLayout(line);
  lineLayout->addWidget(colorLabel_, 0, 0);
  lineLayout->addWidget(colorBox_, 0, 1, Qt::AlignLeft);
  lineLayout->addWidget(widthLabel_, 1, 0);
  lineLayout->addWidget(widthCombo_, 1, 1, Qt::AlignLeft);
  lineLayout->setRowStretch(2, 1);
  lineLayout->setColumnStretch(1, 1);

  auto* fonts = new QWidget;
  betterFontsCheck_ = new QCheckBox(texts::kBetterFonts, fonts);
  betterFontsCheck_->setObjectName(QStringLiteral("betterFontsCheck"));
  auto* fontsLayout = new QVBoxLayout(fonts);
  fontsLayout->addWidget(betterFontsCheck_);
  fontsLayout->addStretch();

  tabs_->addTab(general, texts::kGeneralTab);
  tabs_->addTab(line, texts::kLineTab);
  tabs_->addTab(fonts, texts::kFontsTab);

  QHBoxLayout* buttons = OkCancelRow(this, okButton_, cancelButton_);
  connect(okButton_, &QPushButton::clicked, this, &AxisDialog::accept);
  connect(cancelButton_, &QPushButton::clicked, this, &AxisDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_);
  layout->addLayout(buttons);
  setMinimumSize(300, 200);

  // The controls show the axis as it is.
  showAxisCheck_->setChecked(axis_.shown);
  betterFontsCheck_->setChecked(axis_.betterFonts);
  widthCombo_->clear();
  for (int width = 1; width <= kAxisWidths; ++width) {
    widthCombo_->addItem(QString::number(width));
  }
  widthCombo_->setCurrentIndex(std::clamp(axis_.width, 1, kAxisWidths) - 1);
  colorBox_->Color(axis_.color);
}

void AxisDialog::onColorClicked() {
  colorBox_->Choose(dialogs_);
}

void AxisDialog::accept() {
  axis_.shown = showAxisCheck_->isChecked();
  axis_.betterFonts = betterFontsCheck_->isChecked();
  axis_.color = colorBox_->Color();
  axis_.width = RoundHalfEven(TextValue(widthCombo_->currentText())).value_or(1);
  QDialog::accept();
}

}  // namespace quillon
