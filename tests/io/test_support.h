// Helpers of the io tests: dialogs that answer from queues and record what
// they were told, a temporary folder, file bytes, and curves as the
// Properties dialog makes them.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "graph/graph.h"
#include "io/document.h"
#include "scene/scene.h"

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
    return Next(fileChoices);
  }
  Answer Ask(const std::string& title, const std::string& text, MessageIcon,
             QuestionButtons) override {
    questions.push_back(title + ": " + text);
    return Next(answers).value_or(Answer::Cancel);
  }
  void GraphFileWritten(const std::string& path) override { written.push_back(path); }
  // Long work runs here, or is cancelled before it starts when
  // cancelLongWork is set.
  bool RunLongWork(const std::string& label, const std::function<void()>& work) override {
    longWork.push_back(label);
    if (cancelLongWork) {
      return false;
    }
    work();
    return true;
  }
  void ChooseFile(const std::string& path, std::int32_t filterIndex = 1) {
    fileChoices.push_back(FileChoice{path, filterIndex});
  }

  // Queued replies; a dialog with an empty queue is cancelled.
  std::deque<FileChoice> fileChoices;
  std::deque<Answer> answers;
  bool cancelLongWork = false;
  // What happened.
  std::vector<ToldMessage> told;
  std::vector<std::string> fileDialogs;
  std::vector<std::string> questions;
  std::vector<std::string> written;
  std::vector<std::string> longWork;

 private:
  template <typename Reply>
  static std::optional<Reply> Next(std::deque<Reply>& queue) {
    if (queue.empty()) {
      return std::nullopt;
    }
    const Reply reply = queue.front();
    queue.pop_front();
    return reply;
  }
};

// A fresh folder under the system's temporary folder, removed with its files.
class TempFolder {
 public:
  TempFolder() {
    const char* base = std::getenv("TMPDIR");
    path_ = std::string(base != nullptr ? base : "/tmp") + "/quillon-io-XXXXXX";
    if (::mkdtemp(path_.data()) == nullptr) {
      throw std::runtime_error("cannot make a temporary folder");
    }
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  // Names of the files in the folder, sorted.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  std::string path_;
};

inline std::string ReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    throw std::runtime_error("cannot read " + path);
  }
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!file) {
    throw std::runtime_error("cannot write " + path);
  }
}

// A graph file holding the document text (Windows-1252 of plain ASCII).
inline std::string GraphFileOf(const std::string& documentText) {
  const std::size_t length = documentText.size();
  return std::string("\x08\x00", 2) + static_cast<char>(length & 0xFF) +
         static_cast<char>((length >> 8) & 0xFF) + documentText;
}

// Tokens joined by single blanks.
inline std::string Join(const std::vector<std::string>& tokens) {
  std::string text;
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    text += (i == 0 ? "" : " ") + tokens[i];
  }
  return text;
}

// A plane curve as the Properties dialog makes it: y = z over -2..2 in 8
// steps (funForm 2), or x = cos(u), y = z (funForm 3); polar with coordType 2.
inline std::shared_ptr<Graph> MakeCurve(Document& document, const std::string& name,
                                        const std::string& z, std::int32_t funForm = 2,
                                        std::int32_t coordType = 1) {
  std::shared_ptr<Graph> graph = document.MakeGraph();
  graph->name = name;
  graph->coordinates = static_cast<CoordinateSystem>(coordType);
  graph->form = static_cast<FunctionForm>(funForm);
  graph->expressionX = "0";
  graph->expressionY = graph->form == FunctionForm::Parametric ? "cos(u)" : "0";
  graph->expressionZ = z;
  graph->stepsV = 8;
  graph->minV = -2;
  graph->maxV = 2;
  graph->lineWidth = 2;
  graph->lineColor = 255;
  return graph;
}

// The IDs of ListScene, then of ShowScene, then the entries (+ checked, -
// not) as one text: "1 2 | 2 | -2D Curve  y=x; +2D Curve  r=a; ".
inline std::string Lists(const Document& document) {
  std::string text;
  for (const Scene* scene : {&document.ListScene(), &document.ShowScene()}) {
    for (std::int32_t position = 1; position <= scene->Graphs().Count(); ++position) {
      text += std::to_string(scene->Graphs().Item(position)->id) + " ";
    }
    text += "| ";
  }
  for (const GraphListEntry& entry : document.Entries()) {
    text += (entry.checked ? "+" : "-") + entry.text + "; ";
  }
  return text;
}

// Adds a graph as the Properties dialog does: it is sampled and joins both
// scenes with its checked entry.
inline void AddCurve(Document& document, const std::shared_ptr<Graph>& graph) {
  ASSERT_TRUE(document.AddDialogGraph(graph));
}

}  // namespace quillon::test
