// Any bytes as a decoder command line (one argument a line): the options end in a usage error or
// in requests that each name one picture file under the output base, never a crash.
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "varnock/decoder_options.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kestrova::varnock;
  std::string_view input(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> arguments;
  while (!input.empty()) {
    const std::size_t end = std::min(input.find('\n'), input.size());
    arguments.emplace_back(input.substr(0, end));
    input.remove_prefix(std::min(end + 1, input.size()));
  }
  DecoderOptions options;
  try {
    options = parseDecoderOptions(arguments);
  } catch (const UsageError&) {
    return 0;
  }
  if (options.dataFile.empty() || options.outputBase.empty() || options.items.empty()) std::abort();
  std::set<std::string> names;
  for (const Item& item : options.items) {
    const std::string name = itemFileName(options.outputBase, item);
    if (!name.starts_with(options.outputBase) || !names.insert(name).second) std::abort();
    if (!name.ends_with(".jpg") && !name.ends_with(".bmp")) std::abort();
    if (item.rgb)
      for (int channel : *item.rgb)
        if (channel < 1 || channel > 5) std::abort();
  }
  return 0;
}
