#include "avhrr/hrpt/deframer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include "avhrr/hrpt/frame_format.h"
#include "avhrr/hrpt/read_error.h"
#include "avhrr/hrpt/word_stream.h"

namespace kestrova::avhrr::hrpt {
namespace {

constexpr std::size_t npos = WordStream::npos;

struct Candidate {
  HrptStorage storage;
  bool inverted;
};

constexpr std::array<Candidate, 4> kCandidates{{
    {HrptStorage::Words16LittleEndian, false},
    {HrptStorage::Words16BigEndian, false},
    {HrptStorage::Packed10, false},
    {HrptStorage::Packed10, true},
}};

// The sync nearest pos within the slip window, fewest errors first.
std::optional<FrameHit> syncNear(const WordStream& s, std::size_t pos) {
  std::optional<FrameHit> best;
  const std::size_t w = s.slipWindow();
  const std::size_t from = pos > w ? pos - w : 0;
  for (std::size_t p = from; p <= pos + w; ++p) {
    if (!s.fitsFrame(p)) break;
    const int errors = s.syncErrors(p);
    if (errors > kSyncTolerance) continue;
    const auto distance = [&](std::size_t q) { return q > pos ? q - pos : pos - q; };
    if (!best || errors < best->syncErrors ||
        (errors == best->syncErrors && distance(p) < distance(best->position))) {
      best = FrameHit{p, errors, p != pos};
    }
  }
  return best;
}

// A sync is believed when another follows one frame later, or, with no room for one, when it
// matches closely.
bool confirmed(const WordStream& s, std::size_t pos) {
  const std::size_t next = pos + s.frameSize();
  if (!s.fitsFrame(next)) {
    return s.syncErrors(pos) <= kLoneSyncTolerance;
  }
  return syncNear(s, next).has_value();
}

std::size_t firstConfirmedSync(const WordStream& s, std::size_t from, std::size_t to) {
  for (std::size_t pos = from;; ++pos) {
    pos = s.findSync(pos, to, kSyncTolerance);
    if (pos == npos || confirmed(s, pos)) return pos;
  }
}

// Skipped stream counted in frame lengths, at least one.
int skippedFrames(const WordStream& s, std::size_t units) {
  const double frames = static_cast<double>(units) / static_cast<double>(s.frameSize());
  return std::max(1, static_cast<int>(std::lround(frames)));
}

// Whether a frame at b follows one at a after whole frames (lost ones with their syncs ruined).
bool wholeFramesApart(const WordStream& s, std::size_t a, std::size_t b) {
  const std::size_t rest = (b - a) % s.frameSize();
  return b - a >= s.frameSize() && std::min(rest, s.frameSize() - rest) <= s.slipWindow();
}

// The storage whose first confirmed sync comes earliest within the first limitBytes.
std::optional<std::pair<Candidate, std::size_t>> detectStorage(std::span<const std::uint8_t> bytes,
                                                               std::size_t limitBytes) {
  std::optional<std::pair<Candidate, std::size_t>> best;
  for (const auto& c : kCandidates) {
    const WordStream s(bytes, c.storage, c.inverted);
    const std::size_t limit = c.storage == HrptStorage::Packed10 ? limitBytes * 8 : limitBytes;
    const std::size_t pos = firstConfirmedSync(s, 0, limit);
    if (pos == npos) continue;
    if (!best || s.byteOffset(pos) < limitBytes) {
      best = {c, pos};
      limitBytes = s.byteOffset(pos);
    }
  }
  return best;
}

}  // namespace

Deframed deframe(std::span<const std::uint8_t> bytes, const std::string& name) {
  if (bytes.size() < kFrameBits / 8) {
    throw readError(name, 0,
                    "the file is truncated: " + std::to_string(bytes.size()) +
                        " bytes hold less than one HRPT minor frame (" +
                        std::to_string(kFrameBits / 8) + " bytes packed, " +
                        std::to_string(kFrameBytes16) + " as 16-bit words)");
  }
  // Most files start with a frame: look near the start before scanning all of a large file in
  // every storage.
  constexpr std::size_t kProbeBytes = 256 * 1024;
  auto detected = detectStorage(bytes, std::min(bytes.size(), kProbeBytes));
  if (!detected && bytes.size() > kProbeBytes) detected = detectStorage(bytes, bytes.size());
  if (!detected) {
    throw readError(name, 0,
                    "no HRPT frame sync found in " + std::to_string(bytes.size()) +
                        " bytes (neither 16-bit words in either byte order nor packed 10-bit "
                        "words); not a raw HRPT file, or a truncated one");
  }
  const auto [candidate, start] = *detected;
  const WordStream s(bytes, candidate.storage, candidate.inverted);
  Deframed out;
  out.storage = candidate.storage;
  out.inverted = candidate.inverted;
  if (start > 0) out.droppedFrames += skippedFrames(s, start);

  out.frames.push_back({start, s.syncErrors(start), false});
  std::size_t pos = start + s.frameSize();
  while (s.fitsFrame(pos)) {
    if (const auto hit = syncNear(s, pos)) {
      out.frames.back().cutShort = hit->slipped;
      out.frames.push_back(*hit);
      pos = hit->position + s.frameSize();
      continue;
    }
    // Lock lost: garbage, a frame cut short, or a frame with a ruined sync; search afresh from
    // just after the last frame's sync, since the next may start inside it.
    const std::size_t last = out.frames.back().position;
    const std::size_t next = firstConfirmedSync(s, last + 1, s.size());
    if (next == npos) break;
    // Nothing was skipped when the next frame started early.
    const std::size_t from = pos - s.slipWindow();
    if (next >= pos) out.droppedFrames += skippedFrames(s, next - from);
    out.frames.back().cutShort = !wholeFramesApart(s, last, next);
    out.frames.push_back({next, s.syncErrors(next), false});
    pos = next + s.frameSize();
  }
  // A cut-off last frame or trailing garbage; the padding of a packed stream is not.
  if (pos < s.size() && s.size() - pos > s.slipWindow()) {
    out.droppedFrames += skippedFrames(s, s.size() - pos);
  }
  return out;
}

}  // namespace kestrova::avhrr::hrpt
