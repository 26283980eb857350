// The files Ostrelle.exe writes: the map picture and, for GIS users, its world file (.jgw for
// JPEG, .bpw for BMP), its coordinate system as ESRI well-known text (.prj) and the same for GDAL
// (<map>.aux.xml, which gdalinfo and QGIS read where they ignore a .prj beside a picture). Each
// goes to a temporary name in the same folder and is renamed when complete.
#pragma once

#include <memory>
#include <string>

#include "geo/map_view.h"
#include "imaging/image.h"

namespace kestrova {
class AtomicFile;
}

namespace kestrova::ostrelle {

class MapFiles {
 public:
  // Opens the map's temporary file at once, so an unwritable folder is found before the work.
  // Raises Error naming the file and the cause.
  explicit MapFiles(std::string mapPath);
  ~MapFiles();

  // JPEG quality 90, or BMP when the name ends in .bmp (any letter case).
  void writeMap(const Image& map);
  void writeGeoreference(const MapView& view);

  const std::string& mapPath() const { return mapPath_; }
  std::string worldFilePath() const;
  std::string prjPath() const;
  std::string auxPath() const { return mapPath_ + ".aux.xml"; }

 private:
  bool bmp() const;
  std::string mapPath_;
  std::unique_ptr<AtomicFile> map_;
};

}  // namespace kestrova::ostrelle
