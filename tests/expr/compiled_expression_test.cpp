// CompiledExpression against the reference evaluator: the same bits for every
// expression and point, including undefined points, failing tokens and RND.
#include <gtest/gtest.h>

#include <cfloat>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "expr/compiled_expression.h"
#include "expr/engine_error.h"
#include "expr/random_generator.h"
#include "support/compiled_text.h"
#include "support/reference_evaluator.h"

namespace quillon {
namespace {

using testing::Postfix;

using testing::EvaluationRun;
using testing::Evaluations;
using Path = testing::EvaluationPath;

void ExpectSame(const EvaluationRun& reference, const EvaluationRun& compiled) {
  EXPECT_EQ(reference.error, compiled.error);
  EXPECT_EQ(reference.message, compiled.message);
  ASSERT_EQ(reference.results.size(), compiled.results.size());
  for (std::size_t i = 0; i < reference.results.size(); ++i) {
    EXPECT_EQ(std::memcmp(&reference.results[i], &compiled.results[i], sizeof(float)), 0)
        << "point " << i << ": " << reference.results[i] << " vs " << compiled.results[i];
  }
}

// Domain edges and special values first, then a dense sweep that spans
// several blocks and ends inside one.
std::vector<float> TestPoints() {
  const float inf = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  std::vector<float> points = {0.0f,   -0.0f,   1.0f,       -1.0f,  0.5f,    -0.5f,    2.0f, -2.0f,
                               1e-30f, 1e-45f,  1e30f,      -1e30f, FLT_MAX, -FLT_MAX, inf,  -inf,
                               nan,    3.1416f, 1.5707964f, 89.0f,  -710.0f, 710.0f};
  for (int i = 0; i <= 1000; ++i)
    points.push_back(-5.0f + 10.0f * static_cast<float>(i) / 1000);
  return points;
}

std::vector<std::string> TestExpressions() {
  // Arithmetic and powers; the functions; variables, overflow and nesting;
  // RND, whose sequence the blocks keep.
  const std::vector<std::string> infix[] = {
      {"2*sin(x)^2", "x^2+1", "sqr(abs(x))*cos(x)/(1+x^2)", "sinh(x)-cosh(x)*tanh(x)", "x", "-x",
       "3", "1/x", "x/0", "0/0*x", "x^0", "x^x", "(-2)^x", "x^(1/3)", "0^x", "x^-1", "2^x^2"},
      {"log(x)", "sqr(x)+sqr(-x)", "exp(x)*exp(x)", "exp(exp(x))", "int(x*3.5)",
       "tan(x)+sec(x)+csec(x)+ctan(x)", "atan(x)", "asin(x)", "acos(x)", "asec(x)", "acsec(x)",
       "actan(x)", "ctanh(x)", "sech(x)", "csech(x)", "asinh(x)", "acosh(x)", "atanh(x)"},
      {"asech(x)", "acsech(x)", "actanh(x)", "ctanh(x)+csech(x)*sech(x)-sinh(2*x)+tanh(x)",
       "cosh(y)*sinh(x)+sinh(x)", "log(x)+log(-x)", "sqr(x)*0+y", "x+y", "x*y/y"},
      {"x*y+u-v*a/r+b^t", "sin(y)*x", "y+1", "cos(t)", "x*100000*100000", "x*1,5*x",
       "x*x*x*x*x*x*x*x*x*x", "1-(1-(1-(1-(1-(1-(1-(1-(1-(1-x)))))))))", "10^300*x*10^300",
       "x^2*1000000000000000000000000000000",
       "((((((((((((((((((((x+1))))))))))))))))))))*((((((((((2-x))))))))))",
       "x+(x+(x+(x+(x+(x+(x+(x+(x+(x+(x+(x+(x+(x+(x+(x+(x+(x+(x+(x+x)))))))))))))))))))"},
      {"rnd(1)", "x*rnd(x)", "log(x)+rnd(1)", "rnd(1)+log(x)", "rnd(-x)", "rnd(0)+rnd(1)"}};
  std::vector<std::string> postfix;
  for (const auto& group : infix) {
    for (const std::string& text : group)
      postfix.push_back(Postfix(text));
  }
  // Nested deeper than the block evaluator serves: single evaluations.
  std::string deep;
  for (int i = 0; i < 1200; ++i)
    deep += "x-(";
  postfix.push_back(Postfix(deep + "1" + std::string(1200, ')')));
  // Texts no compiler writes: failing tokens behind defined and undefined
  // steps (the points 0 and -0 end undefined at LOG, 1 reaches FOO), too few
  // operands, leftovers under the top.
  for (const char* text : {"XX FOO ",    "XX LOG FOO ", "XX SQR 1 + FOO ",
                           "1 0 / FOO ", "FOO ",        "YY FOO ",
                           "XX + ",      "SIN ",        "RND ",
                           "(-) ",       "XX LOG + ",   "XX 3 ",
                           "XX LOG 3 ",  "3 XX ",       "YY XX ",
                           "XX 1,5 * ",  "1E40 XX * ",  "",
                           "XX",         "XX 0 ^ ",     "XX 2 ^ ",
                           "XX 2,0 ^ "})
    postfix.push_back(text);
  postfix.push_back("1 2 XX SIN * + 3 XX COS / - ");
  postfix.push_back(Postfix("pi*x+e^x-sqrt(x)*ln(x)"));
  return postfix;
}

TEST(CompiledExpression, MatchesPointByPointEvaluation) {
  const std::vector<float> points = TestPoints();
  const VariableValues values{0.25f, -3.0f, 0, 1.5f, 2.0f, 0.75f, -1.0f, 3.0f};  // U V X Y A R B T
  // A fixed variable that is not finite makes every point undefined, unless
  // the text never reads it.
  VariableValues infiniteY = values;
  infiniteY.Y = std::numeric_limits<float>::infinity();
  VariableValues largestY = values;
  largestY.Y = FLT_MAX;
  for (const std::string& postfix : TestExpressions()) {
    for (const VariableValues& fixed : {values, infiniteY, largestY}) {
      for (const Variable varying : {Variable::X, Variable::Y, Variable::T}) {
        SCOPED_TRACE("'" + postfix + "' varying " + std::to_string(static_cast<int>(varying)) +
                     " with y " + std::to_string(fixed.Y));
        const EvaluationRun reference =
            Evaluations(Path::Reference, postfix, fixed, varying, points);
        ExpectSame(reference, Evaluations(Path::Blocks, postfix, fixed, varying, points));
        ExpectSame(reference, Evaluations(Path::Single, postfix, fixed, varying, points));
      }
    }
  }
}

}  // namespace
}  // namespace quillon
