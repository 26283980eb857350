// A data file's bytes mapped read-only from the page cache. A pass is some 100 MB: reading it
// into fresh memory makes the kernel zero every page first, which on this kind of virtual
// machine costs several times the decoding itself in a new process; mapped, the file's pages
// are used where they already are.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace kestrova::varnock {

class MappedFile {
 public:
  // Throws Error naming the file and the cause: missing, a folder, empty, too large, unreadable.
  explicit MappedFile(const std::string& path);
  ~MappedFile();
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  std::span<const std::uint8_t> bytes() const { return {data_, size_}; }
  std::int64_t modificationTimeMs() const { return modified_; }

 private:
  const std::uint8_t* data_ = nullptr;
  std::size_t size_ = 0;
  std::int64_t modified_ = 0;
};

}  // namespace kestrova::varnock
