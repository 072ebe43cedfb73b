// InfixToPostfix: token forms, precedence, syntax messages and positions.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "expr/expression_compiler.h"
#include "expr/reporter.h"

namespace quillon {
namespace {

// Keeps each message as "title: text", and whether it was critical.
class RecordingReporter : public Reporter {
 public:
  void Report(const std::string& title, const std::string& text, MessageIcon icon) override {
    messages.push_back(title + ": " + text);
    critical.push_back(icon == MessageIcon::Critical);
  }
  std::vector<std::string> messages;
  std::vector<bool> critical;
};

struct PostfixCase {
  std::string infix;
  std::string postfix;  // without the blank after the last token
};

TEST(InfixToPostfix, TokenFormsAndPrecedence) {
  const std::vector<PostfixCase> cases = {
      {"2*sin(x)^2", "2 XX SIN 2 ^ *"},
      {"2^3^2", "2 3 ^ 2 ^"},
      {"1+2*3^4", "1 2 3 4 ^ * +"},
      {"u-v-y", "UU VV - YY -"},
      {"a+b*t/r", "AA BB TT * RR / +"},
      {"-x^2", "XX 2 ^ (-)"},
      {"-x*2", "XX (-) 2 *"},
      {"x*-1", "XX 1 (-) *"},
      {"x^-2*3", "XX 2 (-) ^ 3 *"},
      {"-(x+1)", "XX 1 + (-)"},
      {"+x", "XX"},
      {"sin x^2", "XX SIN 2 ^"},
      {"sin -x", "XX (-) SIN"},
      {"sin +2", "2 SIN"},
      {"sin cos x", "XX COS SIN"},
      {"Sin(X)*COS(x)", "XX SIN XX COS *"},
      {"sqr(abs(x))*cos(x)/(1+x^2)", "XX ABS SQR XX COS * 1 XX 2 ^ + /"},
      {"actanh(x)-Acsech(x)", "XX ACTANH XX ACSECH -"},
      {"rnd(1)+int(x)", "1 RND XX INT +"},
      {"1,5", "1,5"},
      {".5+5.", ".5 5. +"},
      {"\tx\n+\r1", "XX 1 +"},
      {"", ""},
  };
  for (const PostfixCase& c : cases) {
    SCOPED_TRACE(c.infix);
    RecordingReporter reporter;
    ExpressionCompiler engine(&reporter);
    std::string buffer;
    EXPECT_EQ(engine.InfixToPostfix(c.infix, buffer), 0);
    EXPECT_EQ(buffer, c.postfix.empty() ? "" : c.postfix + " ");
    EXPECT_TRUE(reporter.messages.empty());
  }
}

// Deep nesting keeps every stacked token in order.
TEST(InfixToPostfix, DeepNesting) {
  constexpr int kDepth = 5000;
  std::string infix;
  std::string expected;
  for (int i = 0; i < kDepth; ++i) {
    infix += "1-(";
    expected += "1 ";
  }
  infix += "x" + std::string(kDepth, ')');
  expected += "XX ";
  for (int i = 0; i < kDepth; ++i)
    expected += "- ";
  ExpressionCompiler engine;
  std::string buffer;
  ASSERT_EQ(engine.InfixToPostfix(infix, buffer), 0);
  EXPECT_EQ(buffer, expected);
}

struct SyntaxErrorCase {
  std::string infix;
  int position;
  std::string message;
};

TEST(InfixToPostfix, SyntaxErrors) {
  // A symbol of a megabyte is quoted by its first 60 characters.
  const std::string longSymbol = "2*" + std::string(1 << 20, 'q');
  const std::vector<SyntaxErrorCase> cases = {
      {"(x", 2, "Closing parenthesis expected"},
      {"x)", 0, "Closing parenthesis without matching open parenthesis"},
      {")", 1, "Operand expected"},
      {"sin)", 0, "Operand expected"},
      {"x+-1", 2, "Operand expected"},
      {"*x", 1, "Operand expected"},
      {"x+", 2, "Operand expected"},
      {"x*(", 3, "Operand expected"},
      {"sin", 3, "Operand expected"},
      {"x2", 0, "Operator expected"},
      {"2x", 1, "Operator expected"},
      {"x(1)", 0, "Operator expected"},
      {"sin(x)cos(x)", 6, "Operator expected"},
      {"x+1,2.5", 2, "Operand contains multiple decimal points"},
      {".", 0, "Invalid operand"},
      {"1+,", 2, "Invalid operand"},
      {"sin 2", 4, "Open parenthesis expected"},
      {"x_", 0, "Undefined symbol : 'x_'"},
      {"2*Foo", 2, "Undefined symbol : 'Foo'"},
      {longSymbol, 2, "Undefined symbol : '" + std::string(60, 'q') + "\xE2\x80\xA6'"},
      {"1+x!", 2, "Unexpected character encountered"},
      {"\xC3\xA9", 1, "Unexpected character encountered"},
      {"x\x7F", 0, "Unexpected character encountered"},
  };
  for (const SyntaxErrorCase& c : cases) {
    SCOPED_TRACE(c.infix);
    RecordingReporter reporter;
    ExpressionCompiler engine(&reporter);
    std::string buffer;
    const std::int32_t result = engine.InfixToPostfix(c.infix, buffer);
    const std::string text = "Character " + std::to_string(c.position) + ":  " + c.message;
    EXPECT_NE(result, 0);
    if (c.position != 0) {
      EXPECT_EQ(result, c.position);
    }
    EXPECT_EQ(reporter.messages, std::vector<std::string>{"Syntax Error: " + text});
    EXPECT_EQ(reporter.critical, std::vector<bool>{true});
  }
}

// A failure keeps the tokens written before it, after what the buffer held.
TEST(InfixToPostfix, FailureKeepsTokensWrittenAndAppends) {
  ExpressionCompiler engine;
  std::string buffer = "7 ";
  EXPECT_EQ(engine.InfixToPostfix("1+2*(3-", buffer), 7);
  EXPECT_EQ(buffer, "7 1 2 3 ");
}

}  // namespace
}  // namespace quillon
