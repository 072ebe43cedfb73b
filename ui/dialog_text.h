// The dialogs' text boxes: what a box shows for a stored value, the value a
// typed text stands for, and the check of what was typed before OK uses it.
#pragma once

#include <QString>
#include <string>
#include <vector>

#include "expr/text_checks.h"

class QLineEdit;

namespace quillon {

class Reporter;

// The shortest text that reads back as the same single value, with an
// upper-case exponent letter and no "+" ("-50", "0.1", "1E20", "1.5E-07"),
// so that the number check of the dialogs accepts it unchanged.
std::string DialogNumberText(float value);

// The leading decimal number of a text ("." as point); 0 for an empty or
// non-numeric text.
double TextValue(const QString& text);

// A text box and the check its text must pass (CheckNumberText,
// CheckExpressionText).
struct CheckedBox {
  QLineEdit* box;
  TextCheck (*check)(const std::string& text);
};

// Cleans the shown boxes in order, each taking its cleaned text; boxes
// hidden themselves are passed over (those on a tab behind are not). At the first box its check
// refuses, reporter is told "Illegal data exist." and the result is false; that box and those after
// it keep what was typed.
bool CleanShownBoxes(const std::vector<CheckedBox>& boxes, Reporter& reporter);

}  // namespace quillon
