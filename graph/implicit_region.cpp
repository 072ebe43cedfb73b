#include "graph/implicit_region.h"

#include <algorithm>
#include <cmath>

#include "expr/compiled_expression.h"
#include "expr/expression_compiler.h"
#include "expr/random_generator.h"
#include "graph/graph.h"

namespace quillon {

namespace {

// What is proven of F at a point, as bits so that the signs seen over a
// piece of a pixel combine with |.
using SignBits = unsigned;
constexpr SignBits kPositive = 1;
constexpr SignBits kNegative = 2;
constexpr SignBits kExactZero = 4;
constexpr SignBits kBothSigns = kPositive | kNegative;

// Binary splits of a polar cell at most: far below the width of a double.
constexpr int kMostPolarSplits = 80;

Interval Meet(Interval a, Interval b) {
  return {std::max(a.lo, b.lo), std::min(a.hi, b.hi)};
}

// A block of pixels of the Cartesian pass: column and row in units of the
// level's block size.
struct Cell {
  std::int32_t c = 0;
  std::int32_t r = 0;
  bool continuous = false;  // F is defined and continuous on the parent block
};

// The signs of F at the points of a line between pixel rows (the bottom of
// row `line`) that were asked for: known[c] == stamp.
struct CornerLine {
  std::int32_t line = -1;
  std::uint32_t stamp = 0;
  std::vector<SignBits> signs;
  std::vector<std::uint32_t> known;
};

// The working runs of the Cartesian pass, kept by the shape between
// classifications so that a frame allocates nothing once they have grown.
struct CartesianScratch {
  std::vector<Cell> cells, next, upper, open;
  std::vector<Interval> runs, points;
  std::vector<std::int32_t> columns, wanted;
  std::vector<DecoratedInterval> values;
  CornerLine lines[2];
};

// What the pieces of one pixel have shown.
struct PixelProof {
  bool zero = false;        // a zero of F is proven
  bool unknown = false;     // a piece was left unresolved at the limit
  bool allNegative = true;  // every resolved piece is proven F < 0
};

}  // namespace

struct ImplicitShape::Parts {
  CompiledExpression function;
  // r cos a and r sin a over a cell of a polar region.
  CompiledExpression polarX;
  CompiledExpression polarY;
  ImplicitRegion region;
  // Working runs of Classify: a shape classifies one grid at a time.
  mutable CartesianScratch scratch;
  // Evaluations left to this classification's refinements and polar cells.
  mutable std::int64_t budget = 0;

  // Takes `count` evaluations from the budget; false once it is spent.
  bool Spend(std::int64_t count) const {
    budget -= count;
    return budget >= 0;
  }
  // F's variables: x and y, or a and r.
  Variable first = Variable::X;
  Variable second = Variable::Y;

  Parts(const std::string& postfix, const std::string& xPostfix, const std::string& yPostfix,
        const ImplicitRegion& r)
      : function(postfix), polarX(xPostfix), polarY(yPostfix), region(r) {
    if (region.polar) {
      first = Variable::A;
      second = Variable::R;
    }
  }

  static void Set(VariableBox& box, Variable variable, Interval value) {
    switch (variable) {
      case Variable::X:
        box.X = value;
        break;
      case Variable::Y:
        box.Y = value;
        break;
      case Variable::A:
        box.A = value;
        break;
      default:
        box.R = value;
        break;
    }
  }

  VariableBox Box(Interval p, Interval q) const {
    VariableBox box;
    Set(box, first, p);
    Set(box, second, q);
    return box;
  }

  DecoratedInterval Evaluate(Interval p, Interval q) const {
    return function.EvaluateBox(Box(p, q));
  }

  // The sign of F at (p, q), where F is proven defined there. An exact zero
  // is a point where the double evaluation gives 0 (x - y at x = y).
  SignBits PointSign(double p, double q) const {
    return SignOf(Evaluate(Interval::Point(p), Interval::Point(q)), p, q);
  }

  // The sign of F at (p, q) from its enclosure d there.
  SignBits SignOf(const DecoratedInterval& d, double p, double q) const {
    if (d.decoration.defined != Definedness::Everywhere)
      return 0;
    if (d.value.lo > 0)
      return kPositive;
    if (d.value.hi < 0)
      return kNegative;
    if (function.UsesRandom())
      return 0;
    VariablePoint point;
    (region.polar ? point.A : point.X) = p;
    (region.polar ? point.R : point.Y) = q;
    RandomGenerator unused;
    const std::optional<double> value = function.EvaluatePoint(point, unused);
    return value && *value == 0 ? kExactZero : 0;
  }

