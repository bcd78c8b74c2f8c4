#include "tests/support/x11_window.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>

namespace {

int Shift(unsigned long mask) {
  int s = 0;
  while (mask != 0 && (mask & 1) == 0) mask >>= 1, ++s;
  return s;
}

pid_t WindowPid(Display* d, Window w) {
  const Atom pidAtom = XInternAtom(d, "_NET_WM_PID", True);
  if (pidAtom == None) return 0;
  Atom type;
  int format;
  unsigned long items, after;
  unsigned char* data = nullptr;
  pid_t pid = 0;
  if (XGetWindowProperty(d, w, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &items, &after, &data) == Success &&
      data != nullptr && items == 1)
    pid = static_cast<pid_t>(*reinterpret_cast<unsigned long*>(data));
  if (data != nullptr) XFree(data);
  return pid;
}

}  // namespace

// Windows come and go under the tests' feet: a request about one that is
// gone fails quietly and reads as "no such window".
int lastError = 0;
int IgnoreErrors(Display*, XErrorEvent* e) {
  lastError = e->error_code;
  return 0;
}

X11Session::X11Session() {
  XSetErrorHandler(IgnoreErrors);
  // A busy server may turn a connection away for a moment: try for a while.
  const char* name = std::getenv("DISPLAY");
  const int attempts = name != nullptr && *name != '\0' ? 100 : 1;
  for (int attempt = 0; attempt < attempts && display_ == nullptr; ++attempt) {
    display_ = XOpenDisplay(nullptr);
    if (display_ == nullptr) usleep(20000);
  }
}
X11Session::~X11Session() {
  if (display_ != nullptr) XCloseDisplay(display_);
}

std::string X11Session::Title(Window w) {
  char* name = nullptr;
  std::string title;
  if (XFetchName(display_, w, &name) && name != nullptr) title = name;
  if (name != nullptr) XFree(name);
  return title;
}

bool X11Session::IsMapped(Window w) {
  XWindowAttributes a{};
  return XGetWindowAttributes(display_, w, &a) && a.map_state == IsViewable;
}

Window X11Session::WaitForWindow(const std::string& title, pid_t pid, int timeoutMs) {
  for (int waited = 0; waited <= timeoutMs; waited += 5) {
    Window root = DefaultRootWindow(display_), parent, *children = nullptr;
    unsigned count = 0;
    Window found = 0;
    if (XQueryTree(display_, root, &root, &parent, &children, &count)) {
      for (unsigned i = 0; i < count && found == 0; ++i)
        if (Title(children[i]) == title && (pid == 0 || WindowPid(display_, children[i]) == pid) &&
            IsMapped(children[i]))
          found = children[i];
      if (children != nullptr) XFree(children);
    }
    if (found != 0) return found;
    usleep(5000);
  }
  return 0;
}

void X11Session::Size(Window w, int& width, int& height) {
  XWindowAttributes a{};
  XGetWindowAttributes(display_, w, &a);
  width = a.width;
  height = a.height;
}

void X11Session::ScreenSize(int& width, int& height) {
  width = DisplayWidth(display_, DefaultScreen(display_));
  height = DisplayHeight(display_, DefaultScreen(display_));
}

WindowImage X11Session::Capture(Window w) {
  WindowImage image;
  Size(w, image.width, image.height);
  XImage* x = XGetImage(display_, w, 0, 0, static_cast<unsigned>(image.width), static_cast<unsigned>(image.height),
                        AllPlanes, ZPixmap);
  if (x == nullptr) {
    std::fprintf(stderr, "XGetImage failed: X error %d\n", lastError);
    return WindowImage{};
  }
  const int rs = Shift(x->red_mask), gs = Shift(x->green_mask), bs = Shift(x->blue_mask);
  image.pixels.resize(static_cast<std::size_t>(image.width) * image.height);
  for (int y = 0; y < image.height; ++y)
    for (int xx = 0; xx < image.width; ++xx) {
      const unsigned long p = XGetPixel(x, xx, y);
      image.pixels[static_cast<std::size_t>(y) * image.width + xx] =
          Rgb{static_cast<std::uint8_t>((p & x->red_mask) >> rs), static_cast<std::uint8_t>((p & x->green_mask) >> gs),
              static_cast<std::uint8_t>((p & x->blue_mask) >> bs)};
    }
  XDestroyImage(x);
  return image;
}

void X11Session::RequestClose(Window w) {
  XEvent e;
  std::memset(&e, 0, sizeof e);
  e.xclient.type = ClientMessage;
  e.xclient.window = w;
  e.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
  e.xclient.format = 32;
  e.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
  e.xclient.data.l[1] = CurrentTime;
  XSendEvent(display_, w, False, NoEventMask, &e);
  XFlush(display_);
}

void X11Session::TypeKey(Window w, const char* keysym) {
  for (int type : {KeyPress, KeyRelease}) {
    XEvent e;
    std::memset(&e, 0, sizeof e);
    e.xkey.type = type;
    e.xkey.display = display_;
    e.xkey.window = w;
    e.xkey.root = DefaultRootWindow(display_);
    e.xkey.same_screen = True;
    e.xkey.keycode = XKeysymToKeycode(display_, XStringToKeysym(keysym));
    XSendEvent(display_, w, True, type == KeyPress ? KeyPressMask : KeyReleaseMask, &e);
  }
  XFlush(display_);
}
