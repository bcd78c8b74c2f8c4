// The orbits tool as its users call it: list, trace's exact format, render's
// picture and its failures, and the usage errors.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <png.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <sstream>

#include "graph/palette.h"
#include "tests/support/child_process.h"

namespace {

RunResult Orbits(std::vector<std::string> args) {
  args.insert(args.begin(), BuildPath("orbits"));
  return RunWithInput(args, -1, 60000);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Split on single spaces; an empty field would show a doubled space.
std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t at = 0;
  for (std::size_t next; (next = line.find(' ', at)) != std::string::npos; at = next + 1)
    fields.push_back(line.substr(at, next - at));
  fields.push_back(line.substr(at));
  return fields;
}

TEST(OrbitsList, NamesTheEightProgramsAndTheirModel) {
  const RunResult r = Orbits({"list"});
  EXPECT_EQ(r.status.code, 0);
  EXPECT_EQ(r.out,
            "orbit3d-a spatial\norbit3d-b spatial\norbit3d-c spatial\norbit2d-a planar\norbit2d-b planar\n"
            "orbit2d-c planar\norbit2d-d planar\norbit2d-e planar\n");
}

TEST(OrbitsTrace, WritesEveryStateInHexFloatExactly) {
  const RunResult r = Orbits({"trace", "orbit2d-a", "--steps", "100"});
  ASSERT_EQ(r.status.code, 0) << r.err;
  const std::vector<std::string> lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 101u);
  EXPECT_EQ(lines[0],
            "0x1.9fp+8 -0x1.ccccccccccccdp+0 -0x1.ep+5 -0x1.ccccccccccccdp+0 0x1.9p+8 -0x1.ccccccccccccdp+0 "
            "-0x1.ep+5 0x1.3333333333333p+0");
  const std::vector<std::string> last = Fields(lines[100]);
  ASSERT_EQ(last.size(), 8u);
  EXPECT_EQ(last[0], "0x1.b803590e71eafp+7");
  EXPECT_EQ(last[1], "-0x1.8f321de0fae4dp+1");
  EXPECT_EQ(last[2], "-0x1.61fa137a715a8p+6");
  const RunResult spatial = Orbits({"trace", "orbit3d-a", "--steps=1"});
  const std::vector<std::string> s = Lines(spatial.out);
  ASSERT_EQ(s.size(), 2u);
  EXPECT_EQ(s[0], "0x0p+0 0x0p+0 0x0p+0 0x1.9eb851eb851ecp+0 0x1.9p+6 0x0p+0 0x1.9p+6 0x0p+0 0x0p+0 "
                  "-0x1.9eb851eb851ecp+0 0x0p+0 0x0p+0");
  const std::vector<std::string> step = Fields(s[1]);
  ASSERT_EQ(step.size(), 12u);
  EXPECT_EQ(step[0], "-0x1.5b8bde3e2146ap-11");
  EXPECT_EQ(step[1], "-0x1.5b891ccdb0426p-9");
  EXPECT_EQ(step[4], "0x1.8ffcd6bd82a27p+6");
  EXPECT_EQ(Lines(Orbits({"trace", "orbit2d-e", "--steps", "0"}).out).size(), 1u);
}

TEST(OrbitsTrace, AnOutputThatFailsIsAFailure) {
  const int full = open("/dev/full", O_WRONLY);
  if (full < 0) GTEST_SKIP() << "no /dev/full";
  // Standard output is /dev/full: every write fails with ENOSPC.
  const std::string command = BuildPath("orbits") + " trace orbit2d-a --steps 10 >/dev/full";
  const RunResult r = RunWithInput({"/bin/sh", "-c", command}, -1, 10000);
  close(full);
  EXPECT_EQ(r.status.code, 1);
  EXPECT_NE(r.err.find("orbits: cannot write standard output"), std::string::npos) << r.err;
}

TEST(OrbitsUsage, BadInputGetsOneLineAndStatusTwo) {
  const struct {
    std::vector<std::string> args;
    const char* says;
  } cases[] = {
      {{"trace", "orbit9d-z", "--steps", "3"}, "unknown program 'orbit9d-z' (one of orbit3d-a, "},
      {{"trace", "orbit2d-a"}, "trace needs --steps N"},
      {{"trace", "orbit2d-a", "--steps"}, "--steps needs a value"},
      {{"trace", "orbit2d-a", "--steps", "-1"}, "--steps needs a whole number"},
      {{"trace", "orbit2d-a", "--steps", "12x"}, "--steps needs a whole number"},
      {{"trace", "orbit2d-a", "--steps", "99999999999999999999999"}, "--steps needs a whole number"},
      {{"trace", "orbit2d-a", "--steps", "3", "--fast"}, "unknown option '--fast'"},
      {{"trace"}, "trace needs a program name"},
      {{"render", "orbit2d-a", "--passes", "3"}, "render needs --output FILE.png"},
      {{"render", "orbit2d-a", "--passes", "3", "--size", "0x10", "--output", "x.png"}, "--size needs WIDTHxHEIGHT"},
      {{"render", "orbit2d-a", "--passes", "3", "--size", "640", "--output", "x.png"}, "--size needs WIDTHxHEIGHT"},
      {{"frobnicate"}, "unknown command 'frobnicate'"},
      {{"--verbose"}, "unknown option '--verbose'"},
      {{}, "usage: orbits list"},
  };
  for (const auto& c : cases) {
    const RunResult r = Orbits(c.args);
    EXPECT_EQ(r.status.code, 2) << r.err;
    EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
    if (!c.args.empty()) EXPECT_EQ(Lines(r.err).size(), 1u) << r.err;
  }
  const RunResult help = Orbits({"--help"});
  EXPECT_EQ(help.status.code, 0);
  EXPECT_NE(help.out.find("orbits trace PROGRAM --steps N"), std::string::npos);
}

