// The pixels of a view that an implicit equation F = 0 or an inequation
// F < 0 covers, decided by interval subdivision: a pixel is on the curve
// only when a zero of F is proven in it, blank only when proven free of
// zeros, and undecided when neither is proven within a fixed number of
// subdivisions, so that the same graph gives the same picture anywhere.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "expr/interval.h"

namespace quillon {

class CompiledExpression;
class Graph;

// The pixels of a view as world rectangles: column i covers x from
// left + i * pixelWidth to left + (i + 1) * pixelWidth, row j covers y from
// bottom + j * pixelHeight upward (row 0 at the bottom). World units.
struct PixelGrid {
  double left = 0;
  double bottom = 0;
  double pixelWidth = 1;
  double pixelHeight = 1;
  std::int32_t columns = 0;
  std::int32_t rows = 0;

  bool operator==(const PixelGrid& other) const {
    return left == other.left && bottom == other.bottom && pixelWidth == other.pixelWidth &&
           pixelHeight == other.pixelHeight && columns == other.columns && rows == other.rows;
  }
};

enum class PixelClass : std::uint8_t {
  Blank,      // proven: no zero of F (and, for an inequation, not inside)
  Curve,      // proven: F has a zero in the pixel
  Undecided,  // neither proven at the subdivision limit
  Inside,     // inequations: proven F < 0 on the whole pixel, no zero
};

struct ImplicitPicture {
  PixelGrid grid;
  std::vector<PixelClass> pixels;  // rows.columns, row 0 first
  std::int64_t undecided = 0;      // pixels of class Undecided

  PixelClass At(std::int32_t column, std::int32_t row) const {
    return pixels[static_cast<std::size_t>(row) * static_cast<std::size_t>(grid.columns) +
                  static_cast<std::size_t>(column)];
  }
};

// What an implicit graph draws: F over a region of its two variables.
// Cartesian: F of x and y, x over u and y over v. Polar: F of a and r, the
// points (r cos a, r sin a) for a over u and r over v.
struct ImplicitRegion {
  bool polar = false;
  bool inequation = false;
  Interval u;
  Interval v;
};

class ImplicitShape {
 public:
  // Splits a pixel into at most 2^kPixelDepth x 2^kPixelDepth pieces before
  // calling it undecided: the limit of the subdivision, a count.
  static constexpr int kPixelDepth = 4;
  // Evaluations at most spent on refining single pixels and on polar cells
  // in one classification (a few tenths of a second): past them, what is
  // still open is undecided, so that no text keeps a frame waiting long.
  static constexpr std::int64_t kEvaluationBudget = 2'000'000;

  // F is `postfix` (the compiled text of the graph). Throws nothing; a text
  // whose tokens fail makes every classification throw EngineError.
  ImplicitShape(const std::string& postfix, const ImplicitRegion& region);
  ~ImplicitShape();
  ImplicitShape(ImplicitShape&&) noexcept;
  ImplicitShape& operator=(ImplicitShape&&) noexcept;

  // The class of every pixel of grid. Throws EngineError where F's text has
  // a failing token that a pixel reaches. The shape keeps working runs
  // between calls: one shape classifies on one thread at a time. When stop
  // is given and turns true (from any thread), the classification ends
  // within a row of pixels and returns an unfinished picture for the
  // caller to discard.
  ImplicitPicture Classify(const PixelGrid& grid, const std::atomic<bool>* stop = nullptr) const;

  // The compiled texts and the subdivision, known to the source only.
  struct Parts;

 private:
  std::unique_ptr<Parts> parts_;
};

// The shape of an implicit graph (form Equation or Inequation) from its
// expressionZ and region; nothing when the text does not compile (the
// graph's document reporter is told) or the graph is of another form.
std::unique_ptr<ImplicitShape> MakeImplicitShape(const Graph& graph);

// True for the graphs MakeImplicitShape makes a shape of: plane curves and
// animated curves in the Equation or Inequation form, Cartesian or polar.
bool IsImplicitGraph(const Graph& graph);

}  // namespace quillon
