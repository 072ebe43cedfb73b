#include "ui/dialog_text.h"

#include <QLineEdit>
#include <array>
#include <charconv>

#include "expr/number_text.h"
#include "expr/reporter.h"
#include "ui/window_texts.h"

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

bool CleanShownBoxes(const std::vector<CheckedBox>& boxes, Reporter& reporter) {
  for (const CheckedBox& checked : boxes) {
    if (checked.box->isHidden()) {
      continue;
    }
    const TextCheck check = checked.check(checked.box->text().toStdString());
    if (!check.ok) {
      reporter.Report(texts::kErrorTitle, texts::kIllegalData, MessageIcon::Exclamation);
      return false;
    }
    checked.box->setText(QString::fromStdString(check.cleaned));
  }
  return true;
}

}  // namespace quillon
