#include "demo_folder.h"

#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "imaging/jpeg_writer.h"
#include "settings/config_layout.h"
#include "settings/config_writer.h"

namespace kestrova::tools {
namespace {

namespace fs = std::filesystem;

const char* const kPasses[] = {"n15_20071224_1930.hrp", "n17_20071225_0912.hrp",
                               "n18_20071225_1041.hrp", "n18_20071225_1221.l1b",
                               "n17_20071225_2003.gac"};

// A stand-in for a decoded false-colour pass: sea, two land masses, cloud bands.
Image passPicture(int width, int height) {
  Image image = Image::blank(width, height, PixelFormat::Rgb888);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = image.row(y);
    for (int x = 0; x < width; ++x) {
      double u = double(x) / width, v = double(y) / height;
      double land = std::sin(u * 7.0 + v * 3.0) + std::cos(v * 11.0 - u * 2.0) - 0.6;
      double cloud = std::sin(u * 23.0 + std::sin(v * 9.0) * 4.0) * std::cos(v * 17.0 + u * 5.0);
      double r = land > 0 ? 90 + 60 * land : 20, g = land > 0 ? 110 + 40 * land : 50 + 30 * v,
             b = land > 0 ? 50 : 120 + 40 * (1 - v);
      double white = cloud > 0.35 ? std::min(1.0, (cloud - 0.35) * 2.5) : 0.0;
      std::uint8_t* pixel = row + 3 * x;
      pixel[0] = static_cast<std::uint8_t>(r + (235 - r) * white);
      pixel[1] = static_cast<std::uint8_t>(g + (235 - g) * white);
      pixel[2] = static_cast<std::uint8_t>(b + (240 - b) * white);
    }
  }
  return image;
}

}  // namespace

DemoFolder makeDemoFolder() {
  std::string pattern = (fs::temp_directory_path() / "kestrova-station-XXXXXX").string();
  fs::path root = ::mkdtemp(pattern.data());
  fs::create_directories(root / "passes");
  fs::create_directories(root / "images");
  for (const char* pass : kPasses) std::ofstream(root / "passes" / pass) << "pass";

  DemoFolder demo{root.string() + "/", kPasses[2]};
  std::string base = std::string(demo.pickedEntry).substr(0, demo.pickedEntry.find('.'));
  writeJpegFile((root / "images" / (base + "-fc-apt.jpg")).string(), passPicture(512, 1350));

  StoredSettings settings;
  settings.dataFolder = (root / "passes").string();
  settings.imageFolder = (root / "images").string() + "/";
  settings.decoderFolder = "/usr/lib/kestrova/";
  settings.remapperFolder = "/usr/lib/kestrova/";
  settings.productEnabled[5] = settings.productBitmap[5] = 1;
  settings.productEnabled[3] = 1;
  settings.decoderOptions = "-fc:.jpg  -fc:apt.jpg  -ch4:.jpg  -fc:.bmp -close";
  std::ofstream(root / kConfigFileName, std::ios::binary) << formatConfig(settings);
  return demo;
}

void removeDemoFolder(const DemoFolder& demo) {
  std::error_code ec;
  fs::remove_all(demo.root, ec);
}

}  // namespace kestrova::tools
