// The constants pi and e and the spellings sqrt and ln: their tokens, the
// syntax errors around them with the place each error marks, and their
// values in every evaluator.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

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

bool SameBits(double a, double b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

void ExpectSameBox(const DecoratedInterval& a, const DecoratedInterval& b) {
  EXPECT_TRUE(SameBits(a.value.lo, b.value.lo) && SameBits(a.value.hi, b.value.hi))
      << "[" << a.value.lo << ", " << a.value.hi << "] vs [" << b.value.lo << ", " << b.value.hi
      << "]";
  EXPECT_EQ(a.decoration.defined, b.decoration.defined);
  EXPECT_EQ(a.decoration.continuous, b.decoration.continuous);
}

// Each text with the new names gives, in every evaluator, the bits of the
// same text spelled with the old names and the constants' decimal digits.
TEST(ExpressionNames, EveryEvaluatorReadsThemAsTheirSpelledOutForms) {
  const struct {
    const char* named;
    const char* spelled;
  } cases[] = {
      {"pi*x", "3.141592653589793*x"},
      {"e^x", "2.718281828459045^x"},
      {"sqrt(x)", "sqr(x)"},
      {"LN(x)", "log(x)"},
      {"Sqrt(pi-x)*ln(e*x)", "sqr(3.141592653589793-x)*log(2.718281828459045*x)"},
  };
  const std::vector<float> points = {-2.0f, -1.0f, 0.0f, 0.5f, 1.0f, 3.0f, 3.1416f, 4.0f};
  const float width = 0.25f;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.named);
    const CompiledExpression named = Compiled(c.named);
    const CompiledExpression spelled = Compiled(c.spelled);
    std::vector<float> namedMany(points.size());
    std::vector<float> spelledMany(points.size());
    RandomGenerator random;
    named.EvaluateMany({}, Variable::X, points.data(), points.size(), namedMany.data(), random);
    spelled.EvaluateMany({}, Variable::X, points.data(), points.size(), spelledMany.data(), random);
    std::vector<Interval> boxes;
    for (const float x : points) {
      SCOPED_TRACE(x);
      boxes.push_back({x, x + width});
      VariableValues values;
      values.X = x;
      float namedValue = 0;
      float spelledValue = 0;
      named.Evaluate(values, namedValue, random);
      spelled.Evaluate(values, spelledValue, random);
      EXPECT_TRUE(SameBits(namedValue, spelledValue));
      EXPECT_EQ(std::memcmp(&namedMany[boxes.size() - 1], &namedValue, sizeof(float)), 0);
      VariablePoint point;
      point.X = x;
      const std::optional<double> namedPoint = named.EvaluatePoint(point, random);
      const std::optional<double> spelledPoint = spelled.EvaluatePoint(point, random);
      ASSERT_EQ(namedPoint.has_value(), spelledPoint.has_value());
      if (namedPoint) {
        EXPECT_TRUE(SameBits(*namedPoint, *spelledPoint));
      }
      VariableBox box;
      box.X = boxes.back();
      ExpectSameBox(named.EvaluateBox(box), spelled.EvaluateBox(box));
    }
    EXPECT_EQ(std::memcmp(namedMany.data(), spelledMany.data(), points.size() * sizeof(float)), 0);
    std::vector<DecoratedInterval> namedBoxes(boxes.size());
    std::vector<DecoratedInterval> spelledBoxes(boxes.size());
    named.EvaluateBoxes({}, Variable::X, boxes.data(), boxes.size(), namedBoxes.data());
    spelled.EvaluateBoxes({}, Variable::X, boxes.data(), boxes.size(), spelledBoxes.data());
    for (std::size_t i = 0; i < boxes.size(); ++i) {
      ExpectSameBox(namedBoxes[i], spelledBoxes[i]);
    }
  }
}

// The decimal digits above are the doubles nearest pi and e.
TEST(ExpressionNames, ConstantsAreTheNearestDoubles) {
  RandomGenerator random;
  EXPECT_EQ(Compiled("pi").EvaluatePoint({}, random), std::acos(-1.0));
  EXPECT_EQ(Compiled("e").EvaluatePoint({}, random), std::exp(1.0));
}

}  // namespace
}  // namespace quillon
