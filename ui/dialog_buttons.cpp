#include "ui/dialog_buttons.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

#include "ui/window_texts.h"
namespace quillon {

QHBoxLayout* OkCancelRow(QDialog* dialog, QPushButton*& ok, QPushButton*& cancel) {
  ok = new QPushButton(texts::kOk, dialog);
  ok->setObjectName(QStringLiteral("okButton"));
  ok->setDefault(true);
  cancel = new QPushButton(texts::kCancel, dialog);
  cancel->setObjectName(QStringLiteral("cancelButton"));
  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(ok);
  row->addWidget(cancel);
  return row;
}

}  // namespace quillon
