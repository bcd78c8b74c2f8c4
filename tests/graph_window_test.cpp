// The Graph library's window backend under a real X server: the window's
// title and size, its content read back from the server against the
// surface, closing it, and the paths where no window can be had.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "display/dot.h"
#include "graph/graph.h"
#include "graph/graph_platform.h"
#include "graph/palette.h"
#include "tests/support/child_process.h"
#include "tests/support/display_required.h"
#include "tests/support/x11_window.h"

namespace {

constexpr const char* kTitle = "Graph window application";

// How many pixels of the window differ from the surface.
long Mismatches(const WindowImage& window, const SurfaceCopy& surface) {
  if (window.width < surface.width || window.height < surface.height) return -1;
  long n = 0;
  for (int y = 0; y < surface.height; ++y)
    for (int x = 0; x < surface.width; ++x)
      if (!(window.At(x, y) == PaletteColour(surface.At(x, y)))) ++n;
  return n;
}

// Polls until the window shows the surface (a repaint is due within a frame).
long WaitUntilShown(X11Session& x, Window w, int timeoutMs) {
  long n = -1;
  for (int waited = 0; waited < timeoutMs; waited += 20) {
    n = Mismatches(x.Capture(w), CopySurface());
    if (n == 0) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return n;
}

void DrawSample() {
  SetBkColor(0);
  SetColor(1);
  SetFillStyle(SolidFill, 1);
  Circle(320, 100, 45);
  FloodFill(320, 100, 1);
  SetColor(7);
  OutTextXY(0, 100, "Rovina xz");
  for (int i = 0; i < 16; ++i) DrawDot(static_cast<std::int16_t>(600 + 3 * i), 220, static_cast<std::uint16_t>(i));
  for (int i = 0; i < 200; ++i) PutPixel(static_cast<std::int16_t>(i), static_cast<std::int16_t>(400 + i / 2), 11);
  PutPixel(-1, 5, 12);  // off the surface
}

class GraphWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    REQUIRE_DISPLAY();
    ASSERT_TRUE(x.connected());
    std::int16_t driver = Detect, mode = 0;
    InitGraph(driver, mode, " ");
    ASSERT_EQ(GraphResult(), grOk);
    EXPECT_NE(driver, Detect) << "the chosen driver is written back";
    window = x.WaitForWindow(kTitle, getpid(), 0);  // shown before InitGraph returned
    ASSERT_NE(window, 0u);
  }
  X11Session x;
  Window window = 0;
};

TEST_F(GraphWindow, OpensTitledScreenSizedAndBlack) {
  EXPECT_EQ(x.Title(window), kTitle);
  int w = 0, h = 0, sw = 0, sh = 0;
  x.Size(window, w, h);
  x.ScreenSize(sw, sh);
  EXPECT_EQ(w, sw);
  EXPECT_EQ(h, sh);
  EXPECT_EQ(GetMaxX() + 1, sw);
  EXPECT_EQ(GetMaxY() + 1, sh);
  // Painted black before InitGraph returned: read back at once.
  const WindowImage image = x.Capture(window);
  ASSERT_EQ(image.width, w);
  long lit = 0;
  for (const Rgb& p : image.pixels) lit += !(p == Rgb{0, 0, 0});
  EXPECT_EQ(lit, 0);
}

TEST_F(GraphWindow, ShowsExactlyWhatTheSurfaceHolds) {
  DrawSample();
  EXPECT_EQ(WaitUntilShown(x, window, 2000), 0);
  // A later change reaches the window too.
  SetColor(12);
  Line(0, 0, 500, 300);
  EXPECT_EQ(WaitUntilShown(x, window, 2000), 0);
}

TEST_F(GraphWindow, KeysTypedIntoTheWindowAreDropped) {
  x.TypeKey(window, "a");
  x.TypeKey(window, "Return");
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  PutPixel(3, 3, 14);
  EXPECT_EQ(WaitUntilShown(x, window, 2000), 0);
}

TEST_F(GraphWindow, ClosingItMakesDrawingANoOpAndTheProgramRunsOn) {
  PutPixel(10, 10, 14);
  x.RequestClose(window);
  for (int i = 0; i < 200 && x.IsMapped(window); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_EQ(x.WaitForWindow(kTitle, getpid(), 0), 0u) << "the window is gone";
  for (int i = 0; i < 200 && !graphShared.windowClosed.load(); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  const SurfaceCopy before = CopySurface();
  DrawSample();  // every call returns and changes nothing
  EXPECT_EQ(CopySurface().pixels, before.pixels);
}

// Drawing from this thread while the window thread repaints: the case that
// ThreadSanitizer watches.
TEST_F(GraphWindow, DrawingAgainstTheRepaintingWindowThread) {
  for (int pass = 0; pass < 20000; ++pass) {
    const std::int16_t px = static_cast<std::int16_t>(pass % 1000), py = static_cast<std::int16_t>(pass / 1000);
    DrawDot(px, py, static_cast<std::uint16_t>(pass % 16));
    PutPixel(px, static_cast<std::int16_t>(py + 100), 11);
  }
  EXPECT_EQ(WaitUntilShown(x, window, 2000), 0);
}

TEST(GraphWindowFailure, WithoutADisplayTheFirstDrawingCallEndsTheProgram) {
  const struct {
    const char* display;
    const char* message;
  } cases[] = {
      {"DISPLAY=", "Window creation failed\n"},
      {"DISPLAY=:4321", "Window registration failed\n"},  // a display that is not there
  };
  for (const auto& c : cases) {
    const auto start = std::chrono::steady_clock::now();
    const RunResult r = RunWithInput({BuildPath("tests/graph_probe")}, -1, 10000, {c.display, "WAYLAND_DISPLAY="});
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_TRUE(r.status.exited) << c.display;
    EXPECT_EQ(r.status.code, 1) << c.display;
    EXPECT_EQ(r.err,
              std::string(c.message) + "Error: Not in graphics mode (use InitGraph and test GraphResult afterwards)\n")
        << c.display;
    EXPECT_LT(took, std::chrono::seconds(3)) << "no hang";
  }
}

}  // namespace
