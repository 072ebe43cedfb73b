// Evaluation of postfix texts: results, domain edges, values that leave the
// double or float range, functions outside their domains, and RND.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "expr/compiled_expression.h"
#include "expr/random_generator.h"
#include "expr/undefined_mark.h"

namespace quillon {
namespace {

const float kInf = std::numeric_limits<float>::infinity();

// Evaluates with u, v, x, y, a, r, b, t = 1, 2, x, 4, 5, 6, 7, 8.
std::optional<float> Evaluate(RandomGenerator& random, const std::string& postfix, float x = 0) {
  float result = -999.0f;
  if (!CompiledExpression(postfix).Evaluate({1, 2, x, 4, 5, 6, 7, 8}, result, random))
    return std::nullopt;
  return result;
}

std::optional<float> Evaluate(const std::string& postfix, float x = 0) {
  RandomGenerator random;
  return Evaluate(random, postfix, x);
}

struct ValueCase {
  std::string postfix;
  float x;
  std::optional<double> expected;  // nothing: no value, the result is left as it was
};

// Domain edges, values beyond the double or float range, the token forms and the
// variables. An undefined step ends the evaluation before later tokens fail;
// text after the last blank is ignored.
TEST(Evaluate, ValuesAndDomainEdges) {
  const double undefined = UndefinedMark;
  const std::nullopt_t none = std::nullopt;
  const std::string hugeDigits = "1" + std::string(400, '0') + " 0 * ";
  const std::vector<ValueCase> cases = {
      {",5 ", 0, 0},    {"0 0 ^ ", 0, 1},           {"1 ACTANH ", 0, undefined},
      {"1 2", 0, 1},    {"XX 0.5 ^ ", 0, 0},        {"0 ACSECH ", 0, undefined},
      {"", 0, none},    {"2 (-) 0 ^ ", 0, 1},       {"1000 EXP ", 0, undefined},
      {"UU ", 0, 1},    {"2 (-) 2 ^ ", 0, 4},       {"1 0 / FOO ", 0, undefined},
      {"VV ", 0, 2},    {"2 (-) 3 ^ ", 0, -8},      {"XX LOG + ", -1, undefined},
      {"YY ", 0, 4},    {"XX (-) ", 2.5f, -2.5},    {"0 1 (-) ^ ", 0, undefined},
      {"AA ", 0, 5},    {"0 0 / ", 0, undefined},   {"1000 SECH ", 0, undefined},
      {"RR ", 0, 6},    {"XX 0 / ", 3, undefined},  {"XX ATAN ", kInf, undefined},
      {"BB ", 0, 7},    {"0 CTAN ", 0, undefined},  {"2 (-) 0.5 ^ ", 0, undefined},
      {"TT ", 0, 8},    {"1 ACOSH ", 0, 0},         {"1 ASECH ", 0, 0},
      {"0 SQR ", 0, 0}, {"10 38 ^ 3 * ", 0, 3e38},  {"10 38 ^ 4 * ", 0, undefined},
      {"3 4 ", 0, 4},   {"XX ", FLT_MAX, FLT_MAX},  {"10 200 ^ ASEC ", 0, undefined},
      {".5 ", 0, 0.5},  {"0 CSECH ", 0, undefined}, {"1000 (-) CSECH ", 0, undefined},
      {"XX", 0, none},  {hugeDigits, 0, undefined}, {"10 300 ^ 10 300 ^ * 0 * ", 0, undefined},
  };
  for (const ValueCase& c : cases) {
    SCOPED_TRACE(c.postfix + " x=" + std::to_string(c.x));
    const std::optional<float> result = Evaluate(c.postfix, c.x);
    ASSERT_EQ(result.has_value(), c.expected.has_value());
    if (result) {
      EXPECT_EQ(*result, static_cast<float>(*c.expected));
    }
  }
  EXPECT_EQ(Evaluate("10 300 ^ ATAN 1 ATAN - "),
            static_cast<float>(std::atan(1e300) - std::atan(1.0)));
}

// Every evaluator reads a constant through the one decoded program, so its
// value in one path is its value in all: the doubles nearest pi and e.
TEST(Evaluate, ConstantsAreTheNearestDoubles) {
  RandomGenerator random;
  EXPECT_EQ(CompiledExpression("PI ").EvaluatePoint({}, random), std::acos(-1.0));
  EXPECT_EQ(CompiledExpression("E ").EvaluatePoint({}, random), std::exp(1.0));
}

// A function without a value anywhere in a range, domain ends included.
// Values inside the domains are checked against interval enclosures at
// random points (interval_test.cpp), more tightly than a sweep could.
struct OutsideCase {
  std::string token;
  double from;
  double to;
};

TEST(Evaluate, FunctionsOutsideTheirDomain) {
  const std::vector<OutsideCase> cases = {
      {"LOG", -10, 0},      {"SQR", -10, -0.01}, {"ASIN", 1, 10},   {"ASIN", -10, -1},
      {"ACOS", 1, 10},      {"ASEC", -1, 1},     {"ACSEC", -1, 1},  {"ACOSH", -10, 0.99},
      {"ATANH", 1, 10},     {"ATANH", -10, -1},  {"ASECH", -10, 0}, {"ASECH", 1.01, 10},
      {"ACTANH", -1, 0.99},
  };
  constexpr int kPoints = 101;
  for (const OutsideCase& c : cases) {
    SCOPED_TRACE(c.token + " from " + std::to_string(c.from));
    RandomGenerator random;
    for (int i = 0; i < kPoints; ++i) {
      const auto x = static_cast<float>(c.from + (c.to - c.from) * i / (kPoints - 1));
      EXPECT_EQ(Evaluate(random, "XX " + c.token + " ", x), UndefinedMark) << "x=" << x;
    }
  }
}

// RND: numbers in [0, 1), evenly spread, the same sequence for every
// generator; a positive argument draws the next number, 0 repeats the last,
// a negative one starts the sequence that argument selects.
TEST(Evaluate, RandomSequence) {
  RandomGenerator first;
  RandomGenerator second;
  constexpr int kCount = 100000;
  std::vector<int> buckets(10, 0);
  double sum = 0;
  for (int i = 0; i < kCount; ++i) {
    const float value = *Evaluate(first, "1 RND ");
    ASSERT_GE(value, 0.0f);
    ASSERT_LT(value, 1.0f);
    ASSERT_EQ(*Evaluate(second, "5 RND "), value);
    sum += static_cast<double>(value);
    ++buckets[static_cast<std::size_t>(value * 10)];
  }
  EXPECT_NEAR(sum / kCount, 0.5, 0.01);
  for (const int count : buckets)
    EXPECT_NEAR(count, kCount / 10, kCount / 100);

  const float last = *Evaluate(first, "XX RND ", 3);
  EXPECT_EQ(*Evaluate(first, "0 RND "), last);
  EXPECT_EQ(*Evaluate(first, "0 RND "), last);
  const float fixed = *Evaluate(first, "2 (-) RND ");
  const float after = *Evaluate(first, "1 RND ");
  EXPECT_EQ(*Evaluate(second, "2 (-) RND "), fixed);
  EXPECT_EQ(*Evaluate(second, "1 RND "), after);
  EXPECT_NE(*Evaluate(first, "3 (-) RND "), fixed);
}

}  // namespace
}  // namespace quillon
