// Evaluations of a compiled program on doubles and on boxes of intervals.
// EvaluatePoint and EvaluateBox walk the steps with WalkSteps. EvaluateBoxes
// runs the plans of EvaluateMany on intervals: every step over a block of
// boxes before the next, shared values once per run, and per box the flags
// of what the steps may have done to its points. Both use the same step
// functions on the same operands, so a box gets the same bits either way;
// the flags are combined with | in whatever order the steps run.
#include <algorithm>
#include <array>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <optional>
#include <type_traits>
#include <vector>

#include "expr/compiled_expression.h"
#include "expr/compiled_program.h"
#include "expr/engine_error.h"
#include "expr/evaluation_steps.h"
#include "expr/interval_steps.h"
#include "expr/random_generator.h"

namespace quillon {
namespace {

using evaluation::BlockForm;
using evaluation::BlockStep;
using evaluation::BoxFlags;
using evaluation::kBlockLength;
using evaluation::kLocalSharedValues;
using evaluation::kLocalStackDepth;
using evaluation::kLosesAll;
using evaluation::kLosesValue;
using evaluation::kMayJump;
using evaluation::kNoVarying;
using evaluation::kVariableCount;
using evaluation::Op;
using evaluation::Plan;
using evaluation::SharedStep;

template <typename Value>
using Stack = evaluation::Scratch<Value, kLocalStackDepth>;

// Evaluate's steps on doubles.
class PointArithmetic {
 public:
  using Value = double;

  PointArithmetic(const VariablePoint& v, RandomGenerator& random)
      : variables_{v.U, v.V, v.X, v.Y, v.A, v.R, v.B, v.T}, random_(random) {}

  bool Number(double number, double& r) const {
    r = number;
    return evaluation::IsFinite(r);
  }
  bool Variable(std::uint8_t index, double& r) const {
    r = variables_[index];
    return evaluation::IsFinite(r);
  }
  bool Unary(Op op, double x, double& r) const { return evaluation::ApplyUnary(op, x, r); }
  bool Binary(Op op, double a, double b, double& r) const {
    return evaluation::ApplyBinary(op, a, b, r);
  }
  bool Random(double argument, double& r) const {
    r = static_cast<double>(random_.Next(argument));
    return true;
  }

 private:
  std::array<double, kVariableCount> variables_;
  RandomGenerator& random_;
};

std::array<Interval, kVariableCount> ToArray(const VariableBox& b) {
  return {b.U, b.V, b.X, b.Y, b.A, b.R, b.B, b.T};
}

// An interval on the stack, with whether its real values are proven
// nonzero (see DecoratedInterval::zeroFree).
struct StackInterval {
  Interval value;
  bool zeroFree = false;
};

bool ZeroFree(const StackInterval& x) {
  return x.zeroFree || x.value.lo > 0 || x.value.hi < 0;
}

// The interval steps, collecting the flags of every step.
class IntervalArithmetic {
 public:
  using Value = StackInterval;

  explicit IntervalArithmetic(const VariableBox& box) : variables_(ToArray(box)) {}

  bool Number(double number, StackInterval& r) {
    r = {Interval::Point(number), false};
    flags_ |= evaluation::IsFinite(number) ? 0 : kLosesAll;
    return GoesOn();
  }
  bool Variable(std::uint8_t index, StackInterval& r) {
    r = {variables_[index], false};
    flags_ |= evaluation::VariableFlags(r.value);
    return GoesOn();
  }
  bool Unary(Op op, const StackInterval& x, StackInterval& r) {
    evaluation::IntervalUnary(op, x.value, r.value, flags_);
    r.zeroFree = evaluation::UnaryZeroFree(op, x.value, ZeroFree(x));
    return GoesOn();
  }
  bool Binary(Op op, const StackInterval& a, const StackInterval& b, StackInterval& r) {
    evaluation::IntervalBinary(op, a.value, b.value, r.value, flags_);
    r.zeroFree = evaluation::BinaryZeroFree(op, ZeroFree(a), ZeroFree(b));
    return GoesOn();
  }
  bool Random(const StackInterval&, StackInterval& r) {
    evaluation::IntervalRandomStep(r.value, flags_);
    r.zeroFree = false;
    return GoesOn();
  }

  BoxFlags Flags() const { return flags_; }

 private:
  bool GoesOn() const { return (flags_ & kLosesValue) == 0; }

