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
#include "support/compiled_text.h"

namespace quillon {
namespace {

using testing::Compile;

const double kHalfPi = 2 * std::atan(1.0);

// f, f' and f'' at a point.
using Derivatives = std::array<double, 3>;

struct JetCase {
  std::string infix;
  double x0;
  std::function<Derivatives(double)> analytic;
};

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
  EXPECT_LT(enclosure.hi - enclosure.lo, std::max(1.0, std::fabs(value))) << what;
}

// asec and acsec as the engine defines them (atn(x / sqrt(x^2 - 1)) plus a
// multiple of pi/2) have the derivative -1 / D with D = (2x^2 - 1) sqrt(x^2 - 1).
Derivatives Secant(double x, double turn) {
  const double root = std::sqrt(x * x - 1);
  const double d = (2 * x * x - 1) * root;
  const double slopeOfD = x * (6 * x * x - 5) / root;
  return {std::atan(x / root) + turn, -1 / d, slopeOfD / (d * d)};
}

Derivatives operator+(const Derivatives& a, const Derivatives& b) {
  return {a[0] + b[0], a[1] + b[1], a[2] + b[2]};
}

// 1 / g from g, g', g''.
Derivatives Inverse(double g, double g1, double g2) {
  return {1 / g, -g1 / (g * g), (2 * g1 * g1 - g * g2) / (g * g * g)};
}

// Functions are summed, so that each case checks several rules at once.
TEST(Jet, EnclosesAnalyticDerivatives) {
  const std::vector<JetCase> cases = {
      {"sin(2*x)+cos(x)", 0.7,
       [](double x) {
         return Derivatives{std::sin(2 * x), 2 * std::cos(2 * x), -4 * std::sin(2 * x)} +
                Derivatives{std::cos(x), -std::sin(x), -std::cos(x)};
       }},
      {"tan(x)+ctan(x)+sec(x)+csec(x)", 0.6,
       [](double x) {
         const double s = std::sin(x), c = std::cos(x), t = s / c;
         return Derivatives{t, 1 + t * t, 2 * t * (1 + t * t)} +
                Inverse(t, 1 + t * t, 2 * t * (1 + t * t)) + Inverse(c, -s, -c) + Inverse(s, c, -s);
       }},
      {"atan(x)+actan(x)", -0.6,
       [](double x) {
         const double w = 1 / (1 + x * x);
         return Derivatives{2 * std::atan(x) + kHalfPi, 2 * w, -4 * x * w * w};
       }},
      {"log(x)+exp(x/2)+sqr(x)+abs(x)+int(x)", 2.5,
       [](double x) {
         const double e = std::exp(x / 2), r = std::sqrt(x);
         return Derivatives{std::log(x), 1 / x, -1 / (x * x)} + Derivatives{e, e / 2, e / 4} +
                Derivatives{r, 0.5 / r, -0.25 / (x * r)} + Derivatives{x + 2, 1, 0};
       }},
      {"asin(x)+acos(-x)", 0.3,
       [](double x) {
         const double t = 1 - x * x;
         return Derivatives{std::asin(x) + std::acos(-x), 2 / std::sqrt(t),
                            2 * x / (t * std::sqrt(t))};
       }},
      {"asec(x)+acsec(x)", 1.7, [](double x) { return Secant(x, kHalfPi) + Secant(x, 0); }},
      {"acsec(x)", -1.6, [](double x) { return Secant(x, -2 * kHalfPi); }},
      {"sinh(x)+cosh(x)+tanh(x)", 0.4,
       [](double x) {
         const double t = std::tanh(x), e = std::exp(x);
         return Derivatives{e, e, e} + Derivatives{t, 1 - t * t, -2 * t * (1 - t * t)};
       }},
      {"ctanh(x)+sech(x)+csech(x)", 0.7,
       [](double x) {
         const double t = std::tanh(x), c = std::cosh(x), s = std::sinh(x);
         return Inverse(t, 1 - t * t, -2 * t * (1 - t * t)) + Inverse(c, s, c) + Inverse(s, c, s);
       }},
      {"asinh(x)+acosh(x)", 1.5,
       [](double x) {
         const double p = x * x + 1, m = x * x - 1;
         return Derivatives{std::asinh(x), 1 / std::sqrt(p), -x / (p * std::sqrt(p))} +
                Derivatives{std::acosh(x), 1 / std::sqrt(m), -x / (m * std::sqrt(m))};
       }},
      {"atanh(x)+asech(x)", 0.5,
       [](double x) {
         const double t = 1 - x * x;
         return Derivatives{std::atanh(x), 1 / t, 2 * x / (t * t)} +
                Derivatives{std::acosh(1 / x), -1 / (x * std::sqrt(t)),
                            (1 - 2 * x * x) / (x * x * t * std::sqrt(t))};
       }},
      {"actanh(x)", 2,
       [](double x) {
         const double t = 1 - x * x;
         return Derivatives{std::atanh(1 / x), 1 / t, 2 * x / (t * t)};
       }},
      {"acsech(x)", -0.5,
       [](double x) {
         const double t = 1 + x * x;
         return Derivatives{std::asinh(1 / x), 1 / (x * std::sqrt(t)),
                            -(1 + 2 * x * x) / (x * x * t * std::sqrt(t))};
       }},
      {"x*x*x-2/(x+3)-x+sin(x)^2", 0.5,
       [](double x) {
         const double d = x + 3;
         return Derivatives{x * x * x - 2 / d, 3 * x * x + 2 / (d * d), 6 * x - 4 / (d * d * d)} +
                Derivatives{-x + std::sin(x) * std::sin(x), -1 + std::sin(2 * x),
                            2 * std::cos(2 * x)};
       }},
      {"x^2.5+(x-1)^(-3)+2^x+x^x", 1.5,
       [](double x) {
         const double d = x - 1, e = std::exp2(x), l = std::log(2.0);
         const double p = std::pow(x, x), q = std::log(x) + 1;
         return Derivatives{std::pow(x, 2.5), 2.5 * std::pow(x, 1.5), 3.75 * std::sqrt(x)} +
                Derivatives{std::pow(d, -3), -3 * std::pow(d, -4), 12 * std::pow(d, -5)} +
                Derivatives{e, e * l, e * l * l} + Derivatives{p, p * q, p * (q * q + 1 / x)};
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
