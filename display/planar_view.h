// The planar display style: one view, x across and y up, a small yellow disc
// at the centre, each body a moving 2x2 square with a one-pixel trail.
//
// Every pass draws each body's square at its new place, erases it at its old
// place (the erase wins where they overlap), then sets a trail pixel on the
// old square's top row: its left pixel while the body moves right (vx > 0),
// its right pixel otherwise. The old places are the previous pass's pixels,
// never recomputed.
#pragma once

#include <cstdint>

#include "core/model.h"

void DrawPlanarScene(std::int16_t centreX, std::int16_t centreY);
void InitPlanarPositions(const ModelState<Model::Planar>& s, const VariantParameters<Model::Planar>& view);
void PlotPlanarStep(const ModelState<Model::Planar>& s, const VariantParameters<Model::Planar>& view);

// This pass's and the previous pass's pixel positions of the two bodies.
extern std::int16_t NewX1, NewY1, NewX2, NewY2;
extern std::int16_t OldX1, OldY1, OldX2, OldY2;
