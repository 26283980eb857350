// Without a display the messages reach standard error, and whatever escapes the work becomes
// an error line and status 1 rather than an unreported end.
#include <gtest/gtest.h>

#include <cstdio>
#include <new>
#include <string>

#include "base/error.h"
#include "progress/console_reporter.h"
#include "progress/run_work.h"

namespace kestrova::progress {
namespace {

std::string contents(std::FILE* file) {
  std::rewind(file);
  std::string text;
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, file)) text += buffer;
  return text;
}

TEST(ConsoleProgress, PrintsStagesAndMarksWarningsAndErrors) {
  std::FILE* out = std::tmpfile();
  ConsoleReporter reporter(out);
  const int status = runWork(
      [](Reporter& r) {
        r.stage("Reading");
        r.info("NOAA-19, 4320 lines");
        r.warning("elements 20 days old");
        throw Error("Cannot read 'pass.hpt': truncated frame at byte 1234");
        return 0;
      },
      reporter);
  EXPECT_EQ(status, 1);
  EXPECT_EQ(contents(out),
            "-- Reading\nNOAA-19, 4320 lines\nwarning: elements 20 days old\n"
            "error: Cannot read 'pass.hpt': truncated frame at byte 1234\n");
  std::fclose(out);
}

TEST(ConsoleProgress, KeepsTheWorksOwnStatusAndReportsOtherFailures) {
  std::FILE* out = std::tmpfile();
  ConsoleReporter reporter(out);
  EXPECT_EQ(runWork([](Reporter&) { return 0; }, reporter), 0);
  EXPECT_EQ(runWork([](Reporter&) { return 2; }, reporter), 2);
  EXPECT_EQ(runWork([](Reporter&) -> int { throw std::bad_alloc(); }, reporter), 1);
  EXPECT_EQ(contents(out), "error: out of memory\n");
  std::fclose(out);
}

}  // namespace
}  // namespace kestrova::progress
