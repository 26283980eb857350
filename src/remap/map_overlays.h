// What the remapper draws over a map: coastlines, lakes, national borders and a graticule.
//
// Colours chosen to read on grey pictures and on the colour composites alike (green and brown
// land, dark blue sea, white cloud): coastlines yellow (255, 220, 0), lakes the same yellow but
// thinner and only where a lake spans 12 pixels or more (smaller pieces are mostly the river
// fragments of the shoreline data, which read as noise), borders orange-red (255, 96, 64), the
// graticule cyan (0, 200, 255) at two-thirds opacity, every 10 degrees, or 5 on a box under 20
// degrees high.
#pragma once

#include "geo/map_drawing.h"
#include "imaging/image.h"

namespace kestrova::remap {

MapStyle overlayStyle(const GeoBox& box);

// Draws over an Rgb888 map of the view's canvas size.
void drawOverlays(Image& map, const MapView& view,
                  const CoastlineSet& coastlines = CoastlineSet::builtin());

}  // namespace kestrova::remap
