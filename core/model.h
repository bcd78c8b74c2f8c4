// Model: the two kinds of system and the constants every program of a kind
// shares (state size, step, pause). Per-program values live in the catalogue.
//
//   spatial: two bodies in three dimensions, N = 12, step 0.5, pause 1 ms
//   planar:  two bodies in a plane,          N = 8,  step 0.9, pause 3 ms
#pragma once

#include <cstdint>

#include "core/extended.h"
#include "core/state_vector.h"

enum class Model { Spatial, Planar };

template <Model M>
struct ModelConstants;

template <>
struct ModelConstants<Model::Spatial> {
  static constexpr int N = 12;
  static constexpr int dimensions = 3;
  static constexpr Extended stepSize = Extended::Literal(0.5L);
  static constexpr std::uint16_t delayMs = 1;
};

template <>
struct ModelConstants<Model::Planar> {
  static constexpr int N = 8;
  static constexpr int dimensions = 2;
  static constexpr Extended stepSize = Extended::Literal(0.9L);
  static constexpr std::uint16_t delayMs = 3;
};

template <Model M>
using ModelState = StateVector<ModelConstants<M>::N>;

// The constant set of one program: coefficients, initial state, view centres.
template <Model M>
struct VariantParameters;

template <>
struct VariantParameters<Model::Spatial> {
  static constexpr Model model = Model::Spatial;
  Extended centralCoefficient;
  Extended coupling;  // acts on both bodies
  ModelState<Model::Spatial> initialState;
  std::int16_t centreX;
  std::int16_t upperCentreY;  // x-z view
  std::int16_t lowerCentreY;  // x-y view
};

template <>
struct VariantParameters<Model::Planar> {
  static constexpr Model model = Model::Planar;
  Extended centralCoefficient;
  Extended couplingOnBody1;
  Extended couplingOnBody2;
  ModelState<Model::Planar> initialState;
  std::int16_t centreX;
  std::int16_t centreY;
};

// The coupling coefficient that acts on body 1 or body 2.
constexpr Extended CouplingOn(const VariantParameters<Model::Spatial>& p, int) {
  return p.coupling;
}
constexpr Extended CouplingOn(const VariantParameters<Model::Planar>& p, int body) {
  return body == 1 ? p.couplingOnBody1 : p.couplingOnBody2;
}
