#include "scene/frame_renderer.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <array>
#include <cmath>

#include "expr/reporter.h"
#include "graph/box.h"
#include "graph/document_values.h"
#include "scene/axis.h"
#include "scene/camera.h"
#include "scene/light.h"
#include "scene/rotation_math.h"
#include "scene/scene.h"

namespace quillon {

namespace {

// Frames compiled at most: every frame holds the whole scene and its axis,
// so a frame count read from a file (up to 2^31) must not decide how long a
// rebuild takes or how much memory it holds. The program shows frame 0;
// steps past this many draw nothing.
constexpr std::int32_t kMostFrames = 1000;

void ApplySceneRotation(const Scene& scene) {
  const Matrix4 matrix = SceneRotationMatrix(scene.RotRoll(), scene.RotPitch(), scene.RotYaw());
  glMultMatrixf(matrix.data());
}

// The box around every animation frame 0..lastFrame of the scene, widened
// once more on top of the scene's own widening.
Box AnimationBox(Scene& scene, std::int32_t lastFrame) {
  BoxBounds bounds;
  for (std::int32_t k = 0; k <= lastFrame; ++k) {
    bounds.Take(scene.GetBox(k));
  }
  bounds.Widen();
  return bounds.AsBox();
}

// Pixels per world unit along x and y at the point (0, 0, depth), from the
// matrices and viewport the frame draws with.
PixelScale CurrentPixelScale(double depth = 0) {
  std::array<GLdouble, 16> model{};
  std::array<GLdouble, 16> projection{};
  std::array<GLint, 4> viewport{};
  glGetDoublev(GL_MODELVIEW_MATRIX, model.data());
  glGetDoublev(GL_PROJECTION_MATRIX, projection.data());
  glGetIntegerv(GL_VIEWPORT, viewport.data());
  std::array<std::array<GLdouble, 3>, 3> window{};
  const std::array<std::array<GLdouble, 3>, 3> points{
      {{0, 0, depth}, {1, 0, depth}, {0, 1, depth}}};
  for (std::size_t k = 0; k < points.size(); ++k) {
    if (gluProject(points[k][0], points[k][1], points[k][2], model.data(), projection.data(),
                   viewport.data(), &window[k][0], &window[k][1], &window[k][2]) != GL_TRUE) {
      return {};
    }
  }
  return {std::hypot(window[1][0] - window[0][0], window[1][1] - window[0][1]),
          std::hypot(window[2][0] - window[0][0], window[2][1] - window[0][1])};
}

bool Rotated(const Scene& scene) {
  return scene.RotRoll() != 0 || scene.RotPitch() != 0 || scene.RotYaw() != 0;
}

}  // namespace

bool FrameRenderer::Initialize() {
  if (initialized_) {
    Release();
  }
  if (glGetString(GL_VERSION) == nullptr) {
    if (reporter_ != nullptr) {
      reporter_->Report("Error", "ChoosePixelFormat failed", MessageIcon::Critical);
    }
    return false;
  }
  glClearColor(1, 1, 1, 1);
  glEnable(GL_DITHER);
  glDepthFunc(GL_LEQUAL);
  glClearDepth(1.0);
  glEnable(GL_DEPTH_TEST);
  staticList_ = glGenLists(1);
  fonts_.FontBase = CreateOutlineFont("Arial", -6, 400, false, 0, reporter_);
  fonts_.BoldFontBase = CreateOutlineFont("Arial", -8, 700, false, 0, reporter_);
  compiledFrames_ = 0;
  initialized_ = true;
  return true;
}

void FrameRenderer::DeleteFrameLists() {
  if (firstFrameList_ != 0) {
    glDeleteLists(firstFrameList_, reservedFrames_);
  }
  firstFrameList_ = 0;
  reservedFrames_ = 0;
  compiledFrames_ = 0;
}

void FrameRenderer::RebuildLists(Scene& showScene, const Axis& mainAxis,
                                 const DocumentValues& document, Box& sceneBox) {
  if (!initialized_) {
    return;
  }
  const bool withAxis = !showScene.Graphs().Empty() && mainAxis.shown;
  // An axis that follows the view is kept for Display instead of compiled.
  const bool axisPerFrame = withAxis && Axis::FollowsTheView(document.documentKind);
  viewAxis_.reset();
  // The graphs may have changed: every exact curve is placed again.
  certified_.Clear();
  CertifiedDrawing* exact = exactCurves_ && !Rotated(showScene) ? &certified_ : nullptr;
  if (showScene.Animation()) {
    const std::int32_t lastFrame = std::min(document.AnimFrames, kMostFrames - 1);
    const Box box = AnimationBox(showScene, lastFrame);
    DeleteFrameLists();
    if (lastFrame < 0) {
      return;
    }
    firstFrameList_ = glGenLists(lastFrame + 1);
    if (firstFrameList_ == 0) {
      return;
    }
    reservedFrames_ = lastFrame + 1;
    if (axisPerFrame) {
      viewAxis_ = ViewAxis{mainAxis, box, document.documentKind};
    }
    for (std::int32_t k = 0; k <= lastFrame; ++k) {
      glNewList(firstFrameList_ + static_cast<std::uint32_t>(k), GL_COMPILE);
      ApplySceneRotation(showScene);
      showScene.Draw(exact);
      if (withAxis && !axisPerFrame) {
        mainAxis.Draw(box, document.documentKind, fonts_, PixelScale{});
      }
      glEndList();
      compiledFrames_ = k + 1;
    }
    return;
  }
  DeleteFrameLists();
  if (staticList_ == 0) {
    return;
  }
  glNewList(staticList_, GL_COMPILE);
  ApplySceneRotation(showScene);
  showScene.Draw(exact);
  if (withAxis) {
    sceneBox = showScene.GetBox(0);
    if (axisPerFrame) {
      viewAxis_ = ViewAxis{mainAxis, sceneBox, document.documentKind};
    } else {
      mainAxis.Draw(sceneBox, document.documentKind, fonts_, PixelScale{});
    }
  }
  glEndList();
}

void FrameRenderer::Display(Scene& showScene, Camera& mainView, const Light& mainLight,
                            std::int32_t animStep) {
  if (!initialized_) {
    return;
  }
  // The camera is loaded before the light so that the light's position is
  // taken in this frame's view, and a frame never depends on the camera of
  // the frame before it.
  mainView.Projection(showScene);
  if (!certified_.Empty()) {
    certified_.Prepare(CertifiedDrawing::CurrentView(), showScene);
  }
  mainLight.SetLight();
  glShadeModel(GL_SMOOTH);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  // Only the clear writes alpha: blended drawing would otherwise leave
  // translucent pixels that show through where the frame is composited.
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
  glPushMatrix();
  if (!showScene.Animation()) {
    if (staticList_ != 0) {
      glCallList(staticList_);
    }
  } else {
    const std::int32_t frame = animStep != 0 ? animStep - 1 : 0;
    if (frame >= 0 && frame < compiledFrames_) {
      glCallList(firstFrameList_ + static_cast<std::uint32_t>(frame));
    }
  }
  // The list leaves the scene's rotation on the matrix.
  implicit_.Draw(showScene, mainView);
  // Marks, lines and areas of the analysis belong to the plane view.
  if (!Rotated(showScene) && mainView.ProjectType() == Camera::kOrthographic) {
    analysis_.Draw(showScene, mainView, CurrentPixelScale(), fonts_.FontBase);
  }
  // Drawn last, so that its labels' white margins cover the curves.
  if (viewAxis_) {
    const PixelScale scale =
        CurrentPixelScale(Axis::PlaneDepth(viewAxis_->box, viewAxis_->documentKind));
    viewAxis_->axis.Draw(viewAxis_->box, viewAxis_->documentKind, fonts_, scale);
  }
  glPopMatrix();
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glFinish();
}

void FrameRenderer::Release() {
  if (!initialized_) {
    return;
  }
  DeleteFrameLists();
  certified_.Clear();
  viewAxis_.reset();
  if (staticList_ != 0) {
    glDeleteLists(staticList_, 1);
  }
  staticList_ = 0;
  DeleteOutlineFont(fonts_.FontBase);
  DeleteOutlineFont(fonts_.BoldFontBase);
  fonts_ = TextFonts{};
  initialized_ = false;
}

}  // namespace quillon
