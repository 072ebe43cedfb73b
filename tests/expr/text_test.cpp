// The input filters, and reading and rounding numbers.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "expr/number_text.h"
#include "expr/reporter.h"
#include "expr/text_checks.h"

namespace quillon {
namespace {

// CleanExpressionText as a check: ok when it keeps anything.
TextCheck CleanCheck(const std::string& text) {
  const std::string cleaned = CleanExpressionText(text);
  return {!cleaned.empty(), cleaned};
}

struct CheckCase {
  TextCheck (*check)(const std::string&);
  std::string input;
  bool ok;
  std::string cleaned;
};

TEST(CheckText, NumberExpressionAndCleanFilters) {
  const auto number = CheckNumberText;
  const auto expression = CheckExpressionText;
  const auto clean = CleanCheck;
  const std::vector<CheckCase> cases = {
      {clean, "", false, ""},        {expression, "x=1", false, "x"},
      {number, "", true, "0"},       {expression, "x_1", false, "x"},
      {clean, " ", false, ""},       {number, "3,4 5x6", false, "3.45"},
      {number, " ", true, "0"},      {expression, "2 x\n", false, "2x"},
      {number, "  ", true, ""},      {expression, "\xC3\xA9", false, ""},
      {clean, "1#", false, ""},      {number, "-1.5E-3", true, "-1.5E-3"},
      {number, " 2 ", true, "2"},    {expression, "2,5*x", true, "2.5*x"},
      {number, "1/2", false, "1"},   {clean, "- 2 , 5E+10", true, "-2.5E+10"},
      {expression, "", true, "0"},   {expression, "sin(x) + 1", true, "sin(x)+1"},
      {number, "1\t2", false, "1"},  {expression, "-X^2/(1+Y)*T", true, "-X^2/(1+Y)*T"},
      {number, "1e+5", false, "1e"},
  };
  for (const CheckCase& c : cases) {
    SCOPED_TRACE(std::string(c.check == number  ? "number"
                             : c.check == clean ? "clean"
                                                : "expression") +
                 " '" + c.input + "'");
    const TextCheck check = c.check(c.input);
    EXPECT_EQ(check.ok, c.ok);
    EXPECT_EQ(check.cleaned, c.cleaned);
  }
}

// Up to 60 characters are quoted whole; a longer text keeps its first 60
// characters, whole UTF-8 sequences (2 and 3 bytes here), and an ellipsis.
TEST(MessageQuote, CutsAfterSixtyCharacters) {
  const std::string ellipsis = "\xE2\x80\xA6";
  const std::string e = "\xC3\xA9";  // é
  std::string euros;
  for (int i = 0; i < 60; ++i)
    euros += "\xE2\x82\xAC";
  const std::pair<std::string, std::string> cases[] = {
      {"", ""},
      {std::string(60, 'a'), std::string(60, 'a')},
      {std::string(61, 'a'), std::string(60, 'a') + ellipsis},
      {std::string(59, 'a') + e + "b", std::string(59, 'a') + e + ellipsis},
      {euros, euros},
      {euros + e, euros + ellipsis},
  };
  for (const auto& [text, quoted] : cases) {
    SCOPED_TRACE(text);
    EXPECT_EQ(MessageQuote(text), quoted);
  }
}

TEST(LeadingNumberValue, ReadsTheLongestLeadingNumber) {
  const double inf = std::numeric_limits<double>::infinity();
  const std::string hugeDigits = "1" + std::string(400, '0');
  const std::string tinyDigits = "0." + std::string(400, '0') + "1";
  const std::string hugeExponent = "-1e99999999999999999999";
  const std::vector<std::pair<std::string, double>> cases = {
      {"", 0},   {"1,5", 1},   {"12abc", 12},  {"2.5D+2", 250},
      {".", 0},  {".5", 0.5},  {"1e-400", 0},  {"0e999999", 0},
      {"+7", 7}, {"1e-x", 1},  {"1.2.3", 1.2}, {tinyDigits, 0},
      {"5.", 5}, {"+.e5", 0},  {"1E-2", 0.01}, {hugeDigits, inf},
      {"1e", 1}, {"-42", -42}, {"2.5d2", 250}, {hugeExponent, -inf},
      {" 5", 0}, {"0.1", 0.1}, {"1e309", inf}, {"4.9e-324", 4.9e-324},
  };
  for (const auto& [text, expected] : cases) {
    SCOPED_TRACE("'" + text + "'");
    EXPECT_EQ(LeadingNumberValue(text), expected);
  }
}

TEST(RoundHalfEven, RoundsToNearestEvenInteger) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const std::optional<std::int32_t> none;
  const std::vector<std::pair<double, std::optional<std::int32_t>>> cases = {
      {0.5, 0},  {-1.5, -2},           {-2147483648.6, none},
      {0.6, 1},  {-2.5, -2},           {0.49999999999999994, 0},
      {1.5, 2},  {nan, none},          {2147483647.4, 2147483647},
      {2.5, 2},  {inf, none},          {-2147483648.5, -2147483647 - 1},
      {-0.5, 0}, {2147483647.5, none},
  };
  for (const auto& [value, expected] : cases) {
    SCOPED_TRACE(value);
    EXPECT_EQ(RoundHalfEven(value), expected);
  }
}

}  // namespace
}  // namespace quillon
