#pragma once
// Which help file Help > Contents opens: kestrova.chm in the program folder (the start-up folder)
// when there is one there, else the copy installed with the program, so an installed kestrova
// has help wherever it is started.
#include <filesystem>
#include <string>

namespace kestrova::ui {

inline constexpr const char* kHelpFileName = "kestrova.chm";
// Where the installed copy lies, from the folder of the running executable.
inline constexpr const char* kInstalledDataFromBin = "../share/kestrova";

// programFolder ends with "/". When neither file exists the program folder's name is returned,
// so the viewer's message names the place a user would put the file.
std::string helpFilePath(const std::string& programFolder,
                         const std::filesystem::path& executableFolder);

}  // namespace kestrova::ui
