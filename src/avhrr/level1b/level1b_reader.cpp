#include "avhrr/level1b/level1b_reader.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "avhrr/level1b/klm_layout.h"
#include "avhrr/level1b/klm_reader.h"
#include "avhrr/level1b/pod_reader.h"
#include "base/error.h"

namespace kestrova::avhrr::level1b {

Pass readLevel1b(Bytes file, const std::string& fileName) {
  // A KLM header record starts with its creation site in letters; a POD one with a binary
  // spacecraft code, so anything that is not KLM is tried as POD.
  return looksLikeKlm(file) ? readKlm(file, fileName) : readPod(file, fileName);
}

Pass readLevel1bFile(const std::filesystem::path& path) {
  const std::string name = path.string();
  std::ifstream in(path, std::ios::binary);
  if (!in) throw Error(name + ": cannot open: " + std::strerror(errno));
  const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                        std::istreambuf_iterator<char>());
  if (in.bad()) throw Error(name + ": read failed: " + std::strerror(errno));
  Pass pass = readLevel1b(bytes, name);
  // POD files without the archive header carry no readable name; the file's own stands in.
  if (pass.dataSetName.empty()) pass.dataSetName = path.filename().string();
  return pass;
}

}  // namespace kestrova::avhrr::level1b
