// A picture's tie points, handed from the geolocation code to the location file writer. The two
// sides each have a type named LocationGrid and never meet in one source file; this plain table
// carries the numbers across.
#pragma once

#include <string>
#include <vector>

#include "avhrr/utc_time.h"

namespace kestrova::varnock {

struct TieTable {
  std::string satellite;
  int norad = 0;
  avhrr::UtcMs start = 0, end = 0;
  int width = 0, height = 0;     // the picture, samples and lines as received
  std::vector<int> columns;      // samples
  std::vector<int> rows;         // lines
  std::vector<double> latitude;  // degrees, row by row
  std::vector<double> longitude;
};

}  // namespace kestrova::varnock
