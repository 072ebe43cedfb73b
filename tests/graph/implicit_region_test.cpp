// Pixels of implicit graphs against truth computed here from each formula:
// where the closed pixel (within the region) meets the curve, it must be
// inked; where it does not, blank; pixels the truth cannot tell apart within
// rounding are not checked.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "graph/implicit_region.h"
#include "support/compiled_text.h"

namespace quillon {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kPixel = 1.0 / 8;
constexpr double kNear = 1e-9;  // closer calls are not checked

// 128 x 96 pixels of 1/8, the origin at the centre of pixel (64, 48).
PixelGrid TestGrid() {
  return {-64.5 * kPixel, -48.5 * kPixel, kPixel, kPixel, 128, 96};
}

enum class Truth { Blank, Curve, Inside, Unsure };

struct Box2 {
  double x0, x1, y0, y1;
};

// Where a box lies for a curve given by its signed distance bounds: the
// curve meets the box when lo <= 0 <= hi.
Truth FromBounds(double lo, double hi) {
  if (std::fabs(lo) < kNear || std::fabs(hi) < kNear)
    return Truth::Unsure;
  return lo < 0 && hi > 0 ? Truth::Curve : Truth::Blank;
}

// A circle of radius r around the origin; inside for inequations.
Truth Circle(const Box2& b, double r, bool inequation) {
  const double nx = std::clamp(0.0, b.x0, b.x1);
  const double ny = std::clamp(0.0, b.y0, b.y1);
  const double fx = std::max(std::fabs(b.x0), std::fabs(b.x1));
  const double fy = std::max(std::fabs(b.y0), std::fabs(b.y1));
  const Truth t = FromBounds(std::hypot(nx, ny) - r, std::hypot(fx, fy) - r);
  return inequation && t == Truth::Blank && std::hypot(fx, fy) < r ? Truth::Inside : t;
}

// The lines a x + b y = c + period k for every whole k (period 0: one line).
Truth Lines(const Box2& box, double a, double b, double c, double period) {
  const double lo = std::min(a * box.x0, a * box.x1) + std::min(b * box.y0, b * box.y1);
  const double hi = std::max(a * box.x0, a * box.x1) + std::max(b * box.y0, b * box.y1);
  const double k = period == 0 ? 0 : std::floor((hi - c) / period);
  const double line = c + k * period;
  return FromBounds(lo - line, hi - line);
}

Truth Either(Truth a, Truth b) {
  if (a == Truth::Unsure || b == Truth::Unsure)
    return Truth::Unsure;
  return a == Truth::Curve || b == Truth::Curve ? Truth::Curve : Truth::Blank;
}

// y - 3 sin x over the box: the range of 3 sin x over [x0, x1] against y.
Truth SineBand(const Box2& b) {
  double lo = std::min(std::sin(b.x0), std::sin(b.x1));
  double hi = std::max(std::sin(b.x0), std::sin(b.x1));
  if (std::floor((b.x1 - kPi / 2) / (2 * kPi)) * 2 * kPi + kPi / 2 >= b.x0)
    hi = 1;
  if (std::floor((b.x1 + kPi / 2) / (2 * kPi)) * 2 * kPi - kPi / 2 >= b.x0)
    lo = -1;
  const Truth t = FromBounds(b.y0 - 3 * hi, b.y1 - 3 * lo);
  return t == Truth::Blank && b.y1 < 3 * lo ? Truth::Inside : t;
}

std::function<Truth(const Box2&)> CircleOf(double r, bool inequation) {
  return [=](const Box2& b) { return Circle(b, r, inequation); };
}

// sin x = cos y on the lines x + y and x - y = pi/2 + 2 pi k.
Truth SineCosine(const Box2& b) {
  return Either(Lines(b, 1, 1, kPi / 2, 2 * kPi), Lines(b, 1, -1, kPi / 2, 2 * kPi));
}

Truth Diagonals(const Box2& b) {
  return Either(Lines(b, 1, -1, 0, 0), Lines(b, 1, 1, 0, 0));
}

// tan 4x is 0 at x = pi/4 k; its poles in between are no curve.
Truth TangentZeros(const Box2& b) {
  return Lines(b, 1, 0, 0, kPi / 4);
}

struct Case {
  const char* text;
  bool polar;
  bool inequation;
  Interval u, v;
  std::function<Truth(const Box2&)> truth;
};

const Interval kWide = {-100, 100};
const Interval kRight = {0, 100};
const Interval kTurn = {0, 6.2832};
const Interval kRadii = {0, 5};
const Interval kBothRadii = {-5, 5};

const Case kCases[] = {
    {"x^2+y^2-25", false, false, kWide, kWide, CircleOf(5, false)},
    {"x^2+y^2-25", false, false, kRight, kWide, CircleOf(5, false)},
    {"sin(x)-cos(y)", false, false, kWide, kWide, SineCosine},
    {"x^2-y^2", false, false, kWide, kWide, Diagonals},
    {"x^2+y^2-0.0001", false, false, kWide, kWide, CircleOf(0.01, false)},
    {"tan(4*x)", false, false, kWide, kWide, TangentZeros},
    {"1/(x-y)", false, false, kWide, kWide, [](const Box2&) { return Truth::Blank; }},
    {"x^2+y^2-9", false, true, kWide, kWide, CircleOf(3, true)},
    {"y-3*sin(x)", false, true, {-5, 5}, {-4, 4}, SineBand},
    {"y-3*sin(x)", false, true, kWide, kWide, SineBand},
    // Polar r - 2 over one turn, with and without negative radii: a circle.
    {"r-2", true, false, kTurn, kRadii, CircleOf(2, false)},
    {"r-2", true, false, kTurn, kBothRadii, CircleOf(2, false)},
};

ImplicitPicture Classify(const char* text, bool polar, bool inequation, Interval u, Interval v,
                         const std::atomic<bool>* stop = nullptr) {
  return ImplicitShape(testing::Postfix(text), {polar, inequation, u, v})
      .Classify(TestGrid(), stop);
}

// The pixel (c, r) within the region; empty boxes have x0 > x1 or y0 > y1.
Box2 PixelBox(const PixelGrid& g, std::int32_t c, std::int32_t r, Interval u, Interval v) {
  return {std::max(g.left + c * g.pixelWidth, u.lo),
          std::min(g.left + (c + 1) * g.pixelWidth, u.hi),
          std::max(g.bottom + r * g.pixelHeight, v.lo),
          std::min(g.bottom + (r + 1) * g.pixelHeight, v.hi)};
}

TEST(ImplicitRegion, PixelsMatchTheFormula) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(std::string(c.text) + (c.inequation ? " < 0" : " = 0"));
    const ImplicitPicture picture = Classify(c.text, c.polar, c.inequation, c.u, c.v);
    const PixelGrid& g = picture.grid;
    ASSERT_EQ(picture.pixels.size(), 128u * 96u);
    std::int64_t wrong = 0;
    std::int64_t inked = 0;
    for (std::int32_t r = 0; r < g.rows; ++r) {
      for (std::int32_t col = 0; col < g.columns; ++col) {
        // The region clips Cartesian pixels only.
        const Box2 box =
            c.polar ? PixelBox(g, col, r, kWide, kWide) : PixelBox(g, col, r, c.u, c.v);
        const Truth truth = box.x0 > box.x1 || box.y0 > box.y1 ? Truth::Blank : c.truth(box);
        const PixelClass got = picture.At(col, r);
        inked += got == PixelClass::Curve ? 1 : 0;
        const bool right = truth == Truth::Unsure || got == PixelClass::Undecided ||
                           (truth == Truth::Blank && got == PixelClass::Blank) ||
                           (truth == Truth::Curve && got == PixelClass::Curve) ||
                           (truth == Truth::Inside && got == PixelClass::Inside);
        if (!right && wrong++ < 3)
          ADD_FAILURE() << "pixel " << col << ", " << r << " is " << static_cast<int>(got);
      }
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(picture.undecided, 0);
    if (std::string(c.text) == "x^2+y^2-0.0001") {
      EXPECT_EQ(inked, 1);
      EXPECT_EQ(picture.At(64, 48), PixelClass::Curve);
    }
  }
}

// A double zero cannot be proven by a sign change: its pixels are counted
// as undecided, and none away from the line is inked.
TEST(ImplicitRegion, DoubleZeroIsUndecidedAndCounted) {
  const ImplicitPicture picture = Classify("(x-y-0.3)^2", false, false, kWide, kWide);
  EXPECT_GT(picture.undecided, 100);
  for (std::int32_t r = 0; r < 96; ++r) {
    for (std::int32_t c = 0; c < 128; ++c) {
      if (std::fabs((c - 64) - (r - 48) - 0.3 / kPixel) > 2) {
        ASSERT_EQ(picture.At(c, r), PixelClass::Blank) << c << ", " << r;
      }
    }
  }
}

// A classification stopped from the start (a view change in the window)
// ends before it proves anything.
TEST(ImplicitRegion, StoppedClassificationEndsAtOnce) {
  const std::atomic<bool> stop{true};
  for (const bool polar : {false, true}) {
    const ImplicitPicture picture =
        Classify(polar ? "r-2" : "x^2+y^2-4", polar, true, kTurn, kWide, &stop);
    EXPECT_EQ(std::count(picture.pixels.begin(), picture.pixels.end(), PixelClass::Curve), 0);
  }
}

}  // namespace
}  // namespace quillon
