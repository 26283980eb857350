#pragma once
// Replacing a file so that a failure never leaves it half written: the new bytes go to a
// temporary file in the same folder, which is renamed over the old file once complete.
#include <sys/types.h>
#include <string>
#include <string_view>

namespace kestrova {

// The system calls the writer makes, replaceable so tests can make them fail.
struct FileCalls {
  ssize_t (*write)(int fd, const void* data, size_t size);
  int (*fsync)(int fd);
  int (*rename)(const char* from, const char* to);
};
const FileCalls& systemFileCalls();

class AtomicFile {
 public:
  // Creates the temporary file beside path; raises IoError when it cannot be created.
  explicit AtomicFile(std::string path, const FileCalls& calls = systemFileCalls());
  ~AtomicFile();  // removes the temporary file unless commit succeeded
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  // Writes bytes and puts them in place of the old file; raises IoError on the first failure,
  // leaving the old file as it was.
  void commit(std::string_view bytes);

 private:
  void fail(int err);

  std::string path_;
  std::string temporary_;
  const FileCalls& calls_;
  int fd_ = -1;
};

}  // namespace kestrova
