#include "io/field_text.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "expr/number_text.h"
#include "expr/text_checks.h"

namespace quillon {
namespace {

constexpr float kLargestSingle = std::numeric_limits<float>::max();

// A decimal number given by its significant digits (no leading or trailing
// zeros) and the power of ten of the first digit.
struct DecimalDigits {
  bool negative = false;
  std::string digits;
  int exponent = 0;
};

// Splits a text in the form to_chars writes with chars_format::scientific
// ("-1.2345e+07").
DecimalDigits SplitScientific(const char* begin, const char* end) {
  DecimalDigits result;
  const char* p = begin;
  if (p != end && *p == '-') {
    result.negative = true;
    ++p;
  }
  for (; p != end && *p != 'e'; ++p) {
    if (*p != '.') {
      result.digits.push_back(*p);
    }
  }
  if (p != end) {
    ++p;
    if (p != end && *p == '+') {
      ++p;
    }
    std::from_chars(p, end, result.exponent);
  }
  while (result.digits.size() > 1 && result.digits.back() == '0') {
    result.digits.pop_back();
  }
  return result;
}

std::string Compose(const DecimalDigits& number) {
  const std::string& digits = number.digits;
  const int count = static_cast<int>(digits.size());
  const int e = number.exponent;
  std::string text = number.negative ? "-" : "";
  if (e >= -5 && e <= 6) {
    if (e >= 0) {
      const int whole = e + 1;
      if (count <= whole) {
        text += digits;
        text.append(static_cast<std::size_t>(whole - count), '0');
      } else {
        text += digits.substr(0, static_cast<std::size_t>(whole));
        text += '.';
        text += digits.substr(static_cast<std::size_t>(whole));
      }
    } else {
      text += "0.";
      text.append(static_cast<std::size_t>(-e - 1), '0');
      text += digits;
    }
    return text;
  }
  text += digits[0];
  if (count > 1) {
    text += '.';
    text += digits.substr(1);
  }
  text += e < 0 ? "E-" : "E+";
  const int magnitude = std::abs(e);
  if (magnitude < 10) {
    text += '0';
  }
  text += std::to_string(magnitude);
  return text;
}

bool ReadsBackAs(const std::string& text, float value) {
  const std::optional<float> back = NumberFieldValue(text);
  return back && *back == value;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

std::string IntegerText(std::int32_t value) {
  return std::to_string(value);
}

std::string PlainNumberText(float value) {
  if (std::isnan(value)) {
    return "0";
  }
  if (std::isinf(value)) {
    value = std::copysign(kLargestSingle, value);
  }
  if (value == 0) {
    return "0";
  }
  char buffer[64];
  // The shortest digits that identify the value...
  auto written =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
  DecimalDigits number = SplitScientific(buffer, written.ptr);
  std::string text = Compose(number);
  if (ReadsBackAs(text, value)) {
    return text;
  }
  // ...normally read back through the field reader too; where its decimal to
  // double to single path rounds differently, take more digits.
  for (int digits = static_cast<int>(number.digits.size()) + 1; digits <= 9; ++digits) {
    written = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value),
                            std::chars_format::scientific, digits - 1);
    number = SplitScientific(buffer, written.ptr);
    text = Compose(number);
    if (ReadsBackAs(text, value)) {
      break;
    }
  }
  return text;
}

std::string NumberText(float value) {
  return CleanExpressionText(PlainNumberText(value));
}

std::string FlagText(bool value) {
  return value ? "1" : "0";
}

std::string TextFieldText(const std::string& text) {
  std::string result;
  result.reserve(text.size());
  for (const char c : text) {
    if (c == ' ') {
      result += kNoBreakSpace;
    } else {
      result += c;
    }
  }
  return result;
}

std::optional<std::int32_t> IntegerFieldValue(const std::string& token) {
  return RoundHalfEven(LeadingNumberValue(token));
}

std::optional<std::int32_t> StrictIntegerFieldValue(const std::string& token) {
  // sign? (digits ("." digits?)? | "." digits) ([EeDd] sign? digits)?
  std::string normalized;
  std::size_t i = 0;
  const std::size_t n = token.size();
  if (i < n && (token[i] == '+' || token[i] == '-')) {
    if (token[i] == '-') {
      normalized += '-';
    }
    ++i;
  }
  std::size_t mantissaDigits = 0;
  for (; i < n && IsDigit(token[i]); ++i, ++mantissaDigits) {
    normalized += token[i];
  }
  if (i < n && token[i] == '.') {
    normalized += '.';
    for (++i; i < n && IsDigit(token[i]); ++i, ++mantissaDigits) {
      normalized += token[i];
    }
  }
  if (mantissaDigits == 0) {
    return std::nullopt;
  }
  if (i < n && (token[i] == 'E' || token[i] == 'e' || token[i] == 'D' || token[i] == 'd')) {
    normalized += 'e';
    ++i;
    if (i < n && (token[i] == '+' || token[i] == '-')) {
      normalized += token[i];
      ++i;
    }
    std::size_t exponentDigits = 0;
    for (; i < n && IsDigit(token[i]); ++i, ++exponentDigits) {
      normalized += token[i];
    }
    if (exponentDigits == 0) {
      return std::nullopt;
    }
  }
  if (i != n) {
    return std::nullopt;
  }
  double value = 0;
  const char* begin = normalized.data();
  const char* end = begin + normalized.size();
  const auto parsed = std::from_chars(begin, end, value);
  if (parsed.ec != std::errc() || parsed.ptr != end) {
    return std::nullopt;
  }
  return RoundHalfEven(value);
}

std::optional<float> NumberFieldValue(const std::string& token) {
  const double value = LeadingNumberValue(token);
  if (!std::isfinite(value)) {
    return std::nullopt;
  }
  const double magnitude = std::fabs(value);
  if (magnitude > static_cast<double>(kLargestSingle)) {
    // Values up to half a unit above the largest single still round to it.
    const double limit = std::ldexp(1.0, 128) - std::ldexp(1.0, 103);
    if (magnitude >= limit) {
      return std::nullopt;
    }
    return std::copysign(kLargestSingle, static_cast<float>(value > 0 ? 1 : -1));
  }
  return static_cast<float>(value);
}

bool FlagFieldValue(const std::string& token) {
  return token == "True" || token == "1";
}

std::optional<float> PointSizeFieldValue(const std::string& token) {
  if (token.size() == 1 && token[0] >= '1' && token[0] <= '9') {
    return static_cast<float>(token[0] - '0');
  }
  return std::nullopt;
}

std::string TextFieldValue(const std::string& token) {
  std::string result;
  result.reserve(token.size());
  for (std::size_t i = 0; i < token.size(); ++i) {
    if (token.compare(i, 2, kNoBreakSpace) == 0) {
      result += ' ';
      ++i;
    } else {
      result += token[i];
    }
  }
  return result;
}

}  // namespace quillon
