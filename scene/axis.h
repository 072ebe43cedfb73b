// Axis: the coordinate axis drawn with the graphs (axis lines, arrow heads,
// unit ticks, integer labels, axis letters), with the settings of the box
// axes of space documents that files carry.
#pragma once

#include <cstdint>
#include <string>

#include "scene/outline_font.h"

namespace quillon {

class Axis {
 public:
  // Colours are 32-bit values: red in bits 0..7, green 8..15, blue 16..23.
  static constexpr std::int32_t Rgb(std::int32_t red, std::int32_t green, std::int32_t blue) {
    return red + green * 256 + blue * 65536;
  }

  std::int32_t AxisStyle() const { return axisStyle_; }
  void AxisStyle(std::int32_t value) { axisStyle_ = value; }
  bool BetterFonts() const { return betterFonts_; }
  void BetterFonts(bool value) { betterFonts_ = value; }
  std::int32_t AxisColor() const { return axisColor_; }
  void AxisColor(std::int32_t value) { axisColor_ = value; }
  std::int32_t AxisWidth() const { return axisWidth_; }
  void AxisWidth(std::int32_t value) { axisWidth_ = value; }
  bool Show() const { return show_; }
  void Show(bool value) { show_ = value; }
  std::int32_t YZPanelMaterial() const { return yzPanelMaterial_; }
  void YZPanelMaterial(std::int32_t value) { yzPanelMaterial_ = value; }
  std::int32_t XZPanelMaterial() const { return xzPanelMaterial_; }
  void XZPanelMaterial(std::int32_t value) { xzPanelMaterial_ = value; }
  std::int32_t XYPanelMaterial() const { return xyPanelMaterial_; }
  void XYPanelMaterial(std::int32_t value) { xyPanelMaterial_ = value; }
  std::int32_t YZGridColor() const { return yzGridColor_; }
  void YZGridColor(std::int32_t value) { yzGridColor_ = value; }
  std::int32_t XZGridColor() const { return xzGridColor_; }
  void XZGridColor(std::int32_t value) { xzGridColor_ = value; }
  std::int32_t XYGridColor() const { return xyGridColor_; }
  void XYGridColor(std::int32_t value) { xyGridColor_ = value; }
  std::int32_t YZPanelColor() const { return yzPanelColor_; }
  void YZPanelColor(std::int32_t value) { yzPanelColor_ = value; }
  std::int32_t XZPanelColor() const { return xzPanelColor_; }
  void XZPanelColor(std::int32_t value) { xzPanelColor_ = value; }
  std::int32_t XYPanelColor() const { return xyPanelColor_; }
  void XYPanelColor(std::int32_t value) { xyPanelColor_ = value; }
  bool ShowYZZGrid() const { return showYZZGrid_; }
  void ShowYZZGrid(bool value) { showYZZGrid_ = value; }
  bool ShowXZZGrid() const { return showXZZGrid_; }
  void ShowXZZGrid(bool value) { showXZZGrid_ = value; }
  bool ShowXYYGrid() const { return showXYYGrid_; }
  void ShowXYYGrid(bool value) { showXYYGrid_ = value; }
  const std::string& TitleZ() const { return titleZ_; }
  void TitleZ(const std::string& value) { titleZ_ = value; }
  const std::string& TitleY() const { return titleY_; }
  void TitleY(const std::string& value) { titleY_ = value; }
  const std::string& TitleX() const { return titleX_; }
  void TitleX(const std::string& value) { titleX_ = value; }
  std::int32_t LabelNumZ() const { return labelNumZ_; }
  void LabelNumZ(std::int32_t value) { labelNumZ_ = value; }
  std::int32_t LabelNumY() const { return labelNumY_; }
  void LabelNumY(std::int32_t value) { labelNumY_ = value; }
  std::int32_t LabelNumX() const { return labelNumX_; }
  void LabelNumX(std::int32_t value) { labelNumX_ = value; }
  bool ShowYZYGrid() const { return showYZYGrid_; }
  void ShowYZYGrid(bool value) { showYZYGrid_ = value; }
  bool ShowXZXGrid() const { return showXZXGrid_; }
  void ShowXZXGrid(bool value) { showXZXGrid_ = value; }
  bool ShowXYXGrid() const { return showXYXGrid_; }
  void ShowXYXGrid(bool value) { showXYXGrid_ = value; }
  bool ShowYZPanel() const { return showYZPanel_; }
  void ShowYZPanel(bool value) { showYZPanel_ = value; }
  bool ShowXZPanel() const { return showXZPanel_; }
  void ShowXZPanel(bool value) { showXZPanel_ = value; }
  bool ShowXYPanel() const { return showXYPanel_; }
  void ShowXYPanel(bool value) { showXYPanel_ = value; }

  // Emits the axis for the box into the current OpenGL context (normally
  // while the scene's display list is compiled). docType selects the style:
  // 1 and 4 the plane axis, 2 and 5 the box with depth 0..3, 3 and 6 the box
  // with its own depth and the three axes, 7 the framed plane in x-z; any
  // other kind draws nothing. dimension is carried for callers and unused.
  void Draw(std::int32_t dimension, float MinX, float MaxX, float MinY, float MaxY, float MinZ,
            float MaxZ, std::int32_t docType, const TextFonts& fonts) const;

 private:
  bool show_ = false;
  bool showXYPanel_ = false;
  bool showXZPanel_ = false;
  bool showYZPanel_ = false;
  bool showXYXGrid_ = true;
  bool showXZXGrid_ = true;
  bool showYZYGrid_ = true;
  std::int32_t labelNumX_ = 2;
  std::int32_t labelNumY_ = 2;
  std::int32_t labelNumZ_ = 2;
  std::string titleX_ = "X";
  std::string titleY_ = "Y";
  std::string titleZ_ = "Z";
  bool showXYYGrid_ = true;
  bool showXZZGrid_ = true;
  bool showYZZGrid_ = true;
  std::int32_t xyPanelColor_ = Rgb(204, 204, 204);
  std::int32_t xzPanelColor_ = Rgb(204, 204, 204);
  std::int32_t yzPanelColor_ = Rgb(204, 204, 204);
  std::int32_t xyGridColor_ = Rgb(153, 153, 153);
  std::int32_t xzGridColor_ = Rgb(153, 153, 153);
  std::int32_t yzGridColor_ = Rgb(153, 153, 153);
  std::int32_t xyPanelMaterial_ = 4;
  std::int32_t xzPanelMaterial_ = 4;
  std::int32_t yzPanelMaterial_ = 4;
  std::int32_t axisColor_ = 0;
  std::int32_t axisWidth_ = 1;
  bool betterFonts_ = true;
  std::int32_t axisStyle_ = 1;
};

}  // namespace quillon
