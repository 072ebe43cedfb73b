// Reading numbers out of texts typed by the user or stored in files.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quillon {

// The value of the longest leading part of text that forms a decimal number:
// optional sign, digits with an optional "." and fraction, an optional
// exponent letter E or D (either case) with optional sign and digits. The
// decimal separator is always "." whatever the locale; 0 when the text does
// not start with a number. A number beyond the double range reads as plus or
// minus infinity, one below it as 0.
double LeadingNumberValue(const std::string& text);
// The same for the characters [first, last).
double LeadingNumberValue(const char* first, const char* last);

// The nearest 32-bit integer, halves to the even neighbour; nothing when the
// value is not finite or lies outside the 32-bit range.
std::optional<std::int32_t> RoundHalfEven(double value);

}  // namespace quillon
