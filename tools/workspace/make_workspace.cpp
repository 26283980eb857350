// make_workspace: the first-run workspace of `make run`, so a newcomer can decode and remap a
// pass without setting anything up.
//
//   make_workspace FOLDER DECODER_FOLDER REMAPPER_FOLDER ELEMENTS
//
// Creates FOLDER/passes, with the demo pass as raw HRPT and its element set (from ELEMENTS) when
// they are not there, and FOLDER/images; writes FOLDER/kestrova.cfg when there is none (a user's
// own settings are never overwritten): the data folder is passes/, the image folder images/, the
// two program folders as given; the remap source, its preview and a Europe map are asked for, and
// the decoder closes itself when done so its preview shows at once.
#include <cstdio>
#include <filesystem>
#include <string>

#include "demo_pass.h"
#include "first_settings.h"
#include "settings/atomic_file.h"
#include "settings/config_writer.h"

namespace {

using namespace kestrova;
namespace fs = std::filesystem;

// A folder named with a trailing "/" keeps it as an empty last element: drop it, so that one
// "/" ends the stored text.
fs::path plain(const char* text) {
  fs::path folder = fs::path(text).lexically_normal();
  return folder.has_filename() ? folder : folder.parent_path();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: make_workspace FOLDER DECODER_FOLDER REMAPPER_FOLDER ELEMENTS\n");
    return 2;
  }
  try {
    const fs::path workspace = plain(argv[1]);
    const fs::path passes = workspace / "passes";
    const avhrr::SyntheticFile demo[] = {avhrr::SyntheticFile::HrptBigEndian};
    if (!fs::exists(passes / (std::string(tools::kDemoPassStem) + "_hrpt-be.hpt")))
      std::printf("make_workspace: wrote %s\n",
                  (passes / tools::writeDemoPass(passes, argv[4], demo).front()).c_str());
    fs::create_directories(workspace / "images");
    const fs::path config = workspace / "kestrova.cfg";
    if (fs::exists(config)) return 0;
    const StoredSettings settings = tools::firstSettings(workspace, plain(argv[2]), plain(argv[3]));
    AtomicFile(config.string()).commit(formatConfig(settings));
    std::printf("make_workspace: wrote %s\n", config.c_str());
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "make_workspace: %s\n", e.what());
    return 1;
  }
}
