// Exact curves drawn by the frame renderer, checked against the true graph
// of each formula: no drawn pixel more than 3 pixels from it, and 99 % of
// its pixels inked within 2 pixels. Also: the plain drawing when exact
// curves are off, a dense straight line drawn as a sparse one, and the
// refinement kept while the view only pans.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "drawing_test_support.h"
#include "scene/frame_renderer.h"

namespace quillon {
namespace {

using testing::TestDocument;

constexpr std::int32_t kWidth = 800;
constexpr std::int32_t kHeight = 600;

// Pixels of the frame, row 0 at the top.
using Mask = std::vector<bool>;

class ExactCurves : public ::testing::Test {
 protected:
  void SetUp() override {
    context_ = testing::MakeTestContext(kWidth, kHeight);
    ASSERT_NE(context_, nullptr);
    ASSERT_TRUE(renderer_.Initialize());
    doc_.axis.shown = false;
    doc_.view.SetScreen(kWidth, kHeight);
  }
  void TearDown() override {
    if (context_ != nullptr) {
      renderer_.Release();
    }
  }

  // Shows the rectangle (at least) as zoom to fit would.
  void Look(double minX, double maxX, double minY, double maxY) {
    doc_.view.ZoomAll(static_cast<float>(minX), static_cast<float>(minY), 0,
                      static_cast<float>(maxX), static_cast<float>(maxY), 0);
  }
  FrameImage Frame() {
    renderer_.RebuildLists(doc_.scene, doc_.axis, doc_.document, doc_.sceneBox);
    return Redraw();
  }
  FrameImage Redraw() {
    renderer_.Display(doc_.scene, doc_.view, doc_.light);
    return context_->ReadFrame();
  }

  // The pixel of a world point, or false outside the frame.
  bool PixelOf(double x, double y, std::int32_t& column, std::int32_t& row) const {
    const Camera& view = doc_.view;
    const double left = view.RefPos().x - view.VolWidth() / 2.0;
    const double bottom = view.RefPos().y - view.VolHeight() / 2.0;
    const double wx = (x - left) / view.VolWidth() * kWidth;
    const double wy = (y - bottom) / view.VolHeight() * kHeight;
    if (!(wx >= 0 && wx < kWidth && wy >= 0 && wy < kHeight)) {
      return false;
    }
    column = static_cast<std::int32_t>(wx);
    row = kHeight - 1 - static_cast<std::int32_t>(wy);
    return true;
  }
  double PixelsPerUnit() const { return kHeight / static_cast<double>(doc_.view.VolHeight()); }

  // The pixels of the graph of f over [from, to] inside the view interval:
  // traced until consecutive points are half a pixel apart, not across a
  // jump or a pole (where halving 48 times does not bring them together).
  Mask TrueGraph(const std::function<double(double)>& f, double from, double to) const {
    Mask mask(static_cast<std::size_t>(kWidth) * kHeight, false);
    const double scale = PixelsPerUnit();
    const double top = doc_.view.RefPos().y + doc_.view.VolHeight() / 2.0 + 4 / scale;
    const double bottom = doc_.view.RefPos().y - doc_.view.VolHeight() / 2.0 - 4 / scale;
    auto value = [&](double x) {
      const double y = f(x);
      return std::isfinite(y) && std::fabs(y) <= 50 ? y : NAN;
    };
    auto mark = [&](double x, double y) {
      std::int32_t column = 0;
      std::int32_t row = 0;
      if (PixelOf(x, y, column, row)) {
        mask[static_cast<std::size_t>(row) * kWidth + static_cast<std::size_t>(column)] = true;
      }
    };
    std::function<void(double, double, double, double, int)> trace =
        [&](double x0, double y0, double x1, double y1, int depth) {
          const bool defined0 = !std::isnan(y0);
          const bool defined1 = !std::isnan(y1);
          if (defined0 && defined1) {
            if (std::hypot(x1 - x0, y1 - y0) * scale <= 0.5) {
              mark(x0, y0);
              mark(x1, y1);
              return;
            }
            if ((y0 > top && y1 > top) || (y0 < bottom && y1 < bottom)) {
              return;
            }
          } else if (!defined0 && !defined1 && (x1 - x0) * scale < 0.25) {
            return;
          }
          if (depth == 48) {
            return;
          }
          const double xm = (x0 + x1) / 2;
          const double ym = value(xm);
          trace(x0, y0, xm, ym, depth + 1);
          trace(xm, ym, x1, y1, depth + 1);
        };
    constexpr int kStart = 4096;
    for (int k = 0; k < kStart; ++k) {
      const double x0 = from + (to - from) * k / kStart;
      const double x1 = from + (to - from) * (k + 1) / kStart;
      trace(x0, value(x0), x1, value(x1), 0);
    }
    return mask;
  }

