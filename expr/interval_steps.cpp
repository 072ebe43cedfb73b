// The interval steps of division, powers, the trigonometric functions and the
// inverse functions.
#include "expr/interval_steps.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace quillon::evaluation {
namespace {

using outward::Down;
using outward::FarDown;
using outward::FarUp;
using outward::Up;

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// The flags of a domain check that fails for values at or below `edge`
// (strictly below when `strict`), applied to the interval v of the checked
// value.
BoxFlags BelowFlags(Interval v, double edge, bool strict) {
  const bool none = strict ? v.hi < edge : v.hi <= edge;
  const bool some = strict ? v.lo < edge : v.lo <= edge;
  return none ? kLosesAll : (some ? kMayLoseValue : 0);
}

// A check "t <= 0 fails" followed by log(t): t's interval loses its
// non-positive part, and an infinite t gives no value.
BoxFlags LogOfPositive(Interval t, Interval& r) {
  const double lo = std::log(std::max(t.lo, outward::kSmallest));
  const double hi = std::log(t.hi);
  r = {FarDown(lo), FarUp(hi)};
  return BelowFlags(t, 0, false) | RangeFlags(lo, hi);
}

// The enclosure of a formula evaluated at the two ends of an interval on
// which its real value is monotone and its computed value everywhere within
// `units` units of 2^-53 of the real one (see outward::FarDown).
Interval MonotoneFormula(double atLo, double atHi, double units = 7) {
  return {outward::DownBy(outward::LowerOf(atLo, atHi), units),
          outward::UpBy(outward::UpperOf(atLo, atHi), units)};
}

double Sgn(double x) {
  return evaluation::Sgn(x);
}

// sin, cos and tan turn, or have a pole, at the whole multiples of pi/2.
// QuarterTurns is x / (pi/2), widened so that it holds the real quotient: a
// turn found inside may lie just outside x, which only loosens the bounds.
struct QuarterTurns {
  double lo = 0;
  double hi = 0;
};

// False when the quarter turns are not known well enough (|x| near 2^50 or
// beyond, or an infinite bound): every turn may then lie inside.
bool ToQuarterTurns(Interval x, QuarterTurns& turns) {
  constexpr double kTwoOverPi = 0.636619772367581343076;
  turns.lo = FarDown(x.lo * kTwoOverPi);
  turns.hi = FarUp(x.hi * kTwoOverPi);
  return std::fabs(turns.lo) < 0x1p50 && std::fabs(turns.hi) < 0x1p50;
}

// True when the turns hold a number k * period + residue for a whole k. The
// arithmetic is exact on whole numbers below 2^53, and rounding of
// turns.lo - residue can only make the test hold more often.
bool HoldsTurn(QuarterTurns turns, double period, double residue) {
  return std::ceil((turns.lo - residue) / period) * period + residue <= turns.hi;
}

// sin or cos from its values at the ends, widened to +-1 where a maximum or
// minimum lies inside; `phase` is the quarter turn of the maximum (1 for
// sin, 0 for cos).
Interval Wave(Interval x, double atLo, double atHi, double phase) {
  QuarterTurns turns;
  if (!ToQuarterTurns(x, turns))
    return {FarDown(-1), FarUp(1)};
  const double lo = HoldsTurn(turns, 4, phase + 2) ? -1.0 : std::min(atLo, atHi);
  const double hi = HoldsTurn(turns, 4, phase) ? 1.0 : std::max(atLo, atHi);
  return {FarDown(lo), FarUp(hi)};
}

// Boxes at most this wide take sin and cos from the midpoint.
constexpr double kNarrowWave = 0x1p-9;

// sin or cos of a narrow x from the midpoint m, where gcc computes both in
// one sincos call, in place of two calls at the ends. Within the radius r
// of m the real function moves by at most r times its slope's largest
// size, itself within r of the size at m (sin and cos change at rate at
// most 1): |f(x) - f(m)| <= r (|f'(m)| + r). Each computed value is within
// 1 ulp, 2^-52 relative, of the real one (covered by 2^-50 of the values
// and of the slope), and the margin itself is rounded up by a factor.
Interval NarrowWave(Interval x, bool cosine) {
  const double m = x.lo + (x.hi - x.lo) / 2;
  const double r = Up(std::max(x.hi - m, m - x.lo));
  const double sine = std::sin(m);
  const double cosineValue = std::cos(m);
  const double value = cosine ? cosineValue : sine;
  const double slope = cosine ? sine : cosineValue;
  const double margin =
      (r * (std::fabs(slope) + r + 0x1p-50) + 0x1p-50 * (std::fabs(value) + r) + 0x1p-1070) *
      (1 + 0x1p-50);
  return {std::max(FarDown(-1), Down(value - margin)), std::min(FarUp(1), Up(value + margin))};
}

Interval SineOrCosine(Interval x, bool cosine) {
  if (x.hi - x.lo <= kNarrowWave)
    return NarrowWave(x, cosine);
  return cosine ? Wave(x, std::cos(x.lo), std::cos(x.hi), 0)
                : Wave(x, std::sin(x.lo), std::sin(x.hi), 1);
}

// tan is increasing between its poles, which lie at the odd quarter turns.
// A box that may hold a pole is not proven defined: the step claims only
// what it can show.
// An end of a box and tan there, kept by a run of boxes for the next box
// that starts where this one ends.
struct TangentEnd {
  double at = std::numeric_limits<double>::quiet_NaN();
  double value = 0;
};

BoxFlags Tangent(Interval x, Interval& r, TangentEnd* end = nullptr) {
  // On a box narrower than 1, a pole lies inside exactly when tan falls
  // from one end to the other: across one pole the difference is at least
  // pi - 1 (tan rises at rate 1 or more), far beyond rounding, and without
  // one tan rises. This spares the search for quarter turns.
  if (x.hi - x.lo <= 1) {
    const double atLo = end != nullptr && end->at == x.lo ? end->value : std::tan(x.lo);
    const double atHi = x.hi == x.lo ? atLo : std::tan(x.hi);
    if (end != nullptr) {
      *end = {x.hi, atHi};
    }
    if (atLo <= atHi) {
      r = {FarDown(atLo), FarUp(atHi)};
      return 0;
    }
    if (x.hi - x.lo > 0) {
      r = Interval::Entire();
      return kMayLoseValue;
    }
  }
  QuarterTurns turns;
  if (!ToQuarterTurns(x, turns) || HoldsTurn(turns, 2, 1)) {
    r = Interval::Entire();
    return kMayLoseValue;
  }
  const double atLo = std::tan(x.lo);
  // A point (a corner of a pixel) needs one call.
  const double atHi = x.hi == x.lo ? atLo : std::tan(x.hi);
  r = {FarDown(atLo), FarUp(atHi)};
  return 0;
}

// atn(q), the last step of asin, acos, asec and acsec.
Interval ArcTangent(Interval q) {
  return {FarDown(std::atan(q.lo)), FarUp(std::atan(q.hi))};
}

// sqrt(t) after a check that fails for t <= 0: t's interval loses its
// non-positive part, and the root is positive.
Interval RootOfPositive(Interval t) {
  return Sqrt({std::max(t.lo, outward::kSmallest), t.hi});
}

// q = x / sqrt(x*x - 1) of asec and acsec. Followed operation by operation
// the quotient loses the dependence of numerator and denominator (much wider
// than the real range). On either side of the poles at -1 and 1, q is
// monotone, and the rounding of x*x counts k = x*x / (x*x - 1) times
// relative to x*x - 1: the computed q is within k/2 + 2.5 units of 2^-53
// of the real one (the root halves the error, it and the quotient add one
// rounding each), k largest at the end nearest the pole. k computed is
// within a fifth of the real k, as x*x - 1 is at least 2^-51. The formula
// at the ends then encloses q. Over or at a pole the quotient is followed
// operation by operation.
Interval SecantQuotient(Interval x, Interval t) {
  if (x.lo > 1 || x.hi < -1) {
    auto formula = [](double v) { return v / std::sqrt(v * v - 1); };
    const double nearest = x.lo > 1 ? x.lo : x.hi;
    const double k = nearest * nearest / (nearest * nearest - 1);
    return MonotoneFormula(formula(x.lo), formula(x.hi), k + 4);
  }
  return x / RootOfPositive(t);
}

BoxFlags ArcSine(Op op, Interval x, Interval& r) {
  Interval square;
  BoxFlags flags = 0;
  SquareStep(x, square, flags);
  const Interval t = Interval::Point(1) - square;
  flags |= BelowFlags(t, 0, false);
  const Interval root = RootOfPositive(t);
  // x and the root are each monotone on either side of 0, in the directions
  // that make the quotient's ends those of x's ends: no dependence is lost.
  if (op == Op::Asin) {
    r = ArcTangent(x / root);
  } else {
    r = ArcTangent(-x / root) + Interval::Point(kHalfPi);
  }
  return flags;
}

BoxFlags ArcSecant(Op op, Interval x, Interval& r) {
  Interval square;
  BoxFlags flags = 0;
  SquareStep(x, square, flags);  // an infinite x*x fails the check of t
  Interval t = square - Interval::Point(1);
  flags |= BelowFlags(t, 0, false);
  t.hi = std::min(t.hi, DBL_MAX);
  // The added multiple of q: sgn(x - 1) or sgn(x) - 1 (the sign of x - 1
  // rounded is that of x - 1), times q exactly.
  const Interval turn = op == Op::Asec ? Interval{Sgn(x.lo - 1), Sgn(x.hi - 1)}
                                       : Interval{Sgn(x.lo) - 1, Sgn(x.hi) - 1};
  r = ArcTangent(SecantQuotient(x, t)) + Interval{turn.lo * kHalfPi, turn.hi * kHalfPi};
  return flags;
}

// asinh's t = x + sqrt(x*x + 1) cancels for negative x, where following it
// operation by operation would lose its value for no reason. The computed
// root s is within 2 units of 2^-53 of the real one, so the computed t is
// within 2 s + |t| <= 5 s units of the real t(x), which increases with x:
// the computed t at the ends, moved by 16 units of the largest s, encloses
// it.
BoxFlags AreaSine(Interval x, Interval& r) {
  Interval square;
  BoxFlags flags = 0;
  SquareStep(x, square, flags);  // an infinite x*x gives t = inf: no value
  const double largestRoot = Sqrt(square + Interval::Point(1)).hi;
  const double margin = largestRoot * 0x1p-49 + outward::kSmallest;
  auto formula = [](double v) { return v + std::sqrt(v * v + 1); };
  const Interval t = {Down(formula(x.lo) - margin), Up(formula(x.hi) + margin)};
  return flags | LogOfPositive(t, r);
}

BoxFlags AreaCosine(Interval x, Interval& r) {
  Interval square;
  BoxFlags flags = 0;
  SquareStep(x, square, flags);
  Interval d = square - Interval::Point(1);
  flags |= BelowFlags(d, 0, true);
  d.lo = std::max(d.lo, 0.0);
  // For x >= 1 both terms increase with x: no dependence is lost.
  return flags | LogOfPositive(x + Sqrt(d), r);
}

// atanh's t = (1 + x) / (1 - x) and actanh's t = (x + 1) / (x - 1): three
// roundings of exact operands, within 3 units of 2^-53, and monotone on
// either side of the pole at 1.
BoxFlags AreaTangent(Op op, Interval x, Interval& r) {
  if (x.lo <= 1 && x.hi >= 1) {
    r = Interval::Entire();
    return x.lo == 1 && x.hi == 1 ? kLosesAll : kMayLoseValue;
  }
  auto formula = [op](double v) { return op == Op::Atanh ? (1 + v) / (1 - v) : (v + 1) / (v - 1); };
  Interval logarithm;
  const BoxFlags flags = LogOfPositive(MonotoneFormula(formula(x.lo), formula(x.hi)), logarithm);
  r = {Down(logarithm.lo / 2), Up(logarithm.hi / 2)};
  return flags;
}

BoxFlags AreaSecant(Interval x, Interval& r) {
  Interval square;
  BoxFlags flags = 0;
  SquareStep(x, square, flags);
  Interval d = Interval::Point(1) - square;
  flags |= BelowFlags(d, 0, true);
  d.lo = std::max(d.lo, 0.0);
  Interval t;
  // The division fails where x holds 0, as the check x = 0 does. For x > 0
  // the numerator falls as x rises: no dependence is lost.
  flags |= DivideStep(Interval::Point(1) + Sqrt(d), x, t);
  return flags | LogOfPositive(t, r);
}

// acsech's t = (sgn(x) * sqrt(x*x + 1) + 1) / x. For x > 0 no operation
// cancels (within 4 units of 2^-53); for x <= -2 the cancelling 1 - s loses
// at most s / (s - 1) < 2 times the root's 2 units (within 6); t is
// monotone on either side of 0. Elsewhere it is followed operation by
// operation.
BoxFlags AreaCosecant(Interval x, Interval& r) {
  Interval square;
  BoxFlags flags = 0;
  SquareStep(x, square, flags);
  Interval t;
  if (x.lo > 0 || x.hi <= -2) {
    auto formula = [](double v) { return (Sgn(v) * std::sqrt(v * v + 1) + 1) / v; };
    t = MonotoneFormula(formula(x.lo), formula(x.hi));
  } else {
    const Interval signedRoot = Interval{Sgn(x.lo), Sgn(x.hi)} * Sqrt(square + Interval::Point(1));
    flags |= DivideStep(signedRoot + Interval::Point(1), x, t);  // fails at x = 0 as the check
  }
  return flags | LogOfPositive(t, r);
}

// a^b for bases a >= 0: monotone in a and in b separately (0^b is 0, 1 and
// no value for b > 0, = 0 and < 0), so the extremes lie at the corners.
// A bound of -0 (as |x| gives for boxes ending at 0) is taken as +0: pow
// gives -0 an odd exponent's sign (pow(-0, -1) is -inf), which would hide
// the pole's +inf.
void NonNegativeBasePower(Interval a, Interval b, double& lo, double& hi) {
  const double a0 = a.lo > 0 ? a.lo : 0.0;
  const double a1 = a.hi > 0 ? a.hi : 0.0;
  const double p1 = std::pow(a0, b.lo);
  const double p2 = std::pow(a0, b.hi);
  const double p3 = std::pow(a1, b.lo);
  const double p4 = std::pow(a1, b.hi);
  lo = outward::LowerOf(outward::LowerOf(p1, p2), outward::LowerOf(p3, p4));
  hi = outward::UpperOf(outward::UpperOf(p1, p2), outward::UpperOf(p3, p4));
}

}  // namespace

