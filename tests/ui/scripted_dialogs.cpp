#include "scripted_dialogs.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QPrinter>

namespace quillon::testing {

void ScriptedDialogs::Report(const std::string& title, const std::string& text, MessageIcon icon) {
  reports.push_back({title, text, icon});
}

Answer ScriptedDialogs::Ask(const std::string& title, const std::string& text, MessageIcon icon,
                            QuestionButtons buttons) {
  questions.push_back({title, text, icon, buttons});
  if (answers.empty()) {
    ADD_FAILURE() << "unexpected question: " << text;
    return buttons == QuestionButtons::YesNoCancel ? Answer::Cancel : Answer::No;
  }
  const Answer answer = answers.front();
  answers.pop_front();
  return answer;
}

std::optional<FileChoice> ScriptedDialogs::AskFileName(FileDialogMode mode,
                                                       const std::string& title,
                                                       const std::string& filter) {
  fileRequests.push_back({mode, title, filter});
  if (fileChoices.empty()) {
    ADD_FAILURE() << "unexpected file dialog: " << title;
    return std::nullopt;
  }
  std::optional<FileChoice> choice = fileChoices.front();
  fileChoices.pop_front();
  return choice;
}

std::optional<std::int32_t> ScriptedDialogs::ChooseColor(QWidget* /*parent*/) {
  if (colors.empty()) {
    ADD_FAILURE() << "unexpected colour dialog";
    return std::nullopt;
  }
  const std::optional<std::int32_t> color = colors.front();
  colors.pop_front();
  return color;
}

int ScriptedDialogs::ShowModal(QDialog& dialog) {
  shownDialogs.push_back(dialog.objectName().toStdString());
  if (scripts.empty()) {
    ADD_FAILURE() << "unexpected dialog " << dialog.objectName().toStdString();
    return QDialog::Rejected;
  }
  const DialogScript script = scripts.front();
  scripts.pop_front();
  dialog.show();
  QCoreApplication::processEvents();
  script(dialog);
  if (dialog.isVisible()) {
    leftOpen.push_back(dialog.objectName().toStdString());
    dialog.reject();
  }
  return dialog.result();
}

void ScriptedDialogs::OpenUrl(const QUrl& url) {
  openedUrls.push_back(url);
}

bool ScriptedDialogs::AskPrinter(QPrinter& printer) {
  ++printDialogs;
  if (printFiles.empty()) {
    ADD_FAILURE() << "unexpected print dialog";
    return false;
  }
  const std::optional<std::string> file = printFiles.front();
  printFiles.pop_front();
  if (!file) {
    return false;
  }
  // What "Print to File (PDF)" sets.
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString(*file));
  return true;
}

}  // namespace quillon::testing
