// Material: a surface material, made where something is drawn, set to one of
// thirteen presets and loaded into the current OpenGL context for front and
// back faces. A fresh material holds zeros.
#pragma once

#include <array>

#include "graph/graph_kinds.h"

namespace quillon {

class Material {
 public:
  // Takes the colours and shininess of the preset (First..Last; any other
  // code keeps the current values) and loads diffuse, specular, shininess,
  // emission and ambient, in that order, for both faces.
  void SetMaterial(MaterialPreset preset);

 private:
  // Colours are (red, green, blue, alpha).
  std::array<float, 4> ambient_{};
  std::array<float, 4> diffuse_{};
  std::array<float, 4> specular_{};
  std::array<float, 4> emission_{};
  float shininess_ = 0;
};

}  // namespace quillon
