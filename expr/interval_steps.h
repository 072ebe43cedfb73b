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
#include <cstring>
#include <limits>

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
  if (lo > DBL_MAX || hi < -DBL_MAX)
    return kLosesAll;
  return lo >= -DBL_MAX && hi <= DBL_MAX ? 0 : kMayLoseValue;
}

// The steps below add their flags to those of the box so far. Each flag is
// added by a select between the flags and the flags with it, which gcc
// vectorises in loops over boxes (a flag made from a comparison alone it
// does not).
inline void NoteRange(BoxFlags& flags, double lo, double hi) {
  const double larger =
      std::fabs(lo) <= DBL_MAX ? std::fabs(hi) : std::numeric_limits<double>::infinity();
  const double least = lo > -hi ? lo : -hi;  // beyond DBL_MAX: no value is finite
  flags = larger <= DBL_MAX ? flags : flags | kMayLoseValue;
  flags = least > DBL_MAX ? flags | kLosesAll : flags;
}

// A variable's points are the finite doubles of its interval (an infinite
// bound leaves it unbounded on that side): none when the interval is empty
// (or NaN) or holds no finite double. (Selects of kLosesAll, which is not a
// single bit, vectorise in a reduction too.)
inline BoxFlags VariableFlags(Interval v) {
  // One comparison: false for a NaN bound, an empty interval, and a lower
  // bound of +inf or an upper one of -inf.
  const bool holdsFinite = std::max(v.lo, -DBL_MAX) <= std::min(v.hi, DBL_MAX);
  return !holdsFinite ? kLosesAll : 0;
}

// A result with a NaN bound (infinite operand bounds meeting) becomes
// unbounded: such operand bounds come only with points that may have lost
// their value.
inline void Settle(Interval& r, BoxFlags& flags) {
  flags = r.lo == r.lo ? flags : flags | kMayLoseValue;
  flags = r.hi == r.hi ? flags : flags | kMayLoseValue;
  r.lo = r.lo == r.lo ? r.lo : -std::numeric_limits<double>::infinity();
  r.hi = r.hi == r.hi ? r.hi : std::numeric_limits<double>::infinity();
}

// a / b: no value where b is 0, unbounded when b holds 0; as a select for
// loops over boxes.
inline void IntervalDivide(Interval a, Interval b, Interval& r, BoxFlags& flags) {
  const bool holdsZero = (b.lo <= 0) & (b.hi >= 0);
  const bool zero = (b.lo == 0) & (b.hi == 0);
  double lo = 0;
  double hi = 0;
  QuotientBounds(a, b, lo, hi);
  BoxFlags quotientFlags = flags;
  NoteRange(quotientFlags, lo, hi);
  r.lo = holdsZero ? -std::numeric_limits<double>::infinity() : outward::Down(lo);
  r.hi = holdsZero ? std::numeric_limits<double>::infinity() : outward::Up(hi);
  flags = holdsZero ? flags | kMayLoseValue : quotientFlags;
  flags = zero ? flags | kLosesAll : flags;
}

// The steps of the functions that call more than arithmetic (out of line:
// they call libm anyway), and DivideStep: IntervalDivide alone.
BoxFlags DivideStep(Interval a, Interval b, Interval& r);
BoxFlags PowerStep(Interval a, Interval b, Interval& r);
BoxFlags PowerByNumberStep(Interval a, double exponent, Interval& r);
BoxFlags TrigonometricStep(Op op, Interval x, Interval& r);
BoxFlags InverseStep(Op op, Interval x, Interval& r);

inline void SquareStep(Interval x, Interval& r, BoxFlags& flags) {
  double lo = 0;
  double hi = 0;
  SquareBounds(x, lo, hi);
  r = {std::max(0.0, outward::Down(lo)), outward::Up(hi)};
  NoteRange(flags, lo, hi);
}

// IntervalUnaryStep<Tan> over a run of boxes, tan of an end that a box
// shares with the one before taken once: the same bits, fewer calls.
void TangentRun(const Interval* x, Interval* r, BoxFlags* flags, std::size_t n);

