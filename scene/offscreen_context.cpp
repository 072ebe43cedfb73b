#include "scene/offscreen_context.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdio>
#include <cstring>
#include <mutex>

namespace quillon {

namespace {

// One EGL display serves every off-screen context of the process and stays
// initialised until the process ends: eglTerminate would pull it from under
// other users, and unloads Mesa's driver with allocations still in use.
std::mutex displayMutex;
EGLDisplay sharedDisplay = EGL_NO_DISPLAY;

bool HasExtension(const char* list, const char* name) {
  if (list == nullptr) {
    return false;
  }
  const std::size_t length = std::strlen(name);
  for (const char* at = std::strstr(list, name); at != nullptr; at = std::strstr(at + 1, name)) {
    const bool startsWord = at == list || at[-1] == ' ';
    const bool endsWord = at[length] == '\0' || at[length] == ' ';
    if (startsWord && endsWord) {
      return true;
    }
  }
  return false;
}

std::string EglErrorText(const std::string& step) {
  char code[16];
  std::snprintf(code, sizeof code, "0x%04X", static_cast<unsigned>(eglGetError()));
  return step + " failed (EGL error " + code + ")";
}

EGLDisplay AcquireDisplay() {
  std::lock_guard<std::mutex> lock(displayMutex);
  if (sharedDisplay != EGL_NO_DISPLAY) {
    return sharedDisplay;
  }
  const char* clientExtensions = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
  if (!HasExtension(clientExtensions, "EGL_MESA_platform_surfaceless")) {
    throw OffscreenError("EGL has no surfaceless platform (EGL_MESA_platform_surfaceless)");
  }
  auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
      eglGetProcAddress("eglGetPlatformDisplayEXT"));
  if (getPlatformDisplay == nullptr) {
    throw OffscreenError("EGL has no eglGetPlatformDisplayEXT");
  }
  EGLDisplay display =
      getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
  if (display == EGL_NO_DISPLAY) {
    throw OffscreenError(EglErrorText("eglGetPlatformDisplayEXT (surfaceless)"));
  }
  EGLint major = 0;
  EGLint minor = 0;
  if (eglInitialize(display, &major, &minor) != EGL_TRUE) {
    throw OffscreenError(EglErrorText("eglInitialize"));
  }
  sharedDisplay = display;
  return sharedDisplay;
}

// Picks a configuration for desktop OpenGL with at least 16 depth bits,
// preferring exactly 8-8-8-8 colour; with surfaceType 0 any surface kind
// will do. Returns nullptr when nothing matches.
EGLConfig ChooseConfig(EGLDisplay display, EGLint surfaceType) {
  for (EGLint alpha : {8, 0}) {
    const EGLint attributes[] = {EGL_SURFACE_TYPE,
                                 surfaceType,
                                 EGL_RENDERABLE_TYPE,
                                 EGL_OPENGL_BIT,
                                 EGL_RED_SIZE,
                                 8,
                                 EGL_GREEN_SIZE,
                                 8,
                                 EGL_BLUE_SIZE,
                                 8,
                                 EGL_ALPHA_SIZE,
                                 alpha,
                                 EGL_DEPTH_SIZE,
                                 16,
                                 EGL_NONE};
    EGLint count = 0;
    if (eglChooseConfig(display, attributes, nullptr, 0, &count) != EGL_TRUE || count <= 0) {
      continue;
    }
    std::vector<EGLConfig> configs(static_cast<std::size_t>(count));
    eglChooseConfig(display, attributes, configs.data(), count, &count);
    for (EGLConfig config : configs) {
      EGLint red = 0, green = 0, blue = 0, alphaBits = 0;
      eglGetConfigAttrib(display, config, EGL_RED_SIZE, &red);
      eglGetConfigAttrib(display, config, EGL_GREEN_SIZE, &green);
      eglGetConfigAttrib(display, config, EGL_BLUE_SIZE, &blue);
      eglGetConfigAttrib(display, config, EGL_ALPHA_SIZE, &alphaBits);
      if (red == 8 && green == 8 && blue == 8 && alphaBits == alpha) {
        return config;
      }
    }
    return configs.front();
  }
  return nullptr;
}

using GenFramebuffers = void (*)(GLsizei, GLuint*);
using BindFramebuffer = void (*)(GLenum, GLuint);
using DeleteFramebuffers = void (*)(GLsizei, const GLuint*);
using RenderbufferStorage = void (*)(GLenum, GLenum, GLsizei, GLsizei);
using FramebufferRenderbuffer = void (*)(GLenum, GLenum, GLenum, GLuint);
using CheckFramebufferStatus = GLenum (*)(GLenum);

template <typename Function>
Function LoadGL(const char* name) {
  auto function = reinterpret_cast<Function>(eglGetProcAddress(name));
  if (function == nullptr) {
    throw OffscreenError(std::string("OpenGL function ") + name + " is missing");
  }
  return function;
}

}  // namespace

