// Panning and zooming the view with the mouse on the drawing area. Move mode
// pans, zoom mode scales, outside both a drag does nothing. Positions are in
// the drawing area's pixels with y growing downwards; only the camera
// changes, never the compiled scene.
#pragma once

#include <cstdint>

namespace quillon {

class Camera;

class MouseNavigation {
 public:
  bool MoveMode() const { return moveMode_; }
  bool ZoomMode() const { return zoomMode_; }
  // Choosing one mode leaves the other; New and Open leave both.
  void EnterMoveMode();
  void EnterZoomMode();
  void ClearModes();

  float LastX() const { return lastX_; }
  float LastY() const { return lastY_; }
  // The factor of the last zoom step (1.0 until the first).
  float ZoomFactor() const { return zoomFactor_; }
  // Drawing-area size in pixels as read at the last move.
  std::int32_t W() const { return w_; }
  std::int32_t H() const { return h_; }

  // The left button went down at (X, Y).
  void LeftButtonDown(float X, float Y);
  // One move with the left button alone held, in a drawing area of W x H
  // pixels. Each move applies its own step from the previous position, so
  // a drag is the sum of its steps. True when the view changed and a frame
  // should be drawn.
  bool LeftButtonMove(float X, float Y, std::int32_t W, std::int32_t H, Camera& view);

 private:
  bool moveMode_ = false;
  bool zoomMode_ = false;
  float lastX_ = 0;
  float lastY_ = 0;
  float zoomFactor_ = 1.0f;
  std::int32_t w_ = 0;
  std::int32_t h_ = 0;
};

}  // namespace quillon
