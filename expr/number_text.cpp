// Number reading independent of the locale: "." is the decimal point always.
#include "expr/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace quillon {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

const char* SkipDigits(const char* p, const char* last) {
  while (p != last && IsDigit(*p))
    ++p;
  return p;
}

// The decimal order of magnitude of the first non-zero digit of the mantissa
// [first, last) times 10^exponent; used only to tell an overflow from an
// underflow when the value lies outside the double range.
long long DecimalOrder(const char* first, const char* last, long long exponent) {
  long long integerDigits = 0;
  while (first + integerDigits != last && IsDigit(first[integerDigits]))
    ++integerDigits;
  long long index = 0;
  for (const char* p = first; p != last; ++p) {
    if (*p == '.')
      continue;
    if (*p != '0')
      return integerDigits - 1 - index + exponent;
    ++index;
  }
  return 0;  // all zeros
}

}  // namespace

double LeadingNumberValue(const char* first, const char* last) {
  const char* p = first;
  bool negative = false;
  if (p != last && (*p == '+' || *p == '-')) {
    negative = *p == '-';
    ++p;
  }
  const char* mantissaFirst = p;
  p = SkipDigits(p, last);
  bool anyDigit = p != mantissaFirst;
  if (p != last && *p == '.') {
    const char* fractionEnd = SkipDigits(p + 1, last);
    if (anyDigit || fractionEnd != p + 1) {
      anyDigit = true;
      p = fractionEnd;
    }
  }
  if (!anyDigit)
    return 0;
  const char* mantissaLast = p;

  // Exponent: only when at least one digit follows the letter and its sign.
  bool exponentNegative = false;
  const char* exponentFirst = nullptr;
  const char* exponentLast = nullptr;
  if (p != last && (*p == 'e' || *p == 'E' || *p == 'd' || *p == 'D')) {
    const char* q = p + 1;
    bool signNegative = false;
    if (q != last && (*q == '+' || *q == '-')) {
      signNegative = *q == '-';
      ++q;
    }
    const char* digitsLast = SkipDigits(q, last);
    if (digitsLast != q) {
      exponentNegative = signNegative;
      exponentFirst = q;
      exponentLast = digitsLast;
    }
  }

  std::string text(mantissaFirst, mantissaLast);
  if (exponentFirst != nullptr) {
    text += exponentNegative ? "e-" : "e";
    text.append(exponentFirst, exponentLast);
  }
  double value = 0;
  const std::from_chars_result parsed =
      std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
  if (parsed.ec == std::errc::result_out_of_range) {
    long long exponent = 0;
    for (const char* q = exponentFirst; q != exponentLast; ++q) {
      exponent = std::min(exponent * 10 + (*q - '0'), 1000000000LL);
    }
    if (exponentNegative)
      exponent = -exponent;
    value = DecimalOrder(mantissaFirst, mantissaLast, exponent) > 0
                ? std::numeric_limits<double>::infinity()
                : 0.0;
  } else if (parsed.ec != std::errc()) {
    value = 0;
  }
  return negative ? -value : value;
}

double LeadingNumberValue(const std::string& text) {
  return LeadingNumberValue(text.data(), text.data() + text.size());
}

std::optional<std::int32_t> RoundHalfEven(double value) {
  if (!std::isfinite(value))
    return std::nullopt;
  double whole = 0;
  const double fraction = std::modf(value, &whole);  // exact
  double rounded = std::round(value);                // halves away from zero
  if (std::fabs(fraction) == 0.5 && std::fmod(whole, 2.0) == 0)
    rounded = whole;
  if (rounded < -2147483648.0 || rounded > 2147483647.0)
    return std::nullopt;
  return static_cast<std::int32_t>(rounded);
}

}  // namespace quillon
