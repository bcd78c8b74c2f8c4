// The built-in 8x8 font of the raster: one bitmap per printable ASCII
// character, bit 7 of each row byte is the cell's leftmost pixel.
#pragma once

#include <cstdint>

inline constexpr int kFontFirst = 0x20;  // space
inline constexpr int kFontGlyphs = 95;   // 0x20..0x7E

struct FontTable {
  std::uint8_t rows[kFontGlyphs][8];
};

extern const FontTable kFont;

// The glyph rows of character c, or nullptr for one the font does not draw.
inline const std::uint8_t* GlyphRows(unsigned char c) {
  if (c < kFontFirst || c >= kFontFirst + kFontGlyphs) return nullptr;
  return kFont.rows[c - kFontFirst];
}
