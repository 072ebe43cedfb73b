#include "ui/splitter_bar.h"

#include <QMouseEvent>

namespace quillon {

int ClampSplitterLeft(int left, int windowWidth) {
  if (left < kSplitterEdgeMargin) {
    left = kSplitterEdgeMargin;
  }
  if (left > windowWidth - kSplitterEdgeMargin) {
    left = windowWidth - kSplitterEdgeMargin;
  }
  return left;
}

SplitterBar::SplitterBar(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::NoFrame);
  setAutoFillBackground(true);
  setCursor(Qt::SplitHCursor);
  setFixedWidth(kSplitterWidth);
  Paint(QPalette::Button);
}

void SplitterBar::Paint(QPalette::ColorRole role) {
  QPalette colors = palette();
  colors.setColor(QPalette::Window, colors.color(role));
  setPalette(colors);
}

void SplitterBar::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    return;
  }
  dragging_ = true;
  pressX_ = static_cast<int>(event->position().x());
  Paint(QPalette::Dark);
}

void SplitterBar::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_) {
    return;
  }
  const int offset = static_cast<int>(event->position().x()) - pressX_;
  move(x() + offset, y());
}

void SplitterBar::mouseReleaseEvent(QMouseEvent* event) {
  if (!dragging_ || event->button() != Qt::LeftButton) {
    return;
  }
  dragging_ = false;
  Paint(QPalette::Button);
  emit dragFinished();
}

}  // namespace quillon
