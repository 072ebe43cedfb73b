#include "io/vector_picture.h"

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QPen>
#include <QPolygonF>
#include <QSvgGenerator>
#include <cstddef>
#include <string>
#include <vector>

#include "io/io_error.h"

namespace quillon {

namespace {

// The resolution of the screen a picture's pixels are taken at.
constexpr int kPictureDotsPerInch = 96;
constexpr double kPointsPerInch = 72;

QColor ToQColor(const PictureColor& color) {
  return QColor::fromRgbF(color.red, color.green, color.blue, color.alpha);
}

QPolygonF ToPolygon(const std::vector<PicturePoint>& points) {
  QPolygonF polygon;
  polygon.reserve(static_cast<qsizetype>(points.size()));
  for (const PicturePoint& p : points) {
    polygon.append(QPointF(p.x, p.y));
  }
  return polygon;
}

std::string ToString(const QByteArray& bytes) {
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace

void DrawPicture(QPainter& painter, const Picture& picture) {
  const double width = picture.width;
  const double height = picture.height;
  painter.setRenderHint(QPainter::Antialiasing);
  // Nothing is written as text, but the SVG generator names the painter's
  // font in every group, and without a running application the default
  // font has no size, which readers warn of.
  QFont font;
  font.setPixelSize(12);
  painter.setFont(font);
  painter.fillRect(QRectF(0, 0, width, height), ToQColor(picture.background));
  const std::vector<PictureShape>& shapes = picture.shapes;
  for (std::size_t i = 0; i < shapes.size();) {
    const PictureShape& shape = shapes[i];
    if (shape.kind == PictureShape::Line) {
      QPen pen(ToQColor(shape.color), shape.width, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin);
      painter.setPen(pen);
      painter.setBrush(Qt::NoBrush);
      for (const std::vector<PicturePoint>& piece : ClipPolyline(shape.points, width, height)) {
        painter.drawPolyline(ToPolygon(piece));
      }
      ++i;
      continue;
    }
    // A run of polygons of one colour becomes one path: the triangles of
    // text and of translucent regions then fill without seams between them,
    // and the file stays small. They all turn the same way, so the winding
    // rule joins their overlaps (which translucent regions do not have:
    // their pixel runs lie side by side).
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    std::size_t next = i;
    for (; next < shapes.size() && shapes[next].kind == PictureShape::Filled &&
           shapes[next].color == shape.color;
         ++next) {
      const std::vector<PicturePoint> inside = ClipPolygon(shapes[next].points, width, height);
      if (!inside.empty()) {
        path.addPolygon(ToPolygon(inside));
        path.closeSubpath();
      }
    }
    painter.fillPath(path, ToQColor(shape.color));
    i = next;
  }
}

std::string SvgPictureText(const Picture& picture) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator generator;
  generator.setOutputDevice(&buffer);
  generator.setSize(QSize(picture.width, picture.height));
  generator.setViewBox(QRectF(0, 0, picture.width, picture.height));
  generator.setResolution(kPictureDotsPerInch);
  generator.setTitle("Quillon picture");
  QPainter painter;
  if (!painter.begin(&generator)) {
    throw IoError("The SVG picture could not be made.");
  }
  DrawPicture(painter, picture);
  painter.end();
  std::string text = ToString(bytes);
  // The generator gives the size in millimetres; the picture is made of
  // pixels, and programs that open it should show it at that many.
  const std::size_t start = text.find("<svg width=\"");
  const std::size_t viewBox = text.find(" viewBox=", start);
  if (start != std::string::npos && viewBox != std::string::npos) {
    text.replace(start, viewBox - start,
                 "<svg width=\"" + std::to_string(picture.width) + "\" height=\"" +
                     std::to_string(picture.height) + "\"\n");
  }
  return text;
}

std::string PdfPictureBytes(const Picture& picture) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter writer(&buffer);
  writer.setResolution(kPictureDotsPerInch);
  const QSizeF points(picture.width * kPointsPerInch / kPictureDotsPerInch,
                      picture.height * kPointsPerInch / kPictureDotsPerInch);
  writer.setPageLayout(
      QPageLayout(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch),
                  QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
  writer.setCreator("Quillon");
  QPainter painter;
  if (!painter.begin(&writer)) {
    throw IoError("The PDF picture could not be made.");
  }
  DrawPicture(painter, picture);
  painter.end();
  return ToString(bytes);
}

}  // namespace quillon
