// Vectors and unit quaternions of the scene rotation: the three angles of a
// scene become one rotation matrix when its display lists are compiled.
// Everything is single precision; quaternions are (x, y, z, w), w the scalar.
#pragma once

#include <array>

namespace quillon {

using Vector3 = std::array<float, 3>;
using Quaternion = std::array<float, 4>;
// 16 values in the order OpenGL reads them: column by column.
using Matrix4 = std::array<float, 16>;

Vector3 VecCross(const Vector3& a, const Vector3& b);
float VecLength(const Vector3& v);
// Scales v to length 1 in place. A zero vector has no direction and stays
// zero (instead of becoming not-a-number).
void VecNormal(Vector3& v);

// The rotation of a scene with these angles in degrees: roll about z, then
// pitch about x, then yaw about y. Degrees become radians with 3.1416 for
// pi, as stored documents were drawn with.
Quaternion SceneRotationQuat(float rotRoll, float rotPitch, float rotYaw);
Matrix4 SceneRotationMatrix(float rotRoll, float rotPitch, float rotYaw);

}  // namespace quillon
