// Outline-font text: glyph lists, pen advances, printing, colours.

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "drawing_test_support.h"
#include "scene/outline_font.h"

namespace quillon {
namespace {

using Vertices = std::vector<std::array<float, 3>>;

constexpr std::array<float, 4> kUpright{0, 0, 0, 1};

std::array<float, 4> CurrentColor() {
  std::array<float, 4> color{};
  glGetFloatv(GL_CURRENT_COLOR, color.data());
  return color;
}

void ExpectColor(const std::array<float, 3>& expected) {
  const auto color = CurrentColor();
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_FLOAT_EQ(color[i], expected[i]) << "component " << i;
  }
}

// The translation part of the model-view matrix: where the pen stands.
std::array<float, 3> PenPosition() {
  std::array<float, 16> matrix{};
  glGetFloatv(GL_MODELVIEW_MATRIX, matrix.data());
  return {matrix[12], matrix[13], matrix[14]};
}

class OutlineFont : public testing::FontFrame {
 protected:
  // The pen's move made by the glyph list of one character, in em units.
  float Advance(std::uint32_t base, char code) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glCallList(base + static_cast<std::uint32_t>(code - 32));
    const auto pen = PenPosition();
    EXPECT_EQ(pen[1], 0.0f);
    EXPECT_EQ(pen[2], 0.0f);
    glLoadIdentity();
    return pen[0];
  }
  // The polygon vertices of text printed at (x, 0.5) in the normal font.
  Vertices Print(const std::string& text, float x,
                 const std::array<float, 4>& rotation = kUpright) {
    return testing::Capture([&] { PrintText(fonts_.FontBase, text, x, 0.5f, 0, rotation); })
        .vertices;
  }
};

// Each glyph list moves the pen by the glyph's width in em units (Arial's;
// "i" tells the bold face from the normal one). "-12" calls the lists of
// "-", "1" and "2", each where the previous one's advance (scaled by 0.7)
// left the pen. A rotation of 0 degrees changes nothing whatever the axis; a
// quarter turn about z turns window offsets (dx, dy) into (-dy, dx). Faces
// lie at z = 0, the extrusion 0.1 em (0.07 units) behind: window depth 0.5
// .. 0.5 + 0.07 / 200 in this view.
TEST_F(OutlineFont, TextIsPlacedGlyphByGlyphRotatedAndExtruded) {
  EXPECT_NEAR(Advance(fonts_.FontBase, '1'), 0.556f, 0.001f);
  EXPECT_NEAR(Advance(fonts_.FontBase, ' '), 0.278f, 0.001f);
  EXPECT_NEAR(Advance(fonts_.FontBase, 'i'), 0.222f, 0.001f);
  EXPECT_NEAR(Advance(fonts_.BoldFontBase, 'i'), 0.278f, 0.001f);
  Begin({-4, -3, 100});
  const float minus = 0.7f * Advance(fonts_.FontBase, '-');
  const float one = 0.7f * Advance(fonts_.FontBase, '1');
  const Vertices whole = Print("-12", 1);
  Vertices pieces = Print("-", 1);
  for (const auto& [text, x] : {std::pair{"1", 1 + minus}, std::pair{"2", 1 + minus + one}}) {
    const Vertices piece = Print(text, x);
    pieces.insert(pieces.end(), piece.begin(), piece.end());
  }
  EXPECT_GT(whole.size(), 30u);
  testing::ExpectSame(whole, pieces);
  testing::ExpectSame(Print("-12", 1, {0, 0, 1, 0}), whole);
  Vertices turned;
  for (const auto& v : whole) {  // (1, 0.5) is (500.5, 350.5) in the window
    turned.push_back({500.5f - (v[1] - 350.5f), 350.5f + (v[0] - 500.5f), v[2]});
  }
  testing::ExpectSame(Print("-12", 1, {90, 0, 0, 1}), turned);
  const auto [front, back] = std::minmax_element(
      whole.begin(), whole.end(), [](const auto& a, const auto& b) { return a[2] < b[2]; });
  EXPECT_NEAR((*front)[2], 0.5, 1e-6);
  EXPECT_NEAR((*back)[2], 0.5 + 0.07 / 200, 1e-6);
}

// Glyphs are filled by the non-zero rule: the counters of "O" and "8" stay
// empty, their strokes are inked; the text stands 0.7 units per em. Probes
// in em units from the glyph origin (Liberation Sans, Arial's metrics).
TEST_F(OutlineFont, GlyphsAreFilledWithTheirHolesOpen) {
  const std::tuple<const char*, double, double, bool> probes[] = {
      {"O", 0.39, 0.36, false}, {"O", 0.08, 0.36, true}, {"8", 0.28, 0.20, false}};
  for (const auto& [text, x, y, ink] : probes) {
    SCOPED_TRACE(::testing::Message() << text << " at " << x << ", " << y);
    Begin({-0.2, -0.2, 500});
    PrintText(fonts_.FontBase, text, 0, 0, 0, kUpright, std::string("0"));
    EXPECT_EQ(ColourAt(context_->ReadFrame(), 0.7 * x, 0.7 * y) == 0, ink);
  }
}

