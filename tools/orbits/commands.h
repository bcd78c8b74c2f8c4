// The orbits tool's commands. Each returns the process exit status.
#pragma once

#include <cstdint>
#include <string_view>

#include "programs/catalogue.h"

// Exit status for bad input.
inline constexpr int kUsageError = 2;

// Writes "orbits: " and the message to standard error; returns kUsageError.
int UsageError(const char* format, ...) __attribute__((format(printf, 1, 2)));

int ListCommand();
int TraceCommand(const CatalogueEntry& program, std::uint64_t steps);
struct RenderOptions {
  std::uint64_t passes;
  int width;
  int height;
  const char* output;
};
int RenderCommand(const CatalogueEntry& program, const RenderOptions& options);
