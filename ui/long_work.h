// Long work (sampling, reading and writing files) done on a thread of its own
// while the window stays responsive, with a progress dialog whose Cancel
// gives the window back at once.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace quillon {

// How long work runs before its progress dialog appears, in milliseconds.
inline constexpr int kProgressDelay = 500;

// Runs work on a thread of its own and waits for it. Meanwhile the windows
// are repainted but take no input; once the work has lasted kProgressDelay,
// a modal progress dialog over parent (may be null) shows label and Cancel.
// True when the work ran to its end (an exception it threw is thrown again
// here). False when the user cancelled: the work then runs on to its end
// unseen, so it must own everything it touches.
bool RunWithProgress(QWidget* parent, const QString& label, std::function<void()> work);

// Waits for cancelled work that still runs. The program calls it before it
// ends, so that no work outlives what it uses.
void WaitForCancelledWork();

}  // namespace quillon
