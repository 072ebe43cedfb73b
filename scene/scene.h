// Scene: an ordered list of graph records under their ID keys, with the
// rotation used when the display lists are compiled.
#pragma once

#include <cstdint>

#include "graph/box.h"
#include "graph/graph_collection.h"

namespace quillon {

class CertifiedDrawing;

// Bounds gathered over boxes: they start inverted at 9999999 and take every
// strictly smaller minimum and strictly larger maximum.
struct BoxBounds {
  float MaxX = -9999999.0f, MinX = 9999999.0f;
  float MaxY = -9999999.0f, MinY = 9999999.0f;
  float MaxZ = -9999999.0f, MinZ = 9999999.0f;

  void Take(const Box& box);
  // Moves every minimum 0.1 down and every maximum 0.1 up.
  void Widen();
  Box AsBox() const;
};

class Scene {
 public:
  GraphCollection& Graphs() { return graphs_; }
  const GraphCollection& Graphs() const { return graphs_; }

  // True when at least one graph is animated; false for an empty list.
  bool Animation() const;

  // Rotation angles in degrees.
  float RotYaw() const { return rotYaw_; }
  void RotYaw(float value) { rotYaw_ = value; }
  float RotPitch() const { return rotPitch_; }
  void RotPitch(float value) { rotPitch_ = value; }
  float RotRoll() const { return rotRoll_; }
  void RotRoll(float value) { rotRoll_ = value; }

  // The box around all graphs for an animation step, widened by 0.1 on every
  // side. An empty scene gives minima 9999999 and maxima -9999999.
  Box GetBox(std::int32_t step = 0) const;

  // Draws every graph in list order into the current OpenGL context (defined
  // with the drawing code); with `exact`, the curves it draws exactly are
  // placed there (DrawGraph).
  void Draw(CertifiedDrawing* exact = nullptr) const;

 private:
  GraphCollection graphs_;
  float rotRoll_ = 0, rotPitch_ = 0, rotYaw_ = 0;
};

}  // namespace quillon
