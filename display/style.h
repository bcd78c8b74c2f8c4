// The constants of the two display styles: colours and disc radii.
#pragma once

#include <cstdint>

struct SpatialStyle {
  static constexpr std::uint16_t backgroundColour = 0;  // black
  static constexpr std::uint16_t discRadius = 45;
  static constexpr std::uint16_t discColour = 1;        // blue
  static constexpr std::uint16_t labelColour = 7;       // light grey
  static constexpr std::uint16_t bodyColour1 = 11;      // light cyan
  static constexpr std::uint16_t bodyColour2 = 12;      // light red
  static constexpr const char* upperLabel = "Rovina xz";
  static constexpr const char* lowerLabel = "Rovina xy";
};

struct PlanarStyle {
  static constexpr std::uint16_t backgroundColour = 0;  // black
  static constexpr std::uint16_t discRadius = 9;
  static constexpr std::uint16_t discColour = 14;       // yellow
  static constexpr std::uint16_t bodyColour1 = 11;      // light cyan
  static constexpr std::uint16_t bodyColour2 = 12;      // light red
  static constexpr std::uint16_t eraseColour = 0;       // black
  static constexpr std::uint16_t trailColour1 = 1;      // blue
  static constexpr std::uint16_t trailColour2 = 4;      // red
};
