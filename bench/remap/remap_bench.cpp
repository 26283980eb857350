// The remapper against gdalwarp and pyresample: a full 12-minute synthetic pass onto
// 2400 x 1800 Europe maps in each projection.
//
//   remap_bench [FOLDER]     (default: a fresh folder under the system's temporary folder)
//
// For each projection it times Ostrelle.exe as the front end runs it (whole process: reading
// the .lcn and the JPEG, bilinear remapping, overlays, writing the map and its side files), and
// then nearest-neighbour resampling alone, ours in this process and the two peers' on the same
// swath, values and locations (every pixel located by the .lcn's interpolator):
//   gdalwarp -geoloc through a VRT holding the per-pixel latitude and longitude, and
//   pyresample's kd_tree.resample_nearest (python3-pyresample), both with two threads.
// Coverage is the count of map pixels each fills (swath values are 1..255, so 0 is empty).
// Wall-clock medians of five runs (three for the peers); the peers' times exclude their start-up
// and file reading where they report it (pyresample) and include it where they cannot (gdalwarp,
// one process).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "avhrr/location/location_interpolator.h"
#include "imaging/jpeg_writer.h"
#include "remap/swath_remap.h"
#include "remap/synthetic_swath.h"

namespace {

using namespace kestrova;
namespace fs = std::filesystem;

constexpr int kWidth = 2400, kHeight = 1800, kRounds = 5, kPeerRounds = 3;
constexpr GeoBox kEurope{80, 35, -10, 50};
constexpr double kRadiusMetres = 5000;  // pyresample's reach from a swath pixel
constexpr const char* kWgs84Wkt =
    "GEOGCS[&quot;WGS 84&quot;,DATUM[&quot;WGS_1984&quot;,SPHEROID[&quot;WGS 84&quot;,6378137,"
    "298.257223563]],PRIMEM[&quot;Greenwich&quot;,0],UNIT[&quot;degree&quot;,0.0174532925199433]]";

double seconds(const std::function<void()>& work, int rounds = kRounds) {
  std::vector<double> times;
  for (int i = 0; i < rounds; ++i) {
    const auto start = std::chrono::steady_clock::now();
    work();
    times.push_back(
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

void run(const std::string& command) {
  if (std::system(command.c_str()) != 0) {
    std::fprintf(stderr, "failed: %s\n", command.c_str());
    std::exit(1);
  }
}

std::string output(const std::string& command) {
  std::string text;
  FILE* pipe = ::popen(command.c_str(), "r");
  char buffer[256];
  for (std::size_t n; pipe && (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
    text.append(buffer, n);
  if (pipe == nullptr || ::pclose(pipe) != 0) {
    std::fprintf(stderr, "failed: %s\n", command.c_str());
    std::exit(1);
  }
  return text;
}

template <class T>
void writeRaw(const fs::path& path, const std::vector<T>& values) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(values.data()),
             static_cast<std::streamsize>(values.size() * sizeof(T)));
}

long long nonZero(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  long long count = 0;
  for (char c; in.get(c);) count += c != 0;
  return count;
}

std::string rawBand(const char* type, int bytes, int width, const char* file) {
  return "<VRTRasterBand dataType=\"" + std::string(type) +
         "\" band=\"1\" subClass=\"VRTRawRasterBand\"><SourceFilename relativeToVRT=\"1\">" + file +
         "</SourceFilename><ImageOffset>0</ImageOffset><PixelOffset>" + std::to_string(bytes) +
         "</PixelOffset><LineOffset>" + std::to_string(bytes * width) +
         "</LineOffset><ByteOrder>LSB</ByteOrder></VRTRasterBand>";
}

// The swath with values 1..255 and its per-pixel locations, as both peers read them.
avhrr::LocationFileGrid writeInputs(const fs::path& folder) {
  const auto& swath = testing::syntheticSwath({testing::SwathKind::Day, 720});
  const avhrr::LocationFileGrid& grid = swath.grid;
  const int w = grid.width, h = grid.height;
  Image picture = swath.picture;
  std::vector<std::uint8_t> data;
  std::vector<float> lat, lon;
  const avhrr::LocationInterpolator where(grid);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      std::uint8_t& v = picture.row(y)[x];
      v = std::max<std::uint8_t>(v, 1);
      data.push_back(v);
      const avhrr::GeoPoint p = where.at(x, y);
      lat.push_back(static_cast<float>(p.latitude));
      lon.push_back(static_cast<float>(p.longitude));
    }
  }
  writeRaw(folder / "data.u8", data);
  writeRaw(folder / "lat.f32", lat);
  writeRaw(folder / "lon.f32", lon);
  std::ofstream(folder / "shape.txt") << w << " " << h << "\n";
  for (const char* name : {"lat", "lon"}) {
    std::ofstream(folder / (std::string(name) + ".vrt"))
        << "<VRTDataset rasterXSize=\"" << w << "\" rasterYSize=\"" << h << "\">"
        << rawBand("Float32", 4, w, (std::string(name) + ".f32").c_str()) << "</VRTDataset>\n";
  }
  std::ofstream(folder / "data.vrt")
      << "<VRTDataset rasterXSize=\"" << w << "\" rasterYSize=\"" << h << "\">"
      << "<Metadata domain=\"GEOLOCATION\">"
      << "<MDI key=\"X_DATASET\">" << (folder / "lon.vrt").string() << "</MDI>"
      << "<MDI key=\"X_BAND\">1</MDI>"
      << "<MDI key=\"Y_DATASET\">" << (folder / "lat.vrt").string() << "</MDI>"
      << "<MDI key=\"Y_BAND\">1</MDI><MDI key=\"PIXEL_OFFSET\">0</MDI>"
      << "<MDI key=\"LINE_OFFSET\">0</MDI><MDI key=\"PIXEL_STEP\">1</MDI>"
      << "<MDI key=\"LINE_STEP\">1</MDI><MDI key=\"SRS\">" << kWgs84Wkt << "</MDI></Metadata>"
      << rawBand("Byte", 1, w, "data.u8") << "</VRTDataset>\n";
  writeJpegFile((folder / "pass.jpg").string(), picture, {.quality = 95});
  avhrr::writeLocationFile((folder / "pass.lcn").string(), grid);
  return grid;
}

struct Row {
  const char* projection;
  double ostrelle, ours, gdal, pyresample;
  long long oursCovered, gdalCovered, pyresampleCovered;
};

Row measure(const char* name, Projection projection, const fs::path& folder,
            const avhrr::LocationFileGrid& grid, const Image& picture) {
  Row row{name, 0, 0, 0, 0, 0, 0, 0};
  const MapView view(projection, kEurope, kWidth, kHeight);
  const std::string out = (folder / (std::string("map-") + name + ".jpg")).string();
  char bounds[160];
  std::snprintf(bounds, sizeof bounds, "-lat1:%g -lat2:%g -lon1:%g -lon2:%g", kEurope.north,
                kEurope.south, kEurope.west, kEurope.east);
  const std::string ostrelle =
      "QT_QPA_PLATFORM=offscreen '" + std::string(OSTRELLE_EXE) +
      "' '-LCN:" + (folder / "pass.lcn").string() + "' '-IN:" + (folder / "pass.jpg").string() +
      "' '-OUT:" + out + "' " + bounds + " -width:2400 -height:1800 -proj:" + name + " 2>/dev/null";
  row.ostrelle = seconds([&] { run(ostrelle); });

  remap::RemapOptions nearest;
  nearest.sampling = remap::Sampling::Nearest;
  row.ours =
      seconds([&] { row.oursCovered = remapPicture(picture, grid, view, nearest).coveredPixels; });

  const GeoTransform t = view.geoTransform();
  char extent[200];
  std::snprintf(extent, sizeof extent, "%.10g %.10g %.10g %.10g", t.left,
                t.top + kHeight * t.pixelHeight, t.left + kWidth * t.pixelWidth, t.top);
  const std::string crs = view.crsDefinition();
  const fs::path gdalOut = folder / (std::string("gdal-") + name + ".bin");
  const std::string gdalwarp = "gdalwarp -q -overwrite -geoloc -t_srs '" + crs + "' -te " + extent +
                               " -ts 2400 1800 -r near -dstnodata 0 -of ENVI -multi" +
                               " -wo NUM_THREADS=2 '" + (folder / "data.vrt").string() + "' '" +
                               gdalOut.string() + "'";
  row.gdal = seconds([&] { run(gdalwarp); }, kPeerRounds);
  row.gdalCovered = nonZero(gdalOut);

  const fs::path pyOut = folder / (std::string("pyresample-") + name + ".u8");
  // Debian's own interpreter, where python3-pyresample is installed.
  const std::string python = "/usr/bin/python3 '" + std::string(PYRESAMPLE_SCRIPT) + "' '" +
                             folder.string() + "' 2400 1800 '" + crs + "' " + extent + " " +
                             std::to_string(kRadiusMetres) + " '" + pyOut.string() + "'";
  std::vector<double> reported;  // by the script: the resampling alone
  for (int i = 0; i < kPeerRounds; ++i) {
    double time = 0;
    std::sscanf(output(python).c_str(), "%lf %lld", &time, &row.pyresampleCovered);
    reported.push_back(time);
  }
  std::sort(reported.begin(), reported.end());
  row.pyresample = reported[kPeerRounds / 2];
  return row;
}

}  // namespace

int main(int argc, char** argv) {
  const fs::path folder =
      argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path() / "kestrova-remap-bench";
  fs::create_directories(folder);
  std::fprintf(stderr, "making the pass and its locations in %s ...\n", folder.c_str());
  const avhrr::LocationFileGrid grid = writeInputs(folder);
  Image picture = testing::syntheticSwath({testing::SwathKind::Day, 720}).picture;
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x)
      picture.row(y)[x] = std::max<std::uint8_t>(picture.row(y)[x], 1);

  std::printf("%-9s %10s | %9s %9s %10s | %7s %7s | %10s %10s %10s\n", "map", "Ostrelle", "ours NN",
              "gdalwarp", "pyresample", "gdal/us", "pyr/us", "covered", "gdal", "pyresample");
  const std::pair<const char*, Projection> projections[] = {{"Polar", Projection::Polar},
                                                            {"Linear", Projection::Linear},
                                                            {"Mercator", Projection::Mercator}};
  for (const auto& [name, projection] : projections) {
    const Row r = measure(name, projection, folder, grid, picture);
    std::printf(
        "%-9s %8.0f ms | %6.0f ms %6.0f ms %7.0f ms | %6.1fx %6.1fx | %10lld %+9.2f%% %+9.2f%%\n",
        r.projection, r.ostrelle * 1e3, r.ours * 1e3, r.gdal * 1e3, r.pyresample * 1e3,
        r.gdal / r.ours, r.pyresample / r.ours, r.oursCovered,
        100.0 * (r.gdalCovered - r.oursCovered) / r.oursCovered,
        100.0 * (r.pyresampleCovered - r.oursCovered) / r.oursCovered);
    std::fflush(stdout);
  }
}
