#include "varnock/staged_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "base/error.h"

namespace kestrova::varnock {
namespace {

Error cannotWrite(const std::string& path, int error) {
  return Error("Cannot write '" + path + "': " + std::strerror(error));
}

void writeAll(int fd, std::span<const std::uint8_t> bytes, const std::string& path) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw cannotWrite(path, errno);
    bytes = bytes.subspan(static_cast<std::size_t>(n));
  }
}

// The process's umask, read once (reading it means setting it, which must not race).
mode_t creationMask() {
  static const mode_t mask = [] {
    const mode_t m = ::umask(0);
    ::umask(m);
    return m;
  }();
  return mask;
}

}  // namespace

StagedFiles::~StagedFiles() {
  for (const Staged& file : staged_) ::unlink(file.temporary.c_str());
}

void StagedFiles::stage(const std::string& path, std::span<const std::uint8_t> bytes) {
  std::string temporary = path + ".partial-XXXXXX";
  const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) throw cannotWrite(path, errno);
  // Pictures are for everyone at the station to read, as with any file the user makes.
  ::fchmod(fd, 0666 & ~creationMask());
  try {
    writeAll(fd, bytes, path);
  } catch (...) {
    ::close(fd);
    ::unlink(temporary.c_str());
    throw;
  }
  if (::close(fd) != 0) {
    const int error = errno;
    ::unlink(temporary.c_str());
    throw cannotWrite(path, error);
  }
  const std::lock_guard lock(mutex_);
  staged_.push_back({path, std::move(temporary)});
}

void StagedFiles::commit() {
  const std::lock_guard lock(mutex_);
  // A rename can only fail on a name taken by a folder: found first, nothing is replaced.
  for (const Staged& file : staged_) {
    struct stat info {};
    if (::stat(file.path.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
      throw cannotWrite(file.path, EISDIR);
  }
  while (!staged_.empty()) {
    const Staged& file = staged_.front();
    if (::rename(file.temporary.c_str(), file.path.c_str()) != 0)
      throw cannotWrite(file.path, errno);
    staged_.erase(staged_.begin());
  }
}

}  // namespace kestrova::varnock
