// Implicit graphs drawn through the frame: every pixel against the circle
// computed here, in the graph's colour where the curve meets the pixel, and
// an inequation's inside tinted with its boundary dashed.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <mutex>

#include "drawing_test_support.h"
#include "scene/frame_renderer.h"

namespace quillon {
namespace {

using testing::kRed;
using testing::kWhite;
using testing::MakeTestContext;
using testing::RgbAt;
using testing::TestDocument;

constexpr double kUnit = 20;  // pixels per world unit

// Where the closed pixel (column c, row r from the bottom) of the view
// -20..20 by -15..15 lies for the circle of radius `radius`: -1 inside,
// 0 on it, 1 outside, 2 too close to tell.
int CircleSide(std::int32_t c, std::int32_t r, double radius) {
  const double x0 = -20 + c / kUnit;
  const double y0 = -15 + r / kUnit;
  const double x1 = x0 + 1 / kUnit;
  const double y1 = y0 + 1 / kUnit;
  const double nearest = std::hypot(std::clamp(0.0, x0, x1), std::clamp(0.0, y0, y1));
  const double farthest =
      std::hypot(std::max(std::fabs(x0), std::fabs(x1)), std::max(std::fabs(y0), std::fabs(y1)));
  if (std::fabs(nearest - radius) < 1e-9 || std::fabs(farthest - radius) < 1e-9)
    return 2;
  return farthest < radius ? -1 : (nearest > radius ? 1 : 0);
}

void ShowImplicit(TestDocument& doc, const char* text, FunctionForm form) {
  doc.axis.shown = false;
  doc.view.SetScreen(800, 600);
  doc.view.SetViewRect(40, 30);
  auto graph = std::make_shared<Graph>(doc.document);
  graph->id = 1;
  graph->coordinates = CoordinateSystem::Cartesian;
  graph->form = form;
  graph->expressionX = graph->expressionY = "0";
  graph->expressionZ = text;
  graph->minU = graph->minV = -100;
  graph->maxU = graph->maxV = 100;
  graph->lineColor = kRed;
  graph->lineWidth = 1;
  doc.Show(graph);
}

// The frame, and in undecided the pixels left undecided.
FrameImage DrawImplicit(const char* text, FunctionForm form, std::int64_t& undecided) {
  auto context = MakeTestContext();
  EXPECT_NE(context, nullptr);
  if (context == nullptr)
    return {};
  TestDocument doc;
  ShowImplicit(doc, text, form);
  FrameRenderer renderer;
  EXPECT_TRUE(renderer.Initialize());
  renderer.RebuildLists(doc.scene, doc.axis, doc.document, doc.sceneBox);
  renderer.Display(doc.scene, doc.view, doc.light);
  FrameImage frame = context->ReadFrame();
  undecided = renderer.UndecidedPixels();
  renderer.Release();
  return frame;
}

std::uint32_t At(const FrameImage& frame, std::int32_t c, std::int32_t r) {
  return RgbAt(frame, c, 599 - r);
}

TEST(ImplicitDrawing, CirclePixelsAreExactlyThoseItMeets) {
  std::int64_t undecided = 0;
  const FrameImage frame = DrawImplicit("x^2+y^2-25", FunctionForm::Equation, undecided);
  ASSERT_EQ(frame.Width, 800);
  std::int64_t unsure = 0;
  for (std::int32_t r = 0; r < 600; ++r) {
    for (std::int32_t c = 0; c < 800; ++c) {
      const int side = CircleSide(c, r, 5);
      if (side == 0) {
        ASSERT_EQ(At(frame, c, r), 0xFF0000u) << c << ", " << r;
      } else if (side != 2) {
        ASSERT_EQ(At(frame, c, r), kWhite) << c << ", " << r;
      } else {
        ++unsure;
      }
    }
  }
  // Only pixels that the circle meets or misses by a rounding may be undecided.
  EXPECT_LE(undecided, unsure);
}

// Inside: red at 30 % over white. The boundary: red dashes with gaps.
TEST(ImplicitDrawing, InequationTintsInsideAndDashesTheBoundary) {
  std::int64_t undecided = 0;
  const FrameImage frame = DrawImplicit("x^2+y^2-9", FunctionForm::Inequation, undecided);
  ASSERT_EQ(frame.Width, 800);
  std::int64_t boundary = 0;
  std::int64_t dashed = 0;
  for (std::int32_t r = 0; r < 600; ++r) {
    for (std::int32_t c = 0; c < 800; ++c) {
      const int side = CircleSide(c, r, 3);
      const std::uint32_t colour = At(frame, c, r);
      if (side == -1) {
        const auto green = static_cast<int>((colour >> 8) & 0xFFu);
        ASSERT_EQ(colour >> 16, 0xFFu) << c << ", " << r;
        ASSERT_NEAR(green, 255 * 0.7, 2) << c << ", " << r;
      } else if (side == 1) {
        ASSERT_EQ(colour, kWhite) << c << ", " << r;
      } else if (side == 0) {
        ++boundary;
        dashed += colour == 0xFF0000u ? 1 : 0;
      }
    }
  }
  EXPECT_GT(dashed, boundary / 2);
  EXPECT_LT(dashed, boundary * 4 / 5);
}

// In the background a frame shows the last picture while the worker makes
// the new view's; a view change stops the old view's work, and the frame
// drawn once the worker is done is the one drawn without a worker.
TEST(ImplicitDrawing, BackgroundWorkEndsInTheFinalFrame) {
  auto context = MakeTestContext();
  ASSERT_NE(context, nullptr);
  TestDocument doc;
  ShowImplicit(doc, "sin(x*y)", FunctionForm::Equation);
  FrameRenderer renderer;
  ASSERT_TRUE(renderer.Initialize());
  renderer.RebuildLists(doc.scene, doc.axis, doc.document, doc.sceneBox);
  std::mutex mutex;
  std::condition_variable changed;
  int ready = 0;
  renderer.ClassifyInBackground([&] {
    const std::lock_guard<std::mutex> lock(mutex);
    ++ready;
    changed.notify_all();
  });
  renderer.Display(doc.scene, doc.view, doc.light);
  EXPECT_FALSE(renderer.ImplicitFinal());
  EXPECT_EQ(testing::CountNonWhite(context->ReadFrame()), 0);
  doc.view.SetViewRect(20, 15);
  bool final = false;
  for (int frames = 0; frames < 4 && !final; ++frames) {
    std::unique_lock<std::mutex> lock(mutex);
    const int seen = ready;
    lock.unlock();
    renderer.Display(doc.scene, doc.view, doc.light);
    final = renderer.ImplicitFinal();
    lock.lock();
    // Bounds a hang only: the worker takes milliseconds.
    changed.wait_for(lock, std::chrono::seconds(20), [&] { return final || ready > seen; });
  }
  ASSERT_TRUE(final);
  const FrameImage background = context->ReadFrame();
  renderer.ClassifyInBackground(nullptr);
  renderer.Display(doc.scene, doc.view, doc.light);
  EXPECT_GT(testing::CountNonWhite(background), 1000);
  EXPECT_EQ(background.Rgba, context->ReadFrame().Rgba);
  renderer.Release();
}

}  // namespace
}  // namespace quillon
