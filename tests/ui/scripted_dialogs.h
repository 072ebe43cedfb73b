// The answers a test gives in place of a person: message boxes are
// recorded, questions, file names and colours come from queues, and modal
// dialogs run a script that fills them in and presses their buttons. An
// unexpected question or dialog fails the test and is cancelled.
#pragma once

#include <QDialog>
#include <QUrl>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/window_dialogs.h"

namespace quillon::testing {

struct Message {
  std::string title;
  std::string text;
  MessageIcon icon;
};

struct Question {
  std::string title;
  std::string text;
  MessageIcon icon;
  QuestionButtons buttons;
};

struct FileRequest {
  FileDialogMode mode;
  std::string title;
  std::string filter;
};

using DialogScript = std::function<void(QDialog&)>;

class ScriptedDialogs : public WindowDialogs {
 public:
  std::vector<Message> reports;
  std::vector<Question> questions;
  std::deque<Answer> answers;
  std::vector<FileRequest> fileRequests;
  std::deque<std::optional<FileChoice>> fileChoices;
  std::deque<std::optional<std::int32_t>> colors;
  std::deque<DialogScript> scripts;
  // Object names of the dialogs shown, and of those a script left open
  // (they are then rejected, as Cancel would).
  std::vector<std::string> shownDialogs;
  std::vector<std::string> leftOpen;
  std::vector<QUrl> openedUrls;
  // Print dialogs: each answers with a PDF file to print to, or cancels
  // (nothing); one more counted for every dialog shown.
  std::deque<std::optional<std::string>> printFiles;
  int printDialogs = 0;

  void Report(const std::string& title, const std::string& text, MessageIcon icon) override;
  Answer Ask(const std::string& title, const std::string& text, MessageIcon icon,
             QuestionButtons buttons) override;
  std::optional<FileChoice> AskFileName(FileDialogMode mode, const std::string& title,
                                        const std::string& filter) override;
  std::optional<std::int32_t> ChooseColor(QWidget* parent) override;
  int ShowModal(QDialog& dialog) override;
  void OpenUrl(const QUrl& url) override;
  bool AskPrinter(QPrinter& printer) override;
};

}  // namespace quillon::testing
