// The postfix text is decoded into steps once. One evaluation runs the steps
// on a small stack of doubles. A run of evaluations over many points works in
// blocks: every step is applied to a whole block of points before the next,
// values that are the same for every point are computed once, and each point
// carries a flag that it has lost its value.
//
// Why the block run gives the same results as evaluating point by point:
// every point runs the same steps (there are no branches); a point that fails
// any check ends with UndefinedMark whichever check failed first, so checks
// may run in another order (those of the variables run first); and the only
// thing that depends on where a point stops is whether it reaches a failing
// token, which is decided per point from the flags. Values are computed by
// the same step functions as one evaluation's, so they are the same bits; e^x
// and e^-x of the varying variable are computed once for all hyperbolic
// functions of it, which changes no value either. Texts with RND are always
// evaluated point by point, in order.
#include "expr/compiled_expression.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>
#include <type_traits>

#include "expr/compiled_program.h"
#include "expr/engine_error.h"
#include "expr/evaluation_steps.h"
#include "expr/random_generator.h"
#include "expr/undefined_mark.h"

namespace quillon {
namespace {

using evaluation::BlockForm;
using evaluation::BlockStep;
using evaluation::kBlockLength;
using evaluation::kLocalBlocks;
using evaluation::kLocalSharedValues;
using evaluation::kLocalStackDepth;
using evaluation::kMaxBlockLevels;
using evaluation::kNoVarying;
using evaluation::kVariableCount;
using evaluation::Op;
using evaluation::Operand;
using evaluation::Plan;
using evaluation::SharedStep;
using evaluation::Step;
using evaluation::StepKind;
using evaluation::TokenKind;

template <std::size_t kLocal>
using Scratch = evaluation::Scratch<double, kLocal>;

std::array<float, kVariableCount> ToArray(const VariableValues& v) {
  return {v.U, v.V, v.X, v.Y, v.A, v.R, v.B, v.T};
}

// Lane readers, so one loop serves per-point and shared operands.
struct PerPoint {
  const double* values;
  double operator[](std::size_t i) const { return values[i]; }
};
struct Shared {
  double value;
  double operator[](std::size_t) const { return value; }
};

// Per point: nonzero once the point has lost its value. As wide as a double
// so that the loops below vectorise.
using LostFlag = std::uint64_t;

template <Op kOp>
void UnaryLoop(const double* x, double* out, LostFlag* lost, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) {
    double r;
    const bool ok = evaluation::UnaryStep<kOp>(x[i], r);
    out[i] = r;
    lost[i] = ok ? lost[i] : 1;
  }
}

void ExpPairLoop(const double* x, double* e, double* f, LostFlag* lost, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) {
    const bool ok = evaluation::ExpPair(x[i], e[i], f[i]);
    lost[i] = ok ? lost[i] : 1;
  }
}

template <Op kOp>
void HyperbolicLoop(const double* e, const double* f, double* out, LostFlag* lost, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) {
    double r;
    const bool ok = evaluation::HyperbolicStep<kOp>(e[i], f[i], r);
    out[i] = r;
    lost[i] = ok ? lost[i] : 1;
  }
}

template <Op kOp, typename A, typename B>
void BinaryLoop(A a, B b, double* out, LostFlag* lost, std::size_t n) {
  if constexpr (kOp == Op::Power && std::is_same_v<B, Shared>) {
    // BinaryStep<Power> with the exponent 2 reduces to exactly this.
    if (b.value == 2) {
      for (std::size_t i = 0; i < n; ++i) {
        const double r = evaluation::Power(a[i], 2);
        out[i] = r;
        lost[i] = evaluation::IsFinite(r) ? lost[i] : 1;
      }
      return;
    }
  }
  for (std::size_t i = 0; i < n; ++i) {
    double r;
    const bool ok = evaluation::BinaryStep<kOp>(a[i], b[i], r);
    out[i] = r;
    lost[i] = ok ? lost[i] : 1;
  }
}

// The varying variable's values as doubles; a point whose value is not
// finite has lost it at once.
void LoadPoints(const float* points, double* values, LostFlag* lost, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) {
    values[i] = static_cast<double>(points[i]);
    lost[i] = evaluation::IsFinite(values[i]) ? 0 : 1;
  }
}

