#include "scene/implicit_drawing.h"

#include <GL/gl.h>

#include <algorithm>
#include <atomic>
#include <new>
#include <string>
#include <thread>

#include "expr/engine_error.h"
#include "graph/graph.h"
#include "scene/camera.h"
#include "scene/graph_drawing.h"
#include "scene/scene.h"

namespace quillon {

namespace {

// Opacity of the lighter tone of undecided pixels and of the tint inside an
// inequation.
constexpr double kUndecidedOpacity = 0.4;
constexpr double kInsideOpacity = 0.3;
// A dashed boundary shows kDashOn pixels of every kDashPeriod along it.
constexpr std::int32_t kDashPeriod = 8;
constexpr std::int32_t kDashOn = 5;

bool IsCurve(const ImplicitPicture& picture, std::int32_t c, std::int32_t r) {
  return c >= 0 && c < picture.grid.columns && picture.At(c, r) == PixelClass::Curve;
}

// Whether a boundary pixel is drawn: its place along the boundary is its
// column where the boundary runs sideways (a neighbour in the row is on
// it), its row elsewhere.
bool InDash(const ImplicitPicture& picture, std::int32_t c, std::int32_t r) {
  const bool sideways = IsCurve(picture, c - 1, r) || IsCurve(picture, c + 1, r);
  return (sideways ? c : r) % kDashPeriod < kDashOn;
}

// One quad over the pixels c0..c1 - 1 of row r, grown by `grow` pixels on
// every side.
void EmitRun(const PixelGrid& g, std::int32_t c0, std::int32_t c1, std::int32_t r, double grow) {
  const double x0 = g.left + (c0 - grow) * g.pixelWidth;
  const double x1 = g.left + (c1 + grow) * g.pixelWidth;
  const double y0 = g.bottom + (r - grow) * g.pixelHeight;
  const double y1 = g.bottom + (r + 1 + grow) * g.pixelHeight;
  glVertex3d(x0, y0, 0);
  glVertex3d(x1, y0, 0);
  glVertex3d(x1, y1, 0);
  glVertex3d(x0, y1, 0);
}

// Quads over the runs of pixels that `drawn` picks in each row.
template <typename Picks>
void EmitRuns(const ImplicitPicture& picture, double grow, Picks drawn) {
  const PixelGrid& g = picture.grid;
  glBegin(GL_QUADS);
  for (std::int32_t r = 0; r < g.rows; ++r) {
    std::int32_t c = 0;
    while (c < g.columns) {
      if (!drawn(c, r)) {
        ++c;
        continue;
      }
      const std::int32_t first = c;
      while (c < g.columns && drawn(c, r))
        ++c;
      EmitRun(g, first, c, r, grow);
    }
  }
  glEnd();
}

// The settings of a graph that its picture depends on (colour and width are
// applied when drawing): a change makes the picture again.
struct GraphRegion {
  GraphKind kind = GraphKind::PlaneCurve;
  CoordinateSystem coordinates{0};
  FunctionForm form{0};
  std::string text;
  float minU = 0, maxU = 0, minV = 0, maxV = 0;

  explicit GraphRegion(const Graph& g)
      : kind(g.kind),
        coordinates(g.coordinates),
        form(g.form),
        text(g.expressionZ),
        minU(g.minU),
        maxU(g.maxU),
        minV(g.minV),
        maxV(g.maxV) {}
  bool operator==(const GraphRegion& o) const {
    return kind == o.kind && coordinates == o.coordinates && form == o.form && text == o.text &&
           minU == o.minU && maxU == o.maxU && minV == o.minV && maxV == o.maxV;
  }
};

}  // namespace

// One classification on a worker thread. Destroying the job stops the
// work and waits for the thread, which takes at most a row of pixels.
struct ImplicitDrawing::Job {
  PixelGrid grid;
  std::atomic<bool> stop{false};
  std::atomic<bool> done{false};
  ImplicitPicture picture;  // the worker's, to be read once done
  std::thread worker;

  Job(const ImplicitShape& shape, const PixelGrid& view, const std::function<void()>& ready)
      : grid(view) {
    worker = std::thread([this, &shape, ready] {
      ImplicitPicture made = Classified(shape, grid, &stop);
      if (stop.load())
        return;
      picture = std::move(made);
      done.store(true, std::memory_order_release);
      ready();
    });
  }
  ~Job() {
    stop.store(true);
    worker.join();
  }
  Job(const Job&) = delete;
  Job& operator=(const Job&) = delete;

