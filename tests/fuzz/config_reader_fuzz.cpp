// Any bytes as kestrova.cfg: the reader must end in values or a stop, never crash or hang, and a
// complete read must survive a write and a second read unchanged.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "settings/config_reader.h"
#include "settings/config_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  kestrova::ConfigReadResult first = kestrova::parseConfig(bytes);
  if (first.linesRead < 0 || first.linesRead > 56) std::abort();
  if (first.stop.has_value() == (first.linesRead == 56)) std::abort();
  if (first.stop) return 0;
  kestrova::ConfigReadResult second = kestrova::parseConfig(kestrova::formatConfig(first.values));
  if (second.stop || !(second.values == first.values)) std::abort();
  return 0;
}