// FinalValue per point, or UndefinedMark for a point that lost its value;
// written so that it vectorises (only values in the float range are
// converted).
void StoreResults(const double* top, LostFlag* lost, float* results, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) {
    lost[i] = evaluation::InFloatRange(top[i]) ? lost[i] : 1;
    const double value = lost[i] != 0 ? 0.0 : top[i];
    const auto converted = static_cast<float>(value);
    results[i] = lost[i] != 0 ? UndefinedMark : converted;
  }
}

}  // namespace

void CompiledExpression::Program::Decode(const std::string& postfix) {
  std::size_t depth = 0;
  std::size_t start = 0;
  for (std::size_t blank = postfix.find(' '); blank != std::string::npos;
       start = blank + 1, blank = postfix.find(' ', start)) {
    const std::string_view token(postfix.data() + start, blank - start);
    const evaluation::Token kind = evaluation::ClassifyToken(token);
    Step step;
    step.op = kind.op;
    std::size_t operands = 0;
    switch (kind.kind) {
      case TokenKind::Number:
        step.kind = StepKind::Number;
        step.number = evaluation::NumberTokenValue(token);
        break;
      case TokenKind::Variable:
        step.kind = StepKind::Variable;
        step.variable = kind.variable;
        break;
      case TokenKind::Unary:
        step.kind = StepKind::Unary;
        operands = 1;
        break;
      case TokenKind::Binary:
        step.kind = StepKind::Binary;
        operands = 2;
        break;
      case TokenKind::Random:
        step.kind = StepKind::Random;
        operands = 1;
        break;
      case TokenKind::Unknown:
        throws = true;
        errorCode = kErrorBadToken;
        errorText = "Bad token in Evaluate: " + std::string(token);
        return;
    }
    if (depth < operands) {
      throws = true;
      errorCode = kErrorPopEmptyStack;
      errorText = "Pop method invoked on empty stack";
      return;
    }
    if (step.kind == StepKind::Number)
      numbers.push_back(step.number);
    if (step.kind == StepKind::Random)
      usesRandom = true;
    depth = depth - operands + 1;
    maxDepth = std::max(maxDepth, depth);
    steps.push_back(step);
    finalDepth = depth;
  }
}

Plan CompiledExpression::Program::MakePlan(std::size_t varying) const {
  Plan plan;
  plan.sharedCount = static_cast<std::uint32_t>(kVariableCount + numbers.size());
  std::vector<Operand> stack;
  stack.reserve(maxDepth);
  std::uint32_t nextNumber = kVariableCount;
  auto levelBlock = [&] { return static_cast<std::uint32_t>(stack.size() + 1); };
  std::uint32_t pairBlock = 0;  // first of the two blocks of e^x and e^-x, once made

  for (const Step& step : steps) {
    switch (step.kind) {
      case StepKind::Number:
        if (!evaluation::IsFinite(step.number)) {
          plan.alwaysUndefined = true;
          return plan;
        }
        stack.push_back(Operand{false, nextNumber++});
        break;
      case StepKind::Variable:
        if (step.variable == varying) {
          plan.usesVarying = true;
          stack.push_back(Operand{true, 0});
        } else {
          plan.checkedShared =
              static_cast<std::uint8_t>(plan.checkedShared | (1u << step.variable));
          stack.push_back(Operand{false, step.variable});
        }
        break;
      case StepKind::Unary: {
        const Operand x = stack.back();
        stack.pop_back();
        if (!x.perPoint) {
          plan.shared.push_back(SharedStep{step.op, false, x.index, 0, plan.sharedCount});
          stack.push_back(Operand{false, plan.sharedCount++});
        } else if (evaluation::IsHyperbolic(step.op) && x.index == 0) {
          // e^x and e^-x of the varying variable serve every hyperbolic
          // function of it: computed once, at the first.
          if (pairBlock == 0) {
            pairBlock = static_cast<std::uint32_t>(maxDepth + 1);
            plan.blocks.push_back(BlockStep{Op::Exp, BlockForm::ExpPair, 0, 0, pairBlock});
            plan.blockCount = std::max(plan.blockCount, pairBlock + 2);
          }
          const std::uint32_t result = levelBlock();
          plan.blocks.push_back(BlockStep{step.op, BlockForm::Hyperbolic, pairBlock, 0, result});
          stack.push_back(Operand{true, result});
        } else {
          const std::uint32_t result = levelBlock();
          plan.blocks.push_back(BlockStep{step.op, BlockForm::Unary, x.index, 0, result});
          stack.push_back(Operand{true, result});
        }
        break;
      }
      case StepKind::Binary: {
        const Operand b = stack.back();
        stack.pop_back();
        const Operand a = stack.back();
        stack.pop_back();
        if (!a.perPoint && !b.perPoint) {
          plan.shared.push_back(SharedStep{step.op, true, a.index, b.index, plan.sharedCount});
          stack.push_back(Operand{false, plan.sharedCount++});
        } else {
          const BlockForm form = !a.perPoint   ? BlockForm::SharedPoint
                                 : !b.perPoint ? BlockForm::PointShared
                                               : BlockForm::PointPoint;
          const std::uint32_t result = levelBlock();
          plan.blocks.push_back(BlockStep{step.op, form, a.index, b.index, result});
          stack.push_back(Operand{true, result});
        }
        break;
      }
      case StepKind::Random:
        break;  // texts with RND have no plans
    }
    plan.blockCount = std::max(plan.blockCount, static_cast<std::uint32_t>(stack.size() + 1));
  }
  if (!stack.empty())
    plan.top = stack.back();
  return plan;
}

