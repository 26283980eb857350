#include "varnock/mapped_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "base/error.h"

namespace kestrova::varnock {
namespace {

// Far beyond any pass (a 16-minute raw HRPT pass is some 130 MB).
constexpr std::int64_t kMaxDataFileBytes = std::int64_t{1} << 30;

Error cannotRead(const std::string& path, const std::string& cause) {
  return Error("Cannot read data file '" + path + "': " + cause);
}

}  // namespace

MappedFile::MappedFile(const std::string& path) {
  // Non-blocking: a named pipe given as the data file must fail below, not wait for a writer.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) throw cannotRead(path, std::strerror(errno));
  struct Closer {
    int fd;
    ~Closer() { ::close(fd); }
  } closer{fd};
  struct stat info {};
  if (::fstat(fd, &info) != 0) throw cannotRead(path, std::strerror(errno));
  if (!S_ISREG(info.st_mode)) throw cannotRead(path, "not an ordinary file");
  if (info.st_size == 0) throw cannotRead(path, "the file is empty (0 bytes)");
  if (info.st_size > kMaxDataFileBytes)
    throw cannotRead(path, "larger than 1 GiB, far beyond any pass");
  void* map =
      ::mmap(nullptr, static_cast<std::size_t>(info.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
  if (map == MAP_FAILED) throw cannotRead(path, std::strerror(errno));
  ::madvise(map, static_cast<std::size_t>(info.st_size), MADV_WILLNEED);
  data_ = static_cast<const std::uint8_t*>(map);
  size_ = static_cast<std::size_t>(info.st_size);
  modified_ =
      static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000 + info.st_mtim.tv_nsec / 1'000'000;
}

MappedFile::~MappedFile() {
  ::munmap(const_cast<std::uint8_t*>(data_), size_);
}

}  // namespace kestrova::varnock
