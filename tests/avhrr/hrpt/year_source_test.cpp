// The year of a raw HRPT pass, from each of its sources in turn.
#include "avhrr/hrpt/year_source.h"

#include <gtest/gtest.h>
#include <sys/time.h>

#include "avhrr/hrpt/frame_writer.h"
#include "avhrr/hrpt/hrpt_reader.h"
#include "base/error.h"
#include "support/temp_folder.h"
#include "synthetic_pass.h"

namespace kestrova::avhrr::hrpt {
namespace {

struct NameCase {
  const char* name;
  int year;  // 0: no date
  int dayOfYear;
};

class DateInFileName : public ::testing::TestWithParam<NameCase> {};

TEST_P(DateInFileName, FindsTheDateOrNone) {
  const NameCase c = GetParam();
  const auto date = dateInFileName(c.name);
  if (c.year == 0) {
    EXPECT_FALSE(date.has_value()) << c.name;
    return;
  }
  ASSERT_TRUE(date.has_value()) << c.name;
  EXPECT_EQ(date->year, c.year) << c.name;
  EXPECT_EQ(date->dayOfYear, c.dayOfYear) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Forms, DateInFileName,
    ::testing::Values(NameCase{"noaa19_20240315.hrp", 2024, 75},
                      NameCase{"20240315123456.hrp", 2024, 75},  // a time may follow
                      NameCase{"pass-2023-03-01-1200.hpt", 2023, 60},
                      NameCase{"pass-2024-03-01.hpt", 2024, 61},
                      NameCase{"NSS.HRPT.NP.D24075.S1020.E1032.hrp", 2024, 75},
                      NameCase{"NSS.HRPT.NJ.D98365.S0000.hrp", 1998, 365},
                      NameCase{"pass_2023-02-29.hrp", 0, 0},     // no such day
                      NameCase{"pass_20231301.hrp", 0, 0},       // no such month
                      NameCase{"frame120240315.hrp", 0, 0},      // inside a longer number
                      NameCase{"NSS.HRPT.NP.D23366.hrp", 0, 0},  // 2023 has 365 days
                      NameCase{"noaa19.hrp", 0, 0}));

TEST(ChooseYear, EachSourceInTurn) {
  const std::int64_t ms = 36'000'000;
  // A name's date wins over everything else.
  const std::vector<UtcMs> epochs{utcFromYearDay(2019, 360, 0), utcFromYearDay(2021, 100, 0)};
  const auto named = chooseYear("x_20220101.hrp", 365, ms, epochs, utcFromYearDay(2025, 1, 0));
  ASSERT_TRUE(named);
  EXPECT_EQ(named->source, YearSource::FileName);
  EXPECT_EQ(named->time, utcFromYearDay(2021, 365, ms));  // the evening before the named day

  // The epoch nearest in day of year: day 365 is five days from the 2019 epoch.
  const auto fromElements = chooseYear("x.hrp", 365, ms, epochs, utcFromYearDay(2025, 1, 0));
  ASSERT_TRUE(fromElements);
  EXPECT_EQ(fromElements->source, YearSource::OrbitalElements);
  EXPECT_EQ(fromElements->time, utcFromYearDay(2019, 365, ms));

  // A file is not written before its pass: day 70 after a 5 March modification is last year's.
  const UtcMs modified = utcFromYearDay(2021, 64, 0);
  const auto early = chooseYear("x.hrp", 60, ms, {}, modified);
  const auto late = chooseYear("x.hrp", 70, ms, {}, modified);
  ASSERT_TRUE(early && late);
  EXPECT_EQ(early->source, YearSource::FileModificationTime);
  EXPECT_EQ(early->time, utcFromYearDay(2021, 60, ms));
  EXPECT_EQ(late->time, utcFromYearDay(2020, 70, ms));

  // Day 366 only in a leap year.
  const auto leap = chooseYear("x.hrp", 366, ms, {}, modified);
  ASSERT_TRUE(leap);
  EXPECT_EQ(leap->time, utcFromYearDay(2020, 366, ms));

  EXPECT_FALSE(chooseYear("x.hrp", 60, ms, {}, std::nullopt));
}

const UtcMs kStart = utcFromYearDay(2022, 200, 50'000'000);

TEST(ReaderYear, AsksForTheEpochsOfTheSatelliteItFound) {
  const Pass written = testing::syntheticPass(4, kStart);
  HrptReadOptions options;
  std::string asked;
  options.elementEpochs = [&](const Satellite& s) {
    asked = s.name;
    return std::vector<UtcMs>{utcFromYearDay(2022, 198, 0)};
  };
  options.modificationTime = utcFromYearDay(2025, 1, 0);
  const Pass read = readHrpt(writeHrpt(written, HrptStorage::Packed10), "capture.raw", options);
  EXPECT_EQ(asked, "NOAA-19");
  EXPECT_EQ(read.yearSource, YearSource::OrbitalElements);
  testing::expectSameLines(written, read);

  // A dated name needs no elements.
  asked.clear();
  const Pass named =
      readHrpt(writeHrpt(written, HrptStorage::Packed10), "n19_2022-07-19.raw", options);
  EXPECT_EQ(asked, "");
  EXPECT_EQ(named.yearSource, YearSource::FileName);
}

TEST(ReaderYear, FallsBackToTheFilesModificationTime) {
  kestrova::testing::TempFolder folder;
  const std::string path = folder.file("capture.raw");
  const Pass written = testing::syntheticPass(4, kStart);
  writeHrptFile(path, written, HrptStorage::Words16LittleEndian);
  const timeval when[2] = {{kStart / 1000 + 600, 0}, {kStart / 1000 + 600, 0}};
  ASSERT_EQ(::utimes(path.c_str(), when), 0);
  const Pass read = readHrptFile(path);
  EXPECT_EQ(read.yearSource, YearSource::FileModificationTime);
  testing::expectSameLines(written, read);
}

TEST(ReaderYear, WithoutAnySourceTheErrorSaysSo) {
  const Pass written = testing::syntheticPass(2, kStart);
  try {
    readHrpt(writeHrpt(written, HrptStorage::Packed10), "capture.raw");
    FAIL() << "read without a year";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(),
                 "Cannot read HRPT file 'capture.raw' at byte offset 0: cannot tell the year of "
                 "day 200: the file name holds no date and neither orbital elements nor the "
                 "file's modification time give one");
  }
}

}  // namespace
}  // namespace kestrova::avhrr::hrpt
