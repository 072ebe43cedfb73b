// ExpressionCompiler: compiles an expression text into postfix tokens
// (InfixToPostfix), which CompiledExpression evaluates. Names are matched
// without regard to case: the 30 functions (SQRT and LN are SQR and LOG),
// the variables U V X Y A R B T, and the constants PI and E, written as the
// tokens "PI" and "E".
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace quillon {

class Reporter;

// Where a syntax error was found, as characters [first, first + length) of
// the compiled text (0-based, in bytes): the token the compiler could not
// take (a whole name or number, otherwise one character), or an empty place
// at the end when the text ends too early.
struct SyntaxFault {
  std::size_t first = 0;
  std::size_t length = 0;
};

class ExpressionCompiler {
 public:
  // The reporter, when there is one, receives each syntax message (title
  // "Syntax Error", critical icon).
  explicit ExpressionCompiler(Reporter* reporter = nullptr) : reporter_(reporter) {}
  ExpressionCompiler(const ExpressionCompiler&) = delete;
  ExpressionCompiler& operator=(const ExpressionCompiler&) = delete;

  // Appends the postfix tokens of sExpression, each followed by one blank, to
  // sBuffer. Returns 0 on success; on the first syntax error reports
  // "Character P:  message" and returns a nonzero value (P, or a nonzero
  // stand-in when P is 0). Tokens written before the error stay in sBuffer.
  std::int32_t InfixToPostfix(const std::string& sExpression, std::string& sBuffer);
  // The place of the fault of the last InfixToPostfix that failed; nothing
  // when the last one succeeded or none ran.
  std::optional<SyntaxFault> LastFault() const { return lastFault_; }

 private:
  Reporter* reporter_;
  std::optional<SyntaxFault> lastFault_;
};

}  // namespace quillon
