// The Graph library on the headless surface, pixel for pixel.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "graph/font8x8.h"
#include "graph/graph.h"
#include "graph/graph_platform.h"

namespace {

using Pixel = std::pair<int, int>;

// A fresh small surface for every test.
class Raster : public ::testing::Test {
 protected:
  static constexpr int kWidth = 40, kHeight = 30;
  void SetUp() override {
    SetHeadlessSize(kWidth, kHeight);
    std::int16_t driver = Detect, mode = 0;
    InitGraph(driver, mode, " ");
    ASSERT_EQ(GraphResult(), grOk);
  }
  // The pixels that are not black.
  static std::set<Pixel> Lit() {
    const SurfaceCopy s = CopySurface();
    std::set<Pixel> lit;
    for (int y = 0; y < s.height; ++y)
      for (int x = 0; x < s.width; ++x)
        if (s.At(x, y) != 0) lit.insert({x, y});
    return lit;
  }
  static int At(int x, int y) { return CopySurface().At(x, y); }
};

TEST_F(Raster, StartsBlackWithTheDefaults) {
  EXPECT_EQ(GetMaxX(), kWidth - 1);
  EXPECT_EQ(GetMaxY(), kHeight - 1);
  EXPECT_TRUE(Lit().empty());
  Line(0, 0, 3, 0);  // default colour, solid, one pixel wide
  EXPECT_EQ(Lit(), (std::set<Pixel>{{0, 0}, {1, 0}, {2, 0}, {3, 0}}));
}

TEST_F(Raster, PutPixelClipsAtEveryEdgeAndReadsSigned16Bit) {
  const struct {
    int x, y;
    bool shown;
  } cases[] = {
      {0, 0, true},       {kWidth - 1, kHeight - 1, true}, {-1, 5, false}, {kWidth, 5, false},
      {5, -1, false},     {5, kHeight, false},             {-32768, 0, false}, {32767, 32767, false},
      {65536 + 7, 3, true},  // wraps to column 7
  };
  for (const auto& c : cases) {
    SetUp();
    PutPixel(static_cast<std::int16_t>(c.x), static_cast<std::int16_t>(c.y), 12);
    const std::set<Pixel> lit = Lit();
    EXPECT_EQ(lit.size(), c.shown ? 1u : 0u) << c.x << "," << c.y;
    if (c.shown) EXPECT_EQ(At(static_cast<std::int16_t>(c.x), c.y), 12);
  }
}

TEST_F(Raster, PutPixelLeavesTheDrawingColourAlone) {
  SetColor(4);
  PutPixel(1, 1, 14);
  Line(2, 2, 2, 2);
  EXPECT_EQ(At(1, 1), 14);
  EXPECT_EQ(At(2, 2), 4);
}

// Rectangle is four lines, top, left, right, bottom, sharing no end point: a
// 2x2 one sets exactly its four pixels, each clipped by itself.
TEST_F(Raster, RectangleIsFourLinesAndMakesTheDot) {
  SetColor(11);
  Rectangle(5, 6, 6, 7);
  EXPECT_EQ(Lit(), (std::set<Pixel>{{5, 6}, {6, 6}, {5, 7}, {6, 7}}));
  SetUp();
  SetColor(11);
  Rectangle(2, 2, 5, 4);
  EXPECT_EQ(Lit(), (std::set<Pixel>{{2, 2}, {3, 2}, {4, 2}, {5, 2}, {2, 3}, {5, 3}, {2, 4}, {3, 4}, {4, 4}, {5, 4}}));
  SetUp();
  SetColor(11);
  Rectangle(-1, -1, 0, 0);
  EXPECT_EQ(Lit(), (std::set<Pixel>{{0, 0}}));
  SetUp();
  SetColor(11);
  Rectangle(kWidth - 1, 3, kWidth, 4);
  EXPECT_EQ(Lit(), (std::set<Pixel>{{kWidth - 1, 3}, {kWidth - 1, 4}}));
}

TEST_F(Raster, FilledCircleIsRoundAndSolid) {
  SetColor(1);
  SetFillStyle(SolidFill, 1);
  Circle(20, 15, 9);
  FloodFill(20, 15, 1);
  const SurfaceCopy s = CopySurface();
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const int dx = x - 20, dy = y - 15, d2 = dx * dx + dy * dy;
      if (d2 <= 8 * 8) EXPECT_EQ(s.At(x, y), 1) << x << "," << y;      // inside
      if (d2 >= 10 * 10) EXPECT_EQ(s.At(x, y), 0) << x << "," << y;    // outside
    }
  // Equally round across and up, and symmetric in all eight directions.
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const int mx = 40 - x, ty = 15 + (x - 20), tx = 20 + (y - 15);
      if (mx >= 0 && mx < kWidth) EXPECT_EQ(s.At(x, y), s.At(mx, y));
      if (ty >= 0 && ty < kHeight && tx >= 0 && tx < kWidth) EXPECT_EQ(s.At(x, y), s.At(tx, ty));
    }
  EXPECT_EQ(s.At(20, 6), 1);
  EXPECT_EQ(s.At(29, 15), 1);
  EXPECT_EQ(s.At(20, 5), 0);
}

