// Panning and zooming the view with the mouse on the drawing area. With the
// left button, move mode pans, zoom mode scales, outside both a drag does
// nothing; in every mode the middle button pans and the wheel zooms about
// the pointer. Positions are in the drawing area's pixels with y growing
// downwards; only the camera changes, never the compiled scene.
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

  // The factor by which one wheel notch scales the visible region, and the
  // finer one of a notch with Ctrl held.
  static constexpr float kWheelStep = 1.25f;
  static constexpr float kFineWheelStep = 1.05f;
  // The middle button went down at (X, Y): a pan starts, whatever the mode.
  void MiddleButtonDown(float X, float Y);
  // One move with the middle button held: pans as move mode does. True when
  // the view changed.
  bool MiddleButtonMove(float X, float Y, std::int32_t W, std::int32_t H, Camera& view);
  // The wheel turned by `notches` (positive away from the user: zoom in)
  // with the pointer at (X, Y): the view scales by kWheelStep (kFineWheelStep
  // when fine) per notch and the world point under the pointer stays under
  // it. True when the view changed.
  static bool WheelTurned(float X, float Y, std::int32_t W, std::int32_t H, float notches,
                          bool fine, Camera& view);
  // Scales the visible region by factor keeping the world point under the
  // pixel (X, Y) where it is. True when the view changed.
  static bool ZoomAbout(float X, float Y, std::int32_t W, std::int32_t H, float factor,
                        Camera& view);

 private:
  bool moveMode_ = false;
  bool zoomMode_ = false;
  float lastX_ = 0;
  float lastY_ = 0;
  float zoomFactor_ = 1.0f;
  // Where the last middle-button move left the pointer.
  float panX_ = 0;
  float panY_ = 0;
  std::int32_t w_ = 0;
  std::int32_t h_ = 0;
};

}  // namespace quillon
