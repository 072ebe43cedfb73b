#include "scene/view.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

#include "drawing_test_support.h"
#include "graph/graph_error.h"
#include "offscreen_test_support.h"
#include "scene/scene.h"

namespace quillon {
namespace {

void ExpectPoint(const Cls2& p, float x, float y, float z) {
  EXPECT_FLOAT_EQ(p.X(), x);
  EXPECT_FLOAT_EQ(p.Y(), y);
  EXPECT_FLOAT_EQ(p.z(), z);
}

std::array<float, 16> ReadMatrix(GLenum which) {
  std::array<float, 16> m{};
  glGetFloatv(which, m.data());
  return m;
}

TEST(View, UpVectorHasThreeComponents) {
  Cls4 view;
  view.SetVecup(1, 2, 3);
  EXPECT_EQ(view.VecUp(2), 3);
  EXPECT_THROW(view.VecUp(3), GraphError);
  EXPECT_THROW(view.VecUp(-1, 2), GraphError);
}

TEST(View, ZoomScalesOnlyByPositiveFactors) {
  struct Case {
    float factor;
    float expectedWidth;
  };
  const Case cases[] = {{0.5f, 20}, {2, 80},  {1, 40},
                        {0, 40},    {-1, 40}, {std::numeric_limits<float>::quiet_NaN(), 40}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.factor);
    Cls4 view;
    view.VolHeight(10);
    view.Zoom(c.factor);
    EXPECT_FLOAT_EQ(view.VolWidth(), c.expectedWidth);
    EXPECT_FLOAT_EQ(view.VolHeight(), c.expectedWidth / 4);
  }
}

TEST(View, SetViewRectFollowsTheScreenAspect) {
  struct Case {
    float screenWidth, screenHeight, wide, height;
    float expectedWidth;
  };
  const Case cases[] = {
      {200, 100, 100, 10, 20},
      {400, 200, 1, 4, 8},
      {100, 400, 50, 8, 2},
      {300, 0, 7, 2, 600},  // a zero height counts as 1
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.screenWidth << "x" << c.screenHeight);
    Cls4 view;
    view.ScreenWidth(c.screenWidth);
    view.ScreenHeight(c.screenHeight);
    view.SetViewRect(c.wide, c.height);
    float wide = 0, height = 0;
    view.GetViewRect(wide, height);
    EXPECT_FLOAT_EQ(wide, c.expectedWidth);
    EXPECT_FLOAT_EQ(height, c.height);
  }
}

TEST(View, SetScreenSetsViewportAndGuardsZeroHeight) {
  auto context = quillon::testing::MakeTestContext(64, 64);
  ASSERT_NE(context, nullptr);
  struct Case {
    std::int32_t x, y;
    float expectedHeight;
  };
  const Case cases[] = {{400, 200, 200}, {50, 0, 1}, {1, 1, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.x << "x" << c.y);
    Cls4 view;
    view.SetScreen(c.x, c.y);
    EXPECT_EQ(view.ScreenWidth(), static_cast<float>(c.x));
    EXPECT_EQ(view.ScreenHeight(), c.expectedHeight);
    std::array<GLint, 4> viewport{};
    glGetIntegerv(GL_VIEWPORT, viewport.data());
    EXPECT_EQ(viewport[2], c.x);
    EXPECT_EQ(viewport[3], c.y);  // OpenGL gets the height as given
  }
}

