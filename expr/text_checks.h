// Filters for what the user types and what the writer stores: blanks are
// dropped, "," becomes ".", and only a fixed set of characters is accepted.
#pragma once

#include <string>

namespace quillon {

struct TextCheck {
  bool ok = false;
  std::string cleaned;  // on failure: what was built before the rejected character
};

// Keeps "-1234567890Ee."; an empty or single-blank input gives "0".
TextCheck CheckNumberText(const std::string& text);
// Keeps "-1234567890.+*/^()" and ASCII letters; an empty or single-blank input gives "0".
TextCheck CheckExpressionText(const std::string& text);
// As CheckExpressionText, but returns "" for a rejected character and never "0".
std::string CleanExpressionText(const std::string& text);

}  // namespace quillon
