// The refinement runs over the stored steps in chunks, so that its memory
// does not grow with the step count. Within a chunk it works level by
// level: all pieces of a level are enclosed in one EvaluateBoxes run per
// text, then each is taken as its chord, left out, or cut in two for the
// next level. The chunk starts as one piece over all its stored steps, cut
// at stored points first, so a dense curve is proven in pieces of about a
// pixel without an evaluation per stored step. The chords are put back in
// parameter order and merged into runs (RunMerger) as each chunk ends.
#include "graph/certified_curve.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "expr/compiled_expression.h"
#include "expr/engine_error.h"
#include "expr/evaluation_steps.h"
#include "expr/expression_compiler.h"
#include "expr/interval.h"
#include "expr/interval_steps.h"
#include "expr/random_generator.h"
#include "expr/undefined_mark.h"
#include "graph/graph.h"
#include "graph/run_merger.h"

namespace quillon {
namespace {

// How a curve's texts make its points (see GraphSampler::FormOfCurve).
enum class Form : std::uint8_t {
  ExplicitCartesian,    // x = parameter, y = Z text of x
  ExplicitPolar,        // angle = parameter, radius = Z text of a
  ParametricCartesian,  // x = Y text, y = Z text, z = X text, of u
  ParametricPolar,      // angle = Y text, radius = Z text, z = X text, of u
};

// Stored steps refined together.
constexpr std::int64_t kChunkSteps = 4096;

using Point = refinement::CurvePoint;
using refinement::RunMerger;

// What the enclosure of a piece proves: no point has a value, nothing, or
// every point has one and the curve is continuous on the piece.
enum class Status : std::uint8_t { Nowhere, Undecided, Proven };

Status StatusOf(const DecoratedInterval& value) {
  if (value.decoration.defined == Definedness::Nowhere) {
    return Status::Nowhere;
  }
  return value.IsDefinedAndContinuous() ? Status::Proven : Status::Undecided;
}

Status Weaker(Status a, Status b) {
  return std::min(a, b);
}

struct Enclosure {
  Interval x, y, z;
  Status status = Status::Nowhere;
};

// A parameter interval of the curve with the points at its ends.
struct Piece {
  double t0 = 0;
  double t1 = 0;
  Point p0, p1;
  // Stored indices of the ends while the piece spans whole stored steps,
  // else -1.
  std::int64_t i0 = -1;
  std::int64_t i1 = -1;
  std::int32_t depth = 0;  // midpoint cuts made
  bool proven = false;     // part of a piece proven continuous
};

struct Chord {
  double t0 = 0;
  double t1 = 0;
  Point p0, p1;
};

double DistanceToSegment(double px, double py, double ax, double ay, double bx, double by) {
  const double dx = bx - ax;
  const double dy = by - ay;
  const double lengthSquared = dx * dx + dy * dy;
  double s = 0;
  if (lengthSquared > 0) {
    s = std::clamp(((px - ax) * dx + (py - ay) * dy) / lengthSquared, 0.0, 1.0);
  }
  return std::hypot(px - (ax + s * dx), py - (ay + s * dy));
}

// A curve's form, compiled texts and stored parameters.
struct Curve {
  const Graph* graph = nullptr;
  bool handles = false;
  Form form = Form::ExplicitCartesian;
  Variable varying = Variable::X;
  // The compiled X, Y and Z texts (X and Y only for the parametric forms).
  CompiledExpression textX{std::string()};
  CompiledExpression textY{std::string()};
  CompiledExpression textZ{std::string()};
  std::int64_t steps = 0;
  double minimum = 0;
  double step = 0;
  // The document's view interval, which sampling clipped the points to.
  Interval clipX, clipY, clipZ;
  mutable RandomGenerator random;

  bool Parametric() const {
    return form == Form::ParametricCartesian || form == Form::ParametricPolar;
  }
  std::size_t Texts() const { return Parametric() ? 3 : 1; }

  // The stored parameter of point i, as sampling computes it.
  double Parameter(std::int64_t i) const {
    return static_cast<double>(evaluation::FinalValue(minimum + static_cast<double>(i) * step));
  }