// The colour argument is a number text; its rounded value is a colour. A
// text without a 32-bit value, or no colour argument, keeps the colour.
TEST_F(OutlineFont, PrintTextTakesItsColourFromTheNumberText) {
  const std::pair<const char*, std::array<float, 3>> cases[] = {{"33023", {1, 128 / 255.0f, 0}},
                                                                {"254.6", {1, 0, 0}},
                                                                {"abc", {0, 0, 0}},
                                                                {"1e20", {0.2f, 0.4f, 0.6f}},
                                                                {nullptr, {0.2f, 0.4f, 0.6f}}};
  for (const auto& [text, expected] : cases) {
    SCOPED_TRACE(text != nullptr ? text : "none");
    glColor3f(0.2f, 0.4f, 0.6f);
    PrintText(fonts_.FontBase, "7", 0, 0, 0, kUpright,
              text != nullptr ? std::optional<std::string>(text) : std::nullopt);
    ExpectColor(expected);
  }
}

// PrintText leaves the matrix and the list base as it found them.
// Characters without a glyph (outside codes 32..127, every byte of a
// multi-byte character included) print nothing and do not move the pen; a
// font base of 0 (no font) prints nothing at all.
TEST_F(OutlineFont, PrintTextRestoresStateAndSkipsCharactersWithoutGlyph) {
  Begin({-4, -3, 100});
  glTranslatef(0.25f, 0.5f, 0);
  glListBase(7);
  PrintText(fonts_.BoldFontBase, "X1", 1, 2, 3, {30, 0, 0, 1}, std::string("255"));
  EXPECT_EQ(PenPosition(), (std::array<float, 3>{0.25f, 0.5f, 0}));
  GLint listBase = 0;
  glGetIntegerv(GL_LIST_BASE, &listBase);
  EXPECT_EQ(listBase, 7);
  testing::ExpectSame(Print("1\t\xC3\xA9\x80\xFF"
                            "2",
                            0),
                      Print("12", 0));
  EXPECT_TRUE(testing::Capture([] { PrintText(0, "12", 0, 0, 0, kUpright); }).vertices.empty());
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// When no display lists can be reserved (here: inside glBegin/glEnd) the
// font reports the failure, silently without a reporter, and yields no base.
// A font made sets the given colour.
TEST_F(OutlineFont, FailureIsReportedAndYieldsNoBase) {
  glBegin(GL_LINES);
  EXPECT_EQ(CreateOutlineFont("Arial", -6, 400, false, 0, &reporter_), 0u);
  EXPECT_EQ(CreateOutlineFont("Arial", -6, 400, false, 0, nullptr), 0u);
  glEnd();
  glGetError();
  EXPECT_EQ(reporter_.messages, std::vector<std::string>{"Error: Unable to create font"});
  EXPECT_EQ(reporter_.icons, std::vector<MessageIcon>{MessageIcon::Critical});
  DeleteOutlineFont(CreateOutlineFont("Arial", -6, 400, false, 255 + 128 * 256, nullptr));
  ExpectColor({1, 128 / 255.0f, 0});
}

// Green and blue are the low bytes of the quotients cut toward zero, so a
// negative value splits other than its bit pattern. The OpenGL colour is
// each component over 255, with alpha 1 whatever was current.
TEST(TextColour, SplitsIntoBytesOfTheQuotients) {
  auto context = testing::MakeTestContext(16, 16);
  ASSERT_NE(context, nullptr);
  const std::array<std::int32_t, 4> cases[] = {{0x123456, 0x56, 0x34, 0x12},
                                               {0x7F0000FF, 255, 0, 0},
                                               {-1, 255, 0, 0},
                                               {-65536 * 2 - 256 * 3 - 4, 252, 253, 254}};
  for (const auto& [color, red, green, blue] : cases) {
    SCOPED_TRACE(color);
    EXPECT_EQ((std::array<std::int32_t, 3>{RedOf(color), GreenOf(color), BlueOf(color)}),
              (std::array<std::int32_t, 3>{red, green, blue}));
    glColor4f(0.5f, 0.5f, 0.5f, 0.5f);
    SetGLColor(color);
    ExpectColor({static_cast<float>(red) / 255, static_cast<float>(green) / 255,
                 static_cast<float>(blue) / 255});
    EXPECT_EQ(CurrentColor()[3], 1.0f);
  }
}

}  // namespace
}  // namespace quillon
