// The input filters, and reading and rounding numbers.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "expr/number_text.h"
#include "expr/text_checks.h"

namespace quillon {
namespace {

struct CheckCase {
  std::string input;
  bool ok;
  std::string cleaned;
};

TEST(CheckNumberText, Filters) {
  const std::vector<CheckCase> cases = {
      {"1,5", true, "1.5"},
      {" 2 ", true, "2"},
      {"", true, "0"},
      {" ", true, "0"},
      {"  ", true, ""},
      {"1.2.3", true, "1.2.3"},
      {"1-2e", true, "1-2e"},
      {"-1.5E-3", true, "-1.5E-3"},
      {"1/2", false, "1"},
      {"1e+5", false, "1e"},
      {"x", false, ""},
      {"1\t2", false, "1"},
      {"3,4 5x6", false, "3.45"},
      {"\xC2\xB5", false, ""},
  };
  for (const CheckCase& c : cases) {
    SCOPED_TRACE("'" + c.input + "'");
    const TextCheck check = CheckNumberText(c.input);
    EXPECT_EQ(check.ok, c.ok);
    EXPECT_EQ(check.cleaned, c.cleaned);
  }
}

TEST(CheckExpressionText, Filters) {
  const std::vector<CheckCase> cases = {
      {"sin(x) + 1", true, "sin(x)+1"},
      {"2,5*x", true, "2.5*x"},
      {"-X^2/(1+Y)*T", true, "-X^2/(1+Y)*T"},
      {"", true, "0"},
      {" ", true, "0"},
      {"   ", true, ""},
      {"x=1", false, "x"},
      {"x<1", false, "x"},
      {"x_1", false, "x"},
      {"x!", false, "x"},
      {"2 x\n", false, "2x"},
      {"\xC3\xA9", false, ""},
  };
  for (const CheckCase& c : cases) {
    SCOPED_TRACE("'" + c.input + "'");
    const TextCheck check = CheckExpressionText(c.input);
    EXPECT_EQ(check.ok, c.ok);
    EXPECT_EQ(check.cleaned, c.cleaned);
  }
}

TEST(CleanExpressionText, Filters) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"1,5E+10", "1.5E+10"}, {"1#", ""},           {"", ""},    {" ", ""},
      {"- 2 , 5", "-2.5"},    {"sin(x)", "sin(x)"}, {"x=0", ""},
  };
  for (const auto& [input, cleaned] : cases) {
    SCOPED_TRACE("'" + input + "'");
    EXPECT_EQ(CleanExpressionText(input), cleaned);
  }
}

TEST(LeadingNumberValue, ReadsTheLongestLeadingNumber) {
  const double inf = std::numeric_limits<double>::infinity();
  const std::vector<std::pair<std::string, double>> cases = {
      {"-42", -42},
      {"+7", 7},
      {".5", 0.5},
      {"5.", 5},
      {"-.25", -0.25},
      {"1,5", 1},
      {",5", 0},
      {"1.2.3", 1.2},
      {"1e3", 1000},
      {"1E-2", 0.01},
      {"2.5D+2", 250},
      {"2.5d2", 250},
      {"1e", 1},
      {"1e-x", 1},
      {"7 8", 7},
      {"12abc", 12},
      {"", 0},
      {".", 0},
      {"-", 0},
      {"+.e5", 0},
      {"abc", 0},
      {" 5", 0},
      {"0.1", 0.1},
      {"123456789012345678901234567890", 123456789012345678901234567890.0},
      {"1e308", 1e308},
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
      {0, 0},
      {0.4, 0},
      {0.5, 0},
      {0.6, 1},
      {1.5, 2},
      {2.5, 2},
      {-0.5, 0},
      {-1.5, -2},
      {-2.5, -2},
      {-2.6, -3},
      {0.49999999999999994, 0},
      {-0.49999999999999994, 0},
      {2147483647.0, 2147483647},
      {2147483647.4, 2147483647},
      {2147483647.5, std::nullopt},
      {-2147483648.0, -2147483647 - 1},
      {-2147483648.5, -2147483647 - 1},
      {-2147483648.6, std::nullopt},
      {1e20, std::nullopt},
      {nan, std::nullopt},
      {inf, std::nullopt},
      {-inf, std::nullopt},
  };
  for (const auto& [value, expected] : cases) {
    SCOPED_TRACE(value);
    EXPECT_EQ(RoundHalfEven(value), expected);
  }
}

}  // namespace
}  // namespace quillon
