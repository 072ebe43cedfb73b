#include "test_support.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace quillon::test {

TempFolder::TempFolder() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base != nullptr ? base : "/tmp") + "/quillon-io-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) {
    throw std::runtime_error("cannot make a temporary folder");
  }
  path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::vector<std::string> TempFolder::Names() const {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(path_)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string ReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    throw std::runtime_error("cannot read " + path);
  }
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!file) {
    throw std::runtime_error("cannot write " + path);
  }
}

std::string GraphFileOf(const std::string& documentText) {
  std::string bytes = "\x08";
  bytes += '\0';
  bytes += static_cast<char>(documentText.size() & 0xFF);
  bytes += static_cast<char>((documentText.size() >> 8) & 0xFF);
  return bytes + documentText;
}

std::string DataFile(const std::string& name) {
  return std::string(QUILLON_IO_TEST_DATA) + "/" + name;
}

std::string Join(const std::vector<std::string>& tokens) {
  std::string text;
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    text += (i == 0 ? "" : " ") + tokens[i];
  }
  return text;
}

std::shared_ptr<Cls9> MakeCurve(Document& document, const std::string& name, const std::string& z,
                                std::int32_t funForm, std::int32_t coordType) {
  std::shared_ptr<Cls9> graph = document.MakeGraph();
  graph->NameS(name);
  graph->CoordType(coordType);
  graph->FunForm(funForm);
  graph->ExpressX("0");
  graph->ExpressY(funForm == 3 ? "cos(u)" : "0");
  graph->ExpressZ(z);
  graph->StepV(8);
  graph->MinV(-2);
  graph->MaxV(2);
  graph->LineWidth(2);
  graph->LineColor(255);
  return graph;
}

void AddCurve(Document& document, const std::shared_ptr<Cls9>& graph) {
  const std::int32_t before = document.ListScene().Graphs().Count();
  ASSERT_TRUE(document.AddDialogGraph(graph));
  ASSERT_TRUE(document.AppendNewGraphEntry(before));
}

}  // namespace quillon::test
