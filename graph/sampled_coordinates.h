// How evaluated values become stored coordinates, shared by the sampling
// files: binding a variable, the conversions of the coordinate systems and
// the clip to the view interval. Internal to the graph library.
#pragma once

#include <cmath>

#include "expr/compiled_expression.h"
#include "expr/evaluation_steps.h"
#include "expr/undefined_mark.h"
#include "graph/document_values.h"
#include "graph/graph_kinds.h"
#include "graph/point_grid.h"

namespace quillon::sampling {

// A double stored as a single, as the evaluator stores its results: a value
// beyond single range (or not a number) is no coordinate and becomes the
// undefined mark instead of an infinity.
using evaluation::FinalValue;

inline bool IsUndefined(float value) {
  return value == UndefinedMark;
}

inline void SetVariable(VariableValues& values, Variable variable, float value) {
  switch (variable) {
    case Variable::U:
      values.U = value;
      break;
    case Variable::V:
      values.V = value;
      break;
    case Variable::X:
      values.X = value;
      break;
    case Variable::Y:
      values.Y = value;
      break;
    case Variable::A:
      values.A = value;
      break;
    case Variable::R:
      values.R = value;
      break;
    case Variable::B:
      values.B = value;
      break;
    case Variable::T:
      values.T = value;
      break;
  }
}

// Angle a and radius r in the plane: X = r cos a, Y = r sin a.
inline void StorePolar(float a, float r, GridPoint& point) {
  if (IsUndefined(a) || IsUndefined(r)) {
    point.x = UndefinedMark;
    point.y = UndefinedMark;
    return;
  }
  const double angle = a;
  const double radius = r;
  point.x = FinalValue(radius * std::cos(angle));
  point.y = FinalValue(radius * std::sin(angle));
}

// The values of ExpressX, ExpressY and ExpressZ (v1, v2, v3) read in a
// coordinate system, stored as a point. Y is the vertical axis of space.
// An undefined value makes every coordinate computed from it undefined.
inline void StoreCoordinates(CoordinateSystem coordinates, float v1, float v2, float v3,
                             GridPoint& point) {
  switch (coordinates) {
    case CoordinateSystem::Cartesian:  // plane (z, x, y) and space (x, y, z) store alike
    case CoordinateSystem::CartesianSpace:
      point.z = v1;
      point.x = v2;
      point.y = v3;
      break;
    case CoordinateSystem::Polar:  // plane polar (z, angle, radius)
      StorePolar(v2, v3, point);
      point.z = v1;
      break;
    case CoordinateSystem::Cylindrical: {  // angle, radius, height
      if (IsUndefined(v1) || IsUndefined(v2)) {
        point.z = UndefinedMark;
        point.x = UndefinedMark;
      } else {
        const double a = v1;
        const double r = v2;
        point.z = FinalValue(r * std::cos(a));
        point.x = FinalValue(r * std::sin(a));
      }
      point.y = v3;
      break;
    }
    case CoordinateSystem::Spherical: {  // angle a, angle b, radius
      const double a = v1;
      const double b = v2;
      const double r = v3;
      if (IsUndefined(v2) || IsUndefined(v3)) {
        point.y = UndefinedMark;
      } else {
        point.y = FinalValue(r * std::cos(b));
      }
      if (IsUndefined(v1) || IsUndefined(v2) || IsUndefined(v3)) {
        point.z = UndefinedMark;
        point.x = UndefinedMark;
      } else {
        point.z = FinalValue(r * std::sin(b) * std::cos(a));
        point.x = FinalValue(r * std::sin(b) * std::sin(a));
      }
      break;
    }
    default:
      break;
  }
}

// The view interval, each coordinate tested on its own: a value not inside
// its bounds becomes the undefined mark (which stays, being inside any
// interval that holds 0.12345).
class ViewClip {
 public:
  explicit ViewClip(const DocumentValues& document)
      : minX_(document.ViewMinX),
        maxX_(document.ViewMaxX),
        minY_(document.ViewMinY),
        maxY_(document.ViewMaxY),
        minZ_(document.ViewMinZ),
        maxZ_(document.ViewMaxZ) {}

  float X(float value) const { return Inside(value, minX_, maxX_) ? value : UndefinedMark; }
  float Y(float value) const { return Inside(value, minY_, maxY_) ? value : UndefinedMark; }
  float Z(float value) const { return Inside(value, minZ_, maxZ_) ? value : UndefinedMark; }

  void Apply(GridPoint& point) const {
    point.x = X(point.x);
    point.y = Y(point.y);
    point.z = Z(point.z);
  }

 private:
  // Both tests always run: no branch to mispredict on a curve that leaves
  // the view and comes back.
  static bool Inside(float value, float low, float high) {
    return (low <= value) & (value <= high);
  }

  float minX_, maxX_, minY_, maxY_, minZ_, maxZ_;
};

}  // namespace quillon::sampling
