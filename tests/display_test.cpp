// The display on the headless surface: the screen mapping, the dot, both
// scenes, the planar draw/erase/trail rules, the first pass of every program,
// and whole runs against what the test derives from the trajectory.
#include <gtest/gtest.h>

#include <map>
#include <utility>

#include "display/dot.h"
#include "display/planar_view.h"
#include "display/screen_mapping.h"
#include "display/spatial_view.h"
#include "display/style.h"
#include "graph/font8x8.h"
#include "graph/graph.h"
#include "graph/graph_platform.h"
#include "programs/catalogue.h"
#include "programs/driver.h"

namespace {

using Pixel = std::pair<int, int>;
using Pixels = std::map<Pixel, int>;  // pixel -> colour

void OpenSurface(int width, int height) {
  SetHeadlessSize(width, height);
  std::int16_t driver = Detect, mode = 0;
  InitGraph(driver, mode, " ");
}

// The pixels whose colour differs between two copies, with their new colour.
Pixels Changed(const SurfaceCopy& before, const SurfaceCopy& after) {
  Pixels changed;
  for (int y = 0; y < after.height; ++y)
    for (int x = 0; x < after.width; ++x)
      if (before.At(x, y) != after.At(x, y)) changed[{x, y}] = after.At(x, y);
  return changed;
}

Pixels Lit(const SurfaceCopy& s) {
  Pixels lit;
  for (int y = 0; y < s.height; ++y)
    for (int x = 0; x < s.width; ++x)
      if (s.At(x, y) != 0) lit[{x, y}] = s.At(x, y);
  return lit;
}

TEST(ScreenMapping, ColumnsAndRowsRoundTiesToEvenAndWrap) {
  const struct {
    double coordinate;
    int column;
  } columns[] = {{0.0, 200}, {2.5, 202}, {3.5, 204}, {-0.5, 200}, {-2.5, 198}, {32568.0, -32768}, {65536.0, 200}};
  for (const auto& c : columns) EXPECT_EQ(PixelX(c.coordinate, 200), c.column) << c.coordinate;
  const struct {
    double coordinate;
    int row;
  } rows[] = {{100.0, 101}, {-100.0, 249}, {0.0, 175}, {67.28, 125}};
  for (const auto& r : rows) EXPECT_EQ(PixelY(r.coordinate, 175), r.row) << r.coordinate;
}

TEST(Dot, SetsItsFourPixelsEachClippedByItself) {
  OpenSurface(20, 10);
  DrawDot(19, 4, 12);  // the last visible column: only the square's left column
  EXPECT_EQ(Lit(CopySurface()), (Pixels{{{19, 4}, 12}, {{19, 5}, 12}}));
  OpenSurface(20, 10);
  DrawDot(-1, -1, 12);
  EXPECT_EQ(Lit(CopySurface()), (Pixels{{{0, 0}, 12}}));
  // Colour 0 paints all four black, and the colour stays current.
  OpenSurface(20, 10);
  SetFillStyle(SolidFill, 9);
  FloodFill(0, 0, 15);
  DrawDot(3, 3, 0);
  Line(10, 0, 10, 0);
  const Pixels lit = Lit(CopySurface());
  EXPECT_EQ(lit.size(), 200u - 4u - 1u);
  for (const Pixel& p : {Pixel{3, 3}, Pixel{4, 3}, Pixel{3, 4}, Pixel{4, 4}, Pixel{10, 0}}) EXPECT_EQ(lit.count(p), 0u);
}

TEST(SpatialScene, TwoSolidDiscsAndTheirLabels) {
  OpenSurface(640, 400);
  DrawSpatialScene(320, 100, 320);
  const SurfaceCopy s = CopySurface();
  for (int y = 0; y < s.height; ++y)
    for (int x = 0; x < s.width; ++x) {
      const int du = (x - 320) * (x - 320) + (y - 100) * (y - 100);
      const int dl = (x - 320) * (x - 320) + (y - 320) * (y - 320);
      const int nearest = std::min(du, dl);
      if (nearest <= 44 * 44) ASSERT_EQ(s.At(x, y), 1) << x << "," << y;
      else if (nearest > 46 * 46 && x >= 9 * 8) ASSERT_EQ(s.At(x, y), 0) << x << "," << y;
    }
  // The labels: exactly the glyph pixels, light grey, top on the centre rows.
  for (const auto& [row, text] : {std::pair{100, "Rovina xz"}, std::pair{320, "Rovina xy"}})
    for (int cell = 0; text[cell] != '\0'; ++cell)
      for (int gy = 0; gy < 8; ++gy)
        for (int gx = 0; gx < 8; ++gx)
          EXPECT_EQ(s.At(cell * 8 + gx, row + gy),
                    (GlyphRows(static_cast<unsigned char>(text[cell]))[gy] & (0x80 >> gx)) ? 7 : 0);
}

// ---------------------------------------------------------------------------
// Planar plotting, pass by pass, with states made for each rule.

struct PlanarPass {
  double x1, vx1, y1, x2, vx2, y2;
};

// A view whose centre is at (10, 10) on a 30x20 surface without the disc, so
// that only the bodies draw.
PlanarParameters TestView() {
  PlanarParameters p = kOrbit2dA;
  p.centreX = 10;
  p.centreY = 10;
  return p;
}

ModelState<Model::Planar> StateOf(const PlanarPass& p) { return {{p.x1, p.vx1, p.y1, 0, p.x2, p.vx2, p.y2, 0}}; }

// Runs the passes on a fresh surface and returns what shows.
Pixels RunPlanar(std::initializer_list<PlanarPass> passes) {
  OpenSurface(30, 20);
  const PlanarParameters view = TestView();
  bool first = true;
  for (const PlanarPass& pass : passes) {
    const auto s = StateOf(pass);
    if (first) InitPlanarPositions(s, view), first = false;
    PlotPlanarStep(s, view);
  }
  return Lit(CopySurface());
}

constexpr int kBody1 = 11, kBody2 = 12, kTrail1 = 1, kTrail2 = 4;
constexpr double kFar = 1000;  // body 2 kept off the surface where a case is about body 1

TEST(PlanarPlot, DrawEraseAndTrailRules) {
  const struct {
    const char* what;
    std::initializer_list<PlanarPass> passes;
    Pixels shows;
  } cases[] = {
      {"first pass: drawn and erased at once, trail pixels stay",
       {{0, -1, 0, 5, 1, 0}},
       {{{11, 10}, kTrail1}, {{15, 10}, kTrail2}}},
      {"a move one pixel right: the new square's right column and the trail on the old top-left",
       {{0, 1, 0, kFar, 0, 0}, {1, 1, 0, kFar, 0, 0}},
       {{{12, 10}, kBody1}, {{12, 11}, kBody1}, {{10, 10}, kTrail1}}},
      {"no move: erased completely, only the trail pixel",
       {{0, -1, 0, kFar, 0, 0}, {0, -1, 0, kFar, 0, 0}},
       {{{11, 10}, kTrail1}}},
      {"vx exactly 0: trail on the right pixel", {{0, 0.0, 0, kFar, 0, 0}}, {{{11, 10}, kTrail1}}},
      {"vx -0: trail on the right pixel", {{0, -0.0, 0, kFar, 0, 0}}, {{{11, 10}, kTrail1}}},
      {"vx tiny positive: trail on the left pixel", {{0, 0x1p-1074, 0, kFar, 0, 0}}, {{{10, 10}, kTrail1}}},
      {"a move left and down",
       {{4, -1, 0, kFar, 0, 0}, {2, -1, -1.3456 * 2, kFar, 0, 0}},
       {{{12, 12}, kBody1}, {{13, 12}, kBody1}, {{12, 13}, kBody1}, {{13, 13}, kBody1}, {{15, 10}, kTrail1}}},
      {"overlap: body 2's erase blackens body 1's new square",
       {{0, 1, 0, 1, 1, 0}, {3, 1, 0, 2, 1, 0}},
       // body 1 new at 13..14 drawn, old at 10..11 erased, trail (10,10);
       // body 2 new at 12..13 drawn over body 1's left column, old 11..12 erased.
       {{{13, 10}, kBody2}, {{13, 11}, kBody2}, {{14, 10}, kBody1}, {{14, 11}, kBody1}, {{10, 10}, kTrail1},
        {{11, 10}, kTrail2}}},
  };
  for (const auto& c : cases) EXPECT_EQ(RunPlanar(c.passes), c.shows) << c.what;
}

TEST(PlanarPlot, LeavingTheSurfaceAndComingBack) {
  // Body 1 moves right across the right edge (column 29), stays off, comes back.
  OpenSurface(30, 20);
  const PlanarParameters view = TestView();
  auto at = [](double x, double vx) { return StateOf({x, vx, 0, kFar, 0, 0}); };
  InitPlanarPositions(at(17, 1), view);
  PlotPlanarStep(at(17, 1), view);  // drawn at 27..28, erased, trail (27,10)
  PlotPlanarStep(at(19, 1), view);  // new at 29..30: only column 29 shows; old 27..28 erased; trail (27,10)
  EXPECT_EQ(Lit(CopySurface()), (Pixels{{{29, 10}, kBody1}, {{29, 11}, kBody1}, {{27, 10}, kTrail1}}));
  PlotPlanarStep(at(40, 1), view);  // off the surface: the erase at 29 blackens column 29; trail (29,10)
  EXPECT_EQ(Lit(CopySurface()), (Pixels{{{27, 10}, kTrail1}, {{29, 10}, kTrail1}}));
  PlotPlanarStep(at(60, -1), view);  // still off: nothing of it is drawn
  EXPECT_EQ(Lit(CopySurface()), (Pixels{{{27, 10}, kTrail1}, {{29, 10}, kTrail1}}));
  // Back: the new square is drawn where it lies on the surface; the erase and
  // the trail belong to the last off-surface place and are skipped.
  PlotPlanarStep(at(18, -1), view);
  EXPECT_EQ(Lit(CopySurface()), (Pixels{{{27, 10}, kTrail1},
                                        {{28, 10}, kBody1},
                                        {{28, 11}, kBody1},
                                        {{29, 10}, kBody1},
                                        {{29, 11}, kBody1}}));
  // Wrapped far away: a column 65536 off lands on the surface again.
  EXPECT_EQ(PixelX(65536.0 + 5, 10), 15);
}

// ---------------------------------------------------------------------------
// The first pass of every program: what it adds to the scene.

struct FirstPass {
  const char* program;
  Pixels added;  // pixel -> colour
};

TEST(FirstPass, PlotsTheInitialStateOfEveryProgram) {
  const FirstPass cases[] = {
      {"orbit3d-a", {{{320, 26}, 11}, {{320, 320}, 11}, {{420, 100}, 12}, {{420, 320}, 12}}},
      {"orbit3d-b", {{{220, 28}, 11}, {{220, 220}, 11}, {{320, 50}, 12}, {{320, 109}, 12}}},
      {"orbit3d-c", {{{468, 50}, 11}, {{468, 220}, 11}, {{473, 50}, 12}, {{473, 220}, 12}}},
      {"orbit2d-a", {{{616, 220}, 1}, {{601, 220}, 4}}},
      {"orbit2d-b", {{{300, 175}, 1}, {{550, 220}, 4}}},
      {"orbit2d-c", {{{485, 275}, 1}, {{250, 312}, 4}}},
      {"orbit2d-d", {{{230, 175}, 1}, {{70, 175}, 4}}},
      {"orbit2d-e", {{{400, 175}, 1}, {{1150, 138}, 4}}},
  };
  for (const FirstPass& c : cases) {
    const CatalogueEntry* e = FindProgram(c.program);
    ASSERT_NE(e, nullptr);
    SetHeadlessSize(1920, 1080);
    VisitProgram(*e, [](const auto& p) { StartProgram(p); });
    const SurfaceCopy scene = CopySurface();
    VisitProgram(*e, [](const auto& p) { Plot(p); });
    EXPECT_EQ(Changed(scene, CopySurface()), c.added) << c.program;
  }
  // orbit2d-e's body 2 is off a surface narrower than 1150 pixels.
  SetHeadlessSize(1100, 600);
  StartProgram(kOrbit2dE);
  const SurfaceCopy scene = CopySurface();
  Plot(kOrbit2dE);
  EXPECT_EQ(Changed(scene, CopySurface()), (Pixels{{{400, 175}, 1}}));
}

// ---------------------------------------------------------------------------
// Whole runs: the picture after some hundreds of passes against the picture
// the test derives itself from the trajectory and the plotting rules.

struct Derived {
  int width, height;
  std::vector<std::uint8_t> pixels;
  void Set(int x, int y, int colour) {
    const std::int16_t sx = static_cast<std::int16_t>(x), sy = static_cast<std::int16_t>(y);
    if (sx >= 0 && sy >= 0 && sx < width && sy < height)
      pixels[static_cast<std::size_t>(sy) * width + sx] = static_cast<std::uint8_t>(colour);
  }
  void Square(int x, int y, int colour) {
    for (int dy = 0; dy < 2; ++dy)
      for (int dx = 0; dx < 2; ++dx) Set(x + dx, y + dy, colour);
  }
};

Derived SceneOnly(int width, int height) {
  const SurfaceCopy s = CopySurface();
  return {width, height, s.pixels};
}

TEST(WholeRun, SpatialPictureMatchesItsTrajectory) {
  constexpr int kPasses = 700;
  SetHeadlessSize(800, 500);
  StartProgram(kOrbit3dB);
  Derived expect = SceneOnly(800, 500);
  ModelState<Model::Spatial> s = kOrbit3dB.initialState;
  for (int pass = 0; pass < kPasses; ++pass) {
    RunPass(kOrbit3dB);
    const auto& v = kOrbit3dB;
    for (int body = 0; body < 2; ++body) {
      const int column = PixelX(s[static_cast<ComponentIndex>(1 + 6 * body)], v.centreX);
      const int colour = body == 0 ? 11 : 12;
      expect.Set(column, PixelY(s[static_cast<ComponentIndex>(5 + 6 * body)], v.upperCentreY), colour);
      expect.Set(column, PixelY(s[static_cast<ComponentIndex>(3 + 6 * body)], v.lowerCentreY), colour);
    }
    RungeKuttaStep<Model::Spatial>(s, v);
  }
  EXPECT_EQ(CopySurface().pixels, expect.pixels);
  EXPECT_EQ(ProgramState<Model::Spatial>, s);
}

TEST(WholeRun, PlanarPictureMatchesItsTrajectory) {
  constexpr int kPasses = 900;
  SetHeadlessSize(800, 500);
  StartProgram(kOrbit2dA);
  Derived expect = SceneOnly(800, 500);
  ModelState<Model::Planar> s = kOrbit2dA.initialState;
  const auto& v = kOrbit2dA;
  int old[2][2];
  for (int body = 0; body < 2; ++body)
    old[body][0] = PixelX(s[static_cast<ComponentIndex>(1 + 4 * body)], v.centreX),
    old[body][1] = PixelY(s[static_cast<ComponentIndex>(3 + 4 * body)], v.centreY);
  for (int pass = 0; pass < kPasses; ++pass) {
    RunPass(kOrbit2dA);
    for (int body = 0; body < 2; ++body) {
      const int x = PixelX(s[static_cast<ComponentIndex>(1 + 4 * body)], v.centreX);
      const int y = PixelY(s[static_cast<ComponentIndex>(3 + 4 * body)], v.centreY);
      expect.Square(x, y, body == 0 ? 11 : 12);
      expect.Square(old[body][0], old[body][1], 0);
      const bool right = s[static_cast<ComponentIndex>(2 + 4 * body)] > 0;
      expect.Set(right ? old[body][0] : old[body][0] + 1, old[body][1], body == 0 ? 1 : 4);
      old[body][0] = x, old[body][1] = y;
    }
    RungeKuttaStep<Model::Planar>(s, v);
  }
  EXPECT_EQ(CopySurface().pixels, expect.pixels);
}

}  // namespace
