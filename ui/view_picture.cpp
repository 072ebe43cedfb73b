#include "ui/view_picture.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QRectF>
#include <algorithm>
#include <cstddef>

#include "io/vector_picture.h"

namespace quillon {

QImage OpaquePicture(const QImage& picture) {
  return picture.convertToFormat(QImage::Format_RGB32);
}

std::vector<std::uint8_t> RgbaBytes(const QImage& picture) {
  const QImage rgba = picture.convertToFormat(QImage::Format_RGBA8888);
  const auto rowBytes = static_cast<std::size_t>(rgba.width()) * 4;
  std::vector<std::uint8_t> bytes;
  bytes.reserve(rowBytes * static_cast<std::size_t>(rgba.height()));
  for (int y = 0; y < rgba.height(); ++y) {
    const uchar* row = rgba.constScanLine(y);
    bytes.insert(bytes.end(), row, row + rowBytes);
  }
  return bytes;
}

QSizeF PrintedPictureSize(QSizeF pictureSize, QSizeF screenDotsPerInch, QSizeF printerDotsPerInch,
                          QSizeF printable) {
  QSizeF size(pictureSize.width() * printerDotsPerInch.width() / screenDotsPerInch.width(),
              pictureSize.height() * printerDotsPerInch.height() / screenDotsPerInch.height());
  if (size.width() > printable.width() || size.height() > printable.height()) {
    size.scale(printable, Qt::KeepAspectRatio);
  }
  return size;
}

bool PrintPicture(QPrinter& printer, const QImage& picture, QSizeF screenDotsPerInch) {
  if (picture.isNull() || screenDotsPerInch.isEmpty()) {
    return false;
  }
  QPainter painter;
  if (!painter.begin(&printer)) {
    return false;
  }
  // Printer units are the printer's own dots; the painter's origin is the
  // top left of the printable area.
  const QSizeF size = PrintedPictureSize(picture.deviceIndependentSize(), screenDotsPerInch,
                                         QSizeF(printer.logicalDpiX(), printer.logicalDpiY()),
                                         QSizeF(printer.width(), printer.height()));
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(QRectF(QPointF(0, 0), size), picture);
  return painter.end();
}

bool PrintVectorPicture(QPrinter& printer, const Picture& picture) {
  if (picture.width <= 0 || picture.height <= 0) {
    return false;
  }
  printer.setColorMode(QPrinter::Color);
  printer.setPageOrientation(picture.width > picture.height ? QPageLayout::Landscape
                                                            : QPageLayout::Portrait);
  printer.setPageMargins(QMarginsF(kPrintMarginMillimetres, kPrintMarginMillimetres,
                                   kPrintMarginMillimetres, kPrintMarginMillimetres),
                         QPageLayout::Millimeter);
  QPainter painter;
  if (!painter.begin(&printer)) {
    return false;
  }
  // The painter's origin is the top left of the printable area, in printer
  // dots.
  const QRectF printable = printer.pageLayout().paintRectPixels(printer.resolution());
  const double scale =
      std::min(printable.width() / picture.width, printable.height() / picture.height);
  painter.translate((printable.width() - picture.width * scale) / 2,
                    (printable.height() - picture.height * scale) / 2);
  painter.scale(scale, scale);
  DrawPicture(painter, picture);
  return painter.end();
}

}  // namespace quillon
