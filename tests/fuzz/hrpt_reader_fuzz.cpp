// Any bytes as a raw HRPT file: reading ends in a pass or an Error, never a crash, a hang or an
// allocation beyond what the file's frames can account for; a pass that was read is written and
// read again without a fault; calibration takes whatever views it holds.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "avhrr/calibration/pass_calibration.h"
#include "avhrr/hrpt/frame_writer.h"
#include "avhrr/hrpt/hrpt_reader.h"
#include "avhrr/hrpt/line_placement.h"
#include "base/error.h"

namespace {

using namespace kestrova::avhrr;

void check(const Pass& pass, std::size_t size) {
  // Every kept line is a whole packed frame (13862.5 bytes) of the input, but for a frame cut
  // short, which shares its bytes with the next (and is followed by a whole one).
  const auto kept = static_cast<std::size_t>(pass.readCounts.keptLines);
  if (kept == 0 || kept > 2 * (size / 13862) + 2) std::abort();
  if (pass.readCounts.filledLines > hrpt::kMaxFillPerKeptLine * pass.readCounts.keptLines) {
    std::abort();
  }
  if (static_cast<std::size_t>(pass.lineCount()) !=
      kept + static_cast<std::size_t>(pass.readCounts.filledLines)) {
    std::abort();
  }
  if (pass.counts.size() != pass.lines.size() * kChannelCount * kFullWidth) std::abort();
  for (const auto c : pass.counts) {
    if (c > 1023) std::abort();
  }
  for (std::size_t k = 1; k < pass.lines.size(); ++k) {
    if (pass.lines[k].scanNumber <= pass.lines[k - 1].scanNumber) std::abort();
  }
  // A damaged line keeps nothing past its damage point.
  for (int k = 0; k < pass.lineCount(); ++k) {
    const auto& from = pass.lines[static_cast<std::size_t>(k)].damagedFrom;
    if (!from) continue;
    if (*from < 0 || *from > pass.width) std::abort();
    for (int c = 0; c < kChannelCount; ++c) {
      const auto row = pass.row(c, k);
      if (std::any_of(row.begin() + *from, row.end(), [](auto v) { return v != 0; })) std::abort();
    }
  }
}

// Whatever the views hold, calibration judges them without a fault, and a damaged line's row
// has no value past its damage point.
void calibrate(const Pass& pass) {
  const PassCalibration calibration(pass);
  std::vector<float> row(static_cast<std::size_t>(pass.width));
  for (int k = 0; k < pass.lineCount(); ++k) {
    const auto& from = pass.lines[static_cast<std::size_t>(k)].damagedFrom;
    if (!from) continue;
    calibration.calibrateRow(3, k, row);
    if (std::any_of(row.begin() + *from, row.end(), [](float v) { return !std::isnan(v); }))
      std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  try {
    const Pass pass = hrpt::readHrpt(bytes, "fuzz_20240315.hrp");
    check(pass, size);
    calibrate(pass);
    const auto again = hrpt::writeHrpt(pass, HrptStorage::Packed10);
    try {
      check(hrpt::readHrpt(again, "fuzz_20240315.hrp"), again.size());
    } catch (const kestrova::Error&) {
    }
  } catch (const kestrova::Error&) {
  }
  return 0;
}
