#include "varnock/location_output.h"

#include "avhrr/location/location_file.h"

namespace kestrova::varnock {

std::vector<std::uint8_t> locationFileBytes(const avhrr::Pass& pass,
                                            const avhrr::LocationGrid& grid, bool turned) {
  avhrr::LocationFileGrid file;
  if (pass.satellite) {
    file.satellite = std::string(pass.satellite->name);
    file.norad = pass.satellite->norad;
  }
  file.start = pass.lines.front().time;
  file.end = pass.lines.back().time;
  file.width = pass.width;
  file.height = pass.lineCount();
  file.orientation = turned ? avhrr::Orientation::Rotated180 : avhrr::Orientation::AsReceived;
  file.columns = grid.samples;
  file.rows = grid.lines;
  for (const auto& point : grid.points) {
    file.latitude.push_back(point.latitude);
    file.longitude.push_back(point.longitude);
  }
  return avhrr::encodeLocationFile(file);
}

}  // namespace kestrova::varnock
