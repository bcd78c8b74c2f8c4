// orbits render's work per pass against the bare step: the drawing may add at
// most 20%.
#include <benchmark/benchmark.h>

#include "graph/graph_platform.h"
#include "programs/catalogue.h"
#include "programs/driver.h"

namespace {

template <Model M>
void RenderPass(benchmark::State& state, const VariantParameters<M>& p) {
  SetHeadlessSize(1920, 1080);
  StartProgram(p);
  for (auto _ : state) RunPass(p);
}

template <Model M>
void BareStep(benchmark::State& state, const VariantParameters<M>& p) {
  ModelState<M> s = p.initialState;
  for (auto _ : state) {
    RungeKuttaStep<M>(s, p);
    benchmark::DoNotOptimize(s);
  }
}

}  // namespace

BENCHMARK_CAPTURE(RenderPass, spatial, kOrbit3dA);
BENCHMARK_CAPTURE(BareStep, spatial, kOrbit3dA);
BENCHMARK_CAPTURE(RenderPass, planar, kOrbit2dA);
BENCHMARK_CAPTURE(BareStep, planar, kOrbit2dA);