  Point Evaluate(double t) const;
  void Enclose(const std::vector<Interval>& parameters, std::vector<Enclosure>& out,
               std::vector<DecoratedInterval>& a, std::vector<DecoratedInterval>& b,
               std::vector<DecoratedInterval>& c) const;
};

void SetVariable(VariablePoint& values, Variable variable, double value) {
  switch (variable) {
    case Variable::X:
      values.X = value;
      break;
    case Variable::A:
      values.A = value;
      break;
    default:
      values.U = value;
      break;
  }
}

Interval Cosine(Interval angle) {
  Interval r;
  evaluation::TrigonometricStep(evaluation::Op::Cos, angle, r);
  return r;
}

Interval Sine(Interval angle) {
  Interval r;
  evaluation::TrigonometricStep(evaluation::Op::Sin, angle, r);
  return r;
}

Point Curve::Evaluate(double t) const {
  VariablePoint values;
  SetVariable(values, varying, t);
  Point p;
  switch (form) {
    case Form::ExplicitCartesian: {
      const std::optional<double> y = textZ.EvaluatePoint(values, random);
      if (y) {
        p = {t, *y, 0, true};
      }
      break;
    }
    case Form::ExplicitPolar: {
      const std::optional<double> r = textZ.EvaluatePoint(values, random);
      if (r) {
        p = {*r * std::cos(t), *r * std::sin(t), 0, true};
      }
      break;
    }
    case Form::ParametricCartesian:
    case Form::ParametricPolar: {
      const std::optional<double> first = textY.EvaluatePoint(values, random);
      const std::optional<double> second = textZ.EvaluatePoint(values, random);
      const std::optional<double> depth = textX.EvaluatePoint(values, random);
      if (first && second && depth) {
        if (form == Form::ParametricCartesian) {
          p = {*first, *second, *depth, true};
        } else {
          p = {*second * std::cos(*first), *second * std::sin(*first), *depth, true};
        }
      }
      break;
    }
  }
  return p;
}

void Curve::Enclose(const std::vector<Interval>& parameters, std::vector<Enclosure>& out,
                    std::vector<DecoratedInterval>& a, std::vector<DecoratedInterval>& b,
                    std::vector<DecoratedInterval>& c) const {
  const std::size_t n = parameters.size();
  out.resize(n);
  const VariableBox base;
  b.resize(n);
  textZ.EvaluateBoxes(base, varying, parameters.data(), n, b.data());
  if (!Parametric()) {
    for (std::size_t k = 0; k < n; ++k) {
      Enclosure& e = out[k];
      e.status = StatusOf(b[k]);
      e.z = Interval::Point(0);
      if (form == Form::ExplicitCartesian) {
        e.x = parameters[k];
        e.y = b[k].value;
      } else if (e.status != Status::Nowhere) {
        e.x = b[k].value * Cosine(parameters[k]);
        e.y = b[k].value * Sine(parameters[k]);
      }
    }
    return;
  }
  a.resize(n);
  c.resize(n);
  textY.EvaluateBoxes(base, varying, parameters.data(), n, a.data());
  textX.EvaluateBoxes(base, varying, parameters.data(), n, c.data());
  for (std::size_t k = 0; k < n; ++k) {
    Enclosure& e = out[k];
    e.status = Weaker(Weaker(StatusOf(a[k]), StatusOf(b[k])), StatusOf(c[k]));
    if (e.status == Status::Nowhere) {
      continue;
    }
    e.z = c[k].value;
    if (form == Form::ParametricCartesian) {
      e.x = a[k].value;
      e.y = b[k].value;
    } else {
      e.x = b[k].value * Cosine(a[k].value);
      e.y = b[k].value * Sine(a[k].value);
    }
  }
}

// One call of Refine.
class Refinement {
 public:
  Refinement(const Curve& curve, const CurveView& view, const RefineLimits& limits,
             RefinedCurve& out)
      : curve_(curve),
        view_(view),
        limits_(limits),
        out_(out),
        grid_(curve.graph->Points()),
        merger_(view, limits.mergeTolerance, out) {
    const double marginX = view.marginPixels * view.pixelWidth;
    const double marginY = view.marginPixels * view.pixelHeight;
    clipX_ = curve.clipX;
    clipY_ = curve.clipY;
    clipZ_ = curve.clipZ;
    regionX_ = {std::max(view.minX - marginX, clipX_.lo), std::min(view.maxX + marginX, clipX_.hi)};
    regionY_ = {std::max(view.minY - marginY, clipY_.lo), std::min(view.maxY + marginY, clipY_.hi)};
    ascending_ = curve.Parameter(curve.steps) >= curve.Parameter(0);
  }

