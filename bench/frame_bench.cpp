// Frame drawing speed: a compiled scene of 10 explicit curves drawn through
// its display list (BM_Frame), the same segments drawn from one vertex array
// without lists (BM_FrameReference), and the compilation itself
// (BM_Rebuild), also into one list per frame (BM_RebuildAnimated); BM_Frame
// with the plane axis shown (BM_FrameWithAxis). These
// draw the stored segments (exact curves off). With exact curves on:
// the first frame after the lists were compiled again, which refines every
// curve for the view (BM_FrameExact), and frames while the view pans at the
// same scale, which reuse the refinement (BM_FrameExactPan). Off-screen,
// 800 x 600 pixels, on whatever OpenGL the machine has (llvmpipe without a
// GPU).

#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "expr/undefined_mark.h"
#include "graph/box.h"
#include "graph/document_values.h"
#include "graph/graph.h"
#include "scene/axis.h"
#include "scene/camera.h"
#include "scene/frame_renderer.h"
#include "scene/light.h"
#include "scene/offscreen_context.h"
#include "scene/scene.h"

namespace quillon {
namespace {

constexpr std::int32_t kCurves = 10;
constexpr std::int32_t kWidth = 800;
constexpr std::int32_t kHeight = 600;

const std::int32_t kColors[kCurves] = {255,     65280, 16711680, 0,        8421376,
                                       8388736, 32896, 4227327,  16744448, 12632256};

// One document with 10 sampled curves over -20..20, and a context to draw
// it in. Zoomed to fit as the window's Zoom to Fit would.
struct BenchScene {
  std::unique_ptr<OffscreenContext> context;
  DocumentValues document;
  Scene scene;
  Axis axis;
  Camera view;
  Light light;
  Box sceneBox;
  FrameRenderer renderer;