  // The picture of grid; an empty one when a failing token or memory ends
  // the classification (the graph then draws nothing, as a curve whose
  // text fails has no points).
  static ImplicitPicture Classified(const ImplicitShape& shape, const PixelGrid& grid,
                                    const std::atomic<bool>* stop) {
    try {
      return shape.Classify(grid, stop);
    } catch (const EngineError&) {
    } catch (const std::bad_alloc&) {
    }
    ImplicitPicture empty;
    empty.grid = grid;
    return empty;
  }
};

struct ImplicitDrawing::Entry {
  std::int32_t id = 0;
  GraphRegion region;
  std::unique_ptr<ImplicitShape> shape;  // null when the text does not compile
  ImplicitPicture picture;
  bool used = false;
  bool computed = false;  // picture is that of the grid picture.grid
  // The picture being made for a new view; declared after the shape it
  // uses, so that it stops first.
  std::unique_ptr<Job> job;
};

PixelGrid ViewPixels(const Camera& view) {
  PixelGrid grid;
  grid.columns = static_cast<std::int32_t>(view.ScreenWidth());
  grid.rows = static_cast<std::int32_t>(view.ScreenHeight());
  grid.pixelWidth = static_cast<double>(view.VolWidth()) / view.ScreenWidth();
  grid.pixelHeight = static_cast<double>(view.VolHeight()) / view.ScreenHeight();
  grid.left = view.RefPos().x - static_cast<double>(view.VolWidth()) / 2;
  grid.bottom = view.RefPos().y - static_cast<double>(view.VolHeight()) / 2;
  return grid;
}

void DrawImplicitPicture(const ImplicitPicture& picture, std::int32_t color, std::int32_t width,
                         bool inequation) {
  if (picture.pixels.empty())
    return;
  const ColorFractions rgb = ColorToRGB(color);
  const double grow = (std::max(width, 1) - 1) / 2.0;
  glDisable(GL_LIGHTING);
  glPushAttrib(GL_COLOR_BUFFER_BIT);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  if (inequation) {
    glColor4d(rgb.red, rgb.green, rgb.blue, kInsideOpacity);
    EmitRuns(picture, 0, [&](std::int32_t c, std::int32_t r) {
      return picture.At(c, r) == PixelClass::Inside;
    });
  }
  glColor4d(rgb.red, rgb.green, rgb.blue, kUndecidedOpacity);
  EmitRuns(picture, grow, [&](std::int32_t c, std::int32_t r) {
    return picture.At(c, r) == PixelClass::Undecided;
  });
  glColor4d(rgb.red, rgb.green, rgb.blue, 1);
  EmitRuns(picture, grow, [&](std::int32_t c, std::int32_t r) {
    return picture.At(c, r) == PixelClass::Curve && (!inequation || InDash(picture, c, r));
  });
  glPopAttrib();
  glDisable(GL_BLEND);
  glEnable(GL_LIGHTING);
}

ImplicitDrawing::ImplicitDrawing() = default;
ImplicitDrawing::~ImplicitDrawing() = default;

void ImplicitDrawing::ClassifyInBackground(std::function<void()> pictureReady) {
  pictureReady_ = std::move(pictureReady);
}

void ImplicitDrawing::Draw(const Scene& scene, const Camera& view) {
  const PixelGrid grid = ViewPixels(view);
  undecided_ = 0;
  final_ = true;
  for (auto& entry : entries_)
    entry->used = false;
  for (const auto& listed : scene.Graphs()) {
    const Graph& graph = *listed.second;
    if (!IsImplicitGraph(graph))
      continue;
    const GraphRegion region(graph);
    auto found = std::find_if(entries_.begin(), entries_.end(), [&](const auto& e) {
      return !e->used && e->id == graph.id && e->region == region;
    });
    if (found == entries_.end()) {
      entries_.push_back(std::make_unique<Entry>(
          Entry{graph.id, region, MakeImplicitShape(graph), {}, false, false, nullptr}));
      found = entries_.end() - 1;
    }
    Entry& entry = **found;
    entry.used = true;
    if (!entry.computed || !(entry.picture.grid == grid))
      Update(entry, grid);
    undecided_ += entry.picture.undecided;
    DrawImplicitPicture(entry.picture, graph.lineColor, graph.lineWidth,
                        graph.form == FunctionForm::Inequation);
  }
  entries_.erase(
      std::remove_if(entries_.begin(), entries_.end(), [](const auto& e) { return !e->used; }),
      entries_.end());
}

void ImplicitDrawing::Update(Entry& entry, const PixelGrid& grid) {
  if (entry.shape == nullptr) {
    entry.computed = true;
    entry.picture = ImplicitPicture{};
    entry.picture.grid = grid;
    return;
  }
  if (entry.job != nullptr && entry.job->grid == grid &&
      entry.job->done.load(std::memory_order_acquire)) {
    entry.picture = std::move(entry.job->picture);
    entry.computed = true;
    entry.job.reset();
    return;
  }
  if (!pictureReady_) {
    entry.job.reset();
    entry.picture = Job::Classified(*entry.shape, grid, nullptr);
    entry.computed = true;
    return;
  }
  final_ = false;
  if (entry.job == nullptr || !(entry.job->grid == grid)) {
    entry.job.reset();  // the old view's work stops before the shape is used again
    entry.job = std::make_unique<Job>(*entry.shape, grid, pictureReady_);
  }
}

}  // namespace quillon
