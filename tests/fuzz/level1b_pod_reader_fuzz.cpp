// Any bytes as a POD Level 1b file: reading ends in a pass or an Error, never a crash or an
// allocation beyond what the file can fill.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "avhrr/level1b/pod_reader.h"
#include "base/error.h"

using namespace kestrova::avhrr;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::span<const std::uint8_t> bytes(data, size);
  try {
    const Pass pass = level1b::readPod(bytes, "fuzz.l1b");
    if (pass.counts.size() > size) std::abort();
    if (pass.tiePoints->latitude.size() != pass.lines.size() * 51) std::abort();
  } catch (const kestrova::Error&) {
  }
  return 0;
}
