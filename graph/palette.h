// The palette of the 256-colour surface. It never changes while a program
// runs. Indices 0-15 are the standard sixteen colours; the rest are black.
#pragma once

#include <array>
#include <cstdint>

struct Rgb {
  std::uint8_t r, g, b;
  friend constexpr bool operator==(Rgb, Rgb) = default;
};

inline constexpr int kPaletteSize = 256;

inline constexpr std::array<Rgb, 16> kStandardColours{{
    {0, 0, 0},        // 0 black
    {0, 0, 168},      // 1 blue
    {0, 168, 0},      // 2 green
    {0, 168, 168},    // 3 cyan
    {168, 0, 0},      // 4 red
    {168, 0, 168},    // 5 magenta
    {168, 84, 0},     // 6 brown
    {168, 168, 168},  // 7 light grey
    {84, 84, 84},     // 8 dark grey
    {84, 84, 252},    // 9 light blue
    {84, 252, 84},    // 10 light green
    {84, 252, 252},   // 11 light cyan
    {252, 84, 84},    // 12 light red
    {252, 84, 252},   // 13 light magenta
    {252, 252, 84},   // 14 yellow
    {252, 252, 252},  // 15 white
}};

constexpr Rgb PaletteColour(std::uint8_t index) {
  return index < kStandardColours.size() ? kStandardColours[index] : Rgb{0, 0, 0};
}
