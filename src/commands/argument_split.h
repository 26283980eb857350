#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace kestrova {

// Splits a stored option text into arguments: runs of spaces or tabs separate them, and double
// quotes group (the quotes themselves are dropped; "" is an empty argument).
std::vector<std::string> splitArguments(std::string_view text);

}  // namespace kestrova
