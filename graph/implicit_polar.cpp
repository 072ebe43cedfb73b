// The polar pass of ImplicitShape::Classify.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "graph/implicit_parts.h"

namespace quillon::implicit {
namespace {

// Binary splits of a polar cell at most: far below the width of a double.
constexpr int kMostPolarSplits = 80;

// The polar pixels: the region of a and r split until a cell's image lies
// in one pixel and a zero is proven in the cell, or the cell is proven free
// of zeros. Cells left at the limit make the pixels their image meets
// undecided, unless a zero is proven there by another cell.
class PolarPass {
 public:
  PolarPass(const ImplicitShape::Parts& parts, ImplicitPicture& picture)
      : parts_(parts),
        grid_(picture.grid),
        picture_(picture),
        maybe_(picture.pixels.size(), false) {}

  void Run() {
    const Interval as = parts_.region.u;
    const Interval rs = parts_.region.v;
    if (!as.IsEmpty() && !rs.IsEmpty())
      Cell(as, rs, 0, -1);
    if (parts_.Stopped())
      return;
    for (std::size_t i = 0; i < maybe_.size(); ++i) {
      if (maybe_[i] && picture_.pixels[i] != PixelClass::Curve)
        picture_.pixels[i] = PixelClass::Undecided;
    }
    if (parts_.region.inequation)
      TintInside();
  }

 private:
  struct PixelSpan {
    std::int32_t c0 = 0, c1 = -1, r0 = 0, r1 = -1;  // inclusive, within the grid
    bool single = false;                            // the image lies in one pixel of the grid
  };

  // The pixels an image box meets, clipped to the grid (empty when none).
  PixelSpan Span(Interval x, Interval y) const {
    const double c0 = std::floor((x.lo - grid_.left) / grid_.pixelWidth);
    const double c1 = std::floor((x.hi - grid_.left) / grid_.pixelWidth);
    const double r0 = std::floor((y.lo - grid_.bottom) / grid_.pixelHeight);
    const double r1 = std::floor((y.hi - grid_.bottom) / grid_.pixelHeight);
    PixelSpan s;
    if (!(c1 >= 0 && r1 >= 0 && c0 < grid_.columns && r0 < grid_.rows))
      return s;
    s.single = c0 == c1 && r0 == r1;
    s.c0 = static_cast<std::int32_t>(std::max(c0, 0.0));
    s.c1 = static_cast<std::int32_t>(std::min(c1, grid_.columns - 1.0));
    s.r0 = static_cast<std::int32_t>(std::max(r0, 0.0));
    s.r1 = static_cast<std::int32_t>(std::min(r1, grid_.rows - 1.0));
    return s;
  }

  std::size_t Index(std::int32_t c, std::int32_t r) const {
    return static_cast<std::size_t>(r) * static_cast<std::size_t>(grid_.columns) +
           static_cast<std::size_t>(c);
  }

  // singleSplits counts the splits since the cell's image first lay in one
  // pixel (-1 before).
  void Cell(Interval as, Interval rs, int splits, int singleSplits) {
    const VariableBox box = parts_.Box(as, rs);
    const DecoratedInterval x = parts_.polarX.EvaluateBox(box);
    const DecoratedInterval y = parts_.polarY.EvaluateBox(box);
    const PixelSpan span = Span(x.value, y.value);
    if (span.c1 < span.c0 || span.r1 < span.r0)
      return;
    // The image, the enclosure and four corners.
    if (!parts_.Spend(7)) {
      MarkOpen(span);
      return;
    }
    const DecoratedInterval d = parts_.Evaluate(as, rs);
    if (d.ExcludesZero())
      return;
    if (span.single) {
      if (picture_.pixels[Index(span.c0, span.r0)] == PixelClass::Curve)
        return;
      const SignBits signs = parts_.CornerSigns(as, rs);
      const bool proven = (signs & kExactZero) != 0 ||
                          (d.IsDefinedAndContinuous() && (signs & kBothSigns) == kBothSigns);
      if (proven) {
        picture_.pixels[Index(span.c0, span.r0)] = PixelClass::Curve;
        return;
      }
      singleSplits = std::max(singleSplits, 0);
    }
    if (splits >= kMostPolarSplits || singleSplits >= 2 * ImplicitShape::kPixelDepth) {
      MarkOpen(span);
      return;
    }
    const int next = singleSplits >= 0 ? singleSplits + 1 : -1;
    // Split the side that moves the image most: a by r's size, r by 1.
    const double reach = std::max(std::fabs(rs.lo), std::fabs(rs.hi));
    if ((as.hi - as.lo) * reach >= rs.hi - rs.lo) {
      const double am = as.lo + (as.hi - as.lo) / 2;
      Cell({as.lo, am}, rs, splits + 1, next);
      Cell({am, as.hi}, rs, splits + 1, next);
    } else {
      const double rm = rs.lo + (rs.hi - rs.lo) / 2;
      Cell(as, {rs.lo, rm}, splits + 1, next);
      Cell(as, {rm, rs.hi}, splits + 1, next);
    }
  }

  // The pixels a cell left open may reach.
  void MarkOpen(const PixelSpan& span) {
    for (std::int32_t r = span.r0; r <= span.r1; ++r) {
      for (std::int32_t c = span.c0; c <= span.c1; ++c)
        maybe_[Index(c, r)] = true;
    }
  }

  // A polar inequation tints a pixel where its centre is proven inside at
  // one of its points (a, r) of the region: every turn of its angle, with
  // the radius and with the opposite radius half a turn on.
  void TintInside() {
    constexpr double kTurn = 6.283185307179586;
    const Interval as = parts_.region.u;
    const Interval rs = parts_.region.v;
    for (std::int32_t r = 0; r < grid_.rows && !parts_.Stopped(); ++r) {
      for (std::int32_t c = 0; c < grid_.columns; ++c) {
        PixelClass& pixel = picture_.pixels[Index(c, r)];
        if (pixel != PixelClass::Blank)
          continue;
        const double x = grid_.left + (c + 0.5) * grid_.pixelWidth;
        const double y = grid_.bottom + (r + 0.5) * grid_.pixelHeight;
        const double rho = std::hypot(x, y);
        const double theta = std::atan2(y, x);
        bool inside = false;
        for (const double radius : {rho, -rho}) {
          if (inside || !rs.Contains(radius))
            continue;
          const double base = radius >= 0 ? theta : theta + kTurn / 2;
          const double first = base + std::ceil((as.lo - base) / kTurn) * kTurn;
          for (double a = first; a <= as.hi && !inside && parts_.Spend(1); a += kTurn)
            inside = parts_.PointSign(a, radius) == kNegative;
        }
        if (inside)
          pixel = PixelClass::Inside;
      }
    }
  }

  const ImplicitShape::Parts& parts_;
  const PixelGrid& grid_;
  ImplicitPicture& picture_;
  std::vector<bool> maybe_;  // pixels a cell at the limit may reach
};

}  // namespace

void ClassifyPolar(const ImplicitShape::Parts& parts, ImplicitPicture& picture) {
  PolarPass(parts, picture).Run();
}

}  // namespace quillon::implicit
