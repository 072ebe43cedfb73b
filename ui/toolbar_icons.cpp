#include "ui/toolbar_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <cmath>
#include <functional>

namespace quillon {

namespace {

// Icons are drawn on a 24 x 24 grid and rendered at a few sizes.
constexpr double kGrid = 24.0;

const QColor kInk(60, 60, 70);
const QColor kPaper(252, 252, 248);
const QColor kCurve(30, 90, 200);
const QColor kAccent(200, 50, 40);
const QColor kFolder(230, 180, 60);

using Painting = std::function<void(QPainter&)>;

QIcon Render(const Painting& paint) {
  QIcon icon;
  for (const int size : {16, 24, 32, 48}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / kGrid, size / kGrid);
    paint(painter);
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

QPen Pen(const QColor& color, double width = 1.5) {
  QPen pen(color, width);
  pen.setCapStyle(Qt::RoundCap);
  pen.setJoinStyle(Qt::RoundJoin);
  return pen;
}

void Page(QPainter& p, const QRectF& r) {
  QPainterPath page;
  const double fold = r.width() * 0.3;
  page.moveTo(r.left(), r.top());
  page.lineTo(r.right() - fold, r.top());
  page.lineTo(r.right(), r.top() + fold);
  page.lineTo(r.right(), r.bottom());
  page.lineTo(r.left(), r.bottom());
  page.closeSubpath();
  p.setPen(Pen(kInk, 1.2));
  p.setBrush(kPaper);
  p.drawPath(page);
  p.drawLine(QPointF(r.right() - fold, r.top()), QPointF(r.right() - fold, r.top() + fold));
  p.drawLine(QPointF(r.right() - fold, r.top() + fold), QPointF(r.right(), r.top() + fold));
}

// The path through point(t) for t = 0, 1/steps, ..., 1.
template <typename Point>
QPainterPath Curve(int steps, Point point) {
  QPainterPath path(point(0.0));
  for (int i = 1; i <= steps; ++i) {
    path.lineTo(point(i / static_cast<double>(steps)));
  }
  return path;
}

// y = sin over the rectangle, one full wave.
void Wave(QPainter& p, const QRectF& r, const QColor& color, double width = 1.8) {
  p.setPen(Pen(color, width));
  p.setBrush(Qt::NoBrush);
  p.drawPath(Curve(24, [&r](double t) {
    return QPointF(r.left() + t * r.width(),
                   r.center().y() - std::sin(t * 2 * M_PI) * r.height() / 2);
  }));
}

void Axes(QPainter& p, const QRectF& r, bool arrows) {
  p.setPen(Pen(kInk, 1.3));
  const double cx = r.center().x();
  const double cy = r.center().y();
  p.drawLine(QPointF(r.left(), cy), QPointF(r.right(), cy));
  p.drawLine(QPointF(cx, r.bottom()), QPointF(cx, r.top()));
  if (arrows) {
    p.setBrush(kInk);
    p.drawPolygon(QPolygonF({QPointF(r.right(), cy), QPointF(r.right() - 3.5, cy - 2),
                             QPointF(r.right() - 3.5, cy + 2)}));
    p.drawPolygon(QPolygonF(
        {QPointF(cx, r.top()), QPointF(cx - 2, r.top() + 3.5), QPointF(cx + 2, r.top() + 3.5)}));
  }
}

void Disk(QPainter& p) {
  p.setPen(Pen(kInk, 1.2));
  p.setBrush(QColor(70, 110, 170));
  p.drawRoundedRect(QRectF(3, 3, 18, 18), 2, 2);
  p.setBrush(kPaper);
  p.drawRect(QRectF(6.5, 3, 11, 7));
  p.setBrush(QColor(200, 200, 205));
  p.drawRect(QRectF(7, 14, 10, 7));
}

void Magnifier(QPainter& p) {
  p.setPen(Pen(kInk, 2.0));
  p.setBrush(QColor(220, 235, 250));
  p.drawEllipse(QPointF(10, 10), 6, 6);
  p.setPen(Pen(kInk, 3.0));
  p.drawLine(QPointF(14.5, 14.5), QPointF(20.5, 20.5));
}

void Arrow(QPainter& p, QPointF from, QPointF to) {
  p.setPen(Pen(kInk, 1.6));
  p.drawLine(from, to);
  const QPointF d = to - from;
  const double length = std::hypot(d.x(), d.y());
  const QPointF u(d.x() / length, d.y() / length);
  const QPointF n(-u.y(), u.x());
  p.setBrush(kInk);
  p.drawPolygon(QPolygonF({to + u * 1.5, to - u * 3 + n * 2.5, to - u * 3 - n * 2.5}));
}

Painting ToolbarPainting(ToolbarPicture picture) {
  switch (picture) {
    case ToolbarPicture::NewDocument:
      return [](QPainter& p) {
        Page(p, QRectF(4, 2, 16, 20));
        Wave(p, QRectF(6.5, 11, 11, 6), kCurve, 1.4);
      };
    case ToolbarPicture::Open:
      return [](QPainter& p) {
        p.setPen(Pen(kInk, 1.2));
        p.setBrush(kFolder.darker(115));
        p.drawRect(QRectF(2.5, 5, 17, 14));
        p.setBrush(kFolder);
        p.drawPolygon(
            QPolygonF({QPointF(5.5, 9.5), QPointF(22, 9.5), QPointF(19, 19), QPointF(2.5, 19)}));
      };
    case ToolbarPicture::Save:
      return [](QPainter& p) { Disk(p); };
    case ToolbarPicture::SaveAs:
      return [](QPainter& p) {
        Disk(p);
        p.setPen(Pen(kAccent, 2.4));
        p.drawLine(QPointF(13, 19), QPointF(21.5, 10.5));
      };
    case ToolbarPicture::Print:
      return [](QPainter& p) {
        p.setPen(Pen(kInk, 1.2));
        p.setBrush(kPaper);
        p.drawRect(QRectF(7, 3, 10, 8));
        p.setBrush(QColor(170, 170, 180));
        p.drawRoundedRect(QRectF(3, 10, 18, 8), 1.5, 1.5);
        p.setBrush(kPaper);
        p.drawRect(QRectF(7, 15, 10, 6));
      };
    case ToolbarPicture::Cut:
      return [](QPainter& p) {
        p.setPen(Pen(kInk, 1.6));
        p.drawLine(QPointF(8, 3), QPointF(15, 15));
        p.drawLine(QPointF(16, 3), QPointF(9, 15));
        p.setBrush(Qt::NoBrush);
        p.setPen(Pen(kAccent, 1.8));
        p.drawEllipse(QPointF(7.5, 18), 3, 3);
        p.drawEllipse(QPointF(16.5, 18), 3, 3);
      };
    case ToolbarPicture::Copy:
      return [](QPainter& p) {
        Page(p, QRectF(3, 2, 12, 15));
        Page(p, QRectF(9, 7, 12, 15));
      };
    case ToolbarPicture::CopyAsBitmap:
      return [](QPainter& p) {
        p.setPen(Pen(kInk, 1.2));
        p.setBrush(QColor(200, 225, 250));
        p.drawRect(QRectF(3, 4, 18, 16));
        p.setBrush(QColor(90, 160, 90));
        p.drawPolygon(QPolygonF(
            {QPointF(3, 20), QPointF(10, 11), QPointF(15, 16), QPointF(17, 14), QPointF(21, 20)}));
        p.setBrush(QColor(240, 200, 40));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(16, 8), 2, 2);
      };
    case ToolbarPicture::Paste:
      return [](QPainter& p) {
        p.setPen(Pen(kInk, 1.2));
        p.setBrush(QColor(170, 120, 70));
        p.drawRoundedRect(QRectF(4, 4, 16, 18), 1.5, 1.5);
        p.setBrush(kPaper);
        p.drawRect(QRectF(7, 7, 10, 13));
        p.setBrush(QColor(150, 150, 160));
        p.drawRoundedRect(QRectF(9, 2, 6, 4), 1, 1);
      };
    case ToolbarPicture::Delete:
      return [](QPainter& p) {
        p.setPen(Pen(kAccent, 3.0));
        p.drawLine(QPointF(6, 6), QPointF(18, 18));
        p.drawLine(QPointF(18, 6), QPointF(6, 18));
      };
    case ToolbarPicture::Help:
      return [](QPainter& p) {
        p.setPen(Pen(kCurve.darker(120), 1.2));
        p.setBrush(kCurve);
        p.drawEllipse(QPointF(12, 12), 9.5, 9.5);
        p.setPen(Qt::white);
        QFont font = p.font();
        font.setPixelSize(15);
        font.setBold(true);
        p.setFont(font);
        p.drawText(QRectF(2.5, 2.5, 19, 19), Qt::AlignCenter, QStringLiteral("?"));
      };
    case ToolbarPicture::DrawCartesian:
      return [](QPainter& p) {
        Axes(p, QRectF(2, 2, 20, 20), false);
        Wave(p, QRectF(3, 6, 18, 12), kCurve);
      };
    case ToolbarPicture::DrawPolar:
      return [](QPainter& p) {
        Axes(p, QRectF(2, 2, 20, 20), false);
        // A three-leaved rose r = cos(3a).
        const QPainterPath rose = Curve(90, [](double t) {
          const double a = t * M_PI;
          const double r = 8.5 * std::cos(3 * a);
          return QPointF(12 + r * std::cos(a), 12 - r * std::sin(a));
        });
        p.setPen(Pen(kAccent, 1.6));
        p.setBrush(Qt::NoBrush);
        p.drawPath(rose);
      };
    case ToolbarPicture::Axis:
      return [](QPainter& p) {
        Axes(p, QRectF(2, 2, 20, 20), true);
        p.setPen(Pen(kInk, 1.0));
        for (const double t : {5.0, 8.0, 16.0, 19.0}) {
          p.drawLine(QPointF(t, 11), QPointF(t, 13));
          p.drawLine(QPointF(11, t), QPointF(13, t));
        }
      };
    case ToolbarPicture::Move:
      return [](QPainter& p) {
        const QPointF centre(12, 12);
        Arrow(p, centre, QPointF(12, 2.5));
        Arrow(p, centre, QPointF(12, 21.5));
        Arrow(p, centre, QPointF(2.5, 12));
        Arrow(p, centre, QPointF(21.5, 12));
      };
    case ToolbarPicture::Zoom:
      return [](QPainter& p) {
        Magnifier(p);
        p.setPen(Pen(kInk, 1.5));
        p.drawLine(QPointF(7, 10), QPointF(13, 10));
        p.drawLine(QPointF(10, 7), QPointF(10, 13));
      };
    case ToolbarPicture::ZoomToFit:
      return [](QPainter& p) {
        p.setPen(Pen(kAccent, 1.6));
        p.setBrush(Qt::NoBrush);
        for (const QPointF& corner :
             {QPointF(2, 2), QPointF(22, 2), QPointF(2, 22), QPointF(22, 22)}) {
          const double sx = corner.x() < 12 ? 1 : -1;
          const double sy = corner.y() < 12 ? 1 : -1;
          p.drawLine(corner, corner + QPointF(4 * sx, 0));
          p.drawLine(corner, corner + QPointF(0, 4 * sy));
        }
        p.scale(0.8, 0.8);
        p.translate(3, 3);
        Magnifier(p);
      };
  }
  return [](QPainter&) {};  // a value outside the enumeration paints nothing
}

}  // namespace

QIcon ToolbarIcon(ToolbarPicture picture) {
  return Render(ToolbarPainting(picture));
}

QIcon QuillonIcon() {
  return Render([](QPainter& p) {
    p.setPen(Pen(QColor(40, 60, 100), 1.0));
    p.setBrush(QColor(250, 250, 255));
    p.drawRoundedRect(QRectF(1, 1, 22, 22), 4, 4);
    p.setPen(Pen(QColor(120, 120, 130), 1.0));
    p.drawLine(QPointF(3, 12), QPointF(21, 12));
    p.drawLine(QPointF(12, 3), QPointF(12, 21));
    Wave(p, QRectF(3, 5, 18, 14), kCurve, 2.2);
  });
}

}  // namespace quillon
