#include "ui/long_work.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <exception>
#include <memory>
#include <thread>
#include <utility>
#include <vector>

#include "ui/window_texts.h"

namespace quillon {
namespace {

// How often the waiting window looks whether the work is done, in
// milliseconds: short beside what a person notices.
constexpr int kPollInterval = 10;

// What the work and the window share; the work's thread keeps it alive.
struct Run {
  std::function<void()> work;
  std::exception_ptr failure;
  std::atomic<bool> done{false};
};

struct CancelledWork {
  std::shared_ptr<Run> run;
  std::thread thread;
};

// Used by the window's thread only.
std::vector<CancelledWork>& Cancelled() {
  static std::vector<CancelledWork> cancelled;
  return cancelled;
}

// Joins the cancelled threads whose work has ended, or all when waitForAll.
void JoinCancelled(bool waitForAll) {
  std::vector<CancelledWork>& cancelled = Cancelled();
  const auto ended = std::partition(cancelled.begin(), cancelled.end(), [&](const auto& work) {
    return !waitForAll && !work.run->done;
  });
  for (auto work = ended; work != cancelled.end(); ++work) {
    work->thread.join();
  }
  cancelled.erase(ended, cancelled.end());
}

}  // namespace

bool RunWithProgress(QWidget* parent, const QString& label, std::function<void()> work) {
  JoinCancelled(false);
  const auto run = std::make_shared<Run>();
  run->work = std::move(work);
  std::thread thread([run] {
    try {
      run->work();
    } catch (...) {
      run->failure = std::current_exception();
    }
    run->done = true;
  });

  QEventLoop loop;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
    if (run->done) {
      loop.quit();
    }
  });
  poll.start(kPollInterval);
  // First the windows only repaint: input waits until the work is done or
  // its dialog is there to take it.
  QTimer::singleShot(kProgressDelay, &loop, &QEventLoop::quit);
  loop.exec(QEventLoop::ExcludeUserInputEvents);
  bool cancelled = false;
  if (!run->done) {
    QProgressDialog progress(label, texts::kCancel, 0, 0, parent);
    progress.setObjectName(QStringLiteral("progressDialog"));
    progress.setWindowTitle(texts::kProgramName);
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(0);
    QObject::connect(&progress, &QProgressDialog::canceled, &loop, [&] {
      cancelled = true;
      loop.quit();
    });
    progress.show();
    loop.exec();
  }
  if (cancelled && !run->done) {
    Cancelled().push_back({run, std::move(thread)});
    return false;
  }
  thread.join();
  if (run->failure) {
    std::rethrow_exception(run->failure);
  }
  return true;
}

void WaitForCancelledWork() {
  JoinCancelled(true);
}

}  // namespace quillon
