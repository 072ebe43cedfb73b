// Arbitrary bytes as a graph file, opened as the batch mode opens it and
// drawn into a small off-screen picture zoomed to fit. Opening, sampling and
// drawing must never crash or hang: libFuzzer's -timeout finds a drawing
// that does not end as the reader target finds parse faults. Also built
// without libFuzzer (replay_inputs.cpp), so that the tests draw the seeds.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <optional>
#include <string>

#include "io/batch.h"
#include "io/document.h"
#include "scene/offscreen_context.h"

namespace {

using namespace quillon;

// Messages go nowhere, questions are answered No: nothing waits for a user.
class SilentDialogs : public DocumentDialogs {
 public:
  void Report(const std::string&, const std::string&, MessageIcon) override {}
  std::optional<FileChoice> AskFileName(FileDialogMode, const std::string&,
                                        const std::string&) override {
    return std::nullopt;
  }
  Answer Ask(const std::string&, const std::string&, MessageIcon, QuestionButtons) override {
    return Answer::No;
  }
};

// This process's file for the input, removed at exit: documents open files.
class InputFile {
 public:
  InputFile() {
    const int descriptor = ::mkstemp(path_.data());
    if (descriptor < 0) {
      std::abort();
    }
    ::close(descriptor);
  }
  ~InputFile() { ::unlink(path_.c_str()); }
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  const std::string& Write(const std::uint8_t* data, std::size_t size) const {
    std::ofstream file(path_, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!file) {
      std::abort();
    }
    return path_;
  }

 private:
  std::string path_ = "/tmp/quillon-fuzz-drawing-XXXXXX";
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const InputFile input;
  SilentDialogs dialogs;
  Document document(dialogs);
  if (document.OpenGraphFile(input.Write(data, size)) != OpenResult::Opened) {
    return 0;
  }
  try {
    DrawDocument(document, 64, 48, true);
  } catch (const OffscreenError&) {
    std::abort();  // no picture can be drawn on this machine: nothing is tested
  } catch (const std::exception&) {
    // Told to the user as "The picture could not be drawn".
  }
  return 0;
}
