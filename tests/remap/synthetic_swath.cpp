#include "remap/synthetic_swath.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <tuple>

#include "imaging/jpeg_writer.h"
#include "remap/synthetic_tie_points.h"

namespace kestrova::testing {
namespace {

using namespace kestrova::avhrr;

SyntheticSwath make(const SwathRequest& request) {
  SyntheticTiePoints made = syntheticTiePoints(request);
  SyntheticSwath swath;
  LocationFileGrid& g = swath.grid;
  g.satellite = "NOAA-19";
  g.norad = 33591;
  g.start = made.start;
  g.end = made.end;
  g.width = made.picture.width;
  g.height = made.picture.height;
  g.columns = std::move(made.columns);
  g.rows = std::move(made.rows);
  g.latitude = std::move(made.latitude);
  g.longitude = std::move(made.longitude);
  swath.picture = std::move(made.picture);
  if (request.kind == SwathKind::DayTurned) {
    g.orientation = Orientation::Rotated180;
    swath.picture = turned(swath.picture);
  }
  return swath;
}

}  // namespace

const SyntheticSwath& syntheticSwath(const SwathRequest& request) {
  static std::mutex guard;
  static std::map<std::tuple<int, double, double>, SyntheticSwath> made;
  const std::lock_guard lock(guard);
  const auto key = std::make_tuple(static_cast<int>(request.kind), request.durationSeconds,
                                   request.minutesAfterStart);
  auto found = made.find(key);
  if (found == made.end()) found = made.emplace(key, make(request)).first;
  return found->second;
}

void writeSwathFiles(const SyntheticSwath& swath, const std::string& folder,
                     const std::string& stem) {
  writeJpegFile(folder + "/" + stem + ".jpg", swath.picture, {.quality = 95});
  writeLocationFile(folder + "/" + stem + ".lcn", swath.grid);
}

Image turned(const Image& picture) {
  Image out = Image::blank(picture.width, picture.height, picture.format);
  const int c = picture.channels();
  for (int y = 0; y < picture.height; ++y) {
    const std::uint8_t* in = picture.row(picture.height - 1 - y);
    std::uint8_t* to = out.row(y);
    for (int x = 0; x < picture.width; ++x)
      std::copy_n(in + (picture.width - 1 - x) * c, c, to + x * c);
  }
  return out;
}

}  // namespace kestrova::testing
