// Helpers of the io tests: dialogs that answer from queues and record what
// they were told, a temporary folder, and file bytes.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "graph/graph_record.h"
#include "io/document.h"

namespace quillon::test {

struct ToldMessage {
  std::string title;
  std::string text;
};

class FakeDialogs : public DocumentDialogs {
 public:
  void Report(const std::string& title, const std::string& text, MessageIcon) override {
    told.push_back({title, text});
  }
  std::optional<FileChoice> AskFileName(FileDialogMode mode, const std::string& title,
                                        const std::string& filter) override {
    fileDialogs.push_back(title + " [" + filter + "]" +
                          (mode == FileDialogMode::Open ? " open" : " save"));
    if (fileChoices.empty()) {
      return std::nullopt;
    }
    std::optional<FileChoice> choice = fileChoices.front();
    fileChoices.pop_front();
    return choice;
  }
  Answer Ask(const std::string& title, const std::string& text, MessageIcon,
             QuestionButtons) override {
    questions.push_back(title + ": " + text);
    if (answers.empty()) {
      return Answer::Cancel;
    }
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void GraphFileWritten(const std::string& path) override { written.push_back(path); }

  // Queued replies; a dialog with an empty queue is cancelled.
  std::deque<std::optional<FileChoice>> fileChoices;
  std::deque<Answer> answers;
  // What happened.
  std::vector<ToldMessage> told;
  std::vector<std::string> fileDialogs;
  std::vector<std::string> questions;
  std::vector<std::string> written;

  void ChooseFile(const std::string& path, std::int32_t filterIndex = 1) {
    fileChoices.push_back(FileChoice{path, filterIndex});
  }
};

// A fresh folder under the system's temporary folder, removed with its files.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  // Names of the files in the folder, sorted.
  std::vector<std::string> Names() const;

 private:
  std::string path_;
};

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
// A graph file holding the document text (Windows-1252 of plain ASCII).
std::string GraphFileOf(const std::string& documentText);
// A test data file of tests/io/data.
std::string DataFile(const std::string& name);
// Tokens joined by single blanks.
std::string Join(const std::vector<std::string>& tokens);

// A plane curve as the Properties dialog makes it: y = z over -2..2 in 8
// steps (funForm 2), or x = cos(u), y = z (funForm 3); polar with coordType 2.
std::shared_ptr<Cls9> MakeCurve(Document& document, const std::string& name, const std::string& z,
                                std::int32_t funForm = 2, std::int32_t coordType = 1);
// Adds a graph as the Properties dialog and the Draw command do: it joins
// both scenes, is sampled and gets its checked entry.
void AddCurve(Document& document, const std::shared_ptr<Cls9>& graph);

}  // namespace quillon::test
