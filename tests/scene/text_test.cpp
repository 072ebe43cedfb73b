// Outline-font text: glyph lists, pen advances, printing, colours.

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "expr/reporter.h"
#include "offscreen_test_support.h"
#include "scene/outline_font.h"

namespace quillon {
namespace {

using testing::CountNonWhite;
using testing::MakeTestContext;
using testing::RgbAt;

constexpr std::array<float, 4> kUpright{0, 0, 0, 1};

class RecordingReporter : public Reporter {
 public:
  void Report(const std::string& title, const std::string& text, MessageIcon icon) override {
    messages.emplace_back(title, text, icon);
  }
  std::vector<std::tuple<std::string, std::string, MessageIcon>> messages;
};

// The window's projection: an orthographic box of world units, 1 unit =
// pixelsPerUnit pixels, with (x0, y0) at the lower left corner of the frame.
void LookAt(const OffscreenContext& context, double x0, double y0, double pixelsPerUnit) {
  glViewport(0, 0, context.Width(), context.Height());
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(x0, x0 + context.Width() / pixelsPerUnit, y0, y0 + context.Height() / pixelsPerUnit, -10,
          10);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glClearColor(1, 1, 1, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
}

std::array<float, 4> CurrentColor() {
  std::array<float, 4> color{};
  glGetFloatv(GL_CURRENT_COLOR, color.data());
  return color;
}

// The translation part of the model-view matrix: where the pen stands.
std::array<float, 3> PenPosition() {
  std::array<float, 16> matrix{};
  glGetFloatv(GL_MODELVIEW_MATRIX, matrix.data());
  return {matrix[12], matrix[13], matrix[14]};
}

// Every polygon vertex drawn by draw(), in window coordinates, in order,
// captured in feedback mode.
std::vector<std::array<float, 3>> PolygonVertices(const std::function<void()>& draw) {
  std::vector<GLfloat> buffer(1 << 20);
  glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D, buffer.data());
  glRenderMode(GL_FEEDBACK);
  draw();
  const GLint used = glRenderMode(GL_RENDER);
  std::vector<std::array<float, 3>> vertices;
  EXPECT_GE(used, 0) << "feedback buffer too small";
  for (GLint at = 0; at < used;) {
    const auto token = static_cast<GLenum>(buffer[static_cast<std::size_t>(at++)]);
    GLint count = 0;
    if (token == GL_POLYGON_TOKEN) {
      count = static_cast<GLint>(buffer[static_cast<std::size_t>(at++)]);
    } else if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
      at += 6;
    } else if (token == GL_PASS_THROUGH_TOKEN) {
      at += 1;
    } else {
      at += 3;  // points, bitmaps, pixel rectangles
    }
    for (GLint v = 0; v < count; ++v, at += 3) {
      const auto* p = &buffer[static_cast<std::size_t>(at)];
      vertices.push_back({p[0], p[1], p[2]});
    }
  }
  return vertices;
}

void ExpectSameVertices(const std::vector<std::array<float, 3>>& actual,
                        const std::vector<std::array<float, 3>>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  int mismatches = 0;
  for (std::size_t i = 0; i < actual.size(); ++i) {
    for (std::size_t k = 0; k < 2; ++k) {
      mismatches += std::abs(actual[i][k] - expected[i][k]) > 0.01f ? 1 : 0;
    }
  }
  EXPECT_EQ(mismatches, 0);
}

struct Fonts {
  std::uint32_t normal = 0;
  std::uint32_t bold = 0;
};

// The two fonts every rendering context makes.
Fonts MakeFonts(RecordingReporter& reporter) {
  return {CreateOutlineFont("Arial", -6, 400, false, 0, &reporter),
          CreateOutlineFont("Arial", -8, 700, false, 0, &reporter)};
}

TEST(OutlineFont, MakesOneListPerPrintableCode) {
  auto context = MakeTestContext();
  ASSERT_NE(context, nullptr);
  RecordingReporter reporter;
  const Fonts fonts = MakeFonts(reporter);
  EXPECT_TRUE(reporter.messages.empty());
  for (const std::uint32_t base : {fonts.normal, fonts.bold}) {
    ASSERT_NE(base, 0u);
    int lists = 0;
    for (std::uint32_t k = 0; k < 96; ++k) {
      lists += glIsList(base + k) ? 1 : 0;
    }
    EXPECT_EQ(lists, 96);
  }
  // The two fonts do not share lists.
  EXPECT_GE(fonts.normal > fonts.bold ? fonts.normal - fonts.bold : fonts.bold - fonts.normal, 96u);
  DeleteOutlineFont(fonts.normal);
  EXPECT_FALSE(glIsList(fonts.normal));
  EXPECT_FALSE(glIsList(fonts.normal + 95));
  EXPECT_TRUE(glIsList(fonts.bold + 95));
  DeleteOutlineFont(fonts.bold);
  DeleteOutlineFont(0);  // no font: nothing to free
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// Each glyph list ends with a move by the glyph's own width in em units
// (Arial's widths; "i" and "m" tell the bold face from the normal one).
TEST(OutlineFont, GlyphListsAdvanceByTheirWidth) {
  struct Case {
    bool bold;
    char code;
    float advance;
  };
  const Case cases[] = {{false, '-', 0.333f}, {false, '1', 0.556f}, {false, '2', 0.556f},
                        {false, ' ', 0.278f}, {false, 'i', 0.222f}, {false, 'm', 0.833f},
                        {false, 'W', 0.944f}, {true, 'X', 0.667f},  {true, 'Y', 0.667f},
                        {true, 'i', 0.278f},  {true, 'm', 0.889f},  {true, '1', 0.556f}};
  auto context = MakeTestContext();
  ASSERT_NE(context, nullptr);
  RecordingReporter reporter;
  const Fonts fonts = MakeFonts(reporter);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.bold ? "bold " : "normal ") + c.code);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glCallList((c.bold ? fonts.bold : fonts.normal) + static_cast<std::uint32_t>(c.code - 32));
    const auto pen = PenPosition();
    EXPECT_NEAR(pen[0], c.advance, 0.001f);
    EXPECT_EQ(pen[1], 0.0f);
    EXPECT_EQ(pen[2], 0.0f);
  }
}

