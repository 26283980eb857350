// Any bytes as a help file's table of contents (.hhc): the parser must end in a tree no deeper
// than its limit, holding only entries with a name or a topic, and never crash or hang.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "ui/chm_archive.h"
#include "ui/chm_contents.h"

namespace {

void check(const std::vector<kestrova::ui::ContentsEntry>& list, int depth) {
  if (!list.empty() && depth > kestrova::ui::kMaxContentsDepth) std::abort();
  for (const kestrova::ui::ContentsEntry& entry : list) {
    if (entry.name.empty() && entry.local.empty()) std::abort();
    if (kestrova::ui::topicObjectPath(entry.local).front() != '/') std::abort();
    check(entry.children, depth + 1);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  check(kestrova::ui::parseContents(bytes), 1);
  return 0;
}
