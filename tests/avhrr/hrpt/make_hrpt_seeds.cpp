// Writes the raw HRPT fuzzer's seed corpus: a few frames in each storage, plus the damage the
// reader must recover from. Run by hand: make_hrpt_seeds tests/fuzz/corpus/hrpt_reader
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "avhrr/hrpt/frame_writer.h"
#include "damage.h"
#include "synthetic_pass.h"

namespace {

using namespace kestrova::avhrr;
namespace t = kestrova::avhrr::hrpt::testing;

void save(const std::filesystem::path& folder, const std::string& name,
          const std::vector<std::uint8_t>& bytes) {
  std::ofstream(folder / name, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s CORPUS_FOLDER\n", argv[0]);
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  std::filesystem::create_directories(folder);
  const UtcMs start = utcFromYearDay(2024, 75, 37'230'000);
  const Pass three = t::syntheticPass(3, start);
  const Pass two = t::syntheticPass(2, start);

  save(folder, "packed_3_frames", hrpt::writeHrpt(three, HrptStorage::Packed10));
  save(folder, "packed_1_frame",
       hrpt::writeHrpt(t::syntheticPass(1, start), HrptStorage::Packed10));
  save(folder, "words16_le_2_frames", hrpt::writeHrpt(two, HrptStorage::Words16LittleEndian));
  save(folder, "words16_be_2_frames", hrpt::writeHrpt(two, HrptStorage::Words16BigEndian));

  auto inverted = hrpt::writeHrpt(two, HrptStorage::Packed10);
  for (auto& b : inverted) b = static_cast<std::uint8_t>(~b);
  save(folder, "packed_inverted_2_frames", inverted);

  auto bits = t::toBits(hrpt::writeHrpt(three, HrptStorage::Packed10));
  bits.insert(bits.begin() + static_cast<std::ptrdiff_t>(2 * t::kFrameBitCount - 300),
              {true, true, false});
  save(folder, "packed_bit_slip", t::toBytes(bits));

  auto badTime = hrpt::writeHrpt(three, HrptStorage::Words16LittleEndian);
  t::setWordLittleEndian(badTime, 1, 9, 0x7F);
  save(folder, "words16_le_bad_time_code", badTime);

  // Garbage inside the middle frame, and a frame cut short: the frames before them are damaged.
  save(folder, "words16_le_garbage_inside",
       t::insertGarbage(hrpt::writeHrpt(three, HrptStorage::Words16LittleEndian),
                        t::wordOffset(1, 4000) + 1, 301, 7));
  auto cut = hrpt::writeHrpt(three, HrptStorage::Words16LittleEndian);
  cut.erase(cut.begin() + static_cast<std::ptrdiff_t>(t::wordOffset(0, 7000)),
            cut.begin() + static_cast<std::ptrdiff_t>(t::wordOffset(0, 8000)));
  save(folder, "words16_le_cut_short", cut);

  Pass gap = t::syntheticPass(4, start);
  gap.lines[1].quality = LineQuality::Missing;
  save(folder, "packed_lost_frame", hrpt::writeHrpt(gap, HrptStorage::Packed10));
  return 0;
}
