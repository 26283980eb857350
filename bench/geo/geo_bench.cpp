// Decoding the built-in coastline set, and drawing a full Europe map at the largest canvas.
#include <benchmark/benchmark.h>

#include "geo/map_drawing.h"

extern "C" const std::uint8_t kestrova_coastline_blob[];
extern "C" const std::uint8_t kestrova_coastline_blob_end[];

namespace kestrova {
namespace {

void LoadCoastlineSet(benchmark::State& state) {
  const std::span<const std::uint8_t> blob(
      kestrova_coastline_blob,
      static_cast<std::size_t>(kestrova_coastline_blob_end - kestrova_coastline_blob));
  for (auto _ : state) benchmark::DoNotOptimize(CoastlineSet::fromBlob(blob));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * blob.size()));
}
BENCHMARK(LoadCoastlineSet)->Unit(benchmark::kMillisecond);

void DrawEurope(benchmark::State& state) {
  const auto projection = static_cast<Projection>(state.range(0));
  const MapView view(projection, {80, 35, -10, 50}, 2400, 1800);
  MapStyle style;
  style.lake.width = 0;
  style.graticule = {Qt::gray, 1};
  const CoastlineSet& set = CoastlineSet::builtin();
  QImage image(2400, 1800, QImage::Format_RGB32);
  for (auto _ : state) {
    image.fill(Qt::black);
    drawMap(image, view, set, style);
  }
}
BENCHMARK(DrawEurope)
    ->ArgName("projection")
    ->Arg(static_cast<int>(Projection::Polar))
    ->Arg(static_cast<int>(Projection::Linear))
    ->Arg(static_cast<int>(Projection::Mercator))
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kestrova

BENCHMARK_MAIN();
