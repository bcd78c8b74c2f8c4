// Screen mapping: model coordinates to pixel columns and rows.
//
//   column = low16(centreX   + Round(x))
//   row    = low16(centreRow − Round(y ÷ AspectDivisor))
//
// x is not scaled; y is divided by 1.3456 in extended precision (one rounding,
// to 64 bits) and turned over, so positive values lie above the centre. The
// sums are 32-bit two's complement and only their low 16 bits are kept: no
// range check and no clamping, a far point wraps and may come back on screen.
// A value that cannot be rounded to 32 bits is the run-time error stop (207).
#pragma once

#include <cstdint>

#include "core/extended.h"
#include "runtime/round.h"

// The extended value nearest 1.3456: 3FFF AC3C9EECBFB15B57.
inline constexpr Extended AspectDivisor = Extended::Literal(1.3456L);

// The low 16 bits of a 32-bit value, read as signed.
constexpr std::int16_t Low16(std::int32_t v) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(static_cast<std::uint32_t>(v)));
}

inline std::int16_t PixelX(double coordinate, std::int16_t centreX) {
  const std::int32_t r = Round(Extended{coordinate});
  return Low16(static_cast<std::int32_t>(static_cast<std::uint32_t>(centreX) + static_cast<std::uint32_t>(r)));
}

inline std::int16_t PixelY(double coordinate, std::int16_t centreRow) {
  const std::int32_t r = Round(Extended{coordinate} / AspectDivisor);
  return Low16(static_cast<std::int32_t>(static_cast<std::uint32_t>(centreRow) - static_cast<std::uint32_t>(r)));
}
