#pragma once
// Decimal whole numbers as the settings and the controls hold them.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kestrova {

// An optionally signed ("+" or "-") run of decimal digits that fits in 32 bits; anything else,
// the empty text and surrounding blanks included, is no number.
std::optional<std::int32_t> parseInt32(std::string_view text);

// parseInt32, or the "'...' is not a valid integer value" error.
std::int32_t toInt32(std::string_view text);

std::string decimalText(std::int64_t value);

}  // namespace kestrova
