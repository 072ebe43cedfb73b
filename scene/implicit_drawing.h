// Drawing of implicit equations and inequations: each graph's pixels are
// classified for the view they are drawn in (graph/implicit_region.h) and
// drawn as quads of world units that cover exactly those pixels. The
// pictures are kept between frames and made again when the view or the
// graph changes, before the frame is drawn or, for a window that must stay
// responsive, on a worker thread while the frame shows the last picture.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "graph/implicit_region.h"

namespace quillon {

class Camera;
class Graph;
class Scene;

// The pixels of the plane z = 0 as an orthographic camera looking straight
// down -z shows them; for other views, the same grid in world units.
PixelGrid ViewPixels(const Camera& view);

// Draws a classified picture into the current context at z = 0: curve
// pixels in `color` (widened to `width` pixels), undecided pixels in a
// lighter tone of it, inside pixels of an inequation tinted at 30 %
// opacity, and an inequation's boundary dashed. Leaves lighting on and
// blending off.
void DrawImplicitPicture(const ImplicitPicture& picture, std::int32_t color, std::int32_t width,
                         bool inequation);

class ImplicitDrawing {
 public:
  ImplicitDrawing();
  ~ImplicitDrawing();
  ImplicitDrawing(const ImplicitDrawing&) = delete;
  ImplicitDrawing& operator=(const ImplicitDrawing&) = delete;

  // Draws every implicit graph of scene for view, in list order, with the
  // current model-view matrix. A text that does not compile, or whose
  // tokens fail, draws nothing.
  void Draw(const Scene& scene, const Camera& view);

  // Undecided pixels over the graphs of the last Draw.
  std::int64_t Undecided() const { return undecided_; }

  // With pictureReady, a picture that a view needs is classified on a
  // worker thread: Draw starts it and meanwhile draws the graph's last
  // picture at its place in the world (nothing before the first), and the
  // worker calls pictureReady (on its own thread) when the picture is done,
  // so that the owner draws the frame again. A view change stops the work
  // for the old view. Without it (the default), Draw classifies before it
  // draws, so every frame is final.
  void ClassifyInBackground(std::function<void()> pictureReady);
  // True when every graph of the last Draw was drawn with the picture of
  // its view.
  bool Final() const { return final_; }

 private:
  struct Job;
  struct Entry;
  // Makes entry's picture for grid now, or starts or collects the work
  // that makes it in the background.
  void Update(Entry& entry, const PixelGrid& grid);
  std::vector<std::unique_ptr<Entry>> entries_;
  std::int64_t undecided_ = 0;
  std::function<void()> pictureReady_;
  bool final_ = true;
};

}  // namespace quillon
