// The twelve products of a full 12-minute pass (4320 lines of 2048 samples) and the corrected and
// quick-look forms of one, on one core. Besides the time, each run reports the most heap the
// products held above what the pass itself holds (peak_heap_MB), and the picture's own size
// (picture_MB), so the floating-point intermediates of a product show as the difference.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>

#include "products/pass_products.h"
#include "support/located_pass.h"

namespace {

std::atomic<std::int64_t> liveBytes{0}, peakBytes{0};

void track(void* p) {
  if (p == nullptr) throw std::bad_alloc();
  const auto now = liveBytes += static_cast<std::int64_t>(malloc_usable_size(p));
  auto peak = peakBytes.load();
  while (now > peak && !peakBytes.compare_exchange_weak(peak, now)) {
  }
}

}  // namespace

void* operator new(std::size_t size) {
  void* p = std::malloc(size);
  track(p);
  return p;
}
void operator delete(void* p) noexcept {
  if (p != nullptr) liveBytes -= static_cast<std::int64_t>(malloc_usable_size(p));
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  operator delete(p);
}

namespace {

using namespace kestrova;

const testing::LocatedPass& fullPass() {
  static const auto pass = testing::locatedPass(testing::noaa19Options(testing::kDayMinutes, 720));
  return *pass;
}

// Made once: what a pass's first request pays for (Sun angles at the grid, the sea mask) is
// outside the timed loops, as it is paid once per pass however many products are made.
const products::PassProducts& passProducts() {
  static const auto products = [] {
    const auto& p = fullPass();
    auto made =
        std::make_unique<products::PassProducts>(p.pass, *p.calibration, &p.grid, std::nullopt);
    made->plain({9, {1, 2, 4}});
    return made;
  }();
  return *products;
}

constexpr products::ProductChoice choice(int product) {
  return {product, {1, 2, 4}};
}

void reportHeap(benchmark::State& state, std::int64_t base, std::size_t pictureBytes) {
  state.counters["peak_heap_MB"] = static_cast<double>(peakBytes - base) / 1e6;
  state.counters["picture_MB"] = static_cast<double>(pictureBytes) / 1e6;
}

void AllTwelvePlain(benchmark::State& state) {
  const auto& products = passProducts();
  const std::int64_t base = liveBytes;
  peakBytes = base;
  std::size_t largest = 0;
  for (auto _ : state) {
    for (int p = 0; p < 12; ++p) {
      const auto picture = products.plain(choice(p));
      largest = std::max(largest, picture.image.pixels.size());
      benchmark::DoNotOptimize(picture.image.pixels.data());
    }
  }
  reportHeap(state, base, largest);
}
BENCHMARK(AllTwelvePlain)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The same twelve in one sweep, each channel calibrated once a line (plainAll).
void AllTwelveOneSweep(benchmark::State& state) {
  const auto& products = passProducts();
  std::vector<products::ProductChoice> choices;
  for (int p = 0; p < 12; ++p) choices.push_back(choice(p));
  const std::int64_t base = liveBytes;
  peakBytes = base;
  std::size_t total = 0;
  for (auto _ : state) {
    const auto pictures = products.plainAll(choices);
    total = 0;
    for (const auto& picture : pictures) total += picture.image.pixels.size();
    benchmark::DoNotOptimize(pictures.data());
  }
  reportHeap(state, base, total);
}
BENCHMARK(AllTwelveOneSweep)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void OnePlain(benchmark::State& state) {
  const auto& products = passProducts();
  const std::int64_t base = liveBytes;
  peakBytes = base;
  std::size_t bytes = 0;
  for (auto _ : state) {
    const auto picture = products.plain(choice(static_cast<int>(state.range(0))));
    bytes = picture.image.pixels.size();
    benchmark::DoNotOptimize(picture.image.pixels.data());
  }
  reportHeap(state, base, bytes);
}
BENCHMARK(OnePlain)->DenseRange(0, 11)->Unit(benchmark::kMillisecond);

void CorrectedFalseColour(benchmark::State& state) {
  const auto& products = passProducts();
  const Image plain = products.plain(choice(5)).image;
  for (auto _ : state) {
    const Image corrected = products.corrected(plain);
    benchmark::DoNotOptimize(corrected.pixels.data());
  }
  state.counters["width"] = products.corrected(plain).width;
}
BENCHMARK(CorrectedFalseColour)->Unit(benchmark::kMillisecond);

void QuickLookFalseColour(benchmark::State& state) {
  const Image plain = passProducts().plain(choice(5)).image;
  for (auto _ : state) {
    const Image quick = products::quickLook(plain);
    benchmark::DoNotOptimize(quick.pixels.data());
  }
}
BENCHMARK(QuickLookFalseColour)->Unit(benchmark::kMillisecond);

// The floors under the figures above: a fresh picture's memory (zeroed and faulted in), and one
// channel of the pass calibrated row by row (0 albedo, 3 kelvin), which every product repeats
// for each channel it reads.
void FreshPicture(benchmark::State& state) {
  for (auto _ : state) {
    const Image image = Image::blank(static_cast<int>(state.range(0)), 4320, PixelFormat::Rgb888);
    benchmark::DoNotOptimize(image.pixels.data());
  }
}
BENCHMARK(FreshPicture)->Arg(2048)->Arg(3739)->Unit(benchmark::kMillisecond);

void CalibrateChannel(benchmark::State& state) {
  const auto& p = fullPass();
  std::vector<float> row(2048);
  for (auto _ : state) {
    for (int line = 0; line < p.pass.lineCount(); ++line) {
      p.calibration->calibrateRow(static_cast<int>(state.range(0)), line, row);
      benchmark::DoNotOptimize(row.data());
    }
  }
}
BENCHMARK(CalibrateChannel)->Arg(0)->Arg(3)->Unit(benchmark::kMillisecond);

// What the first request of a pass pays once: Sun angles at the grid's nodes, then the sea mask.
void FirstSeaSurface(benchmark::State& state) {
  const auto& p = fullPass();
  for (auto _ : state) {
    const products::PassProducts products(p.pass, *p.calibration, &p.grid, std::nullopt);
    benchmark::DoNotOptimize(products.plain(choice(9)).image.pixels.data());
  }
}
BENCHMARK(FirstSeaSurface)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
