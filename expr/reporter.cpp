#include "expr/reporter.h"

#include <cstddef>

namespace quillon {

std::string MessageQuote(const std::string& text) {
  constexpr std::size_t kMostCharacters = 60;
  std::size_t characters = 0;
  for (std::size_t at = 0; at < text.size(); ++at) {
    const bool continuation = (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80;
    if (!continuation) {
      if (characters == kMostCharacters) {
        return text.substr(0, at) + "\xE2\x80\xA6";  // U+2026 HORIZONTAL ELLIPSIS
      }
      ++characters;
    }
  }
  return text;
}

}  // namespace quillon
