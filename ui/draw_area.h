// DrawArea, the drawing area of the main window: an OpenGL widget that runs
// the frame renderer on the document's objects. It only reads them; the
// window changes them and asks for RebuildLists and Display. Mouse buttons
// and moves are passed on to the window, which owns the navigation.
#pragma once

#include <QOpenGLWidget>
#include <QPoint>
#include <QPointF>
#include <cstdint>
#include <optional>

#include "scene/camera.h"
#include "scene/frame_renderer.h"
#include "scene/picture.h"

namespace quillon {

class Box;
class Light;
class Document;
class Reporter;

// What a frame is drawn from; every object belongs to the window.
struct FrameSource {
  Document& document;
  Camera& MainView;
  const Light& MainLight;
  Box& SceneBox;
  const std::int32_t& AnimStep;
};

class DrawArea : public QOpenGLWidget {
  Q_OBJECT

 public:
  // reporter receives the renderer's messages and must outlive the widget.
  DrawArea(const FrameSource& source, Reporter& reporter, QWidget* parent = nullptr);
  ~DrawArea() override;

  // Whether Qt can make an OpenGL context of the default format at all.
  static bool OpenGLAvailable();

  // True once the context exists and the renderer has set it up.
  bool Ready() const { return isValid() && renderer_.Initialized(); }

  // Recompiles the scene's display lists; without a context nothing happens
  // (initializeGL compiles them once the context exists).
  void RebuildLists();
  // Schedules a frame; painting draws it with Display of the renderer.
  void Display();
  // Whether plane curves are drawn exactly (FrameRenderer::ExactCurves);
  // compiles the lists again when the context exists.
  void ExactCurves(bool on);
  // The point Trace marks on a curve, drawn over each frame; none hides it.
  void TraceMarker(std::optional<PlanePoint> at);
  std::optional<PlanePoint> TraceMarker() const { return traceMarker_; }
  // The frame as lines and polygons in device pixels (scene/picture.h),
  // drawn for the current view without the trace marker. Throws
  // PictureError with the reason when there is no context or the view is not
  // one a vector picture holds (VectorPictureRefusal).
  Picture CaptureVectorPicture();
  // The drawing-area position as a device-pixel position (column, row).
  QPointF DevicePixel(QPointF position) const;
  // The frame drawn again with every picture final (implicit graphs are
  // otherwise classified in the background while the window shows the
  // last picture), for copies, prints and saved pictures.
  QImage FinalFrame();

 signals:
  void leftButtonDown(QPointF position);
  // A move while the left button alone is held.
  void leftButtonMoved(QPointF position);
  void rightButtonDown(QPoint globalPosition);
  void middleButtonDown(QPointF position);
  // A move while the middle button is held.
  void middleButtonMoved(QPointF position);
  void buttonReleased();
  // The mouse moved over the area, buttons held or not.
  void pointerMoved(QPointF position);
  // The mouse left the area.
  void pointerLeft();
  // The wheel turned by notches (positive away from the user) at position;
  // fine when Ctrl was held.
  void wheelTurned(QPointF position, float notches, bool fine);

 protected:
  void initializeGL() override;
  void resizeGL(int w, int h) override;
  void paintGL() override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  void ReleaseGL();
  // What the window paints over the renderer's frame: the trace marker.
  void DrawOverFrame();
  void ClassifyInBackground();

  FrameSource source_;
  FrameRenderer renderer_;
  std::optional<PlanePoint> traceMarker_;
};

}  // namespace quillon
