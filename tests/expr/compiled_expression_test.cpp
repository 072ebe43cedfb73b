// CompiledExpression against DoEvaluate: the same bits for every expression
// and point, including undefined points, failing tokens and RND.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "expr/compiled_expression.h"
#include "expr/engine_error.h"
#include "expr/expression_engine.h"
#include "expr/random_generator.h"
#include "expr/undefined_mark.h"

namespace quillon {
namespace {

constexpr float kSentinel = -12345.0f;

std::string Postfix(const std::string& infix) {
  Cls6 engine;
  std::string postfix;
  EXPECT_EQ(engine.InfixToPostfix(infix, postfix), 0) << infix;
  return postfix;
}

// Results of a run of evaluations, and the error that ended it early.
struct EvaluationRun {
  std::vector<float> results;
  std::optional<std::int32_t> error;
};

bool SameBits(float a, float b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

void ExpectSame(const EvaluationRun& reference, const EvaluationRun& compiled) {
  EXPECT_EQ(reference.error, compiled.error);
  ASSERT_EQ(reference.results.size(), compiled.results.size());
  for (std::size_t i = 0; i < reference.results.size(); ++i) {
    EXPECT_TRUE(SameBits(reference.results[i], compiled.results[i]))
        << "point " << i << ": " << reference.results[i] << " vs " << compiled.results[i];
  }
}

float& Slot(VariableValues& values, Variable variable) {
  float* slots[] = {&values.U, &values.V, &values.X, &values.Y,
                    &values.A, &values.R, &values.B, &values.T};
  return *slots[static_cast<int>(variable)];
}

EvaluationRun PointByPoint(const std::string& postfix, VariableValues values, Variable varying,
                           const std::vector<float>& points) {
  RandomGenerator random;
  Cls6 engine(nullptr, &random);
  EvaluationRun run{std::vector<float>(points.size(), kSentinel), std::nullopt};
  try {
    for (std::size_t i = 0; i < points.size(); ++i) {
      Slot(values, varying) = points[i];
      engine.DoEvaluate(postfix, false, run.results[i], values.U, values.V, values.X, values.Y,
                        values.A, values.R, values.B, values.T);
    }
  } catch (const EngineError& error) {
    run.error = error.Code();
  }
  return run;
}

EvaluationRun InBlocks(const std::string& postfix, const VariableValues& values, Variable varying,
                       const std::vector<float>& points) {
  RandomGenerator random;
  const CompiledExpression compiled(postfix);
  EvaluationRun run{std::vector<float>(points.size(), kSentinel), std::nullopt};
  try {
    compiled.EvaluateMany(values, varying, points.data(), points.size(), run.results.data(),
                          random);
  } catch (const EngineError& error) {
    run.error = error.Code();
  }
  return run;
}

EvaluationRun OneByOne(const std::string& postfix, VariableValues values, Variable varying,
                       const std::vector<float>& points) {
  RandomGenerator random;
  const CompiledExpression compiled(postfix);
  EvaluationRun run{std::vector<float>(points.size(), kSentinel), std::nullopt};
  try {
    for (std::size_t i = 0; i < points.size(); ++i) {
      Slot(values, varying) = points[i];
      compiled.Evaluate(values, false, run.results[i], random);
    }
  } catch (const EngineError& error) {
    run.error = error.Code();
  }
  return run;
}

// Domain edges and special values first, then a dense sweep that spans
// several blocks and ends inside one.
std::vector<float> TestPoints() {
  const float inf = std::numeric_limits<float>::infinity();
  std::vector<float> points = {0.0f,
                               -0.0f,
                               1.0f,
                               -1.0f,
                               0.5f,
                               -0.5f,
                               2.0f,
                               -2.0f,
                               1e-30f,
                               1e-45f,
                               1e30f,
                               -1e30f,
                               FLT_MAX,
                               -FLT_MAX,
                               inf,
                               -inf,
                               std::numeric_limits<float>::quiet_NaN(),
                               3.1416f,
                               1.5707964f,
                               89.0f,
                               -710.0f,
                               710.0f};
  for (int i = 0; i <= 1000; ++i)
    points.push_back(-5.0f + 10.0f * static_cast<float>(i) / 1000);
  return points;
}

std::vector<std::string> TestExpressions() {
  std::vector<std::string> infix = {
      "2*sin(x)^2",
      "x^2+1",
      "sqr(abs(x))*cos(x)/(1+x^2)",
      "sinh(x)-cosh(x)*tanh(x)",
      "x",
      "-x",
      "3",
      "1/x",
      "x/0",
      "0/0*x",
      "x^0",
      "x^x",
      "(-2)^x",
      "x^(1/3)",
      "0^x",
      "x^-1",
      "2^x^2",
      "log(x)",
      "sqr(x)+sqr(-x)",
      "exp(x)*exp(x)",
      "exp(exp(x))",
      "int(x*3.5)",
      "tan(x)+sec(x)+csec(x)+ctan(x)",
      "atan(x)",
      "asin(x)",
      "acos(x)",
      "asec(x)",
      "acsec(x)",
      "actan(x)",
      "ctanh(x)",
      "sech(x)",
      "csech(x)",
      "asinh(x)",
      "acosh(x)",
      "atanh(x)",
      "asech(x)",
      "acsech(x)",
      "actanh(x)",
      "x*y+u-v*a/r+b^t",
      "sin(y)*x",
      "y+1",
      "cos(t)",
      "x*100000*100000",
      "ctanh(x)+csech(x)*sech(x)-sinh(2*x)+tanh(x)",
      "cosh(y)*sinh(x)+sinh(x)",
      "x*1,5*x",
      "x*x*x*x*x*x*x*x*x*x",
      "1-(1-(1-(1-(1-(1-(1-(1-(1-(1-x)))))))))",
      "log(x)+log(-x)",
      "sqr(x)*0+y",
      "10^300*x*10^300",
      "x^2*1000000000000000000000000000000",
      "((((((((((((((((((((x+1))))))))))))))))))))*((((((((((2-x))))))))))",
      "x+(x+(x+(x+(x+(x+(x+(x+(x+(x+(x+(x+(x+(x+(x+(x+(x+(x+(x+(x+x)))))))))))))))))))",
  };
  std::vector<std::string> postfix;
  for (const std::string& text : infix)
    postfix.push_back(Postfix(text));
  // Texts no compiler writes: failing tokens behind defined and undefined
  // steps, too few operands, leftovers under the top.
  const std::vector<std::string> raw = {
      "XX FOO ",
      "XX LOG FOO ",
      "XX SQR 1 + FOO ",
      "1 0 / FOO ",
      "XX + ",
      "XX LOG + ",
      "XX 3 ",
      "XX LOG 3 ",
      "3 XX ",
      "YY XX ",
      "XX 1,5 * ",
      "1E40 XX * ",
      "",
      "XX",
      "FOO ",
      "XX 0 ^ ",
      "XX 2 ^ ",
      "XX 2,0 ^ ",
      "1 2 XX SIN * + 3 XX COS / - ",
  };
  postfix.insert(postfix.end(), raw.begin(), raw.end());
  return postfix;
}

TEST(CompiledExpression, MatchesPointByPointEvaluation) {
  const std::vector<float> points = TestPoints();
  VariableValues values;
  values.U = 0.25f;
  values.V = -3.0f;
  values.Y = 1.5f;
  values.A = 2.0f;
  values.R = 0.75f;
  values.B = -1.0f;
  values.T = 3.0f;
  for (const std::string& postfix : TestExpressions()) {
    for (const Variable varying : {Variable::X, Variable::Y, Variable::T}) {
      SCOPED_TRACE("'" + postfix + "' varying " + std::to_string(static_cast<int>(varying)));
      const EvaluationRun reference = PointByPoint(postfix, values, varying, points);
      ExpectSame(reference, InBlocks(postfix, values, varying, points));
      ExpectSame(reference, OneByOne(postfix, values, varying, points));
    }
  }
}

// A fixed variable that is not finite makes every point undefined, unless the
// text never reads it.
TEST(CompiledExpression, FixedVariablesOutsideTheRange) {
  const std::vector<float> points = TestPoints();
  for (const float fixed : {std::numeric_limits<float>::infinity(), FLT_MAX}) {
    VariableValues values;
    values.Y = fixed;
    for (const std::string& postfix : {Postfix("x+y"), Postfix("x*y/y"), Postfix("x"),
                                       std::string("YY XX "), std::string("YY FOO ")}) {
      SCOPED_TRACE(postfix);
      ExpectSame(PointByPoint(postfix, values, Variable::X, points),
                 InBlocks(postfix, values, Variable::X, points));
    }
  }
}

TEST(CompiledExpression, FailingTokenStopsAtTheFirstPointReachingIt) {
  // The first two points end undefined at LOG; the third reaches FOO.
  const std::vector<float> points = {-1.0f, -2.0f, 3.0f, 4.0f};
  VariableValues values;
  RandomGenerator random;
  const CompiledExpression compiled("XX LOG FOO ");
  std::vector<float> results(points.size(), kSentinel);
  try {
    compiled.EvaluateMany(values, Variable::X, points.data(), points.size(), results.data(),
                          random);
    FAIL() << "no error";
  } catch (const EngineError& error) {
    EXPECT_EQ(error.Code(), kErrorBadToken);
    EXPECT_STREQ(error.what(), "Bad token in Evaluate: FOO");
  }
  EXPECT_EQ(results, (std::vector<float>{UndefinedMark, UndefinedMark, kSentinel, kSentinel}));
}

TEST(CompiledExpression, RandomKeepsTheSequenceOfEvaluations) {
  const std::vector<float> points = TestPoints();
  for (const std::string& infix :
       {std::string("rnd(1)"), std::string("x*rnd(x)"), std::string("log(x)+rnd(1)"),
        std::string("rnd(1)+log(x)"), std::string("rnd(-x)"), std::string("rnd(0)+rnd(1)")}) {
    SCOPED_TRACE(infix);
    const std::string postfix = Postfix(infix);
    EXPECT_TRUE(CompiledExpression(postfix).UsesRandom());
    const EvaluationRun reference = PointByPoint(postfix, VariableValues{}, Variable::X, points);
    ExpectSame(reference, InBlocks(postfix, VariableValues{}, Variable::X, points));
  }
}

TEST(CompiledExpression, DegreeFlagMatches) {
  for (const std::string& infix : {std::string("sin(x)+cos(x)*tan(x)"), std::string("atan(x)"),
                                   std::string("sec(x)-csec(x)+ctan(x)+asin(x/100)")}) {
    SCOPED_TRACE(infix);
    const std::string postfix = Postfix(infix);
    const CompiledExpression compiled(postfix);
    Cls6 engine;
    RandomGenerator random;
    for (const float x : TestPoints()) {
      float expected = kSentinel;
      float actual = kSentinel;
      engine.DoEvaluate(postfix, true, expected, 0, 0, x, 0, 0, 0, 0, 0);
      VariableValues values;
      values.X = x;
      compiled.Evaluate(values, true, actual, random);
      EXPECT_TRUE(SameBits(expected, actual)) << "x=" << x;
    }
  }
}

// Texts nested deeper than the block evaluator serves fall back to single
// evaluations with the same results.
TEST(CompiledExpression, DeepTexts) {
  std::string infix;
  for (int i = 0; i < 3000; ++i)
    infix += "x-(";
  infix += "1" + std::string(3000, ')');
  const std::string postfix = Postfix(infix);
  std::vector<float> points = TestPoints();
  points.resize(40);  // the special values and a few more
  ExpectSame(PointByPoint(postfix, VariableValues{}, Variable::X, points),
             InBlocks(postfix, VariableValues{}, Variable::X, points));
}

TEST(CompiledExpression, Properties) {
  struct PropertyCase {
    std::string postfix;
    bool usesRandom;
    bool yieldsValue;
  };
  const std::vector<PropertyCase> cases = {
      {"", false, false},          {"XX", false, false},   {"XX ", false, true},
      {"FOO ", false, true},       {"1 RND ", true, true}, {"FOO 1 RND ", false, true},
      {"XX SIN RND ", true, true}, {"+ ", false, true},
  };
  for (const PropertyCase& c : cases) {
    SCOPED_TRACE(c.postfix);
    const CompiledExpression compiled(c.postfix);
    EXPECT_EQ(compiled.UsesRandom(), c.usesRandom);
    EXPECT_EQ(compiled.YieldsValue(), c.yieldsValue);
  }
}

}  // namespace
}  // namespace quillon
