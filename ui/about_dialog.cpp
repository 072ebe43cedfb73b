#include "ui/about_dialog.h"

#include <QEvent>
#include <QFont>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "quillon/version.h"
#include "ui/window_dialogs.h"

namespace quillon {

AboutDialog::AboutDialog(WindowDialogs& dialogs, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs) {
  setObjectName(QStringLiteral("AboutDialog"));
  setWindowTitle(QStringLiteral("About Quillon"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  lblTitle = new QLabel(QStringLiteral("Quillon"), this);
  lblTitle->setObjectName(QStringLiteral("lblTitle"));
  // fontconfig stands a metric-compatible serif in for Times New Roman.
  QFont title(QStringLiteral("Times New Roman"), 24, QFont::Bold);
  lblTitle->setFont(title);

  Label2 = new QLabel(QStringLiteral("Version ") + QLatin1String(kVersion), this);
  Label2->setObjectName(QStringLiteral("Label2"));

  Line1 = new QFrame(this);
  Line1->setObjectName(QStringLiteral("Line1"));
  Line1->setFrameShape(QFrame::HLine);
  Line1->setFrameShadow(QFrame::Sunken);

  Label1 = new QLabel(QString::fromLatin1(kHomePage), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  QFont link = Label1->font();
  link.setUnderline(true);
  Label1->setFont(link);
  QPalette linkColors = Label1->palette();
  linkColors.setColor(QPalette::WindowText, linkColors.color(QPalette::Link));
  Label1->setPalette(linkColors);
  Label1->setCursor(Qt::PointingHandCursor);
  Label1->installEventFilter(this);

  lblDisclaimer = new QLabel(
      QStringLiteral("Quillon is provided \"as is\", without warranty of any kind, express or "
                     "implied. Check every plot that you rely on: the program samples each "
                     "function at a finite number of points and may miss what happens "
                     "between them."),
      this);
  lblDisclaimer->setObjectName(QStringLiteral("lblDisclaimer"));
  lblDisclaimer->setWordWrap(true);

  cmdOK = new QPushButton(QStringLiteral("O K"), this);
  cmdOK->setObjectName(QStringLiteral("cmdOK"));
  cmdOK->setDefault(true);
  connect(cmdOK, &QPushButton::clicked, this, &AboutDialog::cmdOK_Click);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cmdOK);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblTitle);
  layout->addWidget(Label2);
  layout->addWidget(Line1);
  layout->addWidget(Label1);
  layout->addWidget(lblDisclaimer);
  layout->addLayout(buttons);
  setFixedWidth(380);
}

bool AboutDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Label1 && event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    Label1_Click();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void AboutDialog::cmdOK_Click() {
  accept();
}

void AboutDialog::Label1_Click() {
  dialogs_.OpenUrl(QUrl(QString::fromLatin1(kHomePage)));
}

}  // namespace quillon
