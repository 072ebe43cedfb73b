// ExpressionCompiler: compiles an expression text into postfix tokens (InfixToPostfix) and
// evaluates a postfix text for given variable values (DoEvaluate).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace quillon {

class RandomGenerator;
class Reporter;

class ExpressionCompiler {
 public:
  // The reporter receives each syntax message (title "Syntax Error", critical
  // icon); the generator serves RND. Either may be null: messages are then
  // only kept in LastMessage(), and RND uses a generator of this object's own.
  explicit ExpressionCompiler(Reporter* reporter = nullptr, RandomGenerator* random = nullptr);
  ~ExpressionCompiler();
  ExpressionCompiler(const ExpressionCompiler&) = delete;
  ExpressionCompiler& operator=(const ExpressionCompiler&) = delete;

  // Appends the postfix tokens of sExpression, each followed by one blank, to
  // sBuffer. Returns 0 on success; on the first syntax error reports
  // "Character P:  message" and returns a nonzero value (P, or a nonzero
  // stand-in when P is 0). Tokens written before the error stay in sBuffer.
  std::int32_t InfixToPostfix(const std::string& sExpression, std::string& sBuffer);

  // Evaluates a postfix text. Returns true with the value in sngResult, true
  // with UndefinedMark when a domain check fails or a value is not a finite
  // number in single range, false (sngResult unchanged) when the text leaves
  // no value. Throws EngineError for a token with too few operands or an
  // unknown token.
  bool DoEvaluate(const std::string& sPostfix, bool bolDegree, float& sngResult, float sngU,
                  float sngV, float sngX, float sngY, float sngA, float sngR, float sngB,
                  float sngT);

  // The last syntax-error message, without the "Character P:  " that the
  // report puts before it; "" before any. A successful conversion leaves it.
  const std::string& LastMessage() const { return lastMessage_; }

 private:
  Reporter* reporter_;
  RandomGenerator* random_;
  std::unique_ptr<RandomGenerator> ownRandom_;  // used when no generator is given
  std::string lastMessage_;
};

}  // namespace quillon
