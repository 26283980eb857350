#include "imaging/picture_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace kestrova {
namespace {

Error writeError(const std::string& path, int err) {
  return Error("Cannot write picture '" + path + "': " + std::strerror(err));
}

// Closes the descriptor however the function that owns it ends.
struct FileDescriptor {
  int fd;
  ~FileDescriptor() {
    if (fd >= 0) ::close(fd);
  }
};

}  // namespace

Error pictureReadError(const std::string& path, const std::string& cause) {
  return Error("Cannot read picture '" + path + "': " + cause);
}

std::vector<std::uint8_t> readPictureFile(const std::string& path) {
  FileDescriptor file{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
  if (file.fd < 0) throw pictureReadError(path, std::strerror(errno));
  struct stat info {};
  if (::fstat(file.fd, &info) != 0) throw pictureReadError(path, std::strerror(errno));
  if (S_ISDIR(info.st_mode)) throw pictureReadError(path, std::strerror(EISDIR));
  // A regular file's size is known; one byte more shows its end at the first read.
  std::size_t want = S_ISREG(info.st_mode) ? static_cast<std::size_t>(info.st_size) + 1 : 1 << 16;
  std::vector<std::uint8_t> bytes(std::min<std::uint64_t>(want, kMaxPictureFileBytes + 1));
  std::size_t used = 0;
  for (;;) {
    if (used == bytes.size()) {
      if (used > kMaxPictureFileBytes)
        throw pictureReadError(path, "larger than " + std::to_string(kMaxPictureFileBytes) +
                                         " bytes, more than any picture we read");
      bytes.resize(std::min<std::uint64_t>(used * 2, kMaxPictureFileBytes + 1));
    }
    ssize_t n = ::read(file.fd, bytes.data() + used, bytes.size() - used);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw pictureReadError(path, std::strerror(errno));
    if (n == 0) break;
    used += static_cast<std::size_t>(n);
  }
  bytes.resize(used);
  return bytes;
}

void writePictureFile(const std::string& path, std::span<const std::uint8_t> bytes) {
  FileDescriptor file{::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666)};
  if (file.fd < 0) throw writeError(path, errno);
  int err = 0;
  while (!bytes.empty() && err == 0) {
    ssize_t n = ::write(file.fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0)
      err = n < 0 ? errno : ENOSPC;
    else
      bytes = bytes.subspan(static_cast<std::size_t>(n));
  }
  // Only an ordinary file is removed after a failure: a device node such as /dev/full stays.
  struct stat info {};
  bool ordinary = ::fstat(file.fd, &info) == 0 && S_ISREG(info.st_mode);
  int fd = file.fd;
  file.fd = -1;
  if (::close(fd) != 0 && err == 0) err = errno;
  if (err == 0) return;
  if (ordinary) ::unlink(path.c_str());
  throw writeError(path, err);
}

}  // namespace kestrova
