// Light: the lighting of a frame. Two lights with the same position and
// colours, the light-model ambient level and two-sided lighting, loaded into
// the current OpenGL context at the start of every frame.
#pragma once

#include <array>
#include <cstdint>

namespace quillon {

class Light {
 public:
  // The four-component fields take an index 0..3; GlobalAmbient and
  // TwoSides hold one value and take index 0 only. Other indices throw
  // GraphError.
  bool Enabled() const { return enabled_; }
  void Enabled(bool value) { enabled_ = value; }
  float Specular(std::int32_t index) const { return specular_[Index4(index)]; }
  void Specular(std::int32_t index, float value) { specular_[Index4(index)] = value; }
  // The ambient colour of the two lights.
  float Amission(std::int32_t index) const { return amission_[Index4(index)]; }
  void Amission(std::int32_t index, float value) { amission_[Index4(index)] = value; }
  float Diffuse(std::int32_t index) const { return diffuse_[Index4(index)]; }
  void Diffuse(std::int32_t index, float value) { diffuse_[Index4(index)] = value; }
  // Homogeneous position, placed with the camera of the frame.
  float Position(std::int32_t index) const { return position_[Index4(index)]; }
  void Position(std::int32_t index, float value) { position_[Index4(index)] = value; }
  float GlobalAmbient(std::int32_t index = 0) const { return globalAmbient_[Index1(index)]; }
  void GlobalAmbient(std::int32_t index, float value) { globalAmbient_[Index1(index)] = value; }
  float TwoSides(std::int32_t index = 0) const { return twoSides_[Index1(index)]; }
  void TwoSides(std::int32_t index, float value) { twoSides_[Index1(index)] = value; }

  // Loads lights 0 and 1 and the light model and switches lighting on, or
  // only switches lighting and both lights off when not Enabled. Light
  // positions are taken through the current model-view matrix.
  void SetLight() const;

 private:
  static std::size_t Index4(std::int32_t index);
  static std::size_t Index1(std::int32_t index);

  std::array<float, 1> twoSides_{1.0f};
  std::array<float, 1> globalAmbient_{1.0f};
  std::array<float, 4> position_{100, 100, 100, 1};
  std::array<float, 4> diffuse_{1, 1, 1, 1};
  std::array<float, 4> amission_{1, 1, 1, 1};
  std::array<float, 4> specular_{1, 1, 1, 1};
  bool enabled_ = true;
};

}  // namespace quillon
