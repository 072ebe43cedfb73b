// The colour box of the dialogs: a framed swatch that shows a colour and
// reports a click, and the conversions between the program's colour values
// (red in bits 0..7, green 8..15, blue 16..23) and QColor.
#pragma once

#include <QColor>
#include <QFrame>
#include <cstdint>

namespace quillon {

class WindowDialogs;

QColor ToQColor(std::int32_t color);
std::int32_t ColorValue(const QColor& color);

class ColorBox : public QFrame {
  Q_OBJECT

 public:
  explicit ColorBox(QWidget* parent = nullptr);

  std::int32_t Color() const { return color_; }
  void Color(std::int32_t value);
  // Shows the colour chooser over the box's window, opened on the box's
  // colour; the box takes the colour
  // chosen and keeps its own when the chooser is cancelled.
  void Choose(WindowDialogs& dialogs);

 signals:
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  std::int32_t color_ = 0;
};

}  // namespace quillon
