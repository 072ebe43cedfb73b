#include "scene/frame_renderer.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "drawing_test_support.h"
#include "expr/reporter.h"
#include "offscreen_test_support.h"

namespace quillon {
namespace {

using testing::CountNonWhite;
using testing::CountNonWhiteInColumn;
using testing::CountNonWhiteInRow;
using testing::kBlue;
using testing::kRed;
using testing::MakeTestContext;
using testing::NonWhiteRowRange;
using testing::RgbAt;
using testing::TestDocument;

class RecordingReporter : public Reporter {
 public:
  void Report(const std::string& title, const std::string& text, MessageIcon icon) override {
    messages.push_back(title + ": " + text);
    icons.push_back(icon);
  }
  std::vector<std::string> messages;
  std::vector<MessageIcon> icons;
};

class FrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    context_ = MakeTestContext();
    ASSERT_NE(context_, nullptr);
    ASSERT_TRUE(renderer_.Initialize());
  }
  void TearDown() override {
    if (context_ != nullptr) {
      renderer_.Release();
    }
  }
  FrameImage Frame(std::int32_t animStep = 0) {
    renderer_.RebuildLists(doc_.scene, doc_.axis, doc_.document, doc_.sceneBox);
    return Redraw(animStep);
  }
  FrameImage Redraw(std::int32_t animStep = 0) {
    renderer_.Display(doc_.scene, doc_.view, doc_.light, animStep);
    return context_->ReadFrame();
  }

  std::unique_ptr<OffscreenContext> context_;
  FrameRenderer renderer_;
  TestDocument doc_;
};

TEST_F(FrameTest, InitializeSetsTheContextState) {
  std::array<GLfloat, 4> clear{};
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear.data());
  EXPECT_EQ(clear, (std::array<GLfloat, 4>{1, 1, 1, 1}));
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_TRUE(glIsEnabled(GL_DITHER));
  GLint depthFunc = 0;
  glGetIntegerv(GL_DEPTH_FUNC, &depthFunc);
  EXPECT_EQ(depthFunc, GL_LEQUAL);
  GLfloat clearDepth = 0;
  glGetFloatv(GL_DEPTH_CLEAR_VALUE, &clearDepth);
  EXPECT_EQ(clearDepth, 1.0f);
  // Both fonts exist and stay clear of the scene's list numbers.
  const TextFonts& fonts = renderer_.Fonts();
  ASSERT_NE(fonts.FontBase, 0u);
  ASSERT_NE(fonts.BoldFontBase, 0u);
  for (std::uint32_t base : {fonts.FontBase, fonts.BoldFontBase}) {
    EXPECT_TRUE(glIsList(base));
    EXPECT_TRUE(glIsList(base + 95));
    EXPECT_FALSE(base <= FrameRenderer::kStaticList && FrameRenderer::kStaticList < base + 96);
    EXPECT_FALSE(base <= FrameRenderer::kFirstFrameList &&
                 FrameRenderer::kFirstFrameList < base + 96);
  }
}

TEST_F(FrameTest, EmptySceneIsWhiteWithOrWithoutAxis) {
  for (bool showAxis : {false, true}) {
    SCOPED_TRACE(showAxis);
    doc_.axis.Show(showAxis);
    const FrameImage image = Frame();
    EXPECT_EQ(CountNonWhite(image), 0);
    EXPECT_TRUE(testing::IsOpaque(image));
  }
}

// The axis blends its arrow heads and text; the frame stays opaque.
TEST_F(FrameTest, AxisIsDrawnOnlyWithAGraphAndTheFrameStaysOpaque) {
  doc_.axis.Show(true);
  doc_.Show(doc_.MakeCurve("10", -10, 10, 20, kBlue, 3));
  const FrameImage image = Frame();
  // The x axis runs along y = 0 (rows 299..300), away from the curve.
  EXPECT_GT(CountNonWhiteInRow(image, 300) + CountNonWhiteInRow(image, 299), 300);
  // The y axis runs along x = 0 (columns 399..400) from y = -2.2 to 12.2.
  EXPECT_GT(CountNonWhiteInColumn(image, 399) + CountNonWhiteInColumn(image, 400), 200);
  EXPECT_TRUE(testing::IsOpaque(image));
  // The box the axis was drawn over is handed back.
  EXPECT_FLOAT_EQ(doc_.sceneBox.MinX(), -10.1f);
  EXPECT_FLOAT_EQ(doc_.sceneBox.MaxX(), 10.1f);
  EXPECT_FLOAT_EQ(doc_.sceneBox.MinY(), -0.1f);
  EXPECT_FLOAT_EQ(doc_.sceneBox.MaxY(), 10.1f);

  doc_.axis.Show(false);
  const FrameImage noAxis = Frame();
  EXPECT_EQ(CountNonWhiteInRow(noAxis, 300) + CountNonWhiteInRow(noAxis, 299), 0);
}

