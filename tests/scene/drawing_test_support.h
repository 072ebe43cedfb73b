// Helpers of the drawing tests: an off-screen context per test (a test that
// cannot get one fails, it never skips), pixel and feedback queries, and test
// graphs with the document objects a frame is drawn from.
#pragma once

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "expr/reporter.h"
#include "graph/box.h"
#include "graph/document_values.h"
#include "graph/graph.h"
#include "scene/axis.h"
#include "scene/camera.h"
#include "scene/frame_renderer.h"
#include "scene/light.h"
#include "scene/offscreen_context.h"
#include "scene/outline_font.h"
#include "scene/scene.h"

namespace quillon::testing {

inline constexpr std::int32_t kRed = 255;
inline constexpr std::int32_t kBlue = 16711680;
inline constexpr std::uint32_t kWhite = 0xFFFFFFu;

// A width x height context made current, or nullptr after a failure naming
// the reason. Use through ASSERT_NE(..., nullptr).
inline std::unique_ptr<OffscreenContext> MakeTestContext(std::int32_t width = 800,
                                                         std::int32_t height = 600) {
  try {
    return std::make_unique<OffscreenContext>(width, height);
  } catch (const OffscreenError& error) {
    ADD_FAILURE() << "no off-screen OpenGL context: " << error.what();
    return nullptr;
  }
}

// The pixel in column x, row y (row 0 at the top) without alpha, 0xRRGGBB.
inline std::uint32_t RgbAt(const FrameImage& image, std::int32_t x, std::int32_t y) {
  const std::size_t at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(image.Width) +
                          static_cast<std::size_t>(x)) *
                         4;
  return (std::uint32_t{image.Rgba[at]} << 16) | (std::uint32_t{image.Rgba[at + 1]} << 8) |
         std::uint32_t{image.Rgba[at + 2]};
}

// Pixels in columns x0..x1 of rows y0..y1 (row 0 at the top), cut to the
// image, that are not white, or whose 0xRRGGBB colour passes `counts`.
inline std::int64_t InkIn(const FrameImage& image, std::int32_t x0, std::int32_t y0,
                          std::int32_t x1, std::int32_t y1,
                          const std::function<bool(std::uint32_t)>& counts = nullptr) {
  std::int64_t count = 0;
  for (std::int32_t y = std::max(y0, 0); y <= std::min(y1, image.Height - 1); ++y) {
    for (std::int32_t x = std::max(x0, 0); x <= std::min(x1, image.Width - 1); ++x) {
      const std::uint32_t colour = RgbAt(image, x, y);
      count += (counts ? counts(colour) : colour != kWhite) ? 1 : 0;
    }
  }
  return count;
}
inline std::int64_t CountNonWhite(const FrameImage& image) {
  return InkIn(image, 0, 0, image.Width - 1, image.Height - 1);
}

inline bool IsOpaque(const FrameImage& image) {
  for (std::size_t at = 3; at < image.Rgba.size(); at += 4) {
    if (image.Rgba[at] != 255) {
      return false;
    }
  }
  return true;
}

// An orthographic camera over a frame of 600 rows: world point (x0, y0) lies
// on the centre of the lower left pixel and a unit spans pixelsPerUnit pixels.
struct PixelView {
  double x0 = 0;
  double y0 = 0;
  double pixelsPerUnit = 40;

  // Loads the camera over the whole viewport and clears to white with the
  // frame's depth test.
  void Begin() const {
    std::array<GLint, 4> viewport{};
    glGetIntegerv(GL_VIEWPORT, viewport.data());
    const double half = 0.5 / pixelsPerUnit;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(x0 - half, x0 - half + viewport[2] / pixelsPerUnit, y0 - half,
            y0 - half + viewport[3] / pixelsPerUnit, -100, 100);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(1, 1, 1, 1);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_DEPTH_TEST);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  }
  std::int32_t Column(double x) const {
    return static_cast<std::int32_t>(std::lround((x - x0) * pixelsPerUnit));
  }
  std::int32_t Row(double y) const {
    return 599 - static_cast<std::int32_t>(std::lround((y - y0) * pixelsPerUnit));
  }
};

