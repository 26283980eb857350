#include "varnock/pass_summary.h"

#include <array>
#include <cstdio>

namespace kestrova::varnock {
namespace {

constexpr std::array<const char*, 3> kContainers{"raw HRPT", "NOAA Level 1b (KLM)",
                                                 "NOAA Level 1b (POD)"};
constexpr std::array<const char*, 4> kDataTypes{"HRPT", "LAC", "GAC", "FRAC"};
constexpr std::array<const char*, 3> kStorages{"16-bit words, little-endian",
                                               "16-bit words, big-endian", "packed 10-bit words"};
constexpr std::array<const char*, 4> kYearSources{
    "the file", "the file name", "the orbital elements' epoch", "the file's modification time"};
constexpr std::array<const char*, 4> kCoefficientSources{"none", "the file's coefficients",
                                                         "the satellite's published constants",
                                                         "the on-board calibration views"};

template <class Table, class Enum>
const char* in(const Table& table, Enum value) {
  return table[static_cast<std::size_t>(value)];
}

std::string formText(const avhrr::SourceFormat& format) {
  std::string text = in(kContainers, format.container);
  if (format.container != avhrr::Container::RawHrpt)
    text += std::string(", ") + in(kDataTypes, format.dataType);
  if (format.hrptStorage) text += std::string(", ") + in(kStorages, *format.hrptStorage);
  if (format.archiveHeader) text += ", with archive header";
  return text;
}

}  // namespace

std::string utcText(avhrr::UtcMs t) {
  const avhrr::YearDay day = avhrr::yearDayFromUtc(t);
  static constexpr std::array<int, 12> kMonthDays{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  int month = 0, dayOfMonth = day.dayOfYear;
  while (month < 11) {
    const int length = kMonthDays[static_cast<std::size_t>(month)] +
                       (month == 1 && avhrr::isLeapYear(day.year) ? 1 : 0);
    if (dayOfMonth <= length) break;
    dayOfMonth -= length;
    ++month;
  }
  const auto seconds = day.msOfDay / 1000;
  char text[48];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d UTC", day.year, month + 1,
                dayOfMonth, static_cast<int>(seconds / 3600), static_cast<int>(seconds / 60 % 60),
                static_cast<int>(seconds % 60));
  return text;
}

std::string sizeText(std::uintmax_t bytes) {
  char text[32];
  if (bytes >= 1'000'000)
    std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(bytes) / 1e6);
  else
    std::snprintf(text, sizeof text, "%.0f kB", static_cast<double>(bytes) / 1e3);
  return text;
}

std::vector<std::string> describePass(const avhrr::Pass& pass) {
  const std::string satellite =
      pass.satellite ? std::string(pass.satellite->name)
                     : "unknown satellite (code " + std::to_string(pass.spacecraftCode) + ")";
  const auto& counts = pass.readCounts;
  std::vector<std::string> lines{
      "Satellite: " + satellite + "; " + formText(pass.format),
      "Start " + utcText(pass.lines.front().time) + ", end " + utcText(pass.lines.back().time),
      "Lines: " + std::to_string(pass.lineCount()) + " (" + std::to_string(counts.keptLines) +
          " kept, " + std::to_string(counts.repairedLines) + " repaired, " +
          std::to_string(counts.damagedLines) + " damaged, " + std::to_string(counts.filledLines) +
          " missing and filled; " + std::to_string(counts.droppedFrames) +
          " frames failing the checks dropped)"};
  if (pass.format.container == avhrr::Container::RawHrpt)
    lines.push_back("Year " + std::to_string(avhrr::yearDayFromUtc(pass.lines.front().time).year) +
                    ", from " + in(kYearSources, pass.yearSource));
  return lines;
}

std::vector<std::string> describeCalibration(const avhrr::Pass& pass,
                                             const avhrr::PassCalibration& calibration) {
  std::string sources;
  for (int slot = 0; slot < avhrr::kChannelCount; ++slot) {
    for (int line = 0; line < pass.lineCount(); ++line) {
      const avhrr::LineTransfer& transfer = calibration.transfer(slot, line);
      if (transfer.status != avhrr::LineStatus::Calibrated) continue;
      sources += std::string(sources.empty() ? "" : "; ") + "channel " +
                 avhrr::bandName(transfer.band) + " from " +
                 in(kCoefficientSources, transfer.source);
      break;
    }
  }
  std::vector<std::string> lines{"Calibration: " + (sources.empty() ? "none" : sources)};
  for (const auto& note : calibration.notes()) lines.push_back("Calibration: " + note);
  return lines;
}

}  // namespace kestrova::varnock
