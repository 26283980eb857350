// Any bytes as a help file's system data (#SYSTEM): the walk must stay inside the bytes, and
// every text it takes is part of them.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "ui/chm_system.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const kestrova::ui::ChmSystemInfo info = kestrova::ui::parseChmSystem(bytes);
  for (const std::string* text :
       {&info.contentsFile, &info.indexFile, &info.defaultTopic, &info.title})
    if (!text->empty() && bytes.find(*text) == std::string_view::npos) std::abort();
  return 0;
}
