#include "ui/color_box.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPalette>
#include <optional>

#include "ui/window_dialogs.h"

namespace quillon {

QColor ToQColor(std::int32_t color) {
  return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

std::int32_t ColorValue(const QColor& color) {
  return color.red() + color.green() * 256 + color.blue() * 65536;
}

ColorBox::ColorBox(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setAutoFillBackground(true);
  setFocusPolicy(Qt::StrongFocus);
  setMinimumSize(48, 22);
  setCursor(Qt::PointingHandCursor);
  Color(0);
}

void ColorBox::Color(std::int32_t value) {
  color_ = value;
  QPalette swatch = palette();
  swatch.setColor(QPalette::Window, ToQColor(value));
  setPalette(swatch);
}

void ColorBox::Choose(WindowDialogs& dialogs) {
  if (const std::optional<std::int32_t> color = dialogs.ChooseColor(color_, window())) {
    Color(*color);
  }
}

void ColorBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    emit clicked();
    return;
  }
  QFrame::mousePressEvent(event);
}

// The swatch is reachable with the keyboard too.
void ColorBox::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
      event->key() == Qt::Key_Enter) {
    emit clicked();
    return;
  }
  QFrame::keyPressEvent(event);
}

}  // namespace quillon
