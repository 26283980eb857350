// Ostrelle.exe on synthetic passes, each projection: the map shows the scene's land and sea where
// the coastline set has them, a landmark lands where the projection puts it, and GDAL reads the
// map back georeferenced.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>

#include "avhrr/location/location_interpolator.h"
#include "geo/coastline_set.h"
#include "geo/map_view.h"
#include "imaging/jpeg_writer.h"
#include "imaging/picture_loader.h"
#include "ostrelle/run_ostrelle.h"
#include "remap/synthetic_swath.h"
#include "remap/triangle_raster.h"
#include "support/temp_folder.h"

namespace kestrova::ostrelle {
namespace {

using testing::SwathKind;

struct MapCase {
  const char* name;
  testing::SwathRequest swath;
  const char* projection;
  const char *north, *south, *west, *east;
  const char* crsWord;   // in the WKT GDAL reads back
  bool daylight = true;  // else the land is as dark as the sea
};

constexpr testing::SwathRequest kBering{SwathKind::SouthboundArctic, 360, 2 * 101.94};

const MapCase kMaps[] = {
    {"DayPolar", {SwathKind::Day}, "Polar", "80", "35", "-10", "50", "Polar Stereographic"},
    {"DayTurnedLinear", {SwathKind::DayTurned}, "linear", "72", "40", "-10", "40", "WGS 84"},
    {"GacMercator", {SwathKind::Gac}, "MERCATOR", "75", "35", "-10", "50", "Mercator"},
    {"SouthboundPolar",
     {SwathKind::SouthboundArctic},
     "Polar",
     "90",
     "60",
     "-180",
     "180",
     "Polar Stereographic"},
    {"BeringLinearAcross180", kBering, "Linear", "65", "47", "153", "185", "WGS 84", false},
};

constexpr int kWidth = 800, kHeight = 600;

struct Rgb {
  int r, g, b;
};

Rgb pixel(const Image& map, int x, int y) {
  const std::uint8_t* p = map.row(y) + x * 3;
  return {p[0], p[1], p[2]};
}

bool grey(Rgb p) {
  return std::max({p.r, p.g, p.b}) - std::min({p.r, p.g, p.b}) < 24;
}

// The picture in colour with a red square of 21 x 21 pixels centred on (sample, line): a few
// output pixels across, so the JPEG's halved colour resolution keeps it red.
Image withLandmark(const Image& picture, int sample, int line) {
  Image out = Image::blank(picture.width, picture.height, PixelFormat::Rgb888);
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      const bool mark = std::abs(x - sample) <= 10 && std::abs(y - line) <= 10;
      const std::uint8_t v = picture.row(y)[x];
      std::uint8_t* p = out.row(y) + x * 3;
      p[0] = mark ? 255 : v;
      p[1] = p[2] = mark ? 0 : v;
    }
  }
  return out;
}

QJsonObject gdalInfo(const std::string& path) {
  std::string text;
  FILE* pipe =
      ::popen(("gdalinfo -json " + testing::shellQuoted(path) + " 2>/dev/null").c_str(), "r");
  if (pipe == nullptr) return {};
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, n);
  ::pclose(pipe);
  return QJsonDocument::fromJson(QByteArray::fromStdString(text)).object();
}

class OstrelleMaps : public ::testing::TestWithParam<MapCase> {
 protected:
  kestrova::testing::TempFolder folder;
};

