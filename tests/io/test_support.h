// Helpers of the io tests: dialogs that answer from queues and record what
// they were told, a temporary folder, file bytes, and curves as the
// Properties dialog makes them.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
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

using Names = std::vector<std::string>;

// Replies come from queues (an empty queue cancels); long work runs at once
// unless cancelLongWork.
class FakeDialogs : public DocumentDialogs {
 public:
  void Report(const std::string& title, const std::string& text, MessageIcon) override {
    told.push_back(title + ": " + text);
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
  bool RunLongWork(const std::string& label, const std::function<void()>& work) override {
    longWork.push_back(label);
    if (!cancelLongWork) {
      work();
    }
    return !cancelLongWork;
  }
  void ChooseFile(const std::string& path, std::int32_t filterIndex = 1) {
    fileChoices.push_back(FileChoice{path, filterIndex});
  }

  std::deque<FileChoice> fileChoices;
  std::deque<Answer> answers;
  bool cancelLongWork = false;
  Names told, fileDialogs, questions, written, longWork;

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

// A fresh temporary folder, removed with its files.
class TempFolder {
 public:
  TempFolder() {
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
  Names Sorted() const {
    Names names;
    for (const auto& entry : std::filesystem::directory_iterator(path_)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  std::string path_ = (std::filesystem::temp_directory_path() / "quillon-io-XXXXXX").string();
};

inline std::string ReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    throw std::runtime_error("cannot read " + path);
  }
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

inline std::string WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()))) {
    throw std::runtime_error("cannot write " + path);
  }
  return path;
}

inline std::string DataFile(const std::string& name) {
  return std::string(QUILLON_IO_TEST_DATA) + "/" + name;
}

// A graph file holding a short ASCII document text.
inline std::string GraphFileOf(const std::string& documentText) {
  const std::size_t length = documentText.size();
  return std::string("\x08\x00", 2) + static_cast<char>(length & 0xFF) +
         static_cast<char>((length >> 8) & 0xFF) + documentText;
}

inline std::string Join(const Names& tokens) {
  std::string text;
  for (const std::string& token : tokens) {
    text += (text.empty() ? "" : " ") + token;
  }
  return text;
}

// A red plane curve as the Properties dialog makes it: z over -2..2 in 8
// steps; funForm 2 explicit, 3 parametric with x = cos(u); coordType 2 polar.
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

inline void AddCurve(Document& document, const std::string& name, const std::string& z,
                     std::int32_t funForm = 2, std::int32_t coordType = 1) {
  ASSERT_TRUE(document.AddDialogGraph(MakeCurve(document, name, z, funForm, coordType)));
}

struct DialogsFirst {
  FakeDialogs dialogs;
};

// A document whose dialogs answer from queues; they are made before it and
// outlive it.
class TestDocument : public DialogsFirst, public Document {
 public:
  TestDocument() : Document(dialogs) {}
  Graph& GraphAt(std::int32_t position) { return *ListScene().Graphs().Item(position); }
  // Three graphs, the second unchecked, and settings away from their defaults.
  void Populate() {
    AddCurve(*this, "parabola", "x^2");
    AddCurve(*this, "circle", "sin(u)", 3);
    AddCurve(*this, "spiral", "a/2", 2, 2);
    SetChecked(1, false);
    MainAxis().width = 3;
    Values().AnimFrames = 12;
  }
};

// The IDs of ListScene, then of ShowScene, then the entries (+ checked, -
// not): "1 2 | 2 | -2D Curve  y=x; +2D Curve  r=a; ".
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

}  // namespace quillon::test
