// make_pass: a synthetic AVHRR pass written to files.
//
//   make_pass --tle FILE --start YYYY-MM-DDTHH:MM:SS --out FOLDER [--duration SECONDS]
//             [--satellite NOAA-19] [--files all|hrpt-be,lac,...] [--stem NAME] [--seed N]
//             [--clouds 0..1] [--target-kelvin K] [--channel3 3a|3b] [--switch-line N]
//
// The element set nearest the start is taken from the TLE file. A full 12-minute pass is
// --duration 720. File names are STEM_KIND.hpt / .l1b; the default stem holds the satellite and
// the start, so our HRPT reader finds the year in it.
#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "avhrr/orbit/element_sets.h"
#include "avhrr/synthetic/synthetic_pass.h"
#include "base/error.h"

namespace {

using namespace kestrova;
using namespace kestrova::avhrr;

constexpr const char* kUsage =
    "usage: make_pass --tle FILE --start YYYY-MM-DDTHH:MM:SS --out FOLDER [--duration SECONDS]\n"
    "                 [--satellite NOAA-19] [--files all|hrpt-be,hrpt-le,hrpt-packed,lac,lac-ars,"
    "gac,gac-ars]\n"
    "                 [--stem NAME] [--seed N] [--clouds 0..1] [--target-kelvin K]\n"
    "                 [--channel3 3a|3b] [--switch-line N]\n";

constexpr const char* kHelp =
    "\n"
    "Writes a synthetic pass of a NOAA satellite: the orbit from the element set nearest the start,\n"
    "a scene of land, sea and clouds in daylight or at night, and the counts an AVHRR would send.\n"
    "Files are STEM_KIND.hpt (raw HRPT) or STEM_KIND.l1b (KLM Level 1b); the default stem holds\n"
    "the satellite and the start, so the decoder finds the year in the name.\n"
    "\n"
    "The repository's element file tle/demo.tle holds the made-up sets of NOAA-19 and NOAA-18 the\n"
    "demo pass and the tests use (epoch 21 June 2025 12:00 UTC). The demo pass, a 12-minute\n"
    "daylight pass of NOAA-19 northbound over Europe as raw HRPT:\n"
    "\n"
    "  make_pass --tle tle/demo.tle --start 2025-06-21T12:08:00 --duration 720 \\\n"
    "            --files hrpt-be --out workspace/passes\n";

struct UsageError : Error {
  using Error::Error;
};

// Days of the year before the first of month (1..13).
int daysBefore(int month, int year) {
  static constexpr int table[13] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365};
  return table[month - 1] + (month > 2 && isLeapYear(year) ? 1 : 0);
}

