// Off-screen contexts, the frame renderer (context state, display lists,
// frame display), and the light and material it loads.

#include <limits>

#include "drawing_test_support.h"
#include "scene/material.h"

namespace quillon {
namespace {

using Rgba = std::array<float, 4>;
using testing::CountNonWhite;
using testing::InkIn;
using testing::kBlue;
using testing::kRed;
using testing::RgbAt;

// Ambient, diffuse, specular, emission and shininess loaded for one face.
std::vector<float> Loaded(GLenum face) {
  std::vector<float> values(17, -1);
  const GLenum parts[] = {GL_AMBIENT, GL_DIFFUSE, GL_SPECULAR, GL_EMISSION, GL_SHININESS};
  for (std::size_t k = 0; k < 5; ++k)
    glGetMaterialfv(face, parts[k], &values[4 * k]);
  return values;
}

// A light's parameter, or with light 0 a global one.
Rgba GLValue(GLenum light, GLenum what) {
  Rgba value{};
  if (light == 0) {
    glGetFloatv(what, value.data());
  } else {
    glGetLightfv(light, what, value.data());
  }
  return value;
}

// Frames of TestDocument's view: y = 10 at row 150, y = -10 at row 450.
class FrameTest : public testing::RendererFrame {
 protected:
  std::shared_ptr<Graph> ShowLine(const std::string& y, std::int32_t color = kRed) {
    return doc_.Show(doc_.MakeCurve(y, -10, 10, 20, color, 3));
  }
};

// Initialize loads a depth test with less-or-equal and both fonts, their
// lists clear of the scene's. Release frees lists and fonts; without them
// nothing is drawn, not even the clear, and the renderer can start again in
// the same context.
TEST_F(FrameTest, InitializeAndReleaseListsAndFonts) {
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  GLint depthFunc = 0;
  glGetIntegerv(GL_DEPTH_FUNC, &depthFunc);
  EXPECT_EQ(depthFunc, GL_LEQUAL);
  ShowLine("10");
  Frame();
  const TextFonts fonts = renderer_.Fonts();
  const std::uint32_t staticList = renderer_.StaticList();
  for (std::uint32_t base : {fonts.FontBase, fonts.BoldFontBase}) {
    EXPECT_TRUE(glIsList(base) && glIsList(base + 95));
    EXPECT_FALSE(base <= staticList && staticList < base + 96);
  }
  renderer_.Release();
  EXPECT_FALSE(renderer_.Initialized());
  EXPECT_FALSE(glIsList(staticList) || glIsList(fonts.FontBase) ||
               glIsList(fonts.BoldFontBase + 95));
  glClearColor(0, 0, 1, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  EXPECT_EQ(RgbAt(Frame(), 10, 10), 0x0000FFu);
  ASSERT_TRUE(renderer_.Initialize());
  EXPECT_GT(InkIn(Frame(), 0, 150, 799, 150), 300);
}

// The axis needs a graph: an empty scene is white. With a graph the axis is
// drawn over the scene's box, handed back, and the blended frame stays opaque.
TEST_F(FrameTest, AxisIsDrawnOnlyWithAGraphAndTheFrameStaysOpaque) {
  doc_.axis.shown = true;
  EXPECT_EQ(CountNonWhite(Frame()), 0);
  ShowLine("10", kBlue);
  const FrameImage image = Frame();
  EXPECT_GT(InkIn(image, 0, 299, 799, 300), 300);
  EXPECT_GT(InkIn(image, 399, 0, 400, 599), 200);  // y = -2.2 .. 12.2
  EXPECT_TRUE(testing::IsOpaque(image));
  const Box& box = doc_.sceneBox;
  EXPECT_EQ((Rgba{box.MinX(), box.MaxX(), box.MinY(), box.MaxY()}),
            (Rgba{-10.1f, 10.1f, -0.1f, 10.1f}));
  doc_.axis.shown = false;
  EXPECT_EQ(InkIn(Frame(), 0, 299, 799, 300), 0);
}

// A quarter roll turns y = 10 into x = 10 (column 600). A pan changes only
// the camera: the next frame shows it without a rebuild, and places the
// light with that camera.
TEST_F(FrameTest, SceneRotationIsCompiledIntoTheList) {
  ShowLine("10");
  doc_.scene.RotRoll(90);
  const FrameImage image = Frame();
  EXPECT_LE(InkIn(image, 0, 300, 799, 300), 6);
  EXPECT_GE(InkIn(image, 599, 0, 600, 599), 200);
  doc_.view.MoveView(0.125f, 0);  // 5 units to the left: the line moves right
  const FrameImage panned = Redraw();
  EXPECT_EQ(InkIn(panned, 599, 0, 600, 599), 0);
  EXPECT_GE(InkIn(panned, 699, 0, 700, 599), 200);
  EXPECT_EQ(GLValue(GL_LIGHT1, GL_POSITION), (Rgba{105, 100, -900, 1}));
}

// Step s shows frame s - 1, step 0 frame 0; frames not compiled draw
// nothing. Frames take list numbers of their own, so the axis text every
// frame calls stays text: all 25 frames draw alike, with the ink of the
// still frame. A frame count of 2^31 - 1 compiles the first 1000 frames
// only. Without an animated graph the static list is back, whatever the
// step.
TEST_F(FrameTest, AnimatedScenesCompileOneListPerFrame) {
  doc_.axis.shown = true;
  const std::shared_ptr<Graph> line = ShowLine("10");
  const std::int64_t stillInk = CountNonWhite(Frame());
  line->animated = true;
  doc_.document.AnimFrames = 24;
  const FrameImage first = Frame(1);
  EXPECT_EQ(renderer_.CompiledFrames(), 25);
  EXPECT_NEAR(static_cast<double>(CountNonWhite(first)), static_cast<double>(stillInk),
              0.02 * static_cast<double>(stillInk));
  EXPECT_EQ(Redraw(25).Rgba, first.Rgba);
  for (const auto& [step, draws] : {std::pair{0, true}, {25, true}, {26, false}, {-1, false}}) {
    // The line left of the axis, which is drawn after the frame's list.
    EXPECT_EQ(InkIn(Redraw(step), 0, 100, 350, 200) > 0, draws) << step;
  }
  doc_.document.AnimFrames = std::numeric_limits<std::int32_t>::max();
  EXPECT_EQ(Frame(1000).Rgba, first.Rgba);
  EXPECT_EQ(renderer_.CompiledFrames(), 1000);
  const std::uint32_t lastFrameList = renderer_.FirstFrameList() + 999;
  doc_.scene.Graphs().Clear();
  ShowLine("-10", kBlue);
  const FrameImage image = Frame(2);
  EXPECT_EQ(renderer_.CompiledFrames(), 0);
  EXPECT_FALSE(glIsList(lastFrameList));
  EXPECT_EQ(InkIn(image, 0, 150, 799, 150), 0);
  EXPECT_GT(InkIn(image, 0, 450, 799, 450), 0);
}

// Every frame draws the axis over the box of all frames: the moving point
// spans x -3.2..6.2 and y up to 4.2, so the axis reaches x = -5.3 and 8.3
// and y = 6.3, even in the frame where the point is at (6, -2, -5). The
// scene boxes an animated graph at the step, a static one at step 0,
// widened by 0.1 either way (the moving point's box holds the origin).
TEST_F(FrameTest, AnimatedAxisSpansEveryFrame) {
  doc_.axis.shown = true;
  const std::shared_ptr<Graph> moving = doc_.Show(doc_.MakeMovingPoint());
  Frame();
  const FrameImage image = Redraw(3);
  EXPECT_GT(InkIn(image, 300, 299, 300, 300), 0);  // x axis at x = -5
  EXPECT_GT(InkIn(image, 560, 299, 560, 300), 0);  // x axis at x = 8
  EXPECT_EQ(InkIn(image, 280, 299, 280, 300), 0);  // nothing at x = -6
  EXPECT_GT(InkIn(image, 399, 210, 400, 210), 0);  // y axis at y = 6
  const auto boxAtStep2 = [this] {
    const Box box = doc_.scene.GetBox(2);
    return std::array{box.MinX(), box.MaxX(), box.MinY(), box.MaxY(), box.MinZ(), box.MaxZ()};
  };
  EXPECT_EQ(boxAtStep2(), (std::array{-0.1f, 6.1f, -2.1f, 0.1f, -5.1f, 0.1f}));
  moving->animated = false;
  EXPECT_EQ(boxAtStep2(), (std::array{-0.1f, 1.1f, -0.1f, 1.1f, -0.1f, 1.1f}));
}

// A context has a depth buffer and eight alpha bits (so that the opacity
// checks can fail); each keeps its own frame, and dropping one leaves the
// display usable for the other. A refused size leaves nothing behind. With
// no context current a renderer reports that it cannot start, and draws
// nothing.
TEST(OffscreenContext, ContextsKeepTheirOwnFramesAndARendererNeedsOne) {
  EXPECT_THROW(OffscreenContext(0, 10), OffscreenError);
  EXPECT_THROW(OffscreenContext(10, 0), OffscreenError);
  const auto clear = [](float red, float green, float blue) {
    glClearColor(red, green, blue, 1);
    glClear(GL_COLOR_BUFFER_BIT);
  };
  auto first = testing::MakeTestContext(8, 8);
  ASSERT_NE(first, nullptr);
  clear(1, 0, 0);
  auto second = testing::MakeTestContext(12, 6);
  ASSERT_NE(second, nullptr);
  GLint depthBits = 0, alphaBits = 0;
  glGetIntegerv(GL_DEPTH_BITS, &depthBits);
  glGetIntegerv(GL_ALPHA_BITS, &alphaBits);
  EXPECT_GE(depthBits, 16);
  EXPECT_EQ(alphaBits, 8);
  clear(0, 0, 1);
  EXPECT_EQ(RgbAt(first->ReadFrame(), 7, 7), 0xFF0000u);
  EXPECT_EQ(RgbAt(second->ReadFrame(), 11, 5), 0x0000FFu);
  first.reset();
  clear(0, 1, 0);
  EXPECT_EQ(RgbAt(second->ReadFrame(), 0, 0), 0x00FF00u);
  second.reset();
  testing::RecordingReporter reporter;
  FrameRenderer renderer(&reporter);
  EXPECT_FALSE(renderer.Initialize());
  EXPECT_EQ(reporter.messages, std::vector<std::string>{"Error: ChoosePixelFormat failed"});
  EXPECT_EQ(reporter.icons, std::vector<MessageIcon>{MessageIcon::Critical});
  testing::TestDocument doc;
  renderer.RebuildLists(doc.scene, doc.axis, doc.document, doc.sceneBox);
  renderer.Display(doc.scene, doc.view, doc.light);
  renderer.Release();
  EXPECT_FALSE(renderer.Initialized());
}

using LightAndMaterial = testing::ContextTest;

// Both lights white at (100, 100, 100) through the model-view matrix, full
// ambient light, two-sided, lighting on. A material preset is loaded for
// both faces; numbers outside 1..13 load what the object holds: zeros when
// fresh, else the preset it took before.
TEST_F(LightAndMaterial, LoadedIntoOpenGL) {
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslatef(-1, 0, 0);
  Light().SetLight();
  const Rgba white{1, 1, 1, 1};
  for (GLenum id : {GLenum{GL_LIGHT0}, GLenum{GL_LIGHT1}}) {
    SCOPED_TRACE(id - GL_LIGHT0);
    EXPECT_TRUE(glIsEnabled(id) && glIsEnabled(GL_LIGHTING));
    EXPECT_EQ((std::vector<Rgba>{GLValue(id, GL_DIFFUSE), GLValue(id, GL_AMBIENT),
                                 GLValue(id, GL_SPECULAR), GLValue(id, GL_POSITION)}),
              (std::vector<Rgba>{white, white, white, {99, 100, 100, 1}}));
  }
  EXPECT_EQ(GLValue(0, GL_LIGHT_MODEL_AMBIENT), white);
  EXPECT_EQ(GLValue(0, GL_LIGHT_MODEL_TWO_SIDE)[0], 1);

  const auto load = [](std::initializer_list<std::int32_t> numbers) {
    Material().SetMaterial(MaterialPreset::Gold);
    Material material;
    for (const std::int32_t number : numbers)
      material.SetMaterial(static_cast<MaterialPreset>(number));
    EXPECT_EQ(Loaded(GL_FRONT), Loaded(GL_BACK));
    return Loaded(GL_FRONT);
  };
  EXPECT_EQ(load({0}), std::vector<float>(17, 0));
  for (const std::int32_t preset : {1, 13}) {
    SCOPED_TRACE(preset);
    const std::vector<float> loaded = load({preset});
    EXPECT_NE(loaded, load({}));
    EXPECT_EQ(load({preset, 0}), loaded);
    EXPECT_EQ(load({preset, 14}), loaded);
  }
}

}  // namespace
}  // namespace quillon
