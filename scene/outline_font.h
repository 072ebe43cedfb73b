// Text drawn as geometry: each printable character of a font becomes one
// OpenGL display list of filled, extruded glyph polygons, and a text is
// printed by calling one list per character. Also the small colour helpers
// used by text. Every function here needs a current OpenGL context.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace quillon {

class Reporter;

// The two fonts of a rendering context: the first of 96 consecutive display
// lists each (codes 32..127), 0 when the font could not be made.
struct TextFonts {
  std::uint32_t FontBase = 0;      // "Arial", height -6, weight 400: tick labels
  std::uint32_t BoldFontBase = 0;  // "Arial", height -8, weight 700: axis letters and titles
};

// Builds one outline font from the face that fontconfig matches for
// faceName (Liberation Sans for "Arial"): 96 display lists for codes 32..127,
// glyphs in em units (1 em = 1 unit), filled polygons extruded 0.1 in -z, each
// list ending with a translation by the glyph's advance. Returns the base, or
// 0 after reporting "Unable to create font" (title "Error").
std::uint32_t CreateOutlineFont(const std::string& faceName, std::int32_t height,
                                std::int32_t weight, bool italic, std::int32_t color,
                                Reporter* reporter);
// Frees the 96 lists of a font made by CreateOutlineFont (base 0: nothing).
void DeleteOutlineFont(std::uint32_t base);

// Prints text at (x, y, z) scaled by 0.7, rotated by rotation = (angle in
// degrees, axis x, y, z). When colour is given, its numeric value (rounded
// to an integer) becomes the current colour first. Characters outside codes
// 32..127 have no glyph and print nothing; a base of 0 prints nothing.
void PrintText(std::uint32_t base, const std::string& text, float x, float y, float z,
               const std::array<float, 4>& rotation,
               const std::optional<std::string>& color = std::nullopt);

// Colour value: red in bits 0..7, green 8..15, blue 16..23. Green and blue
// are the low byte of the value divided by 256 or 65536 with the quotient
// cut toward zero, so a negative value gives other components than its bit
// pattern (GreenOf(-1) is 0).
std::int32_t RedOf(std::int32_t color);
std::int32_t GreenOf(std::int32_t color);
std::int32_t BlueOf(std::int32_t color);
// Sets the current OpenGL colour to (red/255, green/255, blue/255).
void SetGLColor(std::int32_t color);

}  // namespace quillon
