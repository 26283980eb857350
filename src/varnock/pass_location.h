// Where a pass lies and which way it went: from the orbit for raw HRPT (with the element set
// nearest the pass, and warnings on its age), from the file's tie points for Level 1b.
#pragma once

#include <optional>

#include "avhrr/geolocation/location_grid.h"
#include "avhrr/orbit/direction_of_travel.h"
#include "avhrr/pass.h"
#include "progress/progress_reporter.h"
#include "varnock/element_search.h"
#include "varnock/tie_table.h"

namespace kestrova::varnock {

struct PassLocation {
  std::optional<avhrr::LocationGrid> grid;          // none: no location file
  std::optional<avhrr::TravelDirection> direction;  // none: unknown
};

// Tells the user what was used and why anything is missing.
PassLocation locateRawHrpt(const avhrr::Pass& pass, const FoundElements& elements,
                           progress::Reporter& report);
PassLocation locateLevel1b(const avhrr::Pass& pass, progress::Reporter& report);

// The grid's numbers with the pass's name and times, for the location file.
TieTable tieTableOf(const avhrr::Pass& pass, const avhrr::LocationGrid& grid);

}  // namespace kestrova::varnock
