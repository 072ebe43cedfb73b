#include "scene/rotation_math.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quillon {
namespace {

constexpr float kTolerance = 1e-5f;

void ExpectNear(const Quaternion& actual, const Quaternion& expected, float tolerance) {
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_NEAR(actual[i], expected[i], tolerance) << "component " << i;
  }
}

// Rotates v by the matrix read column by column, as OpenGL does.
Vector3 Apply(const Matrix4& m, const Vector3& v) {
  return {m[0] * v[0] + m[4] * v[1] + m[8] * v[2], m[1] * v[0] + m[5] * v[1] + m[9] * v[2],
          m[2] * v[0] + m[6] * v[1] + m[10] * v[2]};
}

TEST(VectorMath, BasicOperations) {
  const Vector3 a{1, 2, 3};
  const Vector3 b{-4, 0.5f, 2};
  EXPECT_EQ(VecCross(a, b), (Vector3{2.5f, -14, 8.5f}));
  EXPECT_EQ(VecCross(Vector3{1, 0, 0}, Vector3{0, 1, 0}), (Vector3{0, 0, 1}));
  EXPECT_EQ(VecAdd(a, b), (Vector3{-3, 2.5f, 5}));
  EXPECT_FLOAT_EQ(VecDot(a, b), 3);
  EXPECT_EQ(VecScale(a, -2), (Vector3{-2, -4, -6}));
  EXPECT_FLOAT_EQ(VecLength({3, 4, 12}), 13);
  Quaternion copy{};
  VecCopy({1, 2, 3, 4}, copy);
  EXPECT_EQ(copy, (Quaternion{1, 2, 3, 4}));
}

TEST(VectorMath, NormalizingScalesToUnitLengthAndKeepsZero) {
  struct Case {
    Vector3 in;
    Vector3 expected;
  };
  const Case cases[] = {{{3, 0, 4}, {0.6f, 0, 0.8f}},
                        {{0, -5, 0}, {0, -1, 0}},
                        {{0, 0, 0}, {0, 0, 0}},
                        {{1e-20f, 0, 0}, {1, 0, 0}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.in[0] << "," << c.in[1] << "," << c.in[2]);
    Vector3 v = c.in;
    VecNormal(v);
    for (std::size_t i = 0; i < 3; ++i) {
      EXPECT_NEAR(v[i], c.expected[i], kTolerance);
      EXPECT_FALSE(std::isnan(v[i]));
    }
  }
}

// Each component is divided by the length (a multiplication by its
// reciprocal would round 6 / sqrt(37) the other way).
TEST(VectorMath, NormalizingDividesByTheLength) {
  Vector3 v{1, 6, 0};
  VecNormal(v);
  const float length = std::sqrt(37.0f);
  EXPECT_EQ(v, (Vector3{1 / length, 6 / length, 0}));
}

TEST(Quaternions, NormalizeQuat) {
  struct Case {
    Quaternion in;
    Quaternion expected;
  };
  const Case cases[] = {{{0, 0, 0, 2}, {0, 0, 0, 1}},
                        {{1, 1, 1, 1}, {0.5f, 0.5f, 0.5f, 0.5f}},
                        {{0, 0, 0, 0}, {0, 0, 0, 0}},
                        {{0, -3, 4, 0}, {0, -0.6f, 0.8f, 0}}};
  for (const Case& c : cases) {
    Quaternion q = c.in;
    NormalizeQuat(q);
    ExpectNear(q, c.expected, kTolerance);
  }
}

TEST(Quaternions, AxisToQuatNormalisesTheAxis) {
  const float half = std::sqrt(0.5f);
  struct Case {
    Vector3 axis;
    float phi;
    Quaternion expected;
  };
  const Case cases[] = {
      {{0, 0, 1}, 0, {0, 0, 0, 1}},
      {{0, 0, 1}, 3.14159265f / 2, {0, 0, half, half}},
      {{0, 0, 7}, 3.14159265f / 2, {0, 0, half, half}},
      {{2, 0, 0}, 3.14159265f, {1, 0, 0, 0}},
      {{0, -1, 0}, 3.14159265f / 2, {0, -half, 0, half}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.phi);
    ExpectNear(AxisToQuat(c.axis, c.phi), c.expected, kTolerance);
  }
}

// Rotates v by the unit quaternion q (v' = q v q*).
Vector3 Rotate(const Quaternion& q, const Vector3& v) {
  const Vector3 u{q[0], q[1], q[2]};
  const Vector3 uv = VecCross(u, v);
  const Vector3 uuv = VecCross(u, uv);
  return VecAdd(v, VecAdd(VecScale(uv, 2 * q[3]), VecScale(uuv, 2)));
}

