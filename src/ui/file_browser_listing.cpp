#include "ui/file_browser_listing.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace kestrova::ui {
namespace {

namespace fs = std::filesystem;

char lowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string lowered(std::string_view text) {
  std::string result(text);
  std::transform(result.begin(), result.end(), result.begin(), lowerAscii);
  return result;
}

// Glob matching with "*" and "?" on already lower-cased texts; backtracks to the last "*" only,
// so it stays linear in practice and never recurses.
bool wildcardMatch(std::string_view name, std::string_view pattern) {
  std::size_t n = 0, p = 0, starP = std::string_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
      ++n;
      ++p;
    } else if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (starP != std::string_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

bool matchesPattern(std::string_view name, std::string_view pattern) {
  if (wildcardMatch(name, pattern)) return true;
  bool anyExtension = pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*";
  return anyExtension && name.find('.') == std::string_view::npos &&
         wildcardMatch(name, pattern.substr(0, pattern.size() - 2));
}

}  // namespace

std::vector<FilterEntry> parseFilter(std::string_view filterText) {
  std::vector<std::string> pieces;
  while (!filterText.empty()) {
    std::size_t bar = filterText.find('|');
    pieces.emplace_back(filterText.substr(0, bar));
    if (bar == std::string_view::npos) break;
    filterText.remove_prefix(bar + 1);
  }
  std::vector<FilterEntry> entries;
  for (std::size_t i = 0; i + 1 < pieces.size(); i += 2)
    entries.push_back({pieces[i], pieces[i + 1]});
  return entries;
}

bool matchesMask(std::string_view name, std::string_view mask) {
  std::string lowerName = lowered(name);
  std::string lowerMask = lowered(mask);
  std::string_view rest = lowerMask;
  for (;;) {
    std::size_t semicolon = rest.find(';');
    std::string_view pattern = rest.substr(0, semicolon);
    if (!pattern.empty() && matchesPattern(lowerName, pattern)) return true;
    if (semicolon == std::string_view::npos) return false;
    rest.remove_prefix(semicolon + 1);
  }
}

std::vector<std::string> listedFiles(const std::string& folder, std::string_view mask) {
  struct Listed {
    std::string key;
    std::string name;
  };
  std::vector<Listed> files;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::string name = it->path().filename().string();
    std::error_code kindError;
    if (name.empty() || name[0] == '.' || !it->is_regular_file(kindError)) continue;
    if (matchesMask(name, mask)) files.push_back({lowered(name), std::move(name)});
  }
  std::sort(files.begin(), files.end(), [](const Listed& a, const Listed& b) {
    return a.key != b.key ? a.key < b.key : a.name < b.name;
  });
  std::vector<std::string> names;
  names.reserve(files.size());
  for (Listed& file : files) names.push_back(std::move(file.name));
  return names;
}

}  // namespace kestrova::ui
