// Each search looks for the zeros of one derivative of one function (f, or
// f - g for intersections) with a stack of x pieces, leftmost first; a
// piece is dropped, closed in on by a Newton step, cut in two, or, once
// narrower than the tolerance, concluded or kept as undecided.
#include "graph/points_of_interest.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <tuple>

#include "expr/compiled_expression.h"
#include "expr/engine_error.h"
#include "expr/expression_compiler.h"
#include "expr/interval.h"
#include "expr/jet.h"
#include "expr/random_generator.h"
#include "graph/graph.h"

namespace quillon {
namespace {

// Located zeros lie within this times max(1, |x|) of the true ones.
constexpr double kRelativeTolerance = 1e-12;

constexpr std::size_t kFirstPieces = 64;

double Tolerance(Interval x) {
  return kRelativeTolerance * std::max({1.0, std::fabs(x.lo), std::fabs(x.hi)});
}

double Middle(Interval x) {
  return x.lo + (x.hi - x.lo) / 2;
}

bool Positive(Interval x) {
  return x.lo > 0;
}

bool Negative(Interval x) {
  return x.hi < 0;
}

bool IsZero(Interval x) {
  return x.lo == 0 && x.hi == 0;
}

// A graph's compiled text y = f(x) and its x range.
struct Function {
  CompiledExpression text{std::string()};
  Interval range;
  std::int32_t id = 0;
};

std::optional<Function> CompileFunction(const Graph& graph) {
  if (!HasPointsOfInterest(graph))
    return std::nullopt;
  ExpressionCompiler compiler;
  std::string postfix;
  if (compiler.InfixToPostfix(graph.expressionZ, postfix) != 0)
    return std::nullopt;
  Function f;
  f.text = CompiledExpression(postfix);
  if (f.text.UsesRandom() || !f.text.YieldsValue())
    return std::nullopt;
  const double from = graph.minV;
  const double to = graph.maxV;
  f.range = {std::min(from, to), std::max(from, to)};
  f.id = graph.id;
  return f;
}

// f - g on a piece where both are evaluated.
DecoratedJet Difference(const DecoratedJet& f, const DecoratedJet& g) {
  DecoratedJet d;
  d.value.value = f.value.value - g.value.value;
  d.value.decoration.defined = std::min(f.value.decoration.defined, g.value.decoration.defined);
  d.value.decoration.continuous = f.value.decoration.continuous && g.value.decoration.continuous;
  if (d.value.decoration.defined == Definedness::Nowhere)
    d.value.value = Interval::Empty();
  for (std::size_t k = 0; k < kJetOrder; ++k)
    d.derivatives[k] = f.derivatives[k] - g.derivatives[k];
  d.differentiable = std::min(f.differentiable, g.differentiable);
  return d;
}

// What a search evaluates: f, or f - g when `other` is set.
class Searched {
 public:
  Searched(const Function& f, const Function* other) : f_(f), other_(other) {}

  DecoratedJet Jet(Interval x) const {
    VariableBox box;
    box.X = x;
    const DecoratedJet f = f_.text.EvaluateJet(box, Variable::X);
    return other_ == nullptr ? f : Difference(f, other_->text.EvaluateJet(box, Variable::X));
  }

  // The value at x in double precision; nothing where there is none.
  std::optional<double> At(double x) const {
    const std::optional<double> f = ValueOf(f_, x);
    if (other_ == nullptr || !f)
      return f;
    const std::optional<double> g = ValueOf(*other_, x);
    return g ? std::optional<double>(*f - *g) : std::nullopt;
  }

  static std::optional<double> ValueOf(const Function& function, double x) {
    VariablePoint point;
    point.X = x;
    RandomGenerator unused;  // the texts do not call RND
    return function.text.EvaluatePoint(point, unused);
  }

 private:
  const Function& f_;
  const Function* other_;
};

// A zero of the searched derivative; slope is the sign of the next
// derivative there (0 for a root where the graph touches the axis).
struct Zero {
  double x = 0;
  int slope = 0;
};

// The zeros of the order-th derivative of the searched function over a range.
class ZeroSearch {
 public:
  ZeroSearch(const Searched& searched, std::size_t order, std::size_t budget)
      : searched_(searched), order_(order), budget_(budget) {}

