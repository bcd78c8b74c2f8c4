#include "display/spatial_view.h"

#include "display/screen_mapping.h"
#include "display/style.h"
#include "graph/graph.h"

std::int16_t ScreenX;

void DrawSpatialScene(std::int16_t centreX, std::int16_t upperCentreY, std::int16_t lowerCentreY) {
  using S = SpatialStyle;
  SetBkColor(S::backgroundColour);
  SetColor(S::discColour);
  SetFillStyle(SolidFill, S::discColour);
  Circle(centreX, upperCentreY, S::discRadius);
  FloodFill(centreX, upperCentreY, S::discColour);
  Circle(centreX, lowerCentreY, S::discRadius);
  FloodFill(centreX, lowerCentreY, S::discColour);
  SetColor(S::labelColour);
  OutTextXY(0, upperCentreY, S::upperLabel);
  OutTextXY(0, lowerCentreY, S::lowerLabel);
}

void PlotSpatialStep(const ModelState<Model::Spatial>& s, const VariantParameters<Model::Spatial>& view) {
  using S = SpatialStyle;
  // Each row goes to PutPixel as it is computed: a row that cannot be rounded
  // stops the program with the pixels before it already drawn.
  ScreenX = PixelX(s[1], view.centreX);
  PutPixel(ScreenX, PixelY(s[5], view.upperCentreY), S::bodyColour1);
  PutPixel(ScreenX, PixelY(s[3], view.lowerCentreY), S::bodyColour1);
  ScreenX = PixelX(s[7], view.centreX);
  PutPixel(ScreenX, PixelY(s[11], view.upperCentreY), S::bodyColour2);
  PutPixel(ScreenX, PixelY(s[9], view.lowerCentreY), S::bodyColour2);
}
