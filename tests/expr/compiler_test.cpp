// InfixToPostfix: token forms (the constants pi and e and the spellings
// sqrt and ln among them), precedence, syntax messages and the place each
// marks.
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
      {"2*pi", "2 PI *"},
      {"PI^E", "PI E ^"},
      {"e*x", "E XX *"},
      {"-e^2", "E 2 ^ (-)"},
      {"sin pi", "PI SIN"},
      {"sqrt(x)+SQRT x", "XX SQR XX SQR +"},
      {"Ln(x)*ln e", "XX LOG E LOG *"},
      {"exp(x)+sec(e)", "XX EXP E SEC +"},
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
    EXPECT_FALSE(engine.LastFault().has_value());
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

// The message names the character P; the fault's place is the token the
// compiler could not take.
struct SyntaxErrorCase {
  std::string infix;
  int position;
  std::string message;
  std::size_t first, length;
};

TEST(InfixToPostfix, SyntaxErrors) {
  // A symbol of a megabyte is quoted by its first 60 characters.
  const std::string longSymbol = "2*" + std::string(1 << 20, 'q');
  const std::vector<SyntaxErrorCase> cases = {
      {"(x", 2, "Closing parenthesis expected", 2, 0},
      {"x)", 0, "Closing parenthesis without matching open parenthesis", 1, 1},
      {")", 1, "Operand expected", 0, 1},
      {"sin)", 0, "Operand expected", 3, 1},
      {"x+-1", 2, "Operand expected", 2, 1},
      {"*x", 1, "Operand expected", 0, 1},
      {"x+", 2, "Operand expected", 2, 0},
      {"x*(", 3, "Operand expected", 3, 0},
      {"sin", 3, "Operand expected", 3, 0},
      {"x2", 0, "Operator expected", 1, 1},
      {"2x", 1, "Operator expected", 1, 1},
      {"x(1)", 0, "Operator expected", 1, 1},
      {"sin(x)cos(x)", 6, "Operator expected", 6, 3},
      {"x+1,2.5", 2, "Operand contains multiple decimal points", 5, 1},
      {".", 0, "Invalid operand", 0, 1},
      {"1+,", 2, "Invalid operand", 2, 1},
      {"sin 2", 4, "Open parenthesis expected", 4, 1},
      {"x_", 0, "Undefined symbol : 'x_'", 0, 2},
      {"2*Foo", 2, "Undefined symbol : 'Foo'", 2, 3},
      {longSymbol, 2, "Undefined symbol : '" + std::string(60, 'q') + "\xE2\x80\xA6'", 2, 1 << 20},
      {"1+x!", 2, "Unexpected character encountered", 3, 1},
      {"\xC3\xA9", 1, "Unexpected character encountered", 0, 1},
      {"x\x7F", 0, "Unexpected character encountered", 1, 1},
      {"1e5", 1, "Operator expected", 1, 1},
      {"e5", 0, "Operator expected", 1, 1},
      {"2 pi", 2, "Operator expected", 2, 2},
      {"pi(1)", 0, "Operator expected", 2, 1},
      {"ex", 0, "Undefined symbol : 'ex'", 0, 2},
      {"2*sqr_t(x)", 2, "Undefined symbol : 'sqr_t'", 2, 5},
      {"ln 2", 3, "Open parenthesis expected", 3, 1},
      {"sqrt(12.5.1)", 5, "Operand contains multiple decimal points", 9, 1},
      {"(pi", 3, "Closing parenthesis expected", 3, 0},
      {"e+", 2, "Operand expected", 2, 0},
      {"1+e!", 2, "Unexpected character encountered", 3, 1},
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
    ASSERT_TRUE(engine.LastFault().has_value());
    EXPECT_EQ(engine.LastFault()->first, c.first);
    EXPECT_EQ(engine.LastFault()->length, c.length);
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