BoxFlags DivideStep(Interval a, Interval b, Interval& r) {
  BoxFlags flags = 0;
  IntervalDivide(a, b, r, flags);
  return flags;
}

// Every point has the exponent n: 1 for n = 0, x*x for n = 2 (as Power),
// pow otherwise, which is monotone on each side of 0.
BoxFlags PowerByNumberStep(Interval a, double n, Interval& r) {
  if (n == 0) {
    r = Interval::Point(1);
    return 0;
  }
  if (n == 2) {  // never NaN: no Settle is needed by those that skip this
    BoxFlags flags = 0;
    SquareStep(a, r, flags);
    return flags;
  }
  const bool whole = n == std::floor(n);
  const bool even = whole && std::fmod(n, 2) == 0;
  BoxFlags flags = 0;
  if (!whole) {  // negative bases have no value
    flags = a.hi < 0 ? kLosesAll : (a.lo < 0 ? kMayLoseValue : 0);
    a.lo = a.lo > 0 ? a.lo : 0.0;  // +0, never -0 (see NonNegativeBasePower)
  }
  const bool holdsZero = a.lo <= 0 && a.hi >= 0;
  const double farthest = std::max(std::fabs(a.lo), std::fabs(a.hi));
  if (n < 0 && holdsZero) {  // a pole at 0, where pow is infinite
    flags |= a.lo == 0 && a.hi == 0 ? kLosesAll : kMayLoseValue;
    r = whole && !even ? Interval::Entire()
                       : Interval{std::max(0.0, FarDown(std::pow(farthest, n))), kInfinity};
    return flags;
  }
  const double atLo = std::pow(a.lo, n);
  const double atHi = std::pow(a.hi, n);
  const double lo = even && holdsZero ? 0.0 : std::min(atLo, atHi);
  const double hi = std::max(atLo, atHi);
  r = {FarDown(lo), FarUp(hi)};
  if (even || !whole)  // no negative value
    r.lo = std::max(r.lo, 0.0);
  return flags | RangeFlags(lo, hi);
}

