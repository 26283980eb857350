#include "demo_pass.h"

#include "avhrr/orbit/element_sets.h"

namespace kestrova::tools {

std::vector<std::string> writeDemoPass(const std::filesystem::path& folder,
                                       const std::filesystem::path& elements,
                                       std::span<const avhrr::SyntheticFile> kinds) {
  using namespace avhrr;
  SyntheticPassOptions options;
  options.satellite = satelliteByName("NOAA-19");
  options.start = utcFromYearDay(2025, 172, (12 * 60 + 8) * 60'000);
  options.elements =
      nearestElements(readElementSets(elements.string()), SatelliteKey::of(*options.satellite),
                      options.start, elements.string());
  options.durationSeconds = 720;
  const Pass pass = makeSyntheticPass(options);
  std::filesystem::create_directories(folder);
  std::vector<std::string> names;
  for (SyntheticFile kind : kinds)
    names.push_back(
        writeSyntheticFile(pass, options, kind, folder, kDemoPassStem).filename().string());
  std::filesystem::copy_file(elements, folder / "demo.tle",
                             std::filesystem::copy_options::skip_existing);
  return names;
}

}  // namespace kestrova::tools
