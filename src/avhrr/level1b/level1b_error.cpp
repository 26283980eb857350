#include "avhrr/level1b/level1b_error.h"

#include "base/error.h"

namespace kestrova::avhrr::level1b {

void failAt(const std::string& fileName, std::size_t offset, const std::string& cause) {
  throw Error(fileName + ": byte offset " + std::to_string(offset) + ": " + cause);
}

}  // namespace kestrova::avhrr::level1b
