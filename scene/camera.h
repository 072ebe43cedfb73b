// Camera: the camera of a drawing area. Eye and reference (look-at) point in
// world units (the eye starts 1000 units in front of the origin, looking down
// -z with +y up), the visible region (view volume) in world units, and the
// drawing area's size in pixels. Loads the projection and camera of each
// frame and makes the pan, zoom and fit changes of the view.
#pragma once

#include <array>
#include <cstdint>

#include "graph/box.h"
#include "graph/plot_point.h"

namespace quillon {

class Scene;

// A point of the plane z = 0 in world units.
struct PlanePoint {
  double x = 0;
  double y = 0;
};

class Camera {
 public:
  static constexpr std::int32_t kOrthographic = 1;
  static constexpr std::int32_t kPerspective = 2;

  Camera();

  std::int32_t ProjectType() const { return projectType_; }
  void ProjectType(std::int32_t value) { projectType_ = value; }
  // Drawing-area size in pixels.
  float ScreenHeight() const { return screenHeight_; }
  float ScreenWidth() const { return screenWidth_; }
  // Size of the visible region in world units.
  float VolHeight() const { return volHeight_; }
  float VolWidth() const { return volWidth_; }
  // The point looked at, in world units.
  const PlotPoint& RefPos() const { return refPos_; }

  // The world size of one pixel across and up.
  double PixelWidth() const { return static_cast<double>(volWidth_) / screenWidth_; }
  double PixelHeight() const { return static_cast<double>(volHeight_) / screenHeight_; }
  // The point of the plane z = 0 at the centre of the pixel holding the
  // drawing-area position (column, row), in pixels from the top left, as an
  // orthographic view looking down -z shows it.
  PlanePoint PlaneAt(double column, double row) const;

  // VolHeight = Height; the width follows from the screen's aspect ratio
  // (Wide is not used). A screen height of 0 counts as 1.
  void SetViewRect(float Wide, float Height);
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
  // Loads the projection and the camera into the current context. The
  // perspective projection sets its near distance from the box of
  // showScene (step 0) and leaves the near distance at 0.01 afterwards.
  void Projection(Scene& showScene);

 private:
  // The up vector, and the far distance of the visible region.
  static constexpr std::array<float, 3> kUp{0, 1, 0};
  static constexpr float kFar = 2000;

  PlotPoint eyePos_;
  PlotPoint refPos_;
  float volNear_ = 0.001f;  // the near distance, which a perspective frame changes
  float volWidth_ = 40, volHeight_ = 40;
  float screenWidth_ = 200, screenHeight_ = 200;
  std::int32_t projectType_ = kOrthographic;
};

}  // namespace quillon
