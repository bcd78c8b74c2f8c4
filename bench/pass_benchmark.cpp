// A real program's pass with its window up: plot, step and key test (the
// pass overhead, goal under 5 us), and the whole loop with its Delay against
// the ideal 1000 / delayMs passes per second (goal at least 90%).
#include <benchmark/benchmark.h>

#include "crt/crt.h"
#include "programs/catalogue.h"
#include "programs/driver.h"

namespace {

template <Model M>
void PassOverhead(benchmark::State& state, const VariantParameters<M>& p) {
  StartProgram(p);
  for (auto _ : state) {
    RunPass(p);
    benchmark::DoNotOptimize(KeyPressed());
  }
}

template <Model M>
void LoopWithDelay(benchmark::State& state, const VariantParameters<M>& p) {
  CrtStart();  // as the program does: it sets how precisely Delay sleeps
  StartProgram(p);
  for (auto _ : state) {
    RunPass(p);
    Delay(ModelConstants<M>::delayMs);
    benchmark::DoNotOptimize(KeyPressed());
  }
  state.counters["of_ideal_rate"] = benchmark::Counter(
      static_cast<double>(state.iterations()) * ModelConstants<M>::delayMs / 1000.0, benchmark::Counter::kIsRate);
}

}  // namespace

BENCHMARK_CAPTURE(PassOverhead, spatial, kOrbit3dA);
BENCHMARK_CAPTURE(PassOverhead, planar, kOrbit2dA);
BENCHMARK_CAPTURE(LoopWithDelay, spatial, kOrbit3dA)->UseRealTime()->MinTime(2.0);
BENCHMARK_CAPTURE(LoopWithDelay, planar, kOrbit2dA)->UseRealTime()->MinTime(2.0);
