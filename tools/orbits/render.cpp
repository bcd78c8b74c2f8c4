// orbits render: the picture a program's surface holds after N loop passes,
// drawn by the programs' own start-up and pass code on the headless surface.
#include <cstdio>
#include <string>

#include "graph/graph_platform.h"
#include "graph/png_writer.h"
#include "programs/driver.h"
#include "tools/orbits/commands.h"

int RenderCommand(const CatalogueEntry& program, const RenderOptions& options) {
  SetHeadlessSize(options.width, options.height);
  VisitProgram(program, [&](const auto& p) {
    StartProgram(p);
    for (std::uint64_t pass = 0; pass < options.passes; ++pass) RunPass(p);
  });
  std::string error;
  if (!WritePng(CopySurface(), options.output, error)) {
    std::fprintf(stderr, "orbits: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
