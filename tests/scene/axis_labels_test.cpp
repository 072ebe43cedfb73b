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

// A red curve through the label bands on both sides of the origin, under
// the plane axis, in views whose camera knows the frame's 800 x 600 pixels.
class AxisLabels : public testing::RendererFrame {
 protected:
  void SetUp() override {
    RendererFrame::SetUp();
    ASSERT_FALSE(HasFatalFailure());
    doc_.axis.shown = true;
    doc_.Show(doc_.MakeCurve("x*x/10-5", -20, 20, 200, testing::kRed, 3));
  }
  // The opening view (zoom 1), the view fitted to the curve (0), or the
  // opening view zoomed out.
  void View(float zoom) {
    doc_.view = Camera();
    doc_.view.SetScreen(800, 600);
    if (zoom == 0) {
      FitView(doc_.view, doc_.scene.GetBox(0), 0.9f);
    } else {
      doc_.view.Zoom(zoom);
    }
  }
  PixelScale Scale() const { return {1 / doc_.view.PixelWidth(), 1 / doc_.view.PixelHeight()}; }
  // Frame pixels (column, row from the top left) of a world point.
  AxisPoint PixelOf(const AxisPoint& world) const {
    const PlanePoint topLeft = doc_.view.PlaneAt(0, 0);
    return {(world.x - topLeft.x) / doc_.view.PixelWidth() + 0.5,
            (topLeft.y - world.y) / doc_.view.PixelHeight() + 0.5};
  }
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
    for (const float zoom : {1.f, 0.f, 10.f}) {
      SCOPED_TRACE(::testing::Message() << (framed ? "framed" : "plane") << ", zoom " << zoom);
      View(zoom);
      if (zoom == 0) {
        FitView(doc_.view, box, 0.9f);
      }
      const AxisLayout layout = framed ? LayOutFramedAxis(doc_.axis, box, Scale())
                                       : LayOutPlaneAxis(doc_.axis, box, Scale());
      ASSERT_GE(layout.labels.size(), 6u);
      for (std::size_t i = 0; i < layout.labels.size(); ++i) {
        const AxisLabel& label = layout.labels[i];
        const double pixels = (label.marginHigh.y - label.marginLow.y) * Scale().y;
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

// The frame inks each label inside its margin and nothing of the axis
// outside its laid-out places (labels, lines, ticks and heads, 1.5 pixels
// around), with or without polygon smoothing; every minus sign's bar is
// inked along its length.
TEST_F(AxisLabels, InkedWhereLaidOut) {
  for (const bool betterFonts : {true, false}) {
    doc_.axis.betterFonts = betterFonts;
    renderer_.RebuildLists(doc_.scene, doc_.axis, doc_.document, doc_.sceneBox);
    for (const float zoom : {1.f, 0.f, 10.f}) {
      SCOPED_TRACE(::testing::Message() << "better fonts " << betterFonts << ", zoom " << zoom);
      View(zoom);
      const FrameImage image = Redraw();
      const AxisLayout layout = LayOutPlaneAxis(doc_.axis, doc_.sceneBox, Scale());
      // Pixel rectangles (low, high corners) where the axis may ink.
      std::vector<std::pair<AxisPoint, AxisPoint>> places;
      const auto place = [&](const AxisPoint& a, const AxisPoint& b) {
        const AxisPoint p = PixelOf(a), q = PixelOf(b);
        places.push_back({{std::min(p.x, q.x) - 1.5, std::min(p.y, q.y) - 1.5},
                          {std::max(p.x, q.x) + 1.5, std::max(p.y, q.y) + 1.5}});
      };
      for (const auto& segments : {layout.lines, layout.ticks}) {
        for (const AxisSegment& segment : segments) {
          place(segment.from, segment.to);
        }
      }
      for (const auto& head : layout.heads) {
        place({std::min({head[0].x, head[1].x, head[2].x}),
               std::min({head[0].y, head[1].y, head[2].y})},
              {std::max({head[0].x, head[1].x, head[2].x}),
               std::max({head[0].y, head[1].y, head[2].y})});
      }
      const auto onFrame = [&](const AxisPoint& low, const AxisPoint& high) {
        return low.x >= 0 && low.y >= 1 && high.x < image.Width && high.y < image.Height - 1;
      };
      ASSERT_GE(layout.labels.size(), 6u);
      for (const AxisLabel& label : layout.labels) {
        place(label.marginLow, label.marginHigh);
        const AxisPoint low = PixelOf({label.marginLow.x, label.marginHigh.y});
        const AxisPoint high = PixelOf({label.marginHigh.x, label.marginLow.y});
        if (!onFrame(low, high)) {
          continue;
        }
        EXPECT_GE(testing::InkIn(
                      image, static_cast<std::int32_t>(low.x), static_cast<std::int32_t>(low.y),
                      static_cast<std::int32_t>(high.x), static_cast<std::int32_t>(high.y)),
                  3)
            << label.text;
      }
      std::int64_t stray = 0;
      for (std::int32_t row = 0; row < image.Height; ++row) {
        for (std::int32_t column = 0; column < image.Width; ++column) {
          const auto inside = [&](const auto& rect) {
            return column + 0.5 >= rect.first.x && column + 0.5 <= rect.second.x &&
                   row + 0.5 >= rect.first.y && row + 0.5 <= rect.second.y;
          };
          stray += Grey(image, column, row) && std::none_of(places.begin(), places.end(), inside);
        }
      }
      EXPECT_EQ(stray, 0);
      ASSERT_FALSE(layout.minusBars.empty());
      for (const AxisSegment& bar : layout.minusBars) {
        const AxisPoint from = PixelOf(bar.from), to = PixelOf(bar.to);
        if (!onFrame(from, to)) {
          continue;
        }
        EXPECT_GE(
            testing::InkIn(image, static_cast<std::int32_t>(from.x),
                           static_cast<std::int32_t>(from.y) - 1, static_cast<std::int32_t>(to.x),
                           static_cast<std::int32_t>(to.y) + 1),
            std::lround(to.x - from.x))
            << "bar at " << bar.from.x << ", " << bar.from.y;
      }
    }
  }
}

}  // namespace
}  // namespace quillon
