// Force model: the right-hand side of the equations of motion.
//
// Two bodies move about a fixed centre at the origin. Each body's acceleration
// is a central term toward the origin plus a coupling term along the vector to
// the other body, both inverse-square:
//
//   a_j = D( (s[j]·C)/R + ((s[o] − s[j])·G)/M )
//
// with R the body's own distance cubed, M the distance cubed of the separation
// (always body 2 minus body 1, each difference rounded to binary64 first), C
// the central coefficient and G the coupling acting on this body.
//
// Invariants that the trajectories depend on, bit for bit:
//  - every operation is an Extended one; only D() rounds to binary64;
//  - the spatial DistanceCubed rounds its sum of squares to binary64 before the
//    root, the planar one does not;
//  - each term is a product then a quotient, never a multiplication by 1/R;
//  - s[o] − s[j] in the numerator stays extended (not the rounded difference);
//  - a zero coupling is still evaluated: 0·d/M is computed and added.
// R1, R2 and M depend only on one copy of the state, so they are computed once
// per copy (Distances) and shared by that copy's components.
#pragma once

#include "core/extended.h"
#include "core/model.h"

// Cube of the length of (a, b, c); the sum of squares is rounded to binary64.
inline double DistanceCubed(double a, double b, double c) {
  const Extended ea{a}, eb{b}, ec{c};
  const Extended q{D((ea * ea + eb * eb) + ec * ec)};
  return D(q * Sqrt(q));
}

// Cube of the length of (a, b); the sum of squares stays extended.
inline double DistanceCubed(double a, double b) {
  const Extended ea{a}, eb{b};
  const Extended q = ea * ea + eb * eb;
  return D(q * Sqrt(q));
}

// The three distance cubes of one copy of the state.
struct Distances {
  double r1;  // body 1 from the origin
  double r2;  // body 2 from the origin
  double m;   // body 2 from body 1
};

inline double Separation(double from, double to) { return D(Extended{to} - Extended{from}); }

inline Distances DistancesOf(const ModelState<Model::Spatial>& s) {
  return {DistanceCubed(s[1], s[3], s[5]), DistanceCubed(s[7], s[9], s[11]),
          DistanceCubed(Separation(s[1], s[7]), Separation(s[3], s[9]),
                        Separation(s[5], s[11]))};
}

inline Distances DistancesOf(const ModelState<Model::Planar>& s) {
  return {DistanceCubed(s[1], s[3]), DistanceCubed(s[5], s[7]),
          DistanceCubed(Separation(s[1], s[5]), Separation(s[3], s[7]))};
}

// Acceleration component i (even, 1..N) of state s whose distances are d.
template <Model M>
inline double Acceleration(ComponentIndex i, const ModelState<M>& s, const Distances& d,
                           const VariantParameters<M>& p) {
  constexpr int block = 2 * ModelConstants<M>::dimensions;  // components per body
  const ComponentIndex j = static_cast<ComponentIndex>(i - 1);
  const bool body1 = j <= block;
  const ComponentIndex o = static_cast<ComponentIndex>(body1 ? j + block : j - block);
  const Extended own{s[j]};
  const Extended central = (own * p.centralCoefficient) / Extended{body1 ? d.r1 : d.r2};
  const Extended coupling = ((Extended{s[o]} - own) * CouplingOn(p, body1 ? 1 : 2)) / Extended{d.m};
  return D(central + coupling);
}

// Component i of the time derivative of s. An odd i (a coordinate) gives its
// velocity unchanged; an even i the acceleration. Outside 1..N: 0.
template <Model M>
inline double Derivative(ComponentIndex i, ModelState<M> s, const VariantParameters<M>& p) {
  if (i < 1 || i > ModelConstants<M>::N) return 0.0;
  if (i % 2 == 1) return s[static_cast<ComponentIndex>(i + 1)];
  return Acceleration<M>(i, s, DistancesOf(s), p);
}