  std::unique_ptr<OffscreenContext> context_;
  FrameRenderer renderer_;
  TestDocument doc_;
};

Mask Inked(const FrameImage& image) {
  Mask mask(static_cast<std::size_t>(kWidth) * kHeight, false);
  for (std::int32_t y = 0; y < kHeight; ++y) {
    for (std::int32_t x = 0; x < kWidth; ++x) {
      mask[static_cast<std::size_t>(y) * kWidth + static_cast<std::size_t>(x)] =
          testing::RgbAt(image, x, y) != testing::kWhite;
    }
  }
  return mask;
}

// Every pixel within `radius` pixels of a pixel of the mask.
Mask Widened(const Mask& mask, int radius) {
  Mask wide(mask.size(), false);
  for (std::int32_t y = 0; y < kHeight; ++y) {
    for (std::int32_t x = 0; x < kWidth; ++x) {
      if (!mask[static_cast<std::size_t>(y) * kWidth + static_cast<std::size_t>(x)]) {
        continue;
      }
      for (int dy = -radius; dy <= radius; ++dy) {
        for (int dx = -radius; dx <= radius; ++dx) {
          const int wx = x + dx;
          const int wy = y + dy;
          if (dx * dx + dy * dy <= radius * radius && wx >= 0 && wx < kWidth && wy >= 0 &&
              wy < kHeight) {
            wide[static_cast<std::size_t>(wy) * kWidth + static_cast<std::size_t>(wx)] = true;
          }
        }
      }
    }
  }
  return wide;
}

struct TruthCase {
  const char* text;
  std::function<double(double)> f;
  float from, to;
  std::int32_t steps;
  double minX, maxX, minY, maxY;  // the view, at least
};

TEST_F(ExactCurves, DrawTheTrueGraph) {
  const TruthCase cases[] = {
      {"tan(x)", [](double x) { return std::tan(x); }, -5, 5, 100, -5.5, 5.5, -5, 5},
      {"1/(x-0.37)", [](double x) { return 1 / (x - 0.37); }, -20, 20, 50, -20, 20, -20, 20},
      {"int(x)", [](double x) { return std::floor(x); }, -5, 5, 10, -5.5, 5.5, -5.5, 5.5},
      {"12*sqr(1-(x/12)^2)", [](double x) { return 12 * std::sqrt(1 - (x / 12) * (x / 12)); }, -12,
       12, 14, -13, 13, -1, 13},
      {"log(abs(x))*4", [](double x) { return std::log(std::fabs(x)) * 4; }, -6, 6, 12, -7, 7, -12,
       8},
      {"8*sin(x)", [](double x) { return 8 * std::sin(x); }, -20, 20, 16, -21, 21, -9, 9},
      {"x/10+3", [](double x) { return x / 10 + 3; }, -5, 5, 100000, -6, 6, 0, 5},
  };
  for (const TruthCase& c : cases) {
    SCOPED_TRACE(c.text);
    doc_.scene.Graphs().Clear();
    doc_.Show(doc_.MakeCurve(c.text, c.from, c.to, c.steps, testing::kRed, 2));
    Look(c.minX, c.maxX, c.minY, c.maxY);
    const Mask ink = Inked(Frame());
    const Mask truth = TrueGraph(c.f, c.from, c.to);
    const Mask nearTruth = Widened(truth, 3);
    const Mask nearInk = Widened(ink, 2);
    std::int64_t stray = 0;
    std::int64_t truePixels = 0;
    std::int64_t covered = 0;
    for (std::size_t i = 0; i < ink.size(); ++i) {
      stray += ink[i] && !nearTruth[i] ? 1 : 0;
      truePixels += truth[i] ? 1 : 0;
      covered += truth[i] && nearInk[i] ? 1 : 0;
    }
    EXPECT_GT(truePixels, 300);
    EXPECT_EQ(stray, 0);
    EXPECT_GE(static_cast<double>(covered), 0.99 * static_cast<double>(truePixels))
        << covered << " of " << truePixels;
  }
}

// Off, the stored points are joined as before: int(x) in 10 steps draws
// the diagonal from (0, 0) to (1, 1), which the staircase never touches.
TEST_F(ExactCurves, OffDrawsTheStoredSegments) {
  doc_.Show(doc_.MakeCurve("int(x)", -5, 5, 10, testing::kRed, 2));
  Look(-5.5, 5.5, -5.5, 5.5);
  std::int32_t column = 0;
  std::int32_t row = 0;
  ASSERT_TRUE(PixelOf(0.5, 0.5, column, row));
  EXPECT_TRUE(renderer_.ExactCurves());
  EXPECT_EQ(testing::InkIn(Frame(), column - 1, row - 1, column + 1, row + 1), 0);
  renderer_.ExactCurves(false);
  EXPECT_GT(testing::InkIn(Frame(), column - 1, row - 1, column + 1, row + 1), 0);
  EXPECT_TRUE(renderer_.Certified().Empty());
}

// The perspective projection shows the plane z = 0 with square pixels too:
// int(x) is drawn as its staircase there, not as the stored diagonals.
TEST_F(ExactCurves, PerspectiveFramesAreExactToo) {
  doc_.Show(doc_.MakeCurve("int(x)", -5, 5, 10, testing::kRed, 2));
  Look(-5.5, 5.5, -5.5, 5.5);
  doc_.view.ProjectType(Camera::kPerspective);
  const FrameImage image = Frame();
  EXPECT_EQ(renderer_.Certified().Refinements(), 1u);
  // The frame's matrices are still loaded: where do these points fall?
  auto inkNear = [&](double x, double y) {
    std::array<GLdouble, 16> model{};
    std::array<GLdouble, 16> projection{};
    std::array<GLint, 4> viewport{};
    glGetDoublev(GL_MODELVIEW_MATRIX, model.data());
    glGetDoublev(GL_PROJECTION_MATRIX, projection.data());
    glGetIntegerv(GL_VIEWPORT, viewport.data());
    GLdouble wx = 0, wy = 0, wz = 0;
    gluProject(x, y, 0, model.data(), projection.data(), viewport.data(), &wx, &wy, &wz);
    const auto column = static_cast<std::int32_t>(wx);
    const auto row = kHeight - 1 - static_cast<std::int32_t>(wy);
    return testing::InkIn(image, column - 1, row - 1, column + 1, row + 1);
  };
  EXPECT_GT(inkNear(0.5, 0), 0);
  EXPECT_EQ(inkNear(0.5, 0.5), 0);
}

// A straight line of a million steps draws the pixels of one of 100.
TEST_F(ExactCurves, DenseLinesDrawAsSparseOnes) {
  Look(-6, 6, 0, 5);
  doc_.Show(doc_.MakeCurve("x/10+3", -5, 5, 100, testing::kRed, 2));
  const FrameImage sparse = Frame();
  doc_.scene.Graphs().Clear();
  doc_.Show(doc_.MakeCurve("x/10+3", -5, 5, 1000000, testing::kRed, 2));
  const FrameImage dense = Frame();
  std::int64_t differ = 0;
  for (std::size_t i = 0; i < sparse.Rgba.size(); ++i) {
    differ += std::abs(sparse.Rgba[i] - dense.Rgba[i]) > 2 ? 1 : 0;
  }
  EXPECT_EQ(differ, 0);
  EXPECT_EQ(Inked(sparse), Inked(dense));
}

// A frame after a pan within half a view keeps the refinement; one at
// another scale, or after the lists were compiled again, refines anew.
TEST_F(ExactCurves, PanningKeepsTheRefinement) {
  doc_.Show(doc_.MakeCurve("8*sin(x)", -20, 20, 16, testing::kRed, 2));
  Look(-21, 21, -9, 9);
  Frame();
  const std::size_t first = renderer_.Certified().Refinements();
  EXPECT_EQ(first, 1u);
  doc_.view.MoveView(0.25f, 0.1f);
  const FrameImage panned = Redraw();
  EXPECT_EQ(renderer_.Certified().Refinements(), first);
  // The curve moved with the view: x = 0 is now a quarter view to the right.
  std::int32_t column = 0;
  std::int32_t row = 0;
  ASSERT_TRUE(PixelOf(std::asin(0.5), 4, column, row));
  EXPECT_GT(testing::InkIn(panned, column - 2, row - 2, column + 2, row + 2), 0);
  doc_.view.Zoom(0.5f);
  Redraw();
  EXPECT_EQ(renderer_.Certified().Refinements(), first + 1);
  Frame();
  EXPECT_EQ(renderer_.Certified().Refinements(), first + 2);
}

}  // namespace
}  // namespace quillon