// True for a point interval at a power of two (the 4 of 4*x): products by
// it are exact, short of overflow and of results below the normal range.
inline bool IsExactScale(Interval x) {
  if (x.lo != x.hi)
    return false;
  std::uint64_t bits = 0;
  std::memcpy(&bits, &x.lo, sizeof bits);
  const std::uint64_t exponent = (bits >> 52) & 0x7FFu;
  return (bits & 0xFFFFFFFFFFFFFu) == 0 && exponent != 0 && exponent != 0x7FFu;
}

// A bound of a product by an exact scale: itself where it is exact, else
// moved outward as any product's.
inline double ScaledDown(double p) {
  return (p == 0 || std::fabs(p) >= DBL_MIN) && std::fabs(p) <= DBL_MAX ? p : outward::Down(p);
}
inline double ScaledUp(double p) {
  return (p == 0 || std::fabs(p) >= DBL_MIN) && std::fabs(p) <= DBL_MAX ? p : outward::Up(p);
}

// The interval of BinaryStep<kOp>.
template <Op kOp>
inline void IntervalBinaryStep(Interval a, Interval b, Interval& r, BoxFlags& flags) {
  double lo = 0;
  double hi = 0;
  if constexpr (kOp == Op::Add) {
    lo = a.lo + b.lo;
    hi = a.hi + b.hi;
  } else if constexpr (kOp == Op::Subtract) {
    lo = a.lo - b.hi;
    hi = a.hi - b.lo;
  } else if constexpr (kOp == Op::Multiply) {
    ProductBounds(a, b, lo, hi);
    if (IsExactScale(a) || IsExactScale(b)) {
      // Neighbouring boxes keep their shared ends, which steps after this
      // one (tan) use.
      r = {ScaledDown(lo), ScaledUp(hi)};
      NoteRange(flags, lo, hi);
      return;
    }
  } else if constexpr (kOp == Op::Divide) {
    IntervalDivide(a, b, r, flags);
    return;
  } else if constexpr (kOp == Op::Power) {
    flags |= PowerStep(a, b, r);
    Settle(r, flags);
    return;
  } else {
    static_assert(kOp == Op::Add, "not a binary operator");
  }
  // No NaN bound: an infinite operand bound meets an opposite one only in
  // a box that has lost every value already, and ProductBounds takes
  // finite operand bounds.
  r = {outward::Down(lo), outward::Up(hi)};
  NoteRange(flags, lo, hi);
}

