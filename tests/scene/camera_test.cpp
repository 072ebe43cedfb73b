// The camera (pan, zoom, fit, projection) and the scene rotation.

#include <limits>

#include "drawing_test_support.h"
#include "scene/rotation_math.h"

namespace quillon {
namespace {

using Point3 = std::array<float, 3>;
constexpr float kNan = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kBig = 9999999;

std::array<float, 16> ReadMatrix(GLenum which) {
  std::array<float, 16> m{};
  glGetFloatv(which, m.data());
  return m;
}

// The eye as the loaded camera places it: looking down -z with +y up, the
// model-view matrix only moves the world by minus the eye.
Point3 LoadedEye(Camera& view) {
  Scene scene;
  view.Projection(scene);
  const auto m = ReadMatrix(GL_MODELVIEW_MATRIX);
  return {-m[12], -m[13], -m[14]};
}

using View = testing::ContextTest;

// Zoom, fit and pan from a region 2 high (4 wide on a 400 x 200 screen)
// around (1, 1, 1). Zoom takes only positive factors. ZoomAll fits the
// region to the box's largest side and centres the reference point in it,
// keeping the eye's offset; a box without a positive finite size changes
// nothing. MoveView pans by fractions of the region: dx = 1 one width to the
// left, dy = 1 one height down.
TEST_F(View, ZoomFitAndPan) {
  struct Case {
    const char* name;
    std::function<void(Camera&)> change;
    float volHeight;
    Point3 ref;
  };
  const Case cases[] = {
      {"zoom 0.5", [](Camera& v) { v.Zoom(0.5f); }, 1, {1, 1, 1}},
      {"zoom 0", [](Camera& v) { v.Zoom(0); }, 2, {1, 1, 1}},
      {"zoom -1", [](Camera& v) { v.Zoom(-1); }, 2, {1, 1, 1}},
      {"zoom NaN", [](Camera& v) { v.Zoom(kNan); }, 2, {1, 1, 1}},
      {"fit wide", [](Camera& v) { v.ZoomAll(0, 0, 0, 10, 2, 0); }, 10, {5, 1, 0}},
      {"fit tall", [](Camera& v) { v.ZoomAll(0, -6, 0, 1, 6, 0); }, 12, {0.5f, 0, 0}},
      {"fit deep", [](Camera& v) { v.ZoomAll(0, 0, -20, 1, 1, 20); }, 40, {0.5f, 0.5f, 0}},
      {"fit inverted",
       [](Camera& v) { v.ZoomAll(kBig, kBig, kBig, -kBig, -kBig, -kBig); },
       2,
       {1, 1, 1}},
      {"fit a point", [](Camera& v) { v.ZoomAll(1, 1, 1, 1, 1, 1); }, 2, {1, 1, 1}},
      {"fit infinite", [](Camera& v) { v.ZoomAll(0, 0, 0, kInf, 1, 0); }, 2, {1, 1, 1}},
      {"pan right, up", [](Camera& v) { v.MoveView(-1, 1); }, 2, {5, -1, 1}},
      {"pan left, down", [](Camera& v) { v.MoveView(1, 0.5f); }, 2, {-3, 0, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Camera view;
    view.SetScreen(400, 200);
    view.ZoomAll(0, 0, 0, 2, 2, 2);
    c.change(view);
    EXPECT_EQ((std::array{view.VolHeight(), view.VolWidth()}),
              (std::array{c.volHeight, 2 * c.volHeight}));
    const PlotPoint ref = view.RefPos();
    EXPECT_EQ((Point3{ref.x, ref.y, ref.z}), c.ref);
    EXPECT_EQ(LoadedEye(view), (Point3{c.ref[0], c.ref[1], c.ref[2] + 1000}));
  }
}

// Orthographic: the volume from the region, near 0.001 and far 2000.
// Perspective: a frustum whose near distance is 1000 less the largest side of
// the scene box (widened by 0.1), whichever axis that is, and far beyond the
// far plane for an empty scene's inverted box; the near distance is 0.01
// afterwards, which the next orthographic frame uses. Other types load no
// projection. SetScreen gives OpenGL the size as it is and keeps a zero
// height as 1; SetViewRect takes the width from the height and the screen's
// aspect.
TEST_F(View, ProjectionAndCamera) {
  Scene scene;
  Camera view;
  view.SetScreen(80, 20);
  view.SetViewRect(0, 20);
  view.Projection(scene);
  const auto p = ReadMatrix(GL_PROJECTION_MATRIX);
  EXPECT_EQ((std::array{p[0], p[5], p[10], p[12], p[13], p[14]}),
            (std::array{2.0f / 80, 2.0f / 20, -2 / (2000 - 0.001f), 0.0f, 0.0f,
                        -(2000 + 0.001f) / (2000 - 0.001f)}));
  EXPECT_FLOAT_EQ(ReadMatrix(GL_MODELVIEW_MATRIX)[14], -1000);
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);
  view.ProjectType(3);
  view.Projection(scene);
  EXPECT_EQ(ReadMatrix(GL_PROJECTION_MATRIX),
            (std::array<float, 16>{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}));
  view.SetScreen(50, 0);
  view.SetViewRect(7, 2);
  std::array<GLint, 4> viewport{};
  glGetIntegerv(GL_VIEWPORT, viewport.data());
  EXPECT_EQ(viewport, (std::array<GLint, 4>{0, 0, 50, 0}));
  EXPECT_EQ((std::array{view.ScreenWidth(), view.ScreenHeight(), view.VolWidth()}),
            (std::array{50.f, 1.f, 100.f}));

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
    doc.view.ProjectType(1);
    doc.view.Projection(doc.scene);
    EXPECT_FLOAT_EQ(ReadMatrix(GL_PROJECTION_MATRIX)[14], -(2000 + 0.01f) / (2000 - 0.01f));
  }
}

template <std::size_t N>
void ExpectNear(const std::array<float, N>& actual, const std::array<float, N>& expected,
                float tolerance) {
  for (std::size_t i = 0; i < N; ++i) {
    EXPECT_NEAR(actual[i], expected[i], tolerance) << "component " << i;
  }
}

// Applies the matrix read column by column, as OpenGL does.
Vector3 Apply(const Matrix4& m, const Vector3& v) {
  return {m[0] * v[0] + m[4] * v[1] + m[8] * v[2], m[1] * v[0] + m[5] * v[1] + m[9] * v[2],
          m[2] * v[0] + m[6] * v[1] + m[10] * v[2]};
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
