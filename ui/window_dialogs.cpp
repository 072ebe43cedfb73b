#include "ui/window_dialogs.h"

#include <QApplication>

#include "ui/long_work.h"

namespace quillon {

bool WindowDialogs::RunLongWork(const std::string& label, const std::function<void()>& work) {
  // A modal dialog (the Properties dialog whose OK samples) is the window
  // the user works in.
  QWidget* parent = QApplication::activeModalWidget();
  return RunWithProgress(parent != nullptr ? parent : QApplication::activeWindow(),
                         QString::fromStdString(label), work);
}

}  // namespace quillon
