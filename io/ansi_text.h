// Conversion between the program's texts (UTF-8) and the Windows-1252 code
// page in which graph files store their text, through iconv.
#pragma once

#include <string>
#include <vector>

namespace quillon {

struct AnsiText {
  std::string bytes;  // one byte per character
  // The blank-separated words that held characters Windows-1252 has no code
  // for (or bytes that are not UTF-8); each such character became "?".
  std::vector<std::string> lossyWords;
};

// UTF-8 to Windows-1252. Never fails: what the code page cannot hold becomes
// "?" and the word holding it is listed. Throws IoError only when the system
// offers no converter for the code page.
AnsiText ToWindows1252(const std::string& utf8);

// Windows-1252 to UTF-8. Every byte maps to one character; the five bytes the
// code page leaves undefined (81, 8D, 8F, 90, 9D) become the control
// characters of the same number, as Windows does. Throws IoError only when
// the system offers no converter.
std::string FromWindows1252(const std::string& bytes);

}  // namespace quillon
