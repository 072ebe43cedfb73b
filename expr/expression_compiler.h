// ExpressionCompiler: compiles an expression text into postfix tokens
// (InfixToPostfix), which CompiledExpression evaluates.
#pragma once

#include <cstdint>
#include <string>

namespace quillon {

class Reporter;

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

 private:
  Reporter* reporter_;
};

}  // namespace quillon
