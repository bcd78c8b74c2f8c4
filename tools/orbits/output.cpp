#include "tools/orbits/output.h"

#include <unistd.h>

#include <cstring>

#include "runtime/runtime.h"

namespace output {
namespace {

char buffer[1 << 16];
std::size_t used = 0;

}  // namespace

void Start() { runtime::AddExitHook(Flush); }

void Flush() {
  const char* p = buffer;
  while (used > 0) {
    const ssize_t w = write(STDOUT_FILENO, p, used);
    if (w <= 0) break;
    p += w;
    used -= static_cast<std::size_t>(w);
  }
  used = 0;
}

void Write(const char* text, std::size_t length) {
  if (used + length > sizeof buffer) Flush();
  if (length > sizeof buffer) {
    used = 0;
    const ssize_t ignored = write(STDOUT_FILENO, text, length);
    (void)ignored;
    return;
  }
  std::memcpy(buffer + used, text, length);
  used += length;
}

void Put(char c) { Write(&c, 1); }

}  // namespace output
