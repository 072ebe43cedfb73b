// Pictures of the view taken from the drawing area: the opaque form that the
// clipboard, BMP files and the printer get, and the printed page, drawn from
// the view's lines and polygons where it has them.
#pragma once

#include <QImage>
#include <QSizeF>
#include <cstdint>
#include <vector>

#include "scene/picture.h"

class QPrinter;

namespace quillon {

// The picture without an alpha channel, so that nothing of it turns
// transparent where it is pasted.
QImage OpaquePicture(const QImage& picture);

// Red, green, blue and alpha bytes of each pixel, rows from the top down.
std::vector<std::uint8_t> RgbaBytes(const QImage& picture);

// The size on paper, in printer dots, of a picture of pictureSize screen
// pixels: as large as on the screen, shrunk to the printable area (in
// printer dots) with its shape kept when it is larger.
QSizeF PrintedPictureSize(QSizeF pictureSize, QSizeF screenDotsPerInch, QSizeF printerDotsPerInch,
                          QSizeF printable);

// Draws the picture at the top left of the printable area as large as it is
// on the screen (its pixels at the screen's dots per inch), shrunk to the
// printable area when it is larger, and ends the page. False when the
// printer or its output file cannot be opened or the page not finished.
bool PrintPicture(QPrinter& printer, const QImage& picture, QSizeF screenDotsPerInch);

// Prints the picture's lines and polygons in colour on one page, turned to
// landscape when the picture is wider than tall, centred and scaled to fill
// the page inside a margin of kPrintMarginMillimetres with its shape kept.
// False when the printer or its output file cannot be opened or the page
// not finished.
inline constexpr double kPrintMarginMillimetres = 10;
bool PrintVectorPicture(QPrinter& printer, const Picture& picture);

}  // namespace quillon