// A quarter roll turns y = 10 into the line x = 10 (column 600): the matrix
// of the scene rotation maps x to -y and y to x.
TEST_F(FrameTest, SceneRotationIsCompiledIntoTheList) {
  doc_.Show(doc_.MakeCurve("10", -10, 10, 20, kRed, 3));
  doc_.scene.RotRoll(90);
  const FrameImage image = Frame();
  EXPECT_LE(CountNonWhiteInRow(image, 300), 6);
  EXPECT_GE(CountNonWhiteInColumn(image, 600) + CountNonWhiteInColumn(image, 599), 200);
  // Panning changes only the camera: no rebuild needed.
  doc_.view.MoveView(0.125f, 0);  // 5 units to the left: the line moves right
  const FrameImage panned = Redraw();
  EXPECT_EQ(CountNonWhiteInColumn(panned, 600) + CountNonWhiteInColumn(panned, 599), 0);
  EXPECT_GE(CountNonWhiteInColumn(panned, 700) + CountNonWhiteInColumn(panned, 699), 200);
}

TEST_F(FrameTest, AnimatedScenesCompileOneListPerFrame) {
  doc_.document.AnimFrames = 2;
  auto graph = doc_.MakeCurve("10", -10, 10, 20, kRed, 3);
  graph->Animation(true);
  doc_.Show(graph);
  Frame();
  EXPECT_EQ(renderer_.CompiledFrames(), 3);
  struct Case {
    std::int32_t step;
    bool draws;
  };
  // Step s shows frame s - 1, step 0 frame 0; frames 0..2 exist.
  const Case cases[] = {{0, true}, {1, true}, {3, true}, {4, false}, {-1, false}, {-100, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.step);
    EXPECT_EQ(CountNonWhite(Redraw(c.step)) > 0, c.draws);
  }
  for (std::uint32_t list = FrameRenderer::kFirstFrameList;
       list < FrameRenderer::kFirstFrameList + 3; ++list) {
    EXPECT_TRUE(glIsList(list));
  }

  // Hiding the animated graph switches back to the static list.
  doc_.scene.Graphs().Clear();
  doc_.Show(doc_.MakeCurve("-10", -10, 10, 20, kBlue, 3));
  const FrameImage image = Frame(2);
  EXPECT_EQ(renderer_.CompiledFrames(), 0);
  EXPECT_FALSE(glIsList(FrameRenderer::kFirstFrameList + 2));
  EXPECT_EQ(CountNonWhiteInRow(image, 150), 0);
  EXPECT_GT(CountNonWhiteInRow(image, 450), 0);
}

// Every frame of an animation draws the axis over the box of all frames: a
// point at (1, 1), (-3, 4) and (6, -2) in frames 0..2 gives x from -3.2 to
// 6.2 and y up to 4.2, so the axis reaches x = -5.3 and 8.3 and y = 6.3.
TEST_F(FrameTest, AnimatedAxisSpansEveryFrame) {
  doc_.document.AnimFrames = 2;
  doc_.axis.Show(true);
  auto moving = std::make_shared<Cls9>(doc_.document);
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
  doc_.Show(moving);
  Frame();
  // 20 pixels a unit across (x = 0 at column 400), 15 down (y = 0 at row 300).
  auto inkNear = [](const FrameImage& image, std::int32_t column, std::int32_t row) {
    return RgbAt(image, column, row - 1) != 0xFFFFFFu || RgbAt(image, column, row) != 0xFFFFFFu;
  };
  for (std::int32_t step : {1, 3}) {
    SCOPED_TRACE(step);
    const FrameImage image = Redraw(step);
    EXPECT_TRUE(inkNear(image, 400 - 100, 300));            // x axis at x = -5
    EXPECT_TRUE(inkNear(image, 400 + 160, 300));            // x axis at x = 8
    EXPECT_FALSE(inkNear(image, 400 - 120, 300));           // nothing at x = -6
    EXPECT_GT(CountNonWhiteInColumn(image, 400 + 175), 0);  // x head around x = 8.75
    EXPECT_TRUE(RgbAt(image, 399, 300 - 90) != 0xFFFFFFu ||
                RgbAt(image, 400, 300 - 90) != 0xFFFFFFu);  // y axis at y = 6
  }
}

