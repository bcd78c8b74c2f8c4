// Writes a surface to a PNG file: 8-bit palette indices with the palette's
// exact colours. The file appears whole or not at all: the image goes to a
// temporary file in the same folder, which is then renamed.
#pragma once

#include <string>

#include "graph/graph_platform.h"

// False, with the reason in `error`, when the file cannot be written.
bool WritePng(const SurfaceCopy& surface, const std::string& path, std::string& error);
