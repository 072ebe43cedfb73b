#include "scene/rotation_math.h"

#include <cmath>

namespace quillon {

Vector3 VecCross(const Vector3& a, const Vector3& b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

namespace {

Vector3 VecScale(const Vector3& v, float factor) {
  return {v[0] * factor, v[1] * factor, v[2] * factor};
}

Vector3 VecAdd(const Vector3& a, const Vector3& b) {
  return {a[0] + b[0], a[1] + b[1], a[2] + b[2]};
}

float VecDot(const Vector3& a, const Vector3& b) {
  return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

// The rotation by phi radians about axis (normalised first).
Quaternion AxisToQuat(Vector3 axis, float phi) {
  VecNormal(axis);
  const Vector3 xyz = VecScale(axis, std::sin(phi / 2));
  return {xyz[0], xyz[1], xyz[2], std::cos(phi / 2)};
}

// Scales q to length 1 in place; (0, 0, 0, 0) stays as it is.
void NormalizeQuat(Quaternion& q) {
  float length = std::sqrt(q[0] * q[0] + q[1] * q[1] + q[2] * q[2] + q[3] * q[3]);
  if (length == 0) {
    length = 1;
  }
  for (float& component : q) {
    component /= length;
  }
}

// The rotation a followed by b, normalised.
Quaternion ComposeQuats(const Quaternion& a, const Quaternion& b) {
  const Vector3 aXyz{a[0], a[1], a[2]};
  const Vector3 bXyz{b[0], b[1], b[2]};
  const Vector3 t1 = VecScale(aXyz, b[3]);
  const Vector3 t2 = VecScale(bXyz, a[3]);
  const Vector3 t3 = VecCross(bXyz, aXyz);
  const Vector3 sum = VecAdd(VecAdd(t1, t2), t3);
  Quaternion result{sum[0], sum[1], sum[2], a[3] * b[3] - VecDot(aXyz, bXyz)};
  NormalizeQuat(result);
  return result;
}

Matrix4 QuatToMatrix(const Quaternion& q) {
  const float x = q[0], y = q[1], z = q[2], w = q[3];
  return {1 - 2 * (y * y + z * z),
          2 * (x * y - z * w),
          2 * (z * x + y * w),
          0,
          2 * (x * y + z * w),
          1 - 2 * (z * z + x * x),
          2 * (y * z - x * w),
          0,
          2 * (z * x - y * w),
          2 * (y * z + x * w),
          1 - 2 * (y * y + x * x),
          0,
          0,
          0,
          0,
          1};
}

}  // namespace

float VecLength(const Vector3& v) {
  return std::sqrt(VecDot(v, v));
}

void VecNormal(Vector3& v) {
  const float length = VecLength(v);
  if (length != 0) {
    for (float& component : v) {
      component /= length;
    }
  }
}

Quaternion SceneRotationQuat(float rotRoll, float rotPitch, float rotYaw) {
  constexpr float kPi = 3.1416f;
  const Quaternion roll = AxisToQuat({0, 0, 1}, rotRoll * kPi / 180);
  const Quaternion pitch = AxisToQuat({1, 0, 0}, rotPitch * kPi / 180);
  const Quaternion yaw = AxisToQuat({0, 1, 0}, rotYaw * kPi / 180);
  return ComposeQuats(ComposeQuats(roll, pitch), yaw);
}

Matrix4 SceneRotationMatrix(float rotRoll, float rotPitch, float rotYaw) {
  return QuatToMatrix(SceneRotationQuat(rotRoll, rotPitch, rotYaw));
}

}  // namespace quillon