TEST_F(Raster, CircleOutlineIsOnePixelWide) {
  SetColor(14);
  Circle(20, 15, 9);
  const std::set<Pixel> lit = Lit();
  for (const Pixel& p : lit) {
    const int dx = p.first - 20, dy = p.second - 15;
    const int d2 = dx * dx + dy * dy;
    EXPECT_GE(d2, 8 * 8 + 1);
    EXPECT_LE(d2, 9 * 9 + 9);
  }
  // Every column of the upper half holds one outline pixel at most away from the ends.
  EXPECT_EQ(lit.count({20, 6}) + lit.count({20, 7}), 1u);
}

TEST_F(Raster, FloodFillBoundaries) {
  SetColor(1);
  Rectangle(2, 2, 8, 8);
  SetFillStyle(SolidFill, 4);
  FloodFill(0, 0, 1);  // outside: everything up to the border
  const SurfaceCopy outside = CopySurface();
  EXPECT_EQ(outside.At(0, 0), 4);
  EXPECT_EQ(outside.At(kWidth - 1, kHeight - 1), 4);
  EXPECT_EQ(outside.At(5, 5), 0);  // the inside is not reached
  EXPECT_EQ(outside.At(2, 2), 1);  // the border keeps its colour

  SetUp();
  SetColor(1);
  Rectangle(2, 2, 8, 8);
  SetFillStyle(SolidFill, 4);
  FloodFill(2, 2, 1);  // starts on its border: nothing
  EXPECT_EQ(Lit().size(), 24u);
  FloodFill(-1, 5, 1);  // off the surface: nothing
  FloodFill(5, kHeight, 1);
  EXPECT_EQ(Lit().size(), 24u);
}

TEST_F(Raster, FloodFillOfTheWholeLargeSurfaceNeedsNoDeepStack) {
  SetHeadlessSize(1920, 1080);
  std::int16_t driver = Detect, mode = 0;
  InitGraph(driver, mode, " ");
  SetFillStyle(SolidFill, 2);
  FloodFill(960, 540, 15);
  const SurfaceCopy s = CopySurface();
  EXPECT_EQ(s.At(0, 0), 2);
  EXPECT_EQ(s.At(1919, 1079), 2);
}

TEST_F(Raster, TextSetsOnlyGlyphPixelsAndClips) {
  PutPixel(0, 0, 9);  // a pixel inside the first cell that the glyph leaves alone
  ASSERT_EQ(GlyphRows('A')[0] & 0x80, 0);
  SetColor(7);
  OutTextXY(0, 0, "A");
  const SurfaceCopy s = CopySurface();
  EXPECT_EQ(s.At(0, 0), 9);
  for (int row = 0; row < 8; ++row)
    for (int col = 0; col < 8; ++col)
      if (row + col > 0) EXPECT_EQ(s.At(col, row), (GlyphRows('A')[row] & (0x80 >> col)) ? 7 : 0);

  // Across the right and bottom edges: the part on the surface.
  SetUp();
  SetColor(7);
  OutTextXY(kWidth - 4, kHeight - 3, "MM");
  for (const Pixel& p : Lit()) {
    EXPECT_GE(p.first, kWidth - 4);
    EXPECT_GE(p.second, kHeight - 3);
    EXPECT_TRUE(GlyphRows('M')[p.second - (kHeight - 3)] & (0x80 >> (p.first - (kWidth - 4))));
  }
  EXPECT_FALSE(Lit().empty());

  // A start point off the surface draws nothing, even where the text would reach it.
  SetUp();
  SetColor(7);
  OutTextXY(-3, 2, "WWWW");
  OutTextXY(2, -1, "WWWW");
  EXPECT_TRUE(Lit().empty());
}

TEST(Font, EveryPrintableCharacterHasItsOwnGlyph) {
  std::set<std::vector<std::uint8_t>> seen;
  for (int c = 0x21; c < 0x7F; ++c) {
    const std::uint8_t* rows = GlyphRows(static_cast<unsigned char>(c));
    ASSERT_NE(rows, nullptr);
    std::vector<std::uint8_t> g(rows, rows + 8);
    EXPECT_TRUE(seen.insert(g).second) << "glyph of '" << static_cast<char>(c) << "' repeats another";
    EXPECT_NE(g, std::vector<std::uint8_t>(8, 0)) << static_cast<char>(c);
    for (std::uint8_t r : g) EXPECT_EQ(r & 0x01, 0) << "column 7 is the gap";  // cells keep a gap
  }
  EXPECT_EQ(GlyphRows(0x7F), nullptr);
  EXPECT_EQ(GlyphRows('\n'), nullptr);
}

TEST(GraphMode, DrawingBeforeInitGraphEndsTheProgram) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");  // a fresh process, InitGraph never called
  EXPECT_EXIT(
      {
        // A fresh process has never called InitGraph.
        SetColor(1);
      },
      ::testing::ExitedWithCode(1), "Error: Not in graphics mode \\(use InitGraph and test GraphResult afterwards\\)");
}

}  // namespace
