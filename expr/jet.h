// Forward-mode differentiation on intervals: the enclosure of a text's value
// over a box together with enclosures of its first three derivatives with
// respect to one variable, as CompiledExpression::EvaluateJet computes them.
// The third derivative is what proves that a zero of the second one is
// single, so that inflection points are certified as roots and extrema are.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "expr/interval.h"

namespace quillon {

inline constexpr std::size_t kJetOrder = 3;

struct DecoratedJet {
  // As EvaluateBox gives it for the same box.
  DecoratedInterval value;
  // derivatives[k - 1] encloses the k-th derivative for k up to
  // `differentiable`, at every point of every open stretch of the box on
  // which the text has a value (and one-sided at the box's ends); the
  // others are Entire. Where the text is not that often differentiable at a
  // point that has a value (|x| at 0, a jump of int, sqrt at 0, a
  // fractional power of 0, RND), `differentiable` is lower.
  std::array<Interval, kJetOrder> derivatives{};
  // As DecoratedInterval::zeroFree for a derivative: proven that it is
  // nowhere 0 on the box even though its interval holds 0 (tan'' across a
  // pole of tan).
  std::array<bool, kJetOrder> derivativeZeroFree{};
  std::uint8_t differentiable = 0;

  // The k-th derivative enclosure (k = 0: the value's interval).
  Interval Derivative(std::size_t k) const { return k == 0 ? value.value : derivatives[k - 1]; }
  // True when proven that the k-th derivative has no zero on the box (the
  // value, for k = 0, has none where it is defined).
  bool DerivativeExcludesZero(std::size_t k) const {
    if (k == 0)
      return value.ExcludesZero();
    return k <= differentiable && (derivativeZeroFree[k - 1] || !derivatives[k - 1].Contains(0));
  }
};

}  // namespace quillon
