#include "avhrr/hrpt/channel3_vote.h"

#include <optional>
#include <vector>

namespace kestrova::avhrr::hrpt {

int mendChannel3(Pass& pass) {
  std::vector<std::size_t> read;
  for (std::size_t k = 0; k < pass.lines.size(); ++k)
    if (pass.lines[k].quality != LineQuality::Missing) read.push_back(k);
  // Decided on the states as read, so a mended line never sways the next decision.
  std::vector<Channel3> states;
  for (const auto k : read) states.push_back(pass.lines[k].channel3);
  int mended = 0;
  for (std::size_t i = 1; i + 1 < read.size(); ++i) {
    const Channel3 before = states[i - 1], after = states[i + 1];
    if (before != after || states[i] == before) continue;
    ScanLine& line = pass.lines[read[i]];
    line.channel3 = before;
    if (line.quality == LineQuality::SyncOk) line.quality = LineQuality::Repaired;
    ++mended;
  }
  return mended;
}

}  // namespace kestrova::avhrr::hrpt