  // The range is searched in passes over a pool of pieces, first
  // kFirstPieces equal ones: in each pass every piece gets an equal share
  // of what is left of the count, and what it leaves open goes back to the
  // pool. A place that takes endless work (sin(1/x) at 0) thus gets what
  // the easy pieces leave, and keeps only itself undecided.
  void Run(Interval range) {
    range_ = range;
    const double width = range.hi - range.lo;
    std::vector<Interval> pool;
    for (std::size_t i = 0; i < kFirstPieces; ++i) {
      const double lo =
          i == 0 ? range.lo : range.lo + width * static_cast<double>(i) / kFirstPieces;
      const double hi = i + 1 == kFirstPieces
                            ? range.hi
                            : range.lo + width * static_cast<double>(i + 1) / kFirstPieces;
      pool.push_back({lo, hi});
    }
    while (!pool.empty() && spent_ < budget_) {
      std::vector<Interval> left;
      for (std::size_t i = 0; i < pool.size(); ++i) {
        if (spent_ >= budget_) {
          left.push_back(pool[i]);
          continue;
        }
        const std::size_t share = (budget_ - spent_) / (pool.size() - i);
        const std::size_t limit = spent_ + std::max<std::size_t>(share, 1);
        pending_.assign(1, pool[i]);
        while (!pending_.empty() && spent_ < limit) {
          const Interval x = pending_.back();
          pending_.pop_back();
          Examine(x);
        }
        left.insert(left.end(), pending_.rbegin(), pending_.rend());
      }
      pool = std::move(left);
    }
    undecided_.insert(undecided_.end(), pool.begin(), pool.end());
    Tidy();
  }

  const std::vector<Zero>& Zeros() const { return zeros_; }
  const std::vector<Interval>& Undecided() const { return undecided_; }

 private:
  DecoratedJet Evaluate(Interval x) {
    ++spent_;
    return searched_.Jet(x);
  }

  void Split(Interval x, double at) {
    pending_.push_back({at, x.hi});
    pending_.push_back({x.lo, at});
  }

  void Examine(Interval x) {
    const DecoratedJet jet = Evaluate(x);
    if (jet.value.decoration.defined == Definedness::Nowhere || jet.DerivativeExcludesZero(order_))
      return;
    const Interval sought = jet.Derivative(order_);
    // An identically vanishing derivative (of a constant or a straight
    // line) changes no sign; an identically vanishing f (0, int(x) on
    // [0, 1)) is a root everywhere, which no list of points can tell.
    if (jet.differentiable >= order_ && IsZero(sought)) {
      if (order_ == 0 && jet.value.IsDefinedAndContinuous())
        undecided_.push_back(x);
      if (order_ > 0 || jet.value.IsDefinedAndContinuous())
        return;
    }
    const bool smooth = jet.value.IsDefinedAndContinuous() && jet.differentiable > order_;
    // The same where the function sought is proven constant but its
    // enclosure is rounded (int(x) * sin(x) on [0, 1)): its value in the
    // middle tells which.
    if (smooth && IsZero(jet.Derivative(order_ + 1))) {
      if (order_ == 0 && !Evaluate({Middle(x), Middle(x)}).DerivativeExcludesZero(0))
        undecided_.push_back(x);
      return;
    }
    const bool narrow = x.hi - x.lo <= Tolerance(x);
    const Interval slope = smooth ? jet.Derivative(order_ + 1) : Interval::Entire();
    if (Positive(slope) || Negative(slope)) {
      if (narrow) {
        Conclude(x, Positive(slope) ? 1 : -1);
      } else {
        NewtonStep(x, slope);
      }
      return;
    }
    if (!narrow) {
      Split(x, Middle(x));
      return;
    }
    // Extrema and inflection points within the tolerance of an end of the
    // range are not listed, so nothing there needs deciding.
    const double margin = Tolerance(range_);
    if (order_ > 0 && (x.lo - range_.lo <= margin || range_.hi - x.hi <= margin))
      return;
    if (!ConcludeNarrow(x, jet))
      undecided_.push_back(x);
  }

