// The one form of every raw HRPT reading error: the file, where in it, and why.
#pragma once

#include <cstddef>
#include <string>

#include "base/error.h"

namespace kestrova::avhrr::hrpt {

inline Error readError(const std::string& name, std::size_t byteOffset, const std::string& cause) {
  return Error("Cannot read HRPT file '" + name + "' at byte offset " + std::to_string(byteOffset) +
               ": " + cause);
}

}  // namespace kestrova::avhrr::hrpt
