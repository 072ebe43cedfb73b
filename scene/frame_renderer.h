// The frame of a drawing area: compiles the shown scene (rotation, graphs,
// axis) into display lists whenever it changes and draws one frame from
// them with the light, projection and camera of the document. Owns what
// belongs to one OpenGL context (the two fonts, the compiled lists); the
// document's objects are passed in. The window and the batch export use it
// alike, each with its own context current on the calling thread.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "graph/box.h"
#include "graph/graph_kinds.h"
#include "scene/analysis_drawing.h"
#include "scene/axis.h"
#include "scene/certified_drawing.h"
#include "scene/implicit_drawing.h"
#include "scene/outline_font.h"

namespace quillon {

class Camera;
class Scene;
class Light;
class Reporter;
struct DocumentValues;

class FrameRenderer {
 public:
  // reporter receives the messages of Initialize; it may be null and must
  // outlive this object.
  explicit FrameRenderer(Reporter* reporter = nullptr) : reporter_(reporter) {}
  // Frees nothing: display lists can only be deleted with their context
  // current, which a destructor cannot know. Call Release first.
  ~FrameRenderer() = default;
  FrameRenderer(const FrameRenderer&) = delete;
  FrameRenderer& operator=(const FrameRenderer&) = delete;

  // Sets the context's fixed state (white clear colour, dithering, depth
  // test with less-or-equal), builds the two fonts and takes the static
  // scene's list. Needs a current context: without one it reports
  // "ChoosePixelFormat failed" and returns false, and later calls draw
  // nothing.
  bool Initialize();

  // Whether plane curves are drawn exactly ("Exact curves", on unless set
  // off): refined for each frame's view and drawn as connected strips
  // (certified_drawing.h), in scenes without rotation. Takes effect at the
  // next RebuildLists.
  void ExactCurves(bool on) { exactCurves_ = on; }
  bool ExactCurves() const { return exactCurves_; }
  // Implicit graphs classified on a worker thread for a window that must
  // stay responsive (ImplicitDrawing::ClassifyInBackground); an empty
  // function makes every frame final again.
  void ClassifyInBackground(std::function<void()> pictureReady) {
    implicit_.ClassifyInBackground(std::move(pictureReady));
  }

  // Recompiles the static scene's list, or one list per animation frame
  // 0..AnimFrames when a shown graph is animated, from showScene (its
  // rotation and graphs) and mainAxis (drawn over the scene's box when
  // showScene holds a graph and mainAxis.Show(); an axis that follows the
  // view is kept and drawn by Display instead). sceneBox receives the box
  // given to the axis of a static scene. At most the first 1000 frames are
  // compiled (and spanned by the axis). Every list number comes from
  // glGenLists, so no frame ever replaces a glyph of the fonts, whose text
  // the frames call; when OpenGL has no room for the frames, none is
  // compiled.
  void RebuildLists(Scene& showScene, const Axis& mainAxis, const DocumentValues& document,
                    Box& sceneBox);

  // Draws one frame: camera and projection of mainView, mainLight, then the
  // compiled list (frame animStep - 1 of an animated scene, frame 0 for step
  // 0; a frame that was never compiled draws nothing) and the implicit
  // graphs, whose pixels depend on the view, then an axis that follows the
  // view at the frame's scale, and waits for OpenGL to finish. The caller
  // swaps buffers. Exact curves are first refined for
  // the frame's view unless their refinement still holds it.
  void Display(Scene& showScene, Camera& mainView, const Light& mainLight,
               std::int32_t animStep = 0);

  // Deletes the fonts and compiled lists. Needs this object's context
  // current; afterwards Initialize may run again.
  void Release();

  bool Initialized() const { return initialized_; }
  const TextFonts& Fonts() const { return fonts_; }
  // Number of animation frames compiled by the last RebuildLists (0 for a
  // static scene).
  std::int32_t CompiledFrames() const { return compiledFrames_; }
  // Whether the last frame drew every implicit graph with its final picture.
  bool ImplicitFinal() const { return implicit_.Final(); }
  // Pixels of implicit graphs left undecided in the last frame.
  std::int64_t UndecidedPixels() const { return implicit_.Undecided(); }
  // The list of a static scene and the first frame's list (frame k is
  // FirstFrameList() + k); 0 when there is none.
  std::uint32_t StaticList() const { return staticList_; }
  std::uint32_t FirstFrameList() const { return firstFrameList_; }
  // The exact curves of the compiled lists.
  const CertifiedDrawing& Certified() const { return certified_; }

 private:
  void DeleteFrameLists();

  Reporter* reporter_;
  TextFonts fonts_;
  ImplicitDrawing implicit_;
  AnalysisDrawing analysis_;
  std::uint32_t staticList_ = 0;
  std::uint32_t firstFrameList_ = 0;
  std::int32_t reservedFrames_ = 0;  // lists from firstFrameList_
  std::int32_t compiledFrames_ = 0;
  bool initialized_ = false;
  bool exactCurves_ = true;
  CertifiedDrawing certified_;
  // The axis Display draws for each frame, at the view's scale; empty when
  // the axis is compiled into the lists or not shown.
  struct ViewAxis {
    Axis axis;
    Box box;
    DocumentKind documentKind;
  };
  std::optional<ViewAxis> viewAxis_;
};

}  // namespace quillon