  // A piece narrower than the tolerance on which the sought derivative is
  // not proven monotone. True when decided, where the function is
  // continuous and the derivative sought exists:
  // - its ends have strictly opposite signs: a zero (several that close
  //   count as one);
  // - for f, its enclosure holds 0 and f turns on the piece (f'' is proven
  //   nonzero, or f' has ends of strictly opposite signs): the graph touches
  //   the axis, a root;
  // - for f' or f'', it bends one way (the derivative after next is proven
  //   nonzero, so it has at most two zeros) and its ends have one strict
  //   sign: no sign change (or two within the tolerance, which cancel);
  // and where f is exactly 0 in double precision at one end of the piece
  // but not at the other (sqrt(x) at 0, where no derivative bounds f;
  // sqrt(1 - x^2) at the range's end 1, where rounding cannot prove
  // 1 - x^2 >= 0): a root there.
  bool ConcludeNarrow(Interval x, const DecoratedJet& jet) {
    if (jet.value.IsDefinedAndContinuous() && jet.differentiable >= order_) {
      const DecoratedJet lo = Evaluate({x.lo, x.lo});
      const DecoratedJet hi = Evaluate({x.hi, x.hi});
      const Interval atLo = lo.Derivative(order_);
      const Interval atHi = hi.Derivative(order_);
      if ((Negative(atLo) && Positive(atHi)) || (Positive(atLo) && Negative(atHi))) {
        zeros_.push_back({Middle(x), Positive(atHi) ? 1 : -1});
        return true;
      }
      const std::size_t bendOrder = order_ + 2;
      const bool bends =
          bendOrder <= kJetOrder && jet.differentiable >= bendOrder &&
          (Positive(jet.Derivative(bendOrder)) || Negative(jet.Derivative(bendOrder)));
      const Interval slopeLo = lo.Derivative(1);
      const Interval slopeHi = hi.Derivative(1);
      const bool turns = jet.differentiable >= 1 && ((Negative(slopeLo) && Positive(slopeHi)) ||
                                                     (Positive(slopeLo) && Negative(slopeHi)));
      if (order_ == 0 && (bends || turns)) {
        zeros_.push_back({Middle(x), 0});
        return true;
      }
      if (order_ > 0 && bends &&
          ((Positive(atLo) && Positive(atHi)) || (Negative(atLo) && Negative(atHi)))) {
        return true;
      }
    }
    // Away from the range's ends only where f is continuous: beside a jump
    // from a stretch where f is 0 (int(x) at 1) the point is no single root.
    const bool continuous = jet.value.IsDefinedAndContinuous();
    if (order_ == 0) {
      // At one end only: f exactly 0 at both (x - x) may be 0 all along.
      const std::optional<double> atLo = searched_.At(x.lo);
      const std::optional<double> atHi = searched_.At(x.hi);
      const bool zeroLo = atLo && *atLo == 0;
      const bool zeroHi = atHi && *atHi == 0;
      const double end = zeroLo ? x.lo : x.hi;
      if (zeroLo != zeroHi && (continuous || end == range_.lo || end == range_.hi)) {
        zeros_.push_back({end, 0});
        return true;
      }
    }
    return false;
  }

  // The sought derivative is strictly monotone on x (slope its
  // derivative's enclosure): any zero z satisfies z = m - c(m) / c'(t) for
  // some t in x.
  void NewtonStep(Interval x, Interval slope) {
    const double m = Middle(x);
    const DecoratedJet atMiddle = Evaluate({m, m});
    if (!atMiddle.value.IsDefinedAndContinuous() || atMiddle.differentiable < order_) {
      Split(x, m);
      return;
    }
    const Interval image = Interval::Point(m) - atMiddle.Derivative(order_) / slope;
    const Interval next = {std::max(x.lo, image.lo), std::min(x.hi, image.hi)};
    if (next.IsEmpty())
      return;
    if (next.hi - next.lo <= (x.hi - x.lo) / 2) {
      pending_.push_back(next);
    } else {
      Split(next, Middle(next));
    }
  }

  // A narrow piece on which the sought derivative is strictly monotone and
  // its enclosure holds 0: a zero unless both ends have the same strict sign.
  void Conclude(Interval x, int slope) {
    const Interval atLo = Evaluate({x.lo, x.lo}).Derivative(order_);
    const Interval atHi = Evaluate({x.hi, x.hi}).Derivative(order_);
    const bool sameSign = (Positive(atLo) && Positive(atHi)) || (Negative(atLo) && Negative(atHi));
    if (!sameSign)
      zeros_.push_back({Middle(x), slope});
  }

  // Zeros found twice (on both pieces around a shared end, within the
  // tolerance) become one; touching undecided pieces are joined.
  void Tidy() {
    std::sort(zeros_.begin(), zeros_.end(), [](const Zero& a, const Zero& b) { return a.x < b.x; });
    std::vector<Zero> unique;
    for (const Zero& zero : zeros_) {
      if (!unique.empty() && zero.x - unique.back().x <= 2 * Tolerance({zero.x, zero.x})) {
        if (unique.back().slope == 0)
          unique.back().slope = zero.slope;
        continue;
      }
      unique.push_back(zero);
    }
    zeros_ = std::move(unique);
    std::sort(undecided_.begin(), undecided_.end(),
              [](Interval a, Interval b) { return a.lo < b.lo; });
    std::vector<Interval> joined;
    for (const Interval piece : undecided_) {
      if (!joined.empty() && piece.lo <= joined.back().hi) {
        joined.back().hi = std::max(joined.back().hi, piece.hi);
      } else {
        joined.push_back(piece);
      }
    }
    undecided_ = std::move(joined);
  }

