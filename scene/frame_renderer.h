// The frame of a drawing area: compiles the shown scene (rotation, graphs,
// axis) into display lists whenever it changes and draws one frame from
// them with the light, projection and camera of the document. Owns what
// belongs to one OpenGL context (the two fonts, the compiled lists); the
// document's objects are passed in. The window and the batch export use it
// alike, each with its own context current on the calling thread.
#pragma once

#include <cstdint>

#include "scene/outline_font.h"

namespace quillon {

class Box;
struct Axis;
class Camera;
class Scene;
class Light;
class Reporter;
struct DocumentValues;

class FrameRenderer {
 public:
  // The list of a static scene, and the list of animation frame 0 (frame k
  // is kFirstFrameList + k).
  static constexpr std::uint32_t kStaticList = 900;
  static constexpr std::uint32_t kFirstFrameList = 1001;

  // reporter receives the messages of Initialize; it may be null and must
  // outlive this object.
  explicit FrameRenderer(Reporter* reporter = nullptr) : reporter_(reporter) {}
  // Frees nothing: display lists can only be deleted with their context
  // current, which a destructor cannot know. Call Release first.
  ~FrameRenderer() = default;
  FrameRenderer(const FrameRenderer&) = delete;
  FrameRenderer& operator=(const FrameRenderer&) = delete;

  // Sets the context's fixed state (white clear colour, dithering, depth
  // test with less-or-equal) and builds the two fonts. Needs a current
  // context: without one it reports "ChoosePixelFormat failed" and returns
  // false, and later calls draw nothing.
  bool Initialize();

  // Recompiles list kStaticList, or one list per animation frame
  // 0..AnimFrames when a shown graph is animated, from showScene (its
  // rotation and graphs) and mainAxis (drawn over the scene's box when
  // showScene holds a graph and mainAxis.Show()). sceneBox receives the box
  // given to the axis of a static scene.
  void RebuildLists(Scene& showScene, const Axis& mainAxis, const DocumentValues& document,
                    Box& sceneBox);

  // Draws one frame: camera and projection of mainView, mainLight, then the
  // compiled list (frame animStep - 1 of an animated scene, frame 0 for step
  // 0; a frame that was never compiled draws nothing), and waits for OpenGL
  // to finish. The caller swaps buffers.
  void Display(Scene& showScene, Camera& mainView, const Light& mainLight,
               std::int32_t animStep = 0);

  // Deletes the fonts and compiled lists. Needs this object's context
  // current; afterwards Initialize may run again.
  void Release();

  bool Initialized() const { return initialized_; }

 private:
  void DeleteFrameLists();

  Reporter* reporter_;
  TextFonts fonts_;
  std::int32_t compiledFrames_ = 0;
  bool initialized_ = false;
};

}  // namespace quillon
