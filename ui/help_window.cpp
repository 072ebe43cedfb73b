#include "ui/help_window.h"

#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "ui/window_dialogs.h"
#include "ui/window_texts.h"

namespace quillon {

namespace {

// Width and height of a new help window, in pixels.
constexpr int kHelpWidth = 820;
constexpr int kHelpHeight = 640;

}  // namespace

HelpWindow::HelpWindow(WindowDialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window), dialogs_(dialogs) {
  setObjectName(QStringLiteral("helpWindow"));
  setWindowTitle(texts::kHelpTitle);
  browser_ = new QTextBrowser(this);
  browser_->setObjectName(QStringLiteral("helpBrowser"));
  // Every link comes to linkClicked, which decides where it opens.
  browser_->setOpenLinks(false);
  connect(browser_, &QTextBrowser::anchorClicked, this, &HelpWindow::linkClicked);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(browser_);
  resize(kHelpWidth, kHelpHeight);
}

bool HelpWindow::Open(const QString& path) {
  const QFileInfo file(path);
  if (!file.isFile() || !file.isReadable()) {
    return false;
  }
  browser_->setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
  return true;
}

void HelpWindow::linkClicked(const QUrl& url) {
  const QUrl target = browser_->source().resolved(url);
  if (target.isLocalFile()) {
    browser_->setSource(target);
    return;
  }
  if (!dialogs_.OpenUrl(target)) {
    dialogs_.Report(texts::kErrorTitle, texts::AddressNotOpened(target.toString().toStdString()),
                    MessageIcon::Exclamation);
  }
}

}  // namespace quillon