UtcMs parseStart(const std::string& text) {
  int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
  char tail = 0;
  const bool parsed =
      std::sscanf(text.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d%c", &y, &mo, &d, &h, &mi, &s, &tail) == 6;
  if (!parsed || y < 1970 || mo < 1 || mo > 12 || d < 1 ||
      d > daysBefore(mo + 1, y) - daysBefore(mo, y) || h > 23 || mi > 59 || s > 59)
    throw UsageError("--start: not a time YYYY-MM-DDTHH:MM:SS: " + text);
  return utcFromYearDay(y, daysBefore(mo, y) + d, ((h * 60 + mi) * 60 + s) * 1000LL);
}

double number(const std::string& option, const std::string& text) {
  char* end = nullptr;
  const double v = std::strtod(text.c_str(), &end);
  if (text.empty() || *end != '\0') throw UsageError(option + ": not a number: " + text);
  return v;
}

long long integer(const std::string& option, const std::string& text, long long least) {
  char* end = nullptr;
  errno = 0;
  const long long v = std::strtoll(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || errno == ERANGE || v < least)
    throw UsageError(option + ": not a whole number from " + std::to_string(least) + ": " + text);
  return v;
}

std::vector<SyntheticFile> parseFiles(const std::string& list) {
  if (list == "all") return {allSyntheticFiles().begin(), allSyntheticFiles().end()};
  std::vector<SyntheticFile> out;
  std::size_t at = 0;
  while (at <= list.size()) {
    const std::size_t comma = std::min(list.find(',', at), list.size());
    const std::string name = list.substr(at, comma - at);
    bool found = false;
    for (SyntheticFile f : allSyntheticFiles()) {
      if (syntheticFileName(f) == name) {
        out.push_back(f);
        found = true;
      }
    }
    if (!found) throw UsageError("--files: no such kind: " + name);
    at = comma + 1;
  }
  return out;
}

std::string defaultStem(const Satellite& satellite, UtcMs start) {
  std::string name;
  for (char c : satellite.name)
    if (c != '-') name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  const YearDay yd = yearDayFromUtc(start);
  const auto seconds = yd.msOfDay / 1000;
  int month = 1;
  while (month < 12 && yd.dayOfYear > daysBefore(month + 1, yd.year)) ++month;
  const int day = yd.dayOfYear - daysBefore(month, yd.year);
  char text[64];
  std::snprintf(text, sizeof text, "%s_%04d%02d%02d_%02d%02d%02d", name.c_str(), yd.year, month,
                day, static_cast<int>(seconds / 3600), static_cast<int>(seconds / 60 % 60),
                static_cast<int>(seconds % 60));
  return text;
}

int run(int argc, char** argv) {
  if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
    std::printf("%s%s", kUsage, kHelp);
    return 0;
  }
  std::map<std::string, std::string> args{{"--duration", "60"}, {"--satellite", "NOAA-19"},
                                          {"--files", "all"},   {"--seed", "1"},
                                          {"--clouds", "0.3"},  {"--target-kelvin", "290"},
                                          {"--channel3", "3b"}, {"--switch-line", "-1"}};
  const std::vector<std::string> known{
      "--tle",   "--start", "--out",    "--stem",          "--duration", "--satellite",
      "--files", "--seed",  "--clouds", "--target-kelvin", "--channel3", "--switch-line"};
  for (int i = 1; i < argc; i += 2) {
    const std::string option = argv[i];
    if (std::find(known.begin(), known.end(), option) == known.end())
      throw UsageError("unknown option: " + option);
    if (i + 1 >= argc) throw UsageError(option + ": needs a value");
    args[option] = argv[i + 1];
  }
  for (const char* required : {"--tle", "--start", "--out"})
    if (!args.contains(required)) throw UsageError(std::string(required) + " is required");

  SyntheticPassOptions options;
  options.satellite = satelliteByName(args["--satellite"]);
  if (options.satellite == nullptr)
    throw UsageError("--satellite: unknown satellite: " + args["--satellite"]);
  options.start = parseStart(args["--start"]);
  options.durationSeconds = number("--duration", args["--duration"]);
  options.seed = static_cast<std::uint64_t>(integer("--seed", args["--seed"], 0));
  options.cloudCover = number("--clouds", args["--clouds"]);
  options.targetKelvin = number("--target-kelvin", args["--target-kelvin"]);
  const std::string ch3 = args["--channel3"];
  if (ch3 != "3a" && ch3 != "3b") throw UsageError("--channel3: 3a or 3b, not " + ch3);
  options.channel3 = ch3 == "3a" ? Channel3::A3 : Channel3::B3;
  options.channel3SwitchLine =
      static_cast<int>(std::min(integer("--switch-line", args["--switch-line"], -1), 1LL << 30));
  const auto sets = readElementSets(args["--tle"]);
  options.elements =
      nearestElements(sets, SatelliteKey::of(*options.satellite), options.start, args["--tle"]);
  const auto files = parseFiles(args["--files"]);
  const std::string stem =
      args.contains("--stem") ? args["--stem"] : defaultStem(*options.satellite, options.start);

  const Pass pass = makeSyntheticPass(options);
  std::filesystem::create_directories(args["--out"]);
  for (SyntheticFile f : files)
    std::printf("%s\n", writeSyntheticFile(pass, options, f, args["--out"], stem).c_str());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return run(argc, argv);
  } catch (const UsageError& e) {
    std::fprintf(stderr, "make_pass: %s\n%s", e.what(), kUsage);
    return 2;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "make_pass: %s\n", e.what());
    return 1;
  }
}
