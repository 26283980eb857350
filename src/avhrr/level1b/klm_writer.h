// Writes a Pass as a KLM Level 1b file: LAC/HRPT/FRAC (2048 samples) or GAC (409), packed 10-bit
// records, with or without the 512-byte archive header. The synthetic passes use it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "avhrr/pass.h"

namespace kestrova::avhrr::level1b {

struct KlmWriteOptions {
  bool archiveHeader = false;
  int version = 5;
  std::string site = "NSS";  // creation site, three characters
};

// Throws Error when the pass cannot be written: no lines, a width that is not the data type's,
// no KLM spacecraft code, tie points not on the format's 51 columns, a value out of its field.
std::vector<std::uint8_t> writeKlm(const Pass& pass, const KlmWriteOptions& options = {});

void writeKlmFile(const Pass& pass, const std::filesystem::path& path,
                  const KlmWriteOptions& options = {});

// The NOAA data set name for the pass, e.g. "NSS.GHRR.NP.D06095.S1756.E1807.B0000000.KS".
std::string klmDataSetName(const Pass& pass, const std::string& site);

}  // namespace kestrova::avhrr::level1b
