// Tangent and normal lines, the derivative curve and the integral of an
// explicit graph against values computed here from each formula.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "graph/analysis_overlay.h"
#include "graph_test_support.h"

namespace quillon {
namespace {

const double kPi = std::acos(-1.0);
const OverlayView kView{-4, 4, -3, 3, 0.01, 0.01};

AnalysisOverlay Overlay(const std::string& text) {
  DocumentValues document;
  return AnalysisOverlay(testing::ExplicitCurve(document, text, -10, 10));
}

// The slope of a line and whether it passes through (x, y).
double Slope(const OverlayLine& line) {
  return (line.to.y - line.from.y) / (line.to.x - line.from.x);
}
bool Passes(const OverlayLine& line, double x, double y) {
  return std::abs(line.from.y + Slope(line) * (x - line.from.x) - y) < 1e-9;
}

TEST(AnalysisOverlay, TangentsAndNormalsFollowTheDerivative) {
  const struct {
    const char* text;
    double x, y, slope;  // slope: NAN where there is no tangent
  } cases[] = {
      {"x^2", 1, 1, 2},       {"sin(x)", 0, 0, 1},   {"exp(x)", 1, std::exp(1.0), std::exp(1.0)},
      {"sqrt(x)", 0, 0, NAN}, {"x^2", 12, 144, NAN},  // outside the range
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " at " + std::to_string(c.x));
    const AnalysisOverlay overlay = Overlay(c.text);
    const auto tangent = overlay.Tangent(c.x, kView);
    const auto normal = overlay.Normal(c.x, kView);
    ASSERT_EQ(tangent.has_value(), !std::isnan(c.slope));
    ASSERT_EQ(normal.has_value(), !std::isnan(c.slope));
    if (!tangent)
      continue;
    EXPECT_NEAR(Slope(*tangent), c.slope, 1e-9);
    EXPECT_NEAR(Slope(*normal), -1 / c.slope, 1e-9);
    EXPECT_TRUE(Passes(*tangent, c.x, c.y));
    EXPECT_TRUE(Passes(*normal, c.x, c.y));
  }
  // A level tangent has a vertical normal.
  const auto vertical = Overlay("x^3").Normal(0, kView);
  ASSERT_TRUE(vertical);
  EXPECT_EQ(vertical->from.x, 0);
  EXPECT_EQ(vertical->to.x, 0);
}

// The derivative breaks at poles and corners and nowhere else, and its
// chords stay within half a pixel of it.
TEST(AnalysisOverlay, DerivativeCurveBreaksOnlyWhereItMust) {
  const struct {
    const char* text;
    std::size_t pieces;
    double (*derivative)(double);
  } cases[] = {
      {"tan(x)", 3, [](double x) { return 1 / (std::cos(x) * std::cos(x)); }},
      {"abs(x)", 2, [](double x) { return x < 0 ? -1.0 : 1.0; }},
      {"x^3-2*x", 1, [](double x) { return 3 * x * x - 2; }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const auto pieces = Overlay(c.text).Derivative(kView);
    EXPECT_EQ(pieces.size(), c.pieces);
    std::size_t points = 0;
    for (const auto& piece : pieces) {
      for (std::size_t i = 0; i < piece.size(); ++i) {
        const OverlayPoint& p = piece[i];
        ++points;
        ASSERT_NEAR(p.y, c.derivative(p.x), 1e-9 * std::max(1.0, std::abs(p.y))) << p.x;
        if (i > 0) {
          // The chord stays within half a pixel of f' between its ends.
          const OverlayPoint& q = piece[i - 1];
          const double x = (p.x + q.x) / 2;
          ASSERT_NEAR((p.y + q.y) / 2, c.derivative(x), kView.pixelHeight / 2 + 1e-9) << x;
        }
      }
    }
    // Every column but those at the breaks.
    EXPECT_GT(points, 790u);
  }
}

TEST(AnalysisOverlay, IntegralIsEnclosedTightly) {
  const struct {
    const char* text;
    double from, to, value;  // NAN: no value (a pole inside)
  } cases[] = {
      {"x^2", 0, 1, 1.0 / 3}, {"x^2", 1, 0, -1.0 / 3},
      {"sin(x)", 0, kPi, 2},  {"exp(-x^2)", -5, 5, std::sqrt(kPi) * std::erf(5.0)},
      {"1/x", -1, 1, NAN},    {"abs(x)", -1, 2, 2.5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " " + std::to_string(c.from) + ".." + std::to_string(c.to));
    const std::optional<Interval> value = Overlay(c.text).Integral(c.from, c.to);
    ASSERT_EQ(value.has_value(), !std::isnan(c.value));
    if (!value)
      continue;
    EXPECT_LE(value->lo, c.value + 1e-15);
    EXPECT_GE(value->hi, c.value - 1e-15);
    EXPECT_LT(value->hi - value->lo, 1e-4);
  }
  EXPECT_EQ(CertainDigits({0.33333333333333, 0.33333333333334}), "0.3333333333333");
  EXPECT_EQ(CertainDigits({-0.1, 0.1}), "-0.1..0.1");
}

}  // namespace
}  // namespace quillon
