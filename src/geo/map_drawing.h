#pragma once
// Draws coastlines, lakes, national borders and a latitude/longitude graticule onto a picture
// through a MapView, anti-aliased, each in its own colour and line width.
#include <QColor>
#include <QImage>

#include "geo/coastline_set.h"
#include "geo/map_view.h"

namespace kestrova {

struct LineStyle {
  QColor colour = Qt::white;
  double width = 1;  // pixels; 0 leaves the layer out
  // Pieces spanning fewer pixels than this both across and down are left out: on a small map
  // the thousands of tiny islands and ponds would only be noise.
  double minExtent = 0;
};

struct MapStyle {
  QColor background = Qt::black;
  LineStyle coast, lake, border, graticule;
  double graticuleStep = 10;  // degrees between graticule lines

  // Thin white coastlines and borders on black, without lakes or graticule: the small region
  // pictures.
  static MapStyle thinWhite();
};

// Draws over what the image holds, whose size should be the view's canvas.
void drawMap(QImage& image, const MapView& view, const CoastlineSet& coastlines,
             const MapStyle& style);

// A new picture of the view's canvas size filled with the background, with the map drawn on it.
QImage renderMap(const MapView& view, const MapStyle& style,
                 const CoastlineSet& coastlines = CoastlineSet::builtin());

}  // namespace kestrova