TEST_F(FrameTest, StaticSceneIgnoresTheStep) {
  doc_.Show(doc_.MakeCurve("10", -10, 10, 20, kRed, 3));
  for (std::int32_t step : {0, 1, 7, -3}) {
    SCOPED_TRACE(step);
    EXPECT_GT(CountNonWhiteInRow(Frame(step), 150), 300);
  }
}

TEST_F(FrameTest, PerspectiveShowsTheScene) {
  doc_.Show(doc_.MakeCurve("10", -10, 10, 20, kRed, 3));
  doc_.view.ProjectType(2);
  const FrameImage image = Frame();
  // Near plane at 1000 - 20.2: the line at distance 1000 looks a little
  // smaller and nearer the centre than in the orthographic view.
  const auto [first, last] = NonWhiteRowRange(image);
  EXPECT_GE(first, 150);
  EXPECT_LE(last, 160);
  EXPECT_FLOAT_EQ(doc_.view.VolNear(), 0.01f);
}

// Lights are placed with this frame's camera: the frame does not depend on
// where the camera was in the frame before.
TEST_F(FrameTest, LightIsPlacedWithTheCurrentCamera) {
  struct Case {
    std::array<float, 3> eye;
    std::array<float, 4> expected;  // eye coordinates of (100, 100, 100)
  };
  const Case cases[] = {{{0, 0, 1000}, {100, 100, -900, 1}},
                        {{50, 0, 1000}, {50, 100, -900, 1}},
                        {{0, 0, 1000}, {100, 100, -900, 1}}};
  for (const Case& c : cases) {
    doc_.view.SetEye(c.eye[0], c.eye[1], c.eye[2]);
    doc_.view.SetRef(c.eye[0], c.eye[1], 0);
    Redraw();
    std::array<GLfloat, 4> position{};
    glGetLightfv(GL_LIGHT1, GL_POSITION, position.data());
    for (std::size_t i = 0; i < 4; ++i) {
      EXPECT_FLOAT_EQ(position[i], c.expected[i]) << i;
    }
  }
}

TEST_F(FrameTest, ReleaseFreesListsAndFonts) {
  doc_.Show(doc_.MakeCurve("10", -10, 10, 20, kRed, 3));
  Frame();
  const TextFonts fonts = renderer_.Fonts();
  ASSERT_TRUE(glIsList(FrameRenderer::kStaticList));
  renderer_.Release();
  EXPECT_FALSE(renderer_.Initialized());
  EXPECT_FALSE(glIsList(FrameRenderer::kStaticList));
  EXPECT_FALSE(glIsList(fonts.FontBase));
  EXPECT_FALSE(glIsList(fonts.BoldFontBase + 95));
  // Without lists nothing is drawn, not even the clear.
  glClearColor(0, 0, 1, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  EXPECT_EQ(RgbAt(Frame(), 10, 10), 0x0000FFu);
  // And it can start again in the same context.
  ASSERT_TRUE(renderer_.Initialize());
  EXPECT_GT(CountNonWhiteInRow(Frame(), 150), 300);
}

TEST(FrameRenderer, InitializeWithoutAContextReportsAndDrawsNothing) {
  {
    auto context = MakeTestContext(8, 8);
    ASSERT_NE(context, nullptr);
  }  // no context is current any more
  RecordingReporter reporter;
  FrameRenderer renderer(&reporter);
  EXPECT_FALSE(renderer.Initialize());
  ASSERT_EQ(reporter.messages.size(), 1u);
  EXPECT_EQ(reporter.messages[0], "Error: ChoosePixelFormat failed");
  EXPECT_EQ(reporter.icons[0], MessageIcon::Critical);
  TestDocument doc;
  renderer.RebuildLists(doc.scene, doc.axis, doc.document, doc.sceneBox);
  renderer.Display(doc.scene, doc.view, doc.light);
  renderer.Release();
  EXPECT_FALSE(renderer.Initialized());
}

}  // namespace
}  // namespace quillon
