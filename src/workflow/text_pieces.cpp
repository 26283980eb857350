#include "workflow/text_pieces.h"

#include "base/decimal.h"

namespace kestrova {

std::string headChars(std::string_view text, int n) {
  if (n <= 0) return "";
  return std::string(text.substr(0, static_cast<std::size_t>(n)));
}

std::string tailChars(std::string_view text, int n) {
  if (n <= 0) return "";
  std::size_t count = static_cast<std::size_t>(n);
  return std::string(count >= text.size() ? text : text.substr(text.size() - count));
}

int IndexFromName(std::string_view controlName) {
  return toInt32(tailChars(controlName, 3));
}

std::string TwoDigitNumber(int n) {
  std::string text = decimalText(n);
  return text.size() == 1 ? "0" + text : text;
}

}  // namespace kestrova