  const Searched& searched_;
  std::size_t order_;
  std::size_t budget_;
  std::size_t spent_ = 0;
  Interval range_;
  std::vector<Interval> pending_;
  std::vector<Zero> zeros_;
  std::vector<Interval> undecided_;
};

// Runs one search and adds its points (of `kind`, or by slope for extrema)
// and undecided pieces. Extrema and inflection points lie inside the range.
void Search(const Function& f, const Function* other, Interval range, std::size_t order,
            PointOfInterestKind kind, const AnalysisLimits& limits, PointsOfInterest& out) {
  const Searched searched(f, other);
  ZeroSearch search(searched, order, limits.evaluationsPerSearch);
  search.Run(range);
  const std::int32_t otherId = other == nullptr ? 0 : other->id;
  for (const Zero& zero : search.Zeros()) {
    const double margin = Tolerance(range);
    if (order > 0 && (zero.x - range.lo <= margin || range.hi - zero.x <= margin))
      continue;
    PointOfInterestKind found = kind;
    if (kind == PointOfInterestKind::Minimum && zero.slope < 0)
      found = PointOfInterestKind::Maximum;
    const std::optional<double> y = Searched::ValueOf(f, zero.x);
    if (y)
      out.points.push_back({found, zero.x, *y, otherId});
  }
  for (const Interval piece : search.Undecided())
    out.undecided.push_back({kind, piece.lo, piece.hi, otherId});
}

}  // namespace

const char* PointOfInterestKindName(PointOfInterestKind kind) {
  switch (kind) {
    case PointOfInterestKind::Root:
      return "root";
    case PointOfInterestKind::Minimum:
      return "minimum";
    case PointOfInterestKind::Maximum:
      return "maximum";
    case PointOfInterestKind::Inflection:
      return "inflection";
    case PointOfInterestKind::Intersection:
      return "intersection";
    case PointOfInterestKind::YIntercept:
      return "y-intercept";
  }
  return "";
}

bool HasPointsOfInterest(const Graph& graph) {
  return IsPlaneCurveKind(graph.kind) && graph.form == FunctionForm::Explicit &&
         graph.coordinates == CoordinateSystem::Cartesian;
}

PointsOfInterest FindPointsOfInterest(const Graph& graph, const std::vector<const Graph*>& others,
                                      const AnalysisLimits& limits) {
  PointsOfInterest result;
  const std::optional<Function> f = CompileFunction(graph);
  if (!f)
    return result;
  try {
    Search(*f, nullptr, f->range, 0, PointOfInterestKind::Root, limits, result);
    // Minima and maxima come from one search of f'.
    Search(*f, nullptr, f->range, 1, PointOfInterestKind::Minimum, limits, result);
    Search(*f, nullptr, f->range, 2, PointOfInterestKind::Inflection, limits, result);
    if (f->range.Contains(0)) {
      const std::optional<double> y = Searched::ValueOf(*f, 0);
      if (y)
        result.points.push_back({PointOfInterestKind::YIntercept, 0, *y, 0});
    }
  } catch (const EngineError&) {
    return {};
  }
  for (const Graph* other : others) {
    if (other == &graph)
      continue;
    const std::optional<Function> g = CompileFunction(*other);
    if (!g)
      continue;
    const Interval shared = {std::max(f->range.lo, g->range.lo),
                             std::min(f->range.hi, g->range.hi)};
    if (shared.IsEmpty())
      continue;
    PointsOfInterest crossings;
    try {
      Search(*f, &*g, shared, 0, PointOfInterestKind::Intersection, limits, crossings);
    } catch (const EngineError&) {
      continue;
    }
    result.points.insert(result.points.end(), crossings.points.begin(), crossings.points.end());
    result.undecided.insert(result.undecided.end(), crossings.undecided.begin(),
                            crossings.undecided.end());
  }
  std::stable_sort(result.points.begin(), result.points.end(),
                   [](const PointOfInterest& a, const PointOfInterest& b) {
                     return std::tie(a.kind, a.x, a.otherGraphId) <
                            std::tie(b.kind, b.x, b.otherGraphId);
                   });
  std::stable_sort(result.undecided.begin(), result.undecided.end(),
                   [](const UndecidedPiece& a, const UndecidedPiece& b) {
                     return std::tie(a.kind, a.from) < std::tie(b.kind, b.from);
                   });
  return result;
}

}  // namespace quillon
