// Material: a surface material, made where something is drawn, set to one of
// thirteen presets and loaded into the current OpenGL context for front and
// back faces. A fresh material holds zeros.
#pragma once

#include <array>
#include <cstdint>

#include "graph/graph_kinds.h"

namespace quillon {

class Material {
 public:
  std::int32_t MatType() const { return matType_; }
  void MatType(std::int32_t value) { matType_ = value; }
  // Colours are (red, green, blue, alpha), index 0..3; other indices throw
  // GraphError.
  float Emission(std::int32_t index) const { return emission_[Index(index)]; }
  void Emission(std::int32_t index, float value) { emission_[Index(index)] = value; }
  float Shininess() const { return shininess_; }
  void Shininess(float value) { shininess_ = value; }
  float Specular(std::int32_t index) const { return specular_[Index(index)]; }
  void Specular(std::int32_t index, float value) { specular_[Index(index)] = value; }
  float Diffuse(std::int32_t index) const { return diffuse_[Index(index)]; }
  void Diffuse(std::int32_t index, float value) { diffuse_[Index(index)] = value; }
  float Ambient(std::int32_t index) const { return ambient_[Index(index)]; }
  void Ambient(std::int32_t index, float value) { ambient_[Index(index)] = value; }

  // Takes the colours and shininess of the preset (First..Last; any other
  // code keeps the current values) and loads diffuse, specular, shininess,
  // emission and ambient, in that order, for both faces.
  void SetMaterial(MaterialPreset preset);

 private:
  static std::size_t Index(std::int32_t index);

  std::array<float, 4> ambient_{};
  std::array<float, 4> diffuse_{};
  std::array<float, 4> specular_{};
  std::array<float, 4> emission_{};
  float shininess_ = 0;
  std::int32_t matType_ = 0;
};

}  // namespace quillon
