#pragma once
// The picture loader of the window and the programs: the file name's extension picks the reader.
#include <string>

#include "imaging/image.h"

namespace kestrova {

// ".jpg" and ".jpeg" are read as JPEG, ".bmp" as BMP, in any letter case. Any other extension,
// or none, raises Error naming the file and the extension; so does any failure of the reader.
Image loadPicture(const std::string& path);

}  // namespace kestrova