  std::array<Interval, kVariableCount> variables_;
  BoxFlags flags_ = 0;
};

DecoratedInterval Decorated(Interval value, BoxFlags flags) {
  const bool none = (flags & kLosesValue) != 0;
  return {none ? Interval::Empty() : value, evaluation::DecorationOf(flags)};
}

const DecoratedInterval kNowhere = {Interval::Empty(), {Definedness::Nowhere, false}};

// Lane readers, so one loop serves per-box and shared operands.
struct PerBox {
  const Interval* values;
  Interval operator[](std::size_t i) const { return values[i]; }
};
struct Shared {
  Interval value;
  Interval operator[](std::size_t) const { return value; }
};

template <Op kOp>
void UnaryLoop(const Interval* x, Interval* out, BoxFlags* flags, std::size_t n) {
  if constexpr (kOp == Op::Tan) {
    evaluation::TangentRun(x, out, flags, n);
  } else {
    for (std::size_t i = 0; i < n; ++i)
      evaluation::IntervalUnaryStep<kOp>(x[i], out[i], flags[i]);
  }
}

void ExpPairLoop(const Interval* x, Interval* e, Interval* f, BoxFlags* flags, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i)
    evaluation::IntervalExpPair(x[i], e[i], f[i], flags[i]);
}

template <Op kOp>
void HyperbolicLoop(const Interval* e, const Interval* f, Interval* out, BoxFlags* flags,
                    std::size_t n) {
  for (std::size_t i = 0; i < n; ++i)
    evaluation::IntervalHyperbolicStep<kOp>(e[i], f[i], out[i], flags[i]);
}

template <Op kOp, typename A, typename B>
void BinaryLoop(A a, B b, Interval* out, BoxFlags* flags, std::size_t n) {
  if constexpr (kOp == Op::Power && std::is_same_v<B, Shared>) {
    // IntervalBinaryStep<Power> with one exponent for every box reduces to
    // exactly these.
    if (b.value.lo == b.value.hi) {
      const double exponent = b.value.lo;
      if (exponent == 2) {
        for (std::size_t i = 0; i < n; ++i)
          evaluation::SquareStep(a[i], out[i], flags[i]);
        return;
      }
      for (std::size_t i = 0; i < n; ++i) {
        Interval& r = out[i];
        flags[i] |= evaluation::PowerByNumberStep(a[i], exponent, r);
        evaluation::Settle(r, flags[i]);
      }
      return;
    }
  }
  if constexpr (kOp == Op::Multiply && (std::is_same_v<A, Shared> != std::is_same_v<B, Shared>)) {
    // A box times one number (the 4 of 4*x): two products in place of four,
    // the same bounds as IntervalBinaryStep<Multiply>.
    Interval factor;
    if constexpr (std::is_same_v<A, Shared>) {
      factor = a.value;
    } else {
      factor = b.value;
    }
    if (factor.lo == factor.hi) {
      const double k = FiniteBound(factor.lo);
      const bool exact = evaluation::IsExactScale(factor);
      for (std::size_t i = 0; i < n; ++i) {
        Interval x;
        if constexpr (std::is_same_v<A, Shared>) {
          x = b[i];
        } else {
          x = a[i];
        }
        const double p = k * FiniteBound(x.lo);
        const double q = k * FiniteBound(x.hi);
        const double lo = std::min(p, q);
        const double hi = std::max(p, q);
        // As IntervalBinaryStep<Multiply>: exact when either side is a
        // power of two, the box too.
        out[i] = exact || evaluation::IsExactScale(x)
                     ? Interval{evaluation::ScaledDown(lo), evaluation::ScaledUp(hi)}
                     : Interval{outward::Down(lo), outward::Up(hi)};
        evaluation::NoteRange(flags[i], lo, hi);
      }
      return;
    }
  }
  for (std::size_t i = 0; i < n; ++i)
    evaluation::IntervalBinaryStep<kOp>(a[i], b[i], out[i], flags[i]);
}

// Adds the loss of every value for a box without points. Done after the
// steps, when the boxes are in the first-level cache (the flags change no
// value); runs hold almost no such box, and one pass finds whether a block
// does.
[[gnu::noinline]] void AddEmptyBoxFlags(const Interval* boxes, BoxFlags* flags, std::size_t n) {
  BoxFlags empty = 0;
  for (std::size_t i = 0; i < n; ++i)
    empty |= evaluation::VariableFlags(boxes[i]);
  for (std::size_t i = 0; i < n && empty != 0; ++i)
    flags[i] |= evaluation::VariableFlags(boxes[i]);
}

// Decorated for each box, without branches: the decorations of the eight
// flag combinations are looked up.
void StoreResults(const Interval* top, const BoxFlags* flags, DecoratedInterval* results,
                  std::size_t n) {
  std::array<Decoration, 8> decorations{};
  for (BoxFlags f = 0; f < decorations.size(); ++f)
    decorations[f] = evaluation::DecorationOf(f);
  const Interval empty = Interval::Empty();
  for (std::size_t i = 0; i < n; ++i) {
    const bool none = (flags[i] & kLosesValue) != 0;
    Interval value = top[i];
    value.lo = none ? empty.lo : value.lo;
    value.hi = none ? empty.hi : value.hi;
    results[i].value = value;
    results[i].decoration = decorations[flags[i] & 7];
    results[i].zeroFree = false;  // MendZeroFree sets it where it holds
  }
}

}  // namespace

