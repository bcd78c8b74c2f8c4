// The raster operations of the drawing surface.
#include "graph/surface.h"

#include <algorithm>
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

void RasterPixel(Surface& s, Rect& changed, int x, int y, std::uint8_t colour) {
  Set(s, changed, x, y, colour);
}

void RasterLine(Surface& s, Rect& changed, int x1, int y1, int x2, int y2, std::uint8_t colour) {
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
}

namespace {

// The pixels a..b (either order) of row y, clipped once.
inline void Row(Surface& s, Rect& changed, int y, int a, int b, std::uint8_t colour) {
  if (a > b) std::swap(a, b);
  if (y < 0 || y >= s.height || b < 0 || a >= s.width) return;
  a = std::max(a, 0), b = std::min(b, s.width - 1);
  std::uint8_t* row = &s.pixels[static_cast<std::size_t>(y) * s.width];
  for (int x = a; x <= b; ++x) row[x] = colour;
  changed.Add(a, y), changed.Add(b, y);
}

// The pixels a..b (either order) of column x, clipped once.
inline void Column(Surface& s, Rect& changed, int x, int a, int b, std::uint8_t colour) {
  if (a > b) std::swap(a, b);
  if (x < 0 || x >= s.width || b < 0 || a >= s.height) return;
  a = std::max(a, 0), b = std::min(b, s.height - 1);
  for (int y = a; y <= b; ++y) s.pixels[static_cast<std::size_t>(y) * s.width + x] = colour;
  changed.Add(x, a), changed.Add(x, b);
}

}  // namespace

void RasterRectangle(Surface& s, Rect& changed, int x1, int y1, int x2, int y2, std::uint8_t colour) {
  if (x1 < x2 && y1 < y2 && s.Contains(x1, y1) && s.Contains(x2, y2)) {
    // Wholly on the surface, corners in order (every dot of the programs):
    // the outline's pixels straight away.
    std::uint8_t* top = &s.pixels[static_cast<std::size_t>(y1) * s.width];
    std::uint8_t* bottom = &s.pixels[static_cast<std::size_t>(y2) * s.width];
    for (int x = x1; x <= x2; ++x) top[x] = bottom[x] = colour;
    for (std::uint8_t* row = top + s.width; row < bottom; row += s.width) row[x1] = row[x2] = colour;
    changed.Add(x1, y1), changed.Add(x2, y2);
    return;
  }
  // The four lines are horizontal and vertical: the same pixels as RasterLine
  // gives them, drawn as clipped spans.
  Row(s, changed, y1, x1, x2 - 1, colour);     // top
  Column(s, changed, x1, y1 + 1, y2, colour);  // left
  Column(s, changed, x2, y1, y2 - 1, colour);  // right
  Row(s, changed, y2, x1 + 1, x2, colour);     // bottom
}

void RasterCircle(Surface& s, Rect& changed, int cx, int cy, int radius, std::uint8_t colour) {
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
}

void RasterFloodFill(Surface& s, Rect& changed, int x, int y, std::uint8_t border, std::uint8_t colour) {
  if (!s.Contains(x, y) || s.At(x, y) == border) return;
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
}

void RasterText(Surface& s, Rect& changed, int x, int y, const char* text, std::uint8_t colour) {
  if (!s.Contains(x, y)) return;
  for (int cell = 0; text[cell] != '\0'; ++cell) {
    const std::uint8_t* rows = GlyphRows(static_cast<unsigned char>(text[cell]));
    if (rows == nullptr) continue;
    const int left = x + 8 * cell;
    if (left >= s.width) break;
    for (int row = 0; row < 8; ++row)
      for (int col = 0; col < 8; ++col)
        if (rows[row] & (0x80 >> col)) Set(s, changed, left + col, y + row, colour);
  }
}
