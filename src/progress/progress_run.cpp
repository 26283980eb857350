#include "progress/progress_run.h"

#include <QApplication>
#include <cstdlib>
#include <string_view>
#include <thread>

#include "progress/console_reporter.h"
#include "progress/progress_window.h"
#include "progress/run_work.h"

namespace kestrova::progress {

namespace {

bool set(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

int runOnConsole(const Work& work) {
  ConsoleReporter reporter;
  return runWork(work, reporter);
}

int runInWindow(int argc, char** argv, const RunOptions& options, const Work& work) {
  QApplication application(argc, argv);
  ProgressWindow window(QString::fromLocal8Bit(options.title));
  if (options.startMinimised) {
    window.showMinimized();
  } else {
    window.show();
  }

  WindowReporter reporter(window);
  int status = 1;
  std::thread worker([&] {
    status = runWork(work, reporter);
    QMetaObject::invokeMethod(
        &window,
        [&window, &status, &options] {
          window.finish(status);
          if (status == 0 && options.closeWhenDone) window.close();
        },
        Qt::QueuedConnection);
  });
  // The window cannot close before finish() has run, and finish() is posted after the work's
  // last report, so the worker has nothing left to do once the event loop ends.
  QApplication::exec();
  worker.join();
  return status;
}

}  // namespace

bool displayAvailable() {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform != nullptr) {
    const std::string_view name(platform);
    if (name.starts_with("offscreen") || name.starts_with("minimal")) return false;
  }
  return set("DISPLAY") || set("WAYLAND_DISPLAY");
}

int runWithProgress(int argc, char** argv, const RunOptions& options, const Work& work) {
  return displayAvailable() ? runInWindow(argc, argv, options, work) : runOnConsole(work);
}

}  // namespace kestrova::progress
