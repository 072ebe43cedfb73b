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
#include "ui/window_texts.h"

namespace quillon {

AboutDialog::AboutDialog(WindowDialogs& dialogs, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs) {
  setObjectName(QStringLiteral("AboutDialog"));
  setWindowTitle(texts::kAboutTitle);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  titleLabel_ = new QLabel(texts::kProgramName, this);
  titleLabel_->setObjectName(QStringLiteral("titleLabel"));
  // fontconfig stands a metric-compatible serif in for Times New Roman.
  QFont title(QStringLiteral("Times New Roman"), 24, QFont::Bold);
  titleLabel_->setFont(title);

  versionLabel_ = new QLabel(texts::kVersionCaption + QLatin1String(kVersion), this);
  versionLabel_->setObjectName(QStringLiteral("versionLabel"));

  separatorLine_ = new QFrame(this);
  separatorLine_->setObjectName(QStringLiteral("separatorLine"));
  separatorLine_->setFrameShape(QFrame::HLine);
  separatorLine_->setFrameShadow(QFrame::Sunken);

  homePageLabel_ = new QLabel(QString::fromLatin1(texts::kHomePage), this);
  homePageLabel_->setObjectName(QStringLiteral("homePageLabel"));
  QFont link = homePageLabel_->font();
  link.setUnderline(true);
  homePageLabel_->setFont(link);
  QPalette linkColors = homePageLabel_->palette();
  linkColors.setColor(QPalette::WindowText, linkColors.color(QPalette::Link));
  homePageLabel_->setPalette(linkColors);
  homePageLabel_->setCursor(Qt::PointingHandCursor);
  homePageLabel_->installEventFilter(this);

  disclaimerLabel_ = new QLabel(texts::kDisclaimer, this);
  disclaimerLabel_->setObjectName(QStringLiteral("disclaimerLabel"));
  disclaimerLabel_->setWordWrap(true);

  okButton_ = new QPushButton(texts::kAboutOk, this);
  okButton_->setObjectName(QStringLiteral("okButton"));
  okButton_->setDefault(true);
  connect(okButton_, &QPushButton::clicked, this, &AboutDialog::accept);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(okButton_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(titleLabel_);
  layout->addWidget(versionLabel_);
  layout->addWidget(separatorLine_);
  layout->addWidget(homePageLabel_);
  layout->addWidget(disclaimerLabel_);
  layout->addLayout(buttons);
  setFixedWidth(380);
}

bool AboutDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == homePageLabel_ && event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    openHomePage();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void AboutDialog::openHomePage() {
  if (!dialogs_.OpenUrl(QUrl(QString::fromLatin1(texts::kHomePage)))) {
    dialogs_.Report(texts::kErrorTitle, texts::AddressNotOpened(texts::kHomePage),
                    MessageIcon::Exclamation);
  }
}

}  // namespace quillon
