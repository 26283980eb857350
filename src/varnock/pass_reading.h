// A data file read by its content, never its extension: KLM Level 1b, raw HRPT in any storage,
// or POD Level 1b.
#pragma once

#include <string>

#include "avhrr/hrpt/hrpt_reader.h"
#include "avhrr/pass.h"
#include "varnock/mapped_file.h"

namespace kestrova::varnock {

// Throws Error naming the file and why it is neither form (each reader's cause).
avhrr::Pass readPass(const MappedFile& file, const std::string& path,
                     avhrr::hrpt::HrptReadOptions options);

}  // namespace kestrova::varnock
