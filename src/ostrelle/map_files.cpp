#include "ostrelle/map_files.h"

#include <cctype>
#include <cstdio>
#include <filesystem>

#include "base/error.h"
#include "geo/proj_handle.h"
#include "imaging/bmp_writer.h"
#include "imaging/jpeg_writer.h"
#include "settings/atomic_file.h"

namespace kestrova::ostrelle {
namespace {

Error writeError(const std::string& path, const std::exception& cause) {
  return Error("Cannot write '" + path + "': " + cause.what());
}

std::unique_ptr<AtomicFile> openFile(const std::string& path) {
  try {
    return std::make_unique<AtomicFile>(path);
  } catch (const std::exception& e) {
    throw writeError(path, e);
  }
}

void commit(AtomicFile& file, const std::string& path, std::string_view bytes) {
  try {
    file.commit(bytes);
  } catch (const std::exception& e) {
    throw writeError(path, e);
  }
}

void writeText(const std::string& path, const std::string& text) {
  commit(*openFile(path), path, text);
}

std::string withExtension(const std::string& path, const std::string& extension) {
  return std::filesystem::path(path).replace_extension(extension).string();
}

// Full precision, so the pixel size of a large canvas in metres keeps its last digits.
std::string number(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%.17g", value);
  return text;
}

std::string escapedXml(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

}  // namespace

MapFiles::MapFiles(std::string mapPath) : mapPath_(std::move(mapPath)), map_(openFile(mapPath_)) {}

MapFiles::~MapFiles() = default;

bool MapFiles::bmp() const {
  std::string extension = std::filesystem::path(mapPath_).extension().string();
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension == ".bmp";
}

std::string MapFiles::worldFilePath() const {
  return withExtension(mapPath_, bmp() ? ".bpw" : ".jgw");
}

std::string MapFiles::prjPath() const {
  return withExtension(mapPath_, ".prj");
}

void MapFiles::writeMap(const Image& map) {
  const std::vector<std::uint8_t> bytes = bmp() ? encodeBmp(map) : encodeJpeg(map, {.quality = 90});
  commit(*map_, mapPath_,
         std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

void MapFiles::writeGeoreference(const MapView& view) {
  // A world file gives the centre of the top-left pixel.
  const GeoTransform t = view.geoTransform();
  writeText(worldFilePath(), number(t.pixelWidth) + "\n0\n0\n" + number(t.pixelHeight) + "\n" +
                                 number(t.left + t.pixelWidth / 2) + "\n" +
                                 number(t.top + t.pixelHeight / 2) + "\n");
  const std::string crs = view.crsDefinition();
  writeText(prjPath(), crsWkt(crs, WktFlavour::Esri) + "\n");
  writeText(auxPath(), "<PAMDataset>\n  <SRS>" + escapedXml(crsWkt(crs, WktFlavour::Gdal)) +
                           "</SRS>\n</PAMDataset>\n");
}

}  // namespace kestrova::ostrelle
