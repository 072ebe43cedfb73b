#include "ui/dialog_text.h"

#include <array>
#include <charconv>

#include "expr/number_text.h"

namespace quillon {

std::string DialogNumberText(float value) {
  std::array<char, 64> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  std::string text;
  for (const char* c = buffer.data(); c != result.ptr; ++c) {
    if (*c == 'e') {
      text += 'E';
    } else if (*c != '+') {
      text += *c;
    }
  }
  return text;
}

double TextValue(const QString& text) {
  return LeadingNumberValue(text.toStdString());
}

}  // namespace quillon
