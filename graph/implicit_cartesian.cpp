// The Cartesian pass of ImplicitShape::Classify.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "graph/implicit_parts.h"

namespace quillon::implicit {
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
    // The pixel bounds grow with the column and row, so the whole grid lies
    // in the region when its outer bounds do.
    const Interval u = parts_.region.u;
    const Interval v = parts_.region.v;
    gridInRegion_ = u.lo <= grid_.left && grid_.left + grid_.columns * grid_.pixelWidth <= u.hi &&
                    v.lo <= grid_.bottom && grid_.bottom + grid_.rows * grid_.pixelHeight <= v.hi;
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
    for (; !cells.empty() && size > 1 && !parts_.Stopped(); size /= 2) {
      next.clear();
      Level(cells, size, next);
      cells.swap(next);
    }
    if (!parts_.Stopped())
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
    for (std::size_t first = 0; first < cells.size() && !parts_.Stopped();) {
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
    if (gridInRegion_)
      return true;
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
    for (std::size_t first = 0; first < pixels.size() && !parts_.Stopped();) {
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
  bool gridInRegion_ = false;
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

}  // namespace

void ClassifyCartesian(const ImplicitShape::Parts& parts, ImplicitPicture& picture) {
  CartesianPass(parts, picture).Run();
}

}  // namespace quillon::implicit
