// Exact curves drawn by the frame renderer, checked against the true graph
// of each formula in both projections: no drawn pixel more than 3 pixels
// from it, and 99 % of its pixels inked within 2 pixels. Also: the plain
// drawing when exact curves are off, a dense straight line drawn as a
// sparse one, and the refinement kept while the view only pans.
#include <GL/glu.h>

#include <cstdlib>

#include "drawing_test_support.h"

namespace quillon {
namespace {

using testing::kRed;

constexpr std::int32_t kWidth = 800;
constexpr std::int32_t kHeight = 600;

// Pixels of the frame, row 0 at the top.
using Mask = std::vector<bool>;

// Window coordinates (pixels, y up) of a point of the plane z = 0 under the
// matrices the last frame left loaded.
std::array<double, 2> Window(double x, double y) {
  std::array<GLdouble, 16> model{}, projection{};
  std::array<GLint, 4> viewport{};
  glGetDoublev(GL_MODELVIEW_MATRIX, model.data());
  glGetDoublev(GL_PROJECTION_MATRIX, projection.data());
  glGetIntegerv(GL_VIEWPORT, viewport.data());
  std::array<GLdouble, 3> w{};
  gluProject(x, y, 0, model.data(), projection.data(), viewport.data(), &w[0], &w[1], &w[2]);
  return {w[0], w[1]};
}

// The index of the pixel of a window point, or -1 outside the frame.
std::int64_t PixelAt(const std::array<double, 2>& w) {
  if (!(w[0] >= 0 && w[0] < kWidth && w[1] >= 0 && w[1] < kHeight)) {
    return -1;
  }
  return (kHeight - 1 - static_cast<std::int64_t>(w[1])) * kWidth + static_cast<std::int64_t>(w[0]);
}

// The pixels of the graph of f over [from, to] within the view interval
// (|y| <= 50): traced until neighbours are half a pixel apart, but not
// across a jump or a pole, where 48 halvings do not bring them together.
Mask TrueGraph(const std::function<double(double)>& f, double from, double to) {
  Mask mask(static_cast<std::size_t>(kWidth) * kHeight, false);
  auto value = [&](double x) {
    const double y = f(x);
    return std::fabs(y) <= 50 ? y : NAN;
  };
  std::function<void(double, double, double, double, int)> trace =
      [&](double x0, double y0, double x1, double y1, int depth) {
        const std::array<double, 2> a = Window(x0, std::isnan(y0) ? 0 : y0);
        const std::array<double, 2> b = Window(x1, std::isnan(y1) ? 0 : y1);
        if (!std::isnan(y0) && !std::isnan(y1)) {
          if (std::hypot(b[0] - a[0], b[1] - a[1]) <= 0.5) {
            for (const auto& w : {a, b}) {
              if (PixelAt(w) >= 0) {
                mask[static_cast<std::size_t>(PixelAt(w))] = true;
              }
            }
            return;
          }
          if ((a[1] > kHeight + 4 && b[1] > kHeight + 4) || (a[1] < -4 && b[1] < -4)) {
            return;  // both above or both below the frame
          }
        } else if (std::isnan(y0) && std::isnan(y1) && b[0] - a[0] < 0.25) {
          return;
        }
        if (depth < 48) {
          const double xm = (x0 + x1) / 2;
          const double ym = value(xm);
          trace(x0, y0, xm, ym, depth + 1);
          trace(xm, ym, x1, y1, depth + 1);
        }
      };
  for (int k = 0; k < 4096; ++k) {
    const double x0 = from + (to - from) * k / 4096;
    const double x1 = from + (to - from) * (k + 1) / 4096;
    trace(x0, value(x0), x1, value(x1), 0);
  }
  return mask;
}

// Whether a pixel of the mask lies within `radius` pixels of pixel (x, y).
bool Near(const Mask& mask, std::int32_t x, std::int32_t y, int radius) {
  for (int dy = -radius; dy <= radius; ++dy) {
    for (int dx = -radius; dx <= radius; ++dx) {
      if (dx * dx + dy * dy <= radius * radius && x + dx >= 0 && x + dx < kWidth && y + dy >= 0 &&
          y + dy < kHeight && mask[static_cast<std::size_t>((y + dy) * kWidth + x + dx)]) {
        return true;
      }
    }
  }
  return false;
}

Mask Inked(const FrameImage& image) {
  Mask mask(static_cast<std::size_t>(kWidth) * kHeight, false);
  for (std::int32_t y = 0; y < kHeight; ++y) {
    for (std::int32_t x = 0; x < kWidth; ++x) {
      mask[static_cast<std::size_t>(y * kWidth + x)] =
          testing::RgbAt(image, x, y) != testing::kWhite;
    }
  }
  return mask;
}

class ExactCurves : public testing::RendererFrame {
 protected:
  void SetUp() override {
    RendererFrame::SetUp();
    doc_.axis.shown = false;
    doc_.view.SetScreen(kWidth, kHeight);
  }
  // Shows one curve and at least the rectangle, as zoom to fit would.
  void Show(const char* text, float from, float to, std::int32_t steps, float minX, float maxX,
            float minY, float maxY) {
    doc_.scene.Graphs().Clear();
    doc_.Show(doc_.MakeCurve(text, from, to, steps, kRed, 2));
    doc_.view.ZoomAll(minX, minY, 0, maxX, maxY, 0);
  }
  // Inked pixels around world point (x, y) of the last frame's plane.
  static std::int64_t InkNear(const FrameImage& image, double x, double y) {
    const std::array<double, 2> w = Window(x, y);
    const auto column = static_cast<std::int32_t>(w[0]);
    const auto row = kHeight - 1 - static_cast<std::int32_t>(w[1]);
    return testing::InkIn(image, column - 1, row - 1, column + 1, row + 1);
  }
};

TEST_F(ExactCurves, DrawTheTrueGraph) {
  struct TruthCase {
    const char* text;
    std::function<double(double)> f;
    float from, to;
    std::int32_t steps;
    float minX, maxX, minY, maxY;  // the view, at least
  };
  const TruthCase cases[] = {
      {"tan(x)", [](double x) { return std::tan(x); }, -5, 5, 100, -5.5f, 5.5f, -5, 5},
      {"1/(x-0.37)", [](double x) { return 1 / (x - 0.37); }, -20, 20, 50, -20, 20, -20, 20},
      {"int(x)", [](double x) { return std::floor(x); }, -5, 5, 10, -5.5f, 5.5f, -5.5f, 5.5f},
      {"12*sqr(1-(x/12)^2)", [](double x) { return 12 * std::sqrt(1 - (x / 12) * (x / 12)); }, -12,
       12, 14, -13, 13, -1, 13},
      {"log(abs(x))*4", [](double x) { return std::log(std::fabs(x)) * 4; }, -6, 6, 12, -7, 7, -12,
       8},
      {"8*sin(x)", [](double x) { return 8 * std::sin(x); }, -20, 20, 16, -21, 21, -9, 9},
      {"x/10+3", [](double x) { return x / 10 + 3; }, -5, 5, 100000, -6, 6, 0, 5},
  };
  for (const std::int32_t projection : {Camera::kOrthographic, Camera::kPerspective}) {
    doc_.view.ProjectType(projection);
    for (const TruthCase& c : cases) {
      SCOPED_TRACE(std::string(c.text) +
                   (projection == Camera::kPerspective ? " perspective" : ""));
      Show(c.text, c.from, c.to, c.steps, c.minX, c.maxX, c.minY, c.maxY);
      const Mask ink = Inked(Frame());
      const Mask truth = TrueGraph(c.f, c.from, c.to);
      std::int64_t stray = 0, truePixels = 0, covered = 0;
      for (std::int32_t y = 0; y < kHeight; ++y) {
        for (std::int32_t x = 0; x < kWidth; ++x) {
          const std::size_t i = static_cast<std::size_t>(y * kWidth + x);
          stray += ink[i] && !Near(truth, x, y, 3) ? 1 : 0;
          truePixels += truth[i] ? 1 : 0;
          covered += truth[i] && Near(ink, x, y, 2) ? 1 : 0;
        }
      }
      EXPECT_GT(truePixels, 300);
      EXPECT_EQ(stray, 0);
      EXPECT_GE(static_cast<double>(covered), 0.99 * static_cast<double>(truePixels))
          << covered << " of " << truePixels;
    }
  }
}

// Off, the stored points are joined as before: int(x) in 10 steps draws
// the diagonal from (0, 0) to (1, 1), which the staircase never touches.
TEST_F(ExactCurves, OffDrawsTheStoredSegments) {
  Show("int(x)", -5, 5, 10, -5.5f, 5.5f, -5.5f, 5.5f);
  EXPECT_TRUE(renderer_.ExactCurves());
  EXPECT_EQ(InkNear(Frame(), 0.5, 0.5), 0);
  renderer_.ExactCurves(false);
  EXPECT_GT(InkNear(Frame(), 0.5, 0.5), 0);
  EXPECT_TRUE(renderer_.Certified().Empty());
}

// A straight line of a million steps draws the pixels of one of 100.
TEST_F(ExactCurves, DenseLinesDrawAsSparseOnes) {
  Show("x/10+3", -5, 5, 100, -6, 6, 0, 5);
  const FrameImage sparse = Frame();
  Show("x/10+3", -5, 5, 1000000, -6, 6, 0, 5);
  const FrameImage dense = Frame();
  std::int64_t differ = 0;
  for (std::size_t i = 0; i < sparse.Rgba.size(); ++i) {
    differ += std::abs(sparse.Rgba[i] - dense.Rgba[i]) > 2 ? 1 : 0;
  }
  EXPECT_EQ(differ, 0);
  EXPECT_EQ(Inked(sparse), Inked(dense));
}

// A frame after a pan within half a view keeps the refinement, and shows
// the curve moved; one at another scale, or after the lists were compiled
// again, refines anew.
TEST_F(ExactCurves, PanningKeepsTheRefinement) {
  Show("8*sin(x)", -20, 20, 16, -21, 21, -9, 9);
  Frame();
  EXPECT_EQ(renderer_.Certified().Refinements(), 1u);
  doc_.view.MoveView(0.25f, 0.1f);
  EXPECT_GT(InkNear(Redraw(), std::asin(0.5), 4), 0);
  EXPECT_EQ(renderer_.Certified().Refinements(), 1u);
  doc_.view.Zoom(0.5f);
  Redraw();
  EXPECT_EQ(renderer_.Certified().Refinements(), 2u);
  Frame();
  EXPECT_EQ(renderer_.Certified().Refinements(), 3u);
}

}  // namespace
}  // namespace quillon