  void Run() {
    const bool visible = !regionX_.IsEmpty() && !regionY_.IsEmpty() &&
                         (curve_.Parametric() || clipZ_.Contains(0)) && view_.pixelWidth > 0 &&
                         view_.pixelHeight > 0;
    if (!visible) {
      return;
    }
    const std::size_t storedPoints = static_cast<std::size_t>(curve_.steps) + 1;
    budget_ = limits_.perStoredPoint * storedPoints + limits_.allowance;
    for (std::int64_t first = 0; first < curve_.steps; first += kChunkSteps) {
      const std::int64_t last = std::min(first + kChunkSteps, curve_.steps);
      // Each chunk may spend its share of what is left.
      const std::size_t left = budget_ > out_.evaluations ? budget_ - out_.evaluations : 0;
      const auto share =
          static_cast<std::size_t>(static_cast<double>(left) * static_cast<double>(last - first) /
                                   static_cast<double>(curve_.steps - first));
      RefineChunk(first, last, out_.evaluations + share);
      MergeChords();
    }
    merger_.Finish();
  }

 private:
  // The point of stored index i: the stored one when it is defined, else
  // evaluated (it may lie outside the view interval, or have no value).
  Point At(std::int64_t i) {
    const GridPoint& stored = grid_.Data()[grid_.Index(0, static_cast<std::int32_t>(i))];
    if (stored.x != UndefinedMark && stored.y != UndefinedMark && stored.z != UndefinedMark) {
      return {stored.x, stored.y, stored.z, true};
    }
    return Evaluate(curve_.Parameter(i));
  }

  Point Evaluate(double t) {
    out_.evaluations += curve_.Texts();
    return curve_.Evaluate(t);
  }

  bool Meets(const Enclosure& e) const {
    const bool meetsX = e.x.lo <= regionX_.hi && e.x.hi >= regionX_.lo;
    const bool meetsY = e.y.lo <= regionY_.hi && e.y.hi >= regionY_.lo;
    const bool meetsZ = !curve_.Parametric() || (e.z.lo <= clipZ_.hi && e.z.hi >= clipZ_.lo);
    return meetsX && meetsY && meetsZ;
  }

  bool ZInside(const Enclosure& e) const {
    return !curve_.Parametric() || (clipZ_.lo <= e.z.lo && e.z.hi <= clipZ_.hi);
  }

  // Every point of the enclosure within the tolerance of the chord.
  bool ChordFits(const Enclosure& e, const Point& p0, const Point& p1) const {
    const double ax = view_.PixelX(p0.x);
    const double ay = view_.PixelY(p0.y);
    const double bx = view_.PixelX(p1.x);
    const double by = view_.PixelY(p1.y);
    const double x0 = view_.PixelX(e.x.lo);
    const double x1 = view_.PixelX(e.x.hi);
    const double y0 = view_.PixelY(e.y.lo);
    const double y1 = view_.PixelY(e.y.hi);
    if (!std::isfinite(x0) || !std::isfinite(x1) || !std::isfinite(y0) || !std::isfinite(y1)) {
      return false;
    }
    const double tolerance = limits_.chordTolerance;
    return DistanceToSegment(x0, y0, ax, ay, bx, by) <= tolerance &&
           DistanceToSegment(x1, y0, ax, ay, bx, by) <= tolerance &&
           DistanceToSegment(x0, y1, ax, ay, bx, by) <= tolerance &&
           DistanceToSegment(x1, y1, ax, ay, bx, by) <= tolerance;
  }

  // An enclosure smaller than half a pixel each way: leaving it out leaves
  // a gap no one sees.
  bool Tiny(const Enclosure& e) const {
    const double width = (e.x.hi - e.x.lo) / view_.pixelWidth;
    const double height = (e.y.hi - e.y.lo) / view_.pixelHeight;
    return width < 0.5 && height < 0.5;
  }

  void Emit(const Piece& piece) {
    if (piece.p0.defined && piece.p1.defined) {
      chords_.push_back({piece.t0, piece.t1, piece.p0, piece.p1});
    }
  }

