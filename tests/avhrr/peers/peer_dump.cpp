#include "avhrr/peers/peer_dump.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>
#include <type_traits>

#include "base/error.h"

namespace kestrova::avhrr {
namespace {

template <typename T>
std::vector<std::uint8_t> littleEndian(std::span<const T> values) {
  std::vector<std::uint8_t> out;
  out.reserve(values.size() * sizeof(T));
  for (T v : values) {
    std::uint64_t bits;
    if constexpr (std::is_same_v<T, float>)
      bits = std::bit_cast<std::uint32_t>(v);
    else
      bits = static_cast<std::uint64_t>(v);
    for (std::size_t i = 0; i < sizeof(T); ++i)
      out.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
  }
  return out;
}

std::string jsonString(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned char>(c));
      out += buf;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

const std::set<std::string_view> kValueNames{"reflectance_1", "reflectance_2", "reflectance_3a",
                                             "bt_3b",         "bt_4",          "bt_5"};

}  // namespace

PeerDump::PeerDump(PeerDumpInfo info) : info_(std::move(info)) {
  if (info_.lines < 0 || info_.width < 0) throw Error("A dump cannot have a negative size");
}

void PeerDump::checkSize(std::string_view name, std::size_t got, std::size_t expected) const {
  if (got != expected)
    throw Error("The dump's " + std::string(name) + " holds " + std::to_string(got) +
                " values where " + std::to_string(expected) + " are due");
}

void PeerDump::add(Array array) {
  std::erase_if(arrays_, [&](const Array& a) { return a.name == array.name; });
  arrays_.push_back(std::move(array));
}

void PeerDump::setTimes(std::span<const UtcMs> times) {
  checkSize("time_ms", times.size(), info_.lines);
  add({"time_ms", "<i8", {times.size()}, littleEndian(times)});
}

void PeerDump::setChannel3(std::span<const Channel3> states) {
  checkSize("channel3", states.size(), info_.lines);
  std::vector<std::uint8_t> bytes;
  for (Channel3 s : states)
    bytes.push_back(static_cast<std::uint8_t>(s == Channel3::A3           ? 1
                                              : s == Channel3::Transition ? 2
                                                                          : 0));
  add({"channel3", "u1", {states.size()}, std::move(bytes)});
}

void PeerDump::setCounts(int channel, std::span<const std::uint16_t> counts) {
  if (channel < 1 || channel > kChannelCount)
    throw Error("A dump has counts for channels 1 to 5, not " + std::to_string(channel));
  const std::string name = "counts_" + std::to_string(channel);
  const auto lines = static_cast<std::size_t>(info_.lines),
             width = static_cast<std::size_t>(info_.width);
  checkSize(name, counts.size(), lines * width);
  add({name, "<u2", {lines, width}, littleEndian(counts)});
}

void PeerDump::setValues(std::string_view name, std::span<const float> values) {
  if (!kValueNames.contains(name)) throw Error("A dump has no array called " + std::string(name));
  const auto lines = static_cast<std::size_t>(info_.lines),
             width = static_cast<std::size_t>(info_.width);
  checkSize(name, values.size(), lines * width);
  add({std::string(name), "<f4", {lines, width}, littleEndian(values)});
}

void PeerDump::setGeolocation(std::span<const int> columns, std::span<const float> latitude,
                              std::span<const float> longitude) {
  const auto lines = static_cast<std::size_t>(info_.lines);
  checkSize("latitude", latitude.size(), lines * columns.size());
  checkSize("longitude", longitude.size(), lines * columns.size());
  add({"geo_columns", "<i4", {columns.size()}, littleEndian(columns)});
  add({"latitude", "<f4", {lines, columns.size()}, littleEndian(latitude)});
  add({"longitude", "<f4", {lines, columns.size()}, littleEndian(longitude)});
}

void PeerDump::write(const std::string& stem) const {
  const std::string binPath = stem + ".bin", jsonPath = stem + ".json";
  const std::string binName = binPath.substr(binPath.find_last_of('/') + 1);
  std::ostringstream json;
  json << "{\n \"format\": \"kestrova-avhrr-dump\",\n \"version\": 1,\n"
       << " \"producer\": " << jsonString(info_.producer) << ",\n"
       << " \"source\": " << jsonString(info_.source) << ",\n"
       << " \"satellite\": " << jsonString(info_.satellite) << ",\n"
       << " \"lines\": " << info_.lines << ",\n \"width\": " << info_.width << ",\n"
       << " \"data\": " << jsonString(binName) << ",\n \"arrays\": {";
  std::ofstream bin(binPath, std::ios::binary);
  if (!bin) throw Error("Cannot create " + binPath);
  std::size_t offset = 0;
  for (std::size_t i = 0; i < arrays_.size(); ++i) {
    const Array& a = arrays_[i];
    json << (i ? ",\n" : "\n") << "  " << jsonString(a.name) << ": {\"dtype\": \"" << a.dtype
         << "\", \"shape\": [";
    for (std::size_t k = 0; k < a.shape.size(); ++k) json << (k ? ", " : "") << a.shape[k];
    json << "], \"offset\": " << offset << "}";
    // Each array starts on an 8-byte boundary.
    const std::size_t padded = (a.bytes.size() + 7) / 8 * 8;
    bin.write(reinterpret_cast<const char*>(a.bytes.data()),
              static_cast<std::streamsize>(a.bytes.size()));
    bin.write("\0\0\0\0\0\0\0", static_cast<std::streamsize>(padded - a.bytes.size()));
    offset += padded;
  }
  json << "\n }\n}\n";
  if (!bin.flush()) throw Error("Cannot write " + binPath);
  std::ofstream out(jsonPath, std::ios::binary);
  if (!(out << json.str()) || !out.flush()) throw Error("Cannot write " + jsonPath);
}

PeerDump peerDumpOfPass(const Pass& pass, std::string producer, std::string source) {
  PeerDump dump({std::move(producer), std::move(source),
                 pass.satellite ? std::string(pass.satellite->name) : std::string(),
                 pass.lineCount(), pass.width});
  std::vector<UtcMs> times;
  std::vector<Channel3> states;
  for (const ScanLine& line : pass.lines) {
    times.push_back(line.time);
    states.push_back(line.channel3);
  }
  dump.setTimes(times);
  dump.setChannel3(states);
  const auto size =
      static_cast<std::size_t>(pass.lineCount()) * static_cast<std::size_t>(pass.width);
  if (pass.counts.size() != size * kChannelCount)
    throw Error("The pass holds " + std::to_string(pass.counts.size()) + " counts for " +
                std::to_string(pass.lineCount()) + " lines of " + std::to_string(pass.width));
  for (int c = 0; c < kChannelCount; ++c) {
    std::vector<std::uint16_t> counts(
        pass.counts.begin() + static_cast<std::ptrdiff_t>(c * size),
        pass.counts.begin() + static_cast<std::ptrdiff_t>((c + 1) * size));
    for (int l = 0; l < pass.lineCount(); ++l) {
      const bool noCounts = pass.lines[l].quality == LineQuality::Missing ||
                            (c == 2 && pass.lines[l].channel3 == Channel3::Transition);
      if (noCounts)
        std::fill_n(counts.begin() + static_cast<std::ptrdiff_t>(l) * pass.width, pass.width,
                    kNoCount);
    }
    dump.setCounts(c + 1, counts);
  }
  return dump;
}

}  // namespace kestrova::avhrr
