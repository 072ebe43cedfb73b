// Numbers in the dialogs' text boxes: what a box shows for a stored value,
// and the value a typed text stands for.
#pragma once

#include <QString>
#include <string>

namespace quillon {

// The shortest text that reads back as the same single value, with an
// upper-case exponent letter and no "+" ("-50", "0.1", "1E20", "1.5E-07"),
// so that the number check of the dialogs accepts it unchanged.
std::string DialogNumberText(float value);

// The leading decimal number of a text ("." as point); 0 for an empty or
// non-numeric text.
double TextValue(const QString& text);

}  // namespace quillon
