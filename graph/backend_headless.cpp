// The headless backend: the same surface and raster, no window.
#include "graph/graph.h"
#include "graph/graph_platform.h"

namespace {
int headlessWidth = 1920;
int headlessHeight = 1080;
}  // namespace

void SetHeadlessSize(int width, int height) {
  headlessWidth = width;
  headlessHeight = height;
}

bool BackendOpen(std::int16_t& driver, std::int16_t& mode) {
  {
    std::lock_guard<std::mutex> hold(graphShared.lock);
    graphShared.surface.Reset(headlessWidth, headlessHeight);
    graphShared.dirty = Rect{};
  }
  driver = SurfaceDriver;
  mode = ScreenMode;
  return true;
}

void BackendClose() {}
