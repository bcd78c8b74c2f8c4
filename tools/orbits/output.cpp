#include "tools/orbits/output.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "runtime/runtime.h"

namespace output {
namespace {

char buffer[1 << 16];
std::size_t used = 0;
int error = 0;  // the first write error, if any

void WriteAll(const char* p, std::size_t n) {
  while (n > 0 && error == 0) {
    const ssize_t w = write(STDOUT_FILENO, p, n);
    if (w < 0 && errno == EINTR) continue;
    if (w <= 0) {
      error = w < 0 ? errno : EIO;
      return;
    }
    p += w;
    n -= static_cast<std::size_t>(w);
  }
}

}  // namespace

void Start() { runtime::AddExitHook(Flush); }

void Flush() {
  WriteAll(buffer, used);
  used = 0;
}

void Write(const char* text, std::size_t length) {
  if (used + length > sizeof buffer) Flush();
  if (length > sizeof buffer) return WriteAll(text, length);
  std::memcpy(buffer + used, text, length);
  used += length;
}

void Put(char c) { Write(&c, 1); }

int Finish() {
  Flush();
  if (error == 0) return 0;
  std::fprintf(stderr, "orbits: cannot write standard output: %s\n", std::strerror(error));
  return 1;
}

}  // namespace output
