// The same force model and step written wholly in binary64, for comparison
// only: the benchmark measures the exact step against it, and the tests check
// that the exact one's vectors tell the two apart. Same formulas, same order,
// same per-copy distance caching; every operation rounds to double.
#pragma once

#include <cmath>

#include "core/model.h"

namespace binary64 {

inline double DistanceCubed(double a, double b, double c) {
  const double q = (a * a + b * b) + c * c;
  return q * std::sqrt(q);
}
inline double DistanceCubed(double a, double b) {
  const double q = a * a + b * b;
  return q * std::sqrt(q);
}

struct Distances { double r1, r2, m; };

inline Distances DistancesOf(const ModelState<Model::Spatial>& s) {
  return {DistanceCubed(s[1], s[3], s[5]), DistanceCubed(s[7], s[9], s[11]),
          DistanceCubed(s[7] - s[1], s[9] - s[3], s[11] - s[5])};
}
inline Distances DistancesOf(const ModelState<Model::Planar>& s) {
  return {DistanceCubed(s[1], s[3]), DistanceCubed(s[5], s[7]),
          DistanceCubed(s[5] - s[1], s[7] - s[3])};
}

template <Model M>
struct Coefficients {
  double central, coupling1, coupling2;
  explicit Coefficients(const VariantParameters<M>& p)
      : central(D(p.centralCoefficient)), coupling1(D(CouplingOn(p, 1))), coupling2(D(CouplingOn(p, 2))) {}
};

template <Model M>
inline void Derivatives(const ModelState<M>& s, const Coefficients<M>& c, ModelState<M>& k) {
  constexpr int block = 2 * ModelConstants<M>::dimensions;
  const Distances d = binary64::DistancesOf(s);
  for (ComponentIndex i = 1; i <= ModelConstants<M>::N; i += 2) {
    const ComponentIndex j = i;
    const bool body1 = j <= block;
    const ComponentIndex o = static_cast<ComponentIndex>(body1 ? j + block : j - block);
    k[i] = s[static_cast<ComponentIndex>(i + 1)];
    k[static_cast<ComponentIndex>(i + 1)] =
        (s[j] * c.central) / (body1 ? d.r1 : d.r2) + ((s[o] - s[j]) * (body1 ? c.coupling1 : c.coupling2)) / d.m;
  }
}

template <Model M>
inline void RungeKuttaStep(ModelState<M>& s, const Coefficients<M>& c) {
  constexpr double h = D(ModelConstants<M>::stepSize), halfH = h / 2, sixthH = h / 6;
  constexpr int N = ModelConstants<M>::N;
  ModelState<M> t, k1, k2, k3, k4;
  Derivatives<M>(s, c, k1);
  for (ComponentIndex i = 1; i <= N; ++i) t[i] = s[i] + k1[i] * halfH;
  Derivatives<M>(t, c, k2);
  for (ComponentIndex i = 1; i <= N; ++i) t[i] = s[i] + k2[i] * halfH;
  Derivatives<M>(t, c, k3);
  for (ComponentIndex i = 1; i <= N; ++i) t[i] = s[i] + k3[i] * h;
  Derivatives<M>(t, c, k4);
  for (ComponentIndex i = 1; i <= N; ++i)
    s[i] = s[i] + (((k1[i] + k2[i] * 2) + k3[i] * 2) + k4[i]) * sixthH;
}

}  // namespace binary64
