// round_bench: the decode and remap round as a user feels it, with the real programs on the
// 12-minute demo pass: pick the pass, "H" until the decoded preview is shown, "Ostrelle" until
// the map is written. The programs start as the window starts them (no window of their own
// here, as with -close). Median and best of a few rounds, wall time, in milliseconds.
#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "settings/config_writer.h"
#include "ui/main_form.h"
#include "workspace/demo_pass.h"
#include "workspace/first_settings.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
constexpr int kRounds = 5;

// The overwrite question of the second round on is answered Yes, as a user re-running would.
class YesDialogs : public kestrova::ui::UiDialogs {
 public:
  void warning(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
  bool warningYesNo(const std::string&) override { return true; }
  bool confirm(const std::string&) override { return true; }
  void message(const std::string&) override {}
  void error(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
};

double since(Clock::time_point begin) {
  return std::chrono::duration<double, std::milli>(Clock::now() - begin).count();
}

void report(const char* what, std::vector<double> values) {
  std::sort(values.begin(), values.end());
  std::printf("%-28s median %7.0f ms   best %7.0f ms   (%zu rounds)\n", what,
              values[values.size() / 2], values.front(), values.size());
}

}  // namespace

int main(int argc, char** argv) {
  std::string pattern = (fs::temp_directory_path() / "kestrova-round-XXXXXX").string();
  const fs::path root = ::mkdtemp(pattern.data());
  fs::create_directories(root / "passes");
  fs::create_directories(root / "images");
  const kestrova::avhrr::SyntheticFile raw[] = {kestrova::avhrr::SyntheticFile::HrptBigEndian};
  const std::string entry =
      kestrova::tools::writeDemoPass(root / "passes", KESTROVA_DEMO_ELEMENTS, raw).front();
  std::ofstream(root / "kestrova.cfg", std::ios::binary) << kestrova::formatConfig(
      kestrova::tools::firstSettings(root, KESTROVA_PROGRAMS, KESTROVA_PROGRAMS));
  fs::current_path(root);

  QApplication application(argc, argv);
  qputenv("QT_QPA_PLATFORM", "offscreen");  // for the programs the window starts
  YesDialogs dialogs;
  kestrova::ui::MainForm window(dialogs, QSize(1280, 1024));
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) return 1;
  auto* files = window.findChild<QListWidget*>("File001");
  std::vector<double> decode, remap;
  for (int round = 0; round < kRounds; ++round) {
    files->setCurrentRow(-1);
    const Clock::time_point begin = Clock::now();
    files->setCurrentItem(files->findItems(QString::fromStdString(entry), Qt::MatchExactly)[0]);
    window.findChild<QRadioButton*>("direction01")->click();
    window.findChild<QPushButton*>("doit00")->click();  // returns with the preview shown
    decode.push_back(since(begin));
    const Clock::time_point mapBegin = Clock::now();
    window.findChild<QPushButton*>("doit01")->click();
    remap.push_back(since(mapBegin));
  }
  report("pick, H, preview shown", decode);
  report("Ostrelle, map written", remap);
  fs::current_path(fs::temp_directory_path());
  std::error_code ec;
  fs::remove_all(root, ec);
  return 0;
}
