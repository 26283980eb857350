#include "settings/config_writer.h"

#include "base/decimal.h"
#include "settings/config_layout.h"

namespace kestrova {

std::string formatConfig(const StoredSettings& settings) {
  std::string bytes;
  for (int line = 1; line <= kConfigLineCount; ++line) {
    bytes +=
        isTextLine(line) ? textField(settings, line) : decimalText(integerField(settings, line));
    bytes += "\r\n";
  }
  return bytes;
}

}  // namespace kestrova
