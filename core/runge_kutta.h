// Runge–Kutta stepper: one classical fourth-order step of fixed size h.
//
//   k1 = f(s)              T = D(s + k1·(h/2))     (formed in the k1 pass)
//   k2 = f(T)              T = D(s + k2·(h/2))     (after all of k2)
//   k3 = f(T)              T = D(s + k3·h)         (after all of k3)
//   k4 = f(T)
//   s  = D(s + (((k1 + k2·2) + k3·2) + k4)·(h/6))
//
// Invariants: every stage derivative is taken from one complete trial state
// (T is overwritten only after the whole stage); the weighted sum is multiplied
// by the stored constant h/6, which is the extended h divided by 6 and rounded
// once (for h = 0.9 one unit below the extended value nearest 0.15); only the
// sums marked D are rounded to binary64. The work vectors are fixed-size and
// carry nothing from one step to the next. A fault in a step (an overflow in
// its last rounding too) is raised before the step returns.
#pragma once

#include "core/force_model.h"

// The four step constants of a model, formed once from its extended stepSize.
template <Model M>
struct StepConstants {
  static constexpr Extended h = ModelConstants<M>::stepSize;
  static constexpr Extended halfH = h / Extended::Literal(2.0L);
  static constexpr Extended two = Extended::Literal(2.0L);
  static constexpr Extended sixthH = h / Extended::Literal(6.0L);
};

// All N derivative components of one copy of the state: the same values as
// Derivative(i, s) for i = 1..N, with the distances computed once for the copy.
template <Model M>
inline void Derivatives(const ModelState<M>& s, const VariantParameters<M>& p, ModelState<M>& k) {
  const Distances d = DistancesOf(s);
  for (ComponentIndex i = 1; i <= ModelConstants<M>::N; i += 2) {
    k[i] = s[static_cast<ComponentIndex>(i + 1)];
    k[static_cast<ComponentIndex>(i + 1)] = Acceleration<M>(static_cast<ComponentIndex>(i + 1), s, d, p);
    OneComponentAtATime();
  }
}

// TemporaryState = D(s + k·c), component by component.
template <int N>
inline void TrialState(const StateVector<N>& s, const StateVector<N>& k, Extended c,
                       StateVector<N>& out) {
  for (ComponentIndex i = 1; i <= N; ++i) {
    out[i] = D(Extended{s[i]} + Extended{k[i]} * c);
    OneComponentAtATime();
  }
}

// Advances s in place by one step of the model's stepSize.
template <Model M>
inline void RungeKuttaStep(ModelState<M>& s, const VariantParameters<M>& p) {
  using K = StepConstants<M>;
  ModelState<M> temporaryState, k1, k2, k3, k4;
  Derivatives<M>(s, p, k1);
  TrialState(s, k1, K::halfH, temporaryState);
  Derivatives<M>(temporaryState, p, k2);
  TrialState(s, k2, K::halfH, temporaryState);
  Derivatives<M>(temporaryState, p, k3);
  TrialState(s, k3, K::h, temporaryState);
  Derivatives<M>(temporaryState, p, k4);
  for (ComponentIndex i = 1; i <= ModelConstants<M>::N; ++i) {
    const Extended sum = ((Extended{k1[i]} + Extended{k2[i]} * K::two) + Extended{k3[i]} * K::two) +
                         Extended{k4[i]};
    s[i] = D(Extended{s[i]} + sum * K::sixthH);
    OneComponentAtATime();
  }
  RaisePendingFaults();
}
