// Malformed raw HRPT input ends in one clear error naming the file, the byte offset and the
// cause.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>

#include "avhrr/hrpt/frame_writer.h"
#include "avhrr/hrpt/hrpt_reader.h"
#include "base/error.h"
#include "support/temp_folder.h"
#include "synthetic_pass.h"

namespace kestrova::avhrr::hrpt {
namespace {

using ::testing::HasSubstr;

const std::string kName = "bad_20240315.hrp";

std::string errorOf(const std::vector<std::uint8_t>& bytes) {
  try {
    readHrpt(bytes, kName);
  } catch (const Error& e) {
    return e.what();
  }
  return "no error";
}

TEST(ReadErrors, TooShortForAFrame) {
  EXPECT_EQ(
      errorOf({}),
      "Cannot read HRPT file 'bad_20240315.hrp' at byte offset 0: the file is truncated: 0 "
      "bytes hold less than one HRPT minor frame (13862 bytes packed, 22180 as 16-bit words)");
  const auto bytes = writeHrpt(testing::syntheticPass(1, 0), HrptStorage::Words16LittleEndian);
  EXPECT_THAT(errorOf({bytes.begin(), bytes.begin() + 13000}), HasSubstr("truncated: 13000 bytes"));
}

TEST(ReadErrors, NoSyncAnywhere) {
  std::mt19937 gen(7);
  std::vector<std::uint8_t> noise(100'000);
  for (auto& b : noise) b = static_cast<std::uint8_t>(gen());
  EXPECT_THAT(errorOf(noise), HasSubstr("'bad_20240315.hrp' at byte offset 0: no HRPT frame sync "
                                        "found in 100000 bytes"));
  // A lone frame too damaged to trust without a second one.
  auto bytes = writeHrpt(testing::syntheticPass(1, 0), HrptStorage::Words16LittleEndian);
  bytes[0] ^= 0x0F;
  EXPECT_THAT(errorOf(bytes), HasSubstr("no HRPT frame sync"));
}

TEST(ReadErrors, NoPossibleTimeCode) {
  auto bytes = writeHrpt(testing::syntheticPass(3, 0), HrptStorage::Words16LittleEndian);
  for (int f = 0; f < 3; ++f) testing::setWordLittleEndian(bytes, f, 8, 0);  // day 0
  bytes.insert(bytes.begin(), 10, 0);
  EXPECT_THAT(errorOf(bytes), HasSubstr("at byte offset 10: none of the 3 frames carries a "
                                        "possible time code"));
}

TEST(ReadErrors, NoFramePassesTheChecks) {
  // Minor frame counter 0 in every frame: not the frames of an HRPT stream.
  auto bytes = writeHrpt(testing::syntheticPass(5, 0), HrptStorage::Words16LittleEndian);
  for (int f = 0; f < 5; ++f) testing::setWordLittleEndian(bytes, f, 6, 15 << 3);
  EXPECT_THAT(errorOf(bytes), HasSubstr("at byte offset 0: no usable lines: all 5 frames found"));
}

TEST(ReadErrors, FileThatCannotBeOpened) {
  kestrova::testing::TempFolder folder;
  const std::string missing = folder.file("gone.hrp");
  try {
    readHrptFile(missing);
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()),
              "Cannot read HRPT file '" + missing + "': No such file or directory");
  }
  EXPECT_THROW(readHrptFile(folder.path().string()), Error);
}

}  // namespace
}  // namespace kestrova::avhrr::hrpt
