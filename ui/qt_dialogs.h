// The window's dialogs as the user sees them: QMessageBox with the program's
// texts, titles and icons, QFileDialog, QColorDialog, QPrintDialog, modal exec
// and the desktop's opener.
#pragma once

#include <QMessageBox>
#include <QPointer>
#include <QStringList>

#include "ui/window_dialogs.h"

namespace quillon {

// The Qt name filters of a filter text that alternates descriptions and
// patterns ("*.pgp|*.pgp|*.bmp|*.bmp"): "*.pgp (*.pgp)", "*.bmp (*.bmp)". A
// description that already ends with its pattern in brackets ("(*.pgp)") is
// kept as it stands.
QStringList QtNameFilters(const std::string& filter);

// The extension a Qt name filter of one pattern gives a file name typed
// without one: "pgp" for "*.pgp (*.pgp)"; "" for "All (*)".
QString DefaultSuffix(const QString& nameFilter);

// Critical stays critical, the exclamation mark is Qt's warning.
QMessageBox::Icon MessageBoxIcon(MessageIcon icon);

class QtDialogs : public WindowDialogs {
 public:
  // Message boxes and dialogs are centred on parent (may be null).
  void Parent(QWidget* parent) { parent_ = parent; }

  void Report(const std::string& title, const std::string& text, MessageIcon icon) override;
  Answer Ask(const std::string& title, const std::string& text, MessageIcon icon,
             QuestionButtons buttons) override;
  std::optional<FileChoice> AskFileName(FileDialogMode mode, const std::string& title,
                                        const std::string& filter) override;
  std::optional<std::int32_t> ChooseColor(std::int32_t current, QWidget* parent) override;
  int ShowModal(QDialog& dialog) override;
  bool OpenUrl(const QUrl& url) override;
  bool AskPrinter(QPrinter& printer) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace quillon
