// Extended: the one type through which all extended-precision arithmetic goes.
//
// Every arithmetic operation of the simulation and of the screen mapping is an
// operation on Extended values (64-bit significand, round to nearest, ties to
// even, each operation rounded once). Stored values are binary64 doubles; they
// enter with Extended{d} (exact) and leave only through D(), which rounds the
// extended value to binary64. Nothing else converts.
//
// This implementation is the x87 unit, reached through the compiler's 80-bit
// `long double`. A portable implementation can replace this header without
// touching the force model, the stepper or the display: they use only what is
// declared here.
//
// What the code relies on (see the README's build notes):
//  - `long double` is the x87 80-bit format (checked below and at configure);
//  - the x87 precision control is 64 bits (the Linux default, and part of the
//    program's floating-point environment);
//  - no flag that reassociates, contracts or narrows (-ffast-math and friends).
#pragma once

#include <cfloat>
#include <cstdint>

static_assert(LDBL_MANT_DIG == 64 && LDBL_MAX_EXP == 16384,
              "orbits needs long double to be the x87 80-bit extended format "
              "(64-bit significand); this target's long double is not, and a "
              "build here would give wrong trajectories");

class Extended {
 public:
  // A binary64 value, exactly.
  constexpr explicit Extended(double d) : value(d) {}
  // An extended value given by its own bits: the 16-bit sign-and-exponent
  // field and the 64-bit significand (explicit leading bit included).
  static constexpr Extended FromBits(std::uint16_t signExponent,
                                     std::uint64_t significand);
  // The extended value nearest to a decimal literal, e.g. Extended::Literal(0.9L).
  static constexpr Extended Literal(long double v) { return Extended(v, 0); }

  // The x87 value itself, for the platform layer's own conversions (Round).
  constexpr long double raw() const { return value; }

 private:
  long double value;
  constexpr Extended(long double v, int) : value(v) {}
  friend constexpr Extended operator+(Extended, Extended);
  friend constexpr Extended operator-(Extended, Extended);
  friend constexpr Extended operator*(Extended, Extended);
  friend constexpr Extended operator/(Extended, Extended);
  friend Extended Sqrt(Extended);
  friend constexpr double D(Extended);
};

constexpr Extended operator+(Extended a, Extended b) { return {a.value + b.value, 0}; }
constexpr Extended operator-(Extended a, Extended b) { return {a.value - b.value, 0}; }
constexpr Extended operator*(Extended a, Extended b) { return {a.value * b.value, 0}; }
constexpr Extended operator/(Extended a, Extended b) { return {a.value / b.value, 0}; }

// Square root, correctly rounded to 64 bits (fsqrt).
inline Extended Sqrt(Extended a) { return {__builtin_sqrtl(a.value), 0}; }

// D(v): round to binary64, to nearest, ties to even. Overflow here is an x87
// overflow exception, which the program's environment turns into a fault.
constexpr double D(Extended v) { return static_cast<double>(v.value); }

// Takes any fault that an earlier operation left pending. The x87 unit reports
// a fault at its next floating-point instruction; the stepper calls this at
// the end of a step so that a step that faulted never hands back its result.
inline void RaisePendingFaults() { __asm__ volatile("fwait" ::: "memory"); }

// A compiler-only fence between the computations of two components. Left to
// itself the compiler interleaves several components, which overflows the
// x87's eight registers and spills 80-bit values through memory; one
// component at a time keeps them in registers. No value changes.
inline void OneComponentAtATime() { __asm__ volatile("" ::: "memory"); }

constexpr Extended Extended::FromBits(std::uint16_t signExponent,
                                      std::uint64_t significand) {
  // significand * 2^(exponent - 16383 - 63), formed exactly: a 64-bit integer
  // converts to long double without rounding and scaling by 2 is exact.
  long double v = static_cast<long double>(significand);
  int exponent = (signExponent & 0x7FFF) - 16383 - 63;
  for (; exponent > 0; --exponent) v *= 2;
  for (; exponent < 0; ++exponent) v /= 2;
  return {(signExponent & 0x8000) ? -v : v, 0};
}

// The bits of an extended value, as FromBits takes them (for tests and dumps).
struct ExtendedBits {
  std::uint16_t signExponent;
  std::uint64_t significand;
  friend bool operator==(const ExtendedBits&, const ExtendedBits&) = default;
};

inline ExtendedBits BitsOf(Extended e) {
  unsigned char bytes[sizeof(long double)] = {};
  const long double v = e.raw();
  __builtin_memcpy(bytes, &v, 10);
  ExtendedBits b{0, 0};
  for (int i = 7; i >= 0; --i) b.significand = (b.significand << 8) | bytes[i];
  b.signExponent = static_cast<std::uint16_t>(bytes[8] | (bytes[9] << 8));
  return b;
}
