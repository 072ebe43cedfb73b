// The value that marks a coordinate or an evaluation result as undefined.
#pragma once

namespace quillon {

// The 32-bit float nearest to 0.12345 (bits 3DFCD35B). The evaluator returns it
// for values outside a function's domain, sampling writes it for coordinates
// outside the view interval, drawing skips every segment that touches it. A
// true value of exactly this float cannot be told apart from a missing one.
inline constexpr float UndefinedMark = 0.12345f;

}  // namespace quillon
