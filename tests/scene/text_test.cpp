// Outline-font text: glyph lists, pen advances, printing, colours.

#include <optional>
#include <tuple>

#include "drawing_test_support.h"

namespace quillon {
namespace {

using Vertices = std::vector<std::array<float, 3>>;

constexpr std::array<float, 4> kUpright{0, 0, 0, 1};

// The current colour against one given in 0..255 a component.
void ExpectColour(const std::array<float, 4>& expected) {
  std::array<float, 4> colour{};
  glGetFloatv(GL_CURRENT_COLOR, colour.data());
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_FLOAT_EQ(colour[i], expected[i] / 255) << "component " << i;
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

// The colour argument is a number text; its rounded value is a colour
// with alpha 1, whose green and blue are the low bytes of the quotients cut
// toward zero, so a negative value splits other than its bit pattern. A
// text without a 32-bit value, or no colour argument, keeps the colour.
TEST_F(OutlineFont, PrintTextTakesItsColourFromTheNumberText) {
  const std::array<float, 4> kept{51, 102, 153, 127.5f};
  const std::pair<const char*, std::array<float, 4>> cases[] = {
      {"33023", {255, 128, 0, 255}},
      {"254.6", {255, 0, 0, 255}},
      {"abc", {0, 0, 0, 255}},
      {"1193046", {0x56, 0x34, 0x12, 255}},  // 0x123456
      {"2130706687", {255, 0, 0, 255}},      // 0x7F0000FF
      {"-1", {255, 0, 0, 255}},
      {"-131844", {252, 253, 254, 255}},  // -2 * 65536 - 3 * 256 - 4
      {"1e20", kept},
      {nullptr, kept}};
  for (const auto& [text, expected] : cases) {
    SCOPED_TRACE(text != nullptr ? text : "none");
    glColor4f(0.2f, 0.4f, 0.6f, 0.5f);
    PrintText(fonts_.FontBase, "7", 0, 0, 0, kUpright,
              text != nullptr ? std::optional<std::string>(text) : std::nullopt);
    ExpectColour(expected);
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
  ExpectColour({255, 128, 0, 255});
}

}  // namespace
}  // namespace quillon
