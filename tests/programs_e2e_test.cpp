// The eight real programs, end to end: each runs in a pseudo-terminal with
// its window on the X server. The window has the right title and size; a
// screenshot equals the program's surface as the headless renderer draws it
// at some point of the run; closing the window does not end the program; a
// key in the terminal ends it with exit code 0 and the terminal as it was.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "graph/graph_platform.h"
#include "graph/palette.h"
#include "programs/catalogue.h"
#include "programs/driver.h"
#include "tests/support/child_process.h"
#include "tests/support/display_required.h"
#include "tests/support/x11_window.h"

namespace {

constexpr const char* kTitle = "Graph window application";

// Follows a headless replay call by call, counting the pixels that differ
// from the screenshot, so a match is seen at any drawing call of any pass.
struct Replay {
  static inline std::vector<std::uint8_t> shot;    // palette index per pixel; 255: no palette colour
  static inline std::vector<std::uint8_t> shadow;  // the replay's surface as last seen
  static inline long mismatches = 0;
  static inline bool matched = false;

  static void OnChange(const Rect& r) {
    const Surface& s = graphShared.surface;
    if (shadow.empty()) {  // the first change of the run: the surface was black
      shadow.assign(s.pixels.size(), 0);
      mismatches = 0;
      for (std::uint8_t p : shot) mismatches += p != 0;
    }
    for (int y = r.y0; y <= r.y1; ++y)
      for (int x = r.x0; x <= r.x1; ++x) {
        const std::size_t i = static_cast<std::size_t>(y) * s.width + x;
        const std::uint8_t now = s.pixels[i], was = shadow[i];
        if (now == was) continue;
        mismatches += (was == shot[i]) - (now == shot[i]);
        shadow[i] = now;
      }
    if (mismatches == 0) matched = true;
  }
};

// The pass during which the replay showed exactly the screenshot, or -1.
template <Model M>
long FindInRun(const VariantParameters<M>& p, const WindowImage& image, long maxPasses) {
  Replay::shot.assign(static_cast<std::size_t>(image.width) * image.height, 255);
  for (std::size_t i = 0; i < Replay::shot.size(); ++i)
    for (int c = 0; c < 16; ++c)
      if (image.pixels[i] == PaletteColour(static_cast<std::uint8_t>(c))) Replay::shot[i] = static_cast<std::uint8_t>(c);
  Replay::shadow.clear();
  Replay::matched = false;
  SetHeadlessSize(image.width, image.height);
  SetChangeObserver(Replay::OnChange);
  StartProgram(p);
  long found = Replay::matched ? 0 : -1;
  for (long pass = 1; found < 0 && pass <= maxPasses; ++pass) {
    RunPass(p);
    if (Replay::matched) found = pass;
  }
  SetChangeObserver(nullptr);
  return found;
}

class Program : public ::testing::TestWithParam<const char*> {};

TEST_P(Program, RunsInItsWindowUntilAKeyInTheTerminal) {
  REQUIRE_DISPLAY();
  X11Session x;
  ASSERT_TRUE(x.connected());
  const CatalogueEntry* entry = FindProgram(GetParam());
  ASSERT_NE(entry, nullptr);

  PtyProcess p({BuildPath(GetParam()), "ignored-argument"});
  const Window w = x.WaitForWindow(kTitle, p.pid(), 10000);
  ASSERT_NE(w, 0u) << "no window";
  int width = 0, height = 0, screenWidth = 0, screenHeight = 0;
  x.Size(w, width, height);
  x.ScreenSize(screenWidth, screenHeight);
  EXPECT_EQ(width, screenWidth);
  EXPECT_EQ(height, screenHeight);
  ASSERT_TRUE(p.WaitForRawMode(5000));

  std::this_thread::sleep_for(std::chrono::milliseconds(400));
  const WindowImage shot = x.Capture(w);
  if (shot.width != width) {
    const ExitStatus early = p.Wait(100);
    FAIL() << "no screenshot; program exited=" << early.exited << " code=" << early.code << " signal=" << early.signal
           << " output: " << p.Output();
  }

  x.TypeKey(w, "a");  // keys typed into the window do not count
  x.TypeKey(w, "Return");
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_EQ(waitpid(p.pid(), nullptr, WNOHANG), 0) << "a key in the window ended the program";

  x.RequestClose(w);
  for (int i = 0; i < 400 && x.WaitForWindow(kTitle, p.pid(), 0) != 0; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_EQ(x.WaitForWindow(kTitle, p.pid(), 0), 0u) << "the window closes";
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_EQ(waitpid(p.pid(), nullptr, WNOHANG), 0) << "closing the window does not end the program";

  p.Send("q");
  const ExitStatus status = p.Wait(5000);
  EXPECT_TRUE(status.exited) << "signal " << status.signal;
  EXPECT_EQ(status.code, 0);
  EXPECT_TRUE(SameSettings(p.SlaveSettings(), p.InitialSettings()));
  EXPECT_EQ(p.PendingInput(), 0);
  EXPECT_EQ(p.Output(), "") << "a normal run writes nothing";

  const long pass = VisitProgram(*entry, [&](const auto& params) { return FindInRun(params, shot, 200000); });
  EXPECT_GE(pass, 0) << "the screenshot is no state of the run";
  RecordProperty("matched_pass", static_cast<int>(pass));
}

INSTANTIATE_TEST_SUITE_P(Eight, Program,
                         ::testing::Values("orbit3d-a", "orbit3d-b", "orbit3d-c", "orbit2d-a", "orbit2d-b",
                                           "orbit2d-c", "orbit2d-d", "orbit2d-e"),
                         [](const auto& info) {
                           std::string name = info.param;
                           for (char& c : name)
                             if (c == '-') c = '_';
                           return name;
                         });

TEST(ProgramStart, AKeyPressedBeforeTheLoopStillAllowsOnePass) {
  REQUIRE_DISPLAY();
  int input[2];
  ASSERT_EQ(pipe(input), 0);
  ASSERT_EQ(write(input[1], "k", 1), 1);
  const RunResult r = RunWithInput({BuildPath("orbit2d-a")}, input[0], 10000);
  close(input[0]), close(input[1]);
  EXPECT_TRUE(r.status.exited);
  EXPECT_EQ(r.status.code, 0);
  EXPECT_EQ(r.out + r.err, "");
}

TEST(ProgramStart, WithoutADisplayTheProgramSaysSoAndEnds) {
  int input[2];
  ASSERT_EQ(pipe(input), 0);
  const RunResult r = RunWithInput({BuildPath("orbit3d-a")}, input[0], 10000, {"DISPLAY=", "WAYLAND_DISPLAY="});
  close(input[0]), close(input[1]);
  EXPECT_EQ(r.status.code, 1);
  EXPECT_EQ(r.err, "Window creation failed\nError: Not in graphics mode (use InitGraph and test GraphResult afterwards)\n");
  EXPECT_EQ(r.out, "");
}

}  // namespace
