// The camera (pan, zoom, fit, projection) and the vector and quaternion
// math of the scene rotation.

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

#include "drawing_test_support.h"
#include "scene/camera.h"
#include "scene/rotation_math.h"
#include "scene/scene.h"
#include "support/codes.h"

namespace quillon {
namespace {

using Point3 = std::array<float, 3>;
constexpr float kNan = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

Point3 Xyz(const PlotPoint& p) {
  return {p.x, p.y, p.z};
}

// A camera from eye to ref with the given up vector and visible region.
Camera MakeCamera(const Point3& eye, const Point3& ref, const Point3& up, float width,
                  float height) {
  Camera view;
  view.SetEye(eye[0], eye[1], eye[2]);
  view.SetRef(ref[0], ref[1], ref[2]);
  view.SetVecup(up[0], up[1], up[2]);
  view.VolWidth(width);
  view.VolHeight(height);
  return view;
}

std::array<float, 16> ReadMatrix(GLenum which) {
  std::array<float, 16> m{};
  glGetFloatv(which, m.data());
  return m;
}

TEST(View, ZoomScalesOnlyByPositiveFactors) {
  for (const auto& [factor, width] :
       {std::pair{0.5f, 20.f}, {0.f, 40.f}, {-1.f, 40.f}, {kNan, 40.f}}) {
    Camera view;
    view.VolHeight(10);
    view.Zoom(factor);
    EXPECT_EQ((std::array{view.VolWidth(), view.VolHeight()}), (std::array{width, width / 4}))
        << factor;
  }
}

// SetScreen gives OpenGL the size as it is and keeps a zero height as 1;
// SetViewRect takes the width from the height and the screen's aspect,
// counting a zero screen height as 1 too.
TEST(View, ScreenSizeAndViewRect) {
  auto context = testing::MakeTestContext(64, 64);
  ASSERT_NE(context, nullptr);
  Camera view;
  view.SetScreen(50, 0);
  std::array<GLint, 4> viewport{};
  glGetIntegerv(GL_VIEWPORT, viewport.data());
  EXPECT_EQ(viewport, (std::array<GLint, 4>{0, 0, 50, 0}));
  EXPECT_EQ(view.ScreenHeight(), 1);
  for (const auto& [screenHeight, width] : {std::pair{200.0f, 0.5f}, {0.0f, 100.0f}}) {
    view.ScreenHeight(screenHeight);
    view.SetViewRect(7, 2);
    float wide = 0, height = 0;
    view.GetViewRect(wide, height);
    EXPECT_EQ((std::array{wide, height}), (std::array{width, 2.f}));
  }
}

// The region fits the box's largest side on a 400 x 200 screen, and the
// camera moves to the box centre keeping its offset from eye to reference
// point. A box without a positive finite size changes nothing.
TEST(View, ZoomAllFitsTheBox) {
  struct Case {
    std::array<float, 6> box;  // MinX, MinY, MinZ, MaxX, MaxY, MaxZ
    float volHeight;
    Point3 ref;
  };
  const Case cases[] = {
      {{0, 0, 0, 10, 2, 0}, 10, {5, 1, 0}},
      {{0, -6, 0, 1, 6, 0}, 12, {0.5f, 0, 0}},
      {{0, 0, -20, 1, 1, 20}, 40, {0.5f, 0.5f, 0}},
      {{9999999, 9999999, 9999999, -9999999, -9999999, -9999999}, 10, {1, 1, 1}},  // inverted
      {{1, 1, 1, 1, 1, 1}, 10, {1, 1, 1}},
      {{0, 0, 0, kInf, 1, 0}, 10, {1, 1, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.box[3]);
    Camera view = MakeCamera({5, 6, 300}, {1, 1, 1}, {0, 1, 0}, 20, 10);
    view.ScreenWidth(400);
    view.ScreenHeight(200);
    view.ZoomAll(c.box[0], c.box[1], c.box[2], c.box[3], c.box[4], c.box[5]);
    EXPECT_EQ((std::array{view.VolHeight(), view.VolWidth()}),
              (std::array{c.volHeight, 2 * c.volHeight}));
    EXPECT_EQ(Xyz(view.RefPos()), c.ref);
    EXPECT_EQ(Xyz(view.EyePos()), (Point3{c.ref[0] + 4, c.ref[1] + 5, c.ref[2] + 299}));
  }
}

// Pans by fractions of the visible region along the screen's axes, from the
// viewing direction n and the up vector: s = n x up, u = s x n. Each point
// moves by ms and then by mu: 1 - 2^-25 - 2^-25 rounds back to 1 twice in
// single precision, where 1 - 2^-24 would not. Eye and reference point in
// one place give no direction: nothing moves.
TEST(View, MoveViewPansAlongTheScreenAxes) {
  const float tiny = std::ldexp(1.0f, -25);
  struct Case {
    Point3 eye, up;
    float volWidth, volHeight, dx, dy;
    Point3 shift;
  };
  const Case cases[] = {
      {{1, 0, 1000}, {0, 1, 0}, 40, 40, -1, 1, {40, -40, 0}},
      {{1, 0, 1000}, {1, 0, 0}, 10, 20, 1, 0.5f, {-10, 10, 0}},  // the screen's right is -y
      {{1, 0, 1000}, {1, 1, 0}, 1, 1, tiny, tiny, {0, 0, 0}},    // s = (1, -1, 0), u = (1, 1, 0)
      {{1, 0, 0}, {0, 1, 0}, 40, 40, 0.5f, 0.5f, {0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.volHeight);
    Camera view = MakeCamera(c.eye, {1, 0, 0}, c.up, c.volWidth, c.volHeight);
    view.MoveView(c.dx, c.dy);
    EXPECT_EQ(Xyz(view.EyePos()), (Point3{1 + c.shift[0], c.shift[1], c.eye[2] + c.shift[2]}));
    EXPECT_EQ(Xyz(view.RefPos()), (Point3{1 + c.shift[0], c.shift[1], c.shift[2]}));
  }
}

// Orthographic: the volume from VolWidth, VolHeight, VolNear and VolFar.
// Perspective: a frustum whose near distance is 1000 less the largest side of
// the scene box (widened by 0.1), whichever axis that is, and far beyond the
// far plane for an empty scene's inverted box; VolNear is 0.01 afterwards,
// which the next orthographic frame uses. Other types load no projection.
// The camera looks from EyePos.
TEST(View, ProjectionAndCamera) {
  auto context = testing::MakeTestContext(32, 32);
  ASSERT_NE(context, nullptr);
  Scene scene;
  Camera view = MakeCamera({0, 0, 1000}, {0, 0, 0}, {0, 1, 0}, 80, 20);
  view.Projection(scene);
  EXPECT_EQ((std::array{view.Volleft(), view.VolRight(), view.VolBottom(), view.VolTop()}),
            (std::array<float, 4>{-40, 40, -10, 10}));
  const auto p = ReadMatrix(GL_PROJECTION_MATRIX);
  EXPECT_EQ(
      (std::array{p[0], p[5], p[10], p[14]}),
      (std::array{2.0f / 80, 2.0f / 20, -2 / (2000 - 0.001f), -(2000 + 0.001f) / (2000 - 0.001f)}));
  EXPECT_FLOAT_EQ(ReadMatrix(GL_MODELVIEW_MATRIX)[14], -1000);
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);
  view.ProjectType(3);
  view.Projection(scene);
  EXPECT_EQ(ReadMatrix(GL_PROJECTION_MATRIX),
            (std::array<float, 16>{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}));

  // The curve runs from the origin to the point.
  for (const auto& [far, largest] : {std::pair<Point3, float>{{0, 0, 0}, -19999998.0f},
                                     {{10, 4, 2}, 10.2f},
                                     {{3, -12, 2}, 12.2f},
                                     {{1, 2, 30}, 30.2f}}) {
    SCOPED_TRACE(largest);
    testing::TestDocument doc;
    if (largest > 0) {
      const auto graph = doc.Show(doc.MakePolyline({{0, 0}, {0, 0}}));
      // The test writes through the read-only view to place the far point.
      *const_cast<GridPoint*>(graph->Points().Find(0, 1)) = GridPoint{far[0], far[1], far[2]};
    }
    doc.view.ProjectType(2);
    doc.view.Projection(doc.scene);
    const auto frustum = ReadMatrix(GL_PROJECTION_MATRIX);
    const double expected = 2 * (1000 - static_cast<double>(largest)) / 40;
    EXPECT_NEAR(frustum[0], expected, expected * 2e-6);
    EXPECT_FLOAT_EQ(frustum[11], -1);
    EXPECT_FLOAT_EQ(doc.view.VolNear(), 0.01f);
    doc.view.ProjectType(1);
    doc.view.Projection(doc.scene);
    EXPECT_FLOAT_EQ(ReadMatrix(GL_PROJECTION_MATRIX)[14], -(2000 + 0.01f) / (2000 - 0.01f));
  }
}

const float kHalf = std::sqrt(0.5f);
constexpr float kQuarterTurn = 3.14159265f / 2;

template <std::size_t N>
void ExpectNear(const std::array<float, N>& actual, const std::array<float, N>& expected,
                float tolerance = 1e-5f) {
  for (std::size_t i = 0; i < N; ++i) {
    EXPECT_NEAR(actual[i], expected[i], tolerance) << "component " << i;
  }
}

// Rotates v by the unit quaternion q (v' = q v q*).
Vector3 Rotate(const Quaternion& q, const Vector3& v) {
  const Vector3 u{q[0], q[1], q[2]};
  const Vector3 uv = VecCross(u, v);
  return VecAdd(v, VecAdd(VecScale(uv, 2 * q[3]), VecScale(VecCross(u, uv), 2)));
}

// Applies the matrix read column by column, as OpenGL does.
Vector3 Apply(const Matrix4& m, const Vector3& v) {
  return {m[0] * v[0] + m[4] * v[1] + m[8] * v[2], m[1] * v[0] + m[5] * v[1] + m[9] * v[2],
          m[2] * v[0] + m[6] * v[1] + m[10] * v[2]};
}

// Normalising divides by the length (multiplying by its reciprocal rounds
// 6 / sqrt(37) the other way); a zero vector or quaternion stays zero, a
// tiny one is still scaled.
TEST(VectorMath, OperationsAndNormalising) {
  const Vector3 a{1, 2, 3};
  const Vector3 b{-4, 0.5f, 2};
  EXPECT_EQ(VecCross(a, b), (Vector3{2.5f, -14, 8.5f}));
  EXPECT_EQ(VecAdd(a, b), (Vector3{-3, 2.5f, 5}));
  EXPECT_EQ(VecDot(a, b), 3);
  EXPECT_EQ(VecScale(a, -2), (Vector3{-2, -4, -6}));
  EXPECT_EQ(VecLength({3, 4, 12}), 13);
  Vector3 v{1, 6, 0};
  VecNormal(v);
  EXPECT_EQ(v, (Vector3{1 / std::sqrt(37.0f), 6 / std::sqrt(37.0f), 0}));
  for (Vector3 in : {Vector3{0, 0, 0}, Vector3{1e-20f, 0, 0}}) {
    VecNormal(in);
    ExpectNear(in, {in[0] == 0 ? 0.0f : 1.0f, 0, 0});
  }
  for (const auto& [in, out] :
       {std::pair<Quaternion, Quaternion>{{1, 1, 1, 1}, {0.5f, 0.5f, 0.5f, 0.5f}},
        {{0, 0, 0, 0}, {0, 0, 0, 0}}}) {
    Quaternion q = in;
    NormalizeQuat(q);
    EXPECT_EQ(q, out);
  }
}

// AxisToQuat normalises the axis and halves the angle. compose(a, b) rotates
// as a first, then b, and comes out normalised; its matrix holds the inverse
// (transposed) rotation, as OpenGL reads the rows as columns.
TEST(Quaternions, AxisComposeAndMatrix) {
  ExpectNear(AxisToQuat({0, 0, 7}, kQuarterTurn), {0, 0, kHalf, kHalf});
  ExpectNear(AxisToQuat({2, 0, 0}, 2 * kQuarterTurn), {1, 0, 0, 0});
  const Quaternion aboutZ = AxisToQuat({0, 0, 1}, kQuarterTurn);
  const Quaternion aboutX = AxisToQuat({1, 0, 0}, kQuarterTurn);
  const Quaternion tilted = AxisToQuat({1, 2, -1}, 0.7f);
  for (const auto& [first, second] : {std::pair{aboutZ, aboutX}, {tilted, aboutX}}) {
    const Vector3 in{0.3f, -2, 1};
    const Quaternion q = ComposeQuats(first, second);
    const Vector3 expected = Rotate(second, Rotate(first, in));
    ExpectNear(Rotate(q, in), expected);
    ExpectNear(Apply(QuatToMatrix(q), expected), in);
  }
  // A z quarter turn takes x to y; then an x quarter turn takes y to z.
  ExpectNear(Rotate(ComposeQuats(aboutZ, aboutX), {1, 0, 0}), {0, 0, 1});
  ExpectNear(ComposeQuats({0, 0, 0, 2}, {0, 0, 0, 3}), {0, 0, 0, 1});
}

// Roll about z, pitch about x, yaw about y, composed in that order, with
// 3.1416 for pi: a quarter roll misses the exact matrix in the sixth decimal,
// in the direction the rounded angle dictates.
TEST(SceneRotation, AnglesToQuaternionAndMatrix) {
  const float half = 0.70710856f;  // cos and sin of 3.1416 / 4
  ExpectNear(SceneRotationQuat(90, 0, 0), {0, 0, half, half}, 2e-5f);
  ExpectNear(SceneRotationQuat(0, 90, 0), {half, 0, 0, half}, 2e-5f);
  ExpectNear(SceneRotationQuat(0, 0, 90), {0, half, 0, half}, 2e-5f);
  const Matrix4 roll = SceneRotationMatrix(90, 0, 0);
  const auto c = static_cast<float>(std::cos(90 * 3.1416 / 180));
  const auto s = static_cast<float>(std::sin(90 * 3.1416 / 180));
  ExpectNear<4>({roll[0], roll[1], roll[4], roll[5]}, {c, -s, s, c}, 1e-6f);
  EXPECT_LT(roll[0], -1e-6f);
  // The matrix undoes yaw, then pitch, then roll: x comes back to x, y goes to -z.
  const Matrix4 all = SceneRotationMatrix(90, 90, 90);
  ExpectNear(Apply(all, {1, 0, 0}), {1, 0, 0}, 1e-4f);
  ExpectNear(Apply(all, {0, 1, 0}), {0, 0, -1}, 1e-4f);
}

}  // namespace
}  // namespace quillon
