// Our side of a peer check: what our reader made of a file, written in the dump format the peer
// scripts write too (tools/peers/dump_format.py), for tools/peers/compare.py to set side by side.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "avhrr/pass.h"

namespace kestrova::avhrr {

constexpr std::uint16_t kNoCount = 0xFFFF;

struct PeerDumpInfo {
  std::string producer;  // who made the values, e.g. "kestrova avhrr"
  std::string source;    // the file read
  std::string satellite;
  int lines = 0;
  int width = 0;
};

class PeerDump {
 public:
  explicit PeerDump(PeerDumpInfo info);

  // Each array is checked against the lines and width given; a wrong size throws Error.
  void setTimes(std::span<const UtcMs> times);
  void setChannel3(std::span<const Channel3> states);
  void setCounts(int channel,
                 std::span<const std::uint16_t> counts);  // channel 1..5, lines x width
  // reflectance_1, reflectance_2, reflectance_3a, bt_3b, bt_4 or bt_5: lines x width, NaN = none.
  void setValues(std::string_view name, std::span<const float> values);
  // Positions at the given 0-based columns: lines x columns.size() each.
  void setGeolocation(std::span<const int> columns, std::span<const float> latitude,
                      std::span<const float> longitude);

  // Writes stem.json and stem.bin; a failure throws Error naming the file.
  void write(const std::string& stem) const;

 private:
  struct Array {
    std::string name;
    std::string dtype;  // numpy's notation
    std::vector<std::size_t> shape;
    std::vector<std::uint8_t> bytes;  // little-endian
  };
  void add(Array array);
  void checkSize(std::string_view name, std::size_t got, std::size_t expected) const;

  PeerDumpInfo info_;
  std::vector<Array> arrays_;
};

// Times, channel-3 states and counts of a pass; Missing lines get no counts.
PeerDump peerDumpOfPass(const Pass& pass, std::string producer, std::string source);

}  // namespace kestrova::avhrr
