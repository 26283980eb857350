// The files of one run, each written under a temporary name in its own folder as soon as it is
// ready and all renamed to their names only when the whole run has succeeded: a killed or failed
// run leaves neither a half-written file under a name the front end shows nor a mix of old and
// new pictures of the same pass.
#pragma once

#include <cstdint>
#include <mutex>
#include <span>
#include <string>
#include <vector>

namespace kestrova::varnock {

class StagedFiles {
 public:
  StagedFiles() = default;
  ~StagedFiles();  // removes every temporary file not yet put in place
  StagedFiles(const StagedFiles&) = delete;
  StagedFiles& operator=(const StagedFiles&) = delete;

  // Writes bytes beside path under a temporary name; thread-safe. Throws Error naming path and
  // the cause (the folder missing or not writable, the disk full).
  void stage(const std::string& path, std::span<const std::uint8_t> bytes);

  // Renames every staged file to its name, in the order staged. Throws Error naming the file.
  void commit();

 private:
  struct Staged {
    std::string path, temporary;
  };
  std::mutex mutex_;
  std::vector<Staged> staged_;
};

}  // namespace kestrova::varnock
