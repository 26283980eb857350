#include "avhrr/hrpt/frame_writer.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>

#include "base/error.h"

namespace kestrova::avhrr::hrpt {
namespace {

// TIP and AIP contents are not decoded; a varying byte pattern keeps the parity bits honest.
std::uint8_t tipByte(int scanNumber, int word) {
  return static_cast<std::uint8_t>((word * 37 + scanNumber * 11) & 0xFF);
}

int minorFrameOf(const ScanLine& line) {
  if (line.minorFrame >= 1 && line.minorFrame <= 3) return line.minorFrame;
  return (line.scanNumber % 3 + 3) % 3 + 1;
}

}  // namespace

int frameAddress(const Pass& pass) {
  if (pass.satellite && pass.satellite->hrptAddress) return *pass.satellite->hrptAddress;
  if (pass.spacecraftCode >= 0 && pass.spacecraftCode <= static_cast<int>(kAddressMask)) {
    return pass.spacecraftCode;
  }
  throw Error("Cannot write HRPT frames: no spacecraft address is known for " +
              (pass.satellite ? std::string(pass.satellite->name) : std::string("the satellite")));
}

void composeFrame(const Pass& pass, int line, int address, FrameWords out) {
  const ScanLine& l = pass.lines[static_cast<std::size_t>(line)];
  // Words no reader here decodes (ramp, patch temperature, spares, auxiliary sync) stay zero.
  std::fill(out.begin(), out.end(), 0);
  std::copy(kSyncWords.begin(), kSyncWords.end(), out.begin());
  out[kIdWord] = encodeId({minorFrameOf(l), address, l.channel3});
  const YearDay date = yearDayFromUtc(l.time);
  const auto code = encodeTimeCode(date.dayOfYear, date.msOfDay);
  std::copy(code.begin(), code.end(), out.begin() + kTimeWord);
  if (l.views) encodeViews(*l.views, out);
  for (int k = 0; k < kTipWords; ++k) out[kTipWord + k] = encodeTipWord(tipByte(l.scanNumber, k));
  for (int c = 0; c < kChannelCount; ++c) {
    const auto row = pass.row(c, line);
    for (int x = 0; x < pass.width && x < kFullWidth; ++x) {
      out[kEarthWord + kChannelCount * x + c] = row[static_cast<std::size_t>(x)] & kWordMask;
    }
  }
}

void FrameEncoder::append(std::span<const std::uint16_t> words) {
  for (const std::uint16_t w : words) {
    const std::uint16_t v = w & kWordMask;
    switch (storage_) {
      case HrptStorage::Words16LittleEndian:
        bytes_.push_back(static_cast<std::uint8_t>(v & 0xFF));
        bytes_.push_back(static_cast<std::uint8_t>(v >> 8));
        break;
      case HrptStorage::Words16BigEndian:
        bytes_.push_back(static_cast<std::uint8_t>(v >> 8));
        bytes_.push_back(static_cast<std::uint8_t>(v & 0xFF));
        break;
      case HrptStorage::Packed10:
        pending_ = (pending_ << kWordBits) | v;
        pendingBits_ += kWordBits;
        while (pendingBits_ >= 8) {
          pendingBits_ -= 8;
          bytes_.push_back(static_cast<std::uint8_t>(pending_ >> pendingBits_));
        }
        pending_ &= (1U << pendingBits_) - 1;
        break;
    }
  }
}

void FrameEncoder::reserveFrames(std::size_t frames) {
  bytes_.reserve(frames * (storage_ == HrptStorage::Packed10 ? kFrameBits / 8 + 1 : kFrameBytes16));
}

std::vector<std::uint8_t> FrameEncoder::finish() {
  if (pendingBits_ > 0) {
    bytes_.push_back(static_cast<std::uint8_t>(pending_ << (8 - pendingBits_)));
    pending_ = 0;
    pendingBits_ = 0;
  }
  std::vector<std::uint8_t> out;
  out.swap(bytes_);
  return out;
}

std::vector<std::uint8_t> writeHrpt(const Pass& pass, HrptStorage storage) {
  const int address = frameAddress(pass);
  FrameEncoder encoder(storage);
  encoder.reserveFrames(static_cast<std::size_t>(pass.lineCount()));
  std::vector<std::uint16_t> words(kFrameWords);
  for (int k = 0; k < pass.lineCount(); ++k) {
    if (pass.lines[static_cast<std::size_t>(k)].quality == LineQuality::Missing) continue;
    composeFrame(pass, k, address, FrameWords(words));
    encoder.append(words);
  }
  return encoder.finish();
}

void writeHrptFile(const std::string& path, const Pass& pass, HrptStorage storage) {
  const auto bytes = writeHrpt(pass, storage);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw Error("Cannot write HRPT file '" + path + "': " + std::strerror(errno));
}

}  // namespace kestrova::avhrr::hrpt