  SignBits CornerSigns(Interval p, Interval q) const {
    return PointSign(p.lo, q.lo) | PointSign(p.hi, q.lo) | PointSign(p.lo, q.hi) |
           PointSign(p.hi, q.hi);
  }

  // Subdivides a piece of a pixel (or of a polar cell) whose enclosure d
  // holds 0. scope holds the signs seen on the largest piece around this one
  // where F is proven defined and continuous (null when there is none): two
  // opposite signs there prove a zero between them.
  // corners, when given, are the signs at the piece's corners.
  void Refine(Interval p, Interval q, const DecoratedInterval& d, int depth, SignBits* scope,
              PixelProof& proof, const SignBits* corners = nullptr) const {
    if (proof.zero)
      return;
    if (d.decoration.defined == Definedness::Nowhere) {
      proof.allNegative = false;
      return;
    }
    if (d.ExcludesZero()) {
      proof.allNegative =
          proof.allNegative && d.decoration.defined == Definedness::Everywhere && d.value.hi < 0;
      return;
    }
    proof.allNegative = false;
    const SignBits signs = corners != nullptr ? *corners : CornerSigns(p, q);
    SignBits own = 0;
    if (scope == nullptr && d.IsDefinedAndContinuous())
      scope = &own;
    if (scope != nullptr)
      *scope |= signs;
    if ((signs & kExactZero) != 0 || (scope != nullptr && (*scope & kBothSigns) == kBothSigns)) {
      proof.zero = true;
      return;
    }
    // Four pieces, each with its enclosure and four corners.
    if (depth >= kPixelDepth || !Spend(20)) {
      proof.unknown = true;
      return;
    }
    const double pm = p.lo + (p.hi - p.lo) / 2;
    const double qm = q.lo + (q.hi - q.lo) / 2;
    const Interval ps[2] = {{p.lo, pm}, {pm, p.hi}};
    const Interval qs[2] = {{q.lo, qm}, {qm, q.hi}};
    for (const Interval& pp : ps) {
      for (const Interval& qq : qs) {
        Refine(pp, qq, Evaluate(pp, qq), depth + 1, scope, proof);
      }
    }
  }
};

namespace {

// The Cartesian pixels, level by level: square blocks of pixels, every
// block of a level evaluated in runs along its row of blocks
// (EvaluateBoxes), each settled by its enclosure or split in four, down to
// single pixels. The signs at the pixels' corners, evaluated in runs along
// the lines between pixel rows, prove a zero in a pixel where F is
// continuous on its block of the level before, so that such a pixel needs
// no enclosure of its own; the others are settled by their enclosure, and
// refined one by one where neither tells.
class CartesianPass {
 public:
  CartesianPass(const ImplicitShape::Parts& parts, ImplicitPicture& picture)
      : parts_(parts),
        grid_(picture.grid),
        picture_(picture),
        scratch_(parts.scratch),
        lines_(scratch_.lines),
        runs_(scratch_.runs),
        points_(scratch_.points),
        columns_(scratch_.columns),
        wanted_(scratch_.wanted),
        values_(scratch_.values),
        upper_(scratch_.upper),
        open_(scratch_.open) {
    for (CornerLine& line : scratch_.lines) {
      line.line = -1;
      line.signs.resize(static_cast<std::size_t>(grid_.columns) + 1);
      line.known.resize(static_cast<std::size_t>(grid_.columns) + 1, line.stamp);
    }
  }

  void Run() {
    std::int32_t size = 1;
    while (size < kFirstBlock && (size < grid_.columns || size < grid_.rows))
      size *= 2;
    std::vector<Cell>& cells = scratch_.cells;
    std::vector<Cell>& next = scratch_.next;
    cells.clear();
    for (std::int32_t r = 0; r * size < grid_.rows; ++r) {
      for (std::int32_t c = 0; c * size < grid_.columns; ++c)
        cells.push_back({c, r, false});
    }
    for (; !cells.empty() && size > 1; size /= 2) {
      next.clear();
      Level(cells, size, next);
      cells.swap(next);
    }
    Pixels(cells);
  }

 private:
  // Blocks of the first level, in pixels across.
  static constexpr std::int32_t kFirstBlock = 64;

