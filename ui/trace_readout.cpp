#include "ui/trace_readout.h"

#include <algorithm>
#include <cmath>

#include "graph/graph.h"
#include "graph/points_of_interest.h"
#include "ui/coordinate_text.h"
#include "ui/window_texts.h"

namespace quillon {

namespace {

const char* ParameterName(CurveTrace::Parameter parameter) {
  switch (parameter) {
    case CurveTrace::Parameter::X:
      return texts::kParameterX;
    case CurveTrace::Parameter::A:
      return texts::kParameterA;
    case CurveTrace::Parameter::U:
      break;
  }
  return texts::kParameterU;
}

}  // namespace

void TraceReadout::Tracing(bool on) {
  tracing_ = on;
  if (!on) {
    traced_.reset();
    tracedText_.clear();
  }
}

std::string TraceReadout::PointerAt(double column, double row, const Camera& view,
                                    const Graph* graph) {
  const PlanePoint world = view.PlaneAt(column, row);
  if (!tracing_) {
    return texts::PointerCoordinates(CoordinateText(world.x, DecimalsForPixel(view.PixelWidth())),
                                     CoordinateText(world.y, DecimalsForPixel(view.PixelHeight())));
  }
  followed_ = world;
  return Retrace(view, graph);
}

std::string TraceReadout::PointerLeft() const {
  return tracing_ ? tracedText_ : std::string();
}

std::string TraceReadout::Retrace(const Camera& view, const Graph* graph) {
  if (!tracing_) {
    return {};
  }
  traced_.reset();
  const std::optional<CurveTrace> trace =
      graph != nullptr ? std::optional<CurveTrace>(std::in_place, *graph) : std::nullopt;
  if (!trace || !trace->Traceable()) {
    tracedText_ = texts::kTraceWithoutCurve;
    return tracedText_;
  }
  const PlanePoint at = followed_.value_or(PlanePoint{view.RefPos().x, view.RefPos().y});
  traced_ = trace->Near(at.x, at.y);
  return TraceText(*trace, *graph, view);
}

std::string TraceReadout::Move(
    const Camera& view, const Graph* graph,
    const std::function<std::optional<TracedPoint>(const CurveTrace&, const TracedPoint&)>& to) {
  if (!tracing_) {
    return {};
  }
  if (!traced_) {
    Retrace(view, graph);
  }
  if (!traced_ || graph == nullptr) {
    return tracedText_;
  }
  const CurveTrace trace(*graph);
  const std::optional<TracedPoint> moved = trace.Traceable() ? to(trace, *traced_) : std::nullopt;
  if (!moved) {
    return tracedText_;
  }
  traced_ = moved;
  // The mouse, when it moves again, takes the point from here.
  if (traced_->x && traced_->y) {
    followed_ = PlanePoint{*traced_->x, *traced_->y};
  }
  return TraceText(trace, *graph, view);
}

std::string TraceReadout::Step(int steps, const Camera& view, const Graph* graph) {
  return Move(view, graph, [&](const CurveTrace& trace, const TracedPoint& from) {
    return trace.Evaluated() ? trace.AtX(from.parameter + steps * view.PixelWidth())
                             : trace.AtIndex(from.index + steps);
  });
}

std::string TraceReadout::StepToPointOfInterest(int direction, const Camera& view,
                                                const Graph* graph,
                                                const std::vector<const Graph*>& others) {
  return Move(view, graph,
              [&](const CurveTrace& trace, const TracedPoint& from) -> std::optional<TracedPoint> {
                if (!trace.Evaluated()) {
                  return std::nullopt;
                }
                // A point where the trace stands, within its location
                // tolerance, is passed: the next one is found.
                const double at = from.parameter;
                const double passed = 1e-9 * std::max(1.0, std::abs(at));
                std::optional<double> next;
                for (const PointOfInterest& point : FindPointsOfInterest(*graph, others).points) {
                  const double ahead = (point.x - at) * direction;
                  if (ahead > passed && (!next || ahead < (*next - at) * direction)) {
                    next = point.x;
                  }
                }
                return next ? std::optional<TracedPoint>(trace.AtX(*next)) : std::nullopt;
              });
}

std::optional<PlanePoint> TraceReadout::Marker() const {
  if (!tracing_ || !traced_ || !traced_->x || !traced_->y) {
    return std::nullopt;
  }
  return PlanePoint{*traced_->x, *traced_->y};
}

std::string TraceReadout::TraceText(const CurveTrace& trace, const Graph& graph,
                                    const Camera& view) {
  const std::int32_t xDecimals = DecimalsForPixel(view.PixelWidth());
  const std::int32_t yDecimals = DecimalsForPixel(view.PixelHeight());
  std::string parameter;
  if (!trace.Evaluated()) {
    // As many decimals as tell neighbouring stored points apart.
    const double step =
        graph.stepsV > 0 ? (static_cast<double>(graph.maxV) - graph.minV) / graph.stepsV : 0.0;
    parameter =
        texts::ParameterValue(ParameterName(trace.ParameterName()),
                              CoordinateText(traced_->parameter, DecimalsForPixel(std::abs(step))));
  }
  std::string point;
  if (traced_->x && traced_->y) {
    point = texts::PointerCoordinates(CoordinateText(*traced_->x, xDecimals),
                                      CoordinateText(*traced_->y, yDecimals));
  } else {
    if (trace.Evaluated()) {
      parameter =
          texts::ParameterValue(texts::kParameterX, CoordinateText(traced_->parameter, xDecimals));
    }
    point = texts::kUndefinedPoint;
  }
  tracedText_ = texts::TracedPoint(graph.name, parameter, point);
  return tracedText_;
}

}  // namespace quillon
