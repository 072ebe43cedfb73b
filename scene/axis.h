// Axis: the coordinate axis drawn with the graphs (axis lines, arrow heads,
// unit ticks, integer labels, axis letters), with the settings of the box
// axes of space documents that files carry.
#pragma once

#include <cstdint>
#include <string>

#include "graph/box.h"
#include "graph/graph_kinds.h"
#include "scene/outline_font.h"

namespace quillon {

// A view's pixels per world unit along x and y.
struct PixelScale {
  double x = 0;
  double y = 0;
};

struct Axis {
  // Colours are 32-bit values: red in bits 0..7, green 8..15, blue 16..23.
  static constexpr std::int32_t Rgb(std::int32_t red, std::int32_t green, std::int32_t blue) {
    return red + green * 256 + blue * 65536;
  }

  // --- settings; files carry them in the order of the axis field table ---
  bool shown = false;
  bool showXYPanel = false;
  bool showXZPanel = false;
  bool showYZPanel = false;
  bool showXYXGrid = true;
  bool showXYYGrid = true;
  bool showXZXGrid = true;
  bool showXZZGrid = true;
  bool showYZYGrid = true;
  bool showYZZGrid = true;
  // Number of label steps across the box on each axis (box axes only).
  std::int32_t labelStepsX = 2;
  std::int32_t labelStepsY = 2;
  std::int32_t labelStepsZ = 2;
  std::string titleX = "X";
  std::string titleY = "Y";
  std::string titleZ = "Z";
  std::int32_t xyPanelColor = Rgb(204, 204, 204);
  std::int32_t xzPanelColor = Rgb(204, 204, 204);
  std::int32_t yzPanelColor = Rgb(204, 204, 204);
  std::int32_t xyGridColor = Rgb(153, 153, 153);
  std::int32_t xzGridColor = Rgb(153, 153, 153);
  std::int32_t yzGridColor = Rgb(153, 153, 153);
  MaterialPreset xyPanelMaterial = MaterialPreset::Gold;
  MaterialPreset xzPanelMaterial = MaterialPreset::Gold;
  MaterialPreset yzPanelMaterial = MaterialPreset::Gold;
  std::int32_t color = 0;
  std::int32_t width = 1;  // pixels
  bool betterFonts = true;

  // Emits the axis for the box (world units) into the current OpenGL context.
  // The document kind selects the style: plane documents the plane axis,
  // ribbon documents the box with depth 0..3, space documents the box with
  // its own depth and the three axes, field documents the framed plane in
  // x-z; any other kind draws nothing. The plane axis and the framed plane
  // keep their labels one size on screen at the view's scale and thin ticks
  // and labels by it, so they are drawn for each frame (see FollowsTheView);
  // the box styles ignore the scale and are compiled once.
  void Draw(const Box& box, DocumentKind documentKind, const TextFonts& fonts,
            const PixelScale& scale) const;

  // Whether the kind's axis depends on the view's scale.
  static bool FollowsTheView(DocumentKind documentKind);
  // The world z of the plane such an axis lies in, where its scale is
  // measured: the box's MinY for the framed plane, else 0.
  static double PlaneDepth(const Box& box, DocumentKind documentKind);
};

// How many unit steps apart ticks or labels are drawn so that neighbours
// keep clear of each other: the smallest of 1, 2, 5, 10, 20, 50, ... that
// is a multiple of multipleOf (so labels stay on drawn ticks) and whose
// spacing is at least extentPixels (a label's width plus its gap, or the
// least tick distance). A spacing that is not positive and finite leaves
// only the origin (the largest factor, 10^15).
std::int64_t ThinningFactor(double extentPixels, double spacingPixels, std::int64_t multipleOf = 1);

}  // namespace quillon
