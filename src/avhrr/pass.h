// One recorded pass, whatever file it came from: the model every reader fills and every later
// stage (calibration, geolocation, pictures, location file) works from.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "avhrr/satellites.h"
#include "avhrr/utc_time.h"

namespace kestrova::avhrr {

constexpr int kChannelCount = 5;  // 1, 2, 3 (3A or 3B by line), 4, 5
constexpr int kFullWidth = 2048;  // HRPT, LAC, FRAC
constexpr int kGacWidth = 409;
constexpr int kIctSamples = 10;
constexpr int kSpaceSamples = 10;

enum class Container { RawHrpt, KlmLevel1b, PodLevel1b };

// How the words of a raw HRPT file are stored.
enum class HrptStorage { Words16LittleEndian, Words16BigEndian, Packed10 };

enum class DataType { Hrpt, Lac, Gac, Frac };

struct SourceFormat {
  Container container = Container::RawHrpt;
  DataType dataType = DataType::Hrpt;
  std::optional<HrptStorage> hrptStorage;  // raw HRPT only
  bool archiveHeader = false;  // Level 1b with the 512-byte (KLM) or 122-byte (POD) header
  int level1bVersion = 0;      // Level 1b format version, 0 for raw HRPT
};

// Where the year of the line times came from (raw HRPT frames carry only the day of year).
enum class YearSource { InFile, FileName, OrbitalElements, FileModificationTime };

enum class LineQuality : std::uint8_t {
  SyncOk,    // frame found where expected, all checks passed
  Repaired,  // kept after repair: sync bit errors, a smoothed time code, a slip re-aligned
  Missing,   // a fill line standing for a frame that was lost; its counts are zero
  Damaged,   // its frame was cut short or broken by garbage: from ScanLine::damagedFrom on, the
             // earth samples carry no value (counts zero, NaN calibrated)
};

enum class Channel3 : std::uint8_t { B3, A3, Transition };

// The calibration views carried in the HRPT words 18-102 (raw HRPT, and copied in Level 1b).
struct CalibrationViews {
  std::array<std::uint16_t, 3> prt{};                           // three readings of one PRT
  std::array<std::array<std::uint16_t, 3>, kIctSamples> ict{};  // internal target, 3B/3, 4, 5
  std::array<std::array<std::uint16_t, kChannelCount>, kSpaceSamples>
      space{};  // space view, ch 1-5
  // Which PRT the three readings are of: 0 on the all-zero reference line, 1-4 for PRT 1-4,
  // -1 when unknown (no reference line seen).
  int prtPhase = -1;
};

// Reflective channels: percent albedo = slope1*C + intercept1 for C <= intersection, else
// slope2*C + intercept2. A single-gain channel has slope2 == slope1 and intercept2 == intercept1.
struct ReflectiveCoefficients {
  double slope1 = 0, intercept1 = 0, slope2 = 0, intercept2 = 0, intersection = 1023;
};

// Thermal channels: radiance (mW m-2 sr-1 cm) = c0 + c1*C + c2*C*C.
struct ThermalCoefficients {
  double c0 = 0, c1 = 0, c2 = 0;
};

// The operational calibration a Level 1b file carries for one line: channels 1, 2, 3A and 3B, 4, 5.
struct FileCoefficients {
  std::array<ReflectiveCoefficients, 3> reflective{};
  std::array<ThermalCoefficients, 3> thermal{};
};

// Radiance to temperature constants of a thermal channel: T* = a + b*T, central wave number nu.
struct ThermalConstants {
  double nu = 0, a = 0, b = 1;
};

struct ScanLine {
  UtcMs time = 0;
  LineQuality quality = LineQuality::SyncOk;
  Channel3 channel3 = Channel3::B3;
  int scanNumber = 0;  // Level 1b scan line number, or the line's index from the time code
  std::uint32_t fileQualityBits = 0;  // Level 1b quality word as stored, 0 for raw HRPT
  std::optional<bool> southbound;     // from the Level 1b flag when present
  int minorFrame = 0;                 // HRPT minor frame number 1..3, 0 when unknown
  // First earth sample without a value on a Damaged line (0: none has one); none on the others.
  std::optional<int> damagedFrom;
  bool tipParityOk = true;
  std::optional<CalibrationViews> views;
  std::optional<FileCoefficients> coefficients;
};

// Earth locations a Level 1b file carries: for each line, latitude and longitude (degrees) at
// the given sample columns (0-based), columns.size() values a line.
struct TiePoints {
  std::vector<int> columns;
  std::vector<double> latitude;  // [line * columns.size() + k]
  std::vector<double> longitude;
  std::vector<bool> lineValid;  // one per line
};

// Kept lines are all lines read from a frame; the repaired and damaged ones are among them.
struct ReadCounts {
  int keptLines = 0;
  int repairedLines = 0;
  int damagedLines = 0;    // kept, but their samples from a damage point on have no value
  int droppedFrames = 0;   // frames found but failing the checks, and garbage skipped between them
  int filledLines = 0;     // Missing lines inserted for gaps in the time codes
  int channel3Mended = 0;  // lines whose lone 3A/3B bit disagreed with both neighbours
};

struct Pass {
  const Satellite* satellite = nullptr;  // nullptr when the file names a satellite we do not know
  int spacecraftCode = -1;               // the raw code from the file, kept for messages
  SourceFormat format;
  std::string dataSetName;  // Level 1b data set name, or the file's name
  YearSource yearSource = YearSource::InFile;
  int width = kFullWidth;
  std::vector<ScanLine> lines;
  // Earth-view counts, channel-major: counts[(channel * lines + line) * width + sample], 10 bits.
  std::vector<std::uint16_t> counts;
  std::optional<TiePoints> tiePoints;
  std::optional<std::array<ThermalConstants, 3>> headerThermal;  // Level 1b header (3B, 4, 5)
  ReadCounts readCounts;
  // What a user should know about how the pass was read and dated, one sentence each.
  std::vector<std::string> notes;

  int lineCount() const { return static_cast<int>(lines.size()); }
  std::span<std::uint16_t> row(int channel, int line);
  std::span<const std::uint16_t> row(int channel, int line) const;
  // Sizes counts for the current lines and width, all zero.
  void allocateCounts();
};

}  // namespace kestrova::avhrr
