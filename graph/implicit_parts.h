// The parts of an implicit shape that its classifying passes share: the
// compiled texts, what is proven at points and on pieces of a pixel, and
// the refinement of a single pixel. Internal to the graph library.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "expr/compiled_expression.h"
#include "expr/random_generator.h"
#include "graph/implicit_region.h"

namespace quillon {
namespace implicit {

// What is proven of F at a point, as bits so that the signs seen over a
// piece of a pixel combine with |.
using SignBits = unsigned;
constexpr SignBits kPositive = 1;
constexpr SignBits kNegative = 2;
constexpr SignBits kExactZero = 4;
constexpr SignBits kBothSigns = kPositive | kNegative;

inline Interval Meet(Interval a, Interval b) {
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

}  // namespace implicit

struct ImplicitShape::Parts {
  CompiledExpression function;
  // r cos a and r sin a over a cell of a polar region.
  CompiledExpression polarX;
  CompiledExpression polarY;
  ImplicitRegion region;
  // Working runs of Classify: a shape classifies one grid at a time.
  mutable implicit::CartesianScratch scratch;
  // Evaluations left to this classification's refinements and polar cells.
  mutable std::int64_t budget = 0;
  // Set by the caller of this classification to end it early; may be null.
  mutable const std::atomic<bool>* stop = nullptr;

  bool Stopped() const { return stop != nullptr && stop->load(std::memory_order_relaxed); }

  // Takes `count` evaluations from the budget; false once it is spent or
  // the classification is stopped.
  bool Spend(std::int64_t count) const {
    budget -= count;
    return budget >= 0 && !Stopped();
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
  implicit::SignBits PointSign(double p, double q) const {
    return SignOf(Evaluate(Interval::Point(p), Interval::Point(q)), p, q);
  }

  // The sign of F at (p, q) from its enclosure d there.
  implicit::SignBits SignOf(const DecoratedInterval& d, double p, double q) const {
    if (d.decoration.defined != Definedness::Everywhere)
      return 0;
    if (d.value.lo > 0)
      return implicit::kPositive;
    if (d.value.hi < 0)
      return implicit::kNegative;
    if (function.UsesRandom())
      return 0;
    VariablePoint point;
    (region.polar ? point.A : point.X) = p;
    (region.polar ? point.R : point.Y) = q;
    RandomGenerator unused;
    const std::optional<double> value = function.EvaluatePoint(point, unused);
    return value && *value == 0 ? implicit::kExactZero : 0;
  }

  implicit::SignBits CornerSigns(Interval p, Interval q) const {
    return PointSign(p.lo, q.lo) | PointSign(p.hi, q.lo) | PointSign(p.lo, q.hi) |
           PointSign(p.hi, q.hi);
  }

  // Subdivides a piece of a pixel (or of a polar cell) whose enclosure d
  // holds 0. scope holds the signs seen on the largest piece around this one
  // where F is proven defined and continuous (null when there is none): two
  // opposite signs there prove a zero between them.
  // corners, when given, are the signs at the piece's corners.
  void Refine(Interval p, Interval q, const DecoratedInterval& d, int depth,
              implicit::SignBits* scope, implicit::PixelProof& proof,
              const implicit::SignBits* corners = nullptr) const {
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
    const implicit::SignBits signs = corners != nullptr ? *corners : CornerSigns(p, q);
    implicit::SignBits own = 0;
    if (scope == nullptr && d.IsDefinedAndContinuous())
      scope = &own;
    if (scope != nullptr)
      *scope |= signs;
    if ((signs & implicit::kExactZero) != 0 ||
        (scope != nullptr && (*scope & implicit::kBothSigns) == implicit::kBothSigns)) {
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

namespace implicit {

// The passes of ImplicitShape::Classify, each filling the pixels of the
// picture (all Blank to begin with) for its coordinate system.
void ClassifyCartesian(const ImplicitShape::Parts& parts, ImplicitPicture& picture);
void ClassifyPolar(const ImplicitShape::Parts& parts, ImplicitPicture& picture);

}  // namespace implicit
}  // namespace quillon
