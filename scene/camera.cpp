#include "scene/camera.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>

#include "scene/rotation_math.h"
#include "scene/scene.h"

namespace quillon {

Camera::Camera() : eyePos_(PlotPoint{0, 0, 1000}), refPos_(PlotPoint{0, 0, 0}) {}

PlanePoint Camera::PlaneAt(double column, double row) const {
  const double left = refPos_.x - static_cast<double>(volWidth_) / 2;
  const double top = refPos_.y + static_cast<double>(volHeight_) / 2;
  return {left + (std::floor(column) + 0.5) * PixelWidth(),
          top - (std::floor(row) + 0.5) * PixelHeight()};
}

void Camera::SetViewRect(float /*Wide*/, float Height) {
  const float screenHeight = screenHeight_ == 0 ? 1.0f : screenHeight_;
  volHeight_ = Height;
  volWidth_ = Height * screenWidth_ / screenHeight;
}

void Camera::SetScreen(std::int32_t X, std::int32_t Y) {
  glViewport(0, 0, X, Y);
  if (Y == 0) {
    Y = 1;
  }
  screenWidth_ = static_cast<float>(X);
  screenHeight_ = static_cast<float>(Y);
}

void Camera::MoveView(float DX, float DY) {
  Vector3 n{refPos_.x - eyePos_.x, refPos_.y - eyePos_.y, refPos_.z - eyePos_.z};
  if (VecLength(n) == 0) {
    return;
  }
  VecNormal(n);
  const Vector3 s = VecCross(n, kUp);
  const Vector3 u = VecCross(s, n);
  // Each coordinate loses ms and then mu, not their sum, which rounds
  // differently.
  Vector3 ms{};
  Vector3 mu{};
  for (std::size_t k = 0; k < 3; ++k) {
    ms[k] = s[k] * volWidth_ * DX;
    mu[k] = u[k] * volHeight_ * DY;
  }
  eyePos_.x = eyePos_.x - ms[0] - mu[0];
  eyePos_.y = eyePos_.y - ms[1] - mu[1];
  eyePos_.z = eyePos_.z - ms[2] - mu[2];
  refPos_.x = refPos_.x - ms[0] - mu[0];
  refPos_.y = refPos_.y - ms[1] - mu[1];
  refPos_.z = refPos_.z - ms[2] - mu[2];
}

void Camera::ZoomAll(float MinX, float MinY, float MinZ, float MaxX, float MaxY, float MaxZ) {
  const float dx = MaxX - MinX;
  const float dy = MaxY - MinY;
  const float dz = MaxZ - MinZ;
  float m = dx > dy ? dx : dy;
  if (m < dz) {
    m = dz;
  }
  if (!(m > 0) || !std::isfinite(m)) {
    return;
  }
  SetViewRect(m, m);
  const float dEyeX = eyePos_.x - refPos_.x;
  const float dEyeY = eyePos_.y - refPos_.y;
  const float dEyeZ = eyePos_.z - refPos_.z;
  refPos_ = PlotPoint{(MinX + MaxX) / 2, (MinY + MaxY) / 2, (MinZ + MaxZ) / 2};
  eyePos_ = PlotPoint{refPos_.x + dEyeX, refPos_.y + dEyeY, refPos_.z + dEyeZ};
}

void Camera::Zoom(float factor) {
  if (factor > 0) {
    volWidth_ *= factor;
    volHeight_ *= factor;
  }
}

void Camera::Projection(Scene& showScene) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  const float left = -volWidth_ / 2;
  const float right = volWidth_ / 2;
  const float bottom = -volHeight_ / 2;
  const float top = volHeight_ / 2;
  if (projectType_ == kOrthographic) {
    glOrtho(left, right, bottom, top, volNear_, kFar);
  } else if (projectType_ == kPerspective) {
    const Box box = showScene.GetBox(0);
    const float e =
        std::max({box.MaxX() - box.MinX(), box.MaxY() - box.MinY(), box.MaxZ() - box.MinZ()});
    volNear_ = 1000 - e;
    glFrustum(left, right, bottom, top, volNear_, kFar);
    volNear_ = 0.01f;
  }
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  gluLookAt(eyePos_.x, eyePos_.y, eyePos_.z, refPos_.x, refPos_.y, refPos_.z, kUp[0], kUp[1],
            kUp[2]);
}

}  // namespace quillon
