// Writing and reading a full AVHRR-sized pass picture (2048 × 5400) as JPEG, in megapixels/s.
#include <benchmark/benchmark.h>

#include "imaging/jpeg_reader.h"
#include "imaging/jpeg_writer.h"
#include "synthetic_pictures.h"

namespace kestrova {
namespace {

constexpr int kWidth = 2048;
constexpr int kHeight = 5400;

const Image& passPicture(PixelFormat format) {
  static const Image grey = testing::scenePicture(kWidth, kHeight, PixelFormat::Grey8, 6);
  static const Image colour = testing::scenePicture(kWidth, kHeight, PixelFormat::Rgb888, 6);
  return format == PixelFormat::Grey8 ? grey : colour;
}

void countMegapixels(benchmark::State& state) {
  state.counters["MP/s"] =
      benchmark::Counter(kWidth * kHeight / 1e6 * state.iterations(), benchmark::Counter::kIsRate);
}

void encode(benchmark::State& state, PixelFormat format) {
  const Image& picture = passPicture(format);
  for (auto _ : state) benchmark::DoNotOptimize(encodeJpeg(picture, {90}));
  countMegapixels(state);
}

void decode(benchmark::State& state, PixelFormat format) {
  const std::vector<std::uint8_t> bytes = encodeJpeg(passPicture(format), {90});
  state.counters["KiB"] = bytes.size() / 1024.0;
  for (auto _ : state) benchmark::DoNotOptimize(decodeJpeg(bytes));
  countMegapixels(state);
}

BENCHMARK_CAPTURE(encode, grey, PixelFormat::Grey8)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(encode, colour_420, PixelFormat::Rgb888)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(decode, grey, PixelFormat::Grey8)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(decode, colour_420, PixelFormat::Rgb888)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kestrova

BENCHMARK_MAIN();
