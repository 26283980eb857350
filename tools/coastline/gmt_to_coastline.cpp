// Converts GMT's text dumps of shorelines and borders and its byte land mask into the
// coastline blob (see src/geo/coastline_format.h). Run by the generate script.
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "base/error.h"
#include "geo/coastline_data.h"

namespace {

using kestrova::CoastlineData;
using kestrova::GeoPoint;
using kestrova::SegmentKind;

// GSHHG levels: 1 sea shore, 2 lake shore, 3 shore of an island in a lake, 4 of a pond on it.
SegmentKind shoreKind(const std::string& header) {
  const auto at = header.find("Level ");
  const int level = at == std::string::npos ? 1 : std::stoi(header.substr(at + 6));
  return level == 1 ? SegmentKind::Coast : SegmentKind::Lake;
}

void readPolylines(const std::string& path, bool borders, CoastlineData& out) {
  std::ifstream in(path);
  if (!in) throw kestrova::Error("cannot read " + path);
  std::vector<GeoPoint> points;
  SegmentKind kind = SegmentKind::Coast;
  auto finish = [&] {
    if (points.size() >= 2) {
      out.segments.push_back({kind, static_cast<std::uint32_t>(points.size())});
      out.points.insert(out.points.end(), points.begin(), points.end());
    }
    points.clear();
  };
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    if (line[0] == '>') {
      finish();
      kind = borders ? SegmentKind::Border : shoreKind(line);
      continue;
    }
    double lon = 0, lat = 0;
    std::istringstream(line) >> lon >> lat;
    const GeoPoint p{static_cast<std::int32_t>(std::lround(lat * 1e6)),
                     static_cast<std::int32_t>(std::lround(lon * 1e6))};
    if (points.empty() || !(points.back() == p)) points.push_back(p);
  }
  finish();
}

void readMask(const std::string& path, std::uint32_t columns, std::uint32_t rows,
              CoastlineData& out) {
  std::ifstream in(path, std::ios::binary);
  std::vector<char> row(columns);
  out.mask.columns = columns;
  out.mask.rows = rows;
  for (std::uint32_t r = 0; r < rows; ++r) {
    if (!in.read(row.data(), columns)) throw kestrova::Error("the mask " + path + " is too short");
    std::vector<bool> land(columns);
    for (std::uint32_t c = 0; c < columns; ++c) land[c] = row[c] != 0;
    const auto transitions = kestrova::maskRowTransitions(land);
    out.mask.rowCounts.push_back(static_cast<std::uint32_t>(transitions.size()));
    out.mask.transitions.insert(out.mask.transitions.end(), transitions.begin(), transitions.end());
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 7) {
    std::cerr << "usage: " << argv[0] << " SHORES.txt BORDERS.txt MASK.u8 COLUMNS ROWS OUT.bin\n";
    return 2;
  }
  try {
    CoastlineData data;
    readPolylines(argv[1], false, data);
    readPolylines(argv[2], true, data);
    readMask(argv[3], std::stoul(argv[4]), std::stoul(argv[5]), data);
    const std::string blob = kestrova::encodeCoastline(data);
    // Decoding it again proves the blob is one the library accepts.
    kestrova::decodeCoastline({reinterpret_cast<const std::uint8_t*>(blob.data()), blob.size()});
    std::ofstream(argv[6], std::ios::binary).write(blob.data(), std::streamsize(blob.size()));
    std::cout << data.segments.size() << " polylines, " << data.points.size() << " points, "
              << data.mask.transitions.size() << " mask transitions, " << blob.size() << " bytes\n";
  } catch (const std::exception& e) {
    std::cerr << argv[0] << ": " << e.what() << "\n";
    return 1;
  }
  return 0;
}