TEST(View, ZoomAllFitsTheBox) {
  struct Case {
    const char* name;
    std::array<float, 6> box;  // MinX, MinY, MinZ, MaxX, MaxY, MaxZ
    float volHeight, volWidth;
    std::array<float, 3> ref;
  };
  // Screen 400 x 200: the width is twice the height.
  const Case cases[] = {
      {"wide box", {-1, -2, 0, 3, 2, 0}, 4, 8, {1, 0, 0}},
      {"x larger", {0, 0, 0, 10, 2, 0}, 10, 20, {5, 1, 0}},
      {"y larger", {0, -6, 0, 1, 6, 0}, 12, 24, {0.5f, 0, 0}},
      {"z largest", {0, 0, -20, 1, 1, 20}, 40, 80, {0.5f, 0.5f, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Cls4 view;
    view.ScreenWidth(400);
    view.ScreenHeight(200);
    view.ZoomAll(c.box[0], c.box[1], c.box[2], c.box[3], c.box[4], c.box[5]);
    EXPECT_FLOAT_EQ(view.VolHeight(), c.volHeight);
    EXPECT_FLOAT_EQ(view.VolWidth(), c.volWidth);
    ExpectPoint(view.RefPos(), c.ref[0], c.ref[1], c.ref[2]);
    ExpectPoint(view.EyePos(), c.ref[0], c.ref[1], c.ref[2] + 1000);
  }
}

TEST(View, ZoomAllKeepsTheEyeOffset) {
  Cls4 view;
  view.SetEye(5, 6, 300);
  view.SetRef(1, 1, 1);
  view.ZoomAll(2, 2, 2, 4, 4, 4);
  ExpectPoint(view.RefPos(), 3, 3, 3);
  ExpectPoint(view.EyePos(), 7, 8, 302);
}

// An empty scene's box is inverted, and a single point has no size: neither
// gives a view to fit, so the camera stays where it is.
TEST(View, ZoomAllIgnoresBoxesWithoutSize) {
  const std::array<float, 6> boxes[] = {
      {9999999, 9999999, 9999999, -9999999, -9999999, -9999999},
      {1, 1, 1, 1, 1, 1},
      {0, 0, 0, std::numeric_limits<float>::infinity(), 1, 0},
  };
  for (const auto& b : boxes) {
    Cls4 view;
    view.ZoomAll(b[0], b[1], b[2], b[3], b[4], b[5]);
    EXPECT_EQ(view.VolHeight(), 40);
    EXPECT_EQ(view.VolWidth(), 40);
    ExpectPoint(view.RefPos(), 0, 0, 0);
    ExpectPoint(view.EyePos(), 0, 0, 1000);
  }
}

TEST(View, MoveViewPansByFractionsOfTheRegion) {
  struct Case {
    float dx, dy;
    std::array<float, 3> shift;
  };
  const Case cases[] = {
      {0.5f, 0, {-20, 0, 0}},
      {0, 0.25f, {0, -10, 0}},
      {-1, 1, {40, -40, 0}},
      {0, 0, {0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.dx << "," << c.dy);
    Cls4 view;
    view.MoveView(c.dx, c.dy);
    ExpectPoint(view.EyePos(), c.shift[0], c.shift[1], 1000 + c.shift[2]);
    ExpectPoint(view.RefPos(), c.shift[0], c.shift[1], c.shift[2]);
  }
}

// The screen's axes come from the viewing direction and the up vector.
TEST(View, MoveViewFollowsTheCameraAxes) {
  Cls4 view;
  view.SetVecup(1, 0, 0);  // x is up: the screen's right is -y
  view.VolWidth(10);
  view.VolHeight(20);
  view.MoveView(1, 0.5f);
  // s = n x up = (0, 0, -1) x (1, 0, 0) = (0, -1, 0); u = s x n = (1, 0, 0).
  ExpectPoint(view.RefPos(), -10, 10, 0);
  ExpectPoint(view.EyePos(), -10, 10, 1000);
}

// Each point moves by ms and then by mu: 1 - 2^-25 - 2^-25 rounds back to
// 1 twice in single precision, where 1 - 2^-24 would not.
TEST(View, MoveViewSubtractsBothShiftsInTurn) {
  Cls4 view;
  view.SetEye(1, 0, 1000);
  view.SetRef(1, 0, 0);
  view.SetVecup(1, 1, 0);  // s = (1, -1, 0), u = (1, 1, 0)
  view.VolWidth(1);
  view.VolHeight(1);
  const float tiny = std::ldexp(1.0f, -25);
  view.MoveView(tiny, tiny);
  EXPECT_EQ(view.EyePos().X(), 1.0f);
  EXPECT_EQ(view.RefPos().X(), 1.0f);
}

TEST(View, MoveViewWithoutDirectionChangesNothing) {
  Cls4 view;
  view.SetEye(1, 2, 3);
  view.SetRef(1, 2, 3);
  view.MoveView(0.5f, 0.5f);
  ExpectPoint(view.EyePos(), 1, 2, 3);
  ExpectPoint(view.RefPos(), 1, 2, 3);
}

TEST(View, OrthographicProjectionAndCamera) {
  auto context = quillon::testing::MakeTestContext(32, 32);
  ASSERT_NE(context, nullptr);
  Cls8 scene;
  Cls4 view;
  view.VolWidth(80);
  view.VolHeight(20);
  view.Projection(scene);
  EXPECT_EQ(view.Volleft(), -40);
  EXPECT_EQ(view.VolRight(), 40);
  EXPECT_EQ(view.VolBottom(), -10);
  EXPECT_EQ(view.VolTop(), 10);
  const auto p = ReadMatrix(GL_PROJECTION_MATRIX);
  EXPECT_FLOAT_EQ(p[0], 2.0f / 80);
  EXPECT_FLOAT_EQ(p[5], 2.0f / 20);
  EXPECT_FLOAT_EQ(p[10], -2 / (2000 - 0.001f));
  EXPECT_FLOAT_EQ(p[14], -(2000 + 0.001f) / (2000 - 0.001f));
  EXPECT_FLOAT_EQ(p[15], 1);
  const auto m = ReadMatrix(GL_MODELVIEW_MATRIX);
  EXPECT_FLOAT_EQ(m[12], 0);
  EXPECT_FLOAT_EQ(m[14], -1000);
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);
}

// An empty scene's inverted box puts the near plane far behind the far one;
// afterwards VolNear is 0.01, which the next orthographic frame uses.
TEST(View, PerspectiveOfAnEmptySceneThenOrthographic) {
  auto context = quillon::testing::MakeTestContext(32, 32);
  ASSERT_NE(context, nullptr);
  Cls8 scene;
  Cls4 view;
  view.ProjectType(2);
  view.Projection(scene);
  EXPECT_FLOAT_EQ(view.VolNear(), 0.01f);
  const auto p = ReadMatrix(GL_PROJECTION_MATRIX);
  const float nearPlane = 1000.0f + 19999998.0f;
  EXPECT_FLOAT_EQ(p[0], 2 * nearPlane / 40);
  EXPECT_FLOAT_EQ(p[11], -1);
  view.ProjectType(1);
  view.Projection(scene);
  const auto o = ReadMatrix(GL_PROJECTION_MATRIX);
  EXPECT_FLOAT_EQ(o[14], -(2000 + 0.01f) / (2000 - 0.01f));
}

// The near distance is 1000 less the scene box's largest side, whichever
// axis that is (each box below is widened by 0.1 on every side).
TEST(View, PerspectiveNearDistanceFollowsTheLargestSide) {
  auto context = quillon::testing::MakeTestContext(32, 32);
  ASSERT_NE(context, nullptr);
  struct Case {
    const char* name;
    std::array<float, 3> far;  // the curve runs from the origin to here
    float largest;
  };
  const Case cases[] = {
      {"x", {10, 4, 2}, 10.2f}, {"y", {3, -12, 2}, 12.2f}, {"z", {1, 2, 30}, 30.2f}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    quillon::testing::TestDocument doc;
    auto graph = doc.MakePolyline({{0, 0}, {0, 0}}, 0, 1);
    graph->Vert3D(0, 1, Cls2::Init(c.far[0], c.far[1], c.far[2]));
    doc.Show(graph);
    doc.view.ProjectType(2);
    doc.view.Projection(doc.scene);
    const auto p = ReadMatrix(GL_PROJECTION_MATRIX);
    EXPECT_NEAR(p[0], 2 * (1000 - c.largest) / doc.view.VolWidth(), 1e-4);
    EXPECT_FLOAT_EQ(doc.view.VolNear(), 0.01f);
  }
}

TEST(View, UnknownProjectTypeLeavesIdentity) {
  auto context = quillon::testing::MakeTestContext(32, 32);
  ASSERT_NE(context, nullptr);
  Cls8 scene;
  Cls4 view;
  view.ProjectType(3);
  view.Projection(scene);
  const auto p = ReadMatrix(GL_PROJECTION_MATRIX);
  for (std::size_t i = 0; i < 16; ++i) {
    EXPECT_EQ(p[i], i % 5 == 0 ? 1.0f : 0.0f) << i;
  }
}

}  // namespace
}  // namespace quillon
