// A postfix text decoded once into a compact program, so that sampling
// evaluates it many times without scanning text. Evaluating a run of points
// gives exactly the results of evaluating them one at a time. The same
// program also evaluates in double precision and over boxes of intervals.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "expr/interval.h"
#include "expr/jet.h"

namespace quillon {

class RandomGenerator;

enum class Variable : std::uint8_t { U, V, X, Y, A, R, B, T };

// The values of the eight variables, read by the tokens UU, VV, XX, YY, AA,
// RR, BB, TT.
struct VariableValues {
  float U = 0, V = 0, X = 0, Y = 0, A = 0, R = 0, B = 0, T = 0;
};

// The values of the eight variables in double precision, for EvaluatePoint.
struct VariablePoint {
  double U = 0, V = 0, X = 0, Y = 0, A = 0, R = 0, B = 0, T = 0;
};

// An interval for each of the eight variables, for EvaluateBox: the box of
// points whose values are enclosed. Each variable is the point 0 unless set.
// A variable's points are the finite doubles of its interval, so an
// infinite bound leaves it unbounded; a box with an empty interval (or a
// NaN bound) has no points.
struct VariableBox {
  Interval U, V, X, Y, A, R, B, T;
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

  // One evaluation in double precision: the steps of Evaluate on doubles,
  // without the final conversion (Evaluate gives this value as a float, or
  // UndefinedMark where it lies beyond the float range). Returns nothing when
  // the point has no value (a domain check fails or a value is not a finite
  // double) or the text leaves none. Throws as Evaluate.
  std::optional<double> EvaluatePoint(const VariablePoint& values, RandomGenerator& random) const;

  // An enclosure of EvaluatePoint over every point of the box, computed with
  // outward rounding: the interval holds the value of each point of the box
  // that has one (and the real value of the text's formulas there), and the
  // decoration tells where the points have values and whether the text is
  // continuous on the box (see Decoration). Domain checks are those of the
  // point evaluation; angles are in radians. RND stands
  // for any number of [0, 1) and is never continuous; no generator is used.
  // A value too large for a double makes the interval unbounded and the box
  // at most Partly defined. Partly is also what a box gets where a pole or a
  // domain end may lie on it, even one at the box's end: rounding outward
  // cannot prove 1 - x*x > 0 up to x = 1. A text that leaves no value is
  // Nowhere defined. Throws the EngineError of a failing token when a point
  // of the box may reach it.
  DecoratedInterval EvaluateBox(const VariableBox& box) const;

  // count box evaluations, variable `varying` taking intervals[i] and the
  // others their interval in `box`; results[i] receives each result.
  // Identical to calling EvaluateBox for i = 0 .. count - 1 (a failing token
  // throws at the first box that may reach it, the results before it
  // written), and much faster for long runs. With more than one varying
  // variable, call EvaluateBox per box.
  void EvaluateBoxes(const VariableBox& box, Variable varying, const Interval* intervals,
                     std::size_t count, DecoratedInterval* results) const;

  // EvaluateBox's enclosure with enclosures of the first three derivatives
  // with respect to `varying` (forward-mode differentiation on intervals;
  // the other variables are held at their intervals). Throws as
  // EvaluateBox.
  DecoratedJet EvaluateJet(const VariableBox& box, Variable varying) const;

 private:
  // Sets zeroFree of the results of EvaluateBoxes from EvaluateBox: the
  // runs carry no zero-freeness of their own, and only boxes that may hold
  // a pole (Partly defined, the interval holding 0) can have it.
  void MendZeroFree(const VariableBox& box, Variable varying, const Interval* intervals,
                    std::size_t count, DecoratedInterval* results) const;

  struct Program;
  std::unique_ptr<Program> program_;
};

}  // namespace quillon
