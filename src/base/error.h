#pragma once
// The one error hierarchy of Kestrova. The message is what the user reads.
#include <stdexcept>
#include <string>

namespace kestrova {

class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message) : std::runtime_error(message) {}
};

// Text of a failed text-to-integer conversion, as the window reports it.
Error invalidIntegerError(const std::string& text);

}  // namespace kestrova
