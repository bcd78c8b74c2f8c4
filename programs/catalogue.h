// The variant catalogue: every per-program constant of the eight programs.
//
// Each program is built with exactly one of these rows; the model constants
// (N, step, pause) are in core/model.h, the display-style constants in
// display/style.h. Every coefficient is a whole number, exact in any format.
#pragma once

#include <array>
#include <string_view>

#include "core/model.h"

using SpatialParameters = VariantParameters<Model::Spatial>;
using PlanarParameters = VariantParameters<Model::Planar>;

constexpr Extended Coefficient(int v) { return Extended{static_cast<double>(v)}; }

// Initial states in StateVector order: x1 vx1 y1 vy1 z1 vz1 x2 vx2 y2 vy2 z2 vz2.
inline constexpr SpatialParameters kOrbit3dA{
    Coefficient(-300), Coefficient(-150),
    {{0, 0, 0, 1.62, 100, 0, 100, 0, 0, -1.62, 0, 0}}, 320, 100, 320};
inline constexpr SpatialParameters kOrbit3dB{
    Coefficient(-1000), Coefficient(14),
    {{-100, 0, 0, -2.9, 30, 0, 0, -2.5, 150, 0, 0, 0}}, 320, 50, 220};
inline constexpr SpatialParameters kOrbit3dC{
    Coefficient(-1000), Coefficient(20),
    {{148, 0, 0, 2.45, 0, 1.5, 153, 0, 0, 2.65, 0, -1.5}}, 320, 50, 220};

// Initial states in StateVector order: x1 vx1 y1 vy1 x2 vx2 y2 vy2.
inline constexpr PlanarParameters kOrbit2dA{
    Coefficient(-1000), Coefficient(90), Coefficient(100),
    {{415, -1.8, -60, -1.8, 400, -1.8, -60, 1.2}}, 200, 175};
inline constexpr PlanarParameters kOrbit2dB{
    Coefficient(-1000), Coefficient(0), Coefficient(4),
    {{150, 0, 0, 2.5, 400, -1, -60, -0.3}}, 149, 175};
inline constexpr PlanarParameters kOrbit2dC{
    Coefficient(-1000), Coefficient(0), Coefficient(265),
    {{234, 0, 0, 2, 0, 6, -50, 0}}, 250, 275};
inline constexpr PlanarParameters kOrbit2dD{
    Coefficient(-2000), Coefficient(0), Coefficient(0),
    {{80, 0, 0, -5, -80, 0, 0, 7.07}}, 149, 175};
inline constexpr PlanarParameters kOrbit2dE{
    Coefficient(-1000), Coefficient(0), Coefficient(0),
    {{250, 0, 0, -1, 1000, -5, 50, 0}}, 149, 175};

// The catalogue by name, for tools that pick a program at run time.
struct CatalogueEntry {
  std::string_view name;
  Model model;
  const SpatialParameters* spatial;  // set for the spatial model
  const PlanarParameters* planar;    // set for the planar model
};

inline constexpr std::array<CatalogueEntry, 8> kCatalogue{{
    {"orbit3d-a", Model::Spatial, &kOrbit3dA, nullptr},
    {"orbit3d-b", Model::Spatial, &kOrbit3dB, nullptr},
    {"orbit3d-c", Model::Spatial, &kOrbit3dC, nullptr},
    {"orbit2d-a", Model::Planar, nullptr, &kOrbit2dA},
    {"orbit2d-b", Model::Planar, nullptr, &kOrbit2dB},
    {"orbit2d-c", Model::Planar, nullptr, &kOrbit2dC},
    {"orbit2d-d", Model::Planar, nullptr, &kOrbit2dD},
    {"orbit2d-e", Model::Planar, nullptr, &kOrbit2dE},
}};

inline const CatalogueEntry* FindProgram(std::string_view name) {
  for (const CatalogueEntry& e : kCatalogue)
    if (e.name == name) return &e;
  return nullptr;
}

constexpr std::string_view ModelName(Model m) { return m == Model::Spatial ? "spatial" : "planar"; }

// Calls f with the entry's parameters, typed by its model.
template <typename F>
decltype(auto) VisitProgram(const CatalogueEntry& e, F&& f) {
  if (e.model == Model::Spatial) return f(*e.spatial);
  return f(*e.planar);
}
