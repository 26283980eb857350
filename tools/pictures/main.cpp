// make_pictures FOLDER: draws the region maps and the program icon into FOLDER (normally
// src/ui/resources). Look at every picture before committing it.
#include <QGuiApplication>
#include <cstdio>
#include <exception>

#include "program_icon.h"
#include "region_maps.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);  // fonts for the lettering
  try {
    std::filesystem::path folder(argv[1]);
    kestrova::pictures::writeRegionMaps(folder);
    const std::pair<const char*, QImage> icons[] = {
        {"kestrova.png", kestrova::pictures::programIcon()},
        {"kestrova-256.png", kestrova::pictures::largeProgramIcon()}};
    for (const auto& [name, picture] : icons) {
      QString icon = QString::fromStdString((folder / name).string());
      if (!picture.save(icon, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(icon));
        return 1;
      }
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
