// Derivative enclosures of EvaluateJet against analytic derivatives: over a
// box around x0 the k-th enclosure holds f^(k)(x0) and, by the mean value
// theorem, the slope of f^(k-1) between the box's ends; and it is far
// narrower than the whole line. Where a text is not differentiable at a
// point with a value the jet says so.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "expr/compiled_expression.h"
#include "expr/expression_compiler.h"

namespace quillon {
namespace {

const double kHalfPi = 2 * std::atan(1.0);

// f, f' and f'' at a point.
using Derivatives = std::array<double, 3>;

struct JetCase {
  std::string infix;
  double x0;
  std::function<Derivatives(double)> analytic;
};

CompiledExpression Compile(const std::string& infix) {
  ExpressionCompiler engine;
  std::string postfix;
  EXPECT_EQ(engine.InfixToPostfix(infix, postfix), 0) << infix;
  return CompiledExpression(postfix);
}

DecoratedJet JetOver(const CompiledExpression& code, double lo, double hi) {
  VariableBox box;
  box.X = {lo, hi};
  return code.EvaluateJet(box, Variable::X);
}

// slack: the rounding error of the expected value, computed in doubles.
void ExpectHolds(Interval enclosure, double value, double slack, const char* what) {
  const double margin = slack * std::max(1.0, std::fabs(value));
  EXPECT_TRUE(enclosure.lo <= value + margin && value - margin <= enclosure.hi)
      << what << " " << value << " not in [" << enclosure.lo << ", " << enclosure.hi << "]";
  EXPECT_LT(enclosure.hi - enclosure.lo, 0.5 * std::max(1.0, std::fabs(value))) << what;
}

// asec and acsec as the engine defines them (atn(x / sqrt(x^2 - 1)) plus a
// multiple of pi/2) have the derivative -1 / D with D = (2x^2 - 1) sqrt(x^2 - 1).
Derivatives Secant(double x, double turn) {
  const double root = std::sqrt(x * x - 1);
  const double d = (2 * x * x - 1) * root;
  const double slopeOfD = x * (6 * x * x - 5) / root;
  return {std::atan(x / root) + turn, -1 / d, slopeOfD / (d * d)};
}

TEST(Jet, EnclosesAnalyticDerivatives) {
  const std::vector<JetCase> cases = {
      {"sin(2*x)", 0.7,
       [](double x) {
         return Derivatives{std::sin(2 * x), 2 * std::cos(2 * x), -4 * std::sin(2 * x)};
       }},
      {"cos(x)", 2.1,
       [](double x) {
         return Derivatives{std::cos(x), -std::sin(x), -std::cos(x)};
       }},
      {"tan(x)", 0.4,
       [](double x) {
         const double t = std::tan(x);
         return Derivatives{t, 1 + t * t, 2 * t * (1 + t * t)};
       }},
      {"atan(x)", 0.6,
       [](double x) {
         const double w = 1 / (1 + x * x);
         return Derivatives{std::atan(x), w, -2 * x * w * w};
       }},
      {"actan(x)", -0.5,
       [](double x) {
         const double w = 1 / (1 + x * x);
         return Derivatives{std::atan(x) + kHalfPi, w, -2 * x * w * w};
       }},
      {"sec(x)", 0.5,
       [](double x) {
         const double s = 1 / std::cos(x);
         const double t = std::tan(x);
         return Derivatives{s, s * t, s * (t * t + s * s)};
       }},
      {"csec(x)", 0.8,
       [](double x) {
         const double c = 1 / std::sin(x);
         const double k = std::cos(x) / std::sin(x);
         return Derivatives{c, -c * k, c * (k * k + c * c)};
       }},
      {"ctan(x)", 0.9,
       [](double x) {
         const double k = 1 / std::tan(x);
         return Derivatives{k, -(1 + k * k), 2 * k * (1 + k * k)};
       }},
      {"log(x)", 2,
       [](double x) {
         return Derivatives{std::log(x), 1 / x, -1 / (x * x)};
       }},
      {"exp(x/2)", 0.3,
       [](double x) {
         const double e = std::exp(x / 2);
         return Derivatives{e, e / 2, e / 4};
       }},
      {"abs(x)", -0.5,
       [](double x) {
         return Derivatives{std::fabs(x), -1, 0};
       }},
      {"int(x)", 2.5,
       [](double x) {
         return Derivatives{std::floor(x), 0, 0};
       }},
      {"sqr(x)", 2,
       [](double x) {
         return Derivatives{std::sqrt(x), 0.5 / std::sqrt(x), -0.25 / (x * std::sqrt(x))};
       }},
      {"asin(x)", 0.3,
       [](double x) {
         const double t = 1 - x * x;
         return Derivatives{std::asin(x), 1 / std::sqrt(t), x / (t * std::sqrt(t))};
       }},
      {"acos(x)", -0.4,
       [](double x) {
         const double t = 1 - x * x;
         return Derivatives{std::acos(x), -1 / std::sqrt(t), -x / (t * std::sqrt(t))};
       }},
      {"asec(x)", 1.7, [](double x) { return Secant(x, kHalfPi); }},
      {"acsec(x)", -1.6, [](double x) { return Secant(x, -2 * kHalfPi); }},
      {"sinh(x)", 0.7,
       [](double x) {
         return Derivatives{std::sinh(x), std::cosh(x), std::sinh(x)};
       }},
      {"cosh(x)", -0.7,
       [](double x) {
         return Derivatives{std::cosh(x), std::sinh(x), std::cosh(x)};
       }},
      {"tanh(x)", 0.4,
       [](double x) {
         const double t = std::tanh(x);
         return Derivatives{t, 1 - t * t, -2 * t * (1 - t * t)};
       }},
      {"ctanh(x)", 0.8,
       [](double x) {
         const double c = 1 / std::tanh(x);
         return Derivatives{c, 1 - c * c, -2 * c * (1 - c * c)};
       }},
      {"sech(x)", 0.6,
       [](double x) {
         const double s = 1 / std::cosh(x);
         const double t = std::tanh(x);
         return Derivatives{s, -s * t, s * (2 * t * t - 1)};
       }},
      {"csech(x)", 0.7,
       [](double x) {
         const double c = 1 / std::sinh(x);
         const double k = 1 / std::tanh(x);
         return Derivatives{c, -c * k, c * (k * k + c * c)};
       }},
      {"asinh(x)", 0.5,
       [](double x) {
         const double t = x * x + 1;
         return Derivatives{std::asinh(x), 1 / std::sqrt(t), -x / (t * std::sqrt(t))};
       }},
      {"acosh(x)", 1.5,
       [](double x) {
         const double t = x * x - 1;
         return Derivatives{std::acosh(x), 1 / std::sqrt(t), -x / (t * std::sqrt(t))};
       }},
      {"atanh(x)", 0.3,
       [](double x) {
         const double t = 1 - x * x;
         return Derivatives{std::atanh(x), 1 / t, 2 * x / (t * t)};
       }},
      {"actanh(x)", 2,
       [](double x) {
         const double t = 1 - x * x;
         return Derivatives{std::atanh(1 / x), 1 / t, 2 * x / (t * t)};
       }},
      {"asech(x)", 0.5,
       [](double x) {
         const double t = 1 - x * x;
         return Derivatives{std::acosh(1 / x), -1 / (x * std::sqrt(t)),
                            (1 - 2 * x * x) / (x * x * t * std::sqrt(t))};
       }},
      {"acsech(x)", -0.5,
       [](double x) {
         const double t = 1 + x * x;
         return Derivatives{std::asinh(1 / x), 1 / (x * std::sqrt(t)),
                            -(1 + 2 * x * x) / (x * x * t * std::sqrt(t))};
       }},
      {"x*x*x-2/(x+3)", 0.5,
       [](double x) {
         const double d = x + 3;
         return Derivatives{x * x * x - 2 / d, 3 * x * x + 2 / (d * d), 6 * x - 4 / (d * d * d)};
       }},
      {"x^2.5", 1.3,
       [](double x) {
         return Derivatives{std::pow(x, 2.5), 2.5 * std::pow(x, 1.5), 3.75 * std::sqrt(x)};
       }},
      {"(x-1)^(-3)", 2.5,
       [](double x) {
         const double d = x - 1;
         return Derivatives{std::pow(d, -3), -3 * std::pow(d, -4), 12 * std::pow(d, -5)};
       }},
      {"2^x", 0.7,
       [](double x) {
         const double l = std::log(2.0);
         return Derivatives{std::exp2(x), std::exp2(x) * l, std::exp2(x) * l * l};
       }},
      {"x^x", 1.5,
       [](double x) {
         const double p = std::pow(x, x);
         const double l = std::log(x) + 1;
         return Derivatives{p, p * l, p * (l * l + 1 / x)};
       }},
      {"-x+sin(x)^2", 1.1,
       [](double x) {
         return Derivatives{-x + std::sin(x) * std::sin(x), -1 + std::sin(2 * x),
                            2 * std::cos(2 * x)};
       }},
  };
  const double h = 1e-3;
  for (const JetCase& c : cases) {
    SCOPED_TRACE(c.infix);
    const CompiledExpression code = Compile(c.infix);
    const DecoratedJet jet = JetOver(code, c.x0 - h, c.x0 + h);
    EXPECT_TRUE(jet.value.IsDefinedAndContinuous());
    ASSERT_EQ(jet.differentiable, kJetOrder);
    const Derivatives at = c.analytic(c.x0);
    const Derivatives lo = c.analytic(c.x0 - h);
    const Derivatives hi = c.analytic(c.x0 + h);
    for (std::size_t k = 0; k < 3; ++k) {
      SCOPED_TRACE(k);
      ExpectHolds(jet.Derivative(k), at[k], 1e-15, "at x0");
      ExpectHolds(jet.Derivative(k + 1), (hi[k] - lo[k]) / (2 * h), 1e-10, "slope");
    }
  }
}

// Boxes on which a text with a value somewhere is not three times
// differentiable (or not proven so) have no derivative enclosures.
TEST(Jet, TellsWhereNoDerivativeExists) {
  struct RoughCase {
    std::string infix;
    Interval x;
    std::uint8_t differentiable;
  };
  const std::vector<RoughCase> cases = {
      {"abs(x)", {-0.1, 0.1}, 0}, {"abs(x)", {0, 0.1}, 0},   {"abs(x)", {0.1, 0.2}, 3},
      {"int(x)", {0.9, 1.1}, 0},  {"int(x)", {1.1, 1.9}, 3}, {"sqr(x)", {0, 0.5}, 0},
      {"x^0.5", {0, 0.5}, 0},     {"x^3", {-1, 1}, 3},       {"sin(x)+abs(x-5)", {0, 1}, 3},
      {"abs(x)^2", {-1, 1}, 0},
  };
  for (const RoughCase& c : cases) {
    SCOPED_TRACE(c.infix + " over " + std::to_string(c.x.lo));
    const DecoratedJet jet = JetOver(Compile(c.infix), c.x.lo, c.x.hi);
    EXPECT_EQ(jet.differentiable, c.differentiable);
    for (std::size_t k = std::size_t{c.differentiable} + 1; k <= kJetOrder; ++k)
      EXPECT_FALSE(jet.DerivativeExcludesZero(k));
  }
}

}  // namespace
}  // namespace quillon