struct OffscreenContext::Impl {
  EGLDisplay display = EGL_NO_DISPLAY;
  EGLContext context = EGL_NO_CONTEXT;
  EGLSurface surface = EGL_NO_SURFACE;
  // Framebuffer object and its two renderbuffers, all 0 with a pbuffer.
  GLuint framebuffer = 0;
  GLuint renderbuffers[2] = {0, 0};

  void MakeFramebuffer(std::int32_t width, std::int32_t height);
  void Destroy();
};

void OffscreenContext::Impl::MakeFramebuffer(std::int32_t width, std::int32_t height) {
  const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
  const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
  const bool core = version != nullptr && version[0] >= '3' && version[0] <= '9';
  if (!core && !HasExtension(extensions, "GL_ARB_framebuffer_object")) {
    throw OffscreenError("no pbuffer configuration and no framebuffer objects");
  }
  auto genFramebuffers = LoadGL<GenFramebuffers>("glGenFramebuffers");
  auto bindFramebuffer = LoadGL<BindFramebuffer>("glBindFramebuffer");
  auto genRenderbuffers = LoadGL<GenFramebuffers>("glGenRenderbuffers");
  auto bindRenderbuffer = LoadGL<BindFramebuffer>("glBindRenderbuffer");
  auto renderbufferStorage = LoadGL<RenderbufferStorage>("glRenderbufferStorage");
  auto framebufferRenderbuffer = LoadGL<FramebufferRenderbuffer>("glFramebufferRenderbuffer");
  auto checkStatus = LoadGL<CheckFramebufferStatus>("glCheckFramebufferStatus");

  genFramebuffers(1, &framebuffer);
  bindFramebuffer(GL_FRAMEBUFFER, framebuffer);
  genRenderbuffers(2, renderbuffers);
  bindRenderbuffer(GL_RENDERBUFFER, renderbuffers[0]);
  renderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
  framebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, renderbuffers[0]);
  bindRenderbuffer(GL_RENDERBUFFER, renderbuffers[1]);
  renderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT16, width, height);
  framebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, renderbuffers[1]);
  if (checkStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
    throw OffscreenError("the off-screen framebuffer object is incomplete");
  }
  glDrawBuffer(GL_COLOR_ATTACHMENT0);
  glReadBuffer(GL_COLOR_ATTACHMENT0);
}

void OffscreenContext::Impl::Destroy() {
  if (display == EGL_NO_DISPLAY) {
    return;
  }
  if (framebuffer != 0 && context != EGL_NO_CONTEXT &&
      eglMakeCurrent(display, surface, surface, context) == EGL_TRUE) {
    auto deleteFramebuffers =
        reinterpret_cast<DeleteFramebuffers>(eglGetProcAddress("glDeleteFramebuffers"));
    auto deleteRenderbuffers =
        reinterpret_cast<DeleteFramebuffers>(eglGetProcAddress("glDeleteRenderbuffers"));
    if (deleteFramebuffers != nullptr && deleteRenderbuffers != nullptr) {
      deleteFramebuffers(1, &framebuffer);
      deleteRenderbuffers(2, renderbuffers);
    }
  }
  if (eglGetCurrentContext() == context) {
    eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  }
  if (surface != EGL_NO_SURFACE) {
    eglDestroySurface(display, surface);
  }
  if (context != EGL_NO_CONTEXT) {
    eglDestroyContext(display, context);
  }
  context = EGL_NO_CONTEXT;
  surface = EGL_NO_SURFACE;
  display = EGL_NO_DISPLAY;
}

