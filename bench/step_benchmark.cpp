// The exact step against the plain binary64 step, side by side in one run
// (goal: at most 1.25x), and orbits render's work per pass, plot and step on
// the headless surface, against the exact step alone (goal: the drawing adds
// at most 20%).
#include <benchmark/benchmark.h>

#include "bench/binary64_step.h"
#include "core/runge_kutta.h"
#include "graph/graph_platform.h"
#include "programs/catalogue.h"
#include "programs/driver.h"

namespace {

template <Model M>
void ExactStep(benchmark::State& state, const VariantParameters<M>& p) {
  ModelState<M> s = p.initialState;
  for (auto _ : state) {
    RungeKuttaStep<M>(s, p);
    benchmark::DoNotOptimize(s);
  }
}

template <Model M>
void Binary64Step(benchmark::State& state, const VariantParameters<M>& p) {
  ModelState<M> s = p.initialState;
  const binary64::Coefficients<M> c(p);
  for (auto _ : state) {
    binary64::RungeKuttaStep<M>(s, c);
    benchmark::DoNotOptimize(s);
  }
}

template <Model M>
void RenderPass(benchmark::State& state, const VariantParameters<M>& p) {
  SetHeadlessSize(1920, 1080);
  StartProgram(p);
  for (auto _ : state) RunPass(p);
}

}  // namespace

BENCHMARK_CAPTURE(ExactStep, spatial, kOrbit3dA);
BENCHMARK_CAPTURE(Binary64Step, spatial, kOrbit3dA);
BENCHMARK_CAPTURE(ExactStep, planar, kOrbit2dA);
BENCHMARK_CAPTURE(Binary64Step, planar, kOrbit2dA);
BENCHMARK_CAPTURE(RenderPass, spatial, kOrbit3dA);
BENCHMARK_CAPTURE(RenderPass, planar, kOrbit2dA);
