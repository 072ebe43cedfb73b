// The points of interest of an explicit Cartesian graph y = f(x) over its
// own x range (the v range of plane curves): roots, local minima and maxima,
// inflection points, the y-intercept and the intersections with other such
// graphs, each certified by interval evaluation with derivatives
// (CompiledExpression::EvaluateJet), so that none is missed however close
// together they lie, and the results do not depend on the graph's steps or
// on any view.
//
// How a point is certified: the x range is cut in halves until on each
// piece the function sought (f for roots, f' for extrema, f'' for
// inflections, f - g for intersections) is proven to have no zero there, or
// is proven strictly monotone by the enclosure of its own derivative; a
// monotone piece holds at most one zero, which interval Newton steps and
// halving close in on until the piece is narrower than the location
// tolerance, 1e-12 x max(1, |x|). A zero is reported when the function's
// enclosure over that last piece holds 0 and its values at the piece's two
// ends do not have the same strict sign; on a narrow piece that is not
// proven monotone, when the ends have strictly opposite signs (several
// zeros closer together than the tolerance count as one). A pole or a
// jump never gives a root: roots are sought only where the function is
// proven defined and continuous, and a piece across a pole is left out when
// its value is proven nonzero there. A root of f where f' vanishes too (a
// double root, where the graph touches the axis) is reported when, on a
// piece narrower than the tolerance on which f turns (f'' proven nonzero,
// or f' of opposite signs at its ends), f's enclosure holds 0: f comes
// within the rounding error of its evaluation of 0 there. A value that is
// small but proven nonzero (e^-50) is never a root, and a value the
// evaluation gives as exactly 0 at an end of a piece always is one.
// Extrema and inflection points are zeros at which f' or f'' changes sign,
// and lie inside the range; a root or an intersection at an end of the
// range counts.
//
// The work of each search is bounded by a count of evaluations, never by a
// clock, shared out in passes so that a hard place gets what the easy ones
// leave. A piece that cannot be decided within it, or not even at the
// tolerance (f identically 0, a jump of int, |x| at 0, x^4's f'' at 0), is
// returned as undecided: no point of interest there is listed, and none is
// guessed. The functions here are pure: they may run on any thread while
// the graphs they read are not changed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quillon {

class Graph;

// In the order listings sort them.
enum class PointOfInterestKind : std::uint8_t {
  Root,
  Minimum,
  Maximum,
  Inflection,
  Intersection,
  YIntercept,
};

// The lower-case English name used in exports: "root", "minimum", "maximum",
// "inflection", "intersection", "y-intercept".
const char* PointOfInterestKindName(PointOfInterestKind kind);

struct PointOfInterest {
  PointOfInterestKind kind = PointOfInterestKind::Root;
  double x = 0;  // world units
  double y = 0;  // f(x) in double precision
  // The other graph's id (Graph::id) for an intersection, else 0.
  std::int32_t otherGraphId = 0;
};

// A stretch of the x range [from, to] where the search for `kind` could not
// decide (Minimum stands for the one search of both extrema); otherGraphId
// as in PointOfInterest.
struct UndecidedPiece {
  PointOfInterestKind kind = PointOfInterestKind::Root;
  double from = 0;
  double to = 0;
  std::int32_t otherGraphId = 0;
};

struct PointsOfInterest {
  // Ordered by kind (in the enumeration's order), then by x.
  std::vector<PointOfInterest> points;
  // Ordered by kind, then by x; adjacent pieces are joined.
  std::vector<UndecidedPiece> undecided;
};

struct AnalysisLimits {
  // Evaluations (of the text over a piece or at a point) each search may
  // spend: one search per kind, and one per other graph.
  // sin(500*x) over 0..10 (1592 roots) needs about half of the default;
  // a search that spends it all (sin(1/x) over -1..1) takes about 20 ms.
  std::size_t evaluationsPerSearch = std::size_t{1} << 15;
};

// True for a graph of a plane curve kind in explicit form with Cartesian
// coordinates: y = the Z text of x over [minV, maxV].
bool HasPointsOfInterest(const Graph& graph);

// The points of interest of `graph`, with its intersections with each of
// `others` over the x range the two share (others that are the graph itself
// or have no points of interest are skipped). Nothing when the graph has no
// points of interest, or a text does not compile, calls RND or fails when
// evaluated; such an other graph gives no intersections.
PointsOfInterest FindPointsOfInterest(const Graph& graph, const std::vector<const Graph*>& others,
                                      const AnalysisLimits& limits = {});

}  // namespace quillon
