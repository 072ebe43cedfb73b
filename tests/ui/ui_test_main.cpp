// The ui tests need a real X display: QOpenGLWidget cannot live on Qt's
// offscreen platform. Without DISPLAY the tests start their own Xvfb, and
// the application object is made only when tests run, so that listing the
// tests (ctest's discovery) needs no display.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <cstdlib>
#include <string>

#include "ui/window_start.h"

namespace {

int gArgc = 1;
char gProgram[] = "quillon_ui_tests";
char* gArgv[] = {gProgram, nullptr};
// Kept until the process ends (see TearDown).
QApplication* gApplication = nullptr;

class DisplayEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (std::getenv("DISPLAY") == nullptr || *std::getenv("DISPLAY") == '\0') {
      StartXvfb();
      if (::testing::Test::HasFatalFailure()) {
        return;
      }
    }
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    // The window registers the file type at every start: into a folder of
    // the tests, never the user's own.
    dataHome_ = QDir::tempPath().toStdString() + "/quillon-ui-data-XXXXXX";
    if (mkdtemp(dataHome_.data()) != nullptr) {
      setenv("XDG_DATA_HOME", dataHome_.c_str(), 1);
    } else {
      dataHome_.clear();
    }
    if (std::getenv("XDG_RUNTIME_DIR") == nullptr) {
      runtimeDir_ = QDir::tempPath().toStdString() + "/quillon-ui-tests-XXXXXX";
      if (mkdtemp(runtimeDir_.data()) != nullptr) {
        setenv("XDG_RUNTIME_DIR", runtimeDir_.c_str(), 1);
      }
    }
    quillon::SetDrawingSurfaceFormat();
    gApplication = new QApplication(gArgc, gArgv);
  }

  // The application and its display stay until the process ends: closing
  // the display unloads the OpenGL driver, whose allocations the leak checker
  // would then find without anything pointing at them. Xvfb ends with us.
  void TearDown() override {
    if (!runtimeDir_.empty()) {
      QDir(QString::fromStdString(runtimeDir_)).removeRecursively();
    }
    if (!dataHome_.empty()) {
      QDir(QString::fromStdString(dataHome_)).removeRecursively();
    }
  }

 private:
  // Xvfb writes its display number to the pipe once it accepts clients.
  void StartXvfb() {
    int fds[2];
    if (pipe(fds) != 0) {
      FAIL() << "no pipe for Xvfb";
    }
    const pid_t xvfb = fork();
    if (xvfb < 0) {
      FAIL() << "cannot start Xvfb";
    }
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
    while (poll(&wait, 1, 10000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n') {
      display += c;
    }
    close(fds[0]);
    if (display.empty()) {
      FAIL() << "Xvfb did not start (is the xvfb package installed?)";
    }
    setenv("DISPLAY", (":" + display).c_str(), 1);
  }

  std::string runtimeDir_;
  std::string dataHome_;
};

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new DisplayEnvironment);
  return RUN_ALL_TESTS();
}
