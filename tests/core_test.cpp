// The simulation core against its reference vectors.
//
// Each vector is given with the value that a typical wrong implementation
// produces instead (all binary64, sum of squares kept extended or rounded in
// the wrong form, trial state updated in the k2/k3 pass, the nearest-0.15
// constant): the exact code must give the first and the vector must tell the
// two apart.
#include <gtest/gtest.h>

#include <cmath>

#include "bench/binary64_step.h"
#include "core/runge_kutta.h"
#include "display/screen_mapping.h"
#include "programs/catalogue.h"

namespace {

template <Model M>
ModelState<M> Steps(const VariantParameters<M>& p, int n) {
  ModelState<M> s = p.initialState;
  for (int k = 0; k < n; ++k) RungeKuttaStep<M>(s, p);
  return s;
}

template <Model M>
ModelState<M> Binary64Steps(const VariantParameters<M>& p, int n) {
  ModelState<M> s = p.initialState;
  const binary64::Coefficients<M> c(p);
  for (int k = 0; k < n; ++k) binary64::RungeKuttaStep<M>(s, c);
  return s;
}

struct Vector {
  const char* what;
  double actual;
  double expected;
  double wrong;  // what a named wrong implementation gives; NAN where none is named
};

TEST(CoreVectors, MatchBitForBitAndTellWrongVariantsApart) {
  const auto spatial1 = Steps(kOrbit3dA, 1);
  const auto planar100 = Steps(kOrbit2dA, 100);
  const auto spatial1Binary64 = Binary64Steps(kOrbit3dA, 1);
  const auto planar100Binary64 = Binary64Steps(kOrbit2dA, 100);
  const Vector vectors[] = {
      {"DistanceCubed(0.1,0.2,0.3) vs all binary64", DistanceCubed(0.1, 0.2, 0.3),
       0x1.ad1f8a30d8892p-5, binary64::DistanceCubed(0.1, 0.2, 0.3)},
      {"DistanceCubed(0.1,0.2,0.3) vs sum kept extended", DistanceCubed(0.1, 0.2, 0.3),
       0x1.ad1f8a30d8892p-5, 0x1.ad1f8a30d8893p-5},
      {"DistanceCubed(100,1.62,0) vs sum kept extended", DistanceCubed(100, 1.62, 0),
       0x1.e87935f24b42fp+19, 0x1.e87935f24b42ep+19},
      {"DistanceCubed(0.3,0.7) vs all binary64", DistanceCubed(0.3, 0.7), 0x1.c450e5223d0e9p-2,
       binary64::DistanceCubed(0.3, 0.7)},
      {"DistanceCubed(0.7,0.1) vs sum rounded first", DistanceCubed(0.7, 0.1), 0x1.6a09e667f3bcbp-2,
       0x1.6a09e667f3bccp-2},
      {"orbit3d-a Derivative 2 vs all binary64", Derivative<Model::Spatial>(2, kOrbit3dA.initialState, kOrbit3dA),
       -0x1.5b8e9fbff43a6p-8, -0x1.5b8e9fbff43a5p-8},
      {"orbit3d-a Derivative 6", Derivative<Model::Spatial>(6, kOrbit3dA.initialState, kOrbit3dA),
       -0x1.94a176c854dcfp-6, NAN},
      {"orbit3d-a Derivative 3 is vy1", Derivative<Model::Spatial>(3, kOrbit3dA.initialState, kOrbit3dA), 1.62, NAN},
      {"orbit2d-a Derivative 2", Derivative<Model::Planar>(2, kOrbit2dA.initialState, kOrbit2dA),
       -0x1.9f5d31d64539fp-2, NAN},
      {"orbit2d-a Derivative 6 vs all binary64", Derivative<Model::Planar>(6, kOrbit2dA.initialState, kOrbit2dA),
       0x1.c0ebd33722bc6p-2, 0x1.c0ebd33722bc5p-2},
      {"orbit3d-a 1 step s[1]", spatial1[1], -0x1.5b8bde3e2146ap-11, NAN},
      {"orbit3d-a 1 step s[2] vs all binary64", spatial1[2], -0x1.5b891ccdb0426p-9, spatial1Binary64[2]},
      {"orbit3d-a 1 step s[2] vs trial state in the k2/k3 pass", spatial1[2], -0x1.5b891ccdb0426p-9,
       -0x1.5b87e6f48e834p-9},
      {"orbit3d-a 1 step s[5]", spatial1[5], 0x1.8ffcd6bd82a27p+6, NAN},
      {"orbit2d-a 100 steps s[1] vs nearest-0.15 h/6", planar100[1], 0x1.b803590e71eafp+7,
       0x1.b803590e71eb9p+7},
      {"orbit2d-a 100 steps s[1] vs all binary64", planar100[1], 0x1.b803590e71eafp+7, planar100Binary64[1]},
      {"orbit2d-a 100 steps s[2]", planar100[2], -0x1.8f321de0fae4dp+1, NAN},
      {"orbit2d-a 100 steps s[3]", planar100[3], -0x1.61fa137a715a8p+6, NAN},
  };
  for (const Vector& v : vectors) {
    EXPECT_EQ(v.actual, v.expected) << v.what << ": got " << std::hexfloat << v.actual;
    if (!std::isnan(v.wrong)) {
      EXPECT_NE(v.expected, v.wrong) << v.what << ": the vector does not discriminate";
    }
  }
  // The binary64 comparison code reproduces the named all-binary64 values.
  EXPECT_EQ(binary64::DistanceCubed(0.1, 0.2, 0.3), 0x1.ad1f8a30d8895p-5);
  EXPECT_EQ(binary64::DistanceCubed(0.3, 0.7), 0x1.c450e5223d0eap-2);
  EXPECT_EQ(spatial1Binary64[2], -0x1.5b891ccdb0425p-9);
  EXPECT_EQ(planar100Binary64[1], 0x1.b803590e71ef6p+7);
}

TEST(CoreConstants, HaveTheirExactBitPatterns) {
  struct Row {
    const char* what;
    Extended value;
    ExtendedBits bits;
  };
  using S = StepConstants<Model::Spatial>;
  using P = StepConstants<Model::Planar>;
  const Row rows[] = {
      {"spatial h/2", S::halfH, {0x3FFD, 0x8000000000000000}},
      {"spatial h", S::h, {0x3FFE, 0x8000000000000000}},
      {"spatial 2", S::two, {0x4000, 0x8000000000000000}},
      {"spatial h/6", S::sixthH, {0x3FFB, 0xAAAAAAAAAAAAAAAB}},
      {"planar h/2", P::halfH, {0x3FFD, 0xE666666666666666}},
      {"planar h", P::h, {0x3FFE, 0xE666666666666666}},
      {"planar 2", P::two, {0x4000, 0x8000000000000000}},
      {"planar h/6", P::sixthH, {0x3FFC, 0x9999999999999999}},
      {"AspectDivisor", AspectDivisor, {0x3FFF, 0xAC3C9EECBFB15B57}},
  };
  for (const Row& r : rows) {
    const ExtendedBits b = BitsOf(r.value);
    EXPECT_EQ(b.signExponent, r.bits.signExponent) << r.what;
    EXPECT_EQ(b.significand, r.bits.significand) << r.what << std::hex << " got " << b.significand;
    EXPECT_EQ(BitsOf(Extended::FromBits(r.bits.signExponent, r.bits.significand)), r.bits) << r.what;
  }
}

TEST(ForceModel, OddComponentIsTheVelocityBitForBit) {
  ModelState<Model::Planar> s = kOrbit2dA.initialState;
  s[4] = -0.0;
  s[8] = 0x1.fffffffffffffp+1023;
  EXPECT_TRUE(std::signbit(Derivative<Model::Planar>(3, s, kOrbit2dA)));
  EXPECT_EQ(Derivative<Model::Planar>(7, s, kOrbit2dA), s[8]);
  EXPECT_EQ(Derivative<Model::Planar>(1, s, kOrbit2dA), -1.8);
}

TEST(ForceModel, ZeroCouplingLeavesTheCentralTermAlone) {
  const ModelState<Model::Planar>& s = kOrbit2dD.initialState;
  for (ComponentIndex i : {2, 4, 6, 8}) {
    const ComponentIndex j = static_cast<ComponentIndex>(i - 1);
    const double r = i <= 4 ? DistanceCubed(s[1], s[3]) : DistanceCubed(s[5], s[7]);
    EXPECT_EQ(Derivative<Model::Planar>(i, s, kOrbit2dD), D((Extended{s[j]} * kOrbit2dD.centralCoefficient) / Extended{r}))
        << "component " << i;
  }
}

// With both couplings zero, each body's trajectory ignores where the other one is.
TEST(ForceModel, ZeroCouplingMakesBodiesIndependent) {
  PlanarParameters moved = kOrbit2dE;
  moved.initialState[5] = -300;
  moved.initialState[6] = 0.25;
  moved.initialState[7] = 120;
  moved.initialState[8] = 2;
  PlanarParameters moved1 = kOrbit2dD;
  moved1.initialState[1] = 33;
  moved1.initialState[4] = 3.5;
  const auto a = Steps(kOrbit2dE, 500), b = Steps(moved, 500);
  const auto c = Steps(kOrbit2dD, 500), d = Steps(moved1, 500);
  for (ComponentIndex i = 1; i <= 4; ++i) EXPECT_EQ(a[i], b[i]) << "body 1, component " << i;
  for (ComponentIndex i = 5; i <= 8; ++i) EXPECT_EQ(c[i], d[i]) << "body 2, component " << i;
  EXPECT_NE(a[5], b[5]);
}

}  // namespace
