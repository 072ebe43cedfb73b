// The codes that say what a graph is and how a document looks. Each value is
// the number that graph files and the clipboard carry, so a code read from a
// file that names no enumerator is kept as it is and written back unchanged.
#pragma once

#include <cstdint>

namespace quillon {

// What a graph record holds and how it is sampled.
enum class GraphKind : std::int32_t {
  PlaneCurve = 0,  // the kind the function dialog makes: explicit or parametric
  SpaceCurve = 1,  // a curve in a coordinate plane of space
  Surface = 2,
  Ribbon = 3,  // a plane curve drawn as a ribbon in depth
  Table2D = 4,
  Table25D = 5,
  Table3D = 6,
  SinglePoint = 7,
  AnimatedPoint = 8,
  AnimatedCurve = 9,
  AnimatedRibbon = 10,
  AnimatedSpaceCurve = 11,
  AnimatedSurface = 12,
  ColorMap = 13,  // ColorMap, ContourPlot and VectorPlot are sampled like Surface
  ContourPlot = 14,
  VectorPlot = 15,
  CurveAndSecondCurve = 20,  // listed as "Intersection": a second curve from its own text
  RevolutionAboutX = 21,
  RevolutionAboutY = 22,
  StepOrStemPlot = 23,
  Vector = 31,
  VectorOperation = 32,  // boxed by the shared fallback box
  DifferentialEquation = 36,
};

enum class CoordinateSystem : std::int32_t {
  Cartesian = 1,       // x, y in the plane
  Polar = 2,           // angle a (radians), radius r in the plane
  CartesianSpace = 3,  // x, y, z
  Cylindrical = 4,     // angle a, radius r, height h
  Spherical = 5,       // angles a and b, radius r
};

enum class FunctionForm : std::int32_t {
  Equation = 1,    // implicit: the text followed by "=0"
  Explicit = 2,    // y = f(x), r = f(a), or z = f(u, v) in space
  Parametric = 3,  // x = f1(u), y = f2(u) or a = f1(u), r = f2(u)
  Inequation = 4,  // the text followed by "<0"
};

// The kind of a whole document: its file tag, axis style and list entries.
// The variants are accepted from the clipboard by their main kind.
enum class DocumentKind : std::int32_t {
  Plane = 1,  // the only kind this program's commands make
  Ribbon = 2,
  Space = 3,
  PlaneVariant = 4,
  RibbonVariant = 5,
  SpaceVariant = 6,
  Field = 7,  // a framed plane in the x-z plane
};

// The mark drawn for a point in plane documents.
enum class PointSymbol : std::int32_t {
  None = 0,
  Disc = 1,
  Circle = 2,
  Square = 3,
  Triangle = 4,
  Diamond = 5,
  Plus = 6,
};

// Fill style codes; only files set others.
enum class FillStyle : std::int32_t {
  Standard = 4,  // the style of every graph the function dialog makes
};

// Material presets 1..13 of the light model.
enum class MaterialPreset : std::int32_t {
  None = 0,
  First = 1,
  Gold = 4,      // new graphs and axis panels
  Emissive = 5,  // the only preset that glows in its own colour
  Last = 13,
};

// Kinds sampled as one curve in the plane over the v range.
inline bool IsPlaneCurveKind(GraphKind kind) {
  switch (kind) {
    case GraphKind::PlaneCurve:
    case GraphKind::Ribbon:
    case GraphKind::CurveAndSecondCurve:
    case GraphKind::RevolutionAboutX:
    case GraphKind::RevolutionAboutY:
    case GraphKind::StepOrStemPlot:
      return true;
    default:
      return false;
  }
}

inline bool IsSurfaceKind(GraphKind kind) {
  return kind == GraphKind::Surface || kind == GraphKind::ColorMap ||
         kind == GraphKind::ContourPlot || kind == GraphKind::VectorPlot;
}

inline bool IsAnimationKind(GraphKind kind) {
  return kind >= GraphKind::AnimatedPoint && kind <= GraphKind::AnimatedSurface;
}

inline bool IsPlaneSystem(CoordinateSystem system) {
  return system == CoordinateSystem::Cartesian || system == CoordinateSystem::Polar;
}

inline bool IsSpaceSystem(CoordinateSystem system) {
  return system == CoordinateSystem::CartesianSpace || system == CoordinateSystem::Cylindrical ||
         system == CoordinateSystem::Spherical;
}

inline bool IsKnownSystem(CoordinateSystem system) {
  return IsPlaneSystem(system) || IsSpaceSystem(system);
}

}  // namespace quillon
