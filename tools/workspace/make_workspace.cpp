// make_workspace: the first-run workspace of `make run`, so a newcomer can decode and remap a
// pass without setting anything up.
//
//   make_workspace FOLDER DECODER_FOLDER REMAPPER_FOLDER
//
// Creates FOLDER/passes and FOLDER/images, and writes FOLDER/kestrova.cfg when there is none
// (a user's own settings are never overwritten): the data folder is passes/, the image folder
// images/, the two program folders as given; the remap source, its preview and a Europe map are
// asked for, and the decoder closes itself when done so its preview shows at once.
#include <cstdio>
#include <filesystem>
#include <string>

#include "commands/batch_strings.h"
#include "settings/atomic_file.h"
#include "settings/config_writer.h"
#include "settings/stored_settings.h"

namespace {

using namespace kestrova;
namespace fs = std::filesystem;

// Folders are stored with their trailing "/", as the panel's Set buttons leave them.
std::string folderText(const fs::path& folder) {
  return fs::absolute(folder).lexically_normal().string() + "/";
}

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

// A folder named with a trailing "/" keeps it as an empty last element: drop it, so that one
// "/" ends the stored text.
fs::path plain(const char* text) {
  fs::path folder = fs::path(text).lexically_normal();
  return folder.has_filename() ? folder : folder.parent_path();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: make_workspace FOLDER DECODER_FOLDER REMAPPER_FOLDER\n");
    return 2;
  }
  try {
    const fs::path workspace = plain(argv[1]);
    fs::create_directories(workspace / "passes");
    fs::create_directories(workspace / "images");
    const fs::path config = workspace / "kestrova.cfg";
    if (fs::exists(config)) return 0;
    const StoredSettings settings = firstSettings(workspace, plain(argv[2]), plain(argv[3]));
    AtomicFile(config.string()).commit(formatConfig(settings));
    std::printf("make_workspace: wrote %s\n", config.c_str());
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "make_workspace: %s\n", e.what());
    return 1;
  }
}
