// Drawing through the Graph library's lock: PutPixel and the 2x2 dot, built
// once against the window backend and once against the headless one (the
// same front and raster, no window thread), and the time InitGraph takes.
// bench/graph_ratio.sh runs both and prints the ratios.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>

#include "display/dot.h"
#include "graph/graph.h"

namespace {

void PutPixelThroughTheLock(benchmark::State& state) {
  int i = 0;
  for (auto _ : state) {
    PutPixel(static_cast<std::int16_t>(i & 1023), static_cast<std::int16_t>((i >> 10) & 511), 11);
    ++i;
  }
}

void DotThroughTheLock(benchmark::State& state) {
  int i = 0;
  for (auto _ : state) {
    DrawDot(static_cast<std::int16_t>(i & 1023), static_cast<std::int16_t>((i >> 10) & 511), (i & 1) ? 12 : 0);
    ++i;
  }
}

}  // namespace

BENCHMARK(PutPixelThroughTheLock);
BENCHMARK(DotThroughTheLock);

int main(int argc, char** argv) {
  const auto start = std::chrono::steady_clock::now();
  std::int16_t driver = Detect, mode = 0;
  InitGraph(driver, mode, " ");
  const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  std::printf("InitGraph took %.1f ms (result %d)\n", ms, GraphResult());
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
