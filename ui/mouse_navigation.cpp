#include "ui/mouse_navigation.h"

#include <cmath>

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

void MouseNavigation::MiddleButtonDown(float X, float Y) {
  panX_ = X;
  panY_ = Y;
}

bool MouseNavigation::MiddleButtonMove(float X, float Y, std::int32_t W, std::int32_t H,
                                       Camera& view) {
  if (W <= 0 || H <= 0) {
    return false;
  }
  view.MoveView((X - panX_) / static_cast<float>(W), (panY_ - Y) / static_cast<float>(H));
  panX_ = X;
  panY_ = Y;
  return true;
}

bool MouseNavigation::WheelTurned(float X, float Y, std::int32_t W, std::int32_t H, float notches,
                                  bool fine, Camera& view) {
  const float step = fine ? kFineWheelStep : kWheelStep;
  return ZoomAbout(X, Y, W, H, std::pow(step, -notches), view);
}

bool MouseNavigation::ZoomAbout(float X, float Y, std::int32_t W, std::int32_t H, float factor,
                                Camera& view) {
  if (W <= 0 || H <= 0 || !(factor > 0) || !std::isfinite(factor)) {
    return false;
  }
  // The pointer's offset from the centre as fractions of the region: the
  // world point there lies that far from the reference point, before and
  // after the zoom, so the reference point moves by (1 - factor) of it.
  const float offsetX = X / static_cast<float>(W) - 0.5f;
  const float offsetY = 0.5f - Y / static_cast<float>(H);
  view.Zoom(factor);
  // MoveView pans by fractions of the new region, against the given sign.
  view.MoveView(-(1 - factor) * offsetX / factor, -(1 - factor) * offsetY / factor);
  return true;
}

}  // namespace quillon
