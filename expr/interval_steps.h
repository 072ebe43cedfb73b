// Each evaluation step on intervals: the enclosure of every value the step of
// evaluation_steps.h computes for operands anywhere in the operand
// intervals, and what the step may do to the points of a box (lose their
// value, jump). Every domain check of the point step is kept, on the values
// the point step checks: an interval step follows the point step's formula
// operation by operation, or, where the text says so, encloses the formula
// from its values at the ends of a monotone stretch.
#pragma once

#include <cfloat>
#include <cmath>
#include <cstdint>

#include "expr/evaluation_steps.h"
#include "expr/interval.h"

namespace quillon::evaluation {

// What the steps so far may do to the points of a box; bits, so that runs
// over many boxes combine them with |.
using BoxFlags = std::uint64_t;
inline constexpr BoxFlags kMayLoseValue = 1;  // some point may have no value
inline constexpr BoxFlags kLosesValue = 2;    // no point has a value (set with kMayLoseValue)
inline constexpr BoxFlags kMayJump = 4;       // a jump may lie on the box
inline constexpr BoxFlags kLosesAll = kMayLoseValue | kLosesValue;

inline Decoration DecorationOf(BoxFlags flags) {
  if ((flags & kLosesValue) != 0)
    return {Definedness::Nowhere, false};
  if ((flags & kMayLoseValue) != 0)
    return {Definedness::Partly, false};
  return {Definedness::Everywhere, (flags & kMayJump) == 0};
}

// The flags of a result whose bounds, rounded to nearest, are lo and hi: a
// point loses its value where the value is not a finite double.
inline BoxFlags RangeFlags(double lo, double hi) {
  const bool none = lo > DBL_MAX || hi < -DBL_MAX;
  const bool some = !(lo >= -DBL_MAX && hi <= DBL_MAX);
  return (some ? kMayLoseValue : 0) | (none ? kLosesValue : 0);
}

// The flags of a variable's interval: its points are the finite doubles in it.
inline BoxFlags VariableFlags(Interval v) {
  return (v.lo <= v.hi ? 0 : kLosesAll) | RangeFlags(v.lo, v.hi);
}

// A result with a NaN bound (infinite operand bounds meeting) becomes
// unbounded; no value of a point is lost by that, but the bounds of the
// operands were already infinite only where values may be lost.
inline BoxFlags Settle(Interval& r, BoxFlags flags) {
  const bool unknown = (r.lo != r.lo || r.hi != r.hi) && (flags & kLosesValue) == 0;
  r = unknown ? Interval::Entire() : r;
  return flags | (unknown ? kMayLoseValue : 0);
}

// x * 3.1416 / 180, as DegreesToRadians.
inline Interval DegreesToRadians(Interval x) {
  return {outward::Down(outward::Down(x.lo * 3.1416) / 180),
          outward::Up(outward::Up(x.hi * 3.1416) / 180)};
}

// The steps of the binary operators and of the functions that call more
// than arithmetic (out of line: they call libm anyway).
BoxFlags DivideStep(Interval a, Interval b, Interval& r);
BoxFlags PowerStep(Interval a, Interval b, Interval& r);
BoxFlags PowerByNumberStep(Interval a, double exponent, Interval& r);
BoxFlags TrigonometricStep(Op op, Interval x, Interval& r);
BoxFlags InverseStep(Op op, Interval x, Interval& r);

inline BoxFlags SquareStep(Interval x, Interval& r) {
  double lo = 0;
  double hi = 0;
  SquareBounds(x, lo, hi);
  r = {std::max(0.0, outward::Down(lo)), outward::Up(hi)};
  return RangeFlags(lo, hi);
}

// The interval of BinaryStep<kOp>.
template <Op kOp>
inline BoxFlags IntervalBinaryStep(Interval a, Interval b, Interval& r) {
  double lo = 0;
  double hi = 0;
  BoxFlags flags = 0;
  if constexpr (kOp == Op::Add) {
    lo = a.lo + b.lo;
    hi = a.hi + b.hi;
  } else if constexpr (kOp == Op::Subtract) {
    lo = a.lo - b.hi;
    hi = a.hi - b.lo;
  } else if constexpr (kOp == Op::Multiply) {
    ProductBounds(a, b, lo, hi);
  } else if constexpr (kOp == Op::Divide) {
    return Settle(r, DivideStep(a, b, r));
  } else if constexpr (kOp == Op::Power) {
    return Settle(r, PowerStep(a, b, r));
  } else {
    static_assert(kOp == Op::Add, "not a binary operator");
  }
  r = {outward::Down(lo), outward::Up(hi)};
  flags = RangeFlags(lo, hi);
  return Settle(r, flags);
}

// e^x and e^-x at the ends of x, as ExpPair computes them (not moved
// outward: IntervalHyperbolicStep does that), so e = {e^lo, e^hi} and
// f = {e^-hi, e^-lo}. A point loses its value where either is infinite.
inline BoxFlags IntervalExpPair(Interval x, Interval& e, Interval& f) {
  e = {std::exp(x.lo), std::exp(x.hi)};
  f = {std::exp(-x.hi), std::exp(-x.lo)};
  return RangeFlags(e.lo, e.hi) | RangeFlags(f.lo, f.hi);
}

// A hyperbolic function from the pair of IntervalExpPair.
// cosh and sech add e and f: no cancellation, so the computed value is
// within 4 units of 2^-53 of the real one (1 ulp for each exponential, a
// rounding per operation), and the real function falls, then rises (or the
// reverse), with its turn at x = 0 (then e^lo <= 1 <= e^hi) where the
// computed value is exactly 1: the formula at the ends encloses it.
// The others subtract e and f, which may cancel. Each formula is monotone in
// e and in f separately (the direction is the sign of its partial
// derivative, noted per function), so over the rectangle that encloses the
// computed e and f its extremes lie at two corners, and a computed value is
// its real value on the rectangle times at most three roundings (3 units):
// FarDown/FarUp at the corners enclose it. ctanh and csech have a pole where
// e = f: a rectangle that meets that line gives no bounds.
template <Op kOp>
inline BoxFlags IntervalHyperbolicStep(Interval e, Interval f, Interval& r) {
  double lo = 0;
  double hi = 0;
  if constexpr (kOp == Op::Cosh || kOp == Op::Sech) {
    const double atLo = kOp == Op::Cosh ? (e.lo + f.hi) / 2 : 2 / (e.lo + f.hi);
    const double atHi = kOp == Op::Cosh ? (e.hi + f.lo) / 2 : 2 / (e.hi + f.lo);
    const bool turns = e.lo <= 1 && e.hi >= 1;
    lo = std::min(atLo, atHi);
    hi = std::max(atLo, atHi);
    lo = kOp == Op::Cosh && turns ? 1.0 : lo;
    hi = kOp == Op::Sech && turns ? 1.0 : hi;
  } else {
    // Points whose e or f overflows have no value: the others' lie below DBL_MAX.
    const Interval ew = {outward::FarDown(e.lo), std::min(outward::FarUp(e.hi), DBL_MAX)};
    const Interval fw = {outward::FarDown(f.lo), std::min(outward::FarUp(f.hi), DBL_MAX)};
    if constexpr (kOp == Op::Sinh) {  // up in e, down in f
      lo = (ew.lo - fw.hi) / 2;
      hi = (ew.hi - fw.lo) / 2;
    } else if constexpr (kOp == Op::Tanh) {  // up in e, down in f
      lo = (ew.lo - fw.hi) / (fw.hi + ew.lo);
      hi = (ew.hi - fw.lo) / (fw.lo + ew.hi);
    } else if constexpr (kOp == Op::Ctanh || kOp == Op::Csech) {  // down in e, up in f
      if (ew.lo <= fw.hi && fw.lo <= ew.hi) {
        r = Interval::Entire();
        return kMayLoseValue;
      }
      if constexpr (kOp == Op::Ctanh) {
        lo = (ew.hi + fw.lo) / (ew.hi - fw.lo);
        hi = (ew.lo + fw.hi) / (ew.lo - fw.hi);
      } else {
        lo = 2 / (ew.hi - fw.lo);
        hi = 2 / (ew.lo - fw.hi);
      }
    } else {
      static_assert(kOp == Op::Sinh, "not a hyperbolic function");
    }
  }
  r = {outward::FarDown(lo), outward::FarUp(hi)};
  return Settle(r, RangeFlags(lo, hi));
}

// The interval of UnaryStep<kOp>, x already converted for degrees.
template <Op kOp>
inline BoxFlags IntervalUnaryStep(Interval x, Interval& r) {
  BoxFlags flags = 0;
  if constexpr (kOp == Op::Negate) {
    r = -x;
  } else if constexpr (kOp == Op::Abs) {
    const double farthest = std::max(std::fabs(x.lo), std::fabs(x.hi));
    r = x.lo >= 0 ? x : (x.hi <= 0 ? -x : Interval{0, farthest});
  } else if constexpr (kOp == Op::Int) {
    r = {std::floor(x.lo), std::floor(x.hi)};
    flags = r.lo != r.hi ? kMayJump : 0;
  } else if constexpr (kOp == Op::Sqr) {
    flags = x.hi < 0 ? kLosesAll : (x.lo < 0 ? kMayLoseValue : 0);
    r = Sqrt(x);
  } else if constexpr (kOp == Op::Exp) {
    const double lo = std::exp(x.lo);
    const double hi = std::exp(x.hi);
    r = {std::max(0.0, outward::FarDown(lo)), outward::FarUp(hi)};
    flags = RangeFlags(lo, hi);
  } else if constexpr (kOp == Op::Log) {
    flags = x.hi <= 0 ? kLosesAll : (x.lo <= 0 ? kMayLoseValue : 0);
    r = {outward::FarDown(std::log(std::max(x.lo, outward::kSmallest))),
         outward::FarUp(std::log(x.hi))};
  } else if constexpr (kOp == Op::Atan || kOp == Op::Actan) {
    r = {outward::FarDown(std::atan(x.lo)), outward::FarUp(std::atan(x.hi))};
    if constexpr (kOp == Op::Actan)
      r = r + Interval::Point(kHalfPi);
  } else if constexpr (kOp == Op::Sin || kOp == Op::Cos || kOp == Op::Tan || kOp == Op::Sec ||
                       kOp == Op::Csec || kOp == Op::Ctan) {
    flags = TrigonometricStep(kOp, x, r);
  } else if constexpr (IsHyperbolic(kOp)) {
    Interval e;
    Interval f;
    flags = IntervalExpPair(x, e, f);
    flags |= IntervalHyperbolicStep<kOp>(e, f, r);
  } else {
    flags = InverseStep(kOp, x, r);
  }
  return Settle(r, flags);
}

// RND: some number of [0, 1), unrelated to its neighbours'.
inline BoxFlags IntervalRandomStep(Interval& r) {
  r = {0, 1};
  return kMayJump;
}

inline BoxFlags IntervalBinary(Op op, Interval a, Interval b, Interval& r) {
  BoxFlags flags = 0;
  VisitBinary(op, [&](auto k) { flags = IntervalBinaryStep<decltype(k)::value>(a, b, r); });
  return flags;
}

// The function step with the degree conversion applied first where it
// belongs, as ApplyUnary.
inline BoxFlags IntervalUnary(Op op, Interval x, bool degree, Interval& r) {
  if (degree && TakesAngle(op))
    x = DegreesToRadians(x);
  BoxFlags flags = 0;
  VisitUnary(op, [&](auto k) { flags = IntervalUnaryStep<decltype(k)::value>(x, r); });
  return flags;
}

}  // namespace quillon::evaluation