  // The pixels' columns c0..c1 - 1 as x values, within the region.
  Interval Columns(std::int32_t c0, std::int32_t c1) const {
    return Meet({grid_.left + c0 * grid_.pixelWidth, grid_.left + c1 * grid_.pixelWidth},
                parts_.region.u);
  }
  Interval Rows(std::int32_t r0, std::int32_t r1) const {
    return Meet({grid_.bottom + r0 * grid_.pixelHeight, grid_.bottom + r1 * grid_.pixelHeight},
                parts_.region.v);
  }

  PixelClass& At(std::int32_t c, std::int32_t r) {
    return picture_.pixels[static_cast<std::size_t>(r) * static_cast<std::size_t>(grid_.columns) +
                           static_cast<std::size_t>(c)];
  }

  // Fills the pixels of a block that meet the region (a block's enclosure
  // speaks only of its part within the region).
  void Fill(std::int32_t c0, std::int32_t c1, std::int32_t r0, std::int32_t r1, PixelClass c) {
    while (c0 < c1 && Columns(c0, c0 + 1).IsEmpty())
      ++c0;
    while (c1 > c0 && Columns(c1 - 1, c1).IsEmpty())
      --c1;
    while (r0 < r1 && Rows(r0, r0 + 1).IsEmpty())
      ++r0;
    while (r1 > r0 && Rows(r1 - 1, r1).IsEmpty())
      --r1;
    for (std::int32_t r = r0; r < r1; ++r) {
      const auto row = static_cast<std::ptrdiff_t>(r) * grid_.columns;
      std::fill(picture_.pixels.begin() + row + c0, picture_.pixels.begin() + row + c1, c);
    }
  }

  // Settles a block by its enclosure: true when it is blank or inside.
  bool Settled(const DecoratedInterval& d, std::int32_t c0, std::int32_t c1, std::int32_t r0,
               std::int32_t r1) {
    if (d.decoration.defined == Definedness::Nowhere)
      return true;
    if (parts_.region.inequation && d.decoration.defined == Definedness::Everywhere &&
        d.value.hi < 0) {
      Fill(c0, c1, r0, r1, PixelClass::Inside);
      return true;
    }
    return d.ExcludesZero();
  }

  // Evaluates the blocks of size x size pixels (sorted by row, then
  // column): settled ones are filled, the others split into `next` in the
  // same order.
  void Level(const std::vector<Cell>& cells, std::int32_t size, std::vector<Cell>& next) {
    const std::int32_t half = size / 2;
    for (std::size_t first = 0; first < cells.size();) {
      const std::int32_t r = cells[first].r;
      std::size_t end = first;
      runs_.clear();
      columns_.clear();
      for (; end < cells.size() && cells[end].r == r; ++end) {
        const std::int32_t c = cells[end].c;
        const Interval x = Columns(c * size, std::min((c + 1) * size, grid_.columns));
        if (!x.IsEmpty()) {
          runs_.push_back(x);
          columns_.push_back(c);
        }
      }
      first = end;
      const std::int32_t r0 = r * size;
      const std::int32_t r1 = std::min(r0 + size, grid_.rows);
      const Interval y = Rows(r0, r1);
      if (y.IsEmpty() || runs_.empty())
        continue;
      values_.resize(runs_.size());
      parts_.function.EvaluateBoxes(parts_.Box(Interval::Point(0), y), parts_.first, runs_.data(),
                                    runs_.size(), values_.data());
      // The children in the lower row of blocks, then those in the upper.
      upper_.clear();
      for (std::size_t i = 0; i < runs_.size(); ++i) {
        const DecoratedInterval& d = values_[i];
        const std::int32_t c = columns_[i];
        if (Settled(d, c * size, std::min((c + 1) * size, grid_.columns), r0, r1))
          continue;
        const bool continuous = d.IsDefinedAndContinuous();
        for (std::int32_t dc = 0; dc < 2 && (2 * c + dc) * half < grid_.columns; ++dc) {
          next.push_back({2 * c + dc, 2 * r, continuous});
          if ((2 * r + 1) * half < grid_.rows)
            upper_.push_back({2 * c + dc, 2 * r + 1, continuous});
        }
      }
      next.insert(next.end(), upper_.begin(), upper_.end());
    }
  }

