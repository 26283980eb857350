#include "varnock/element_search.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>

#include "base/error.h"

namespace kestrova::varnock {
namespace {

using avhrr::TwoLineElements;

// Element files are a few kilobytes to a few megabytes; anything larger is something else.
constexpr std::uintmax_t kMaxElementFileBytes = 16u << 20;

bool elementFileName(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension == ".txt" || extension == ".tle";
}

std::vector<std::string_view> linesOf(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    text.remove_prefix(std::min(end + 1, text.size()));
  }
  return lines;
}

bool startsElementLine(std::string_view line, char number) {
  return line.size() >= 2 && line[0] == number && line[1] == ' ';
}

std::vector<std::filesystem::path> elementFilesIn(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> files;
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error)) {
    std::error_code kind;
    if (it->is_regular_file(kind) && elementFileName(it->path()) &&
        it->file_size(kind) <= kMaxElementFileBytes)
      files.push_back(it->path());
  }
  std::sort(files.begin(), files.end());  // the same choice on every run
  return files;
}

std::string readText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

void scanElementText(std::string_view text, const std::string& fileName, FoundElements& found) {
  const std::vector<std::string_view> lines = linesOf(text);
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
    if (!startsElementLine(lines[i], '1') || !startsElementLine(lines[i + 1], '2')) continue;
    const std::string_view title =
        i > 0 && !startsElementLine(lines[i - 1], '2') ? lines[i - 1] : std::string_view{};
    try {
      found.sets.push_back(avhrr::parseTwoLineElements(lines[i], lines[i + 1], title,
                                                       {fileName, static_cast<int>(i) + 1}));
      found.files.push_back(fileName);
    } catch (const Error& e) {
      found.problems.push_back(e.what());
    }
    ++i;
  }
}

FoundElements findElementSets(const std::vector<std::filesystem::path>& folders) {
  FoundElements found;
  for (const auto& folder : folders) {
    found.foldersSearched.push_back(folder);
    for (const auto& file : elementFilesIn(folder))
      scanElementText(readText(file), file.string(), found);
  }
  return found;
}

std::optional<ChosenElements> nearestFor(const FoundElements& found,
                                         const avhrr::Satellite& satellite, avhrr::UtcMs t) {
  std::optional<std::size_t> best;
  for (std::size_t k = 0; k < found.sets.size(); ++k) {
    if (found.sets[k].catalogueNumber != satellite.norad) continue;
    if (!best || std::abs(found.sets[k].minutesSinceEpoch(t)) <
                     std::abs(found.sets[*best].minutesSinceEpoch(t)))
      best = k;
  }
  if (!best) return std::nullopt;
  return ChosenElements{found.sets[*best], found.files[*best]};
}

std::vector<avhrr::UtcMs> epochsFor(const FoundElements& found, const avhrr::Satellite& satellite) {
  std::vector<avhrr::UtcMs> epochs;
  for (const auto& set : found.sets)
    if (set.catalogueNumber == satellite.norad) epochs.push_back(set.epochUtc());
  return epochs;
}

}  // namespace kestrova::varnock
