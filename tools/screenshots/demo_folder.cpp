#include "demo_folder.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "settings/config_layout.h"
#include "settings/config_writer.h"
#include "workspace/demo_pass.h"
#include "workspace/first_settings.h"

namespace kestrova::tools {
namespace fs = std::filesystem;

DemoFolder makeDemoFolder(const std::string& programs, const std::string& elements) {
  std::string pattern = (fs::temp_directory_path() / "kestrova-station-XXXXXX").string();
  const fs::path root = ::mkdtemp(pattern.data());
  fs::create_directories(root / "passes");
  fs::create_directories(root / "images");
  const avhrr::SyntheticFile kinds[] = {avhrr::SyntheticFile::HrptBigEndian,
                                        avhrr::SyntheticFile::KlmLac, avhrr::SyntheticFile::KlmGac};
  DemoFolder demo{root.string() + "/", writeDemoPass(root / "passes", elements, kinds).front()};
  const StoredSettings settings = firstSettings(root, programs, programs);
  std::ofstream(root / kConfigFileName, std::ios::binary) << formatConfig(settings);
  return demo;
}

void removeDemoFolder(const DemoFolder& demo) {
  std::error_code ec;
  fs::remove_all(demo.root, ec);
}

}  // namespace kestrova::tools