  explicit BenchScene(std::int32_t steps)
      : context(std::make_unique<OffscreenContext>(kWidth, kHeight)) {
    for (std::int32_t k = 0; k < kCurves; ++k) {
      auto graph = std::make_shared<Graph>(document);
      graph->id = k + 1;
      graph->kind = GraphKind::PlaneCurve;
      graph->coordinates = CoordinateSystem::Cartesian;
      graph->form = FunctionForm::Explicit;
      graph->expressionX = "0";
      graph->expressionY = "0";
      graph->expressionZ = "sin(x*" + std::to_string(k + 1) + ")*10+" + std::to_string(k) + "-5";
      graph->minV = -20;
      graph->maxV = 20;
      graph->stepsU = 1;
      graph->stepsV = steps;
      graph->lineColor = kColors[k];
      graph->lineWidth = 1 + k % 3;
      graph->material = MaterialPreset::Gold;
      if (!graph->GetPoints()) {
        throw std::runtime_error("sampling failed");
      }
      scene.Graphs().Add(graph, std::to_string(graph->id));
    }
    view.SetScreen(kWidth, kHeight);
    const Box box = scene.GetBox(0);
    view.ZoomAll(box.MinX(), box.MinY(), box.MinZ(), box.MaxX(), box.MaxY(), box.MaxZ());
    if (!renderer.Initialize()) {
      throw std::runtime_error("no OpenGL context");
    }
    renderer.ExactCurves(false);
  }
  ~BenchScene() { renderer.Release(); }
};

// Frames of the compiled scene, the plane axis shown or not.
void DrawFrames(benchmark::State& state, bool axisShown) {
  BenchScene bench(static_cast<std::int32_t>(state.range(0)));
  bench.axis.shown = axisShown;
  bench.renderer.RebuildLists(bench.scene, bench.axis, bench.document, bench.sceneBox);
  for (auto _ : state) {
    bench.renderer.Display(bench.scene, bench.view, bench.light);
  }
  state.SetItemsProcessed(state.iterations() * kCurves * state.range(0));
}

void BM_Frame(benchmark::State& state) {
  DrawFrames(state, false);
}

// BM_Frame with the plane axis shown, as a new window shows it: the axis
// and its labels are drawn each frame at the frame's scale.
void BM_FrameWithAxis(benchmark::State& state) {
  DrawFrames(state, true);
}

// Exact curves: each frame follows a recompilation of the lists (outside
// the timing), so it refines all 10 curves for the view before drawing.
void BM_FrameExact(benchmark::State& state) {
  BenchScene bench(static_cast<std::int32_t>(state.range(0)));
  bench.renderer.ExactCurves(true);
  for (auto _ : state) {
    state.PauseTiming();
    bench.renderer.RebuildLists(bench.scene, bench.axis, bench.document, bench.sceneBox);
    glFinish();
    state.ResumeTiming();
    bench.renderer.Display(bench.scene, bench.view, bench.light);
  }
  state.SetItemsProcessed(state.iterations() * kCurves * state.range(0));
}

// Exact curves while the view pans back and forth by 1/100 of its width:
// the refinement made for the first frame is drawn again.
void BM_FrameExactPan(benchmark::State& state) {
  BenchScene bench(static_cast<std::int32_t>(state.range(0)));
  bench.renderer.ExactCurves(true);
  bench.renderer.RebuildLists(bench.scene, bench.axis, bench.document, bench.sceneBox);
  bench.renderer.Display(bench.scene, bench.view, bench.light);
  float step = 0.01f;
  for (auto _ : state) {
    bench.view.MoveView(step, 0);
    step = -step;
    bench.renderer.Display(bench.scene, bench.view, bench.light);
  }
  state.counters["refinements"] = static_cast<double>(bench.renderer.Certified().Refinements());
  state.SetItemsProcessed(state.iterations() * kCurves * state.range(0));
}

// The same segments, each curve a range of one vertex array of defined
// segments, drawn with the same line state and no display list.
void BM_FrameReference(benchmark::State& state) {
  BenchScene bench(static_cast<std::int32_t>(state.range(0)));
  std::vector<float> vertices;
  std::vector<std::pair<GLint, GLsizei>> ranges;
  for (const auto& entry : bench.scene.Graphs()) {
    const Graph& graph = *entry.second;
    const auto first = static_cast<GLint>(vertices.size() / 3);
    for (std::int32_t i = 0; i < graph.stepsV; ++i) {
      const GridPoint& p = *graph.Points().Find(0, i);
      const GridPoint& q = *graph.Points().Find(0, i + 1);
      const bool defined = p.x != UndefinedMark && p.y != UndefinedMark && q.x != UndefinedMark &&
                           q.y != UndefinedMark;
      if (defined) {
        vertices.insert(vertices.end(), {p.x, p.y, p.z, q.x, q.y, q.z});
      }
    }
    ranges.emplace_back(first, static_cast<GLsizei>(vertices.size() / 3) - first);
  }
  glEnableClientState(GL_VERTEX_ARRAY);
  glVertexPointer(3, GL_FLOAT, 0, vertices.data());
  for (auto _ : state) {
    bench.view.Projection(bench.scene);
    bench.light.SetLight();
    glShadeModel(GL_SMOOTH);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
    glDisable(GL_LIGHTING);
    glEnable(GL_LINE_SMOOTH);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
    std::size_t k = 0;
    for (const auto& entry : bench.scene.Graphs()) {
      const Graph& graph = *entry.second;
      const auto color = static_cast<std::uint32_t>(graph.lineColor);
      glLineWidth(static_cast<float>(graph.lineWidth));
      glColor3ub(static_cast<GLubyte>(color & 0xFF), static_cast<GLubyte>((color >> 8) & 0xFF),
                 static_cast<GLubyte>((color >> 16) & 0xFF));
      glDrawArrays(GL_LINES, ranges[k].first, ranges[k].second);
      ++k;
    }
    glDisable(GL_LINE_SMOOTH);
    glDisable(GL_BLEND);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glFinish();
  }
  glDisableClientState(GL_VERTEX_ARRAY);
  state.SetItemsProcessed(state.iterations() * kCurves * state.range(0));
}

void BM_Rebuild(benchmark::State& state) {
  BenchScene bench(static_cast<std::int32_t>(state.range(0)));
  for (auto _ : state) {
    bench.renderer.RebuildLists(bench.scene, bench.axis, bench.document, bench.sceneBox);
    glFinish();
  }
  state.SetItemsProcessed(state.iterations() * kCurves * state.range(0));
}

// An animated scene: the same curves, each marked animated, compiled into
// one list per frame 0..10 (the axis hidden).
void BM_RebuildAnimated(benchmark::State& state) {
  BenchScene bench(static_cast<std::int32_t>(state.range(0)));
  bench.document.AnimFrames = 10;
  for (const auto& entry : bench.scene.Graphs()) {
    entry.second->animated = true;
  }
  for (auto _ : state) {
    bench.renderer.RebuildLists(bench.scene, bench.axis, bench.document, bench.sceneBox);
    glFinish();
  }
  state.SetItemsProcessed(state.iterations() * 11 * kCurves * state.range(0));
}

BENCHMARK(BM_Frame)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_FrameWithAxis)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FrameExact)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FrameExactPan)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FrameReference)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_Rebuild)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_RebuildAnimated)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace quillon
