// Every malformed Level 1b file ends in an Error naming the file, the byte offset and the cause.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>

#include "avhrr/level1b/klm_writer.h"
#include "avhrr/level1b/level1b_reader.h"
#include "base/error.h"
#include "support/temp_folder.h"
#include "test_passes.h"

namespace kestrova::avhrr {
namespace {

using level1b::readLevel1b;
using ::testing::AllOf;
using ::testing::HasSubstr;

std::string errorOf(const std::vector<std::uint8_t>& bytes) {
  try {
    readLevel1b(bytes, "broken.l1b");
  } catch (const Error& e) {
    return e.what();
  }
  return "no error";
}

std::vector<std::uint8_t> gac(int lines) {
  return level1b::writeKlm(testing::klmTestPass(DataType::Gac, lines));
}

TEST(Level1bErrors, KlmFilesCutOrDamaged) {
  auto cut = gac(3);
  cut.resize(cut.size() - 100);
  EXPECT_THAT(errorOf(cut), AllOf(HasSubstr("broken.l1b: byte offset 13824:"),
                                  HasSubstr("truncated: the last record holds 4508 of 4608")));

  auto lost = gac(3);
  lost.resize(lost.size() - 4608);  // whole records gone, the header still counts three
  EXPECT_THAT(errorOf(lost), AllOf(HasSubstr("byte offset 13824:"),
                                   HasSubstr("announces 3 data records, the file holds 2")));

  auto headerOnly = gac(1);
  headerOnly.resize(4608);
  EXPECT_THAT(errorOf(headerOnly), HasSubstr("fit no KLM GAC record length"));

  auto noType = gac(1);
  testing::putU16(noType, 76, 9);
  EXPECT_THAT(errorOf(noType), AllOf(HasSubstr("byte offset 76:"), HasSubstr("data type code 9")));
}

TEST(Level1bErrors, KlmRecordsOfGarbage) {
  auto bytes = gac(4);
  std::mt19937 random(7);
  for (std::size_t i = 4608; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(random());
  // The first record keeps its time so a length is found; the rest are noise.
  const auto good = gac(4);
  std::copy(good.begin() + 4608, good.begin() + 4608 + 16, bytes.begin() + 4608);
  EXPECT_THAT(errorOf(bytes), AllOf(HasSubstr("byte offset 4608:"),
                                    HasSubstr("only 1 of 4 records carry a possible time")));
}

TEST(Level1bErrors, ArchiveHeaderDisagreeingWithTheRecords) {
  level1b::KlmWriteOptions options;
  options.archiveHeader = true;
  auto bytes = level1b::writeKlm(testing::klmTestPass(DataType::Gac, 1), options);
  bytes[186] = '9';  // record size 004609
  EXPECT_THAT(errorOf(bytes),
              AllOf(HasSubstr("byte offset 181:"), HasSubstr("records of 4609 bytes")));

  bytes[0] = 0x01;   // neither all text
  bytes[161] = 'X';  // nor naming the format
  EXPECT_THAT(errorOf(bytes),
              AllOf(HasSubstr("byte offset 0:"), HasSubstr("not an archive header")));
}

TEST(Level1bErrors, PodFilesCutOrDamaged) {
  auto cut = testing::podFile({.gac = true, .lines = 2});
  cut.resize(cut.size() - 20);
  EXPECT_THAT(errorOf(cut), AllOf(HasSubstr("byte offset 6440:"), HasSubstr("truncated")));

  auto lost = testing::podFile({.gac = false, .lines = 2});
  lost.resize(lost.size() - 14800);
  EXPECT_THAT(errorOf(lost), HasSubstr("announces 2 scans, the file holds 1"));

  auto headerOnly = testing::podFile({.gac = true, .lines = 1});
  headerOnly.resize(3220);
  EXPECT_THAT(errorOf(headerOnly), HasSubstr("no data record"));

  auto noType = testing::podFile({.gac = true, .lines = 1});
  noType[1] = 0x70;
  EXPECT_THAT(errorOf(noType), AllOf(HasSubstr("byte offset 1:"), HasSubstr("data type code 7")));

  auto badStart = testing::podFile({.gac = true, .lines = 1});
  badStart[2] = badStart[3] = 0xFF;  // day 511
  EXPECT_THAT(errorOf(badStart), AllOf(HasSubstr("byte offset 2:"), HasSubstr("start time")));
}

TEST(Level1bErrors, EmptyShortAndForeignFiles) {
  EXPECT_THAT(errorOf({}), HasSubstr("broken.l1b: byte offset 0: truncated"));
  EXPECT_THAT(errorOf(std::vector<std::uint8_t>(100, 'A')), HasSubstr("truncated"));
  std::vector<std::uint8_t> noise(20000);
  std::mt19937 random(11);
  for (auto& b : noise) b = static_cast<std::uint8_t>(random());
  EXPECT_THAT(errorOf(noise), HasSubstr("broken.l1b: byte offset"));
}

TEST(Level1bErrors, AFileThatCannotBeOpenedIsNamed) {
  kestrova::testing::TempFolder folder;
  EXPECT_THROW(
      {
        try {
          level1b::readLevel1bFile(folder.file("absent.l1b"));
        } catch (const Error& e) {
          EXPECT_THAT(e.what(), AllOf(HasSubstr("absent.l1b"), HasSubstr("cannot open")));
          throw;
        }
      },
      Error);
}

}  // namespace
}  // namespace kestrova::avhrr