  // The corner line `line`, with the signs at the corners of the wanted
  // pixels known; keeps the line `keep` if it is held.
  CornerLine& Corners(std::int32_t line, const std::vector<std::int32_t>& wanted,
                      std::int32_t keep) {
    CornerLine* slot = &lines_[0];
    if (lines_[1].line == line || (lines_[0].line != line && lines_[0].line == keep))
      slot = &lines_[1];
    if (slot->line != line) {
      slot->line = line;
      ++slot->stamp;
    }
    points_.clear();
    columns_.clear();
    for (const std::int32_t pixel : wanted) {
      for (std::int32_t c = pixel; c <= pixel + 1; ++c) {
        std::uint32_t& known = slot->known[static_cast<std::size_t>(c)];
        if (known != slot->stamp) {
          known = slot->stamp;
          points_.push_back(Interval::Point(grid_.left + c * grid_.pixelWidth));
          columns_.push_back(c);
        }
      }
    }
    if (!points_.empty()) {
      const double y = grid_.bottom + line * grid_.pixelHeight;
      values_.resize(points_.size());
      parts_.function.EvaluateBoxes(parts_.Box(Interval::Point(0), Interval::Point(y)),
                                    parts_.first, points_.data(), points_.size(), values_.data());
      for (std::size_t i = 0; i < points_.size(); ++i) {
        slot->signs[static_cast<std::size_t>(columns_[i])] =
            parts_.SignOf(values_[i], points_[i].lo, y);
      }
    }
    return *slot;
  }

  // Whether the pixel lies wholly in the region (its corners are the grid's).
  bool Whole(std::int32_t c, std::int32_t r) const {
    const Interval x = Columns(c, c + 1);
    const Interval y = Rows(r, r + 1);
    return x.lo == grid_.left + c * grid_.pixelWidth &&
           x.hi == grid_.left + (c + 1) * grid_.pixelWidth &&
           y.lo == grid_.bottom + r * grid_.pixelHeight &&
           y.hi == grid_.bottom + (r + 1) * grid_.pixelHeight;
  }

  static bool Proves(SignBits corners, bool continuous) {
    return (corners & kExactZero) != 0 || (continuous && (corners & kBothSigns) == kBothSigns);
  }

  // The single pixels left by the levels, sorted by row.
  void Pixels(const std::vector<Cell>& pixels) {
    for (std::size_t first = 0; first < pixels.size();) {
      const std::int32_t r = pixels[first].r;
      std::size_t end = first;
      wanted_.clear();
      for (; end < pixels.size() && pixels[end].r == r; ++end) {
        if (pixels[end].continuous && Whole(pixels[end].c, r))
          wanted_.push_back(pixels[end].c);
      }
      // Corners first where the parent block is continuous: they may prove
      // the pixel without its enclosure.
      const CornerLine& below = Corners(r, wanted_, r + 1);
      const CornerLine& above = Corners(r + 1, wanted_, r);
      const auto cornersOf = [&](std::int32_t pixel) {
        const auto c = static_cast<std::size_t>(pixel);
        return below.signs[c] | below.signs[c + 1] | above.signs[c] | above.signs[c + 1];
      };
      // Proven by the corners alone, or evaluated in one run.
      open_.clear();
      runs_.clear();
      for (std::size_t i = first; i < end; ++i) {
        const Cell& pixel = pixels[i];
        if (pixel.continuous && Whole(pixel.c, r) && Proves(cornersOf(pixel.c), true)) {
          At(pixel.c, r) = PixelClass::Curve;
          continue;
        }
        open_.push_back(pixel);
        runs_.push_back(Columns(pixel.c, pixel.c + 1));
      }
      first = end;
      const Interval y = Rows(r, r + 1);
      if (runs_.empty() || y.IsEmpty())
        continue;
      values_.resize(runs_.size());
      parts_.function.EvaluateBoxes(parts_.Box(Interval::Point(0), y), parts_.first, runs_.data(),
                                    runs_.size(), values_.data());
      // The pixels their enclosure leaves open, with all their corners.
      survivors_.clear();
      wanted_.clear();
      for (std::size_t i = 0; i < open_.size(); ++i) {
        const Cell& pixel = open_[i];
        if (Settled(values_[i], pixel.c, pixel.c + 1, r, r + 1))
          continue;
        survivors_.push_back({pixel, runs_[i], values_[i]});
        if (Whole(pixel.c, r))
          wanted_.push_back(pixel.c);
      }
      Corners(r, wanted_, r + 1);
      Corners(r + 1, wanted_, r);
      for (const Survivor& survivor : survivors_) {
        const Cell& pixel = survivor.pixel;
        const DecoratedInterval& d = survivor.value;
        if (!Whole(pixel.c, r)) {
          Pixel(pixel, survivor.x, y, d, nullptr);
          continue;
        }
        const SignBits corners = cornersOf(pixel.c);
        if (Proves(corners, d.IsDefinedAndContinuous())) {
          At(pixel.c, r) = PixelClass::Curve;
          continue;
        }
        Pixel(pixel, survivor.x, y, d, &corners);
      }
    }
  }

