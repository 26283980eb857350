#include "settings/io_error.h"

#include <cerrno>
#include <utility>

namespace kestrova {
namespace {

constexpr std::pair<int, const char*> kTexts[] = {
    {kFileNotFound, "File not found"},
    {kInvalidFilename, "Invalid filename"},
    {kTooManyOpenFiles, "Too many open files"},
    {kFileAccessDenied, "File access denied"},
    {kReadBeyondEnd, "Read beyond end of file"},
    {kDiskFull, "Disk full"},
    {kInvalidNumericInput, "Invalid numeric input"},
};

constexpr std::pair<int, int> kErrnoCodes[] = {
    {ENOENT, kFileNotFound},     {ENOTDIR, kInvalidFilename}, {ENAMETOOLONG, kInvalidFilename},
    {EINVAL, kInvalidFilename},  {EMFILE, kTooManyOpenFiles}, {ENFILE, kTooManyOpenFiles},
    {EACCES, kFileAccessDenied}, {EPERM, kFileAccessDenied},  {EROFS, kFileAccessDenied},
    {ENOSPC, kDiskFull},         {EDQUOT, kDiskFull},
};

}  // namespace

std::string ioErrorText(int code) {
  for (auto [number, text] : kTexts)
    if (number == code) return text;
  return "I/O error " + std::to_string(code);
}

IoError::IoError(int code) : Error(ioErrorText(code)), code_(code) {}

IoError ioErrorFromErrno(int err) {
  for (auto [number, code] : kErrnoCodes)
    if (number == err) return IoError(code);
  return IoError(err, "I/O error " + std::to_string(err));
}

}  // namespace kestrova