TEST_P(OstrelleMaps, ShowTheSceneWhereTheCoastlinesAreAndReadBackGeoreferenced) {
  const MapCase& c = GetParam();
  const auto& swath = testing::syntheticSwath(c.swath);
  const MapView view(c.projection,
                     {std::stod(c.north), std::stod(c.south), std::stod(c.west), std::stod(c.east)},
                     kWidth, kHeight);
  const avhrr::LocationInterpolator where(swath.grid);

  // Land or sea (-1 where nothing projects) at each output pixel, and whether the swath covers it.
  const CoastlineSet& land = CoastlineSet::builtin();
  std::vector<std::int8_t> isLand(kWidth * kHeight, -1);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      if (const auto p = view.toLatLon({x + 0.5, y + 0.5}))
        isLand[y * kWidth + x] = land.isLand(p->lat, p->lon);
    }
  }
  std::vector<std::int8_t> covered(kWidth * kHeight, 0);
  for (const remap::MeshTriangle& t : remap::buildSwathMesh(swath.grid, view)) {
    remap::rasterise(t, kWidth, 0, kHeight, [&](const remap::PixelSpan& span) {
      std::fill_n(covered.begin() + span.y * kWidth + span.x0, span.x1 - span.x0, 1);
    });
  }
  // Pixels whose 7 x 7 neighbourhood is all covered and all land or all sea.
  auto clear = [&](int x, int y, int radius) {
    if (x < radius || y < radius || x >= kWidth - radius || y >= kHeight - radius) return false;
    for (int dy = -radius; dy <= radius; ++dy) {
      for (int dx = -radius; dx <= radius; ++dx) {
        const int i = (y + dy) * kWidth + x + dx;
        if (!covered[i] || isLand[i] != isLand[y * kWidth + x]) return false;
      }
    }
    return isLand[y * kWidth + x] >= 0;
  };

  // The landmark: the picture pixel nearest the canvas centre that lies at sea, well away from
  // any coast, so no overlay hides it.
  int markSample = -1, markLine = -1;
  double nearest = 1e9;
  for (int l = 16; l < swath.grid.height - 16; l += 4) {
    for (int s = 16; s < swath.grid.width - 16; s += 4) {
      const avhrr::GeoPoint p = where.at(s, l);
      const auto q = view.toPixel({p.latitude, p.longitude});
      if (!q || !clear(int(q->x), int(q->y), 8) || isLand[int(q->y) * kWidth + int(q->x)]) continue;
      const double d = std::hypot(q->x - kWidth / 2.0, q->y - kHeight / 2.0);
      if (d < nearest) nearest = d, markSample = s, markLine = l;
    }
  }
  ASSERT_GE(markSample, 0) << "the pass shows no open sea on this map";
  writeJpegFile(folder.file("pass-fc.jpg"), withLandmark(swath.picture, markSample, markLine),
                {.quality = 95});
  avhrr::writeLocationFile(folder.file("pass.lcn"), swath.grid);

  const std::string out = folder.file(std::string("pass-fc-") + c.projection + ".jpg");
  const auto run = testing::runOstrelle(testing::mapArguments(
      folder.file("pass.lcn"), folder.file("pass-fc.jpg"), out, c.north, c.south, c.west, c.east,
      std::to_string(kWidth), std::to_string(kHeight), c.projection));
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_NE(run.output.find("of the map"), std::string::npos) << run.output;
  const Image map = loadPicture(out);
  ASSERT_EQ(map.width, kWidth);
  ASSERT_EQ(map.height, kHeight);

  // Land and sea, away from the coasts and off the overlays.
  int agree = 0, checked = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const Rgb p = pixel(map, x, y);
      if (!grey(p) || !clear(x, y, 3)) continue;  // an overlay or the landmark
      ++checked;
      agree += (p.r > 60) == (isLand[y * kWidth + x] == 1);
    }
  }
  EXPECT_GT(checked, 10000);
  if (c.daylight) {
    EXPECT_GE(agree, 0.97 * checked) << agree << " of " << checked;
  }

  // The landmark's red pixels centre where the projection puts its location.
  const avhrr::GeoPoint mark = where.at(markSample, markLine);
  const auto expected = view.toPixel({mark.latitude, mark.longitude});
  double sx = 0, sy = 0;
  int red = 0;
  for (int y = int(expected->y) - 8; y <= int(expected->y) + 8; ++y) {
    for (int x = int(expected->x) - 8; x <= int(expected->x) + 8; ++x) {
      const Rgb p = pixel(map, x, y);
      if (p.r - std::max(p.g, p.b) > 60) sx += x + 0.5, sy += y + 0.5, ++red;
    }
  }
  ASSERT_GT(red, 0);
  EXPECT_LE(std::hypot(sx / red - expected->x, sy / red - expected->y), 1.0)
      << sx / red << " " << sy / red << " against " << expected->x << " " << expected->y;

  // GDAL's own reprojection of the canvas corners lands on them.
  const QJsonObject info = gdalInfo(out);
  ASSERT_FALSE(info.isEmpty()) << "gdalinfo (gdal-bin) read nothing";
  EXPECT_TRUE(info["coordinateSystem"]["wkt"].toString().contains(c.crsWord))
      << info["coordinateSystem"]["wkt"].toString().toStdString();
  const QJsonArray ring = info["wgs84Extent"]["coordinates"][0].toArray();
  ASSERT_EQ(ring.size(), 5);
  const PixelPoint corners[] = {{0, 0}, {0, kHeight}, {kWidth, kHeight}, {kWidth, 0}};
  for (int i = 0; i < 4; ++i) {
    const QJsonArray lonLat = ring[i].toArray();
    const auto at = view.toPixel({lonLat[1].toDouble(), lonLat[0].toDouble()});
    ASSERT_TRUE(at);
    EXPECT_LE(std::hypot(at->x - corners[i].x, at->y - corners[i].y), 0.5) << "corner " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(Ostrelle, OstrelleMaps, ::testing::ValuesIn(kMaps),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kestrova::ostrelle
