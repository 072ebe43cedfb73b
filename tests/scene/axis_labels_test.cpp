// Labels of the axes that follow the view: thinned so that neighbours keep
// clear, one size on screen at any zoom, on white margins, minus signs with
// or without polygon smoothing.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

#include "drawing_test_support.h"
#include "scene/axis.h"
#include "scene/axis_layout.h"
#include "scene/frame_renderer.h"
#include "scene/view_fit.h"

namespace quillon {
namespace {

constexpr std::int64_t kOnlyOrigin = 1'000'000'000'000'000;

TEST(ThinningFactor, SmallestRoundStepThatKeepsNeighboursClear) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Case {
    double extent, spacing;
    std::int64_t multipleOf, expected;
  };
  const Case cases[] = {{10, 20, 1, 1},
                        {20, 20, 1, 1},
                        {21, 20, 1, 2},
                        {30, 14, 1, 5},
                        {100, 14, 1, 10},
                        {100, 1.5, 1, 100},
                        {4, 1.9, 1, 5},
                        {10, 3, 2, 10},
                        {10, 6, 2, 2},
                        {10, 6, 5, 5},
                        {1e9, 1, 1, 1'000'000'000},
                        {10, 0, 1, kOnlyOrigin},
                        {10, -3, 1, kOnlyOrigin},
                        {10, nan, 1, kOnlyOrigin}};
  for (const Case& c : cases) {
    EXPECT_EQ(ThinningFactor(c.extent, c.spacing, c.multipleOf), c.expected)
        << c.extent << " px over " << c.spacing << " px, multiple of " << c.multipleOf;
  }
}

// Black or grey: the axis and its text, not the red curve.
bool Grey(const FrameImage& image, std::int32_t x, std::int32_t y) {
  const std::uint32_t rgb = testing::RgbAt(image, x, y);
  const std::uint32_t red = rgb >> 16, green = (rgb >> 8) & 0xFF, blue = rgb & 0xFF;
  return rgb != testing::kWhite && red == green && green == blue;
}

// The ink of the x labels: the band of rows under the x axis that no y
// label enters, without the columns of the y axis. Each label is a run of
// inked columns; its glyphs are closer than kLabelSpacing columns apart.
struct InkRun {
  std::int32_t first = 0, last = 0;  // columns
  std::int32_t top = std::numeric_limits<std::int32_t>::max(), bottom = -1;
  std::int32_t Width() const { return last - first + 1; }
  std::int32_t Height() const { return bottom - top + 1; }
};

std::int32_t Busiest(const FrameImage& image, bool rows) {
  const std::int32_t count = rows ? image.Height : image.Width;
  std::int32_t best = 0;
  std::int64_t bestInk = -1;
  for (std::int32_t at = 0; at < count; ++at) {
    std::int64_t ink = 0;
    for (std::int32_t along = 0; along < (rows ? image.Width : image.Height); ++along) {
      ink += rows ? Grey(image, along, at) : Grey(image, at, along);
    }
    if (ink > bestInk) {
      best = at;
      bestInk = ink;
    }
  }
  return best;
}

std::vector<InkRun> XLabelInk(const FrameImage& image) {
  constexpr std::int32_t kLabelSpacing = 3;
  const std::int32_t axisRow = Busiest(image, true);
  const std::int32_t axisColumn = Busiest(image, false);
  std::vector<InkRun> runs;
  std::int32_t lastInked = -kLabelSpacing - 1;
  for (std::int32_t x = 0; x < image.Width; ++x) {
    if (std::abs(x - axisColumn) <= 2) {
      continue;
    }
    std::int32_t top = std::numeric_limits<std::int32_t>::max(), bottom = -1;
    for (std::int32_t y = axisRow + 2; y <= axisRow + 12; ++y) {
      if (Grey(image, x, y)) {
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
    }
    if (bottom < 0) {
      continue;
    }
    if (x - lastInked > kLabelSpacing || runs.empty()) {
      runs.push_back({x, x});
    }
    InkRun& run = runs.back();
    run.last = x;
    run.top = std::min(run.top, top);
    run.bottom = std::max(run.bottom, bottom);
    lastInked = x;
  }
  return runs;
}

class AxisLabels : public ::testing::Test {
 protected:
  void SetUp() override {
    context_ = testing::MakeTestContext();
    ASSERT_NE(context_, nullptr);
    ASSERT_TRUE(renderer_.Initialize());
    doc_.axis.shown = true;
    // Red, and through the label band on both sides of the origin.
    doc_.Show(doc_.MakeCurve("x*x/10-5", -20, 20, 200, testing::kRed, 3));
    renderer_.RebuildLists(doc_.scene, doc_.axis, doc_.document, doc_.sceneBox);
  }
  void TearDown() override {
    if (context_ != nullptr)
      renderer_.Release();
  }
  FrameImage Frame() {
    renderer_.Display(doc_.scene, doc_.view, doc_.light);
    return context_->ReadFrame();
  }

  std::unique_ptr<OffscreenContext> context_;
  FrameRenderer renderer_;
  testing::TestDocument doc_;
};

// Laid out, no two margins of the plane axis or the framed plane overlap
// and every label has one height on screen, at the opening view, fitted to
// a box of 100 x 100 units, and zoomed out ten times.
TEST_F(AxisLabels, LaidOutApartAndOneSizeAtAnyZoom) {
  Box box;
  box.MinX(-57.5f);
  box.MaxX(43.f);
  box.MinY(-51.f);
  box.MaxY(49.5f);
  box.MinZ(-51.f);
  box.MaxZ(49.5f);
  const auto overlap = [](const AxisLabel& a, const AxisLabel& b) {
    return std::min(a.marginHigh.x, b.marginHigh.x) > std::max(a.marginLow.x, b.marginLow.x) &&
           std::min(a.marginHigh.y, b.marginHigh.y) > std::max(a.marginLow.y, b.marginLow.y);
  };
  for (const bool framed : {false, true}) {
    double height = 0;
    for (const double zoom : {1.0, 0.0, 10.0}) {
      SCOPED_TRACE(::testing::Message() << (framed ? "framed" : "plane") << ", zoom " << zoom);
      Camera view;
      view.SetScreen(800, 600);
      if (zoom == 0) {
        FitView(view, box, 0.9f);
      } else {
        view.Zoom(static_cast<float>(zoom));
      }
      const PixelScale scale{1 / view.PixelWidth(), 1 / view.PixelHeight()};
      const AxisLayout layout =
          framed ? LayOutFramedAxis(doc_.axis, box, scale) : LayOutPlaneAxis(doc_.axis, box, scale);
      ASSERT_GE(layout.labels.size(), 6u);
      for (std::size_t i = 0; i < layout.labels.size(); ++i) {
        const AxisLabel& label = layout.labels[i];
        const double pixels = (label.marginHigh.y - label.marginLow.y) * scale.y;
        if (height == 0) {
          height = pixels;
        }
        EXPECT_NEAR(pixels, height, 1e-6) << label.text;
        for (std::size_t j = 0; j < i; ++j) {
          EXPECT_FALSE(overlap(label, layout.labels[j]))
              << label.text << ", " << layout.labels[j].text;
        }
      }
    }
  }
}

// No two labels touch, and the labels keep their height, at the opening
// view, fitted to the curve, and zoomed out ten times.
TEST_F(AxisLabels, ApartAndOneSizeAtAnyZoom) {
  constexpr std::int32_t kWidestLabel = 16;  // "-20" at 10 px an em
  std::vector<std::int32_t> heights;
  const auto check = [&](const char* view) {
    SCOPED_TRACE(view);
    std::vector<InkRun> runs = XLabelInk(Frame());
    ASSERT_GE(runs.size(), 3u);
    for (const InkRun& run : runs) {
      EXPECT_LE(run.Width(), kWidestLabel) << "columns " << run.first << ".." << run.last;
    }
    // The median run is a label, not an arrow head or a letter.
    std::nth_element(runs.begin(), runs.begin() + static_cast<std::ptrdiff_t>(runs.size() / 2),
                     runs.end(),
                     [](const InkRun& a, const InkRun& b) { return a.Height() < b.Height(); });
    heights.push_back(runs[runs.size() / 2].Height());
  };
  check("opening");
  FitView(doc_.view, doc_.scene.GetBox(0), 0.9f);
  check("fitted");
  doc_.view = Camera();
  doc_.view.SetScreen(800, 600);
  doc_.view.Zoom(10);
  check("zoomed out");
  ASSERT_EQ(heights.size(), 3u);
  EXPECT_GE(heights[0], 6);
  for (const std::int32_t height : heights) {
    EXPECT_NEAR(height, heights[0], 1);
  }
}

// Each label left of the y axis is wider than its mirror image on the right
// by its minus sign, smoothed or not, in two views whose pixel grids place
// the signs differently.
TEST_F(AxisLabels, MinusSignsInkWithAndWithoutBetterFonts) {
  for (const bool betterFonts : {true, false}) {
    doc_.axis.betterFonts = betterFonts;
    renderer_.RebuildLists(doc_.scene, doc_.axis, doc_.document, doc_.sceneBox);
    for (const bool fitted : {false, true}) {
      SCOPED_TRACE(::testing::Message() << "better fonts " << betterFonts << ", fitted " << fitted);
      doc_.view = Camera();
      if (fitted) {
        FitView(doc_.view, doc_.scene.GetBox(0), 0.9f);
      }
      const FrameImage image = Frame();
      const std::int32_t axisColumn = Busiest(image, false);
      std::vector<InkRun> left, right;
      for (const InkRun& run : XLabelInk(image)) {
        (run.last < axisColumn ? left : right).push_back(run);
      }
      std::reverse(left.begin(), left.end());  // nearest the axis first
      ASSERT_GE(left.size(), 3u);
      for (std::size_t k = 0; k < std::min(left.size(), right.size()); ++k) {
        EXPECT_GE(left[k].Width(), right[k].Width() + 2) << "label " << k + 1 << " from 0";
      }
    }
  }
}

}  // namespace
}  // namespace quillon
