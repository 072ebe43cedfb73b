// Closed intervals of doubles with outward rounding, and the decoration that
// an interval evaluation of a text carries: where on a box the text has a
// value, and whether it is continuous there.
#pragma once

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>

namespace quillon {

// The reals v with lo <= v <= hi. Every value the evaluator computes is a
// finite double, so an infinite bound never is a value: it says that the
// values are unbounded on that side. Empty when !(lo <= hi).
struct Interval {
  double lo = 0;
  double hi = 0;

  static Interval Point(double value) { return {value, value}; }
  static Interval Entire() {
    return {-std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity()};
  }
  static Interval Empty() {
    return {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()};
  }
  bool IsEmpty() const { return !(lo <= hi); }
  bool Contains(double value) const { return lo <= value && value <= hi; }
};

// Where on a box a text has a value (a point has none when a domain check
// fails or a value is not a finite double).
enum class Definedness : std::uint8_t {
  Nowhere,     // proven: no point of the box has a value
  Partly,      // neither of the others is proven: some points may lack a value
  Everywhere,  // proven: every point of the box has a value
};

struct Decoration {
  Definedness defined = Definedness::Everywhere;
  // True only with Everywhere, and only when no jump or pole can lie on the
  // box: the text is then continuous on the whole closed box.
  bool continuous = true;
};

struct DecoratedInterval {
  // Encloses the value at every point of the box that has one; Empty when
  // the decoration is Nowhere.
  Interval value;
  Decoration decoration;
  // True when proven that no point of a box that may lose values (Partly
  // defined) has the real value 0, even though the interval holds 0: the
  // interval is the hull of two rays across a pole, as 1 / (x - y) is where
  // x - y holds 0 (a quotient whose numerator excludes 0 excludes 0).
  // False elsewhere: on other boxes the interval alone tells.
  bool zeroFree = false;

