// A postfix text decoded once into a compact program, so that sampling
// evaluates it many times without scanning text. Evaluating a run of points
// gives exactly the results of evaluating them one at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace quillon {

class RandomGenerator;

enum class Variable : std::uint8_t { U, V, X, Y, A, R, B, T };

// The values of the eight variables, read by the tokens UU, VV, XX, YY, AA,
// RR, BB, TT.
struct VariableValues {
  float U = 0, V = 0, X = 0, Y = 0, A = 0, R = 0, B = 0, T = 0;
};

class CompiledExpression {
 public:
  // Decodes the text. Never throws: a token that would fail when evaluated
  // (unknown, or too few operands) becomes a step that throws EngineError
  // (kErrorBadToken, kErrorPopEmptyStack) only when an evaluation reaches it.
  explicit CompiledExpression(const std::string& postfix);
  ~CompiledExpression();
  CompiledExpression(CompiledExpression&&) noexcept;
  CompiledExpression& operator=(CompiledExpression&&) noexcept;

  // True when the text calls RND: its values depend on the order of all
  // evaluations, so such a text is evaluated point by point.
  bool UsesRandom() const;
  // False when every evaluation returns false (the text leaves no value).
  bool YieldsValue() const;

  // One evaluation, angles in radians. Returns true with the value in
  // result, true with UndefinedMark when a domain check fails or a value is
  // not a finite number in single range, false (result unchanged) when the
  // text leaves no value. RND draws from random.
  bool Evaluate(const VariableValues& values, float& result, RandomGenerator& random) const;

  // count evaluations in order, variable `varying` taking points[i] and the
  // others their value in `values`; results[i] receives each result (the
  // value or UndefinedMark). Requires YieldsValue(). Identical to calling
  // Evaluate for i = 0 .. count - 1.
  void EvaluateMany(const VariableValues& values, Variable varying, const float* points,
                    std::size_t count, float* results, RandomGenerator& random) const;

 private:
  struct Program;
  std::unique_ptr<Program> program_;
};

}  // namespace quillon
