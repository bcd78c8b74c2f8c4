#include "display/planar_view.h"

#include "display/dot.h"
#include "display/screen_mapping.h"
#include "display/style.h"
#include "graph/graph.h"

std::int16_t NewX1, NewY1, NewX2, NewY2;
std::int16_t OldX1, OldY1, OldX2, OldY2;

namespace {

// Draw at the new place, erase at the old, mark the side the body left.
void MoveBody(std::int16_t newX, std::int16_t newY, std::int16_t oldX, std::int16_t oldY, double vx,
              std::uint16_t bodyColour, std::uint16_t trailColour) {
  DrawDot(newX, newY, bodyColour);
  DrawDot(oldX, oldY, PlanarStyle::eraseColour);
  PutPixel(vx > 0 ? oldX : static_cast<std::int16_t>(oldX + 1), oldY, trailColour);
}

}  // namespace

void DrawPlanarScene(std::int16_t centreX, std::int16_t centreY) {
  using S = PlanarStyle;
  SetBkColor(S::backgroundColour);
  SetColor(S::discColour);
  SetFillStyle(SolidFill, S::discColour);
  Circle(centreX, centreY, S::discRadius);
  FloodFill(centreX, centreY, S::discColour);
}

void InitPlanarPositions(const ModelState<Model::Planar>& s, const VariantParameters<Model::Planar>& view) {
  OldX1 = PixelX(s[1], view.centreX);
  OldY1 = PixelY(s[3], view.centreY);
  OldX2 = PixelX(s[5], view.centreX);
  OldY2 = PixelY(s[7], view.centreY);
}

void PlotPlanarStep(const ModelState<Model::Planar>& s, const VariantParameters<Model::Planar>& view) {
  using S = PlanarStyle;
  // All four positions before any drawing: a pass whose positions fail draws nothing.
  NewX1 = PixelX(s[1], view.centreX);
  NewY1 = PixelY(s[3], view.centreY);
  NewX2 = PixelX(s[5], view.centreX);
  NewY2 = PixelY(s[7], view.centreY);
  MoveBody(NewX1, NewY1, OldX1, OldY1, s[2], S::bodyColour1, S::trailColour1);
  MoveBody(NewX2, NewY2, OldX2, OldY2, s[6], S::bodyColour2, S::trailColour2);
  OldX1 = NewX1, OldY1 = NewY1, OldX2 = NewX2, OldY2 = NewY2;
}
