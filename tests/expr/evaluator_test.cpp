// Evaluation of postfix texts: results, domain edges, values that leave the
// double or float range, RND, and each function against its definition
// computed with <cmath>.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "expr/compiled_expression.h"
#include "expr/random_generator.h"
#include "expr/undefined_mark.h"

namespace quillon {
namespace {

const double kHalfPi = 2 * std::atan(1.0);
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

// Domain edges that the sweeps of FunctionsMatchTheirDefinitions do not
// reach, values beyond the double or float range, the token forms and the
// variables. An undefined step ends the evaluation before later tokens fail;
// text after the last blank is ignored.
TEST(Evaluate, ValuesAndDomainEdges) {
  const double undefined = UndefinedMark;
  const std::nullopt_t none = std::nullopt;
  const std::string hugeDigits = "1" + std::string(400, '0') + " 0 * ";
  const std::vector<ValueCase> cases = {
      {",5 ", 0, 0},   {"0 0 ^ ", 0, 1},           {"1 ACTANH ", 0, undefined},
      {"1 2", 0, 1},   {"XX 0.5 ^ ", 0, 0},        {"0 ACSECH ", 0, undefined},
      {"", 0, none},   {"2 (-) 0 ^ ", 0, 1},       {"1000 EXP ", 0, undefined},
      {"UU ", 0, 1},   {"2 (-) 2 ^ ", 0, 4},       {"1 0 / FOO ", 0, undefined},
      {"VV ", 0, 2},   {"2 (-) 3 ^ ", 0, -8},      {"XX LOG + ", -1, undefined},
      {"YY ", 0, 4},   {"XX (-) ", 2.5f, -2.5},    {"0 1 (-) ^ ", 0, undefined},
      {"AA ", 0, 5},   {"0 0 / ", 0, undefined},   {"1000 SECH ", 0, undefined},
      {"RR ", 0, 6},   {"XX 0 / ", 3, undefined},  {"XX ATAN ", kInf, undefined},
      {"BB ", 0, 7},   {"0 CTAN ", 0, undefined},  {"2 (-) 0.5 ^ ", 0, undefined},
      {"TT ", 0, 8},   {"10 38 ^ 3 * ", 0, 3e38},  {"10 38 ^ 4 * ", 0, undefined},
      {"3 4 ", 0, 4},  {"XX ", FLT_MAX, FLT_MAX},  {"10 200 ^ ASEC ", 0, undefined},
      {".5 ", 0, 0.5}, {"0 CSECH ", 0, undefined}, {"1000 (-) CSECH ", 0, undefined},
      {"XX", 0, none}, {hugeDigits, 0, undefined}, {"10 300 ^ 10 300 ^ * 0 * ", 0, undefined},
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

// A function, the range it is checked over, and its definition; without a
// definition, the function has no value anywhere in the range.
struct FunctionCase {
  std::string token;
  double from;
  double to;
  std::function<double(double)> definition;
};

TEST(Evaluate, FunctionsMatchTheirDefinitions) {
  const auto sgn = [](double v) { return v > 0 ? 1.0 : (v < 0 ? -1.0 : 0.0); };
  const auto asec = [&](double x) {
    return std::atan(x / std::sqrt(x * x - 1)) + sgn(x - 1) * kHalfPi;
  };
  const auto acsec = [&](double x) {
    return std::atan(x / std::sqrt(x * x - 1)) + (sgn(x) - 1) * kHalfPi;
  };
  const std::function<double(double)> none;
  const std::vector<FunctionCase> cases = {
      {"SIN", -10, 10, [](double x) { return std::sin(x); }},
      {"COS", -10, 10, [](double x) { return std::cos(x); }},
      {"TAN", -1.5, 1.5, [](double x) { return std::tan(x); }},
      {"ATAN", -10, 10, [](double x) { return std::atan(x); }},
      {"SEC", -1.5, 1.5, [](double x) { return 1 / std::cos(x); }},
      {"CSEC", 0.05, 3, [](double x) { return 1 / std::sin(x); }},
      {"CTAN", 0.05, 1.5, [](double x) { return std::cos(x) / std::sin(x); }},
      {"LOG", 0.01, 100, [](double x) { return std::log(x); }},
      {"EXP", -20, 20, [](double x) { return std::exp(x); }},
      {"ABS", -10, 10, [](double x) { return std::fabs(x); }},
      {"INT", -10, 10, [](double x) { return std::floor(x); }},
      {"SQR", 0, 100, [](double x) { return std::sqrt(x); }},
      {"ASIN", -0.99, 0.99, [](double x) { return std::asin(x); }},
      {"ACOS", -0.99, 0.99, [](double x) { return std::acos(x); }},
      {"ASEC", 1.01, 10, asec},
      {"ASEC", -10, -1.01, asec},
      {"ACSEC", -10, -1.01, acsec},
      {"ACSEC", 1.01, 10, acsec},
      {"ACTAN", -10, 10, [](double x) { return std::atan(x) + kHalfPi; }},
      {"SINH", -10, 10, [](double x) { return std::sinh(x); }},
      {"COSH", -10, 10, [](double x) { return std::cosh(x); }},
      {"TANH", -10, 10, [](double x) { return std::tanh(x); }},
      {"CTANH", 0.05, 10, [](double x) { return 1 / std::tanh(x); }},
      {"SECH", -10, 10, [](double x) { return 1 / std::cosh(x); }},
      {"CSECH", 0.05, 10, [](double x) { return 1 / std::sinh(x); }},
      {"ASINH", -5, 10, [](double x) { return std::asinh(x); }},
      {"ACOSH", 1, 10, [](double x) { return std::acosh(x); }},
      {"ATANH", -0.99, 0.99, [](double x) { return std::atanh(x); }},
      {"ASECH", 0.01, 1, [](double x) { return std::acosh(1 / x); }},
      {"ACSECH", 0.05, 10, [](double x) { return std::asinh(1 / x); }},
      {"ACSECH", -10, -0.05, [](double x) { return std::asinh(1 / x); }},
      {"ACTANH", 1.01, 10, [](double x) { return std::atanh(1 / x); }},
      {"ACTANH", -10, -1.01, [](double x) { return std::atanh(1 / x); }},
      {"LOG", -10, 0, none},
      {"ATANH", 1, 10, none},
      {"ASECH", 1.01, 10, none},
      {"ASIN", 1, 10, none},
      {"ASIN", -10, -1, none},
      {"ACOSH", -10, 0.99, none},
      {"ACOS", 1, 10, none},
      {"ASECH", -10, 0, none},
      {"ACTANH", -1, 0.99, none},
      {"ASEC", -1, 1, none},
      {"ATANH", -10, -1, none},
      {"ACSEC", -1, 1, none},
      {"SQR", -10, -0.01, none},
  };
  constexpr int kPoints = 201;
  for (const FunctionCase& c : cases) {
    SCOPED_TRACE(c.token + " from " + std::to_string(c.from));
    RandomGenerator random;
    for (int i = 0; i < kPoints; ++i) {
      const auto x = static_cast<float>(c.from + (c.to - c.from) * i / (kPoints - 1));
      const std::optional<float> result = Evaluate(random, "XX " + c.token + " ", x);
      if (!c.definition) {
        EXPECT_EQ(result, UndefinedMark) << "x=" << x;
        continue;
      }
      const double expected = c.definition(static_cast<double>(x));
      ASSERT_TRUE(result.has_value());
      EXPECT_NEAR(*result, expected, 2e-6 * std::max(1.0, std::fabs(expected))) << "x=" << x;
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
