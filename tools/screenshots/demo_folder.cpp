#include "demo_folder.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "avhrr/orbit/element_sets.h"
#include "avhrr/synthetic/synthetic_pass.h"
#include "settings/config_layout.h"
#include "settings/config_writer.h"
#include "workspace/first_settings.h"

namespace kestrova::tools {
namespace {

namespace fs = std::filesystem;
using namespace avhrr;

// The demo pass of `make run` (tools/synthetic's --help names the same start and length).
constexpr const char* kStem = "noaa19_20250621_120800";
constexpr int kDayOfYear = 172;
constexpr int kStartMs = (12 * 60 + 8) * 60'000;

std::string writeDemoPasses(const fs::path& folder, const std::string& elements) {
  SyntheticPassOptions options;
  options.satellite = satelliteByName("NOAA-19");
  options.start = utcFromYearDay(2025, kDayOfYear, kStartMs);
  options.elements = nearestElements(readElementSets(elements),
                                     SatelliteKey::of(*options.satellite), options.start, elements);
  options.durationSeconds = 720;
  const Pass pass = makeSyntheticPass(options);
  const fs::path hrpt = writeSyntheticFile(pass, options, SyntheticFile::HrptBigEndian, folder, kStem);
  writeSyntheticFile(pass, options, SyntheticFile::KlmLac, folder, kStem);
  writeSyntheticFile(pass, options, SyntheticFile::KlmGac, folder, kStem);
  fs::copy_file(elements, folder / "demo.tle");
  return hrpt.filename().string();
}

}  // namespace

DemoFolder makeDemoFolder(const std::string& programs, const std::string& elements) {
  std::string pattern = (fs::temp_directory_path() / "kestrova-station-XXXXXX").string();
  const fs::path root = ::mkdtemp(pattern.data());
  fs::create_directories(root / "passes");
  fs::create_directories(root / "images");
  DemoFolder demo{root.string() + "/", writeDemoPasses(root / "passes", elements)};
  const StoredSettings settings = firstSettings(root, programs, programs);
  std::ofstream(root / kConfigFileName, std::ios::binary) << formatConfig(settings);
  return demo;
}

void removeDemoFolder(const DemoFolder& demo) {
  std::error_code ec;
  fs::remove_all(demo.root, ec);
}

}  // namespace kestrova::tools
