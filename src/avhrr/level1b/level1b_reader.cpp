#include "avhrr/level1b/level1b_reader.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <vector>

#include "avhrr/level1b/klm_layout.h"
#include "avhrr/level1b/klm_reader.h"
#include "avhrr/level1b/pod_reader.h"
#include "base/error.h"
#include "base/large_vector.h"

namespace kestrova::avhrr::level1b {

Pass readLevel1b(Bytes file, const std::string& fileName) {
  // A KLM header record starts with its creation site in letters; a POD one with a binary
  // spacecraft code, so anything that is not KLM is tried as POD.
  return looksLikeKlm(file) ? readKlm(file, fileName) : readPod(file, fileName);
}

Pass readLevel1bFile(const std::filesystem::path& path) {
  const std::string name = path.string();
  // One read of the whole file: byte by byte through a growing vector costs a second a pass.
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  if (error) throw Error(name + ": cannot open: " + error.message());
  std::ifstream in(path, std::ios::binary);
  if (!in) throw Error(name + ": cannot open: " + std::strerror(errno));
  std::vector<std::uint8_t> bytes;
  assignLarge(bytes, static_cast<std::size_t>(size));
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size));
  if (in.bad() || in.gcount() != static_cast<std::streamsize>(size))
    throw Error(name + ": read failed: " + std::strerror(errno));
  Pass pass = readLevel1b(bytes, name);
  // POD files without the archive header carry no readable name; the file's own stands in.
  if (pass.dataSetName.empty()) pass.dataSetName = path.filename().string();
  return pass;
}

}  // namespace kestrova::avhrr::level1b
