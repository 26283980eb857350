// The file list's mask matching meets every file name a folder holds: any bytes as name, any
// mask, never a crash or a runaway match.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "ui/file_browser_listing.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  std::size_t split = input.find('\n');
  std::string_view mask = input.substr(0, split);
  std::string_view name = split == std::string_view::npos ? "" : input.substr(split + 1);
  kestrova::ui::matchesMask(name, mask);
  kestrova::ui::parseFilter(input);
  return 0;
}