BoxFlags PowerStep(Interval a, Interval b, Interval& r) {
  if (b.lo == b.hi)
    return PowerByNumberStep(a, b.lo, r);
  // The exponent varies. Exponent 0 gives 1 whatever the base; the corners
  // of the non-negative bases hold it too.
  BoxFlags flags = 0;
  double lo = kInfinity;
  double hi = -kInfinity;
  if (a.hi >= 0)
    NonNegativeBasePower(a, b, lo, hi);
  if (a.lo < 0) {
    // A negative base has a value at whole exponents only (b holds other
    // numbers too): +-|a|^b, no larger than at the corners of |a| and b.
    flags = kMayLoseValue;
    if (std::floor(b.hi) >= b.lo) {
      double smallest = 0;
      double largest = 0;
      NonNegativeBasePower({std::fabs(std::min(a.hi, 0.0)), std::fabs(a.lo)}, b, smallest, largest);
      lo = std::min(lo, -largest);
      hi = std::max(hi, largest);
    }
  }
  if (lo > hi) {  // negative bases only, and no whole exponent
    r = Interval::Empty();
    return kLosesAll;
  }
  r = {FarDown(lo), FarUp(hi)};
  if (a.lo >= 0)
    r.lo = std::max(r.lo, 0.0);
  return flags | RangeFlags(lo, hi);
}

