// The decoded form of a compiled postfix text, shared by the evaluators of
// CompiledExpression: the steps in text order, and the plans that rearrange
// them for runs over many points or boxes. Internal to the expression engine.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "expr/compiled_expression.h"
#include "expr/evaluation_steps.h"

namespace quillon {
namespace evaluation {

inline constexpr std::size_t kVariableCount = 8;
inline constexpr std::size_t kNoVarying = kVariableCount;
// Points per block: large enough that a step's loop dominates its dispatch,
// small enough that the working stack stays in the first-level cache.
inline constexpr std::size_t kBlockLength = 256;
// Deeper texts are evaluated point by point rather than with blocks per level.
inline constexpr std::size_t kMaxBlockLevels = 1024;
// Stack depth served without allocating in a single evaluation.
inline constexpr std::size_t kLocalStackDepth = 64;
// Shared values and blocks of a run served without allocating.
inline constexpr std::size_t kLocalSharedValues = 64;
inline constexpr std::size_t kLocalBlocks = 16;

enum class StepKind : std::uint8_t { Number, Variable, Unary, Binary, Random };

struct Step {
  StepKind kind = StepKind::Number;
  Op op = Op::Add;
  std::uint8_t variable = 0;
  double number = 0;
};

// Where a block step reads an operand: a block of per-point values (index of
// the block: 0 the varying variable, 1 + n stack level n, then the two blocks
// of e^x and e^-x) or one value shared by every point (index into the shared
// values).
struct Operand {
  bool perPoint = false;
  std::uint32_t index = 0;
};

// A step whose operands are shared values: computed once per run.
struct SharedStep {
  Op op = Op::Add;
  bool binary = false;
  std::uint32_t a = 0;
  std::uint32_t b = 0;
  std::uint32_t result = 0;
};

// ExpPair fills blocks result and result + 1 with e^x and e^-x of block a;
// Hyperbolic computes op from such a pair starting at block a.
enum class BlockForm : std::uint8_t {
  Unary,
  PointPoint,
  PointShared,
  SharedPoint,
  ExpPair,
  Hyperbolic
};

struct BlockStep {
  Op op = Op::Add;
  BlockForm form = BlockForm::Unary;
  std::uint32_t a = 0;
  std::uint32_t b = 0;
  std::uint32_t result = 0;  // always a per-point block
};

// The steps rearranged for runs in which one variable varies. Shared values
// are laid out as the eight variables, then the numbers of the text, then the
// results of shared steps.
struct Plan {
  bool usesVarying = false;
  bool alwaysUndefined = false;    // a number token that is not finite is reached
  std::uint8_t checkedShared = 0;  // bit per fixed variable read by the text
  std::vector<SharedStep> shared;
  std::vector<BlockStep> blocks;
  Operand top;
  std::uint32_t sharedCount = 0;
  std::uint32_t blockCount = 1;
};

// Working values of one call: on the stack up to kLocal, on the heap beyond,
// so that the usual texts evaluate without allocating. Left uninitialised:
// every value is written before it is read.
template <typename Value, std::size_t kLocal>
class Scratch {
 public:
  explicit Scratch(std::size_t size) {
    if (size > kLocal) {
      heap_.resize(size);
      data_ = heap_.data();
    }
  }
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;
  Value* data() { return data_; }
  Value& operator[](std::size_t i) { return data_[i]; }

 private:
  std::array<Value, kLocal> local_;
  std::vector<Value> heap_;
  Value* data_ = local_.data();
};

// Runs the steps once on values of another kind than Evaluate's: the one
// place that walks a program for evaluations over other number types (a
// point in double precision, a box of intervals, a value with its
// derivative). Arithmetic provides
//   using Value = ...;  (default-constructible, copyable)
//   bool Number(double number, Value& result);
//   bool Variable(std::uint8_t index, Value& result);  // 0 to 7: U V X Y A R B T
//   bool Unary(Op op, const Value& x, Value& result);   // a function or "(-)"
//   bool Binary(Op op, const Value& a, const Value& b, Value& result);
//   bool Random(const Value& argument, Value& result);
// each returning false when after the step no point has a value any more:
// the walk stops there, as the point evaluation does at an undefined step.
// stack has room for the program's maxDepth values. Returns the stack depth
// after the last step, or nothing when the walk stopped. A failing token
// ends the steps (Program::throws): the caller throws when the walk reaches
// the end.
template <typename Arithmetic>
std::optional<std::size_t> WalkSteps(const std::vector<Step>& steps, Arithmetic& arithmetic,
                                     typename Arithmetic::Value* stack) {
  std::size_t depth = 0;
  for (const Step& step : steps) {
    typename Arithmetic::Value value{};
    bool goesOn = true;
    switch (step.kind) {
      case StepKind::Number:
        goesOn = arithmetic.Number(step.number, value);
        break;
      case StepKind::Variable:
        goesOn = arithmetic.Variable(step.variable, value);
        break;
      case StepKind::Unary:
        --depth;
        goesOn = arithmetic.Unary(step.op, stack[depth], value);
        break;
      case StepKind::Binary:
        depth -= 2;
        goesOn = arithmetic.Binary(step.op, stack[depth], stack[depth + 1], value);
        break;
      case StepKind::Random:
        --depth;
        goesOn = arithmetic.Random(stack[depth], value);
        break;
    }
    if (!goesOn)
      return std::nullopt;
    stack[depth++] = value;
  }
  return depth;
}

}  // namespace evaluation

struct CompiledExpression::Program {
  std::vector<evaluation::Step> steps;
  std::vector<double> numbers;  // the number of each Number step, in order
  std::size_t maxDepth = 0;
  std::size_t finalDepth = 0;
  bool usesRandom = false;
  // A step that fails whenever an evaluation reaches it ends the steps.
  bool throws = false;
  std::int32_t errorCode = 0;
  std::string errorText;
  // Indexed by the varying variable; kNoVarying serves variables the text
  // does not read. Empty when the text is evaluated point by point only.
  std::vector<evaluation::Plan> plans;

  void Decode(const std::string& postfix);
  evaluation::Plan MakePlan(std::size_t varying) const;
  bool RunSteps(const std::array<float, evaluation::kVariableCount>& variables, float& result,
                RandomGenerator& random, double* stack) const;
  void RunBlocks(const evaluation::Plan& plan,
                 const std::array<float, evaluation::kVariableCount>& variables,
                 const float* points, std::size_t count, float* results) const;
};

}  // namespace quillon
