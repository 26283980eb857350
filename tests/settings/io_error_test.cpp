#include "settings/io_error.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace kestrova {
namespace {

TEST(IoError, NumbersHaveTheirTexts) {
  const std::pair<int, const char*> cases[] = {
      {2, "File not found"},          {3, "Invalid filename"},          {4, "Too many open files"},
      {5, "File access denied"},      {100, "Read beyond end of file"}, {101, "Disk full"},
      {106, "Invalid numeric input"}, {103, "I/O error 103"},           {0, "I/O error 0"}};
  for (auto [code, text] : cases) {
    EXPECT_EQ(ioErrorText(code), text);
    EXPECT_STREQ(IoError(code).what(), text);
  }
}

TEST(IoError, ErrnoMapsToTheUsersNumbers) {
  const std::pair<int, int> cases[] = {{ENOENT, 2}, {ENOTDIR, 3},  {ENAMETOOLONG, 3}, {EINVAL, 3},
                                       {EMFILE, 4}, {ENFILE, 4},   {EACCES, 5},       {EPERM, 5},
                                       {EROFS, 5},  {ENOSPC, 101}, {EDQUOT, 101}};
  for (auto [err, code] : cases) {
    IoError e = ioErrorFromErrno(err);
    EXPECT_EQ(e.code(), code) << err;
    EXPECT_EQ(e.what(), ioErrorText(code));
  }
}

TEST(IoError, OtherErrnoKeepsItsNumberEvenWhereItCollidesWithOurs) {
  // EIO is 5 and EINTR 4 on Linux; neither is "File access denied" or "Too many open files".
  EXPECT_STREQ(ioErrorFromErrno(EIO).what(), "I/O error 5");
  EXPECT_STREQ(ioErrorFromErrno(EINTR).what(), "I/O error 4");
  EXPECT_STREQ(ioErrorFromErrno(EISDIR).what(), "I/O error 21");
}

}  // namespace
}  // namespace kestrova
