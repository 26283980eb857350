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
    auto made = std::make_unique<products::PassProducts>(p.pass, *p.calibration, &p.grid,
                                                         std::nullopt);
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