// Composing a then b must rotate a vector as a first, then b.
TEST(Quaternions, ComposeAppliesFirstThenSecond) {
  const float quarter = 3.14159265f / 2;
  const Quaternion aboutZ = AxisToQuat({0, 0, 1}, quarter);
  const Quaternion aboutX = AxisToQuat({1, 0, 0}, quarter);
  const Quaternion tilted = AxisToQuat({1, 2, -1}, 0.7f);
  struct Case {
    Quaternion first, second;
    Vector3 in;
  };
  const Case cases[] = {
      {aboutZ, aboutX, {1, 0, 0}}, {aboutX, aboutZ, {1, 0, 0}},
      {aboutX, aboutZ, {0, 1, 0}}, {aboutZ, tilted, {0.3f, -2, 1}},
      {tilted, aboutX, {1, 1, 1}}, {aboutZ, {0, 0, 0, 1}, {1, 0, 0}},
  };
  for (std::size_t n = 0; n < std::size(cases); ++n) {
    SCOPED_TRACE(n);
    const Case& c = cases[n];
    const Vector3 expected = Rotate(c.second, Rotate(c.first, c.in));
    const Vector3 out = Rotate(ComposeQuats(c.first, c.second), c.in);
    for (std::size_t i = 0; i < 3; ++i) {
      EXPECT_NEAR(out[i], expected[i], kTolerance);
    }
  }
  // z quarter turn takes x to y; then x quarter turn takes y to z.
  const Vector3 out = Rotate(ComposeQuats(aboutZ, aboutX), {1, 0, 0});
  EXPECT_NEAR(out[2], 1, kTolerance);
}

// The matrix holds the inverse (transposed) rotation of its quaternion:
// OpenGL reads it column by column while the rows hold the rotation.
TEST(Quaternions, MatrixUndoesTheQuaternionRotation) {
  const Quaternion q = AxisToQuat({1, 2, -1}, 0.7f);
  const Vector3 v{0.3f, -2, 1};
  const Vector3 back = Apply(QuatToMatrix(q), Rotate(q, v));
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_NEAR(back[i], v[i], kTolerance);
  }
}

TEST(Quaternions, ComposeNormalisesItsResult) {
  const Quaternion q = ComposeQuats({0, 0, 0, 2}, {0, 0, 0, 3});
  ExpectNear(q, {0, 0, 0, 1}, kTolerance);
}

TEST(SceneRotation, AnglesToQuaternionAndMatrix) {
  struct Case {
    float roll, pitch, yaw;
    Quaternion q;
  };
  const float half = 0.70710856f;  // cos and sin of 3.1416 / 4
  const Case cases[] = {
      {0, 0, 0, {0, 0, 0, 1}},        {90, 0, 0, {0, 0, half, half}},
      {0, 90, 0, {half, 0, 0, half}}, {0, 0, 90, {0, half, 0, half}},
      {0, 0, 360, {0, 0, 0, -1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.roll << " " << c.pitch << " " << c.yaw);
    ExpectNear(SceneRotationQuat(c.roll, c.pitch, c.yaw), c.q, 2e-5f);
  }
  const Matrix4 identity = SceneRotationMatrix(0, 0, 0);
  for (std::size_t i = 0; i < 16; ++i) {
    EXPECT_EQ(identity[i], (i % 5 == 0) ? 1.0f : 0.0f) << i;
  }
}

// 3.1416 instead of pi: a quarter roll misses the exact matrix in the sixth
// decimal, in the direction the rounded angle dictates.
TEST(SceneRotation, RollOfNinetyDegreesUsesTheRoundedPi) {
  const Matrix4 m = SceneRotationMatrix(90, 0, 0);
  const double angle = 90 * 3.1416 / 180;
  EXPECT_NEAR(m[0], std::cos(angle), 1e-6);
  EXPECT_NEAR(m[1], -std::sin(angle), 1e-6);
  EXPECT_NEAR(m[4], std::sin(angle), 1e-6);
  EXPECT_NEAR(m[5], std::cos(angle), 1e-6);
  EXPECT_LT(m[0], 0);  // cos of slightly more than a quarter turn
  EXPECT_GT(std::fabs(m[0]), 1e-6f);
}

// The matrix undoes yaw, then pitch, then roll: with all three at 90
// degrees x comes back to x and y goes to -z.
TEST(SceneRotation, ComposesRollPitchYawInThatOrder) {
  const Vector3 out = Apply(SceneRotationMatrix(90, 90, 90), {1, 0, 0});
  EXPECT_NEAR(out[0], 1, 1e-4);
  EXPECT_NEAR(out[1], 0, 1e-4);
  EXPECT_NEAR(out[2], 0, 1e-4);
  const Vector3 y = Apply(SceneRotationMatrix(90, 90, 90), {0, 1, 0});
  EXPECT_NEAR(y[0], 0, 1e-4);
  EXPECT_NEAR(y[1], 0, 1e-4);
  EXPECT_NEAR(y[2], -1, 1e-4);
}

}  // namespace
}  // namespace quillon
