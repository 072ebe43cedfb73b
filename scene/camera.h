// Camera: the camera of a drawing area. Eye, reference (look-at) point and up
// vector in world units, the visible region (view volume) in world units,
// and the drawing area's size in pixels. Loads the projection and camera of
// each frame and makes the pan, zoom and fit changes of the view.
#pragma once

#include <array>
#include <cstdint>

#include "graph/box.h"
#include "graph/plot_point.h"

namespace quillon {

class Scene;

class Camera {
 public:
  static constexpr std::int32_t kOrthographic = 1;
  static constexpr std::int32_t kPerspective = 2;

  Camera();

  std::int32_t ProjectType() const { return projectType_; }
  void ProjectType(std::int32_t value) { projectType_ = value; }
  // Drawing-area size in pixels.
  float ScreenHeight() const { return screenHeight_; }
  void ScreenHeight(float value) { screenHeight_ = value; }
  float ScreenWidth() const { return screenWidth_; }
  void ScreenWidth(float value) { screenWidth_ = value; }
  // Size of the visible region in world units.
  float VolHeight() const { return volHeight_; }
  void VolHeight(float value) { volHeight_ = value; }
  float VolWidth() const { return volWidth_; }
  void VolWidth(float value) { volWidth_ = value; }
  float VolNear() const { return volNear_; }
  void VolNear(float value) { volNear_ = value; }
  float VolFar() const { return volFar_; }
  void VolFar(float value) { volFar_ = value; }
  // Derived from VolWidth and VolHeight by every Projection.
  float Volleft() const { return volleft_; }
  void Volleft(float value) { volleft_ = value; }
  float VolRight() const { return volRight_; }
  void VolRight(float value) { volRight_ = value; }
  float VolTop() const { return volTop_; }
  void VolTop(float value) { volTop_ = value; }
  float VolBottom() const { return volBottom_; }
  void VolBottom(float value) { volBottom_ = value; }
  // Up vector, index 0..2; other indices throw GraphError.
  float VecUp(std::int32_t index) const { return vecUp_[Index(index)]; }
  void VecUp(std::int32_t index, float value) { vecUp_[Index(index)] = value; }
  const PlotPoint& RefPos() const { return refPos_; }
  void RefPos(const PlotPoint& value) { refPos_ = value; }
  const PlotPoint& EyePos() const { return eyePos_; }
  void EyePos(const PlotPoint& value) { eyePos_ = value; }

  // Width and Height receive VolWidth and VolHeight.
  void GetViewRect(float& Wide, float& Height) const;
  // VolHeight = Height; the width follows from the screen's aspect ratio
  // (Wide is not used). A screen height of 0 counts as 1.
  void SetViewRect(float Wide, float Height);
  void SetVecup(float DX, float DY, float dz);
  void SetRef(float X, float Y, float z);
  void SetEye(float X, float Y, float z);
  // Sets the OpenGL viewport to X x Y pixels (needs a current context), then
  // keeps the size, a height of 0 counted as 1.
  void SetScreen(std::int32_t X, std::int32_t Y);
  // Pans eye and reference point by fractions DX, DY of the visible region
  // (DX = 1: one VolWidth to the left, so the graphs follow the mouse).
  // Nothing moves while eye and reference point coincide.
  void MoveView(float DX, float DY);
  // Fits the visible region to the box and centres the reference point in
  // it, keeping the viewing direction and distance. A box without a positive
  // size (an empty scene's inverted box, a single point) changes nothing.
  void ZoomAll(float MinX, float MinY, float MinZ, float MaxX, float MaxY, float MaxZ);
  // Scales the visible region; factors of 0 or less, or not a number, change nothing.
  void Zoom(float factor);
  void Selection(float X, float Y);
  // Loads the projection and the camera into the current context. The
  // perspective projection sets its near distance from the box of
  // showScene (step 0) and leaves VolNear at 0.01 afterwards.
  void Projection(Scene& showScene);

 private:
  static std::size_t Index(std::int32_t index);

  PlotPoint eyePos_;
  PlotPoint refPos_;
  std::array<float, 3> vecUp_{0, 1, 0};
  float volFar_ = 2000;
  float volleft_ = 0, volRight_ = 0, volTop_ = 0, volBottom_ = 0;
  float volNear_ = 0.001f;
  float volWidth_ = 40, volHeight_ = 40;
  float screenWidth_ = 200, screenHeight_ = 200;
  std::int32_t projectType_ = kOrthographic;
};

}  // namespace quillon
