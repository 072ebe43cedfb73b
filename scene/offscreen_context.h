// An OpenGL rendering context without a window: EGL on Mesa's surfaceless
// platform with a pbuffer of W x H pixels (a framebuffer object when no
// pbuffer configuration exists), compatibility profile, so the batch export
// and the drawing tests run the same drawing code as the window. Needs no
// display server and no GPU (Mesa's llvmpipe is enough).
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace quillon {

// Why no off-screen context could be made (no EGL display, no matching
// configuration, context creation refused...). what() names the failing step.
class OffscreenError : public std::runtime_error {
 public:
  explicit OffscreenError(const std::string& reason) : std::runtime_error(reason) {}
};

// A frame read back from a context: Width x Height pixels, 4 bytes each
// (red, green, blue, alpha), rows from the top of the picture down.
struct FrameImage {
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  std::vector<std::uint8_t> Rgba;
};

class OffscreenContext {
 public:
  // Makes the context and its drawing surface, and makes it current on the
  // calling thread. Throws OffscreenError with the reason on failure. A
  // context of another window-system API (GLX, as a Qt window uses) must not
  // be current on the thread: GLVND refuses to make an EGL context current
  // over it (EGL error 0x3002, bad access).
  OffscreenContext(std::int32_t width, std::int32_t height);
  ~OffscreenContext();
  OffscreenContext(const OffscreenContext&) = delete;
  OffscreenContext& operator=(const OffscreenContext&) = delete;

  // Makes this context current on the calling thread (another one may have
  // been), waits for drawing to finish and reads the whole frame back.
  FrameImage ReadFrame();

 private:
  void MakeCurrent();

  struct Impl;
  std::unique_ptr<Impl> impl_;
  std::int32_t width_;
  std::int32_t height_;
};

}  // namespace quillon