  // Cuts the piece in two into next; false when it cannot be cut.
  bool Cut(const Piece& piece, bool proven, std::vector<Piece>& next) {
    Piece left = piece;
    Piece right = piece;
    left.proven = right.proven = proven;
    if (piece.i0 >= 0 && piece.i1 - piece.i0 >= 2) {
      const std::int64_t middle = piece.i0 + (piece.i1 - piece.i0) / 2;
      const Point at = At(middle);
      left.t1 = right.t0 = curve_.Parameter(middle);
      left.p1 = right.p0 = at;
      left.i1 = right.i0 = middle;
    } else {
      const double middle = piece.t0 + (piece.t1 - piece.t0) / 2;
      if (!(std::min(piece.t0, piece.t1) < middle && middle < std::max(piece.t0, piece.t1))) {
        return false;
      }
      const Point at = Evaluate(middle);
      left.t1 = right.t0 = middle;
      left.p1 = right.p0 = at;
      left.i0 = left.i1 = right.i0 = right.i1 = -1;
      left.depth = right.depth = piece.depth + 1;
    }
    next.push_back(left);
    next.push_back(right);
    return true;
  }

  // Refines stored steps first..last until the evaluation count reaches
  // `until`.
  void RefineChunk(std::int64_t first, std::int64_t last, std::size_t until) {
    chords_.clear();
    std::vector<Piece> level(1);
    Piece& whole = level.front();
    whole.t0 = curve_.Parameter(first);
    whole.t1 = curve_.Parameter(last);
    whole.p0 = At(first);
    whole.p1 = At(last);
    whole.i0 = first;
    whole.i1 = last;
    std::vector<Piece> next;
    while (!level.empty()) {
      const std::size_t cost = level.size() * curve_.Texts();
      if (out_.evaluations + cost > until) {
        // Out of evaluations: pieces known continuous are drawn as their
        // chords, the rest not at all.
        out_.complete = false;
        for (const Piece& piece : level) {
          if (piece.proven) {
            Emit(piece);
          }
        }
        break;
      }
      parameters_.resize(level.size());
      for (std::size_t k = 0; k < level.size(); ++k) {
        parameters_[k] = {std::min(level[k].t0, level[k].t1), std::max(level[k].t0, level[k].t1)};
      }
      curve_.Enclose(parameters_, enclosures_, a_, b_, c_);
      out_.evaluations += cost;
      next.clear();
      for (std::size_t k = 0; k < level.size(); ++k) {
        Decide(level[k], enclosures_[k], next);
      }
      level.swap(next);
    }
  }

  void Decide(const Piece& piece, const Enclosure& e, std::vector<Piece>& next) {
    if (e.status == Status::Nowhere || !Meets(e)) {
      return;
    }
    const bool ends = piece.p0.defined && piece.p1.defined;
    const bool proven = (piece.proven || e.status == Status::Proven) && ZInside(e) && ends;
    const bool atLimit = piece.depth >= limits_.depth;
    if (proven) {
      if (ChordFits(e, piece.p0, piece.p1) || atLimit || !Cut(piece, true, next)) {
        Emit(piece);
      }
      return;
    }
    if (atLimit || Tiny(e)) {
      return;  // undecided at the limit: not drawn
    }
    Cut(piece, false, next);
  }

  // The part of the chord inside the view interval, as fractions u0 <= u1
  // of the way from p0 to p1; false when none is.
  bool ClipChord(const Chord& chord, double& u0, double& u1) const {
    u0 = 0;
    u1 = 1;
    const double dx = chord.p1.x - chord.p0.x;
    const double dy = chord.p1.y - chord.p0.y;
    auto edge = [&](double p, double q) {
      // The chord enters (p < 0) or leaves (p > 0) the side where q >= 0 ...
      if (p == 0) {
        return q >= 0;
      }
      const double r = q / p;
      if (p < 0) {
        u0 = std::max(u0, r);
      } else {
        u1 = std::min(u1, r);
      }
      return u0 <= u1;
    };
    return edge(-dx, chord.p0.x - clipX_.lo) && edge(dx, clipX_.hi - chord.p0.x) &&
           edge(-dy, chord.p0.y - clipY_.lo) && edge(dy, clipY_.hi - chord.p0.y);
  }

  // Puts the chunk's chords in parameter order and feeds them to the merger.
  void MergeChords() {
    std::sort(chords_.begin(), chords_.end(), [this](const Chord& a, const Chord& b) {
      return ascending_ ? a.t0 < b.t0 : a.t0 > b.t0;
    });
    for (const Chord& chord : chords_) {
      double u0 = 0;
      double u1 = 1;
      if (!ClipChord(chord, u0, u1)) {
        merger_.Finish();
        continue;
      }
      auto along = [&](double u, Point& p, double& t) {
        p = chord.p0;
        t = chord.t0;
        if (u > 0) {
          const Point& q = chord.p1;
          p = u >= 1 ? q
                     : Point{p.x + u * (q.x - p.x), p.y + u * (q.y - p.y), p.z + u * (q.z - p.z),
                             true};
          t = u >= 1 ? chord.t1 : t + u * (chord.t1 - t);
        }
      };
      Point start;
      Point end;
      double startT = 0;
      double endT = 0;
      along(u0, start, startT);
      along(u1, end, endT);
      const bool continues = merger_.Open() && u0 == 0 && chord.t0 == lastEnd_;
      if (!continues) {
        merger_.Start(start, startT);
      }
      merger_.Extend(end, endT);
      lastEnd_ = chord.t1;
      if (u1 < 1) {
        merger_.Finish();
      }
    }
  }

