// The channel through which the model tells the user something (a syntax
// error, a refused file). The window shows a message box, the batch mode
// writes one line to standard error; the model never depends on either.
#pragma once

#include <string>

namespace quillon {

enum class MessageIcon { Critical, Exclamation, Information, Question };

class Reporter {
 public:
  virtual ~Reporter() = default;
  virtual void Report(const std::string& title, const std::string& text, MessageIcon icon) = 0;
};

}  // namespace quillon