// "-12" calls the lists of "-", "1" and "2" in that order, each placed where
// the previous one's advance left the pen.
TEST(OutlineFont, TextCallsOneListPerCharacterInOrder) {
  auto context = MakeTestContext();
  ASSERT_NE(context, nullptr);
  RecordingReporter reporter;
  const Fonts fonts = MakeFonts(reporter);
  LookAt(*context, -2, -2, 100);

  glLoadIdentity();
  glListBase(fonts.normal - 32);
  glCallLists(3, GL_UNSIGNED_BYTE, "-12");
  glListBase(0);
  EXPECT_NEAR(PenPosition()[0], 0.333f + 0.556f + 0.556f, 0.002f);
  glLoadIdentity();

  auto advance = [&](char code) {
    glLoadIdentity();
    glCallList(fonts.normal + static_cast<std::uint32_t>(code - 32));
    const float width = PenPosition()[0];
    glLoadIdentity();
    return width;
  };
  const float minus = advance('-');
  const float one = advance('1');
  const auto whole = PolygonVertices(
      [&] { PrintText(fonts.normal, "-12", 0.5f, 0.25f, 0, kUpright, std::string("0")); });
  const auto pieces = PolygonVertices([&] {
    PrintText(fonts.normal, "-", 0.5f, 0.25f, 0, kUpright);
    PrintText(fonts.normal, "1", 0.5f + 0.7f * minus, 0.25f, 0, kUpright);
    PrintText(fonts.normal, "2", 0.5f + 0.7f * (minus + one), 0.25f, 0, kUpright);
  });
  EXPECT_GT(whole.size(), 30u);
  ExpectSameVertices(whole, pieces);
  const auto reversed = PolygonVertices([&] {
    PrintText(fonts.normal, "2", 0.5f, 0.25f, 0, kUpright);
    PrintText(fonts.normal, "1", 0.5f + 0.7f * advance('2'), 0.25f, 0, kUpright);
  });
  EXPECT_NE(whole.size(), reversed.size());
}

