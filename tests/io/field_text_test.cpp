#include "io/field_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <random>

namespace quillon {
namespace {

TEST(PlainNumberText, ShortestTextInFixedOrExponentForm) {
  struct Case {
    float value;
    const char* text;
  };
  const Case cases[] = {
      {0.0f, "0"},
      {-0.0f, "0"},
      {1.0f, "1"},
      {-1.0f, "-1"},
      {0.5f, "0.5"},
      {0.1f, "0.1"},
      {-2.75f, "-2.75"},
      {100.0f, "100"},
      {123.456f, "123.456"},
      {0.12345f, "0.12345"},
      {3.14159265f, "3.1415927"},  // seven digits give another single
      {1234567.0f, "1234567"},
      {9999999.0f, "9999999"},
      {1234567.5f, "1234567.5"},  // eight digits: seven do not read back
      {1e7f, "1E+07"},
      {12345678.0f, "1.2345678E+07"},
      {16777216.0f, "1.6777216E+07"},
      {1e20f, "1E+20"},
      {-4.5e15f, "-4.5E+15"},
      {0.00001f, "0.00001"},
      {-0.000025f, "-0.000025"},
      {0.000001f, "1E-06"},
      {1.5e-7f, "1.5E-07"},
      {std::numeric_limits<float>::max(), "3.4028235E+38"},
      {std::numeric_limits<float>::denorm_min(), "1E-45"},
      {std::numeric_limits<float>::infinity(), "3.4028235E+38"},
      {-std::numeric_limits<float>::infinity(), "-3.4028235E+38"},
      {std::numeric_limits<float>::quiet_NaN(), "0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(PlainNumberText(c.value), c.text);
  }
}

// Every single value reads back exactly, in at most nine digits.
TEST(PlainNumberText, ReadsBackToTheSameSingleValue) {
  std::mt19937 random(20240611);
  std::uniform_int_distribution<std::uint32_t> bits;
  int checked = 0;
  while (checked < 20000) {
    const std::uint32_t pattern = bits(random);
    float value;
    std::memcpy(&value, &pattern, sizeof value);
    if (!std::isfinite(value)) {
      continue;
    }
    ++checked;
    const std::string text = PlainNumberText(value);
    const std::optional<float> back = NumberFieldValue(text);
    ASSERT_TRUE(back.has_value()) << text;
    ASSERT_EQ(*back, value == 0 ? 0.0f : value) << text;
    std::string digits;
    for (const char c : text.substr(0, text.find('E'))) {
      if (c >= '0' && c <= '9' && !(digits.empty() && c == '0')) {
        digits += c;
      }
    }
    ASSERT_LE(digits.size(), 9u) << text;
    ASSERT_EQ(text.find(','), std::string::npos) << text;
  }
}

TEST(NumberText, PassesThroughTheExpressionFilterUnchanged) {
  for (const float value : {1.5e-7f, -3.0f, 1e20f, 0.001f}) {
    EXPECT_EQ(NumberText(value), PlainNumberText(value));
  }
}

TEST(FieldText, IntegerFlagAndTextForms) {
  EXPECT_EQ(IntegerText(-1), "-1");
  EXPECT_EQ(IntegerText(2147483647), "2147483647");
  EXPECT_EQ(IntegerText(-2147483647 - 1), "-2147483648");
  EXPECT_EQ(FlagText(true), "1");
  EXPECT_EQ(FlagText(false), "0");
  EXPECT_EQ(TextFieldText("my  curve "),
            "my\xC2\xA0\xC2\xA0"
            "curve\xC2\xA0");
  EXPECT_EQ(TextFieldText(""), "");
  EXPECT_EQ(TextFieldValue("my\xC2\xA0\xC2\xA0"
                           "curve\xC2\xA0"),
            "my  curve ");
  EXPECT_EQ(TextFieldValue("caf\xC3\xA9"), "caf\xC3\xA9");
}

TEST(IntegerFieldValue, RoundsHalvesToEvenAndRefusesBeyond32Bits) {
  struct Case {
    const char* token;
    std::optional<std::int32_t> value;
  };
  const Case cases[] = {
      {"12", 12},
      {"-1", -1},
      {"", 0},
      {"abc", 0},
      {"12abc", 12},
      {"2.5", 2},
      {"3.5", 4},
      {"-2.5", -2},
      {"0.5000001", 1},
      {"1E3", 1000},
      {"1D2", 100},
      {"2147483647", 2147483647},
      {"-2147483648", -2147483647 - 1},
      {"2147483647.4", 2147483647},
      {"2147483647.5", std::nullopt},
      {"2147483648", std::nullopt},
      {"-2147483649", std::nullopt},
      {"99999999999", std::nullopt},
      {"1E400", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.token);
    EXPECT_EQ(IntegerFieldValue(c.token), c.value);
  }
}

TEST(StrictIntegerFieldValue, TakesOnlyWholeNumbers) {
  struct Case {
    const char* token;
    std::optional<std::int32_t> value;
  };
  const Case cases[] = {
      {"255", 255},
      {"-1", -1},
      {"+7", 7},
      {"1.5", 2},
      {"2.5", 2},
      {"1E2", 100},
      {"1d2", 100},
      {".5", 0},
      {"5.", 5},
      {"", std::nullopt},
      {"12abc", std::nullopt},
      {"abc", std::nullopt},
      {"1E", std::nullopt},
      {".", std::nullopt},
      {"-", std::nullopt},
      {"1 2", std::nullopt},
      {"99999999999", std::nullopt},
      {"1E999", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.token);
    EXPECT_EQ(StrictIntegerFieldValue(c.token), c.value);
  }
}

TEST(NumberFieldValue, RoundsToSingleAndRefusesBeyondItsRange) {
  const float largest = std::numeric_limits<float>::max();
  struct Case {
    const char* token;
    std::optional<float> value;
  };
  const Case cases[] = {
      {"1.5", 1.5f},
      {"", 0.0f},
      {"x", 0.0f},
      {"-0.25", -0.25f},
      {"0.1", 0.1f},
      {"1D3", 1000.0f},
      {"1E-50", 0.0f},
      {"3.4028235E+38", largest},
      {"-3.40282356E+38", -largest},  // within half a unit of the largest
      {"3.4028236E+38", std::nullopt},
      {"1E39", std::nullopt},
      {"-1E39", std::nullopt},
      {"1E999", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.token);
    EXPECT_EQ(NumberFieldValue(c.token), c.value);
  }
}

TEST(FlagFieldValue, TrueOnlyForTrueAndOne) {
  for (const char* token : {"True", "1"}) {
    EXPECT_TRUE(FlagFieldValue(token)) << token;
  }
  for (const char* token : {"true", "TRUE", "-1", "0", "", "1.0", "01", "False", "2"}) {
    EXPECT_FALSE(FlagFieldValue(token)) << token;
  }
}

TEST(PointSizeFieldValue, OnlyTheDigitsOneToNine) {
  for (int digit = 1; digit <= 9; ++digit) {
    EXPECT_EQ(PointSizeFieldValue(std::to_string(digit)), static_cast<float>(digit));
  }
  for (const char* token : {"0", "10", "1.5", "", "2.0", " 3", "a"}) {
    EXPECT_EQ(PointSizeFieldValue(token), std::nullopt) << token;
  }
}

}  // namespace
}  // namespace quillon
