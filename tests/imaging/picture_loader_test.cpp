// The loader picks the reader by extension, in any letter case, and names the file in errors.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "base/error.h"
#include "imaging/bmp_writer.h"
#include "imaging/jpeg_writer.h"
#include "imaging/picture_file.h"
#include "imaging/picture_loader.h"
#include "support/temp_folder.h"
#include "synthetic_pictures.h"

namespace kestrova {
namespace {

using ::testing::StrEq;
using ::testing::ThrowsMessage;

class PictureLoader : public testing::TemporaryFolder {};

TEST_F(PictureLoader, ChoosesTheReaderByExtensionIgnoringCase) {
  Image picture = testing::scenePicture(24, 16, PixelFormat::Rgb888);
  const std::vector<std::uint8_t> jpeg = encodeJpeg(picture, {95});
  const std::vector<std::uint8_t> bmp = encodeBmp(picture);
  for (const char* name : {"a.jpg", "b.JPG", "c.Jpeg", "d.jpeg"}) {
    writePictureFile(file(name), jpeg);
    Image loaded = loadPicture(file(name));
    EXPECT_EQ(loaded.width, 24) << name;
    EXPECT_LT(testing::pixelError(picture, loaded).mean, 3) << name;
  }
  for (const char* name : {"e.bmp", "f.BMP"}) {
    writePictureFile(file(name), bmp);
    EXPECT_TRUE(samePixels(loadPicture(file(name)), picture)) << name;
  }
}

TEST_F(PictureLoader, TheWrongReaderForTheContentsIsAnError) {
  writePictureFile(file("really-a-bmp.jpg"),
                   encodeBmp(testing::scenePicture(4, 4, PixelFormat::Grey8)));
  EXPECT_THAT([&] { loadPicture(file("really-a-bmp.jpg")); },
              ThrowsMessage<Error>(StrEq("Cannot read picture '" + file("really-a-bmp.jpg") +
                                         "': Not a JPEG file: starts with 0x42 0x4d")));
}

TEST_F(PictureLoader, OtherExtensionsAndNoneAreRefusedByName) {
  for (const char* name : {"picture.png", "picture.jpg.png", "archive.bmp.gz"})
    writePictureFile(file(name), encodeBmp(testing::scenePicture(4, 4, PixelFormat::Grey8)));
  const std::pair<std::string, std::string> cases[] = {
      {"picture.png", "the extension \".png\" is not a picture type (.jpg, .jpeg or .bmp)"},
      {"picture.jpg.png", "the extension \".png\" is not a picture type (.jpg, .jpeg or .bmp)"},
      {"archive.bmp.gz", "the extension \".gz\" is not a picture type (.jpg, .jpeg or .bmp)"},
      {"picture", "the name has no extension (.jpg, .jpeg or .bmp)"},
      {"jpg", "the name has no extension (.jpg, .jpeg or .bmp)"},
  };
  for (const auto& [name, cause] : cases) {
    const std::string path = file(name);
    EXPECT_THAT([&] { loadPicture(path); },
                ThrowsMessage<Error>(StrEq("Cannot read picture '" + path + "': " + cause)));
  }
}

}  // namespace
}  // namespace kestrova
