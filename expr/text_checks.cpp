#include "expr/text_checks.h"

#include <string_view>

namespace quillon {
namespace {

constexpr std::string_view kNumberCharacters = "-1234567890Ee.";
constexpr std::string_view kExpressionCharacters =
    "-1234567890.+*/^()abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";

// Keeps the allowed characters, drops blanks, turns "," into "."; stops at
// the first other character with ok = false.
TextCheck Filter(const std::string& text, std::string_view allowed) {
  TextCheck check;
  check.cleaned.reserve(text.size());
  for (const char c : text) {
    if (c == ' ')
      continue;
    if (c == ',') {
      check.cleaned += '.';
    } else if (allowed.find(c) != std::string_view::npos) {
      check.cleaned += c;
    } else {
      return check;
    }
  }
  check.ok = true;
  return check;
}

TextCheck FilterInput(const std::string& text, std::string_view allowed) {
  TextCheck check = Filter(text, allowed);
  if (check.ok && (text.empty() || text == " "))
    check.cleaned = "0";
  return check;
}

}  // namespace

TextCheck CheckNumberText(const std::string& text) {
  return FilterInput(text, kNumberCharacters);
}

TextCheck CheckExpressionText(const std::string& text) {
  return FilterInput(text, kExpressionCharacters);
}

std::string CleanExpressionText(const std::string& text) {
  TextCheck check = Filter(text, kExpressionCharacters);
  return check.ok ? check.cleaned : std::string();
}

}  // namespace quillon
