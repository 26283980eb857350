#include "settings/config_writer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>

#include "settings/atomic_file.h"
#include "settings/config_reader.h"
#include "settings/config_sample.h"
#include "settings/io_error.h"
#include "support/temp_folder.h"

namespace kestrova {
namespace {

using testing::joinLines;
using testing::sampleLines;
using testing::sampleSettings;

TEST(ConfigWriter, WritesFiftySixCrLfLinesExactly) {
  EXPECT_EQ(formatConfig(sampleSettings()), joinLines(sampleLines()));
}

TEST(ConfigWriter, DefaultsGiveEmptyLinesAndPlainNumbers) {
  std::string bytes = formatConfig(StoredSettings{});
  std::string expected = "\r\n\r\n\r\n\r\n\r\n\r\n";
  for (int i = 0; i < 36; ++i) expected += "0\r\n";
  expected += "1\r\n2\r\n4\r\n60\r\n40\r\n-10\r\n10\r\n800\r\n600\r\n0\r\n0\r\n0\r\n5\r\n0\r\n";
  EXPECT_EQ(bytes, expected);
}

TEST(ConfigWriter, WriteThenReadGivesTheSameValues) {
  StoredSettings s = sampleSettings();
  s.dataFolder = "/folder with spaces/ and trailing  ";
  s.decoderOptions = "-sst:.jpg -sst:apt.jpg -ch4:corr.bmp  -sst:.jpg  -min";
  s.productEnabled[3] = -7;  // a stored oddity survives as it stands
  s.lonWest = "";
  s.projection = 2;
  ConfigReadResult r = parseConfig(formatConfig(s));
  EXPECT_FALSE(r.stop);
  EXPECT_EQ(r.values, s);
}

// Writes through the given system calls into a folder holding an old configuration file.
class AtomicFileTest : public ::testing::Test {
 protected:
  void SetUp() override { folder.write("kestrova.cfg", "old contents\r\n"); }
  std::string path() const { return folder.file("kestrova.cfg"); }
  std::size_t entries() const {
    return std::distance(std::filesystem::directory_iterator(folder.path()),
                         std::filesystem::directory_iterator());
  }
  testing::TempFolder folder;
};

TEST_F(AtomicFileTest, CommitReplacesTheFileAndKeepsItsPermissions) {
  ::chmod(path().c_str(), 0640);
  AtomicFile file(path());
  file.commit("new\r\n");
  EXPECT_EQ(folder.read("kestrova.cfg"), "new\r\n");
  EXPECT_EQ(std::filesystem::status(path()).permissions() & std::filesystem::perms::all,
            std::filesystem::perms(0640));
  EXPECT_EQ(entries(), 1u);
}

TEST_F(AtomicFileTest, UncommittedFileLeavesNothingBehind) {
  { AtomicFile file(path()); }
  EXPECT_EQ(folder.read("kestrova.cfg"), "old contents\r\n");
  EXPECT_EQ(entries(), 1u);
}

ssize_t diskFull(int, const void*, size_t) {
  errno = ENOSPC;
  return -1;
}
ssize_t halfThenError(int fd, const void* data, size_t size) {
  static bool first = true;
  if (first) {
    first = false;
    return ::write(fd, data, size / 2);
  }
  errno = EIO;
  return -1;
}
int renameDenied(const char*, const char*) {
  errno = EACCES;
  return -1;
}

struct Failure {
  FileCalls calls;
  int code;
  const char* message;
};

class AtomicFileFailure : public AtomicFileTest, public ::testing::WithParamInterface<Failure> {};

TEST_P(AtomicFileFailure, KeepsTheOldFileAndRaisesTheIoError) {
  try {
    AtomicFile file(path(), GetParam().calls);
    file.commit(formatConfig(sampleSettings()));
    FAIL() << "commit succeeded";
  } catch (const IoError& e) {
    EXPECT_EQ(e.code(), GetParam().code);
    EXPECT_STREQ(e.what(), GetParam().message);
  }
  EXPECT_EQ(folder.read("kestrova.cfg"), "old contents\r\n");
  EXPECT_EQ(entries(), 1u);  // no temporary file left behind
}

INSTANTIATE_TEST_SUITE_P(
    Calls, AtomicFileFailure,
    ::testing::Values(Failure{{diskFull, ::fsync, std::rename}, 101, "Disk full"},
                      Failure{{halfThenError, ::fsync, std::rename}, EIO, "I/O error 5"},
                      Failure{{::write, ::fsync, renameDenied}, 5, "File access denied"}));

TEST(AtomicFileCreate, MissingFolderRaisesFileNotFound) {
  testing::TempFolder folder;
  try {
    AtomicFile file(folder.file("gone/kestrova.cfg"));
    FAIL();
  } catch (const IoError& e) {
    EXPECT_EQ(e.code(), 2);
    EXPECT_STREQ(e.what(), "File not found");
  }
}

}  // namespace
}  // namespace kestrova
