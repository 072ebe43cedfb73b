#include "io/ansi_text.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

TEST(Windows1252, ConvertsBothWays) {
  struct Case {
    const char* utf8;
    const char* ansi;
  };
  const Case cases[] = {
      {"S51 1 0", "S51 1 0"},
      {"caf\xC3\xA9", "caf\xE9"},
      {"\xE2\x82\xAC"
       "5",
       "\x80"
       "5"},  // euro sign
      {"a\xC2\xA0"
       "b",
       "a\xA0"
       "b"},                                             // no-break space
      {"\xC3\xBF\xC2\xB2\xE2\x80\x9C", "\xFF\xB2\x93"},  // y diaeresis, superscript 2, quote
      {"\xC2\x81\xC2\x9D", "\x81\x9D"},                  // positions without a character
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.utf8);
    const AnsiText ansi = ToWindows1252(c.utf8);
    EXPECT_EQ(ansi.bytes, c.ansi);
    EXPECT_TRUE(ansi.lossyWords.empty());
    EXPECT_EQ(FromWindows1252(c.ansi), c.utf8);
  }
}

TEST(Windows1252, EveryByteSurvivesTheRoundTrip) {
  std::string all;
  for (int byte = 0; byte < 256; ++byte) {
    all += static_cast<char>(byte);
  }
  const std::string utf8 = FromWindows1252(all);
  const AnsiText back = ToWindows1252(utf8);
  EXPECT_EQ(back.bytes, all);
  EXPECT_TRUE(back.lossyWords.empty());
}

TEST(Windows1252, CharactersWithoutACodeBecomeQuestionMarksAndAreNamed) {
  struct Case {
    const char* utf8;
    const char* ansi;
    std::vector<std::string> words;
  };
  const Case cases[] = {
      {"S51 \xCE\xB1\xCE\xB2 x", "S51 ?? x", {"\xCE\xB1\xCE\xB2"}},
      {"a\xE2\x88\x9A"
       "b c \xF0\x9F\x98\x80",
       "a?b c ?",
       {"a\xE2\x88\x9A"
        "b",
        "\xF0\x9F\x98\x80"}},
      {"bad\xFF"
       "byte",
       "bad?byte",
       {"bad\xFF"
        "byte"}},                                 // not UTF-8 at all
      {"cut\xE2\x82", "cut??", {"cut\xE2\x82"}},  // sequence cut off at the end
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ansi);
    const AnsiText ansi = ToWindows1252(c.utf8);
    EXPECT_EQ(ansi.bytes, c.ansi);
    EXPECT_EQ(ansi.lossyWords, c.words);
  }
}

}  // namespace
}  // namespace quillon
