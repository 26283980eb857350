#include "first_settings.h"

#include "commands/batch_strings.h"

namespace kestrova::tools {

namespace fs = std::filesystem;

namespace {

// Folders are stored with their trailing "/", as the panel's Set buttons leave them.
std::string folderText(const fs::path& folder) {
  return fs::absolute(folder).lexically_normal().string() + "/";
}

}  // namespace

StoredSettings firstSettings(const fs::path& workspace, const fs::path& decoder,
                             const fs::path& remapper) {
  StoredSettings s;
  s.dataFolder = folderText(workspace / "passes");
  s.imageFolder = folderText(workspace / "images");
  s.decoderFolder = folderText(decoder);
  s.remapperFolder = folderText(remapper);
  // The "Europe" region preset (region 0) and its bounds.
  s.latNorth = "80";
  s.latSouth = "35";
  s.lonWest = "-10";
  s.lonEast = "50";
  DecoderOptionsInput decoding;
  decoding.remapSource = s.remapSource;
  decoding.rgbRed = s.rgbRed;
  decoding.rgbGreen = s.rgbGreen;
  decoding.rgbBlue = s.rgbBlue;
  decoding.closeBox = true;
  const DecoderOptions options = buildDecoderOptions(decoding);
  s.decoderOptions = options.text;
  s.closeDecoder = options.closeDecoder;
  s.runMinimised = options.runMinimised;
  s.remapOptions = buildRemapOptions({s.latNorth, s.latSouth, s.lonWest, s.lonEast, s.canvasWidth,
                                      s.canvasHeight, ProjectionNames[s.projection]});
  return s;
}

}  // namespace kestrova::tools
