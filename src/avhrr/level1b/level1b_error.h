// The one shape of every Level 1b reading error: the file, where in it, and what is wrong.
#pragma once

#include <cstddef>
#include <string>

namespace kestrova::avhrr::level1b {

[[noreturn]] void failAt(const std::string& fileName, std::size_t offset, const std::string& cause);

}  // namespace kestrova::avhrr::level1b
