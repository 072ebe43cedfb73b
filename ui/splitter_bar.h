// The bar between the graph list and the drawing area. Dragging it with the
// left button moves the bar alone; when the button comes up the window
// clamps its position and lays its controls out again.
#pragma once

#include <QFrame>

namespace quillon {

// Width of the bar, and the least distance it keeps from either window
// edge after a drag, in pixels.
inline constexpr int kSplitterWidth = 4;
inline constexpr int kSplitterEdgeMargin = 67;

// The left position of the bar after a drag in a window windowWidth pixels
// wide: first at least the margin, then at most windowWidth minus the
// margin (so a very narrow window favours its right edge).
int ClampSplitterLeft(int left, int windowWidth);

class SplitterBar : public QFrame {
  Q_OBJECT

 public:
  explicit SplitterBar(QWidget* parent = nullptr);

  bool Dragging() const { return dragging_; }

 signals:
  // The drag ended with the bar at its current left position.
  void dragFinished();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void Paint(QPalette::ColorRole role);

  bool dragging_ = false;
  int pressX_ = 0;  // where the button went down, in the bar's own pixels
};

}  // namespace quillon
