// window_bench: what a user waits for in the main window.
//   start   a fresh process (this program again) from its start to the main window exposed
//   listing the file list moving to a folder of 20 000 files
//   pick    picking a pass whose decoded preview is a 2048 x 5400 JPEG
// Each figure is the median of several rounds, in milliseconds: wall time for the start, and
// for the others this process's CPU time too, which other work on a shared machine disturbs
// less.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QListWidget>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "imaging/jpeg_writer.h"
#include "settings/config_writer.h"
#include "ui/main_form.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kRounds = 7;
constexpr int kListedFiles = 20000;

class SilentDialogs : public kestrova::ui::UiDialogs {
 public:
  void warning(const std::string& text) override { report(text); }
  bool warningYesNo(const std::string& text) override { return report(text); }
  bool confirm(const std::string& text) override { return report(text); }
  void message(const std::string& text) override { report(text); }
  void error(const std::string& text) override { report(text); }

 private:
  static bool report(const std::string& text) {
    std::fprintf(stderr, "window_bench: unexpected message: %s\n", text.c_str());
    return false;
  }
};

double milliseconds(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

void report(const char* what, const std::vector<double>& values) {
  std::printf("%-8s median %7.1f ms   best %7.1f ms   (%zu rounds)\n", what, median(values),
              *std::min_element(values.begin(), values.end()), values.size());
}

// The child: the same start-up as kestrova, then the time from the process's start (the
// parent's clock reading, passed in) to the window being exposed.
int child(long long startNanos, int argc, char** argv) {
  QApplication application(argc, argv);
  SilentDialogs dialogs;
  kestrova::ui::MainForm window(dialogs, QSize(1280, 1024));
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) return 1;
  long long now = Clock::now().time_since_epoch().count();
  std::printf("%lld\n", now - startNanos);
  return 0;
}

std::vector<double> measureStart(const char* self) {
  std::vector<double> values;
  for (int round = 0; round < kRounds; ++round) {
    int fds[2];
    if (::pipe(fds) != 0) break;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    std::string start = std::to_string(Clock::now().time_since_epoch().count());
    char* args[] = {const_cast<char*>(self), const_cast<char*>("--child"), start.data(), nullptr};
    pid_t pid = -1;
    int failed = ::posix_spawn(&pid, self, &actions, nullptr, args, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[1]);
    char buffer[64] = {};
    ssize_t got = failed ? 0 : ::read(fds[0], buffer, sizeof buffer - 1);
    ::close(fds[0]);
    int status = 0;
    if (!failed) ::waitpid(pid, &status, 0);
    if (got > 0) values.push_back(std::atoll(buffer) / 1e6);
  }
  return values;
}

double cpuMilliseconds() {
  timespec now{};
  ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

void rounds(const char* what, const std::function<void(int)>& work) {
  std::vector<double> wall, cpu;
  for (int round = 0; round < kRounds; ++round) {
    Clock::time_point begin = Clock::now();
    double cpuBegin = cpuMilliseconds();
    work(round);
    cpu.push_back(cpuMilliseconds() - cpuBegin);
    wall.push_back(milliseconds(Clock::now() - begin));
  }
  report(what, wall);
  report("  (cpu)", cpu);
}

// Like a decoded pass: smooth land and cloud shapes, hard-edged bands, a little sensor noise.
kestrova::Image passPicture() {
  kestrova::Image image = kestrova::Image::blank(2048, 5400, kestrova::PixelFormat::Rgb888);
  unsigned noise = 12345;
  for (int y = 0; y < image.height; ++y) {
    std::uint8_t* row = image.row(y);
    for (int x = 0; x < image.width; ++x) {
      noise = noise * 1103515245u + 12345u;
      double shape = std::sin(x / 97.0) * std::cos(y / 131.0) + std::sin((x + y) / 301.0);
      int band = (y / 600) % 2 ? 40 : 0;
      int jitter = static_cast<int>(noise >> 28) - 8;
      for (int c = 0; c < 3; ++c)
        row[3 * x + c] = static_cast<std::uint8_t>(
            std::clamp(110 + static_cast<int>(60 * shape) + band + jitter + 20 * c, 0, 255));
    }
  }
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--child") return child(std::atoll(argv[2]), argc, argv);

  std::string pattern = (fs::temp_directory_path() / "kestrova-bench-XXXXXX").string();
  fs::path root = ::mkdtemp(pattern.data());
  fs::path many = root / "many", few = root / "few", images = root / "images";
  for (const fs::path& folder : {many, few, images}) fs::create_directories(folder);
  for (int i = 0; i < kListedFiles; ++i)
    std::ofstream(many / ("n18_" + std::to_string(100000 + i) + (i % 2 ? ".hrp" : ".GAC")));
  std::ofstream(few / "a.hrp");
  std::ofstream(few / "b.hrp");
  kestrova::Image picture = passPicture();
  kestrova::writeJpegFile((images / "a-fc-apt.jpg").string(), picture);
  kestrova::writeJpegFile((images / "b-fc-apt.jpg").string(), picture);

  kestrova::StoredSettings settings;
  settings.dataFolder = few.string();
  settings.imageFolder = images.string() + "/";
  std::ofstream(root / "kestrova.cfg", std::ios::binary) << kestrova::formatConfig(settings);
  fs::current_path(root);

  report("start", measureStart(argv[0]));
  {
    QApplication application(argc, argv);
    SilentDialogs dialogs;
    kestrova::ui::MainForm window(dialogs, QSize(1280, 1024));
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) return 1;

    rounds("listing", [&](int) {
      window.pointFileBrowserAt(many.string());
      QApplication::processEvents();
      window.pointFileBrowserAt(few.string());
    });
    auto* files = window.findChild<QListWidget*>("File001");
    rounds("pick", [&](int round) {
      files->setCurrentRow(round % 2);
      QApplication::processEvents();
    });
  }
  fs::current_path(fs::temp_directory_path());
  std::error_code ec;
  fs::remove_all(root, ec);
  return 0;
}
