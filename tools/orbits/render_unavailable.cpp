// orbits render, in a build without the headless raster and PNG writer.
#include <cstdio>

#include "tools/orbits/commands.h"

int RenderCommand(const CatalogueEntry&, const RenderOptions&) {
  std::fputs("orbits: render is not available in this build (it needs libpng)\n", stderr);
  return 1;
}
