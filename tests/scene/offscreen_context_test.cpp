#include <GL/gl.h>
#include <gtest/gtest.h>

#include "offscreen_test_support.h"

namespace quillon {
namespace {

using testing::MakeTestContext;
using testing::RgbAt;

TEST(OffscreenContext, ClearColourReadsBackEverywhere) {
  struct Case {
    float red, green, blue;
    std::uint32_t expected;
  };
  const Case cases[] = {
      {1, 1, 1, 0xFFFFFF}, {1, 0, 0, 0xFF0000}, {0, 0, 1, 0x0000FF}, {0, 0, 0, 0x000000}};
  auto context = MakeTestContext(64, 48);
  ASSERT_NE(context, nullptr);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    glClearColor(c.red, c.green, c.blue, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    const FrameImage image = context->ReadFrame();
    ASSERT_EQ(image.Width, 64);
    ASSERT_EQ(image.Height, 48);
    ASSERT_EQ(image.Rgba.size(), 64u * 48u * 4u);
    EXPECT_EQ(RgbAt(image, 0, 0), c.expected);
    EXPECT_EQ(RgbAt(image, 63, 47), c.expected);
    EXPECT_EQ(image.PixelAt(31, 20) & 0xFF, 0xFFu);
  }
}

// A quad over the upper half of the viewport must land in the first rows of
// the image: the read-back turns OpenGL's bottom-up rows around.
TEST(OffscreenContext, ImageRowsRunFromTheTop) {
  auto context = MakeTestContext(40, 30);
  ASSERT_NE(context, nullptr);
  glClearColor(1, 1, 1, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, 40, 0, 30, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glColor3f(0, 1, 0);
  glBegin(GL_QUADS);
  glVertex2f(0, 20);
  glVertex2f(10, 20);
  glVertex2f(10, 30);
  glVertex2f(0, 30);
  glEnd();
  const FrameImage image = context->ReadFrame();
  EXPECT_EQ(RgbAt(image, 5, 0), 0x00FF00u);
  EXPECT_EQ(RgbAt(image, 5, 9), 0x00FF00u);
  EXPECT_EQ(RgbAt(image, 5, 10), 0xFFFFFFu);
  EXPECT_EQ(RgbAt(image, 15, 0), 0xFFFFFFu);
  EXPECT_EQ(RgbAt(image, 5, 29), 0xFFFFFFu);
}

TEST(OffscreenContext, HasDepthBufferAndFixedFunctionPipeline) {
  auto context = MakeTestContext(16, 16);
  ASSERT_NE(context, nullptr);
  GLint depthBits = 0;
  glGetIntegerv(GL_DEPTH_BITS, &depthBits);
  EXPECT_GE(depthBits, 16);
  GLint alphaBits = 0;
  glGetIntegerv(GL_ALPHA_BITS, &alphaBits);
  EXPECT_EQ(alphaBits, 8);
  // Display lists exist only in a compatibility context.
  const GLuint list = glGenLists(1);
  EXPECT_NE(list, 0u);
  glDeleteLists(list, 1);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(OffscreenContext, TwoContextsKeepTheirOwnFrames) {
  auto first = MakeTestContext(8, 8);
  auto second = MakeTestContext(12, 6);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  first->MakeCurrent();
  glClearColor(1, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  second->MakeCurrent();
  glClearColor(0, 0, 1, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  EXPECT_EQ(RgbAt(first->ReadFrame(), 7, 7), 0xFF0000u);
  const FrameImage image = second->ReadFrame();
  EXPECT_EQ(image.Width, 12);
  EXPECT_EQ(RgbAt(image, 11, 5), 0x0000FFu);
  // Dropping one context leaves the display usable for the other.
  first.reset();
  second->MakeCurrent();
  glClearColor(0, 1, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  EXPECT_EQ(RgbAt(second->ReadFrame(), 0, 0), 0x00FF00u);
}

TEST(OffscreenContext, RefusesEmptySizes) {
  const std::pair<int, int> sizes[] = {{0, 10}, {10, 0}, {-5, 5}};
  for (const auto& [width, height] : sizes) {
    SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
    EXPECT_THROW(OffscreenContext(width, height), OffscreenError);
  }
  // A refused size leaves nothing behind: a good context still comes up.
  EXPECT_NO_THROW(OffscreenContext(4, 4));
}

}  // namespace
}  // namespace quillon
