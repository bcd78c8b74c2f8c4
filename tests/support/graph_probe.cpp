// A small program on the window backend: opens the window and draws, like the
// programs' start. For the failure paths of the window tests.
#include "graph/graph.h"
#include "runtime/runtime.h"

int ProgramMain(int, char**) {
  std::int16_t driver = Detect, mode = 0;
  InitGraph(driver, mode, " ");
  SetBkColor(0);
  SetColor(14);
  Circle(100, 100, 9);
  return 0;
}
