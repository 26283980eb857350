#include "varnock/location_output.h"

#include "avhrr/location/location_file.h"

namespace kestrova::varnock {

std::vector<std::uint8_t> locationFileBytes(const TieTable& table, bool turned) {
  avhrr::LocationFileGrid grid;
  grid.satellite = table.satellite;
  grid.norad = table.norad;
  grid.start = table.start;
  grid.end = table.end;
  grid.width = table.width;
  grid.height = table.height;
  grid.orientation = turned ? avhrr::Orientation::Rotated180 : avhrr::Orientation::AsReceived;
  grid.columns = table.columns;
  grid.rows = table.rows;
  grid.latitude = table.latitude;
  grid.longitude = table.longitude;
  return avhrr::encodeLocationFile(grid);
}

}  // namespace kestrova::varnock
