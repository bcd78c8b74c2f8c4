// The spatial display style: two projection views, one above the other.
//
// The upper view ("Rovina xz") shows x across and z up, the lower view
// ("Rovina xy") x across and y up, each with a solid blue disc at its centre.
// Every pass adds one pixel per body to each view; nothing is ever erased.
#pragma once

#include <cstdint>

#include "core/model.h"

void DrawSpatialScene(std::int16_t centreX, std::int16_t upperCentreY, std::int16_t lowerCentreY);
void PlotSpatialStep(const ModelState<Model::Spatial>& s, const VariantParameters<Model::Spatial>& view);

// The column of the body being plotted, shared by both of its views.
extern std::int16_t ScreenX;