// Glyphs are filled by the non-zero rule: the counters of "O" and "8" stay
// empty, their strokes are inked; the text stands 0.7 em per unit of height.
TEST(OutlineFont, GlyphsAreFilledWithTheirHolesOpen) {
  struct Probe {
    const char* text;
    float x;  // em units from the glyph origin
    float y;
    bool ink;
  };
  // Liberation Sans (Arial metrics): "O" spans x 0.05..0.73, y -0.01..0.69.
  const Probe probes[] = {{"O", 0.39f, 0.36f, false}, {"O", 0.08f, 0.36f, true},
                          {"O", 0.39f, 0.665f, true}, {"O", 0.39f, 0.75f, false},
                          {"8", 0.28f, 0.53f, false}, {"8", 0.28f, 0.20f, false},
                          {"8", 0.28f, 0.36f, true},  {"8", 0.28f, 0.02f, true},
                          {"I", 0.18f, 0.36f, true},  {"I", 0.35f, 0.36f, false}};
  auto context = MakeTestContext();
  ASSERT_NE(context, nullptr);
  RecordingReporter reporter;
  const Fonts fonts = MakeFonts(reporter);
  constexpr double kPixelsPerUnit = 500;
  for (const Probe& probe : probes) {
    SCOPED_TRACE(std::string(probe.text) + " at " + std::to_string(probe.x) + ", " +
                 std::to_string(probe.y));
    LookAt(*context, -0.2, -0.2, kPixelsPerUnit);
    PrintText(fonts.normal, probe.text, 0, 0, 0, kUpright, std::string("0"));
    const FrameImage image = context->ReadFrame();
    const auto column = static_cast<std::int32_t>((0.7 * probe.x + 0.2) * kPixelsPerUnit);
    const auto row =
        image.Height - 1 - static_cast<std::int32_t>((0.7 * probe.y + 0.2) * kPixelsPerUnit);
    EXPECT_EQ(RgbAt(image, column, row) == 0x000000u, probe.ink);
  }
}

// Seen edge-on the glyphs are 0.1 em deep, 0.07 units once printed.
TEST(OutlineFont, GlyphsAreExtrudedBehindTheirFace) {
  auto context = MakeTestContext();
  ASSERT_NE(context, nullptr);
  RecordingReporter reporter;
  const Fonts fonts = MakeFonts(reporter);
  constexpr double kPixelsPerUnit = 1000;
  LookAt(*context, -0.4, -0.1, kPixelsPerUnit);
  // Turned 90 degrees about y, the front face stays at x = 0 and the back
  // face (z = -0.1 em) comes to x = -0.07.
  PrintText(fonts.normal, "H", 0, 0, 0, {90, 0, 1, 0}, std::string("0"));
  const FrameImage image = context->ReadFrame();
  const std::int32_t row = image.Height / 2;
  std::int32_t first = -1;
  std::int32_t last = -1;
  for (std::int32_t x = 0; x < image.Width; ++x) {
    if (RgbAt(image, x, row) != 0xFFFFFFu) {
      first = first < 0 ? x : first;
      last = x;
    }
  }
  EXPECT_NEAR(first, (0.4 - 0.07) * kPixelsPerUnit, 2);
  EXPECT_NEAR(last, 0.4 * kPixelsPerUnit, 2);
}

// A rotation of 0 degrees leaves the text as it is, whatever the axis; other
// angles turn it about the print position.
TEST(OutlineFont, PrintTextRotatesAboutThePrintPosition) {
  auto context = MakeTestContext();
  ASSERT_NE(context, nullptr);
  RecordingReporter reporter;
  const Fonts fonts = MakeFonts(reporter);
  LookAt(*context, -4, -3, 100);
  auto print = [&](const std::array<float, 4>& rotation) {
    return PolygonVertices([&] { PrintText(fonts.normal, "Ly", 1, 0.5f, 0, rotation); });
  };
  const auto upright = print(kUpright);
  ExpectSameVertices(print({0, 0, 1, 0}), upright);
  ExpectSameVertices(print({0, 1, 0, 0}), upright);
  // A quarter turn about z: window offsets (dx, dy) from the origin become (-dy, dx).
  const auto turned = print({90, 0, 0, 1});
  ASSERT_EQ(turned.size(), upright.size());
  const float originX = (1 + 4) * 100.0f;
  const float originY = (0.5f + 3) * 100.0f;
  std::vector<std::array<float, 3>> expected;
  for (const auto& v : upright) {
    expected.push_back({originX - (v[1] - originY), originY + (v[0] - originX), v[2]});
  }
  ExpectSameVertices(turned, expected);
}