BoxFlags TrigonometricStep(Op op, Interval x, Interval& r) {
  switch (op) {
    case Op::Sin:
      r = SineOrCosine(x, false);
      return 0;
    case Op::Cos:
      r = SineOrCosine(x, true);
      return 0;
    case Op::Tan:
      return Tangent(x, r);
    case Op::Sec:
      return DivideStep(Interval::Point(1), SineOrCosine(x, true), r);
    case Op::Csec:
      return DivideStep(Interval::Point(1), SineOrCosine(x, false), r);
    case Op::Ctan: {
      Interval tangent;
      const BoxFlags flags = Tangent(x, tangent);
      return flags | DivideStep(Interval::Point(1), tangent, r);
    }
    default:
      r = Interval::Entire();
      return kMayLoseValue;
  }
}

void TangentRun(const Interval* x, Interval* r, BoxFlags* flags, std::size_t n) {
  TangentEnd end;
  for (std::size_t i = 0; i < n; ++i) {
    flags[i] |= Tangent(x[i], r[i], &end);
  }
}

bool UnaryZeroFree(Op op, Interval x, bool xZeroFree) {
  switch (op) {
    case Op::Negate:
    case Op::Abs:
    case Op::Sqr:
      return xZeroFree;
    case Op::Sec:
    case Op::Csec:
      return true;
    case Op::Tan:
    case Op::Ctan: {
      const Interval other = SineOrCosine(x, op == Op::Ctan);
      return other.lo > 0 || other.hi < 0;
    }
    default:
      return false;
  }
}

BoxFlags InverseStep(Op op, Interval x, Interval& r) {
  switch (op) {
    case Op::Asin:
    case Op::Acos:
      return ArcSine(op, x, r);
    case Op::Asec:
    case Op::Acsec:
      return ArcSecant(op, x, r);
    case Op::Asinh:
      return AreaSine(x, r);
    case Op::Acosh:
      return AreaCosine(x, r);
    case Op::Atanh:
    case Op::Actanh:
      return AreaTangent(op, x, r);
    case Op::Asech:
      return AreaSecant(x, r);
    case Op::Acsech:
      return AreaCosecant(x, r);
    default:
      r = Interval::Entire();
      return kMayLoseValue;
  }
}

}  // namespace quillon::evaluation
