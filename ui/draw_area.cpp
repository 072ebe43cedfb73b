#include "ui/draw_area.h"

#include <QMouseEvent>
#include <QOpenGLContext>
#include <QWheelEvent>
#include <cmath>
#include <optional>
#include <string>

#include "io/document.h"
#include "scene/camera.h"
#include "scene/light.h"
#include "scene/picture_capture.h"
#include "scene/trace_marker.h"
#include "ui/window_texts.h"

namespace quillon {

DrawArea::DrawArea(const FrameSource& source, Reporter& reporter, QWidget* parent)
    : QOpenGLWidget(parent), source_(source), renderer_(&reporter) {
  setObjectName(QStringLiteral("drawArea"));
  setFocusPolicy(Qt::ClickFocus);
  // The status bar follows the mouse without a button held.
  setMouseTracking(true);
  ClassifyInBackground();
}

void DrawArea::ClassifyInBackground() {
  // Called on the worker's thread: the frame is asked for on this one, and
  // not at all once the widget is gone.
  renderer_.ClassifyInBackground([this] {
    QMetaObject::invokeMethod(
        this, [this] { update(); }, Qt::QueuedConnection);
  });
}

QImage DrawArea::FinalFrame() {
  renderer_.ClassifyInBackground(nullptr);
  QImage frame = grabFramebuffer();
  ClassifyInBackground();
  return frame;
}

bool DrawArea::OpenGLAvailable() {
  QOpenGLContext probe;
  return probe.create();
}

DrawArea::~DrawArea() {
  if (context() != nullptr) {
    disconnect(context(), nullptr, this, nullptr);
  }
  ReleaseGL();
}

void DrawArea::initializeGL() {
  // Display lists and font lists live in this context and can only be freed
  // while it is current, so they go when the context goes: on destruction
  // or when the widget moves to another window and gets a new context.
  connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &DrawArea::ReleaseGL);
  if (renderer_.Initialize()) {
    renderer_.RebuildLists(source_.document.ShowScene(), source_.document.MainAxis(),
                           source_.document.Values(), source_.SceneBox);
  }
}

void DrawArea::ReleaseGL() {
  if (!renderer_.Initialized() || context() == nullptr) {
    return;
  }
  makeCurrent();
  renderer_.Release();
  doneCurrent();
}

void DrawArea::resizeGL(int w, int h) {
  const qreal ratio = devicePixelRatioF();
  Camera& view = source_.MainView;
  view.SetScreen(static_cast<std::int32_t>(std::lround(w * ratio)),
                 static_cast<std::int32_t>(std::lround(h * ratio)));
  // Keep world units square: the visible height stays, the width follows
  // the new shape of the area.
  view.SetViewRect(view.VolWidth(), view.VolHeight());
}

void DrawArea::paintGL() {
  renderer_.Display(source_.document.ShowScene(), source_.MainView, source_.MainLight,
                    source_.AnimStep);
  DrawOverFrame();
}

void DrawArea::DrawOverFrame() {
  if (traceMarker_ && renderer_.Initialized()) {
    DrawTraceMarker(source_.MainView, *traceMarker_);
  }
}

Picture DrawArea::CaptureVectorPicture() {
  if (!Ready()) {
    throw PictureError(texts::kNoPictureShown);
  }
  if (const std::optional<std::string> refusal = VectorPictureRefusal(
          source_.document.Values().documentKind, source_.document.ShowScene(), source_.MainView)) {
    throw PictureError(*refusal);
  }
  makeCurrent();
  // The capture draws the frame once more, without pixels; the area is
  // painted again afterwards all the same.
  struct Done {
    DrawArea& area;
    ~Done() {
      area.doneCurrent();
      area.update();
    }
  } done{*this};
  return CapturePicture(renderer_, source_.document.ShowScene(), source_.MainView,
                        source_.MainLight, source_.AnimStep, [this] { DrawOverFrame(); });
}

void DrawArea::TraceMarker(std::optional<PlanePoint> at) {
  traceMarker_ = at;
  update();
}

QPointF DrawArea::DevicePixel(QPointF position) const {
  return position * devicePixelRatioF();
}

void DrawArea::RebuildLists() {
  if (!Ready()) {
    return;
  }
  makeCurrent();
  renderer_.RebuildLists(source_.document.ShowScene(), source_.document.MainAxis(),
                         source_.document.Values(), source_.SceneBox);
  doneCurrent();
}

void DrawArea::Display() {
  update();
}

void DrawArea::ExactCurves(bool on) {
  renderer_.ExactCurves(on);
  RebuildLists();
}

void DrawArea::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    emit leftButtonDown(event->position());
  } else if (event->button() == Qt::RightButton) {
    emit rightButtonDown(event->globalPosition().toPoint());
  } else if (event->button() == Qt::MiddleButton) {
    emit middleButtonDown(event->position());
  }
}

void DrawArea::mouseMoveEvent(QMouseEvent* event) {
  if (event->buttons() == Qt::LeftButton) {
    emit leftButtonMoved(event->position());
  } else if ((event->buttons() & Qt::MiddleButton) != 0) {
    emit middleButtonMoved(event->position());
  }
  // After any pan, so that the status bar reads the view it shows.
  emit pointerMoved(event->position());
}

void DrawArea::mouseReleaseEvent(QMouseEvent* /*event*/) {
  emit buttonReleased();
}

void DrawArea::leaveEvent(QEvent* event) {
  emit pointerLeft();
  QOpenGLWidget::leaveEvent(event);
}

void DrawArea::wheelEvent(QWheelEvent* event) {
  // A notch is 120 eighths of a degree; finer wheels and touch pads send
  // parts of it.
  constexpr float kEighthsPerNotch = 120;
  emit wheelTurned(event->position(),
                   static_cast<float>(event->angleDelta().y()) / kEighthsPerNotch,
                   (event->modifiers() & Qt::ControlModifier) != 0);
  event->accept();
}

}  // namespace quillon
