// The text forms of record fields in graph files and clipboard text, and the
// conversions of tokens back into field values.
//
// Numbers are single-precision values written with "." whatever the locale,
// as the shortest decimal text that reads back to the same value: fixed form
// from 1E-05 up to below 1E+07 ("0.00001", "1234567.5"), exponent form with
// an upper-case E, a sign and at least two digits outside that range
// ("1E+07", "1.5E-07").
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quillon {

// The no-break space (U+00A0, byte A0 in Windows-1252) that stands for a
// blank inside a text field: the reader splits the document at every blank.
inline constexpr const char* kNoBreakSpace = "\xC2\xA0";

// --- writing ---

// Decimal text of the value: optional "-", digits.
std::string IntegerText(std::int32_t value);
// "Plain number": the shortest decimal text described above. Infinities are
// written as the largest single value of their sign, NaN as "0".
std::string PlainNumberText(float value);
// "Number": the plain number text passed through CleanExpressionText.
std::string NumberText(float value);
// "1" for true, "0" for false.
std::string FlagText(bool value);
// The text with every blank turned into a no-break space.
std::string TextFieldText(const std::string& text);

// --- reading ---

// The numeric value of the token's longest leading decimal number, rounded
// to the nearest 32-bit integer with halves to even; nothing when it lies
// outside the 32-bit range.
std::optional<std::int32_t> IntegerFieldValue(const std::string& token);
// The same, but only when the whole token is one decimal number (sign,
// digits, optional fraction, optional exponent E or D); nothing otherwise.
std::optional<std::int32_t> StrictIntegerFieldValue(const std::string& token);
// The numeric value rounded to single precision; nothing when it lies beyond
// the single range. A token that starts with no number reads as 0.
std::optional<float> NumberFieldValue(const std::string& token);
// True only for "True" and "1".
bool FlagFieldValue(const std::string& token);
// 1..9 for the tokens "1".."9"; nothing for any other token.
std::optional<float> PointSizeFieldValue(const std::string& token);
// The token with every no-break space turned back into a blank.
std::string TextFieldValue(const std::string& token);

}  // namespace quillon
