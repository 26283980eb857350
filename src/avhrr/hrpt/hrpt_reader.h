// Reading a raw HRPT file (minor frames as 16-bit words in either byte order, or packed 10-bit
// words) into a Pass: frames found and checked, lines placed by their time codes, the year
// decided from the best source at hand.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "avhrr/pass.h"

namespace kestrova::avhrr::hrpt {

struct HrptReadOptions {
  // Epochs of the orbital elements at hand for the satellite the frames name; asked only when
  // the file name holds no date.
  std::function<std::vector<UtcMs>(const Satellite&)> elementEpochs;
  // The year's last source; readHrptFile takes it from the file.
  std::optional<UtcMs> modificationTime;
};

// name is the file's name as messages show it; a date in its last component gives the year.
// Throws Error naming the file, the byte offset and the cause when no line can be read.
Pass readHrpt(std::span<const std::uint8_t> bytes, const std::string& name,
              const HrptReadOptions& options = {});

Pass readHrptFile(const std::string& path, HrptReadOptions options = {});

}  // namespace kestrova::avhrr::hrpt