// What draw() sends to OpenGL, captured in feedback mode before any
// rasteriser decides what it covers, in window coordinates: the two ends of
// each line segment, and every polygon vertex in order.
struct Feedback {
  std::vector<std::array<float, 6>> lines;
  std::vector<std::array<float, 3>> vertices;
};
inline Feedback Capture(const std::function<void()>& draw) {
  std::vector<GLfloat> buffer(1 << 20);
  glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D, buffer.data());
  glRenderMode(GL_FEEDBACK);
  draw();
  const GLint used = glRenderMode(GL_RENDER);
  EXPECT_GE(used, 0) << "feedback buffer too small";
  Feedback feedback;
  for (GLint at = 0; at < used;) {
    const auto token = static_cast<GLenum>(buffer[static_cast<std::size_t>(at++)]);
    const GLfloat* p = &buffer[static_cast<std::size_t>(at)];
    if (token == GL_POLYGON_TOKEN) {
      const auto count = static_cast<GLint>(*p);
      for (GLint v = 0; v < count; ++v, p += 3) {
        feedback.vertices.push_back({p[1], p[2], p[3]});
      }
      at += 1 + 3 * count;
    } else if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
      feedback.lines.push_back({p[0], p[1], p[2], p[3], p[4], p[5]});
      at += 6;
    } else {
      at += token == GL_PASS_THROUGH_TOKEN ? 1 : 3;  // points and pixel rectangles
    }
  }
  return feedback;
}

// Compares two captured lists point by point, to a hundredth of a pixel.
template <std::size_t N>
void ExpectSame(const std::vector<std::array<float, N>>& actual,
                const std::vector<std::array<float, N>>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < actual.size() * N; ++i) {
    ASSERT_NEAR(actual[i / N][i % N], expected[i / N][i % N], 0.01f) << "point " << i / N;
  }
}

class RecordingReporter : public Reporter {
 public:
  void Report(const std::string& title, const std::string& text, MessageIcon icon) override {
    messages.push_back(title + ": " + text);
    icons.push_back(icon);
  }
  std::vector<std::string> messages;
  std::vector<MessageIcon> icons;
};

// The colour a probe expects at a world point (x, y); kAnyInk: any colour
// but white.
inline constexpr std::uint32_t kAnyInk = 0x1000000u;
struct Probe {
  double x, y;
  std::uint32_t colour;
};

// The document objects of a frame of 800 x 600 pixels showing 40 x 40 units
// around the origin: x = 0 lies between columns 399 and 400, y = 0 between
// rows 299 and 300, 20 pixels a unit across and 15 down.
struct TestDocument {
  DocumentValues document;
  Scene scene;
  Axis axis;
  Camera view;
  Light light;
  Box sceneBox;
  std::int32_t lastId = 0;

  // A sampled explicit curve y = expression over from..to in steps
  // intervals, material 4, as the properties dialog makes it.
  std::shared_ptr<Graph> MakeCurve(const std::string& expression, float from, float to,
                                   std::int32_t steps, std::int32_t color, std::int32_t width) {
    auto graph = NewGraph(expression);
    graph->stepsV = steps;
    graph->minV = from;
    graph->maxV = to;
    graph->lineColor = color;
    graph->lineWidth = width;
    EXPECT_TRUE(graph->GetPoints()) << expression;
    return graph;
  }
  // A curve through the given points (x, y; z = 0), written after sampling.
  std::shared_ptr<Graph> MakePolyline(const std::vector<std::pair<float, float>>& points) {
    auto graph = MakeCurve("0", 0, 1, static_cast<std::int32_t>(points.size()) - 1, kRed, 2);
    // The test writes through the read-only view to place its points.
    for (std::size_t i = 0; i < points.size(); ++i) {
      *const_cast<GridPoint*>(graph->Points().Find(0, static_cast<std::int32_t>(i))) =
          GridPoint{points[i].first, points[i].second, 0};
    }
    return graph;
  }
  // An animated point (kind 8) at (1, 1, 1), (-3, 4, 2) and (6, -2, -5) in
  // frames 0..2.
  std::shared_ptr<Graph> MakeMovingPoint() {
    document.AnimFrames = 2;
    auto graph = NewGraph("0");
    graph->kind = GraphKind::AnimatedPoint;
    graph->stepsU = graph->stepsV = 0;
    graph->animated = true;
    EXPECT_TRUE(graph->GetPoints());
    const GridPoint frames[] = {{1, 1, 1}, {-3, 4, 2}, {6, -2, -5}};
    for (std::int32_t k = 0; k < 3; ++k) {
      *const_cast<GridPoint*>(graph->AnimatedPoint().Find(k)) = frames[k];
    }
    return graph;
  }
  // A Cartesian explicit graph of z expression, material 4, not sampled.
  std::shared_ptr<Graph> NewGraph(const std::string& expression) {
    auto graph = std::make_shared<Graph>(document);
    graph->id = ++lastId;
    graph->name = "curve";
    graph->coordinates = CoordinateSystem::Cartesian;
    graph->form = FunctionForm::Explicit;
    graph->expressionX = graph->expressionY = "0";
    graph->expressionZ = expression;
    graph->material = MaterialPreset::Gold;
    return graph;
  }
  std::shared_ptr<Graph> Show(std::shared_ptr<Graph> graph) {
    scene.Graphs().Add(graph, std::to_string(graph->id));
    return graph;
  }
};

