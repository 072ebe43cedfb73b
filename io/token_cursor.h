// The tokens of a document or clipboard text and a read position over them.
// Reading past the last token yields empty tokens, so a text that ends early
// reads its missing fields as "", 0 or false; RanOut then tells that it did.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace quillon {

// Splits text at every blank (character 32): two blanks in a row make an
// empty token; a blank at the very end adds none. An empty text has no token.
std::vector<std::string> SplitTokens(const std::string& text);

class TokenCursor {
 public:
  explicit TokenCursor(std::vector<std::string> tokens) : tokens_(std::move(tokens)) {}

  std::size_t TokenCount() const { return tokens_.size(); }
  // Token number n (1-based); "" for n outside 1..TokenCount().
  const std::string& Token(std::size_t n) const;
  // The number of the last token consumed (0 before the first).
  std::size_t Position() const { return position_; }
  void Position(std::size_t position) { position_ = position; }
  // The next token, not consumed.
  const std::string& Peek() const { return Token(position_ + 1); }
  // Whether a token past the last one was consumed: the text ended before
  // the fields read so far.
  bool RanOut() const { return position_ > tokens_.size(); }

  // Each reader consumes one token. `field` names it in the error, an
  // IoError, thrown when the value does not fit the field.
  const std::string& Next();
  std::int32_t NextInteger(const char* field);
  // Only a token that is one whole decimal number.
  std::int32_t NextStrictInteger(const char* field);
  float NextNumber(const char* field);
  bool NextFlag();
  std::string NextText();

  // Throws an IoError that names the field, the last token consumed and its
  // text, followed by `why`.
  [[noreturn]] void Refuse(const char* field, const std::string& why) const;

 private:
  std::vector<std::string> tokens_;
  std::size_t position_ = 0;
};

}  // namespace quillon