OffscreenContext::OffscreenContext(std::int32_t width, std::int32_t height)
    : impl_(std::make_unique<Impl>()), width_(width), height_(height) {
  if (width <= 0 || height <= 0) {
    throw OffscreenError("the off-screen frame needs a positive size");
  }
  impl_->display = AcquireDisplay();
  try {
    EGLDisplay display = impl_->display;
    if (eglBindAPI(EGL_OPENGL_API) != EGL_TRUE) {
      throw OffscreenError(EglErrorText("eglBindAPI(EGL_OPENGL_API)"));
    }
    EGLConfig config = ChooseConfig(display, EGL_PBUFFER_BIT);
    const bool pbuffer = config != nullptr;
    if (!pbuffer) {
      if (!HasExtension(eglQueryString(display, EGL_EXTENSIONS), "EGL_KHR_surfaceless_context")) {
        throw OffscreenError("EGL offers neither a pbuffer nor a surfaceless context");
      }
      config = ChooseConfig(display, 0);
      if (config == nullptr) {
        throw OffscreenError("EGL has no configuration for desktop OpenGL with a depth buffer");
      }
    }
    // No profile or version asked: a legacy context, which Mesa makes a
    // compatibility-profile context with every fixed-function call.
    const EGLint contextAttributes[] = {EGL_NONE};
    impl_->context = eglCreateContext(display, config, EGL_NO_CONTEXT, contextAttributes);
    if (impl_->context == EGL_NO_CONTEXT) {
      throw OffscreenError(EglErrorText("eglCreateContext (desktop OpenGL)"));
    }
    if (pbuffer) {
      const EGLint surfaceAttributes[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
      impl_->surface = eglCreatePbufferSurface(display, config, surfaceAttributes);
      if (impl_->surface == EGL_NO_SURFACE) {
        throw OffscreenError(EglErrorText("eglCreatePbufferSurface"));
      }
    }
    if (eglMakeCurrent(display, impl_->surface, impl_->surface, impl_->context) != EGL_TRUE) {
      throw OffscreenError(EglErrorText("eglMakeCurrent"));
    }
    if (!pbuffer) {
      impl_->MakeFramebuffer(width, height);
    }
    glViewport(0, 0, width, height);
  } catch (...) {
    impl_->Destroy();
    throw;
  }
}

OffscreenContext::~OffscreenContext() {
  impl_->Destroy();
}

void OffscreenContext::MakeCurrent() {
  if (eglMakeCurrent(impl_->display, impl_->surface, impl_->surface, impl_->context) != EGL_TRUE) {
    throw OffscreenError(EglErrorText("eglMakeCurrent"));
  }
}

FrameImage OffscreenContext::ReadFrame() {
  MakeCurrent();
  glFinish();
  FrameImage image;
  image.Width = width_;
  image.Height = height_;
  const std::size_t rowBytes = static_cast<std::size_t>(width_) * 4;
  std::vector<std::uint8_t> bottomUp(rowBytes * static_cast<std::size_t>(height_));
  GLint oldAlignment = 4;
  glGetIntegerv(GL_PACK_ALIGNMENT, &oldAlignment);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
  glPixelStorei(GL_PACK_ALIGNMENT, oldAlignment);
  // OpenGL's rows start at the bottom; the picture's at the top.
  image.Rgba.resize(bottomUp.size());
  for (std::int32_t row = 0; row < height_; ++row) {
    const std::size_t from = static_cast<std::size_t>(height_ - 1 - row) * rowBytes;
    std::memcpy(image.Rgba.data() + static_cast<std::size_t>(row) * rowBytes,
                bottomUp.data() + from, rowBytes);
  }
  return image;
}

}  // namespace quillon
