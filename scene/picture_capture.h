// Capture of a frame as plain geometry (picture.h): the frame renderer draws
// the frame once more in OpenGL's feedback mode, which hands back every line
// and polygon in window coordinates instead of pixels, so the vector
// picture is the very drawing of the PNG of the same size.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>

#include "graph/graph_kinds.h"
#include "scene/picture.h"

namespace quillon {

class Camera;
class FrameRenderer;
class Light;
class Scene;

// Points of a line that lie within this many pixels of the line through
// their neighbours are dropped from a captured picture: less than anyone
// sees, and a curve of a million points keeps only what is visible.
inline constexpr double kPictureTolerance = 0.1;

// A frame that cannot be captured: the text tells the user why.
class PictureError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Sets the OpenGL line width (pixels; below 1 draws as 1, as OpenGL refuses
// smaller widths) and marks it in the drawing, so that a capture gives its
// lines the width. Needs a current context; may be compiled into a list.
void SetLineWidth(double pixels);

// Why a view cannot be drawn as plane geometry, or nothing when it can:
// vector pictures hold plane documents seen straight down, without the
// scene's rotation, in an orthographic view; surfaces and space curves
// would need hidden lines removed.
std::optional<std::string> VectorPictureRefusal(DocumentKind documentKind, const Scene& scene,
                                                const Camera& view);

// Draws one frame with renderer.Display (its lists already built) in
// feedback mode and returns what it drew over the current viewport: lines
// joined into polylines of one colour and width and simplified to
// kPictureTolerance, polygons with area turned the same way (the back faces
// of text, which the view shows edge-on or under the front, left out).
// drawOver, when given, draws what the window paints over the frame (the
// trace marker), so the picture holds it too. Needs the renderer's context
// current. Throws PictureError when the frame holds more than a vector
// picture can take.
Picture CapturePicture(FrameRenderer& renderer, Scene& scene, Camera& view, const Light& light,
                       std::int32_t animStep = 0,
                       const std::function<void()>& drawOver = std::function<void()>());

}  // namespace quillon
