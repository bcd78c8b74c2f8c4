// The raster operations of the drawing surface.
#include "graph/surface.h"

#include <cstdlib>
#include <cstring>

#include "graph/font8x8.h"

namespace {

inline void Set(Surface& s, Rect& changed, int x, int y, std::uint8_t colour) {
  if (!s.Contains(x, y)) return;
  s.pixels[static_cast<std::size_t>(y) * s.width + x] = colour;
  changed.Add(x, y);
}

}  // namespace

void Surface::Reset(int w, int h) {
  width = w;
  height = h;
  const std::size_t n = static_cast<std::size_t>(w) * static_cast<std::size_t>(h);
  pixels.assign(n, 0);
  fillSeen.assign(n, 0);
  fillStack.assign(n, 0);
}

Rect RasterPixel(Surface& s, int x, int y, std::uint8_t colour) {
  Rect changed;
  Set(s, changed, x, y, colour);
  return changed;
}

Rect RasterLine(Surface& s, int x1, int y1, int x2, int y2, std::uint8_t colour) {
  Rect changed;
  const int dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1);
  const int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
  int error = dx + dy;
  for (;;) {
    Set(s, changed, x1, y1, colour);
    if (x1 == x2 && y1 == y2) break;
    const int e2 = 2 * error;
    if (e2 >= dy) error += dy, x1 += sx;
    if (e2 <= dx) error += dx, y1 += sy;
  }
  return changed;
}

Rect RasterRectangle(Surface& s, int x1, int y1, int x2, int y2, std::uint8_t colour) {
  Rect changed = RasterLine(s, x1, y1, x2 - 1, y1, colour);  // top
  changed.Add(RasterLine(s, x1, y1 + 1, x1, y2, colour));    // left
  changed.Add(RasterLine(s, x2, y1, x2, y2 - 1, colour));    // right
  changed.Add(RasterLine(s, x1 + 1, y2, x2, y2, colour));    // bottom
  return changed;
}

Rect RasterCircle(Surface& s, int cx, int cy, int radius, std::uint8_t colour) {
  Rect changed;
  // Midpoint circle: one point per column in each octant, mirrored eight ways.
  int x = 0, y = radius, d = 1 - radius;
  while (x <= y) {
    const int px[8] = {x, y, y, x, -x, -y, -y, -x};
    const int py[8] = {y, x, -x, -y, -y, -x, x, y};
    for (int k = 0; k < 8; ++k) Set(s, changed, cx + px[k], cy + py[k], colour);
    if (d < 0) {
      d += 2 * x + 3;
    } else {
      d += 2 * (x - y) + 5;
      --y;
    }
    ++x;
  }
  return changed;
}

Rect RasterFloodFill(Surface& s, int x, int y, std::uint8_t border, std::uint8_t colour) {
  Rect changed;
  if (!s.Contains(x, y) || s.At(x, y) == border) return changed;
  const std::uint32_t w = static_cast<std::uint32_t>(s.width);
  std::memset(s.fillSeen.data(), 0, s.fillSeen.size());
  // Each pixel is marked when pushed, so the stack never holds more than the
  // surface has pixels: no recursion, no growth.
  std::size_t top = 0;
  auto push = [&](std::uint32_t at) {
    if (s.fillSeen[at] || s.pixels[at] == border) return;
    s.fillSeen[at] = 1;
    s.fillStack[top++] = at;
  };
  push(static_cast<std::uint32_t>(y) * w + static_cast<std::uint32_t>(x));
  while (top > 0) {
    const std::uint32_t at = s.fillStack[--top];
    const int px = static_cast<int>(at % w), py = static_cast<int>(at / w);
    s.pixels[at] = colour;
    changed.Add(px, py);
    if (px > 0) push(at - 1);
    if (px + 1 < s.width) push(at + 1);
    if (py > 0) push(at - w);
    if (py + 1 < s.height) push(at + w);
  }
  return changed;
}

Rect RasterText(Surface& s, int x, int y, const char* text, std::uint8_t colour) {
  Rect changed;
  if (!s.Contains(x, y)) return changed;
  for (int cell = 0; text[cell] != '\0'; ++cell) {
    const std::uint8_t* rows = GlyphRows(static_cast<unsigned char>(text[cell]));
    if (rows == nullptr) continue;
    const int left = x + 8 * cell;
    if (left >= s.width) break;
    for (int row = 0; row < 8; ++row)
      for (int col = 0; col < 8; ++col)
        if (rows[row] & (0x80 >> col)) Set(s, changed, left + col, y + row, colour);
  }
  return changed;
}
