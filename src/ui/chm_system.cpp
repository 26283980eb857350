#include "ui/chm_system.h"

#include <cstdint>

namespace kestrova::ui {
namespace {

constexpr std::size_t kVersionBytes = 4;
constexpr std::size_t kRecordHeaderBytes = 4;

std::uint16_t word16(std::string_view bytes, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                    static_cast<unsigned char>(bytes[at + 1]) << 8);
}

// Text records end with a NUL inside their length; a missing NUL takes the whole record.
std::string recordText(std::string_view data) {
  return std::string(data.substr(0, data.find('\0')));
}

struct TextRecord {
  std::uint16_t code;
  std::string ChmSystemInfo::*field;
};
constexpr TextRecord kTextRecords[] = {
    {0, &ChmSystemInfo::contentsFile},
    {1, &ChmSystemInfo::indexFile},
    {2, &ChmSystemInfo::defaultTopic},
    {3, &ChmSystemInfo::title},
};

}  // namespace

ChmSystemInfo parseChmSystem(std::string_view bytes) {
  ChmSystemInfo info;
  std::size_t at = kVersionBytes;
  while (at + kRecordHeaderBytes <= bytes.size()) {
    const std::uint16_t code = word16(bytes, at);
    const std::size_t length = word16(bytes, at + 2);
    at += kRecordHeaderBytes;
    if (length > bytes.size() - at) break;
    for (const TextRecord& record : kTextRecords)
      if (record.code == code) info.*record.field = recordText(bytes.substr(at, length));
    at += length;
  }
  return info;
}

}  // namespace kestrova::ui
