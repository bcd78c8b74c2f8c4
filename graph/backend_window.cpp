// The window backend: the surface shown in a desktop window through SDL2.
//
// The window thread is this file's own. It sets the default (masked)
// floating-point environment for itself, creates the window, runs the event
// loop and repaints the window from the surface. A drawing call on the
// program's thread changes the surface and grows its dirty rectangle under
// graphShared.lock; the window thread copies the dirty part to the window
// under the same lock at least once a frame. Keys reaching the window are
// dropped. Closing the window ends the thread and makes drawing a no-op.
#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <time.h>

#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>

#include "graph/graph.h"
#include "graph/graph_platform.h"
#include "graph/palette.h"

namespace {

constexpr const char* kTitle = "Graph window application";
constexpr Uint32 kFrameMs = 4;  // the thread repaints well within a 60 Hz frame

enum class Opening { Pending, Open, Failed };

// Start-up handshake between InitGraph and the window thread.
std::mutex openingLock;
std::condition_variable openingDone;
Opening opening = Opening::Pending;

std::atomic<bool> closeRequested{false};
std::atomic<bool> windowGone{true};

// An environment variable that is set to something.
bool Named(const char* variable) {
  const char* value = std::getenv(variable);
  return value != nullptr && *value != '\0';
}

bool DisplayNamed() { return Named("DISPLAY") || Named("WAYLAND_DISPLAY"); }

void Fail(const char* message) {
  // A message box where one can be shown, standard error where none can.
  if (!DisplayNamed() || SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, kTitle, message, nullptr) != 0)
    std::fprintf(stderr, "%s\n", message);
  std::lock_guard<std::mutex> hold(openingLock);
  opening = Opening::Failed;
  openingDone.notify_all();
}

bool RealVideoDriver() {
  const char* name = SDL_GetCurrentVideoDriver();
  return name != nullptr && std::strcmp(name, "offscreen") != 0 && std::strcmp(name, "dummy") != 0 &&
         std::strcmp(name, "evdev") != 0;
}

// True when a window manager runs on the window's X display (it then
// maximises the window and decides the size of its client area).
bool WindowManagerRuns(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return false;
  Display* d = info.info.x11.display;
  const Atom check = XInternAtom(d, "_NET_SUPPORTING_WM_CHECK", True);
  if (check == None) return false;
  Atom type;
  int format;
  unsigned long items = 0, after;
  unsigned char* data = nullptr;
  const bool found = XGetWindowProperty(d, DefaultRootWindow(d), check, 0, 1, False, XA_WINDOW, &type, &format,
                                        &items, &after, &data) == Success &&
                     items == 1;
  if (data != nullptr) XFree(data);
  return found;
}

// The size of the window's client area once it is maximised: with a window
// manager, after it has answered (a bounded wait); without one, as created.
void ClientSize(SDL_Window* window, int& width, int& height) {
  if (WindowManagerRuns(window)) {
    const Uint32 until = SDL_GetTicks() + 500;
    bool maximised = false;
    while (!maximised && SDL_GetTicks() < until) {
      SDL_Event e;
      if (SDL_WaitEventTimeout(&e, 10) && e.type == SDL_WINDOWEVENT &&
          e.window.event == SDL_WINDOWEVENT_MAXIMIZED)
        maximised = true;
      if (SDL_GetWindowFlags(window) & SDL_WINDOW_MAXIMIZED) maximised = true;
    }
    SDL_PumpEvents();
  }
  SDL_GetWindowSize(window, &width, &height);
}

// Copies the dirty part of the surface to the window; all of it when `all`.
// Under the lock only the palette indices are copied, to this thread's own
// copy of the surface (`shown`); the conversion to the window's pixels and
// the upload happen outside it.
void Repaint(SDL_Window* window, Surface& shown, SDL_Surface* indexed, bool all) {
  SDL_Surface* target = SDL_GetWindowSurface(window);
  if (target == nullptr) return;
  Rect d;
  {
    std::lock_guard<std::mutex> hold(graphShared.lock);
    const Surface& live = graphShared.surface;
    d = all ? Rect{0, 0, live.width - 1, live.height - 1} : graphShared.dirty;
    graphShared.dirty = Rect{};
    if (d.Empty()) return;
    for (int y = d.y0; y <= d.y1; ++y) {
      const std::size_t at = static_cast<std::size_t>(y) * live.width + d.x0;
      std::memcpy(&shown.pixels[at], &live.pixels[at], static_cast<std::size_t>(d.x1 - d.x0 + 1));
    }
  }
  SDL_Rect r{d.x0, d.y0, d.x1 - d.x0 + 1, d.y1 - d.y0 + 1};
  SDL_Rect to = r;
  SDL_BlitSurface(indexed, &r, target, &to);
  SDL_UpdateWindowSurfaceRects(window, &r, 1);
}

// An X request about a window that is already gone (the user closed it, or
// the process is ending) fails quietly instead of ending the process, which
// is what Xlib's own handler would do.
int IgnoreXErrors(Display*, XErrorEvent*) { return 0; }