// PrintText leaves the matrix and the list base as it found them; the colour
// it sets stays current.
TEST(OutlineFont, PrintTextRestoresMatrixAndListBase) {
  auto context = MakeTestContext();
  ASSERT_NE(context, nullptr);
  RecordingReporter reporter;
  const Fonts fonts = MakeFonts(reporter);
  LookAt(*context, -4, -3, 100);
  glTranslatef(0.25f, 0.5f, 0);
  glListBase(7);
  PrintText(fonts.bold, "X1", 1, 2, 3, {30, 0, 0, 1}, std::string("255"));
  const auto pen = PenPosition();
  EXPECT_EQ(pen[0], 0.25f);
  EXPECT_EQ(pen[1], 0.5f);
  EXPECT_EQ(pen[2], 0.0f);
  GLint listBase = 0;
  glGetIntegerv(GL_LIST_BASE, &listBase);
  EXPECT_EQ(listBase, 7);
  const auto color = CurrentColor();
  EXPECT_EQ(color[0], 1.0f);
  EXPECT_EQ(color[1], 0.0f);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// The colour argument is a number text; its rounded value is a colour.
TEST(OutlineFont, PrintTextTakesItsColourFromTheNumberText) {
  struct Case {
    const char* text;
    std::array<float, 3> expected;
  };
  const Case cases[] = {
      {"255", {1, 0, 0}},      {"33023", {1, 128 / 255.0f, 0}},
      {"16711680", {0, 0, 1}}, {"254.6", {1, 0, 0}},
      {"0", {0, 0, 0}},        {"-1", {1, 0, 0}},
      {"abc", {0, 0, 0}},      {"1e20", {0.2f, 0.4f, 0.6f}},  // no 32-bit value: colour unchanged
  };
  auto context = MakeTestContext();
  ASSERT_NE(context, nullptr);
  RecordingReporter reporter;
  const Fonts fonts = MakeFonts(reporter);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    glColor3f(0.2f, 0.4f, 0.6f);
    PrintText(fonts.normal, "7", 0, 0, 0, kUpright, std::string(c.text));
    const auto color = CurrentColor();
    EXPECT_FLOAT_EQ(color[0], c.expected[0]);
    EXPECT_FLOAT_EQ(color[1], c.expected[1]);
    EXPECT_FLOAT_EQ(color[2], c.expected[2]);
  }
  // Without a colour argument the current colour is kept.
  glColor3f(0.2f, 0.4f, 0.6f);
  PrintText(fonts.normal, "7", 0, 0, 0, kUpright);
  EXPECT_FLOAT_EQ(CurrentColor()[1], 0.4f);
}

