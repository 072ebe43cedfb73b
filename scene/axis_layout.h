// The axes that follow the view (the plane axis, the framed plane of field
// documents) laid out as plain geometry for one view: lines, arrow heads,
// ticks and labels in world units, placed so that labels keep one size on
// screen and neighbours never touch. Axis::Draw sends a layout to OpenGL;
// tests read it directly.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "graph/box.h"
#include "scene/axis.h"

namespace quillon {

struct AxisPoint {
  double x = 0;
  double y = 0;
};

struct AxisSegment {
  AxisPoint from;
  AxisPoint to;
};

// A number or an axis letter, world units.
struct AxisLabel {
  std::string text;
  AxisPoint baseline;   // the left end of its baseline
  bool letter = false;  // printed in the bold font
  // The white margin under it: its ink box and kMarginPixels around.
  AxisPoint marginLow;   // bottom left corner
  AxisPoint marginHigh;  // top right corner
};

struct AxisLayout {
  double depth = 0;  // world z of the plane the axis lies in
  // In the axis colour and width: the axis lines or the frame.
  std::vector<AxisSegment> lines;
  // Filled in the axis colour: the arrow heads, tip first.
  std::vector<std::array<AxisPoint, 3>> heads;
  // Black, one pixel wide.
  std::vector<AxisSegment> ticks;
  // Black on their white margins; none when the view's scale is unknown.
  std::vector<AxisLabel> labels;
  // Black lines over the minus signs of labels: a bar is thinner than a
  // pixel, so its smoothed polygon may fall between pixel centres.
  std::vector<AxisSegment> minusBars;
  // World units of one em of label text across and up.
  double emAcross = 0;
  double emUp = 0;
};

// The axis tables have room for positions 0..500 from the first: the last
// of 0..count to draw, count cut to 500. A negative count (an inverted box)
// draws nothing.
std::int64_t LastDrawnIndex(std::int64_t count);

// The axis of plane documents: lines through the origin 2.1 units past the
// box with heads at their ends, ticks on whole numbers, numbers below and
// left of the lines (0 left out), letters "X" and "Y" by the heads.
AxisLayout LayOutPlaneAxis(const Axis& axis, const Box& box, const PixelScale& scale);

// The frame of field documents: a rectangle 0.1 inside the box's x and z
// bounds in the plane at depth MinY (screen x is world x, screen y world
// z), with ticks, numbers (0 included) and letters outside it.
AxisLayout LayOutFramedAxis(const Axis& axis, const Box& box, const PixelScale& scale);

}  // namespace quillon
