// orbit2d-a: the driver with its own catalogue row. Arguments are ignored.
#include "programs/catalogue.h"
#include "programs/driver.h"
#include "runtime/runtime.h"

int ProgramMain(int, char**) { return RunProgram(kOrbit2dA); }
