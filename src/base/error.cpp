#include "base/error.h"

namespace kestrova {

Error invalidIntegerError(const std::string& text) {
  return Error("'" + text + "' is not a valid integer value");
}

}  // namespace kestrova
