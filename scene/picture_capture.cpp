#include "scene/picture_capture.h"

#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <set>
#include <utility>
#include <vector>

#include "scene/camera.h"
#include "scene/frame_renderer.h"
#include "scene/scene.h"

namespace quillon {

namespace {

// Feedback values a capture may take at most (4 bytes each): a plain curve
// of a million segments takes 15 million.
constexpr std::size_t kMostFeedbackValues = std::size_t{1} << 26;
constexpr std::size_t kFirstFeedbackValues = std::size_t{1} << 20;
// Values per vertex of GL_3D_COLOR in RGBA mode: x, y, z, red, green, blue, alpha.
constexpr std::size_t kVertexValues = 7;
// Polygons of less area than this (square pixels) are edges seen edge-on.
constexpr double kLeastArea = 1e-6;
// Polygons count as the same when their corners agree to 1/1024 pixel.
constexpr double kCornerGrid = 1024;

struct FeedbackVertex {
  PicturePoint point;
  PictureColor color;
};

// Turns the feedback stream into shapes, in the order drawn.
class PictureBuilder {
 public:
  PictureBuilder(Picture& picture, double lineWidth) : picture_(picture), lineWidth_(lineWidth) {}

  void LineWidth(double width) { lineWidth_ = width; }

  void Segment(const FeedbackVertex& from, const FeedbackVertex& to) {
    if (from.point.x == to.point.x && from.point.y == to.point.y) {
      return;
    }
    const bool continues = !line_.points.empty() && line_.color == from.color &&
                           line_.width == lineWidth_ && line_.points.back().x == from.point.x &&
                           line_.points.back().y == from.point.y;
    if (!continues) {
      EndLine();
      line_.kind = PictureShape::Line;
      line_.color = from.color;
      line_.width = lineWidth_;
      line_.points.push_back(from.point);
    }
    line_.points.push_back(to.point);
  }

  void Polygon(std::vector<PicturePoint> points, const PictureColor& color) {
    EndLine();
    const double area = DoubleArea(points);
    if (std::abs(area) < 2 * kLeastArea) {
      return;
    }
    if (area < 0) {
      std::reverse(points.begin(), points.end());
    }
    // Text is drawn with a front and a back face in the same place; an
    // opaque polygon drawn again over its own run of one colour adds nothing.
    if (color != runColor_) {
      runCorners_.clear();
      runColor_ = color;
    }
    if (color.alpha >= 1 && !runCorners_.insert(Corners(points)).second) {
      return;
    }
    picture_.shapes.push_back({PictureShape::Filled, color, 0, std::move(points)});
  }

  void EndLine() {
    if (line_.points.size() >= 2) {
      line_.points = SimplifyPolyline(line_.points, kPictureTolerance);
      picture_.shapes.push_back(std::move(line_));
      runCorners_.clear();
    }
    line_ = PictureShape{};
  }

 private:
  static std::vector<long long> Corners(const std::vector<PicturePoint>& points) {
    std::vector<std::pair<long long, long long>> corners;
    corners.reserve(points.size());
    for (const PicturePoint& p : points) {
      corners.emplace_back(std::llround(p.x * kCornerGrid), std::llround(p.y * kCornerGrid));
    }
    std::sort(corners.begin(), corners.end());
    std::vector<long long> key;
    key.reserve(2 * corners.size());
    for (const auto& [x, y] : corners) {
      key.push_back(x);
      key.push_back(y);
    }
    return key;
  }

