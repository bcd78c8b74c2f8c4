// Round: an extended value to the nearest signed 32-bit integer, halves to the
// even neighbour, whatever rounding the surrounding code uses.
//
// The conversion sets round-to-nearest with a 64-bit significand for itself and
// restores the caller's control word. A value out of range or not a number is
// an x87 invalid operation: in the program's environment that is the run-time
// error stop (207); with invalid operations masked the result is INT32_MIN.
#pragma once

#include <cstdint>

#include "core/extended.h"

inline std::int32_t Round(Extended value) {
  std::uint16_t saved;
  __asm__ volatile("fnstcw %0" : "=m"(saved));
  const std::uint16_t nearest = static_cast<std::uint16_t>((saved & ~0x0F00) | 0x0300);
  std::int32_t result;
  if (saved == nearest) {  // already round-to-nearest, 64 bits: the program's case
    __asm__ volatile(
        "fistpl %0\n\t"
        "fwait"
        : "=m"(result)
        : "t"(value.raw())
        : "st");
    return result;
  }
  // fwait raises a pending invalid operation here, at the conversion, before
  // the caller's control word comes back.
  __asm__ volatile(
      "fldcw %2\n\t"
      "fistpl %0\n\t"
      "fwait\n\t"
      "fldcw %3"
      : "=m"(result)
      : "t"(value.raw()), "m"(nearest), "m"(saved)
      : "st");
  return result;
}
