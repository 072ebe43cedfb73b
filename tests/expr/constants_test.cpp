// The constants pi and e and the spellings sqrt and ln: their tokens, the
// syntax errors around them with the place each error marks, and their
// values.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

#include "expr/compiled_expression.h"
#include "expr/expression_compiler.h"
#include "expr/random_generator.h"
#include "expr/reporter.h"

namespace quillon {
namespace {

class LastMessage : public Reporter {
 public:
  void Report(const std::string&, const std::string& message, MessageIcon) override {
    text = message;
  }
  std::string text;
};

TEST(ExpressionNames, CompileToTheirTokens) {
  const struct {
    const char* infix;
    const char* postfix;
  } cases[] = {
      {"2*pi", "2 PI * "},
      {"PI^E", "PI E ^ "},
      {"e*x", "E XX * "},
      {"-e^2", "E 2 ^ (-) "},
      {"sin pi", "PI SIN "},
      {"sqrt(x)+SQRT x", "XX SQR XX SQR + "},
      {"Ln(x)*ln e", "XX LOG E LOG * "},
      {"exp(x)+sec(e)", "XX EXP E SEC + "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.infix);
    ExpressionCompiler engine;
    std::string postfix;
    EXPECT_EQ(engine.InfixToPostfix(c.infix, postfix), 0);
    EXPECT_EQ(postfix, c.postfix);
    EXPECT_FALSE(engine.LastFault().has_value());
  }
}

// The message names P as before; the fault's place is the token the
// compiler could not take.
TEST(ExpressionNames, SyntaxErrorsAndTheirPlace) {
  const struct {
    const char* infix;
    const char* message;
    std::size_t first;
    std::size_t length;
  } cases[] = {
      {"1e5", "Character 1:  Operator expected", 1, 1},
      {"e5", "Character 0:  Operator expected", 1, 1},
      {"2 pi", "Character 2:  Operator expected", 2, 2},
      {"pi(1)", "Character 0:  Operator expected", 2, 1},
      {"ex", "Character 0:  Undefined symbol : 'ex'", 0, 2},
      {"2*sqr_t(x)", "Character 2:  Undefined symbol : 'sqr_t'", 2, 5},
      {"ln 2", "Character 3:  Open parenthesis expected", 3, 1},
      {"sqrt(12.5.1)", "Character 5:  Operand contains multiple decimal points", 9, 1},
      {"x+-1", "Character 2:  Operand expected", 2, 1},
      {"x)", "Character 0:  Closing parenthesis without matching open parenthesis", 1, 1},
      {"(pi", "Character 3:  Closing parenthesis expected", 3, 0},
      {"e+", "Character 2:  Operand expected", 2, 0},
      {"1+,", "Character 2:  Invalid operand", 2, 1},
      {"1+e!", "Character 2:  Unexpected character encountered", 3, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.infix);
    LastMessage reporter;
    ExpressionCompiler engine(&reporter);
    std::string postfix;
    EXPECT_NE(engine.InfixToPostfix(c.infix, postfix), 0);
    EXPECT_EQ(reporter.text, c.message);
    ASSERT_TRUE(engine.LastFault().has_value());
    EXPECT_EQ(engine.LastFault()->first, c.first);
    EXPECT_EQ(engine.LastFault()->length, c.length);
  }
}

CompiledExpression Compiled(const std::string& infix) {
  ExpressionCompiler engine;
  std::string postfix;
  EXPECT_EQ(engine.InfixToPostfix(infix, postfix), 0) << infix;
  return CompiledExpression(postfix);
}

// Every evaluator reads a constant through the one decoded program, so its
// value in one path is its value in all (the compiled-expression test runs
// PI and E through the others): the doubles nearest pi and e.
TEST(ExpressionNames, ConstantsAreTheNearestDoubles) {
  RandomGenerator random;
  EXPECT_EQ(Compiled("pi").EvaluatePoint({}, random), std::acos(-1.0));
  EXPECT_EQ(Compiled("e").EvaluatePoint({}, random), std::exp(1.0));
}

}  // namespace
}  // namespace quillon
