// The Graph library's front: drawing settings, the not-in-graphics-mode stop,
// and every drawing call as one locked change of the shared surface.
#include "graph/graph.h"

#include <cstdio>
#include <cstdlib>

#include "graph/graph_platform.h"
#include "runtime/runtime.h"

GraphShared graphShared;

namespace {

struct Settings {
  bool inGraphicsMode = false;
  std::int16_t result = grNoInitGraph;
  std::uint8_t colour = 15;
  std::uint8_t background = 0;
  std::uint16_t fillPattern = SolidFill;
  std::uint8_t fillColour = 15;
};
Settings settings;
ChangeObserver observer = nullptr;

// True when drawing may go ahead; ends the process when not in graphics mode.
bool Ready() {
  if (!settings.inGraphicsMode) {
    std::fputs("Error: Not in graphics mode (use InitGraph and test GraphResult afterwards)\n", stderr);
    std::exit(1);
  }
  return !graphShared.windowClosed.load(std::memory_order_relaxed);
}

// Runs one raster operation under the lock and records what it changed.
template <typename Draw>
void Change(Draw draw) {
  if (!Ready()) return;
  Rect changed;
  {
    std::lock_guard<std::mutex> hold(graphShared.lock);
    draw(graphShared.surface, changed);
    graphShared.dirty.Add(changed);
  }
  if (observer != nullptr && !changed.Empty()) observer(changed);
}

std::uint8_t Index(std::uint16_t colour) { return static_cast<std::uint8_t>(colour); }

}  // namespace

void InitGraph(std::int16_t& driver, std::int16_t& mode, const char*) {
  static const bool closesOnExit = (runtime::AddExitHook(BackendClose), true);
  (void)closesOnExit;
  settings = Settings{};
  settings.inGraphicsMode = BackendOpen(driver, mode);
  settings.result = settings.inGraphicsMode ? grOk : grNotDetected;
}

// The result of the last operation that sets one; reading it resets it.
std::int16_t GraphResult() {
  const std::int16_t r = settings.result;
  if (settings.inGraphicsMode) settings.result = grOk;
  return r;
}

std::int16_t GetMaxX() { return static_cast<std::int16_t>(graphShared.surface.width - 1); }
std::int16_t GetMaxY() { return static_cast<std::int16_t>(graphShared.surface.height - 1); }

void SetBkColor(std::uint16_t colour) {
  if (Ready()) settings.background = Index(colour);
}
void SetColor(std::uint16_t colour) {
  if (Ready()) settings.colour = Index(colour);
}
void SetFillStyle(std::uint16_t pattern, std::uint16_t colour) {
  if (!Ready()) return;
  settings.fillPattern = pattern;
  settings.fillColour = Index(colour);
}

void PutPixel(std::int16_t x, std::int16_t y, std::uint16_t colour) {
  Change([&](Surface& s, Rect& changed) { RasterPixel(s, changed, x, y, Index(colour)); });
}

void Line(std::int16_t x1, std::int16_t y1, std::int16_t x2, std::int16_t y2) {
  Change([&](Surface& s, Rect& changed) { RasterLine(s, changed, x1, y1, x2, y2, settings.colour); });
}

void Rectangle(std::int16_t x1, std::int16_t y1, std::int16_t x2, std::int16_t y2) {
  Change([&](Surface& s, Rect& changed) { RasterRectangle(s, changed, x1, y1, x2, y2, settings.colour); });
}

void Circle(std::int16_t x, std::int16_t y, std::uint16_t radius) {
  Change([&](Surface& s, Rect& changed) { RasterCircle(s, changed, x, y, radius, settings.colour); });
}

void FloodFill(std::int16_t x, std::int16_t y, std::uint16_t border) {
  const std::uint8_t fill = settings.fillPattern == EmptyFill ? settings.background : settings.fillColour;
  Change([&](Surface& s, Rect& changed) { RasterFloodFill(s, changed, x, y, Index(border), fill); });
}

void OutTextXY(std::int16_t x, std::int16_t y, const char* text) {
  Change([&](Surface& s, Rect& changed) { RasterText(s, changed, x, y, text, settings.colour); });
}

SurfaceCopy CopySurface() {
  std::lock_guard<std::mutex> hold(graphShared.lock);
  return {graphShared.surface.width, graphShared.surface.height, graphShared.surface.pixels};
}

void SetChangeObserver(ChangeObserver o) { observer = o; }
