// PlotPoint: one sampled point of a graph, with the attributes of the symbol that
// may mark it. Coordinates are world units; any of them may be UndefinedMark.
#pragma once

#include <cstdint>

namespace quillon {

class PlotPoint {
 public:
  float X() const { return x_; }
  void X(float value) { x_ = value; }
  float Y() const { return y_; }
  void Y(float value) { y_ = value; }
  float z() const { return z_; }
  void z(float value) { z_ = value; }
  // Colour: red in bits 0..7, green 8..15, blue 16..23.
  std::int32_t Color() const { return color_; }
  void Color(std::int32_t value) { color_ = value; }
  float Size() const { return size_; }
  void Size(float value) { size_ = value; }
  bool Hollow() const { return hollow_; }
  void Hollow(bool value) { hollow_ = value; }
  bool Show() const { return show_; }
  void Show(bool value) { show_ = value; }
  std::int32_t Symbol() const { return symbol_; }
  void Symbol(std::int32_t value) { symbol_ = value; }

  // A new point at (X, Y, z) with every other field at its default.
  static PlotPoint Init(float X, float Y, float z) {
    PlotPoint point;
    point.x_ = X;
    point.y_ = Y;
    point.z_ = z;
    return point;
  }

  friend bool operator==(const PlotPoint& a, const PlotPoint& b) {
    return a.x_ == b.x_ && a.y_ == b.y_ && a.z_ == b.z_ && a.color_ == b.color_ &&
           a.size_ == b.size_ && a.hollow_ == b.hollow_ && a.show_ == b.show_ &&
           a.symbol_ == b.symbol_;
  }
  friend bool operator!=(const PlotPoint& a, const PlotPoint& b) { return !(a == b); }

 private:
  float x_ = 0;
  float y_ = 0;
  float z_ = 0;
  std::int32_t color_ = 0;
  float size_ = 0.15f;
  bool hollow_ = false;
  bool show_ = false;
  std::int32_t symbol_ = 0;
};

}  // namespace quillon
