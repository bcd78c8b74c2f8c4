// Surface: the drawing surface as 8-bit palette indices, and the raster
// operations on it. Plain data and plain functions; no locking here.
//
// Every operation clips each pixel to the surface by itself and grows
// `changed` by the pixels it set, so callers can tell a window what to
// repaint. Coordinates are ints; the library's API has
// already narrowed them to signed 16 bits.
#pragma once

#include <cstdint>
#include <vector>

struct Rect {
  int x0 = 0, y0 = 0, x1 = -1, y1 = -1;  // inclusive; x1 < x0 means empty

  bool Empty() const { return x1 < x0 || y1 < y0; }
  void Add(int x, int y) {
    if (Empty()) {
      x0 = x1 = x;
      y0 = y1 = y;
      return;
    }
    if (x < x0) x0 = x;
    if (x > x1) x1 = x;
    if (y < y0) y0 = y;
    if (y > y1) y1 = y;
  }
  void Add(const Rect& r) {
    if (r.Empty()) return;
    Add(r.x0, r.y0);
    Add(r.x1, r.y1);
  }
};

struct Surface {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;  // row-major, width * height

  // Flood fill's scratch, sized with the surface so a fill allocates nothing.
  std::vector<std::uint8_t> fillSeen;
  std::vector<std::uint32_t> fillStack;

  // Sizes the surface (allocating) and clears it to colour 0.
  void Reset(int w, int h);
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
  std::uint8_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// A single pixel, if it lies on the surface.
void RasterPixel(Surface& s, Rect& changed, int x, int y, std::uint8_t colour);
// A one-pixel-wide straight line, both end points included.
void RasterLine(Surface& s, Rect& changed, int x1, int y1, int x2, int y2, std::uint8_t colour);
// The outline as four lines sharing no end point: top, left, right, bottom.
void RasterRectangle(Surface& s, Rect& changed, int x1, int y1, int x2, int y2, std::uint8_t colour);
// A one-pixel-wide circle outline, equally round across and up.
void RasterCircle(Surface& s, Rect& changed, int x, int y, int radius, std::uint8_t colour);
// Paints the 4-connected region holding (x, y) that is bounded by `border`.
// Nothing when (x, y) is off the surface or is itself of the border colour.
void RasterFloodFill(Surface& s, Rect& changed, int x, int y, std::uint8_t border, std::uint8_t colour);
// Text in the built-in 8x8 cells, top-left of the first cell at (x, y); only
// glyph pixels are set. Nothing when (x, y) is off the surface.
void RasterText(Surface& s, Rect& changed, int x, int y, const char* text, std::uint8_t colour);
