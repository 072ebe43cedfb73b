// Box: an axis-aligned box in world units. Nothing is enforced: a minimum
// may lie above its maximum (the box of a graph that no point touched).
#pragma once

namespace quillon {

class Box {
 public:
  float MinX() const { return minX_; }
  void MinX(float value) { minX_ = value; }
  float MaxX() const { return maxX_; }
  void MaxX(float value) { maxX_ = value; }
  float MinY() const { return minY_; }
  void MinY(float value) { minY_ = value; }
  float MaxY() const { return maxY_; }
  void MaxY(float value) { maxY_ = value; }
  float MinZ() const { return minZ_; }
  void MinZ(float value) { minZ_ = value; }
  float MaxZ() const { return maxZ_; }
  void MaxZ(float value) { maxZ_ = value; }

 private:
  float minX_ = 0;
  float maxX_ = 0;
  float minY_ = 0;
  float maxY_ = 0;
  float minZ_ = 0;
  float maxZ_ = 0;
};

}  // namespace quillon
