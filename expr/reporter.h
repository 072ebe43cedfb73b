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

// What a message quotes of a user's text (a name, a formula, a token): the
// text itself up to 60 characters; a longer one is cut after its 60th
// character, never inside a UTF-8 sequence, and ends with "…", so that a
// message stays a line or a small box whatever the text.
std::string MessageQuote(const std::string& text);

}  // namespace quillon
