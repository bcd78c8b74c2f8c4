// The exact step against the plain binary64 step, side by side in one run.
// Goal: the exact step costs at most 1.25x the binary64 one, for both models.
#include <benchmark/benchmark.h>

#include "bench/binary64_step.h"
#include "core/runge_kutta.h"
#include "programs/catalogue.h"

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

}  // namespace

BENCHMARK_CAPTURE(ExactStep, spatial, kOrbit3dA);
BENCHMARK_CAPTURE(Binary64Step, spatial, kOrbit3dA);
BENCHMARK_CAPTURE(ExactStep, planar, kOrbit2dA);
BENCHMARK_CAPTURE(Binary64Step, planar, kOrbit2dA);
