// Vector pictures: a captured frame (scene/picture.h) drawn with QPainter
// into SVG, PDF or any other paint device (the printer). Every coordinate
// written lies inside the picture: lines and polygons are cut to its
// rectangle here, since not every paint device clips.
#pragma once

#include <string>

#include "scene/picture.h"

class QPainter;

namespace quillon {

// Draws the background and every shape of picture in picture pixels
// through painter's current transformation, antialiased.
void DrawPicture(QPainter& painter, const Picture& picture);

// The picture as an SVG document of width x height pixels (user units).
// Throws IoError when it cannot be made.
std::string SvgPictureText(const Picture& picture);

// The picture as a one-page PDF document whose page is the picture at 96
// dots per inch. Throws IoError when it cannot be made.
std::string PdfPictureBytes(const Picture& picture);

}  // namespace quillon
