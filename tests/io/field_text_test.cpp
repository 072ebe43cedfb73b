// Field texts: numbers, integers, flags and point sizes both ways, and the
// Windows-1252 text of the file.
#include "io/field_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "io/ansi_text.h"

namespace quillon {
namespace {

constexpr float kLargest = std::numeric_limits<float>::max();
constexpr float kInfinity = std::numeric_limits<float>::infinity();

TEST(PlainNumberText, ShortestTextInFixedOrExponentForm) {
  const std::pair<float, const char*> cases[] = {
      {0.0f, "0"},
      {-0.0f, "0"},
      {-2.75f, "-2.75"},
      {100.0f, "100"},
      {3.14159265f, "3.1415927"},
      {9999999.0f, "9999999"},
      {1e7f, "1E+07"},
      {12345678.0f, "1.2345678E+07"},
      {-4.5e15f, "-4.5E+15"},
      {0.00001f, "0.00001"},
      {0.000001f, "1E-06"},
      {kLargest, "3.4028235E+38"},
      {std::numeric_limits<float>::denorm_min(), "1E-45"},
      {kInfinity, "3.4028235E+38"},
      {-kInfinity, "-3.4028235E+38"},
      {std::numeric_limits<float>::quiet_NaN(), "0"}};
  for (const auto& [value, text] : cases) {
    EXPECT_EQ(PlainNumberText(value), text);
  }
}

// Every single value reads back exactly, in at most nine digits.
TEST(PlainNumberText, ReadsBackToTheSameSingleValue) {
  std::mt19937 random(20240611);
  std::uniform_int_distribution<std::uint32_t> bits;
  for (int checked = 0; checked < 20000;) {
    const std::uint32_t pattern = bits(random);
    float value;
    std::memcpy(&value, &pattern, sizeof value);
    if (!std::isfinite(value)) {
      continue;
    }
    ++checked;
    const std::string text = PlainNumberText(value);
    ASSERT_EQ(NumberFieldValue(text), value == 0 ? 0.0f : value) << text;
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

// Integer fields take the leading number rounded half to even (the number
// reader pins both steps); the strict form takes only a whole decimal number.
TEST(FieldValue, IntegersWithin32Bits) {
  const std::pair<const char*, std::optional<std::int32_t>> loose[] = {
      {"12abc", 12}, {"-2.5", -2}, {"2147483647.5", std::nullopt}, {"1E400", std::nullopt}};
  for (const auto& [token, value] : loose) {
    EXPECT_EQ(IntegerFieldValue(token), value) << token;
  }
  const std::pair<const char*, std::optional<std::int32_t>> strict[] = {
      {"-1", -1},
      {"+7", 7},
      {"2.5", 2},
      {"1E2", 100},
      {"1d2", 100},
      {".5", 0},
      {"5.", 5},
      {"", std::nullopt},
      {".", std::nullopt},
      {"12abc", std::nullopt},
      {"1E", std::nullopt},
      {"99999999999", std::nullopt},
      {"1E999", std::nullopt}};
  for (const auto& [token, value] : strict) {
    EXPECT_EQ(StrictIntegerFieldValue(token), value) << token;
  }
}

TEST(FieldValue, NumbersRoundToSingleWithinItsRange) {
  const std::pair<const char*, std::optional<float>> cases[] = {
      {"0.1", 0.1f},
      {"x", 0.0f},
      {"1E-50", 0.0f},
      {"3.4028235E+38", kLargest},
      {"-3.40282356E+38", -kLargest},  // within half a unit of the largest
      {"3.4028236E+38", std::nullopt},
      {"1E999", std::nullopt}};
  for (const auto& [token, value] : cases) {
    EXPECT_EQ(NumberFieldValue(token), value) << token;
  }
}

TEST(FieldValue, FlagsAndPointSizes) {
  for (const char* token : {"True", "1"}) {
    EXPECT_TRUE(FlagFieldValue(token)) << token;
  }
  for (const char* token : {"true", "-1", "1.0", "01"}) {
    EXPECT_FALSE(FlagFieldValue(token)) << token;
  }
  for (int digit = 1; digit <= 9; ++digit) {
    EXPECT_EQ(PointSizeFieldValue(std::to_string(digit)), static_cast<float>(digit));
  }
  for (const char* token : {"0", "10", "2.0", ""}) {
    EXPECT_EQ(PointSizeFieldValue(token), std::nullopt) << token;
  }
}

// Characters without a code become question marks and their words are named;
// every byte read converts back to itself.
TEST(Windows1252, ConvertsBothWaysAndNamesWhatItCannotWrite) {
  const std::tuple<const char*, const char*, std::vector<std::string>> cases[] = {
      {"caf\xC3\xA9", "caf\xE9", {}},
      {"\xE2\x82\xAC", "\x80", {}},          // euro sign: not Latin-1
      {"\xC2\x81\xC2\x9D", "\x81\x9D", {}},  // positions without a character
      {"S51 \xCE\xB1\xCE\xB2 x", "S51 ?? x", {"\xCE\xB1\xCE\xB2"}},
      {"a\xE2\x88\x9A\x62 c \xF0\x9F\x98\x80",
       "a?b c ?",
       {"a\xE2\x88\x9A\x62", "\xF0\x9F\x98\x80"}},
      {"bad\xFF", "bad?", {"bad\xFF"}},            // not UTF-8 at all
      {"cut\xE2\x82", "cut??", {"cut\xE2\x82"}}};  // sequence cut off at the end
  for (const auto& [utf8, ansi, words] : cases) {
    SCOPED_TRACE(ansi);
    EXPECT_EQ(ToWindows1252(utf8).bytes, ansi);
    EXPECT_EQ(ToWindows1252(utf8).lossyWords, words);
    if (words.empty()) {
      EXPECT_EQ(FromWindows1252(ansi), utf8);
    }
  }
  std::string all;
  for (int byte = 0; byte < 256; ++byte) {
    all += static_cast<char>(byte);
  }
  EXPECT_EQ(ToWindows1252(FromWindows1252(all)).bytes, all);
  EXPECT_TRUE(ToWindows1252(FromWindows1252(all)).lossyWords.empty());
}

}  // namespace
}  // namespace quillon
