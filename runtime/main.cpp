// Process entry: the runtime starts first, then the program.
#include "runtime/runtime.h"

int main(int argc, char** argv) {
  runtime::Start();
  return ProgramMain(argc, argv);
}
