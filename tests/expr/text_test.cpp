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

struct CheckCase {
  TextCheck (*check)(const std::string&);
  std::string input;
  bool ok;
  std::string cleaned;
};

TEST(CheckText, NumberAndExpressionFilters) {
  const auto number = CheckNumberText;
  const auto expression = CheckExpressionText;
  const std::vector<CheckCase> cases = {
      {number, " 2 ", true, "2"},
      {number, "", true, "0"},
      {number, " ", true, "0"},
      {number, "  ", true, ""},
      {number, "-1.5E-3", true, "-1.5E-3"},
      {number, "1/2", false, "1"},
      {number, "1e+5", false, "1e"},
      {number, "1\t2", false, "1"},
      {number, "3,4 5x6", false, "3.45"},
      {expression, "sin(x) + 1", true, "sin(x)+1"},
      {expression, "2,5*x", true, "2.5*x"},
      {expression, "-X^2/(1+Y)*T", true, "-X^2/(1+Y)*T"},
      {expression, "", true, "0"},
      {expression, "x=1", false, "x"},
      {expression, "x_1", false, "x"},
      {expression, "2 x\n", false, "2x"},
      {expression, "\xC3\xA9", false, ""},
  };
  for (const CheckCase& c : cases) {
    SCOPED_TRACE(std::string(c.check == number ? "number" : "expression") + " '" + c.input + "'");
    const TextCheck check = c.check(c.input);
    EXPECT_EQ(check.ok, c.ok);
    EXPECT_EQ(check.cleaned, c.cleaned);
  }
}

TEST(CleanExpressionText, Filters) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"1,5E+10", "1.5E+10"}, {"1#", ""}, {" ", ""}, {"- 2 , 5", "-2.5"}, {"sin(x)", "sin(x)"},
  };
  for (const auto& [input, cleaned] : cases) {
    SCOPED_TRACE("'" + input + "'");
    EXPECT_EQ(CleanExpressionText(input), cleaned);
  }
}

// Up to 60 characters are quoted whole; a longer text keeps its first 60
// characters, whole UTF-8 sequences (2 and 3 bytes here), and an ellipsis.
TEST(MessageQuote, CutsAfterSixtyCharacters) {
  const std::string ellipsis = "\xE2\x80\xA6";
  const std::string e = "\xC3\xA9";         // é
  const std::string euro = "\xE2\x82\xAC";  // €
  std::string euros;
  for (int i = 0; i < 60; ++i) {
    euros += euro;
  }
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
  const std::vector<std::pair<std::string, double>> cases = {
      {"-42", -42},
      {"+7", 7},
      {".5", 0.5},
      {"5.", 5},
      {"1,5", 1},
      {"1.2.3", 1.2},
      {"1E-2", 0.01},
      {"2.5D+2", 250},
      {"2.5d2", 250},
      {"1e", 1},
      {"1e-x", 1},
      {"12abc", 12},
      {"", 0},
      {".", 0},
      {"+.e5", 0},
      {" 5", 0},
      {"0.1", 0.1},
      {"1e309", inf},
      {"-1e99999999999999999999", -inf},
      {"1" + std::string(400, '0'), inf},
      {"0." + std::string(400, '0') + "1", 0},
      {"1e-400", 0},
      {"0e999999", 0},
      {"4.9e-324", 4.9e-324},
  };
  for (const auto& [text, expected] : cases) {
    SCOPED_TRACE("'" + text + "'");
    EXPECT_EQ(LeadingNumberValue(text), expected);
  }
}

TEST(RoundHalfEven, RoundsToNearestEvenInteger) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const std::vector<std::pair<double, std::optional<std::int32_t>>> cases = {
      {0.5, 0},
      {0.6, 1},
      {1.5, 2},
      {2.5, 2},
      {-0.5, 0},
      {-1.5, -2},
      {-2.5, -2},
      {0.49999999999999994, 0},
      {2147483647.4, 2147483647},
      {2147483647.5, std::nullopt},
      {-2147483648.5, -2147483647 - 1},
      {-2147483648.6, std::nullopt},
      {nan, std::nullopt},
      {inf, std::nullopt},
  };
  for (const auto& [value, expected] : cases) {
    SCOPED_TRACE(value);
    EXPECT_EQ(RoundHalfEven(value), expected);
  }
}

}  // namespace
}  // namespace quillon
