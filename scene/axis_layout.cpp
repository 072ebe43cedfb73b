#include "scene/axis_layout.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <utility>

namespace quillon {
namespace {

constexpr std::int64_t kLastTableIndex = 500;
// Integer parts are kept within this range, where doubles and 64-bit
// integers are both exact.
constexpr double kLargestWhole = 1e15;

// Labels keep one size on screen: 1 em in pixels, about their size in the
// opening view (40 units over the drawing area of the first window).
constexpr double kLabelEmPixels = 10;
// Free pixels between the axis line (or a tick's end) and its labels, and
// between neighbours.
constexpr double kLabelGapPixels = 4;
// The white margin around a label's ink, so that curves do not cross it.
constexpr double kMarginPixels = 2;
// Ticks closer than this are thinned like the labels.
constexpr double kLeastTickPixels = 4;
// Metrics of the fonts in em: digit height and advances (letters of the
// bold font at their widest).
constexpr double kDigitHeightEm = 0.716;
constexpr double kDigitAdvanceEm = 0.556;
constexpr double kMinusAdvanceEm = 0.333;
constexpr double kLetterAdvanceEm = 0.667;
// The bar of "-": from its left to its right end, at this height.
constexpr double kMinusLeftEm = 0.066;
constexpr double kMinusRightEm = 0.267;
constexpr double kMinusHeightEm = 0.26;

// Ticks and arrow heads keep one size on screen, the size they have at a
// view of this many pixels per unit (the opening view), which is also the
// size they take where the view's scale is unknown.
constexpr double kOpeningPixelsPerUnit = 20;
// The plane axis lines reach this far past the box, in world units.
constexpr double kAxisOverhang = 2.1;
constexpr double kTickPixels = 8;
// Ticks of the frame, outside it.
constexpr double kFrameTickPixels = 6;
// The frame lies this far inside the box, world units.
constexpr double kFrameInset = 0.1;
// The head's tip lies this far beyond the end of the axis line, its base
// this far before it, and it is twice the half width across.
constexpr double kHeadTipPixels = 10;
constexpr double kHeadBasePixels = 2;
constexpr double kHeadHalfWidthPixels = 4;

std::int64_t WholeBelow(double value) {
  return static_cast<std::int64_t>(std::clamp(std::floor(value), -kLargestWhole, kLargestWhole));
}

std::int64_t WholeAbove(double value) {
  return static_cast<std::int64_t>(std::clamp(std::ceil(value), -kLargestWhole, kLargestWhole));
}

bool Usable(double pixelsPerUnit) {
  return pixelsPerUnit > 0 && std::isfinite(pixelsPerUnit);
}

// World units of `pixels` pixels at pixelsPerUnit.
double WorldOf(double pixels, double pixelsPerUnit) {
  return pixels / (Usable(pixelsPerUnit) ? pixelsPerUnit : kOpeningPixelsPerUnit);
}

bool OnStep(std::int64_t position, std::int64_t factor) {
  return position % factor == 0;
}

double LabelWidthEm(const std::string& text) {
  double width = 0;
  for (const char ch : text) {
    if (ch == '-') {
      width += kMinusAdvanceEm;
    } else {
      width += ch >= '0' && ch <= '9' ? kDigitAdvanceEm : kLetterAdvanceEm;
    }
  }
  return width;
}

// The widest label of the whole numbers first..first + last: one of the ends.
double WidestLabelEm(std::int64_t first, std::int64_t last) {
  return std::max(LabelWidthEm(std::to_string(first)),
                  LabelWidthEm(std::to_string(first + std::max<std::int64_t>(last, 0))));
}

// Every how many units labels go, across and up, so that neighbours keep a
// gap: the widest label across (whole numbers first..first + last), a
// digit's height up; multiples of the tick steps, so labels lie on ticks.
struct LabelSteps {
  std::int64_t across = 1;
  std::int64_t up = 1;
};

LabelSteps StepsOfLabels(std::int64_t first, std::int64_t last, const PixelScale& scale,
                         const LabelSteps& ticks) {
  return {ThinningFactor(WidestLabelEm(first, last) * kLabelEmPixels + kLabelGapPixels, scale.x,
                         ticks.across),
          ThinningFactor(kDigitHeightEm * kLabelEmPixels + kLabelGapPixels, scale.y, ticks.up)};
}

// Sizes and places labels in world units for a view of the given pixels
// per unit.
class LabelPlacer {
 public:
  explicit LabelPlacer(const PixelScale& scale) : across_(1 / scale.x), up_(1 / scale.y) {}

  double Across(double pixels) const { return pixels * across_; }
  double Up(double pixels) const { return pixels * up_; }
  double Width(const std::string& text) const {
    return Across(LabelWidthEm(text) * kLabelEmPixels);
  }
  double Height() const { return Up(kDigitHeightEm * kLabelEmPixels); }

