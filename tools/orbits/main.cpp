// orbits: the companion tool of the eight programs.
//
//   orbits list                         the programs and their model
//   orbits trace PROGRAM --steps N      the trajectory, one state per line
//   orbits render PROGRAM --passes N [--size WxH] --output FILE.png
//                                       the program's picture after N passes
//
// Bad input: one line on standard error and exit status 2.
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "runtime/runtime.h"
#include "tools/orbits/commands.h"
#include "tools/orbits/output.h"

namespace {

constexpr const char* kUsage =
    "usage: orbits list\n"
    "       orbits trace PROGRAM --steps N\n"
    "       orbits render PROGRAM --passes N [--size WxH] --output FILE.png\n"
    "\n"
    "  list    the eight programs and their model, one per line\n"
    "  trace   the state after 0..N steps, one line each, components as %a\n"
    "  render  the program's picture after N loop passes, as a PNG\n"
    "          (default size 1920x1080)\n";

std::string ProgramNames() {
  std::string names;
  for (const CatalogueEntry& e : kCatalogue) {
    if (!names.empty()) names += ", ";
    names += e.name;
  }
  return names;
}

// A whole decimal number, no sign, no spaces.
bool ParseCount(const char* text, std::uint64_t& value) {
  if (text == nullptr || *text < '0' || *text > '9') return false;
  errno = 0;
  char* end = nullptr;
  const unsigned long long v = std::strtoull(text, &end, 10);
  if (errno != 0 || *end != '\0') return false;
  value = v;
  return true;
}

bool ParseSize(const char* text, int& width, int& height) {
  unsigned w = 0, h = 0;
  char x = 0, extra = 0;
  if (std::sscanf(text, "%u%c%u%c", &w, &x, &h, &extra) != 3 || x != 'x') return false;
  if (text[0] < '0' || text[0] > '9' || w < 1 || h < 1 || w > 32767 || h > 32767) return false;
  width = static_cast<int>(w);
  height = static_cast<int>(h);
  return true;
}

// The options after the program name: "--name value" or "--name=value".
struct Options {
  const char* steps = nullptr;
  const char* passes = nullptr;
  const char* size = nullptr;
  const char* output = nullptr;
};

int ParseOptions(int argc, char** argv, int first, bool render, Options& o) {
  for (int i = first; i < argc; ++i) {
    std::string_view arg = argv[i];
    const char* value = nullptr;
    std::string_view name = arg;
    if (const auto eq = arg.find('='); arg.starts_with("--") && eq != std::string_view::npos) {
      name = arg.substr(0, eq);
      value = argv[i] + eq + 1;
    }
    const char** slot = nullptr;
    if (!render && name == "--steps") slot = &o.steps;
    if (render && name == "--passes") slot = &o.passes;
    if (render && name == "--size") slot = &o.size;
    if (render && name == "--output") slot = &o.output;
    if (slot == nullptr) {
      if (arg.starts_with("-")) return UsageError("unknown option '%s' (see orbits --help)", argv[i]);
      return UsageError("unexpected argument '%s' (see orbits --help)", argv[i]);
    }
    if (value == nullptr) {
      if (i + 1 >= argc) return UsageError("%.*s needs a value", static_cast<int>(name.size()), name.data());
      value = argv[++i];
    }
    *slot = value;
  }
  return 0;
}

const CatalogueEntry* ProgramArgument(int argc, char** argv) {
  if (argc < 3 || argv[2][0] == '-') {
    UsageError("%s needs a program name (one of %s)", argv[1], ProgramNames().c_str());
    return nullptr;
  }
  const CatalogueEntry* e = FindProgram(argv[2]);
  if (e == nullptr) UsageError("unknown program '%s' (one of %s)", argv[2], ProgramNames().c_str());
  return e;
}

int Trace(int argc, char** argv) {
  const CatalogueEntry* program = ProgramArgument(argc, argv);
  if (program == nullptr) return kUsageError;
  Options o;
  if (ParseOptions(argc, argv, 3, false, o) != 0) return kUsageError;
  std::uint64_t steps = 0;
  if (o.steps == nullptr) return UsageError("trace needs --steps N");
  if (!ParseCount(o.steps, steps))
    return UsageError("--steps needs a whole number of steps, 0 or more, not '%s'", o.steps);
  return TraceCommand(*program, steps);
}

int Render(int argc, char** argv) {
  const CatalogueEntry* program = ProgramArgument(argc, argv);
  if (program == nullptr) return kUsageError;
  Options o;
  if (ParseOptions(argc, argv, 3, true, o) != 0) return kUsageError;
  RenderOptions r{0, 1920, 1080, o.output};
  if (o.passes == nullptr) return UsageError("render needs --passes N");
  if (!ParseCount(o.passes, r.passes))
    return UsageError("--passes needs a whole number of passes, 0 or more, not '%s'", o.passes);
  if (o.size != nullptr && !ParseSize(o.size, r.width, r.height))
    return UsageError("--size needs WIDTHxHEIGHT, each 1 to 32767, not '%s'", o.size);
  if (o.output == nullptr || *o.output == '\0') return UsageError("render needs --output FILE.png");
  return RenderCommand(*program, r);
}

}  // namespace

int UsageError(const char* format, ...) {
  std::fputs("orbits: ", stderr);
  va_list args;
  va_start(args, format);
  std::vfprintf(stderr, format, args);
  va_end(args);
  std::fputc('\n', stderr);
  return kUsageError;
}

int ProgramMain(int argc, char** argv) {
  output::Start();
  if (argc < 2) {
    std::fputs(kUsage, stderr);
    return kUsageError;
  }
  const std::string_view command = argv[1];
  if (command == "--help" || command == "-h" || command == "help") {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (command == "list") {
    if (argc > 2) return UsageError("list takes no arguments, not '%s'", argv[2]);
    return ListCommand();
  }
  if (command == "trace") return Trace(argc, argv);
  if (command == "render") return Render(argc, argv);
  if (command.starts_with("-")) return UsageError("unknown option '%s' (see orbits --help)", argv[1]);
  return UsageError("unknown command '%s' (one of list, trace, render)", argv[1]);
}
