// Any bytes as a KLM Level 1b file: reading ends in a pass or an Error, never a crash or an
// allocation beyond what the file can fill, and a pass that was read survives a write and a
// second read with the same counts.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "avhrr/level1b/klm_reader.h"
#include "avhrr/level1b/klm_writer.h"
#include "base/error.h"

using namespace kestrova::avhrr;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::span<const std::uint8_t> bytes(data, size);
  Pass pass;
  try {
    pass = level1b::readKlm(bytes, "fuzz.l1b");
  } catch (const kestrova::Error&) {
    return 0;
  }
  // Each count comes from at least one byte of the file.
  if (pass.counts.size() > size) std::abort();
  if (pass.satellite == nullptr || !pass.satellite->klmCode) return 0;
  try {
    const auto again = level1b::readKlm(level1b::writeKlm(pass), "again.l1b");
    if (again.counts != pass.counts || again.lineCount() != pass.lineCount()) std::abort();
  } catch (const kestrova::Error&) {
    // A value read from the file may not fit the writer's field; refusing it is fine.
  }
  return 0;
}
