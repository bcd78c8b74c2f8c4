// The program driver: start, the endless plot-step-pause-key loop, the end.
//
//   start  2. fill the state from the catalogue row
//          3. InitGraph(Detect)             4. draw the fixed scene
//          5. planar: record the first old square positions
//   loop   6. plot   7. RungeKuttaStep   8. Delay(delayMs)   9. KeyPressed?
//   end   10. back to the runtime, exit code 0
//
// Step 1, the runtime's start, has run before ProgramMain (runtime/main.cpp);
// the console library is taken first of all, before the state is filled.
// All program-wide state is static and zero at start; nothing is allocated in
// the loop. StartProgram and RunPass serve the headless renderer too, so that
// it draws exactly what the program draws.
#pragma once

#include <cstdint>

#include "core/runge_kutta.h"
#include "crt/crt.h"
#include "display/planar_view.h"
#include "display/spatial_view.h"
#include "graph/graph.h"

template <Model M>
inline ModelState<M> ProgramState;  // the simulated state s

inline std::int16_t GraphDriver;
inline std::int16_t GraphMode;

inline void DrawScene(const VariantParameters<Model::Spatial>& p) {
  DrawSpatialScene(p.centreX, p.upperCentreY, p.lowerCentreY);
}
inline void DrawScene(const VariantParameters<Model::Planar>& p) {
  DrawPlanarScene(p.centreX, p.centreY);
  InitPlanarPositions(ProgramState<Model::Planar>, p);
}

inline void Plot(const VariantParameters<Model::Spatial>& p) { PlotSpatialStep(ProgramState<Model::Spatial>, p); }
inline void Plot(const VariantParameters<Model::Planar>& p) { PlotPlanarStep(ProgramState<Model::Planar>, p); }

// Start-up steps 2 to 5.
template <Model M>
void StartProgram(const VariantParameters<M>& p) {
  ProgramState<M> = p.initialState;
  GraphDriver = Detect;
  InitGraph(GraphDriver, GraphMode, " ");
  DrawScene(p);  // steps 4 and 5, whatever InitGraph achieved
}

// Loop steps 6 and 7.
template <Model M>
void RunPass(const VariantParameters<M>& p) {
  Plot(p);
  RungeKuttaStep<M>(ProgramState<M>, p);
}

template <Model M>
int RunProgram(const VariantParameters<M>& p) {
  CrtStart();
  StartProgram(p);
  do {
    RunPass(p);
    Delay(ModelConstants<M>::delayMs);
  } while (!KeyPressed());
  return 0;
}
