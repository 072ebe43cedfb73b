// The button row at the foot of the settings dialogs.
#pragma once

class QDialog;
class QHBoxLayout;
class QPushButton;

namespace quillon {

// Makes "OK" (okButton, the default button) and "Cancel" (cancelButton) in the
// dialog and returns the row that holds them at its right end. The caller
// connects them.
QHBoxLayout* OkCancelRow(QDialog* dialog, QPushButton*& ok, QPushButton*& cancel);

}  // namespace quillon
