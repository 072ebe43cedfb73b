// HelpWindow: the help page shown inside Quillon, so that help works where
// no web browser is installed. Links within the page and to other local
// pages are followed in the window; web and mail addresses go to the
// desktop, which is told when nothing can open them.
#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;
class QUrl;

namespace quillon {

class WindowDialogs;

class HelpWindow : public QWidget {
  Q_OBJECT

 public:
  // A window of its own that closes with parent.
  HelpWindow(WindowDialogs& dialogs, QWidget* parent);

  // Shows the page of the file at path from its top. False, and the window
  // unchanged, when the file cannot be read.
  bool Open(const QString& path);

 private slots:
  void linkClicked(const QUrl& url);

 private:
  WindowDialogs& dialogs_;
  QTextBrowser* browser_ = nullptr;
};

}  // namespace quillon