// Reads a PNG back: size, palette and indices.
struct Png {
  int width = 0, height = 0;
  std::vector<Rgb> palette;
  std::vector<std::uint8_t> indices;
};

bool ReadPng(const std::string& path, Png& out) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) return false;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(f);
    return false;
  }
  png_init_io(png, f);
  png_read_info(png, info);
  out.width = static_cast<int>(png_get_image_width(png, info));
  out.height = static_cast<int>(png_get_image_height(png, info));
  png_colorp colours = nullptr;
  int count = 0;
  png_get_PLTE(png, info, &colours, &count);
  for (int i = 0; i < count; ++i) out.palette.push_back({colours[i].red, colours[i].green, colours[i].blue});
  out.indices.resize(static_cast<std::size_t>(out.width) * out.height);
  for (int y = 0; y < out.height; ++y) png_read_row(png, &out.indices[static_cast<std::size_t>(y) * out.width], nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  std::fclose(f);
  return true;
}

class OrbitsRender : public ::testing::Test {
 protected:
  void SetUp() override {
    char dir[] = "/tmp/orbits-render-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    folder = dir;
  }
  void TearDown() override { (void)!system(("rm -rf " + folder).c_str()); }
  std::string folder;
};

TEST_F(OrbitsRender, WritesThePictureWithThePalettesExactColours) {
  const std::string path = folder + "/first.png";
  const RunResult r = Orbits({"render", "orbit2d-a", "--passes", "1", "--size", "700x300", "--output", path});
  ASSERT_EQ(r.status.code, 0) << r.err;
  Png png;
  ASSERT_TRUE(ReadPng(path, png));
  EXPECT_EQ(png.width, 700);
  EXPECT_EQ(png.height, 300);
  ASSERT_GE(png.palette.size(), 16u);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(png.palette[i], kStandardColours[i]) << i;
  // After one pass: the yellow disc and the two trail pixels of the first pass.
  EXPECT_EQ(png.indices[220 * 700 + 616], 1);
  EXPECT_EQ(png.indices[220 * 700 + 601], 4);
  EXPECT_EQ(png.indices[175 * 700 + 200], 14);
  EXPECT_EQ(png.indices[220 * 700 + 615], 0);
  const RunResult big = Orbits({"render", "orbit3d-a", "--passes", "10", "--output", folder + "/default.png"});
  ASSERT_EQ(big.status.code, 0);
  ASSERT_TRUE(ReadPng(folder + "/default.png", png));
  EXPECT_EQ(png.width, 1920);
  EXPECT_EQ(png.height, 1080);
}

TEST_F(OrbitsRender, AnOutputThatCannotBeWrittenLeavesNoFile) {
  const RunResult missing = Orbits({"render", "orbit2d-a", "--passes", "5", "--output", folder + "/no/such/x.png"});
  EXPECT_EQ(missing.status.code, 1);
  EXPECT_NE(missing.err.find("cannot write"), std::string::npos) << missing.err;
  // An output that is a folder: the picture is made, the rename fails, and
  // neither a file nor the temporary one is left.
  const std::string existing = folder + "/keep.png";
  ASSERT_EQ(mkdir(existing.c_str(), 0700), 0);
  const RunResult folderOut = Orbits({"render", "orbit2d-b", "--passes", "9", "--size", "64x64", "--output", existing});
  EXPECT_EQ(folderOut.status.code, 1);
  EXPECT_NE(folderOut.err.find("cannot write"), std::string::npos) << folderOut.err;
  rmdir(existing.c_str());
  ASSERT_EQ(Orbits({"render", "orbit2d-b", "--passes", "2", "--size", "64x64", "--output", existing}).status.code, 0);
  // No temporary file is left behind.
  const RunResult listing = RunWithInput({"/bin/ls", "-A", folder}, -1, 5000);
  EXPECT_EQ(listing.out, "keep.png\n");
}

}  // namespace
