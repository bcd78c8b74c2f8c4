// What the Graph library offers beyond the programs' calls: for tools and
// tests that read the surface, and the backends' shared state.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

#include "graph/surface.h"

// The surface and what the window needs to know of it. Drawing calls change
// `surface` and grow `dirty` under `lock`; the window thread copies the dirty
// part to the screen under the same lock.
struct GraphShared {
  std::mutex lock;
  Surface surface;
  Rect dirty;
  std::atomic<bool> windowClosed{false};  // the user closed the window
};
extern GraphShared graphShared;

// A backend opens the surface: sizes graphShared.surface and, for a window,
// starts the window thread. False (after showing why) when it cannot.
bool BackendOpen(std::int16_t& driver, std::int16_t& mode);
// Closes the window, if any: an exit hook, async-signal-safe.
void BackendClose();

// A copy of the surface as it stands, taken under the lock.
struct SurfaceCopy {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;
  std::uint8_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};
SurfaceCopy CopySurface();

// Called after every drawing call that changed pixels, with the changed
// rectangle, outside the lock. For tests that follow a run call by call.
using ChangeObserver = void (*)(const Rect& changed);
void SetChangeObserver(ChangeObserver observer);

// Headless backend only: the size of the surface that InitGraph opens
// (default 1920x1080). InitGraph may be called again to start afresh.
void SetHeadlessSize(int width, int height);
