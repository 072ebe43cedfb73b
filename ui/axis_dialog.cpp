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

namespace quillon {

AxisDialog::AxisDialog(Axis& axis, WindowDialogs& dialogs, QWidget* parent)
    : QDialog(parent), axis_(axis), dialogs_(dialogs) {
  setObjectName(QStringLiteral("AxisDialog"));
  setWindowTitle(QStringLiteral("Axis Properties"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  SSTab1 = new QTabWidget(this);
  SSTab1->setObjectName(QStringLiteral("SSTab1"));

  auto* general = new QWidget;
  Check1 = new QCheckBox(QStringLiteral("Show Axis"), general);
  Check1->setObjectName(QStringLiteral("Check1"));
  auto* generalLayout = new QVBoxLayout(general);
  generalLayout->addWidget(Check1);
  generalLayout->addStretch();

  auto* line = new QWidget;
  Label1 = new QLabel(QStringLiteral("Color"), line);
  Label1->setObjectName(QStringLiteral("Label1"));
  Picture1 = new ColorBox(line);
  Picture1->setObjectName(QStringLiteral("Picture1"));
  connect(Picture1, &ColorBox::clicked, this, &AxisDialog::Picture1_Click);
  Label2 = new QLabel(QStringLiteral("Width"), line);
  Label2->setObjectName(QStringLiteral("Label2"));
  Combo1 = new QComboBox(line);
  Combo1->setObjectName(QStringLiteral("Combo1"));
  auto* lineLayout = new QGridLayout(line);
  lineLayout->addWidget(Label1, 0, 0);
  lineLayout->addWidget(Picture1, 0, 1, Qt::AlignLeft);
  lineLayout->addWidget(Label2, 1, 0);
  lineLayout->addWidget(Combo1, 1, 1, Qt::AlignLeft);
  lineLayout->setRowStretch(2, 1);
  lineLayout->setColumnStretch(1, 1);

  auto* fonts = new QWidget;
  Check2 = new QCheckBox(QStringLiteral("Better Fonts"), fonts);
  Check2->setObjectName(QStringLiteral("Check2"));
  auto* fontsLayout = new QVBoxLayout(fonts);
  fontsLayout->addWidget(Check2);
  fontsLayout->addStretch();

  SSTab1->addTab(general, QStringLiteral("General"));
  SSTab1->addTab(line, QStringLiteral("Line"));
  SSTab1->addTab(fonts, QStringLiteral("Fonts"));

  QHBoxLayout* buttons = OkCancelRow(this, Command1, Command2);
  connect(Command1, &QPushButton::clicked, this, &AxisDialog::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &AxisDialog::Command2_Click);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(SSTab1);
  layout->addLayout(buttons);
  setMinimumSize(300, 200);

  // Load
  Check1->setChecked(axis_.shown);
  Check2->setChecked(axis_.betterFonts);
  Combo1->clear();
  for (int width = 1; width <= kAxisWidths; ++width) {
    Combo1->addItem(QString::number(width));
  }
  Combo1->setCurrentIndex(std::clamp(axis_.width, 1, kAxisWidths) - 1);
  Picture1->Color(axis_.color);
}

void AxisDialog::Picture1_Click() {
  Picture1->Choose(dialogs_);
}

void AxisDialog::Command1_Click() {
  axis_.shown = Check1->isChecked();
  axis_.betterFonts = Check2->isChecked();
  axis_.color = Picture1->Color();
  axis_.width = RoundHalfEven(TextValue(Combo1->currentText())).value_or(1);
  accept();
}

void AxisDialog::Command2_Click() {
  reject();
}

}  // namespace quillon