  bool IsDefinedAndContinuous() const {
    return decoration.defined == Definedness::Everywhere && decoration.continuous;
  }
  // True when no point of the box has the value 0 (none, when no point has
  // a value).
  bool ExcludesZero() const { return zeroFree || !value.Contains(0); }
};

// Outward rounding. Every bound is first computed rounded to nearest, as the
// point evaluation computes its values, and then moved outward:
// - Down/Up by at least one double, for a bound of one correctly rounded
//   operation (+ - * / sqrt). The real result, and every result rounded to
//   nearest from a real result beyond it, then lie inside.
// - FarDown/FarUp by at least 15 units of 2^-53 relative plus 2^-1070, for
//   a bound computed by a libm function or by a short formula at an end of
//   the argument interval. When the real function is monotone on the
//   argument interval and every computed value lies within 7 units of 2^-53
//   relative (plus 7 times the smallest double) of the real value, the
//   moved bounds enclose every computed and every real value on the
//   interval: each end's own error, and each inner point's, is covered.
//   glibc's sin, cos, tan, atan, exp, log and pow are within 1 ulp (2 units);
//   the formulas that use this margin say why they stay within 7.
// An infinite bound stays infinite outward. Inward (a lower bound of +inf:
// every value beyond the doubles, so none is a value, which the steps flag)
// Down, Up, FarDown and FarUp give NaN, DownBy and UpBy a finite bound. A
// NaN stays NaN.
namespace outward {

inline constexpr double kSmallest = std::numeric_limits<double>::denorm_min();

// A NaN stays NaN.
inline double AtMostLargest(double x) {
  return x > DBL_MAX ? DBL_MAX : x;
}
inline double AtLeastLowest(double x) {
  return x < -DBL_MAX ? -DBL_MAX : x;
}

inline double Down(double x) {
  return x - (std::fabs(x) * 0x1p-52 + kSmallest);
}
inline double Up(double x) {
  return x + (std::fabs(x) * 0x1p-52 + kSmallest);
}
inline double FarDown(double x) {
  return x - (std::fabs(x) * 0x1p-49 + 0x1p-1070);
}
inline double FarUp(double x) {
  return x + (std::fabs(x) * 0x1p-49 + 0x1p-1070);
}

// As FarDown/FarUp for a value computed within `units` units of 2^-53
// (relative, plus `units` times the smallest double) of a monotone real
// function: moved by twice that and one more unit for their own rounding.
inline double DownBy(double x, double units) {
  const double c = AtMostLargest(x);
  return c - (std::fabs(c) * ((2 * units + 2) * 0x1p-53) + 0x1p-1070);
}
inline double UpBy(double x, double units) {
  const double c = AtLeastLowest(x);
  return c + (std::fabs(c) * ((2 * units + 2) * 0x1p-53) + 0x1p-1070);
}

// The smaller and larger of two values where a NaN (an infinite bound
// meeting another: inf - inf, inf / inf) counts as unbounded.
inline double LowerOf(double a, double b) {
  const double lower = a < b ? a : b;
  return (a != a || b != b) ? -std::numeric_limits<double>::infinity() : lower;
}
inline double UpperOf(double a, double b) {
  const double upper = a > b ? a : b;
  return (a != a || b != b) ? std::numeric_limits<double>::infinity() : upper;
}

}  // namespace outward

inline Interval operator-(Interval x) {
  return {-x.hi, -x.lo};
}

inline Interval operator+(Interval a, Interval b) {
  return {outward::Down(a.lo + b.lo), outward::Up(a.hi + b.hi)};
}

inline Interval operator-(Interval a, Interval b) {
  return {outward::Down(a.lo - b.hi), outward::Up(a.hi - b.lo)};
}

// An operand bound for products and quotients: every value is a finite
// double, so an infinite bound may be taken as the largest one, and no
// product (0 * inf) or quotient (inf / inf) is NaN.
inline double FiniteBound(double x) {
  return std::max(-DBL_MAX, std::min(x, DBL_MAX));
}

// The bounds of {a * b} rounded to nearest.
inline void ProductBounds(Interval a, Interval b, double& lo, double& hi) {
  const double a0 = FiniteBound(a.lo);
  const double a1 = FiniteBound(a.hi);
  const double b0 = FiniteBound(b.lo);
  const double b1 = FiniteBound(b.hi);
  const double p1 = a0 * b0;
  const double p2 = a0 * b1;
  const double p3 = a1 * b0;
  const double p4 = a1 * b1;
  lo = std::min(std::min(p1, p2), std::min(p3, p4));
  hi = std::max(std::max(p1, p2), std::max(p3, p4));
}

inline Interval operator*(Interval a, Interval b) {
  double lo = 0;
  double hi = 0;
  ProductBounds(a, b, lo, hi);
  return {outward::Down(lo), outward::Up(hi)};
}

// The bounds of {a / b} rounded to nearest; b must not hold 0.
inline void QuotientBounds(Interval a, Interval b, double& lo, double& hi) {
  const double a0 = FiniteBound(a.lo);
  const double a1 = FiniteBound(a.hi);
  const double b0 = FiniteBound(b.lo);
  const double b1 = FiniteBound(b.hi);
  const double q1 = a0 / b0;
  const double q2 = a0 / b1;
  const double q3 = a1 / b0;
  const double q4 = a1 / b1;
  lo = std::min(std::min(q1, q2), std::min(q3, q4));
  hi = std::max(std::max(q1, q2), std::max(q3, q4));
}

// Entire when b holds 0.
inline Interval operator/(Interval a, Interval b) {
  if (b.lo <= 0 && b.hi >= 0)
    return Interval::Entire();
  double lo = 0;
  double hi = 0;
  QuotientBounds(a, b, lo, hi);
  return {outward::Down(lo), outward::Up(hi)};
}

// The bounds of {x * x} rounded to nearest.
inline void SquareBounds(Interval x, double& lo, double& hi) {
  const double a = std::fabs(x.lo);
  const double b = std::fabs(x.hi);
  const bool straddles = (x.lo < 0) & (x.hi > 0);
  const double nearest = straddles ? 0.0 : std::min(a, b);
  const double farthest = std::max(a, b);
  lo = nearest * nearest;
  hi = farthest * farthest;
}

// x * x, never below 0.
inline Interval Square(Interval x) {
  double lo = 0;
  double hi = 0;
  SquareBounds(x, lo, hi);
  return {std::max(0.0, outward::Down(lo)), outward::Up(hi)};
}

// The square root of the non-negative part of x.
inline Interval Sqrt(Interval x) {
  return {std::max(0.0, outward::Down(std::sqrt(std::max(x.lo, 0.0)))),
          outward::Up(std::sqrt(x.hi))};
}

}  // namespace quillon
