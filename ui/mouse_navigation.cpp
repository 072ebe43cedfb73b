#include "ui/mouse_navigation.h"

#include "scene/camera.h"

namespace quillon {

void MouseNavigation::EnterMoveMode() {
  moveMode_ = true;
  zoomMode_ = false;
}

void MouseNavigation::EnterZoomMode() {
  zoomMode_ = true;
  moveMode_ = false;
}

void MouseNavigation::ClearModes() {
  moveMode_ = false;
  zoomMode_ = false;
}

void MouseNavigation::LeftButtonDown(float X, float Y) {
  lastX_ = X;
  lastY_ = Y;
}

bool MouseNavigation::LeftButtonMove(float X, float Y, std::int32_t W, std::int32_t H,
                                     Camera& view) {
  w_ = W;
  h_ = H;
  // A collapsed drawing area has no scale to move or zoom by.
  if (W <= 0 || H <= 0) {
    return false;
  }
  if (zoomMode_) {
    // Up by a tenth of the height gives 0.9: the region shrinks, the graphs
    // grow. The view ignores factors of 0 or less.
    zoomFactor_ = 1 - (lastY_ - Y) / static_cast<float>(H);
    lastX_ = X;
    lastY_ = Y;
    view.Zoom(zoomFactor_);
    return true;
  }
  if (moveMode_) {
    const float dx = (X - lastX_) / static_cast<float>(W);
    const float dy = (lastY_ - Y) / static_cast<float>(H);
    view.MoveView(dx, dy);
    lastX_ = X;
    lastY_ = Y;
    return true;
  }
  return false;
}

}  // namespace quillon
