// StateVector: the simulated state, N binary64 components indexed from 1.
//
// Layout: each coordinate is followed by its velocity, body 1's block before
// body 2's. Spatial (N = 12): x1 vx1 y1 vy1 z1 vz1 x2 vx2 y2 vy2 z2 vz2.
// Planar (N = 8): x1 vx1 y1 vy1 x2 vx2 y2 vy2.
#pragma once

#include <cstdint>

// Component indices are signed 16-bit, 1..N.
using ComponentIndex = std::int16_t;

template <int N>
struct StateVector {
  static constexpr int size = N;
  double component[N];

  constexpr double& operator[](ComponentIndex i) { return component[i - 1]; }
  constexpr double operator[](ComponentIndex i) const { return component[i - 1]; }
  friend constexpr bool operator==(const StateVector&, const StateVector&) = default;
};
