// Implicit graphs drawn through the frame: every pixel against the circle
// computed here, in the graph's colour where the curve meets the pixel, and
// an inequation's inside tinted with its boundary dashed.
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>

#include "drawing_test_support.h"

namespace quillon {
namespace {

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

class ImplicitDrawing : public testing::RendererFrame {
 protected:
  void Show(const char* text, FunctionForm form) {
    doc_.axis.shown = false;
    doc_.view.SetScreen(800, 600);
    doc_.view.SetViewRect(40, 30);
    doc_.scene.Graphs().Clear();
    auto graph = doc_.Show(doc_.MakeCurve(text, -100, 100, 2, testing::kRed, 1));
    graph->form = form;
    graph->minU = -100;
    graph->maxU = 100;
  }
};

// An equation inks exactly the pixels the circle meets; only pixels it
// meets or misses by a rounding may be undecided. An inequation tints the
// inside red at 30 % over white and dashes the boundary.
TEST_F(ImplicitDrawing, CirclePixelsAreThoseTheFormulaGives) {
  struct Case {
    const char* text;
    FunctionForm form;
    double radius;
    double insideGreen, tolerance;  // green and blue of the inside
    double minRed, maxRed;          // the share of red boundary pixels
  };
  const Case cases[] = {{"x^2+y^2-25", FunctionForm::Equation, 5, 255, 0, 1, 1},
                        {"x^2+y^2-9", FunctionForm::Inequation, 3, 255 * 0.7, 2, 0.5, 0.8}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    Show(c.text, c.form);
    const FrameImage frame = Frame();
    std::int64_t unsure = 0, boundary = 0, red = 0;
    for (std::int32_t row = 0; row < 600; ++row) {
      for (std::int32_t column = 0; column < 800; ++column) {
        const std::uint32_t colour = testing::RgbAt(frame, column, 599 - row);
        switch (CircleSide(column, row, c.radius)) {
          case -1:
            ASSERT_EQ(colour >> 16, 0xFFu) << column << ", " << row;
            ASSERT_NEAR((colour >> 8) & 0xFFu, c.insideGreen, c.tolerance) << column << ", " << row;
            ASSERT_NEAR(colour & 0xFFu, c.insideGreen, c.tolerance) << column << ", " << row;
            break;
          case 0:
            ++boundary;
            red += colour == 0xFF0000u ? 1 : 0;
            break;
          case 1:
            ASSERT_EQ(colour, testing::kWhite) << column << ", " << row;
            break;
          default:
            ++unsure;
        }
      }
    }
    EXPECT_LE(renderer_.UndecidedPixels(), unsure);
    EXPECT_GE(static_cast<double>(red), c.minRed * static_cast<double>(boundary));
    EXPECT_LE(static_cast<double>(red), c.maxRed * static_cast<double>(boundary));
  }
}

// In the background a frame shows the last picture while the worker makes
// the new view's; a view change stops the old view's work, and the frame
// drawn once the worker is done is the one drawn without a worker.
TEST_F(ImplicitDrawing, BackgroundWorkEndsInTheFinalFrame) {
  Show("sin(x*y)", FunctionForm::Equation);
  std::mutex mutex;
  std::condition_variable changed;
  int ready = 0;
  renderer_.ClassifyInBackground([&] {
    const std::lock_guard<std::mutex> lock(mutex);
    ++ready;
    changed.notify_all();
  });
  EXPECT_EQ(testing::CountNonWhite(Frame()), 0);
  EXPECT_FALSE(renderer_.ImplicitFinal());
  doc_.view.SetViewRect(20, 15);
  bool final = false;
  for (int frames = 0; frames < 4 && !final; ++frames) {
    std::unique_lock<std::mutex> lock(mutex);
    const int seen = ready;
    lock.unlock();
    renderer_.Display(doc_.scene, doc_.view, doc_.light);
    final = renderer_.ImplicitFinal();
    lock.lock();
    // Bounds a hang only: the worker takes milliseconds.
    changed.wait_for(lock, std::chrono::seconds(20), [&] { return final || ready > seen; });
  }
  ASSERT_TRUE(final);
  const FrameImage background = context_->ReadFrame();
  renderer_.ClassifyInBackground(nullptr);
  EXPECT_GT(testing::CountNonWhite(background), 1000);
  EXPECT_EQ(background.Rgba, Redraw().Rgba);
}

}  // namespace
}  // namespace quillon
