// Interval evaluation: enclosures and decorations of each operator and
// function at known points, poles, domain ends and jumps; the point
// evaluations of random boxes lie inside their enclosures; many boxes at once
// give the same bits as one at a time.
#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "expr/compiled_expression.h"
#include "expr/engine_error.h"
#include "expr/random_generator.h"
#include "expr/undefined_mark.h"
#include "support/compiled_text.h"

namespace quillon {
namespace {

using testing::Compile;

// Real values are computed in long double (64-bit mantissa), so that an
// enclosure that is not rounded outward far enough misses them.
using Real = long double;

const double kInf = std::numeric_limits<double>::infinity();
const double kPi = std::acos(-1.0);
const double kHalfPi = 2 * std::atan(1.0);
const Real kRealPi = acosl(-1);
const Real kRealHalfPi = kRealPi / 2;
constexpr Definedness kEverywhere = Definedness::Everywhere;
constexpr Definedness kPartly = Definedness::Partly;
constexpr Definedness kNowhere = Definedness::Nowhere;

VariableBox BoxOfX(double lo, double hi) {
  VariableBox box;
  box.X = {lo, hi};
  return box;
}

struct EnclosureCase {
  std::string infix;
  Interval x;
  struct {
    Real lo;
    Real hi;
  } expected;  // the range of the real function; infinite ends: unbounded
  Definedness defined;
  bool continuous;
  // How much wider than the real range the enclosure may be at a finite end,
  // relative: a formula that cancels computes values that far off.
  Real slack = 0x1p-40;
};

// The enclosure holds the real range and is at most `slack` wider at a
// finite end; an infinite end must be infinite.
void ExpectEncloses(const Interval& got, Real lo, Real hi, Real relativeSlack) {
  auto slack = [&](Real v) { return relativeSlack * std::max(Real(1), std::fabs(v)); };
  if (std::isinf(lo)) {
    EXPECT_EQ(got.lo, lo);
  } else {
    EXPECT_LE(got.lo, lo);
    EXPECT_GE(got.lo, lo - slack(lo));
  }
  if (std::isinf(hi)) {
    EXPECT_EQ(got.hi, hi);
  } else {
    EXPECT_GE(got.hi, hi);
    EXPECT_LE(got.hi, hi + slack(hi));
  }
}

TEST(IntervalEvaluation, OperatorsAndFunctions) {
  // log of the least x > 0
  const Real edge = std::log(std::numeric_limits<double>::denorm_min());
  const Real loose = kInf;  // the enclosure need only hold the range
  // The engine's own definitions, as the point evaluation computes them.
  const auto sgn = [](Real v) { return v > 0 ? Real(1) : (v < 0 ? Real(-1) : Real(0)); };
  const auto asec = [&](Real x) {
    return std::atan(x / sqrtl(x * x - 1)) + sgn(x - 1) * kRealHalfPi;
  };
  const auto acsec = [&](Real x) {
    return std::atan(x / sqrtl(x * x - 1)) + (sgn(x) - 1) * kRealHalfPi;
  };
  const std::vector<EnclosureCase> cases = {
      {"x+1", {1, 2}, {2, 3}, kEverywhere, true},
      {"x*x", {-1, 2}, {-2, 4}, kEverywhere, true},  // each factor on its own
      {"x^2", {-1, 2}, {0, 4}, kEverywhere, true},
      {"x^3", {-2, 1}, {-8, 1}, kEverywhere, true},
      {"x^4", {-2, 1}, {0, 16}, kEverywhere, true},
      {"x^0", {-5, 5}, {1, 1}, kEverywhere, true},
      {"x^0.5", {0, 4}, {0, 2}, kEverywhere, true},
      {"x^0.5", {-1, 4}, {0, 2}, kPartly, false},  // a negative base, a fractional exponent
      {"x^0.5", {-2, -1}, {}, kNowhere, false},
      {"x^-1", {2, 4}, {0.25, 0.5}, kEverywhere, true},
      {"x^-1", {-1, 1}, {-kInf, kInf}, kPartly, false},
      {"x^-2", {-1, 1}, {1, kInf}, kPartly, false},
      {"2^x", {1, 3}, {2, 8}, kEverywhere, true},
      {"x^x", {1, 2}, {1, 4}, kEverywhere, true},
      // |x| of a box ending at 0 has the bound -0, which must not hide the pole.
      {"abs(x)^x", {-1, 0}, {1, kInf}, kPartly, false},
      {"(-2)^x", {1, 3}, {-8, 8}, kPartly, false},  // values at whole exponents only
      {"(-2)^x", {1.2, 1.8}, {}, kNowhere, false},
      {"1/x", {1, 2}, {0.5, 1}, kEverywhere, true},
      {"1/x", {-1, 1}, {-kInf, kInf}, kPartly, false},
      {"1/x", {0, 0}, {}, kNowhere, false},
      {"1/(x-0.37)", {0.3, 0.4}, {-kInf, kInf}, kPartly, false},
      {"x*10^300*10^300", {-1, 1}, {-kInf, kInf}, kPartly, false},  // overflow beside 0
      {"x*10^300*10^300", {1, 2}, {}, kNowhere, false},
      {"10^300*10^300", {0, 1}, {}, kNowhere, false},
      {"x/x", {1, 2}, {0.5, 2}, kEverywhere, true},
      {"sin(x)", {0.5, 1}, {sinl(0.5), sinl(1)}, kEverywhere, true},
      {"sin(x)", {0, kPi}, {0, 1}, kEverywhere, true},
      {"sin(x)", {-100, 100}, {-1, 1}, kEverywhere, true},
      // Narrow boxes are taken from the midpoint: wider by up to r^2.
      {"sin(x)", {1, 1 + 0x1p-10}, {sinl(1), sinl(1 + 0x1p-10)}, kEverywhere, true, 1e-6},
      {"cos(x)", {-1e-4, 2e-4}, {cosl(2e-4), 1}, kEverywhere, true, 1e-7},
      {"sin(x)", {1e-9, 2e-9}, {sinl(1e-9), sinl(2e-9)}, kEverywhere, true, 1e-15},
      {"cos(x)", {3, 3.5}, {-1, cosl(3.5)}, kEverywhere, true},
      {"cos(x)", {-0.5, 0.25}, {cosl(-0.5), 1}, kEverywhere, true},
      {"tan(x)", {-1, 1}, {tanl(-1), tanl(1)}, kEverywhere, true},
      {"tan(x)", {1.5, 1.6}, {-kInf, kInf}, kPartly, false},  // a pole
      {"sec(x)", {1.5, 1.6}, {-kInf, kInf}, kPartly, false},
      {"sec(x)", {-1, 1}, {1, 1 / cosl(1)}, kEverywhere, true},
      {"csec(x)", {-0.1, 0.1}, {-kInf, kInf}, kPartly, false},
      {"ctan(x)", {3, 3.2}, {-kInf, kInf}, kPartly, false},
      {"ctan(x)", {0.5, 1}, {1 / tanl(1), 1 / tanl(0.5)}, kEverywhere, true},
      {"atan(x)", {-1, 2}, {atanl(-1), atanl(2)}, kEverywhere, true},
      {"actan(x)", {0, 1}, {kRealHalfPi, atanl(1) + kRealHalfPi}, kEverywhere, true},
      {"log(x)", {1, 2}, {0, logl(2)}, kEverywhere, true},
      {"log(x)", {0, 1}, {edge, 0}, kPartly, false},  // a domain end
      {"log(x)", {-2, 0}, {}, kNowhere, false},
      {"exp(x)", {-1, 1}, {expl(-1), expl(1)}, kEverywhere, true},
      {"exp(x)", {700, 710}, {expl(700), kInf}, kPartly, false},  // overflow
      {"exp(x)", {710, 720}, {}, kNowhere, false},
      {"abs(x)", {-3, 2}, {0, 3}, kEverywhere, true},
      {"int(x)", {1.2, 1.8}, {1, 1}, kEverywhere, true},
      {"int(x)", {0.5, 1.5}, {0, 1}, kEverywhere, false},  // a jump
      {"int(x)", {0.5, 1}, {0, 1}, kEverywhere, false},    // a jump at the end
      {"sqr(x)", {0, 4}, {0, 2}, kEverywhere, true},
      {"sqr(x)", {-1, 4}, {0, 2}, kPartly, false},
      {"sqr(x)", {-4, -1}, {}, kNowhere, false},
      {"sqr(x^2)", {-2, 1}, {0, 2}, kEverywhere, true},
      {"asin(x)", {-0.5, 0.5}, {asinl(-0.5), asinl(0.5)}, kEverywhere, true},
      {"asin(x)", {0.5, 2}, {asinl(0.5), kRealHalfPi}, kPartly, false},  // no value at 1
      {"asin(x)", {1.5, 2}, {}, kNowhere, false},
      {"acos(x)", {-0.5, 0.5}, {acosl(0.5), acosl(-0.5)}, kEverywhere, true},
      {"asec(x)", {2, 3}, {asec(3), asec(2)}, kEverywhere, true},
      {"asec(x)", {-3, -2}, {asec(-2), asec(-3)}, kEverywhere, true},
      {"asec(x)", {1.001, 1.002}, {asec(1.002), asec(1.001)}, kEverywhere, true},
      {"asec(x)", {-0.5, 0.5}, {}, kNowhere, false},
      {"asec(x)", {-2, 2}, {asec(-2), asec(2)}, kPartly, false, loose},
      {"acsec(x)", {2, 3}, {acsec(3), acsec(2)}, kEverywhere, true},
      {"acsec(x)", {-3, -2}, {acsec(-2), acsec(-3)}, kEverywhere, true},
      {"sinh(x)", {-1, 2}, {sinhl(-1), sinhl(2)}, kEverywhere, true},
      {"cosh(x)", {-1, 2}, {1, coshl(2)}, kEverywhere, true},
      {"tanh(x)", {-1, 2}, {tanhl(-1), tanhl(2)}, kEverywhere, true},
      {"ctanh(x)", {1, 2}, {1 / tanhl(2), 1 / tanhl(1)}, kEverywhere, true},
      {"ctanh(x)", {-1, 1}, {-kInf, kInf}, kPartly, false},  // a pole at 0
      {"sech(x)", {1, 2}, {1 / coshl(2), 1 / coshl(1)}, kEverywhere, true},
      {"csech(x)", {-2, -1}, {1 / sinhl(-1), 1 / sinhl(-2)}, kEverywhere, true},
      {"sinh(x)", {709, 711}, {sinhl(709), DBL_MAX / 2}, kPartly, false},
      {"asinh(x)", {-1000, -999}, {asinhl(-1000), asinhl(-999)}, kEverywhere, true, 1e-8},
      {"asinh(x)", {-1, 2}, {asinhl(-1), asinhl(2)}, kEverywhere, true},
      {"acosh(x)", {1.5, 2}, {acoshl(1.5), acoshl(2)}, kEverywhere, true},
      {"acosh(x)", {0, 2}, {0, acoshl(2)}, kPartly, false, loose},
      {"atanh(x)", {-0.5, 0.5}, {atanhl(-0.5), atanhl(0.5)}, kEverywhere, true},
      {"atanh(x)", {0.5, 1}, {atanhl(0.5), kInf}, kPartly, false, loose},
      {"asech(x)", {0.5, 0.9}, {acoshl(1 / 0.9), acoshl(2)}, kEverywhere, true},
      {"acsech(x)", {1, 2}, {asinhl(0.5), asinhl(1)}, kEverywhere, true},
      {"acsech(x)", {-3, -2}, {asinhl(-0.5), asinhl(-1 / 3.0)}, kEverywhere, true},
      {"acsech(x)", {-1, 1}, {asinhl(-1e300), asinhl(1e300)}, kPartly, false, loose},
      {"actanh(x)", {2, 3}, {atanhl(1 / 3.0), atanhl(0.5)}, kEverywhere, true},
      {"actanh(x)", {0.5, 2}, {-kInf, kInf}, kPartly, false},
      {"rnd(1)", {0, 0}, {0, 1}, kEverywhere, false},  // never continuous
  };
  for (const EnclosureCase& c : cases) {
    SCOPED_TRACE(c.infix + " on [" + std::to_string(c.x.lo) + ", " + std::to_string(c.x.hi) + "]");
    const DecoratedInterval result = Compile(c.infix).EvaluateBox(BoxOfX(c.x.lo, c.x.hi));
    EXPECT_EQ(result.decoration.defined, c.defined);
    EXPECT_EQ(result.decoration.continuous, c.continuous);
    if (c.defined == kNowhere) {
      EXPECT_TRUE(result.value.IsEmpty());
    } else {
      ExpectEncloses(result.value, c.expected.lo, c.expected.hi, c.slack);
    }
  }
}

// Texts with failing tokens or without a value.
TEST(IntervalEvaluation, FailingTokensAndEmptyTexts) {
  struct FailureCase {
    std::string postfix;
    Interval x;
    bool throws;
  };
  // On [-2, -1] every point ends undefined before the failing token.
  const std::vector<FailureCase> cases = {
      {"XX FOO ", {0, 1}, true},
      {"XX LOG FOO ", {-2, -1}, false},
      {"XX LOG FOO ", {-1, 1}, true},
      {"XX + ", {0, 1}, true},
      {"", {0, 1}, false},
      {"XX", {0, 1}, false},
  };
  for (const FailureCase& c : cases) {
    SCOPED_TRACE(c.postfix);
    const CompiledExpression compiled(c.postfix);
    const std::vector<Interval> boxes(300, c.x);
    std::vector<DecoratedInterval> results(boxes.size());
    if (c.throws) {
      EXPECT_THROW(compiled.EvaluateBox(BoxOfX(c.x.lo, c.x.hi)), EngineError);
      EXPECT_THROW(
          compiled.EvaluateBoxes({}, Variable::X, boxes.data(), boxes.size(), results.data()),
          EngineError);
    } else {
      EXPECT_EQ(compiled.EvaluateBox(BoxOfX(c.x.lo, c.x.hi)).decoration.defined, kNowhere);
      compiled.EvaluateBoxes({}, Variable::X, boxes.data(), boxes.size(), results.data());
      EXPECT_EQ(results.back().decoration.defined, kNowhere);
    }
  }
}

// True when a multiple offset + k * period lies inside [lo, hi], clear of
// its ends by more than rounding can blur.
bool HoldsMultiple(double lo, double hi, double offset, double period) {
  const double margin = 1e-9 * std::max(1.0, std::max(std::fabs(lo), std::fabs(hi)));
  const double k = std::ceil((lo + margin - offset) / period);
  return offset + k * period < hi - margin;
}

// Where the real function jumps, has a pole or a domain end (and every
// period after each, when periodic): a box proven continuous holds none of
// them. RND jumps everywhere (period 0).
struct PropertyCase {
  std::string infix;
  std::vector<double> jumps;
  double period = 1e300;
};

bool HoldsJump(const PropertyCase& c, double lo, double hi) {
  if (c.period == 0)
    return lo < hi;
  return std::any_of(c.jumps.begin(), c.jumps.end(),
                     [&](double jump) { return HoldsMultiple(lo, hi, jump, c.period); });
}

// Texts that share their jumps.
struct PropertyGroup {
  std::vector<std::string> infix;
  std::vector<double> jumps;
  double period = 1e300;
};

const PropertyGroup kPropertyGroups[] = {
    {{"int(x*3.5)"}, {0}, 1 / 3.5},
    {{"tan(x)", "sec(x)"}, {kHalfPi}, kPi},
    {{"csec(x)", "ctan(x)"}, {0}, kPi},
    {{"int(x)+int(y)"}, {0}, 1},
    {{"x*rnd(1)"}, {}, 0},
    {{"1/(x-0.37)"}, {0.37}},
    {{"log(abs(x))*4", "sqr(x)", "x^0.5", "x^-1", "ctanh(x)", "csech(x)", "acsech(x)"}, {0}},
    {{"asin(x)", "asec(x)", "acsec(x)", "acos(x)", "atanh(x)", "actanh(x)"}, {-1, 1}},
    {{"asech(x)"}, {0, 1}},
    {{"acosh(x)"}, {1}},
    {{"x^y", "atan(y/x)+log(x^2+y^2)", "(-2)^x", "2*sin(x)^2", "x^2+1", "(-2.5)*x+x*(-0.5)",
      "sqr(abs(x))*cos(x)/(1+x^2)", "sinh(x)-cosh(x)*tanh(x)", "cosh(x)*sech(x)+tanh(y)",
      "exp(exp(x))", "asinh(x*100)", "actan(x)"},
     {}},
};

bool SameBits(const DecoratedInterval& a, const DecoratedInterval& b) {
  return std::memcmp(&a.value, &b.value, sizeof a.value) == 0 &&
         a.decoration.defined == b.decoration.defined &&
         a.decoration.continuous == b.decoration.continuous && a.zeroFree == b.zeroFree;
}

// A random box end: near the places where functions turn, jump or fail, or
// anywhere in -1000..1000; as a float, so that the float evaluation can
// take it.
float RandomEnd(std::mt19937& random) {
  const double places[] = {0, 1, -1, 0.37, kHalfPi, -kHalfPi, kPi, 3.5, 89.99979, 710};
  std::uniform_int_distribution<int> pick(0, 12);
  std::uniform_real_distribution<double> unit(-1, 1);
  const int choice = pick(random);
  if (choice < 10)
    return static_cast<float>(places[choice] + unit(random) * 0.01);
  return static_cast<float>(unit(random) * (choice == 10 ? 2 : (choice == 11 ? 20 : 1000)));
}

// Float points spread over [lo, hi], its ends included.
std::vector<float> PointsIn(float lo, float hi, std::mt19937& random) {
  std::vector<float> points = {lo, hi};
  std::uniform_real_distribution<double> unit(0, 1);
  for (int i = 0; i < 8; ++i) {
    const auto p = static_cast<float>(lo + (static_cast<double>(hi) - lo) * unit(random));
    points.push_back(std::min(hi, std::max(lo, p)));
  }
  return points;
}

// A run of boxes that share their ends (a row of pixels) gives the bits of
// single boxes, whatever the run keeps from one box for the next; a
// power-of-two scale keeps the shared ends exact, another number widens.
TEST(IntervalEvaluation, AdjacentBoxesGiveTheBitsOfSingleBoxes) {
  for (const char* text : {"tan(4*x)", "tan(x)*2+tan(x/2)", "ctan(0.5*x)"}) {
    SCOPED_TRACE(text);
    const CompiledExpression compiled = Compile(text);
    std::vector<Interval> boxes;
    for (int i = 0; i < 400; ++i)
      boxes.push_back({-10 + i * 0.05, -10 + (i + 1) * 0.05});
    std::vector<DecoratedInterval> run(boxes.size());
    compiled.EvaluateBoxes({}, Variable::X, boxes.data(), boxes.size(), run.data());
    for (std::size_t b = 0; b < boxes.size(); ++b)
      ASSERT_TRUE(SameBits(compiled.EvaluateBox(BoxOfX(boxes[b].lo, boxes[b].hi)), run[b])) << b;
  }
  // A box that is itself a power of two scales exactly too, in a run as alone.
  const CompiledExpression times = Compile("e*x");
  std::vector<Interval> powers = {{0.5, 0.5}, {1, 1}, {3, 3}, {4, 4}};
  std::vector<DecoratedInterval> scaledRun(powers.size());
  times.EvaluateBoxes({}, Variable::X, powers.data(), powers.size(), scaledRun.data());
  for (std::size_t b = 0; b < powers.size(); ++b)
    EXPECT_TRUE(SameBits(times.EvaluateBox(BoxOfX(powers[b].lo, powers[b].hi)), scaledRun[b])) << b;
  const Interval scaled = Compile("4*x").EvaluateBox(BoxOfX(0.1, 0.3)).value;
  EXPECT_EQ(scaled.lo, 4 * 0.1);
  EXPECT_EQ(scaled.hi, 4 * 0.3);
  const Interval widened = Compile("3*x").EvaluateBox(BoxOfX(0.1, 0.3)).value;
  EXPECT_LT(widened.lo, 3 * 0.1);
  EXPECT_GT(widened.hi, 3 * 0.3);
}

// Every point evaluation of a box lies in the box's enclosure, in double
// precision and as the float evaluation gives it (which is the double value
// converted); definedness and continuity claims hold; runs of boxes give the
// bits of single boxes.
TEST(IntervalEvaluation, PointsLieInTheEnclosureOfTheirBox) {
  std::mt19937 random(12);
  constexpr int kBoxes = 300;  // more than a block
  std::vector<PropertyCase> cases;
  for (const PropertyGroup& group : kPropertyGroups) {
    for (const std::string& infix : group.infix)
      cases.push_back({infix, group.jumps, group.period});
  }
  for (const PropertyCase& c : cases) {
    SCOPED_TRACE(c.infix);
    const CompiledExpression compiled = Compile(c.infix);
    RandomGenerator floatRandom;
    RandomGenerator doubleRandom;
    VariableBox fixed;
    const float y1 = RandomEnd(random);
    const float y2 = RandomEnd(random);
    fixed.Y = {std::min(y1, y2), std::max(y1, y2)};
    std::vector<Interval> boxes;
    for (int b = 0; b < kBoxes; ++b) {
      const float a = RandomEnd(random);
      const float width = b % 3 == 0 ? 0.0f : std::pow(10.0f, static_cast<float>(b % 7) - 4);
      const float end = a + (b % 2 == 0 ? width : -width);
      boxes.push_back({std::min(a, end), std::max(a, end)});
    }
    std::vector<DecoratedInterval> many(boxes.size());
    compiled.EvaluateBoxes(fixed, Variable::X, boxes.data(), boxes.size(), many.data());
    for (std::size_t b = 0; b < boxes.size(); ++b) {
      VariableBox box = fixed;
      box.X = boxes[b];
      const DecoratedInterval enclosure = compiled.EvaluateBox(box);
      ASSERT_TRUE(SameBits(enclosure, many[b])) << "box " << b;
      const Interval& v = enclosure.value;
      SCOPED_TRACE("x in [" + std::to_string(box.X.lo) + ", " + std::to_string(box.X.hi) +
                   "] -> [" + std::to_string(v.lo) + ", " + std::to_string(v.hi) + "]");
      if (enclosure.decoration.continuous) {
        EXPECT_FALSE(HoldsJump(c, box.X.lo, box.X.hi));
      }
      const std::vector<float> xs =
          PointsIn(static_cast<float>(box.X.lo), static_cast<float>(box.X.hi), random);
      const std::vector<float> ys =
          PointsIn(static_cast<float>(fixed.Y.lo), static_cast<float>(fixed.Y.hi), random);
      for (std::size_t i = 0; i < xs.size(); ++i) {
        VariableValues point;
        point.X = xs[i];
        point.Y = ys[i];
        VariablePoint precise;
        precise.X = point.X;
        precise.Y = point.Y;
        float single = 0;
        ASSERT_TRUE(compiled.Evaluate(point, single, floatRandom));
        const std::optional<double> value = compiled.EvaluatePoint(precise, doubleRandom);
        const bool inFloatRange = value && std::fabs(*value) <= FLT_MAX;
        const float converted = inFloatRange ? static_cast<float>(*value) : UndefinedMark;
        EXPECT_EQ(std::memcmp(&single, &converted, sizeof single), 0) << "x=" << xs[i];
        if (value) {
          EXPECT_NE(enclosure.decoration.defined, kNowhere) << "x=" << xs[i];
          EXPECT_TRUE(v.Contains(*value)) << "x=" << xs[i] << " value " << *value;
          if (single != UndefinedMark) {
            EXPECT_GE(single, static_cast<float>(v.lo));
            EXPECT_LE(single, static_cast<float>(v.hi));
          }
        } else {
          EXPECT_NE(enclosure.decoration.defined, kEverywhere) << "x=" << xs[i];
        }
      }
    }
  }
}

}  // namespace
}  // namespace quillon
