#include "varnock/pass_reading.h"

#include <filesystem>

#include "avhrr/level1b/klm_layout.h"
#include "avhrr/level1b/level1b_reader.h"
#include "base/error.h"

namespace kestrova::varnock {
namespace {

avhrr::Pass readLevel1b(const MappedFile& file, const std::string& path) {
  avhrr::Pass pass = avhrr::level1b::readLevel1b(file.bytes(), path);
  // POD files without the archive header carry no readable name; the file's own stands in.
  if (pass.dataSetName.empty()) pass.dataSetName = std::filesystem::path(path).filename().string();
  return pass;
}

}  // namespace

avhrr::Pass readPass(const MappedFile& file, const std::string& path,
                     avhrr::hrpt::HrptReadOptions options) {
  if (avhrr::level1b::looksLikeKlm(file.bytes())) return readLevel1b(file, path);
  // A POD header starts with binary fields that prove little, so raw HRPT, whose frames carry
  // sync words, is tried first.
  if (!options.modificationTime) options.modificationTime = file.modificationTimeMs();
  try {
    return avhrr::hrpt::readHrpt(file.bytes(), path, options);
  } catch (const Error& asHrpt) {
    try {
      return readLevel1b(file, path);
    } catch (const Error& asLevel1b) {
      throw Error("'" + path + "' is neither a raw HRPT recording nor a NOAA Level 1b file.\n" +
                  "As raw HRPT: " + asHrpt.what() + "\nAs Level 1b: " + asLevel1b.what());
    }
  }
}

}  // namespace kestrova::varnock