// A current context of 800 x 600 pixels.
class ContextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    context_ = MakeTestContext();
    ASSERT_NE(context_, nullptr);
  }
  // Clears to white and draws under the camera of doc: 40 x 40 units around
  // the origin.
  FrameImage DrawAlone(TestDocument& doc, const std::function<void()>& draw) {
    doc.view.Projection(doc.scene);
    glClearColor(1, 1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    draw();
    return context_->ReadFrame();
  }

  std::unique_ptr<OffscreenContext> context_;
};

// An 800 x 600 frame with the two fonts of a rendering context.
class FontFrame : public ContextTest {
 protected:
  void SetUp() override {
    ContextTest::SetUp();
    ASSERT_FALSE(HasFatalFailure());
    fonts_.FontBase = CreateOutlineFont("Arial", -6, 400, false, 0, &reporter_);
    fonts_.BoldFontBase = CreateOutlineFont("Arial", -8, 700, false, 0, &reporter_);
    ASSERT_NE(fonts_.FontBase, 0u);
    ASSERT_NE(fonts_.BoldFontBase, 0u);
    EXPECT_TRUE(reporter_.messages.empty());
  }
  void Begin(const PixelView& view) {
    view_ = view;
    view.Begin();
  }
  // Drawn pixels in the world rectangle [x1, x2] x [y1, y2] of the last view.
  std::int64_t InkIn(const FrameImage& image, double x1, double y1, double x2, double y2) const {
    return testing::InkIn(image, view_.Column(x1), view_.Row(y2), view_.Column(x2), view_.Row(y1));
  }
  std::uint32_t ColourAt(const FrameImage& image, double x, double y) const {
    return RgbAt(image, view_.Column(x), view_.Row(y));
  }
  // Each probe's colour at its world point (x, y) of the last view.
  void ExpectProbes(const FrameImage& image, const std::vector<Probe>& probes) const {
    for (const Probe& p : probes) {
      const std::uint32_t colour = ColourAt(image, p.x, p.y);
      EXPECT_TRUE(p.colour == kAnyInk ? colour != kWhite : colour == p.colour)
          << "at " << p.x << ", " << p.y << ": " << std::hex << colour;
    }
  }

  RecordingReporter reporter_;
  TextFonts fonts_;
  PixelView view_;
};

// A frame renderer in an 800 x 600 context drawing doc_. Lists are taken
// before the renderer's, which must keep clear of them.
class RendererFrame : public ContextTest {
 protected:
  void SetUp() override {
    ContextTest::SetUp();
    ASSERT_FALSE(HasFatalFailure());
    glGenLists(850);
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
  // Draws without compiling again; the frame's matrices stay loaded.
  FrameImage Redraw(std::int32_t animStep = 0) {
    renderer_.Display(doc_.scene, doc_.view, doc_.light, animStep);
    return context_->ReadFrame();
  }

  FrameRenderer renderer_;
  TestDocument doc_;
};

}  // namespace quillon::testing