void WindowThread() {
  // The program's environment unmasks x87 faults; this thread uses the default.
  __asm__ volatile("fninit");
  const unsigned mxcsr = 0x1F80;
  __asm__ volatile("ldmxcsr %0" : : "m"(mxcsr));

  XSetErrorHandler(IgnoreXErrors);
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
  // The window's own framebuffer, not a texture: the pixels reach the screen
  // as they are, and the window is never re-created behind our back.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  // No display named: no window can be had, and SDL would only fall back to an
  // off-screen driver.
  if (!DisplayNamed()) return Fail("Window creation failed");
  // Only the named display counts: no quiet fall-back to another driver.
  if (std::getenv("SDL_VIDEODRIVER") == nullptr && !Named("WAYLAND_DISPLAY")) SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
  if (SDL_Init(SDL_INIT_VIDEO) != 0) return Fail("Window registration failed");
  SDL_Rect usable;
  if (!RealVideoDriver() || SDL_GetDisplayUsableBounds(0, &usable) != 0 || usable.w <= 0 || usable.h <= 0)
    return Fail("Window creation failed");
  SDL_Window* window = SDL_CreateWindow(kTitle, usable.x, usable.y, usable.w, usable.h,
                                        SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE | SDL_WINDOW_MAXIMIZED);
  if (window == nullptr) return Fail("Window creation failed");
  SDL_StopTextInput();

  // The drawing surface is the maximised window's client area.
  int width = usable.w, height = usable.h;
  ClientSize(window, width, height);
  if (width <= 0 || height <= 0) width = usable.w, height = usable.h;
  {
    std::lock_guard<std::mutex> hold(graphShared.lock);
    graphShared.surface.Reset(width, height);
    graphShared.dirty = Rect{};
  }
  Surface shown;  // what the window shows, as palette indices
  shown.width = width, shown.height = height;
  shown.pixels.assign(static_cast<std::size_t>(width) * height, 0);
  SDL_Surface* indexed = SDL_CreateRGBSurfaceWithFormatFrom(shown.pixels.data(), shown.width, shown.height, 8,
                                                            shown.width, SDL_PIXELFORMAT_INDEX8);
  if (indexed == nullptr) return SDL_DestroyWindow(window), Fail("Window creation failed");
  SDL_Color colours[kPaletteSize];
  for (int i = 0; i < kPaletteSize; ++i) {
    const Rgb c = PaletteColour(static_cast<std::uint8_t>(i));
    colours[i] = SDL_Color{c.r, c.g, c.b, 255};
  }
  SDL_SetPaletteColors(indexed->format->palette, colours, 0, kPaletteSize);

  // Shown and painted black before InitGraph returns.
  SDL_PumpEvents();
  Repaint(window, shown, indexed, true);
  windowGone.store(false);
  {
    std::lock_guard<std::mutex> hold(openingLock);
    opening = Opening::Open;
    openingDone.notify_all();
  }

  bool open = true;
  while (open && !closeRequested.load()) {
    SDL_Event e;
    bool all = false;
    if (SDL_WaitEventTimeout(&e, kFrameMs)) {
      do {
        if (e.type == SDL_QUIT) open = false;
        if (e.type == SDL_WINDOWEVENT &&
            (e.window.event == SDL_WINDOWEVENT_CLOSE)) open = false;
        if (e.type == SDL_WINDOWEVENT &&
            (e.window.event == SDL_WINDOWEVENT_EXPOSED || e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED ||
             e.window.event == SDL_WINDOWEVENT_RESTORED || e.window.event == SDL_WINDOWEVENT_MAXIMIZED))
          all = true;
        // Keys and everything else: dropped.
      } while (SDL_PollEvent(&e));
    }
    if (open) Repaint(window, shown, indexed, all);
  }
  if (open == false) graphShared.windowClosed.store(true);
  SDL_DestroyWindow(window);
  SDL_FreeSurface(indexed);
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
  {
    std::lock_guard<std::mutex> hold(openingLock);
    opening = Opening::Pending;  // a later InitGraph opens a new window
  }
  windowGone.store(true);
}

}  // namespace

bool BackendOpen(std::int16_t& driver, std::int16_t& mode) {
  {
    std::lock_guard<std::mutex> hold(openingLock);
    if (opening == Opening::Open) {  // one window per process: start afresh on it
      std::lock_guard<std::mutex> holdSurface(graphShared.lock);
      std::fill(graphShared.surface.pixels.begin(), graphShared.surface.pixels.end(), 0);
      graphShared.dirty = Rect{0, 0, graphShared.surface.width - 1, graphShared.surface.height - 1};
      driver = SurfaceDriver, mode = ScreenMode;
      return true;
    }
    opening = Opening::Pending;
  }
  while (!windowGone.load()) std::this_thread::yield();  // the last window's thread is ending
  graphShared.windowClosed.store(false);
  closeRequested.store(false);
  std::thread(WindowThread).detach();
  std::unique_lock<std::mutex> wait(openingLock);
  openingDone.wait(wait, [] { return opening != Opening::Pending; });
  if (opening != Opening::Open) return false;
  driver = SurfaceDriver;
  mode = ScreenMode;
  return true;
}

void BackendClose() {
  if (windowGone.load()) return;
  closeRequested.store(true);
  // Wait for the window thread to take the window down, a bounded while.
  for (int i = 0; i < 500 && !windowGone.load(); ++i) {
    timespec ms{0, 1000000};
    nanosleep(&ms, nullptr);
  }
}
