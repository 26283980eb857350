#include "avhrr/hrpt/hrpt_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "avhrr/hrpt/channel3_vote.h"
#include "avhrr/hrpt/deframer.h"
#include "avhrr/hrpt/frame_damage.h"
#include "avhrr/hrpt/frame_fields.h"
#include "avhrr/hrpt/line_placement.h"
#include "avhrr/hrpt/prt_cycle.h"
#include "avhrr/hrpt/read_error.h"
#include "avhrr/hrpt/word_stream.h"
#include "avhrr/hrpt/year_source.h"
#include "base/large_vector.h"

namespace kestrova::avhrr::hrpt {
namespace {

// Far beyond a long recording (a 16-minute pass is about 130 MB as 16-bit words).
constexpr std::int64_t kMaxFileBytes = std::int64_t{1} << 30;

struct FrameHeader {
  std::size_t hit = 0;  // index into the deframed hits
  FrameId id;
  FrameStamp stamp;
};

std::vector<FrameHeader> readHeaders(const WordStream& s, const Deframed& d) {
  std::vector<FrameHeader> out;
  out.reserve(d.frames.size());
  for (std::size_t k = 0; k < d.frames.size(); ++k) {
    std::array<std::uint16_t, 6> words{};
    s.readWords(d.frames[k].position, kIdWord, words);
    out.push_back({k, decodeId(words[0]), decodeStamp(words)});
  }
  return out;
}

// The spacecraft address most frames carry; frames naming another one are damaged.
int commonAddress(const std::vector<FrameHeader>& headers) {
  std::array<int, 16> votes{};
  for (const auto& h : headers) ++votes[static_cast<std::size_t>(h.id.address)];
  return static_cast<int>(std::max_element(votes.begin(), votes.end()) - votes.begin());
}

std::string fileNameOf(const std::string& name) {
  return std::filesystem::path(name).filename().string();
}

YearChoice decideYear(const std::string& name, const FrameStamp& anchor, const Satellite* sat,
                      const HrptReadOptions& options, std::size_t anchorOffset) {
  const std::string fileName = fileNameOf(name);
  std::vector<UtcMs> epochs;
  if (sat && options.elementEpochs && !dateInFileName(fileName)) {
    epochs = options.elementEpochs(*sat);
  }
  const auto choice =
      chooseYear(fileName, anchor.dayOfYear, anchor.msOfDay, epochs, options.modificationTime);
  if (!choice) {
    throw readError(name, anchorOffset,
                    "cannot tell the year of day " + std::to_string(anchor.dayOfYear) +
                        ": the file name holds no date and neither orbital elements nor the "
                        "file's modification time give one");
  }
  return *choice;
}

// The auxiliary sync most whole frames end with; a few dozen frames are plenty.
FrameTail commonTailOf(const WordStream& s, const Deframed& d) {
  constexpr std::size_t kSampleFrames = 31;
  std::vector<FrameTail> tails;
  for (const FrameHit& hit : d.frames) {
    if (hit.cutShort) continue;
    s.readWords(hit.position, kTailWord, tails.emplace_back());
    if (tails.size() == kSampleFrames) break;
  }
  return commonTail(tails);
}

// What the frame's tail says when the next sync was displaced; none when it was not.
std::optional<TailState> decodeLine(const WordStream& s, const FrameHit& hit,
                                    const PlacedLine& placed, const FrameTail& tail,
                                    std::span<std::uint16_t, kFrameWords> words, Pass& pass,
                                    int index) {
  s.readWords(hit.position, 0, words);
  const ConstFrameWords frame(words);
  const FrameId id = decodeId(frame[kIdWord]);
  ScanLine& line = pass.lines[static_cast<std::size_t>(index)];
  line.quality = hit.syncErrors > 0 || hit.slipped || placed.repaired ? LineQuality::Repaired
                                                                      : LineQuality::SyncOk;
  line.channel3 = id.channel3;
  line.minorFrame = id.minorFrame;
  line.tipParityOk = tipParityOk(frame);
  line.views = decodeViews(frame);
  for (int c = 0; c < kChannelCount; ++c) {
    auto row = pass.row(c, index);
    for (int x = 0; x < kFullWidth; ++x) {
      row[static_cast<std::size_t>(x)] = frame[kEarthWord + kChannelCount * x + c];
    }
  }
  if (!hit.cutShort) return std::nullopt;
  return judgeTail(frame.subspan<kTailWord, kTailWords>(), tail);
}

// A frame whose next sync was displaced is damaged from the sample where its counts part from
// the lines either side; where those cannot tell (unpredictable content), from the start of its
// earth samples when its tail says the damage lies before them. Its samples from there on are
// something else's: none is kept.
void markDamage(Pass& pass, const std::vector<std::optional<TailState>>& suspects) {
  for (int k = 0; k < pass.lineCount(); ++k) {
    const auto& tail = suspects[static_cast<std::size_t>(k)];
    if (!tail) continue;
    const auto located = earthDamagePoint(pass, k);
    const int from = located ? *located : *tail == TailState::BrokenBefore ? 0 : pass.width;
    if (from >= pass.width) continue;
    ScanLine& line = pass.lines[static_cast<std::size_t>(k)];
    line.quality = LineQuality::Damaged;
    line.damagedFrom = from;
    for (int c = 0; c < kChannelCount; ++c) {
      const auto row = pass.row(c, k);
      std::fill(row.begin() + from, row.end(), std::uint16_t{0});
    }
  }
}

}  // namespace

Pass readHrpt(std::span<const std::uint8_t> bytes, const std::string& name,
              const HrptReadOptions& options) {
  const Deframed deframed = deframe(bytes, name);
  const WordStream stream(bytes, deframed.storage, deframed.inverted);
  const auto firstOffset = stream.byteOffset(deframed.frames.front().position);

  std::vector<FrameHeader> headers = readHeaders(stream, deframed);
  const int address = commonAddress(headers);
  // One flipped bit of the address is a bit error; the frame's time code still has to fit the
  // pass for it to be placed.
  std::erase_if(headers, [&](const FrameHeader& h) {
    return std::popcount(static_cast<unsigned>(h.id.address ^ address)) > 1;
  });
  const int wrongAddress = static_cast<int>(deframed.frames.size() - headers.size());

  std::vector<FrameStamp> stamps;
  for (const auto& h : headers) stamps.push_back(h.stamp);
  const auto anchor = findAnchorFrame(stamps);
  if (!anchor) {
    throw readError(name, firstOffset,
                    "none of the " + std::to_string(stamps.size()) +
                        " frames carries a possible time code (day of year 1-366, time of day "
                        "below 24 h)");
  }
  Pass pass;
  pass.satellite = satelliteByHrptAddress(address);
  pass.spacecraftCode = address;
  pass.format = {Container::RawHrpt, DataType::Hrpt, deframed.storage, false, 0};
  pass.dataSetName = fileNameOf(name);
  const auto anchorOffset = stream.byteOffset(deframed.frames[headers[*anchor].hit].position);
  const YearChoice year = decideYear(name, stamps[*anchor], pass.satellite, options, anchorOffset);
  pass.yearSource = year.source;
  if (year.source == YearSource::FileModificationTime)
    pass.notes.push_back("The year " + std::to_string(yearDayFromUtc(year.time).year) +
                         " was taken from the file's modification time: neither the file name "
                         "nor orbital elements gave one. A copied file may be dated wrongly.");

  const Placement placement = placeFrames(stamps, year.time);
  const int dropped = deframed.droppedFrames + wrongAddress + placement.droppedFrames;
  const auto kept = static_cast<int>(placement.lines.size()) - placement.filledLines;
  if (kept == 0) {
    throw readError(name, firstOffset,
                    "no usable lines: all " + std::to_string(deframed.frames.size()) +
                        " frames found failed the checks of spacecraft address, time code and "
                        "minor frame count");
  }

  pass.lines.resize(placement.lines.size());
  pass.allocateCounts();
  std::vector<std::uint16_t> words(kFrameWords);
  const FrameTail tail = commonTailOf(stream, deframed);
  std::vector<std::optional<TailState>> suspects(placement.lines.size());
  for (std::size_t k = 0; k < placement.lines.size(); ++k) {
    const PlacedLine& placed = placement.lines[k];
    ScanLine& line = pass.lines[k];
    line.time = placed.time;
    line.scanNumber = static_cast<int>(placed.lineNumber);
    if (!placed.frame) {
      line.quality = LineQuality::Missing;
      continue;
    }
    suspects[k] =
        decodeLine(stream, deframed.frames[headers[*placed.frame].hit], placed, tail,
                   std::span<std::uint16_t, kFrameWords>(words), pass, static_cast<int>(k));
  }
  markDamage(pass, suspects);
  pass.readCounts.channel3Mended = mendChannel3(pass);
  assignPrtPhases(pass);

  pass.readCounts.keptLines = kept;
  pass.readCounts.repairedLines =
      static_cast<int>(std::count_if(pass.lines.begin(), pass.lines.end(), [](const ScanLine& l) {
        return l.quality == LineQuality::Repaired;
      }));
  pass.readCounts.damagedLines =
      static_cast<int>(std::count_if(pass.lines.begin(), pass.lines.end(), [](const ScanLine& l) {
        return l.quality == LineQuality::Damaged;
      }));
  pass.readCounts.droppedFrames = dropped;
  pass.readCounts.filledLines = placement.filledLines;
  return pass;
}

Pass readHrptFile(const std::string& path, HrptReadOptions options) {
  const auto fail = [&](const std::string& cause) {
    return Error("Cannot read HRPT file '" + path + "': " + cause);
  };
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw fail(std::strerror(errno));
  struct Closer {
    int fd;
    ~Closer() { ::close(fd); }
  } closer{fd};
  struct stat info {};
  if (::fstat(fd, &info) != 0) throw fail(std::strerror(errno));
  if (S_ISDIR(info.st_mode)) throw fail(std::strerror(EISDIR));
  if (info.st_size > kMaxFileBytes) {
    throw fail("larger than " + std::to_string(kMaxFileBytes) + " bytes, far beyond any pass");
  }
  std::vector<std::uint8_t> bytes;
  assignLarge(bytes, static_cast<std::size_t>(info.st_size));
  std::size_t done = 0;
  while (done < bytes.size()) {
    const auto n = ::read(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw fail(std::strerror(errno));
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  bytes.resize(done);
  if (!options.modificationTime) {
    options.modificationTime =
        static_cast<UtcMs>(info.st_mtim.tv_sec) * 1000 + info.st_mtim.tv_nsec / 1'000'000;
  }
  return readHrpt(bytes, path, options);
}

}  // namespace kestrova::avhrr::hrpt