// Characters without a glyph (outside codes 32..127, including every byte of
// a multi-byte character) print nothing and do not move the pen; a font base
// of 0 (no font) prints nothing at all.
TEST(OutlineFont, CharactersWithoutGlyphPrintNothing) {
  auto context = MakeTestContext();
  ASSERT_NE(context, nullptr);
  RecordingReporter reporter;
  const Fonts fonts = MakeFonts(reporter);
  LookAt(*context, -4, -3, 100);
  auto vertices = [&](std::uint32_t base, const std::string& text) {
    return PolygonVertices([&] { PrintText(base, text, 0, 0, 0, kUpright); });
  };
  const auto plain = vertices(fonts.normal, "12");
  ExpectSameVertices(vertices(fonts.normal, "1\t2"), plain);
  ExpectSameVertices(vertices(fonts.normal,
                              "1\xC3\xA9\x80\xFF"
                              "2"),
                     plain);
  EXPECT_TRUE(vertices(fonts.normal, "\n\x01\xE2\x82\xAC").empty());
  EXPECT_TRUE(vertices(0, "12").empty());

  glClear(GL_COLOR_BUFFER_BIT);
  PrintText(0, "88", 0, 0, 0, kUpright, std::string("0"));
  EXPECT_EQ(CountNonWhite(context->ReadFrame()), 0);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// When no display lists can be reserved (here: inside glBegin/glEnd) the
// font reports the failure and yields no base.
TEST(OutlineFont, FailureIsReportedAndYieldsNoBase) {
  auto context = MakeTestContext();
  ASSERT_NE(context, nullptr);
  RecordingReporter reporter;
  glBegin(GL_LINES);
  const std::uint32_t base = CreateOutlineFont("Arial", -6, 400, false, 0, &reporter);
  glEnd();
  glGetError();
  EXPECT_EQ(base, 0u);
  ASSERT_EQ(reporter.messages.size(), 1u);
  EXPECT_EQ(std::get<0>(reporter.messages[0]), "Error");
  EXPECT_EQ(std::get<1>(reporter.messages[0]), "Unable to create font");
  EXPECT_EQ(std::get<2>(reporter.messages[0]), MessageIcon::Critical);
  // Without a reporter the failure is silent, and still no base.
  glBegin(GL_LINES);
  EXPECT_EQ(CreateOutlineFont("Arial", -6, 400, false, 0, nullptr), 0u);
  glEnd();
}

// The colour given when a font is made becomes the current colour.
TEST(OutlineFont, CreationSetsTheGivenColour) {
  auto context = MakeTestContext();
  ASSERT_NE(context, nullptr);
  RecordingReporter reporter;
  const std::uint32_t base = CreateOutlineFont("Arial", -6, 400, false, 255 + 128 * 256, &reporter);
  EXPECT_NE(base, 0u);
  const auto color = CurrentColor();
  EXPECT_FLOAT_EQ(color[0], 1.0f);
  EXPECT_FLOAT_EQ(color[1], 128 / 255.0f);
  EXPECT_FLOAT_EQ(color[2], 0.0f);
  DeleteOutlineFont(base);
}

// Green and blue divide toward zero before they take the low byte.
TEST(TextColour, SplitsIntoBytesOfTheQuotients) {
  struct Case {
    std::int32_t color;
    std::int32_t red, green, blue;
  };
  const Case cases[] = {{0, 0, 0, 0},
                        {255 + 128 * 256, 255, 128, 0},
                        {0x123456, 0x56, 0x34, 0x12},
                        {0x00FFFFFF, 255, 255, 255},
                        {0x7F0000FF, 255, 0, 0},
                        {-1, 255, 0, 0},
                        {-256, 0, 255, 0},
                        {-65536 * 2 - 256 * 3 - 4, 252, 253, 254},
                        {-16777216, 0, 0, 0}};  // 0xFF000000
  for (const Case& c : cases) {
    SCOPED_TRACE(c.color);
    EXPECT_EQ(RedOf(c.color), c.red);
    EXPECT_EQ(GreenOf(c.color), c.green);
    EXPECT_EQ(BlueOf(c.color), c.blue);
  }
}

TEST(TextColour, SetGLColorDividesEachComponentBy255) {
  struct Case {
    std::int32_t color;
    std::array<float, 3> expected;
  };
  const Case cases[] = {{255 + 128 * 256, {1, 128 / 255.0f, 0}},
                        {0, {0, 0, 0}},
                        {0xFFFFFF, {1, 1, 1}},
                        {51 + 102 * 256 + 153 * 65536, {0.2f, 0.4f, 0.6f}},
                        {0x01000000 + 255, {1, 0, 0}}};
  auto context = MakeTestContext(16, 16);
  ASSERT_NE(context, nullptr);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.color);
    glColor4f(0.5f, 0.5f, 0.5f, 0.5f);
    SetGLColor(c.color);
    const auto color = CurrentColor();
    EXPECT_FLOAT_EQ(color[0], c.expected[0]);
    EXPECT_FLOAT_EQ(color[1], c.expected[1]);
    EXPECT_FLOAT_EQ(color[2], c.expected[2]);
    EXPECT_FLOAT_EQ(color[3], 1.0f);
  }
}

}  // namespace
}  // namespace quillon
