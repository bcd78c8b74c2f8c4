#include "graph/png_writer.h"

#include <png.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "graph/palette.h"

namespace {

// Writes the image to an open file; false on a libpng or I/O error.
bool Encode(const SurfaceCopy& surface, FILE* file) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (png == nullptr) return false;
  png_infop info = png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_write_struct(&png, nullptr);
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, static_cast<png_uint_32>(surface.width), static_cast<png_uint_32>(surface.height), 8,
               PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_color colours[kPaletteSize];
  for (int i = 0; i < kPaletteSize; ++i) {
    const Rgb c = PaletteColour(static_cast<std::uint8_t>(i));
    colours[i] = png_color{c.r, c.g, c.b};
  }
  png_set_PLTE(png, info, colours, kPaletteSize);
  png_write_info(png, info);
  for (int y = 0; y < surface.height; ++y)
    png_write_row(png, surface.pixels.data() + static_cast<std::size_t>(y) * surface.width);
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

bool WritePng(const SurfaceCopy& surface, const std::string& path, std::string& error) {
  std::string temporary = path + ".XXXXXX";
  const int fd = mkstemp(temporary.data());
  if (fd < 0) {
    error = "cannot write '" + path + "': " + std::strerror(errno);
    return false;
  }
  // mkstemp makes the file private; give it the mode a new file would get.
  const mode_t mask = umask(0);
  umask(mask);
  fchmod(fd, 0666 & ~mask);
  FILE* file = fdopen(fd, "wb");
  bool ok = file != nullptr && Encode(surface, file);
  ok = ok && std::fflush(file) == 0 && fsync(fd) == 0;
  const int savedErrno = errno;
  if (file != nullptr ? std::fclose(file) != 0 : close(fd) != 0) ok = false;
  if (!ok || std::rename(temporary.c_str(), path.c_str()) != 0) {
    error = "cannot write '" + path + "': " + std::strerror(ok ? errno : savedErrno ? savedErrno : EIO);
    unlink(temporary.c_str());
    return false;
  }
  return true;
}