std::optional<double> CompiledExpression::EvaluatePoint(const VariablePoint& values,
                                                        RandomGenerator& random) const {
  const Program& p = *program_;
  PointArithmetic arithmetic(values, random);
  Stack<double> stack(p.maxDepth);
  const std::optional<std::size_t> depth = evaluation::WalkSteps(p.steps, arithmetic, stack.data());
  if (!depth)
    return std::nullopt;
  if (p.throws)
    throw EngineError(p.errorCode, p.errorText);
  if (*depth == 0)
    return std::nullopt;
  return stack[*depth - 1];
}

DecoratedInterval CompiledExpression::EvaluateBox(const VariableBox& box) const {
  const Program& p = *program_;
  IntervalArithmetic arithmetic(box);
  Stack<StackInterval> stack(p.maxDepth);
  const std::optional<std::size_t> depth = evaluation::WalkSteps(p.steps, arithmetic, stack.data());
  if (!depth)
    return kNowhere;
  if (p.throws)
    throw EngineError(p.errorCode, p.errorText);
  if (*depth == 0)
    return kNowhere;
  const StackInterval& top = stack[*depth - 1];
  DecoratedInterval result = Decorated(top.value, arithmetic.Flags());
  // Only a box that may lose values can hold a pole; on the others the
  // interval alone tells (EvaluateBoxes relies on it).
  result.zeroFree =
      result.decoration.defined == Definedness::Partly && top.zeroFree && result.value.Contains(0);
  return result;
}

