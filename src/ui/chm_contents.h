#pragma once
// The table of contents of a compiled help file: its .hhc object, an HTML list of sitemap objects
// (<LI><OBJECT type="text/sitemap"><param name="Name" ...><param name="Local" ...></OBJECT>) whose
// nested <UL> lists make the tree.
#include <string>
#include <string_view>
#include <vector>

namespace kestrova::ui {

struct ContentsEntry {
  std::string name;   // the title shown in the tree
  std::string local;  // the topic inside the file, as written ("page.htm#part"); may be empty
  std::vector<ContentsEntry> children;
};

// Levels of the tree at most (the top level is 1); deeper lists are flattened onto the deepest
// level, so a hostile file cannot make the tree (or its destruction) recurse without bound.
inline constexpr int kMaxContentsDepth = 32;

// Tolerant of anything an .hhc may hold: unknown tags are skipped, unclosed lists end with the
// text, character references in names are decoded. Never throws.
std::vector<ContentsEntry> parseContents(std::string_view hhc);

// Every entry in reading order (parents before their children).
std::vector<const ContentsEntry*> flattenContents(const std::vector<ContentsEntry>& tree);

}  // namespace kestrova::ui