  void Add(AxisLayout& layout, std::string text, double x, double y, bool letter = false) const {
    AxisLabel label;
    label.marginLow = {x - Across(kMarginPixels), y - Up(kMarginPixels)};
    label.marginHigh = {x + Width(text) + Across(kMarginPixels), y + Height() + Up(kMarginPixels)};
    label.baseline = {x, y};
    label.letter = letter;
    if (!text.empty() && text.front() == '-') {
      const double barY = y + Up(kMinusHeightEm * kLabelEmPixels);
      layout.minusBars.push_back({{x + Across(kMinusLeftEm * kLabelEmPixels), barY},
                                  {x + Across(kMinusRightEm * kLabelEmPixels), barY}});
    }
    label.text = std::move(text);
    layout.labels.push_back(std::move(label));
  }

  void SetEm(AxisLayout& layout) const {
    layout.emAcross = Across(kLabelEmPixels);
    layout.emUp = Up(kLabelEmPixels);
  }

 private:
  double across_;  // world units per pixel along x
  double up_;      // and along y
};

}  // namespace

std::int64_t LastDrawnIndex(std::int64_t count) {
  return std::min(count, kLastTableIndex);
}

AxisLayout LayOutPlaneAxis(const Axis& axis, const Box& box, const PixelScale& scale) {
  AxisLayout layout;
  const double minX = box.MinX(), maxX = box.MaxX(), minY = box.MinY(), maxY = box.MaxY();
  // Unit positions Int(Min) + i for i = 0..n, n = Int(Max) - Int(Min) + 1.
  const std::int64_t firstX = WholeBelow(minX);
  const std::int64_t firstY = WholeBelow(minY);
  const std::int64_t lastX = LastDrawnIndex(WholeBelow(maxX) - firstX + 1);
  const std::int64_t lastY = LastDrawnIndex(WholeBelow(maxY) - firstY + 1);

  const LabelSteps tickSteps{ThinningFactor(kLeastTickPixels, scale.x),
                             ThinningFactor(kLeastTickPixels, scale.y)};
  for (std::int64_t i = 0; i <= lastX; ++i) {
    if (OnStep(firstX + i, tickSteps.across)) {
      const auto x = static_cast<double>(firstX + i);
      layout.ticks.push_back({{x, 0}, {x, WorldOf(kTickPixels, scale.y)}});
    }
  }
  for (std::int64_t i = 0; i <= lastY; ++i) {
    if (OnStep(firstY + i, tickSteps.up)) {
      const auto y = static_cast<double>(firstY + i);
      layout.ticks.push_back({{0, y}, {WorldOf(kTickPixels, scale.x), y}});
    }
  }

  // Wider lines grow both ways; the heads move by a fifth of a pixel per
  // extra pixel of width.
  const double shift = (static_cast<double>(axis.width) - 1) * 0.2;
  const double xEnd = maxX + kAxisOverhang;
  const double yEnd = maxY + kAxisOverhang;
  const double across = WorldOf(kHeadHalfWidthPixels, scale.y);
  const double up = WorldOf(kHeadHalfWidthPixels, scale.x);
  const double xShift = WorldOf(shift, scale.y);
  const double yShift = WorldOf(shift, scale.x);
  const double xTip = xEnd + WorldOf(kHeadTipPixels, scale.x);
  const double xBase = xEnd - WorldOf(kHeadBasePixels, scale.x);
  const double yTip = yEnd + WorldOf(kHeadTipPixels, scale.y);
  const double yBase = yEnd - WorldOf(kHeadBasePixels, scale.y);
  layout.heads.push_back({{{xTip, -xShift}, {xBase, across - xShift}, {xBase, -across - xShift}}});
  layout.heads.push_back({{{-yShift, yTip}, {up - yShift, yBase}, {-up - yShift, yBase}}});
  layout.lines.push_back({{minX - kAxisOverhang, 0}, {xEnd, 0}});
  layout.lines.push_back({{0, minY - kAxisOverhang}, {0, yEnd}});

  if (!Usable(scale.x) || !Usable(scale.y)) {
    return layout;
  }
  const LabelPlacer placer(scale);
  placer.SetEm(layout);
  const LabelSteps labelSteps = StepsOfLabels(firstX, lastX, scale, tickSteps);
  // x labels hang below the axis, centred on their ticks; y labels stand
  // left of it, centred on theirs. A y label reaching into the band of the
  // x labels gives way to them.
  const double xBaseline = -placer.Up(kLabelGapPixels) - placer.Height();
  const double xBandBottom = xBaseline - placer.Up(kMarginPixels);
  // The letters go past the labels' ends, which at a small scale reach
  // beyond the heads.
  double xLabelsRight = -std::numeric_limits<double>::infinity();
  double yLabelsTop = -std::numeric_limits<double>::infinity();
  for (std::int64_t i = 0; i <= lastX; ++i) {
    const std::int64_t position = firstX + i;
    if (position != 0 && OnStep(position, labelSteps.across)) {
      std::string text = std::to_string(position);
      const double x = static_cast<double>(position) - placer.Width(text) / 2;
      xLabelsRight = x + placer.Width(text);
      placer.Add(layout, std::move(text), x, xBaseline);
    }
  }
  for (std::int64_t i = 0; i <= lastY; ++i) {
    const std::int64_t position = firstY + i;
    const double y = static_cast<double>(position) - placer.Height() / 2;
    const double top = y + placer.Height() + placer.Up(kMarginPixels);
    if (position != 0 && OnStep(position, labelSteps.up) && !(position < 0 && top > xBandBottom)) {
      std::string text = std::to_string(position);
      const double x = -placer.Across(kLabelGapPixels) - placer.Width(text);
      yLabelsTop = y + placer.Height();
      placer.Add(layout, std::move(text), x, y);
    }
  }
  // The letters keep clear of the heads: "X" past the tip, "Y" beside the
  // head, which reaches its half width off its axis.
  const double gapAcross = placer.Across(kLabelGapPixels);
  placer.Add(layout, "X", std::max(xTip, xLabelsRight + placer.Across(kMarginPixels)) + gapAcross,
             xBaseline, true);
  placer.Add(layout, "Y", -up - gapAcross - placer.Width("Y"),
             std::max(yBase, yLabelsTop + placer.Up(kLabelGapPixels + kMarginPixels)), true);
  return layout;
}

AxisLayout LayOutFramedAxis(const Axis&, const Box& box, const PixelScale& scale) {
  AxisLayout layout;
  const double left = box.MinX() + kFrameInset;
  const double right = box.MaxX() - kFrameInset;
  const double bottom = box.MinZ() + kFrameInset;
  const double top = box.MaxZ() - kFrameInset;
  layout.depth = Axis::PlaneDepth(box, DocumentKind::Field);
  const std::array<AxisPoint, 4> corners{
      {{left, bottom}, {right, bottom}, {right, top}, {left, top}}};
  for (std::size_t i = 0; i < corners.size(); ++i) {
    layout.lines.push_back({corners[i], corners[(i + 1) % corners.size()]});
  }

  // Ticks on the whole numbers inside the frame.
  const std::int64_t firstX = WholeAbove(left);
  const std::int64_t lastX = LastDrawnIndex(WholeBelow(right) - firstX);
  const std::int64_t firstZ = WholeAbove(bottom);
  const std::int64_t lastZ = LastDrawnIndex(WholeBelow(top) - firstZ);
  const LabelSteps tickSteps{ThinningFactor(kLeastTickPixels, scale.x),
                             ThinningFactor(kLeastTickPixels, scale.y)};
  const double xTickEnd = bottom - WorldOf(kFrameTickPixels, scale.y);
  const double zTickEnd = left - WorldOf(kFrameTickPixels, scale.x);
  for (std::int64_t i = 0; i <= lastX; ++i) {
    if (OnStep(firstX + i, tickSteps.across)) {
      const auto x = static_cast<double>(firstX + i);
      layout.ticks.push_back({{x, bottom}, {x, xTickEnd}});
    }
  }
  for (std::int64_t i = 0; i <= lastZ; ++i) {
    if (OnStep(firstZ + i, tickSteps.up)) {
      const auto z = static_cast<double>(firstZ + i);
      layout.ticks.push_back({{left, z}, {zTickEnd, z}});
    }
  }

  if (!Usable(scale.x) || !Usable(scale.y)) {
    return layout;
  }
  const LabelPlacer placer(scale);
  placer.SetEm(layout);
  const LabelSteps labelSteps = StepsOfLabels(firstX, lastX, scale, tickSteps);
  // Numbers below the frame centred on their ticks and left of it centred
  // on theirs, 0 included (no axis crosses there).
  const double xBaseline = xTickEnd - placer.Up(kLabelGapPixels) - placer.Height();
  double labelsRight = right;
  for (std::int64_t i = 0; i <= lastX; ++i) {
    const std::int64_t position = firstX + i;
    if (OnStep(position, labelSteps.across)) {
      std::string text = std::to_string(position);
      const double x = static_cast<double>(position) - placer.Width(text) / 2;
      labelsRight = std::max(labelsRight, x + placer.Width(text));
      placer.Add(layout, std::move(text), x, xBaseline);
    }
  }
  for (std::int64_t i = 0; i <= lastZ; ++i) {
    const std::int64_t position = firstZ + i;
    if (OnStep(position, labelSteps.up)) {
      std::string text = std::to_string(position);
      const double x = zTickEnd - placer.Across(kLabelGapPixels) - placer.Width(text);
      placer.Add(layout, std::move(text), x, static_cast<double>(position) - placer.Height() / 2);
    }
  }
  // "X" after the last number below the frame, "Y" over its top left corner.
  placer.Add(layout, "X", labelsRight + placer.Across(kLabelGapPixels + kMarginPixels), xBaseline,
             true);
  placer.Add(layout, "Y", left - placer.Width("Y") / 2, top + placer.Up(kLabelGapPixels), true);
  return layout;
}

}  // namespace quillon