void CompiledExpression::EvaluateBoxes(const VariableBox& box, Variable varying,
                                       const Interval* intervals, std::size_t count,
                                       DecoratedInterval* results) const {
  const Program& p = *program_;
  const auto varyingIndex = static_cast<std::size_t>(varying);
  if (p.plans.empty()) {
    VariableBox each = box;
    const std::array<Interval*, kVariableCount> slots = {&each.U, &each.V, &each.X, &each.Y,
                                                         &each.A, &each.R, &each.B, &each.T};
    for (std::size_t i = 0; i < count; ++i) {
      *slots[varyingIndex] = intervals[i];
      results[i] = EvaluateBox(each);
    }
    return;
  }
  const Plan& plan =
      p.plans[varyingIndex].usesVarying ? p.plans[varyingIndex] : p.plans[kNoVarying];
  if (!YieldsValue()) {
    std::fill(results, results + count, kNowhere);
    return;
  }

  // Shared values, and the flags every box starts with.
  const std::array<Interval, kVariableCount> variables = ToArray(box);
  evaluation::Scratch<Interval, kLocalSharedValues> shared(plan.sharedCount);
  BoxFlags sharedFlags = plan.alwaysUndefined ? kLosesAll : 0;
  for (std::size_t v = 0; v < kVariableCount; ++v) {
    shared[v] = variables[v];
    if ((plan.checkedShared >> v) & 1u)
      sharedFlags |= evaluation::VariableFlags(variables[v]);
  }
  for (std::size_t i = 0; i < p.numbers.size(); ++i)
    shared[kVariableCount + i] = Interval::Point(p.numbers[i]);
  for (const SharedStep& step : plan.shared) {
    if ((sharedFlags & kLosesValue) != 0)
      break;
    if (step.binary) {
      evaluation::IntervalBinary(step.op, shared[step.a], shared[step.b], shared[step.result],
                                 sharedFlags);
    } else {
      evaluation::IntervalUnary(step.op, shared[step.a], shared[step.result], sharedFlags);
    }
  }
  if ((sharedFlags & kLosesValue) != 0) {
    std::fill(results, results + count, kNowhere);
    return;
  }
  if (!plan.usesVarying) {
    if (count == 0)
      return;
    if (p.throws)
      throw EngineError(p.errorCode, p.errorText);
    std::fill(results, results + count, Decorated(shared[plan.top.index], sharedFlags));
    MendZeroFree(box, varying, intervals, count, results);
    return;
  }

  // Sized to the run, so that short runs (a few boxes of a refinement) do
  // not clear a whole block per level. Block 0, the varying variable, is
  // read where the caller keeps it.
  const std::size_t length = std::min(kBlockLength, count);
  std::vector<Interval> blocks(plan.blockCount * length);
  std::array<BoxFlags, kBlockLength> flags{};
  std::size_t first = 0;
  auto block = [&](std::uint32_t index) { return blocks.data() + index * length; };
  auto operand = [&](std::uint32_t index) -> const Interval* {
    return index == 0 ? intervals + first : block(index);
  };

  for (; first < count; first += length) {
    const std::size_t n = std::min(length, count - first);
    std::fill(flags.begin(), flags.begin() + n, sharedFlags);

    for (const BlockStep& step : plan.blocks) {
      Interval* out = block(step.result);
      switch (step.form) {
        case BlockForm::Unary: {
          evaluation::VisitUnary(step.op, [&](auto k) {
            UnaryLoop<decltype(k)::value>(operand(step.a), out, flags.data(), n);
          });
          break;
        }
        case BlockForm::PointPoint:
          evaluation::VisitBinary(step.op, [&](auto k) {
            BinaryLoop<decltype(k)::value>(PerBox{operand(step.a)}, PerBox{operand(step.b)}, out,
                                           flags.data(), n);
          });
          break;
        case BlockForm::PointShared:
          evaluation::VisitBinary(step.op, [&](auto k) {
            BinaryLoop<decltype(k)::value>(PerBox{operand(step.a)}, Shared{shared[step.b]}, out,
                                           flags.data(), n);
          });
          break;
        case BlockForm::SharedPoint:
          evaluation::VisitBinary(step.op, [&](auto k) {
            BinaryLoop<decltype(k)::value>(Shared{shared[step.a]}, PerBox{operand(step.b)}, out,
                                           flags.data(), n);
          });
          break;
        case BlockForm::ExpPair:
          ExpPairLoop(operand(step.a), out, block(step.result + 1), flags.data(), n);
          break;
        case BlockForm::Hyperbolic:
          evaluation::VisitUnary(step.op, [&](auto k) {
            if constexpr (evaluation::IsHyperbolic(decltype(k)::value)) {
              HyperbolicLoop<decltype(k)::value>(operand(step.a), operand(step.a + 1), out,
                                                 flags.data(), n);
            }
          });
          break;
      }
    }

    AddEmptyBoxFlags(intervals + first, flags.data(), n);

    if (p.throws) {
      // The first box in which a point may still hold a value reaches the
      // failing token; the boxes before it have none.
      const auto reaching =
          static_cast<std::size_t>(std::find_if(flags.begin(), flags.begin() + n,
                                                [](BoxFlags f) { return (f & kLosesValue) == 0; }) -
                                   flags.begin());
      std::fill(results + first, results + first + reaching, kNowhere);
      if (reaching < n)
        throw EngineError(p.errorCode, p.errorText);
      continue;
    }
    if (plan.top.perPoint) {
      StoreResults(operand(plan.top.index), flags.data(), results + first, n);
    } else {
      for (std::size_t i = 0; i < n; ++i)
        results[first + i] = Decorated(shared[plan.top.index], flags[i]);
    }
    MendZeroFree(box, varying, intervals + first, n, results + first);
  }
}

void CompiledExpression::MendZeroFree(const VariableBox& box, Variable varying,
                                      const Interval* intervals, std::size_t count,
                                      DecoratedInterval* results) const {
  const std::vector<evaluation::Step>& steps = program_->steps;
  const bool mayMend = std::any_of(steps.begin(), steps.end(), [](const evaluation::Step& step) {
    return (step.kind == evaluation::StepKind::Unary ||
            step.kind == evaluation::StepKind::Binary) &&
           evaluation::MakesZeroFreeHull(step.op);
  });
  if (!mayMend)
    return;
  VariableBox each = box;
  const std::array<Interval*, kVariableCount> slots = {&each.U, &each.V, &each.X, &each.Y,
                                                       &each.A, &each.R, &each.B, &each.T};
  Interval& slot = *slots[static_cast<std::size_t>(varying)];
  for (std::size_t i = 0; i < count; ++i) {
    DecoratedInterval& result = results[i];
    if (result.decoration.defined == Definedness::Partly && result.value.Contains(0)) {
      slot = intervals[i];
      result.zeroFree = EvaluateBox(each).zeroFree;
    }
  }
}

}  // namespace quillon
