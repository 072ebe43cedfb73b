// A drawing as plain geometry: what one frame of the plane view shows, as
// lines and filled polygons in picture pixels, in the order they are drawn.
// Vector pictures (SVG, PDF, the printed page) are drawn from it, and tests
// can read it instead of pixels.
#pragma once

#include <cstdint>
#include <vector>

namespace quillon {

// Pixels from the top left corner of the picture, x to the right, y down.
struct PicturePoint {
  double x = 0;
  double y = 0;
};

// Red, green, blue and opacity, each 0..1.
struct PictureColor {
  float red = 0;
  float green = 0;
  float blue = 0;
  float alpha = 1;
  bool operator==(const PictureColor& other) const {
    return red == other.red && green == other.green && blue == other.blue && alpha == other.alpha;
  }
  bool operator!=(const PictureColor& other) const { return !(*this == other); }
};

struct PictureShape {
  enum Kind {
    Line,    // an open polyline of `width` pixels
    Filled,  // a closed polygon, filled; every one turns the same way (DoubleArea > 0)
  };
  Kind kind = Line;
  PictureColor color;
  double width = 1;  // pixels; lines only
  std::vector<PicturePoint> points;
};

struct Picture {
  std::int32_t width = 0;   // pixels
  std::int32_t height = 0;  // pixels
  PictureColor background{1, 1, 1, 1};
  // Drawn in this order, each over what came before.
  std::vector<PictureShape> shapes;
};

// The points of a polyline without those within tolerance pixels of the
// line their kept neighbours span (Douglas-Peucker); the first and last
// point are always kept.
std::vector<PicturePoint> SimplifyPolyline(const std::vector<PicturePoint>& points,
                                           double tolerance);

// The pieces of a polyline inside the rectangle 0..width x 0..height, cut
// where the line crosses its border (Liang-Barsky); pieces of fewer than
// two points are left out.
std::vector<std::vector<PicturePoint>> ClipPolyline(const std::vector<PicturePoint>& points,
                                                    double width, double height);

// A polygon cut to the rectangle 0..width x 0..height (Sutherland-Hodgman);
// empty when nothing of it is inside.
std::vector<PicturePoint> ClipPolygon(const std::vector<PicturePoint>& points, double width,
                                      double height);

// Twice the signed area of a polygon (shoelace sum of x[i] y[i+1] -
// x[i+1] y[i]); the sign tells which way it turns.
double DoubleArea(const std::vector<PicturePoint>& points);

}  // namespace quillon