bool CompiledExpression::Program::RunSteps(const std::array<float, kVariableCount>& variables,
                                           float& result, RandomGenerator& random,
                                           double* stack) const {
  std::size_t depth = 0;
  for (const Step& step : steps) {
    double value = 0;
    bool defined = true;
    switch (step.kind) {
      case StepKind::Number:
        value = step.number;
        defined = evaluation::IsFinite(value);
        break;
      case StepKind::Variable:
        value = static_cast<double>(variables[step.variable]);
        defined = evaluation::IsFinite(value);
        break;
      case StepKind::Unary:
        defined = evaluation::ApplyUnary(step.op, stack[--depth], value);
        break;
      case StepKind::Binary:
        depth -= 2;
        defined = evaluation::ApplyBinary(step.op, stack[depth], stack[depth + 1], value);
        break;
      case StepKind::Random:
        value = static_cast<double>(random.Next(stack[--depth]));
        break;
    }
    if (!defined) {
      result = UndefinedMark;
      return true;
    }
    stack[depth++] = value;
  }
  if (throws)
    throw EngineError(errorCode, errorText);
  if (depth == 0)
    return false;
  result = evaluation::FinalValue(stack[depth - 1]);
  return true;
}

void CompiledExpression::Program::RunBlocks(const Plan& plan,
                                            const std::array<float, kVariableCount>& variables,
                                            const float* points, std::size_t count,
                                            float* results) const {
  // Shared values, and whether every point has lost its value already.
  Scratch<kLocalSharedValues> shared(plan.sharedCount);
  bool allLost = plan.alwaysUndefined;
  for (std::size_t v = 0; v < kVariableCount; ++v) {
    shared[v] = static_cast<double>(variables[v]);
    if ((plan.checkedShared >> v) & 1u)
      allLost = allLost || !evaluation::IsFinite(shared[v]);
  }
  std::copy(numbers.begin(), numbers.end(), shared.data() + kVariableCount);
  for (const SharedStep& step : plan.shared) {
    if (allLost)
      break;
    const bool ok =
        step.binary
            ? evaluation::ApplyBinary(step.op, shared[step.a], shared[step.b], shared[step.result])
            : evaluation::ApplyUnary(step.op, shared[step.a], shared[step.result]);
    allLost = !ok;
  }
  if (allLost) {
    std::fill(results, results + count, UndefinedMark);
    return;
  }
  if (!plan.usesVarying) {
    if (count == 0)
      return;
    if (throws)
      throw EngineError(errorCode, errorText);
    std::fill(results, results + count, evaluation::FinalValue(shared[plan.top.index]));
    return;
  }
  Scratch<kLocalBlocks * kBlockLength> blocks(plan.blockCount * kBlockLength);
  std::array<LostFlag, kBlockLength> lost{};
  auto block = [&](std::uint32_t index) { return blocks.data() + index * kBlockLength; };

  for (std::size_t first = 0; first < count; first += kBlockLength) {
    const std::size_t n = std::min(kBlockLength, count - first);
    LoadPoints(points + first, block(0), lost.data(), n);

    for (const BlockStep& step : plan.blocks) {
      double* out = block(step.result);
      switch (step.form) {
        case BlockForm::Unary:
          evaluation::VisitUnary(step.op, [&](auto k) {
            UnaryLoop<decltype(k)::value>(block(step.a), out, lost.data(), n);
          });
          break;
        case BlockForm::PointPoint:
          evaluation::VisitBinary(step.op, [&](auto k) {
            BinaryLoop<decltype(k)::value>(PerPoint{block(step.a)}, PerPoint{block(step.b)}, out,
                                           lost.data(), n);
          });
          break;
        case BlockForm::PointShared:
          evaluation::VisitBinary(step.op, [&](auto k) {
            BinaryLoop<decltype(k)::value>(PerPoint{block(step.a)}, Shared{shared[step.b]}, out,
                                           lost.data(), n);
          });
          break;
        case BlockForm::ExpPair:
          ExpPairLoop(block(step.a), out, block(step.result + 1), lost.data(), n);
          break;
        case BlockForm::Hyperbolic:
          evaluation::VisitUnary(step.op, [&](auto k) {
            if constexpr (evaluation::IsHyperbolic(decltype(k)::value)) {
              HyperbolicLoop<decltype(k)::value>(block(step.a), block(step.a + 1), out, lost.data(),
                                                 n);
            }
          });
          break;
        case BlockForm::SharedPoint:
          evaluation::VisitBinary(step.op, [&](auto k) {
            BinaryLoop<decltype(k)::value>(Shared{shared[step.a]}, PerPoint{block(step.b)}, out,
                                           lost.data(), n);
          });
          break;
      }
    }

    if (throws) {
      // The first point still holding a value reaches the failing token; the
      // points before it in this block have ended with UndefinedMark.
      const std::size_t reaching =
          static_cast<std::size_t>(std::find(lost.begin(), lost.begin() + n, 0) - lost.begin());
      std::fill(results + first, results + first + reaching, UndefinedMark);
      if (reaching < n)
        throw EngineError(errorCode, errorText);
      continue;
    }
    if (plan.top.perPoint) {
      StoreResults(block(plan.top.index), lost.data(), results + first, n);
    } else {
      const float value = evaluation::FinalValue(shared[plan.top.index]);
      for (std::size_t i = 0; i < n; ++i) {
        results[first + i] = lost[i] != 0 ? UndefinedMark : value;
      }
    }
  }
}

