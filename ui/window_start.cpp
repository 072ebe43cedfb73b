#include "ui/window_start.h"

#include <QApplication>
#include <QSurfaceFormat>

#include "quillon/version.h"
#include "ui/long_work.h"
#include "ui/main_window.h"
#include "ui/qt_dialogs.h"
#include "ui/window_texts.h"

namespace quillon {

void SetDrawingSurfaceFormat() {
  QSurfaceFormat format;
  format.setRenderableType(QSurfaceFormat::OpenGL);
  format.setProfile(QSurfaceFormat::CompatibilityProfile);
  format.setRedBufferSize(8);
  format.setGreenBufferSize(8);
  format.setBlueBufferSize(8);
  format.setDepthBufferSize(16);
  format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
  QSurfaceFormat::setDefaultFormat(format);
}

int RunWindow(int& argc, char** argv, const std::string& file) {
  SetDrawingSurfaceFormat();
  QApplication application(argc, argv);
  QApplication::setApplicationName(texts::kProgramName);
  // Titles show a document's file name followed by this.
  QApplication::setApplicationDisplayName(texts::kProgramName);
  QApplication::setApplicationVersion(QLatin1String(kVersion));
  int status = 0;
  {
    QtDialogs dialogs;
    MainWindow window(dialogs);
    dialogs.Parent(&window);
    window.show();
    window.Load(file);
    status = QApplication::exec();
  }
  WaitForCancelledWork();
  return status;
}

}  // namespace quillon
