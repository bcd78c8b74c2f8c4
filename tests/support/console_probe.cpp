// A small program on the runtime and console layers, for the terminal tests:
// waits for a key like the programs do. "fault" ends it with a run-time
// error, "crash" with a segmentation fault, once the console is taken.
#include <csignal>
#include <cstring>

#include "core/extended.h"
#include "crt/crt.h"
#include "runtime/runtime.h"

namespace {

// A call of its own, so the report has callers to list.
__attribute__((noinline)) double Quotient(double a, double b) { return D(Extended{a} / Extended{b}); }

}  // namespace

int ProgramMain(int argc, char** argv) {
  CrtStart();
  const char* mode = argc > 1 ? argv[1] : "";
  for (;;) {
    Delay(1);
    if (std::strcmp(mode, "fault") == 0) {
      volatile double zero = 0;
      volatile double r = Quotient(zero, zero);
      (void)r;
    }
    if (std::strcmp(mode, "crash") == 0) std::raise(SIGSEGV);
    if (KeyPressed()) return 0;
  }
}