  Picture& picture_;
  double lineWidth_;
  PictureShape line_;
  PictureColor runColor_{-1, -1, -1, -1};
  std::set<std::vector<long long>> runCorners_;
};

// The feedback values of one frame; throws PictureError past
// kMostFeedbackValues.
std::vector<GLfloat> FeedbackOfFrame(FrameRenderer& renderer, Scene& scene, Camera& view,
                                     const Light& light, std::int32_t animStep,
                                     const std::function<void()>& drawOver) {
  std::vector<GLfloat> buffer;
  for (std::size_t size = kFirstFeedbackValues; size <= kMostFeedbackValues; size *= 4) {
    buffer.assign(size, 0);
    glFeedbackBuffer(static_cast<GLsizei>(size), GL_3D_COLOR, buffer.data());
    glRenderMode(GL_FEEDBACK);
    renderer.Display(scene, view, light, animStep);
    if (drawOver) {
      drawOver();
    }
    const GLint used = glRenderMode(GL_RENDER);
    if (used >= 0) {
      buffer.resize(static_cast<std::size_t>(used));
      return buffer;
    }
  }
  throw PictureError("The view holds too many lines and polygons for a vector picture.");
}

}  // namespace

void SetLineWidth(double pixels) {
  const auto width = static_cast<GLfloat>(std::max(pixels, 1.0));
  glLineWidth(width);
  glPassThrough(width);
}

std::optional<std::string> VectorPictureRefusal(DocumentKind documentKind, const Scene& scene,
                                                const Camera& view) {
  const bool rotated = scene.RotRoll() != 0 || scene.RotPitch() != 0 || scene.RotYaw() != 0;
  const bool plane =
      documentKind == DocumentKind::Plane || documentKind == DocumentKind::PlaneVariant;
  if (!plane || rotated || view.ProjectType() != Camera::kOrthographic) {
    return "Vector pictures (SVG, PDF) are made of plane documents only; a PNG or BMP picture "
           "shows this view.";
  }
  return std::nullopt;
}

Picture CapturePicture(FrameRenderer& renderer, Scene& scene, Camera& view, const Light& light,
                       std::int32_t animStep, const std::function<void()>& drawOver) {
  Picture picture;
  GLfloat startWidth = 1;
  glGetFloatv(GL_LINE_WIDTH, &startWidth);
  std::array<GLfloat, 4> clear{1, 1, 1, 1};
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear.data());
  picture.background = {clear[0], clear[1], clear[2], 1};
  const std::vector<GLfloat> feedback =
      FeedbackOfFrame(renderer, scene, view, light, animStep, drawOver);
  // The frame sets its own viewport.
  std::array<GLint, 4> viewport{};
  glGetIntegerv(GL_VIEWPORT, viewport.data());
  picture.width = viewport[2];
  picture.height = viewport[3];
  const double bottom = viewport[1] + viewport[3];
  const auto vertexAt = [&](std::size_t at) {
    const GLfloat* v = &feedback[at];
    return FeedbackVertex{
        {static_cast<double>(v[0]) - viewport[0], bottom - static_cast<double>(v[1])},
        {v[3], v[4], v[5], v[6]}};
  };
  PictureBuilder builder(picture, startWidth);
  for (std::size_t at = 0; at < feedback.size();) {
    const auto token = static_cast<GLenum>(feedback[at++]);
    switch (token) {
      case GL_PASS_THROUGH_TOKEN:
        builder.LineWidth(feedback[at++]);
        break;
      case GL_LINE_TOKEN:
      case GL_LINE_RESET_TOKEN:
        builder.Segment(vertexAt(at), vertexAt(at + kVertexValues));
        at += 2 * kVertexValues;
        break;
      case GL_POLYGON_TOKEN: {
        const auto count = static_cast<std::size_t>(feedback[at++]);
        if (count == 0) {
          break;
        }
        std::vector<PicturePoint> points;
        points.reserve(count);
        for (std::size_t k = 0; k < count; ++k) {
          points.push_back(vertexAt(at + k * kVertexValues).point);
        }
        // Flat-shaded polygons take the colour of their first vertex, and
        // the plane view shades none.
        builder.Polygon(std::move(points), vertexAt(at).color);
        at += count * kVertexValues;
        break;
      }
      default:
        // Points, bitmaps and pixel copies carry one vertex; the plane view
        // draws none of them.
        at += kVertexValues;
        break;
    }
  }
  builder.EndLine();
  return picture;
}

}  // namespace quillon
