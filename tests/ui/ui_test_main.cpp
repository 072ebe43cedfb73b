// The ui tests need a real X display: QOpenGLWidget cannot live on Qt's
// offscreen platform. Without DISPLAY the tests start their own Xvfb; the
// application is made only when tests run, so that listing the tests
// (ctest's discovery) needs no display.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <cstdlib>
#include <iostream>
#include <string>

#include "ui/long_work.h"
#include "ui/window_start.h"

namespace {

// Xvfb writes its display number to the pipe once it accepts clients; it
// ends with us.
std::string StartXvfb() {
  int fds[2];
  if (pipe(fds) != 0) {
    return "";
  }
  const pid_t xvfb = fork();
  if (xvfb == 0) {
    close(fds[0]);
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    const std::string fd = std::to_string(fds[1]);
    execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24", "-nolisten",
           "tcp", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  std::string display;
  pollfd wait{fds[0], POLLIN, 0};
  char c = 0;
  while (xvfb > 0 && poll(&wait, 1, 10000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n') {
    display += c;
  }
  close(fds[0]);
  return display.empty() ? "" : ":" + display;
}

// A fresh folder of the tests for the variable, unless keep and it is set.
std::string SetFolder(const char* variable, bool keep) {
  std::string folder = QDir::tempPath().toStdString() + "/quillon-ui-tests-XXXXXX";
  if ((keep && std::getenv(variable) != nullptr) || mkdtemp(folder.data()) == nullptr) {
    return "";
  }
  setenv(variable, folder.c_str(), 1);
  return folder;
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (::testing::GTEST_FLAG(list_tests)) {
    return RUN_ALL_TESTS();
  }
  if (std::getenv("DISPLAY") == nullptr || *std::getenv("DISPLAY") == '\0') {
    const std::string display = StartXvfb();
    if (display.empty()) {
      std::cerr << "Xvfb did not start (is the xvfb package installed?)\n";
      return 1;
    }
    setenv("DISPLAY", display.c_str(), 1);
  }
  setenv("QT_QPA_PLATFORM", "xcb", 1);
  // The window registers the file type at every start and keeps the user's
  // settings: into folders of the tests, never the user's own.
  const std::string folders[] = {SetFolder("XDG_DATA_HOME", false),
                                 SetFolder("XDG_CONFIG_HOME", false),
                                 SetFolder("XDG_RUNTIME_DIR", true)};
  if (folders[0].empty() || folders[1].empty()) {
    std::cerr << "no data or settings folder for the tests\n";
    return 1;
  }
  quillon::SetDrawingSurfaceFormat();
  // Kept until the process ends: closing the display unloads the OpenGL
  // driver, whose allocations the leak checker would then find without
  // anything pointing at them.
  [[maybe_unused]] static auto* application = new QApplication(argc, argv);
  const int result = RUN_ALL_TESTS();
  quillon::WaitForCancelledWork();
  for (const std::string& folder : folders) {
    if (!folder.empty()) {
      QDir(QString::fromStdString(folder)).removeRecursively();
    }
  }
  return result;
}