CompiledExpression::CompiledExpression(const std::string& postfix)
    : program_(std::make_unique<Program>()) {
  Program& p = *program_;
  p.Decode(postfix);
  if (p.usesRandom || p.maxDepth + 1 > kMaxBlockLevels)
    return;
  // One plan per variable that the text reads, and one for all the others.
  p.plans.resize(kVariableCount + 1);
  std::array<bool, kVariableCount> read{};
  for (const Step& step : p.steps) {
    if (step.kind == StepKind::Variable)
      read[step.variable] = true;
  }
  for (std::size_t v = 0; v < kVariableCount; ++v) {
    if (read[v])
      p.plans[v] = p.MakePlan(v);
  }
  p.plans[kNoVarying] = p.MakePlan(kNoVarying);
}

CompiledExpression::~CompiledExpression() = default;
CompiledExpression::CompiledExpression(CompiledExpression&&) noexcept = default;
CompiledExpression& CompiledExpression::operator=(CompiledExpression&&) noexcept = default;

bool CompiledExpression::UsesRandom() const {
  return program_->usesRandom;
}

bool CompiledExpression::YieldsValue() const {
  return program_->throws || program_->finalDepth > 0;
}

bool CompiledExpression::Evaluate(const VariableValues& values, float& result,
                                  RandomGenerator& random) const {
  Scratch<kLocalStackDepth> stack(program_->maxDepth);
  return program_->RunSteps(ToArray(values), result, random, stack.data());
}

void CompiledExpression::EvaluateMany(const VariableValues& values, Variable varying,
                                      const float* points, std::size_t count, float* results,
                                      RandomGenerator& random) const {
  const Program& p = *program_;
  if (!YieldsValue())
    return;  // every evaluation returns false and writes nothing
  std::array<float, kVariableCount> variables = ToArray(values);
  const auto varyingIndex = static_cast<std::size_t>(varying);

  if (p.plans.empty()) {
    Scratch<kLocalStackDepth> stack(p.maxDepth);
    for (std::size_t i = 0; i < count; ++i) {
      variables[varyingIndex] = points[i];
      p.RunSteps(variables, results[i], random, stack.data());
    }
    return;
  }
  const bool read = p.plans[varyingIndex].usesVarying;
  p.RunBlocks(read ? p.plans[varyingIndex] : p.plans[kNoVarying], variables, points, count,
              results);
}

}  // namespace quillon
