// How the status bar writes world coordinates: with as many decimals as
// tell apart two points one pixel apart, and no more.
#pragma once

#include <cstdint>
#include <string>

namespace quillon {

// More decimals than a double holds would only show noise.
inline constexpr std::int32_t kMostDecimals = 15;

// The decimals that tell apart two values pixelSize world units apart:
// 0.05 gives 2, 0.1 gives 1, 1 and more give 0. A size that is no positive
// number gives kMostDecimals.
std::int32_t DecimalsForPixel(double pixelSize);

// value with that many decimals ("-0.00" is written "0.00").
std::string CoordinateText(double value, std::int32_t decimals);

}  // namespace quillon
