// Test support: finding, reading back and closing a window on the X server.
#pragma once

#include <X11/Xlib.h>
#include <sys/types.h>

#include <string>
#include <vector>

#include "graph/palette.h"

struct WindowImage {
  int width = 0;
  int height = 0;
  std::vector<Rgb> pixels;
  Rgb At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

class X11Session {
 public:
  X11Session();  // connects to $DISPLAY
  ~X11Session();
  bool connected() const { return display_ != nullptr; }

  // The mapped top-level window with this title, of process pid (0: any);
  // 0 when none shows up within the time limit.
  Window WaitForWindow(const std::string& title, pid_t pid, int timeoutMs);
  std::string Title(Window w);
  void Size(Window w, int& width, int& height);
  bool IsMapped(Window w);
  // The window's content as the X server holds it.
  WindowImage Capture(Window w);
  // Asks the window to close, as the window manager's close button does.
  void RequestClose(Window w);
  // Types a key into the window.
  void TypeKey(Window w, const char* keysym);
  // The screen's size.
  void ScreenSize(int& width, int& height);

 private:
  Display* display_ = nullptr;
};
