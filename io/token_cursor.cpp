#include "io/token_cursor.h"

#include <optional>

#include "expr/reporter.h"
#include "io/field_text.h"
#include "io/io_error.h"

namespace quillon {

std::vector<std::string> SplitTokens(const std::string& text) {
  std::vector<std::string> tokens;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t blank = text.find(' ', start);
    if (blank == std::string::npos) {
      tokens.push_back(text.substr(start));
      break;
    }
    tokens.push_back(text.substr(start, blank - start));
    start = blank + 1;
  }
  return tokens;
}

const std::string& TokenCursor::Token(std::size_t n) const {
  static const std::string empty;
  return n >= 1 && n <= tokens_.size() ? tokens_[n - 1] : empty;
}

const std::string& TokenCursor::Next() {
  ++position_;
  return Token(position_);
}

std::int32_t TokenCursor::NextInteger(const char* field) {
  const std::optional<std::int32_t> value = IntegerFieldValue(Next());
  if (!value) {
    Refuse(field, "is not a number within the 32-bit integer range.");
  }
  return *value;
}

std::int32_t TokenCursor::NextStrictInteger(const char* field) {
  const std::optional<std::int32_t> value = StrictIntegerFieldValue(Next());
  if (!value) {
    Refuse(field, "is not a whole number within the 32-bit integer range.");
  }
  return *value;
}

float TokenCursor::NextNumber(const char* field) {
  const std::optional<float> value = NumberFieldValue(Next());
  if (!value) {
    Refuse(field, "is beyond the range of single-precision numbers.");
  }
  return *value;
}

bool TokenCursor::NextFlag() {
  return FlagFieldValue(Next());
}

std::string TokenCursor::NextText() {
  return TextFieldValue(Next());
}

void TokenCursor::Refuse(const char* field, const std::string& why) const {
  throw IoError(std::string("The field ") + field + " (token " + std::to_string(position_) +
                ", \"" + MessageQuote(TextFieldValue(Token(position_))) + "\") " + why);
}

}  // namespace quillon
