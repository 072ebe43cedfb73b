#include "scene/scene.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>

#include "drawing_test_support.h"
#include "offscreen_test_support.h"

namespace quillon {
namespace {

using testing::TestDocument;

// A table graph (kind 6) of one cell: its box is exactly that point.
std::shared_ptr<Cls9> PointGraph(TestDocument& doc, float x, float y, float z) {
  auto graph = std::make_shared<Cls9>(doc.document);
  graph->ID(++doc.lastId);
  graph->GraphType(6);
  graph->StepU(0);
  graph->StepV(0);
  graph->VertTab3D(0, 0, std::make_shared<Cls2>(Cls2::Init(x, y, z)));
  return graph;
}

void ExpectBox(const Cls1& box, const std::array<float, 6>& expected) {
  EXPECT_FLOAT_EQ(box.MinX(), expected[0]);
  EXPECT_FLOAT_EQ(box.MaxX(), expected[1]);
  EXPECT_FLOAT_EQ(box.MinY(), expected[2]);
  EXPECT_FLOAT_EQ(box.MaxY(), expected[3]);
  EXPECT_FLOAT_EQ(box.MinZ(), expected[4]);
  EXPECT_FLOAT_EQ(box.MaxZ(), expected[5]);
}

TEST(Scene, EmptySceneHasInvertedBoxAndNoAnimation) {
  Cls8 scene;
  EXPECT_FALSE(scene.Animation());
  // The widening by 0.1 is lost at this magnitude in single precision.
  ExpectBox(scene.GetBox(), {9999999, -9999999, 9999999, -9999999, 9999999, -9999999});
  ExpectBox(scene.GetBox(3), {9999999, -9999999, 9999999, -9999999, 9999999, -9999999});
}

TEST(Scene, BoxUnitesGraphsAndWidens) {
  struct Case {
    const char* name;
    std::vector<std::array<float, 3>> points;
    std::array<float, 6> expected;
  };
  const Case cases[] = {
      {"one point", {{1, 2, 3}}, {0.9f, 1.1f, 1.9f, 2.1f, 2.9f, 3.1f}},
      {"two points", {{1, 2, 3}, {-4, 5, -1}}, {-4.1f, 1.1f, 1.9f, 5.1f, -1.1f, 3.1f}},
      {"order does not matter", {{-4, 5, -1}, {1, 2, 3}}, {-4.1f, 1.1f, 1.9f, 5.1f, -1.1f, 3.1f}},
      {"nested", {{0, 0, 0}, {0, 0, 0}}, {-0.1f, 0.1f, -0.1f, 0.1f, -0.1f, 0.1f}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestDocument doc;
    for (const auto& p : c.points) {
      doc.Show(PointGraph(doc, p[0], p[1], p[2]));
    }
    ExpectBox(doc.scene.GetBox(0), c.expected);
  }
}

// A curve's box holds the origin (x 0..5 here) before the scene widens it.
TEST(Scene, BoxOfSampledCurve) {
  TestDocument doc;
  doc.Show(doc.MakeCurve("x/5+1", 3, 5, 2, 0, 1));
  ExpectBox(doc.scene.GetBox(0), {-0.1f, 5.1f, -0.1f, 2.1f, -0.1f, 0.1f});
}

TEST(Scene, AnimationWhenAnyGraphIsAnimated) {
  struct Case {
    std::vector<bool> animated;
    bool expected;
  };
  const Case cases[] = {{{false}, false},
                        {{true}, true},
                        {{false, false, true}, true},
                        {{true, false}, true},
                        {{false, false}, false}};
  for (const Case& c : cases) {
    TestDocument doc;
    for (bool animated : c.animated) {
      auto graph = PointGraph(doc, 1, 1, 1);
      graph->Animation(animated);
      doc.Show(graph);
    }
    EXPECT_EQ(doc.scene.Animation(), c.expected) << c.animated.size();
  }
}

// Animated graphs get the step; static ones are boxed at step 0.
TEST(Scene, BoxPassesTheStepToAnimatedGraphs) {
  TestDocument doc;
  doc.document.AnimFrames = 2;
  auto moving = std::make_shared<Cls9>(doc.document);
  moving->ID(1);
  moving->GraphType(8);
  moving->Animation(true);
  moving->ExpressX("0");
  moving->ExpressY("0");
  moving->ExpressZ("0");
  ASSERT_TRUE(moving->GetPoints());
  moving->Anim1D(0, Cls2::Init(1, 1, 1));
  moving->Anim1D(1, Cls2::Init(-3, 4, 2));
  moving->Anim1D(2, Cls2::Init(6, -2, -5));
  doc.Show(moving);
  ExpectBox(doc.scene.GetBox(0), {-0.1f, 1.1f, -0.1f, 1.1f, -0.1f, 1.1f});
  ExpectBox(doc.scene.GetBox(1), {-3.1f, 0.1f, -0.1f, 4.1f, -0.1f, 2.1f});
  ExpectBox(doc.scene.GetBox(2), {-0.1f, 6.1f, -2.1f, 0.1f, -5.1f, 0.1f});

  // The same graph not animated is boxed at step 0 whatever the step.
  moving->Animation(false);
  ExpectBox(doc.scene.GetBox(2), {-0.1f, 1.1f, -0.1f, 1.1f, -0.1f, 1.1f});
}

// Graphs are drawn in list order: the later of two equal lines covers the
// earlier one.
TEST(Scene, DrawsGraphsInListOrder) {
  auto context = quillon::testing::MakeTestContext();
  ASSERT_NE(context, nullptr);
  for (bool blueLast : {true, false}) {
    TestDocument doc;
    auto red = doc.MakeCurve("0", -10, 10, 4, quillon::testing::kRed, 7);
    auto blue = doc.MakeCurve("0", -10, 10, 4, quillon::testing::kBlue, 7);
    doc.Show(blueLast ? red : blue);
    doc.Show(blueLast ? blue : red);
    glClearColor(1, 1, 1, 1);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    doc.view.Projection(doc.scene);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    doc.scene.Draw();
    const FrameImage image = context->ReadFrame();
    EXPECT_EQ(quillon::testing::RgbAt(image, 300, 300), blueLast ? 0x0000FFu : 0xFF0000u);
  }
}

}  // namespace
}  // namespace quillon
