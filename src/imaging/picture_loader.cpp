#include "imaging/picture_loader.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <string_view>

#include "imaging/bmp_reader.h"
#include "imaging/jpeg_reader.h"
#include "imaging/picture_file.h"

namespace kestrova {
namespace {

struct Reader {
  std::string_view extension;  // lower case
  Image (*read)(const std::string& path);
};
constexpr std::array kReaders{
    Reader{".jpg", readJpegFile},
    Reader{".jpeg", readJpegFile},
    Reader{".bmp", readBmpFile},
};

std::string lowerCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

}  // namespace

Image loadPicture(const std::string& path) {
  const std::string extension = std::filesystem::path(path).extension().string();
  const std::string key = lowerCase(extension);
  for (const Reader& reader : kReaders)
    if (reader.extension == key) return reader.read(path);
  throw pictureReadError(path, extension.empty()
                                   ? "the name has no extension (.jpg, .jpeg or .bmp)"
                                   : "the extension \"" + extension +
                                         "\" is not a picture type (.jpg, .jpeg or .bmp)");
}

}  // namespace kestrova
