// The frame as plain geometry: captured lines checked against the world
// points they come from, and the cutting and thinning of lines and polygons
// against geometry worked out by hand.

#include "scene/picture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

#include "drawing_test_support.h"
#include "scene/frame_renderer.h"
#include "scene/picture_capture.h"
#include "scene/trace_marker.h"

namespace quillon {
namespace {

using testing::TestDocument;
using Points = std::vector<PicturePoint>;

// Picture pixels of a world point of TestDocument's frame: 20 pixels a unit
// across, 15 down, the origin at (400, 300).
PicturePoint PixelOf(double x, double y) {
  return {400 + 20 * x, 300 - 15 * y};
}

void ExpectPoints(const Points& actual, const Points& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < actual.size(); ++i) {
    EXPECT_NEAR(actual[i].x, expected[i].x, 1e-3) << "point " << i;
    EXPECT_NEAR(actual[i].y, expected[i].y, 1e-3) << "point " << i;
  }
}

class PictureCapture : public testing::RendererFrame {
 protected:
  void SetUp() override {
    RendererFrame::SetUp();
    ASSERT_FALSE(HasFatalFailure());
    // The stored points, as drawn with Exact curves off.
    renderer_.ExactCurves(false);
    doc_.axis.shown = false;
  }
  Picture Capture(const std::function<void()>& drawOver = {}) {
    renderer_.RebuildLists(doc_.scene, doc_.axis, doc_.document, doc_.sceneBox);
    return CapturePicture(renderer_, doc_.scene, doc_.view, doc_.light, 0, drawOver);
  }
};

// A curve becomes one line of its colour and width through the pixels of
// its points.
TEST_F(PictureCapture, ACurveIsOneLineThroughItsPoints) {
  auto graph = doc_.MakePolyline({{-5, -5}, {0, 5}, {5, -5}, {8, -5}});
  graph->lineWidth = 3;
  doc_.Show(graph);
  const Picture picture = Capture();
  EXPECT_EQ(picture.width, 800);
  EXPECT_EQ(picture.height, 600);
  ASSERT_EQ(picture.shapes.size(), 1u);
  const PictureShape& line = picture.shapes[0];
  EXPECT_EQ(line.kind, PictureShape::Line);
  EXPECT_EQ(line.color, (PictureColor{1, 0, 0, 1}));
  EXPECT_EQ(line.width, 3);
  ExpectPoints(line.points, {PixelOf(-5, -5), PixelOf(0, 5), PixelOf(5, -5), PixelOf(8, -5)});
}

// A curve of a million points keeps only what shows at a tenth of a pixel,
// and every point kept lies on the curve.
TEST_F(PictureCapture, AMillionPointCurveKeepsWhatShows) {
  doc_.Show(doc_.MakeCurve("3*sin(x)", -20, 20, 1000000, testing::kBlue, 1));
  const Picture picture = Capture();
  ASSERT_EQ(picture.shapes.size(), 1u);
  const Points& points = picture.shapes[0].points;
  EXPECT_LT(points.size(), 4000u);
  for (const PicturePoint& p : points) {
    const double x = (p.x - 400) / 20;
    ASSERT_NEAR(p.y, PixelOf(x, 3 * std::sin(x)).y, 0.05) << "at x = " << x;
  }
}

// What is drawn over the frame is in the picture too: the trace marker's
// ring 5 pixels around its point and its arms, 2 pixels wide.
TEST_F(PictureCapture, DrawnOverTheFrameIsInThePicture) {
  doc_.Show(doc_.MakePolyline({{-5, -5}, {5, 5}}));
  doc_.view.SetScreen(800, 600);  // the marker's pixels
  const Picture picture = Capture([this] { DrawTraceMarker(doc_.view, {2, -3}); });
  ASSERT_EQ(picture.shapes.size(), 4u);
  const PicturePoint centre = PixelOf(2, -3);
  for (const PicturePoint& p : picture.shapes[1].points) {
    EXPECT_NEAR(std::hypot(p.x - centre.x, p.y - centre.y), 5, 0.01);
  }
  EXPECT_EQ(picture.shapes[1].width, 2);
  EXPECT_EQ(picture.shapes[3].color, (PictureColor{0, 0, 0, 1}));
  ExpectPoints(picture.shapes[2].points, {{centre.x - 9, centre.y}, {centre.x + 9, centre.y}});
}

TEST(PictureGeometry, LinesAreCutAtTheBorder) {
  struct Case {
    const char* name;
    Points line;
    std::vector<Points> pieces;
  };
  const Case cases[] = {
      {"inside", {{1, 1}, {5, 5}, {9, 1}}, {{{1, 1}, {5, 5}, {9, 1}}}},
      {"leaves and comes back",
       {{5, 5}, {15, 5}, {15, 8}, {5, 8}},
       {{{5, 5}, {10, 5}}, {{10, 8}, {5, 8}}}},
      {"crosses through", {{-10, -5}, {20, 10}}, {{{0, 0}, {10, 5}}}},
      {"outside", {{-5, -5}, {-1, 20}, {20, 20}}, {}},
      {"along the border", {{0, 0}, {0, 10}}, {{{0, 0}, {0, 10}}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<Points> pieces = ClipPolyline(c.line, 10, 10);
    ASSERT_EQ(pieces.size(), c.pieces.size());
    for (std::size_t i = 0; i < pieces.size(); ++i) {
      ExpectPoints(pieces[i], c.pieces[i]);
    }
  }
}

TEST(PictureGeometry, PolygonsAreCutToThePicture) {
  struct Case {
    const char* name;
    Points polygon;
    double area;  // of the part inside 0..10 x 0..10
  };
  const Case cases[] = {
      {"inside", {{1, 1}, {4, 1}, {4, 3}}, 3},
      {"over a corner", {{-5, -5}, {5, -5}, {5, 5}, {-5, 5}}, 25},
      {"around it all", {{-1, -1}, {11, -1}, {11, 11}, {-1, 11}}, 100},
      {"outside", {{11, 1}, {12, 1}, {12, 2}}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Points inside = ClipPolygon(c.polygon, 10, 10);
    EXPECT_NEAR(std::abs(DoubleArea(inside)) / 2, c.area, 1e-9);
    for (const PicturePoint& p : inside) {
      EXPECT_TRUE(p.x >= 0 && p.x <= 10 && p.y >= 0 && p.y <= 10) << p.x << ", " << p.y;
    }
  }
}

}  // namespace
}  // namespace quillon
