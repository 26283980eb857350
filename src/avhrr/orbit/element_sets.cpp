#include "avhrr/orbit/element_sets.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <limits>

#include "base/error.h"

namespace kestrova::avhrr {
namespace {

// Element files are small; anything much larger is not one.
constexpr std::uintmax_t kMaxFileBytes = 64u << 20;

std::vector<std::string_view> splitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

bool isBlank(std::string_view line) {
  return line.find_first_not_of(" \t\r") == std::string_view::npos;
}

bool startsElementLine(std::string_view line, char number) {
  return line.size() >= 2 && line[0] == number && line[1] == ' ';
}

// Upper-case letters and digits of a name, up to any bracketed remark.
std::string normalisedName(std::string_view name) {
  std::string out;
  for (char c : name) {
    if (c == '(' || c == '[') break;
    if (std::isalnum(static_cast<unsigned char>(c))) {
      out += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
  }
  return out;
}

bool sameName(const TwoLineElements& set, const SatelliteKey& key) {
  return !key.name.empty() && normalisedName(set.name) == normalisedName(key.name);
}

template <typename Match>
const TwoLineElements* nearest(const std::vector<TwoLineElements>& sets, UtcMs t, Match match) {
  const TwoLineElements* best = nullptr;
  double bestDistance = std::numeric_limits<double>::infinity();
  for (const TwoLineElements& set : sets) {
    const double distance = std::abs(set.minutesSinceEpoch(t));
    if (match(set) && distance < bestDistance) {
      best = &set;
      bestDistance = distance;
    }
  }
  return best;
}

std::string describe(const SatelliteKey& key) {
  if (key.name.empty()) return "catalogue number " + std::to_string(key.catalogueNumber);
  if (key.catalogueNumber == 0) return key.name;
  return key.name + " (" + std::to_string(key.catalogueNumber) + ")";
}

}  // namespace

std::vector<TwoLineElements> parseElementSets(std::string_view text, std::string_view fileName) {
  const std::vector<std::string_view> lines = splitLines(text);
  std::vector<TwoLineElements> sets;
  std::string_view name;
  int nameLine = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const int number = static_cast<int>(i) + 1;
    const std::string_view line = lines[i];
    if (isBlank(line)) continue;
    if (startsElementLine(line, '1')) {
      if (i + 1 >= lines.size() || !startsElementLine(lines[i + 1], '2')) {
        throw Error(std::string(fileName) + ", line " + std::to_string(number + 1) +
                    ": element line 2 expected after line 1");
      }
      sets.push_back(parseTwoLineElements(line, lines[i + 1], name, TextPlace{fileName, number}));
      name = {};
      ++i;
      continue;
    }
    if (startsElementLine(line, '2')) {
      throw Error(std::string(fileName) + ", line " + std::to_string(number) +
                  ": element line 2 without line 1 before it");
    }
    if (!name.empty()) {
      throw Error(std::string(fileName) + ", line " + std::to_string(nameLine) + ": title line \"" +
                  std::string(name) + "\" is not followed by element lines");
    }
    name = line;
    nameLine = number;
  }
  if (!name.empty()) {
    throw Error(std::string(fileName) + ", line " + std::to_string(nameLine) + ": title line \"" +
                std::string(name) + "\" is not followed by element lines");
  }
  if (sets.empty()) throw Error(std::string(fileName) + ": no element sets in the file");
  return sets;
}

std::vector<TwoLineElements> readElementSets(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw Error(path + ": cannot open the element file");
  in.seekg(0, std::ios::end);
  const auto size = static_cast<std::uintmax_t>(std::max<std::streamoff>(in.tellg(), 0));
  if (size > kMaxFileBytes) throw Error(path + ": too large for an element file");
  in.seekg(0);
  std::string text(static_cast<std::size_t>(size), '\0');
  if (!in.read(text.data(), static_cast<std::streamsize>(size))) {
    throw Error(path + ": cannot read the element file");
  }
  return parseElementSets(text, path);
}

SatelliteKey SatelliteKey::of(const Satellite& satellite) {
  return SatelliteKey{satellite.norad, std::string(satellite.name)};
}

const TwoLineElements& nearestElements(const std::vector<TwoLineElements>& sets,
                                       const SatelliteKey& key, UtcMs t,
                                       std::string_view fileName) {
  // The catalogue number is the reliable key; title lines differ between sources.
  const TwoLineElements* best = nearest(sets, t, [&](const TwoLineElements& set) {
    return key.catalogueNumber != 0 && set.catalogueNumber == key.catalogueNumber;
  });
  if (best == nullptr) {
    best = nearest(sets, t, [&](const TwoLineElements& set) { return sameName(set, key); });
  }
  if (best == nullptr) {
    throw Error(std::string(fileName) + ": no element set for " + describe(key));
  }
  return *best;
}

std::optional<int> yearNearestEpoch(const std::vector<TwoLineElements>& sets,
                                    const SatelliteKey& key, int dayOfYear, std::int64_t msOfDay) {
  std::optional<int> best;
  UtcMs bestDistance = 0;
  for (const TwoLineElements& set : sets) {
    const bool ours =
        key.catalogueNumber != 0 ? set.catalogueNumber == key.catalogueNumber : sameName(set, key);
    if (!ours) continue;
    for (int year = set.epochYear - 1; year <= set.epochYear + 1; ++year) {
      if (dayOfYear < 1 || dayOfYear > daysInYear(year)) continue;
      const UtcMs distance = std::abs(utcFromYearDay(year, dayOfYear, msOfDay) - set.epochUtc());
      if (!best || distance < bestDistance) {
        best = year;
        bestDistance = distance;
      }
    }
  }
  return best;
}

}  // namespace kestrova::avhrr
