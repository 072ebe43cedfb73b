// What the window asks of the user and of the desktop: message boxes and
// questions, file names, colours, modal dialogs, waiting for long work and
// opening an address. The program answers with Qt's dialogs (QtDialogs);
// tests answer from a script, so every command runs through the real window
// without a person at it.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "io/document.h"

class QDialog;
class QPrinter;
class QUrl;
class QWidget;

namespace quillon {

class WindowDialogs : public DocumentDialogs {
 public:
  // The colour chooser, opened on the current colour; nothing when the user
  // cancels. Colours are 32-bit values with red in bits 0..7, green 8..15,
  // blue 16..23.
  virtual std::optional<std::int32_t> ChooseColor(std::int32_t current, QWidget* parent) = 0;
  // Runs a modal dialog until it is accepted or rejected; QDialog's result.
  virtual int ShowModal(QDialog& dialog) = 0;
  // Hands a file or web address to the desktop. False when nothing on the
  // desktop could open it.
  virtual bool OpenUrl(const QUrl& url) = 0;
  // The print dialog: the user picks a printer or a PDF file for this
  // printer. False when the user cancels.
  virtual bool AskPrinter(QPrinter& printer) = 0;
  // Long work runs on a thread of its own with a progress dialog over the
  // active window (RunWithProgress).
  bool RunLongWork(const std::string& label, const std::function<void()>& work) override;
};

}  // namespace quillon
