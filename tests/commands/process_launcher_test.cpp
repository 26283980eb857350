#include "commands/process_launcher.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "support/temp_folder.h"

namespace kestrova {
namespace {

namespace fs = std::filesystem;
using Args = std::vector<std::string>;

class RecordingDialogs : public Dialogs {
 public:
  void warning(const std::string& text) override { warnings.push_back(text); }
  std::vector<std::string> warnings;
};

// A stand-in for the decoder that records what it was given, then takes a moment to finish.
constexpr const char* kRecorder = R"(#!/bin/sh
out="$KESTROVA_TEST_OUT"
pwd > "$out/cwd"
for a in "$@"; do printf '%s\n' "$a"; done > "$out/args"
echo $$ > "$out/pid"
cut -d' ' -f5 /proc/$$/stat > "$out/pgid"
sleep 0.3
echo done > "$out/finished"
exit 3
)";

class LauncherTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(programs / "my programs");
    fs::create_directories(work.path() / "work folder");
    ::setenv("KESTROVA_TEST_OUT", out.path().c_str(), 1);
    previous = fs::current_path();
    fs::current_path(work.path() / "work folder");
  }
  void TearDown() override { fs::current_path(previous); }

  std::string install(const fs::path& folder, const std::string& name, const char* script,
                      fs::perms mode = fs::perms(0755)) {
    fs::path file = folder / name;
    testing::TempFolder::writeFile(file, script);
    fs::permissions(file, mode);
    return file.string();
  }
  std::string lines(const std::string& name) const { return out.read(name); }

  testing::TempFolder work, out;
  fs::path programs = work.path();
  fs::path previous;
  RecordingDialogs dialogs;
};

TEST_F(LauncherTest, RunsTheProgramWithExactArgumentsFolderAndOwnGroupAndWaits) {
  std::string program = install(programs / "my programs", "Varnock.exe", kRecorder);
  int pumps = 0;
  ProcessLauncher launcher(dialogs, [&] { ++pumps; });
  launcher.run(CommandLine{"(shown)", {program, "/data/a \"b\".hrp", "-direction:south", "-min"}});

  EXPECT_TRUE(dialogs.warnings.empty());  // exit status 3 is not reported
  EXPECT_EQ(lines("finished"), "done\n");
  EXPECT_GT(pumps, 5);  // the window was given its repaints during the 0.3 s
  EXPECT_EQ(lines("args"), "/data/a \"b\".hrp\n-direction:south\n-min\n");
  EXPECT_EQ(fs::path(lines("cwd").substr(0, lines("cwd").size() - 1)),
            fs::canonical(work.path() / "work folder"));
  EXPECT_EQ(lines("pgid"), lines("pid"));
  EXPECT_NE(std::stoi(lines("pgid")), ::getpgrp());
}

TEST_F(LauncherTest, WithoutAHookTheWaitStillBlocksUntilTheEnd) {
  std::string program = install(programs, "Ostrelle.exe", kRecorder);
  ProcessLauncher(dialogs).run(CommandLine{"", {program}});
  EXPECT_EQ(lines("finished"), "done\n");
}

TEST_F(LauncherTest, FailedStartShowsTheWarningOnceAndReturns) {
  std::string plain = install(programs, "plain.exe", kRecorder, fs::perms(0644));
  const Args missing[] = {{(programs / "nowhere" / "Varnock.exe").string()},
                          {plain},
                          {"Varnock-not-installed.exe"},
                          {}};
  for (const Args& arguments : missing) {
    RecordingDialogs fresh;
    int pumps = 0;
    ProcessLauncher(fresh, [&] { ++pumps; }).run(CommandLine{"", arguments});
    ASSERT_EQ(fresh.warnings.size(), 1u);
    EXPECT_EQ(fresh.warnings[0],
              "Unexpected Error\n\nCheck in the \"Configure\" screen that\nyou have assigned the "
              "correct folders\nfor Varnock and Ostrelle.");
    EXPECT_EQ(pumps, 0);
  }
  EXPECT_FALSE(fs::exists(out.path() / "args"));
}

TEST_F(LauncherTest, BareProgramNameIsLookedForInTheWorkingFolderBeforePath) {
  fs::create_directories(programs / "bin");
  std::string onPath = install(programs / "bin", "Varnock.exe", kRecorder);
  std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
  ::setenv("PATH", (programs / "bin").c_str(), 1);
  EXPECT_EQ(resolveProgram("Varnock.exe"), onPath);
  std::string here = install(fs::current_path(), "Varnock.exe", kRecorder);
  EXPECT_EQ(fs::canonical(resolveProgram("Varnock.exe")), fs::canonical(here));
  ::setenv("PATH", oldPath.c_str(), 1);
  ProcessLauncher(dialogs).run(CommandLine{"", {"Varnock.exe", "x"}});
  EXPECT_TRUE(dialogs.warnings.empty());
  EXPECT_EQ(lines("args"), "x\n");
}

}  // namespace
}  // namespace kestrova
