// orbits list, orbits trace: the catalogue and a trajectory as text.
//
// Trace line k is the state after k steps, each component as C's %a of its
// binary64 value, one space between, nothing else. Other tools diff this.
#include <cstdio>

#include "core/runge_kutta.h"
#include "tools/orbits/commands.h"
#include "tools/orbits/output.h"

namespace {

template <Model M>
void WriteState(const ModelState<M>& s) {
  char text[40];
  for (ComponentIndex i = 1; i <= ModelConstants<M>::N; ++i) {
    const int n = std::snprintf(text, sizeof text, i == 1 ? "%a" : " %a", s[i]);
    output::Write(text, static_cast<std::size_t>(n));
  }
  output::Put('\n');
}

template <Model M>
void Trace(const VariantParameters<M>& p, std::uint64_t steps) {
  ModelState<M> s = p.initialState;
  WriteState<M>(s);
  for (std::uint64_t k = 0; k < steps; ++k) {
    RungeKuttaStep<M>(s, p);
    WriteState<M>(s);
  }
}

}  // namespace

int ListCommand() {
  for (const CatalogueEntry& e : kCatalogue) {
    char line[64];
    const int n = std::snprintf(line, sizeof line, "%.*s %.*s\n", static_cast<int>(e.name.size()),
                                e.name.data(), static_cast<int>(ModelName(e.model).size()),
                                ModelName(e.model).data());
    output::Write(line, static_cast<std::size_t>(n));
  }
  return output::Finish();
}

int TraceCommand(const CatalogueEntry& program, std::uint64_t steps) {
  VisitProgram(program, [&](const auto& p) { Trace<std::decay_t<decltype(p)>::model>(p, steps); });
  return output::Finish();
}