  const Curve& curve_;
  const CurveView& view_;
  const RefineLimits& limits_;
  RefinedCurve& out_;
  const PointGrid& grid_;
  RunMerger merger_;
  Interval regionX_, regionY_;      // where pieces are refined
  Interval clipX_, clipY_, clipZ_;  // the document's view interval
  bool ascending_ = true;
  std::size_t budget_ = 0;
  double lastEnd_ = std::numeric_limits<double>::quiet_NaN();
  std::vector<Chord> chords_;
  std::vector<Interval> parameters_;
  std::vector<Enclosure> enclosures_;
  std::vector<DecoratedInterval> a_, b_, c_;
};

bool CompileText(const std::string& text, CompiledExpression& code) {
  ExpressionCompiler compiler;
  std::string postfix;
  if (compiler.InfixToPostfix(text, postfix) != 0) {
    return false;
  }
  code = CompiledExpression(postfix);
  return !code.UsesRandom() && code.YieldsValue();
}

}  // namespace

struct CurveRefiner::Impl : Curve {};

CurveRefiner::CurveRefiner(const Graph& graph) : impl_(std::make_unique<Impl>()) {
  Impl& c = *impl_;
  c.graph = &graph;
  if (!IsPlaneCurveKind(graph.kind) || !IsPlaneSystem(graph.coordinates)) {
    return;
  }
  const bool cartesian = graph.coordinates == CoordinateSystem::Cartesian;
  if (graph.form == FunctionForm::Explicit) {
    c.form = cartesian ? Form::ExplicitCartesian : Form::ExplicitPolar;
    c.varying = cartesian ? Variable::X : Variable::A;
  } else if (graph.form == FunctionForm::Parametric) {
    c.form = cartesian ? Form::ParametricCartesian : Form::ParametricPolar;
    c.varying = Variable::U;
  } else {
    return;
  }
  if (!CompileText(graph.expressionZ, c.textZ)) {
    return;
  }
  if (c.Parametric() &&
      (!CompileText(graph.expressionX, c.textX) || !CompileText(graph.expressionY, c.textY))) {
    return;
  }
  // The points must be those of the graph's steps, as sampling stores them.
  const PointGrid& grid = graph.Points();
  if (!grid.Stored() || grid.Upper(0) < 0 || graph.stepsV < 1 || grid.Upper(1) != graph.stepsV) {
    return;
  }
  c.steps = graph.stepsV;
  c.minimum = graph.minV;
  const double step = (static_cast<double>(graph.maxV) - graph.minV) / graph.stepsV;
  c.step = evaluation::InFloatRange(step) ? static_cast<double>(static_cast<float>(step)) : step;
  if (!evaluation::InFloatRange(c.minimum + static_cast<double>(c.steps) * c.step)) {
    return;
  }
  const DocumentValues& document = graph.Document();
  c.clipX = {document.ViewMinX, document.ViewMaxX};
  c.clipY = {document.ViewMinY, document.ViewMaxY};
  c.clipZ = {document.ViewMinZ, document.ViewMaxZ};
  c.handles = true;
}

CurveRefiner::~CurveRefiner() = default;
CurveRefiner::CurveRefiner(CurveRefiner&&) noexcept = default;
CurveRefiner& CurveRefiner::operator=(CurveRefiner&&) noexcept = default;

bool CurveRefiner::Handles() const {
  return impl_->handles;
}

std::optional<RefinedCurve> CurveRefiner::Refine(const CurveView& view,
                                                 const RefineLimits& limits) const {
  const PointGrid& grid = impl_->graph->Points();
  if (!impl_->handles || !grid.Stored() || grid.Upper(1) != impl_->steps) {
    return std::nullopt;
  }
  RefinedCurve out;
  try {
    Refinement(*impl_, view, limits, out).Run();
  } catch (const EngineError&) {
    return std::nullopt;
  }
  return out;
}

}  // namespace quillon
