#include "io/ansi_text.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

TEST(Windows1252, ConvertsBothWaysAndKeepsEveryByte) {
  const std::pair<const char*, const char*> cases[] = {
      {"caf\xC3\xA9", "caf\xE9"},
      {"\xE2\x82\xAC", "\x80"},          // euro sign: not Latin-1
      {"\xC2\x81\xC2\x9D", "\x81\x9D"},  // positions without a character
  };
  for (const auto& [utf8, ansi] : cases) {
    SCOPED_TRACE(utf8);
    EXPECT_EQ(ToWindows1252(utf8).bytes, ansi);
    EXPECT_TRUE(ToWindows1252(utf8).lossyWords.empty());
    EXPECT_EQ(FromWindows1252(ansi), utf8);
  }
  std::string all;
  for (int byte = 0; byte < 256; ++byte) {
    all += static_cast<char>(byte);
  }
  const AnsiText back = ToWindows1252(FromWindows1252(all));
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
      {"bad\xFF", "bad?", {"bad\xFF"}},           // not UTF-8 at all
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
