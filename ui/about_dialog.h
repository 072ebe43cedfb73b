// AboutDialog, the About box: the product name, its version, the home page (a
// click opens it) and the disclaimer.
#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace quillon {

class WindowDialogs;

class AboutDialog : public QDialog {
  Q_OBJECT

 public:
  explicit AboutDialog(WindowDialogs& dialogs, QWidget* parent = nullptr);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private slots:
  void openHomePage();

 private:
  WindowDialogs& dialogs_;

  QLabel* titleLabel_ = nullptr;
  QLabel* versionLabel_ = nullptr;
  QFrame* separatorLine_ = nullptr;
  QLabel* homePageLabel_ = nullptr;
  QLabel* disclaimerLabel_ = nullptr;
  QPushButton* okButton_ = nullptr;
};

}  // namespace quillon
