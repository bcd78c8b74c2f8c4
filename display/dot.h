// DrawDot: the 2x2 square of a planar body, top-left pixel at (x, y).
//
// Sets (x, y), (x, y+1), (x+1, y), (x+1, y+1) in that order, each clipped by
// itself, and leaves `colour` as the current drawing colour. Colour 0 erases.
#pragma once

#include <cstdint>

#include "graph/graph.h"

inline void DrawDot(std::int16_t x, std::int16_t y, std::uint16_t colour) {
  SetColor(colour);
  // x + 1 and y + 1 from the signed values, narrowed to 16 bits.
  Rectangle(x, y, static_cast<std::int16_t>(x + 1), static_cast<std::int16_t>(y + 1));
}
