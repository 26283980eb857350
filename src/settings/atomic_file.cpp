#include "settings/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "settings/io_error.h"

namespace kestrova {
namespace {

// A new file gets the permissions an ordinary create would give it; a replaced one keeps its own.
mode_t permissionsFor(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0) return info.st_mode & 07777;
  mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

const FileCalls& systemFileCalls() {
  static const FileCalls calls{::write, ::fsync, std::rename};
  return calls;
}

AtomicFile::AtomicFile(std::string path, const FileCalls& calls)
    : path_(std::move(path)), calls_(calls) {
  std::string pattern = path_ + ".XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  fd_ = ::mkostemp(name.data(), O_CLOEXEC);
  if (fd_ < 0) throw ioErrorFromErrno(errno);
  temporary_ = name.data();
  ::fchmod(fd_, permissionsFor(path_));
}

AtomicFile::~AtomicFile() {
  if (fd_ >= 0) ::close(fd_);
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
}

void AtomicFile::fail(int err) {
  ::close(fd_);
  fd_ = -1;
  throw ioErrorFromErrno(err);
}

void AtomicFile::commit(std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = calls_.write(fd_, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) fail(n < 0 ? errno : ENOSPC);
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  if (calls_.fsync(fd_) != 0) fail(errno);
  if (::close(fd_) != 0) {
    fd_ = -1;
    throw ioErrorFromErrno(errno);
  }
  fd_ = -1;
  if (calls_.rename(temporary_.c_str(), path_.c_str()) != 0) throw ioErrorFromErrno(errno);
  temporary_.clear();
}

}  // namespace kestrova