  void Pixel(const Cell& pixel, Interval x, Interval y, const DecoratedInterval& d,
             const SignBits* corners) {
    PixelProof proof;
    parts_.Refine(x, y, d, 0, nullptr, proof, corners);
    PixelClass result = PixelClass::Blank;
    if (proof.zero) {
      result = PixelClass::Curve;
    } else if (proof.unknown) {
      result = PixelClass::Undecided;
    } else if (parts_.region.inequation && proof.allNegative) {
      result = PixelClass::Inside;
    }
    At(pixel.c, pixel.r) = result;
  }

  const ImplicitShape::Parts& parts_;
  const PixelGrid& grid_;
  ImplicitPicture& picture_;
  CartesianScratch& scratch_;
  CornerLine* lines_;
  std::vector<Interval>& runs_;
  std::vector<Interval>& points_;
  std::vector<std::int32_t>& columns_;
  std::vector<std::int32_t>& wanted_;
  std::vector<DecoratedInterval>& values_;
  std::vector<Cell>& upper_;
  std::vector<Cell>& open_;
  // A pixel left open by its enclosure in the row at hand.
  struct Survivor {
    Cell pixel;
    Interval x;
    DecoratedInterval value;
  };
  std::vector<Survivor> survivors_;
};

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
    for (std::int32_t r = 0; r < grid_.rows; ++r) {
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

std::string Postfix(const std::string& text) {
  ExpressionCompiler compiler;
  std::string postfix;
  return compiler.InfixToPostfix(text, postfix) == 0 ? postfix : std::string();
}

}  // namespace

ImplicitShape::ImplicitShape(const std::string& postfix, const ImplicitRegion& region)
    : parts_(std::make_unique<Parts>(postfix, region.polar ? Postfix("r*cos(a)") : std::string(),
                                     region.polar ? Postfix("r*sin(a)") : std::string(), region)) {}

ImplicitShape::~ImplicitShape() = default;
ImplicitShape::ImplicitShape(ImplicitShape&&) noexcept = default;
ImplicitShape& ImplicitShape::operator=(ImplicitShape&&) noexcept = default;

ImplicitPicture ImplicitShape::Classify(const PixelGrid& grid) const {
  ImplicitPicture picture;
  picture.grid = grid;
  if (grid.columns <= 0 || grid.rows <= 0 || !(grid.pixelWidth > 0) || !(grid.pixelHeight > 0))
    return picture;
  picture.pixels.assign(
      static_cast<std::size_t>(grid.columns) * static_cast<std::size_t>(grid.rows),
      PixelClass::Blank);
  parts_->budget = kEvaluationBudget;
  if (parts_->function.YieldsValue()) {
    if (parts_->region.polar) {
      PolarPass(*parts_, picture).Run();
    } else {
      CartesianPass(*parts_, picture).Run();
    }
  }
  picture.undecided =
      std::count(picture.pixels.begin(), picture.pixels.end(), PixelClass::Undecided);
  return picture;
}

bool IsImplicitGraph(const Graph& graph) {
  const bool kind = graph.kind == GraphKind::PlaneCurve || graph.kind == GraphKind::AnimatedCurve;
  const bool form = graph.form == FunctionForm::Equation || graph.form == FunctionForm::Inequation;
  const bool system = graph.coordinates == CoordinateSystem::Cartesian ||
                      graph.coordinates == CoordinateSystem::Polar;
  return kind && form && system;
}

std::unique_ptr<ImplicitShape> MakeImplicitShape(const Graph& graph) {
  if (!IsImplicitGraph(graph))
    return nullptr;
  ExpressionCompiler compiler;
  std::string postfix;
  if (compiler.InfixToPostfix(graph.expressionZ, postfix) != 0)
    return nullptr;
  ImplicitRegion region;
  region.polar = graph.coordinates == CoordinateSystem::Polar;
  region.inequation = graph.form == FunctionForm::Inequation;
  region.u = {std::min<double>(graph.minU, graph.maxU), std::max<double>(graph.minU, graph.maxU)};
  region.v = {std::min<double>(graph.minV, graph.maxV), std::max<double>(graph.minV, graph.maxV)};
  return std::make_unique<ImplicitShape>(postfix, region);
}

}  // namespace quillon
