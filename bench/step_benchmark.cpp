// The exact step against the plain binary64 step (goal: at most 1.25x), and
// orbits render's work per pass, plot and step on the headless surface,
// against the exact step alone (goal: the drawing adds at most 20%). Each
// pair is measured side by side in one run; a_ns and b_ns are the two sides.
#include <benchmark/benchmark.h>

#include <chrono>

#include "bench/binary64_step.h"
#include "core/runge_kutta.h"
#include "graph/graph_platform.h"
#include "programs/catalogue.h"
#include "programs/driver.h"

namespace {

// The two sides of a ratio timed in alternating slices of one run, so that
// the machine's drift and noise fall on both alike. Reports each side's ns
// per step (or pass) and their ratio.
template <typename A, typename B>
void Alternating(benchmark::State& state, A a, B b) {
  using Clock = std::chrono::steady_clock;
  constexpr int kSlice = 2000;
  double ta = 0, tb = 0;
  long n = 0;
  for (auto _ : state) {
    auto t0 = Clock::now();
    for (int i = 0; i < kSlice; ++i) a();
    auto t1 = Clock::now();
    for (int i = 0; i < kSlice; ++i) b();
    auto t2 = Clock::now();
    ta += std::chrono::duration<double, std::nano>(t1 - t0).count();
    tb += std::chrono::duration<double, std::nano>(t2 - t1).count();
    n += kSlice;
  }
  state.counters["a_ns"] = ta / n;
  state.counters["b_ns"] = tb / n;
  state.counters["ratio"] = ta / tb;
}

template <Model M>
void ExactOverBinary64(benchmark::State& state, const VariantParameters<M>& p) {
  ModelState<M> exact = p.initialState, plain = p.initialState;
  const binary64::Coefficients<M> c(p);
  // Restart from the initial state now and then, so neither side wanders off.
  long k = 0;
  Alternating(
      state,
      [&] {
        if (++k % 100000 == 0) exact = p.initialState;
        RungeKuttaStep<M>(exact, p);
        benchmark::DoNotOptimize(exact);
      },
      [&] {
        if (k % 100000 == 0) plain = p.initialState;
        binary64::RungeKuttaStep<M>(plain, c);
        benchmark::DoNotOptimize(plain);
      });
}

template <Model M>
void RenderPassOverStep(benchmark::State& state, const VariantParameters<M>& p) {
  SetHeadlessSize(1920, 1080);
  StartProgram(p);
  ModelState<M> s = p.initialState;
  Alternating(
      state, [&] { RunPass(p); },
      [&] {
        RungeKuttaStep<M>(s, p);
        benchmark::DoNotOptimize(s);
      });
}

}  // namespace

BENCHMARK_CAPTURE(ExactOverBinary64, spatial, kOrbit3dA);
BENCHMARK_CAPTURE(ExactOverBinary64, planar, kOrbit2dA);
BENCHMARK_CAPTURE(RenderPassOverStep, spatial, kOrbit3dA);
BENCHMARK_CAPTURE(RenderPassOverStep, planar, kOrbit2dA);