// e^x and e^-x at the ends of x, as ExpPair computes them (not moved
// outward: IntervalHyperbolicStep does that), so e = {e^lo, e^hi} and
// f = {e^-hi, e^-lo}. A point loses its value where either is infinite.
inline void IntervalExpPair(Interval x, Interval& e, Interval& f, BoxFlags& flags) {
  e = {std::exp(x.lo), std::exp(x.hi)};
  f = {std::exp(-x.hi), std::exp(-x.lo)};
  NoteRange(flags, e.lo, e.hi);
  NoteRange(flags, f.lo, f.hi);
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
inline void IntervalHyperbolicStep(Interval e, Interval f, Interval& r, BoxFlags& flags) {
  double lo = 0;
  double hi = 0;
  if constexpr (kOp == Op::Cosh || kOp == Op::Sech) {
    const double atLo = kOp == Op::Cosh ? (e.lo + f.hi) / 2 : 2 / (e.lo + f.hi);
    const double atHi = kOp == Op::Cosh ? (e.hi + f.lo) / 2 : 2 / (e.hi + f.lo);
    const bool turns = (e.lo <= 1) & (e.hi >= 1);
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
        flags |= kMayLoseValue;
        return;
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
  // No NaN in a box that keeps a value: the corners are finite, and an
  // infinite e^hi makes cosh infinite and sech 0.
  r = {outward::FarDown(lo), outward::FarUp(hi)};
  NoteRange(flags, lo, hi);
}

// The interval of UnaryStep<kOp> (angles in radians).
template <Op kOp>
inline void IntervalUnaryStep(Interval x, Interval& r, BoxFlags& flags) {
  if constexpr (kOp == Op::Negate) {
    r = -x;
  } else if constexpr (kOp == Op::Abs) {
    const double farthest = std::max(std::fabs(x.lo), std::fabs(x.hi));
    r = x.lo >= 0 ? x : (x.hi <= 0 ? -x : Interval{0, farthest});
  } else if constexpr (kOp == Op::Int) {
    r = {std::floor(x.lo), std::floor(x.hi)};
    flags = r.lo != r.hi ? flags | kMayJump : flags;
  } else if constexpr (kOp == Op::Sqr) {
    flags |= x.hi < 0 ? kLosesAll : (x.lo < 0 ? kMayLoseValue : 0);
    r = Sqrt(x);
  } else if constexpr (kOp == Op::Exp) {
    const double lo = std::exp(x.lo);
    const double hi = std::exp(x.hi);
    r = {std::max(0.0, outward::FarDown(lo)), outward::FarUp(hi)};
    NoteRange(flags, lo, hi);
  } else if constexpr (kOp == Op::Log) {
    flags |= x.hi <= 0 ? kLosesAll : (x.lo <= 0 ? kMayLoseValue : 0);
    r = {outward::FarDown(std::log(std::max(x.lo, outward::kSmallest))),
         outward::FarUp(std::log(x.hi))};
  } else if constexpr (kOp == Op::Atan || kOp == Op::Actan) {
    r = {outward::FarDown(std::atan(x.lo)), outward::FarUp(std::atan(x.hi))};
    if constexpr (kOp == Op::Actan)
      r = r + Interval::Point(kHalfPi);
  } else if constexpr (kOp == Op::Sin || kOp == Op::Cos || kOp == Op::Tan || kOp == Op::Sec ||
                       kOp == Op::Csec || kOp == Op::Ctan) {
    flags |= TrigonometricStep(kOp, x, r);
  } else if constexpr (IsHyperbolic(kOp)) {
    Interval e;
    Interval f;
    IntervalExpPair(x, e, f, flags);
    IntervalHyperbolicStep<kOp>(e, f, r, flags);
  } else {
    flags |= InverseStep(kOp, x, r);
  }
  Settle(r, flags);
}

// RND: some number of [0, 1), unrelated to its neighbours'.
inline void IntervalRandomStep(Interval& r, BoxFlags& flags) {
  r = {0, 1};
  flags |= kMayJump;
}

// Whether the real value of a step is proven nonzero on the box, beyond
// what its interval shows, from what is proven of its operands (an operand
// is zero-free when no real value of it is 0). A quotient or power is 0 only
// where its first operand is; a product only where a factor is; -x, |x| and
// sqrt(x) only where x is. sec and csec never are; tan is 0 only where sin
// is, ctan only where cos is, so across a pole they are zero-free where the
// other function excludes 0.
inline bool BinaryZeroFree(Op op, bool aZeroFree, bool bZeroFree) {
  return op == Op::Multiply ? aZeroFree && bZeroFree
                            : (op == Op::Divide || op == Op::Power) && aZeroFree;
}
bool UnaryZeroFree(Op op, Interval x, bool xZeroFree);
// True when a text with this step may have a box whose interval holds 0
// while its value is proven zero-free.
inline bool MakesZeroFreeHull(Op op) {
  return op == Op::Divide || op == Op::Power || op == Op::Tan || op == Op::Ctan || op == Op::Sec ||
         op == Op::Csec;
}

inline void IntervalBinary(Op op, Interval a, Interval b, Interval& r, BoxFlags& flags) {
  VisitBinary(op, [&](auto k) { IntervalBinaryStep<decltype(k)::value>(a, b, r, flags); });
}

// The function step of any function, as ApplyUnary.
inline void IntervalUnary(Op op, Interval x, Interval& r, BoxFlags& flags) {
  VisitUnary(op, [&](auto k) { IntervalUnaryStep<decltype(k)::value>(x, r, flags); });
}

}  // namespace quillon::evaluation
