#include "ui/coordinate_text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace quillon {

std::int32_t DecimalsForPixel(double pixelSize) {
  if (!(pixelSize > 0) || !std::isfinite(pixelSize)) {
    return kMostDecimals;
  }
  // The slack keeps exact powers of ten (0.1, whose logarithm lands a hair
  // beside -1) at their own number of decimals.
  constexpr double kSlack = 1e-9;
  const double decimals = std::ceil(-std::log10(pixelSize) - kSlack);
  return static_cast<std::int32_t>(std::clamp(decimals, 0.0, static_cast<double>(kMostDecimals)));
}

std::string CoordinateText(double value, std::int32_t decimals) {
  decimals = std::clamp(decimals, 0, kMostDecimals);
  const int length = std::snprintf(nullptr, 0, "%.*f", decimals, value);
  if (length <= 0) {
    return {};
  }
  std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
  std::snprintf(buffer.data(), buffer.size(), "%.*f", decimals, value);
  std::string text(buffer.data());
  const bool onlyZeros = text.find_first_not_of("-0.") == std::string::npos;
  if (onlyZeros && text.front() == '-') {
    text.erase(0, 1);
  }
  return text;
}

}  // namespace quillon
