// Writing a Pass as raw HRPT minor frames in any of the three storages: what the synthetic passes
// are made of, and what the reader is proved against.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "avhrr/hrpt/frame_fields.h"
#include "avhrr/pass.h"

namespace kestrova::avhrr::hrpt {

// The spacecraft address the frames carry: the satellite's, else the pass's raw code. Throws
// Error when neither is an HRPT address.
int frameAddress(const Pass& pass);

// The words of line `line` (not a Missing one): sync, ID, time code, calibration views, TIP
// blocks with parity, earth view.
void composeFrame(const Pass& pass, int line, int address, FrameWords out);

// Appends frames to a byte stream; a packed stream runs on across byte boundaries.
class FrameEncoder {
 public:
  explicit FrameEncoder(HrptStorage storage) : storage_(storage) {}
  void reserveFrames(std::size_t frames);
  void append(std::span<const std::uint16_t> words);
  // All the bytes, a packed stream's last byte padded with zero bits; the encoder starts afresh.
  std::vector<std::uint8_t> finish();

 private:
  HrptStorage storage_;
  std::vector<std::uint8_t> bytes_;
  std::uint32_t pending_ = 0;
  int pendingBits_ = 0;
};

// Every line except the Missing ones, one frame each.
std::vector<std::uint8_t> writeHrpt(const Pass& pass, HrptStorage storage);
void writeHrptFile(const std::string& path, const Pass& pass, HrptStorage storage);

}  // namespace kestrova::avhrr::hrpt
