#include "scene/scene.h"

#include "graph/graph.h"
#include "scene/graph_drawing.h"

namespace quillon {

void BoxBounds::Take(const Box& box) {
  if (box.MinX() < MinX)
    MinX = box.MinX();
  if (box.MaxX() > MaxX)
    MaxX = box.MaxX();
  if (box.MinY() < MinY)
    MinY = box.MinY();
  if (box.MaxY() > MaxY)
    MaxY = box.MaxY();
  if (box.MinZ() < MinZ)
    MinZ = box.MinZ();
  if (box.MaxZ() > MaxZ)
    MaxZ = box.MaxZ();
}

void BoxBounds::Widen() {
  constexpr float kMargin = 0.1f;
  MinX -= kMargin;
  MinY -= kMargin;
  MinZ -= kMargin;
  MaxX += kMargin;
  MaxY += kMargin;
  MaxZ += kMargin;
}

Box BoxBounds::AsBox() const {
  Box result;
  result.MinX(MinX);
  result.MaxX(MaxX);
  result.MinY(MinY);
  result.MaxY(MaxY);
  result.MinZ(MinZ);
  result.MaxZ(MaxZ);
  return result;
}

bool Scene::Animation() const {
  for (const auto& entry : graphs_) {
    if (entry.second->animated) {
      return true;
    }
  }
  return false;
}

Box Scene::GetBox(std::int32_t step) const {
  BoxBounds bounds;
  for (const auto& entry : graphs_) {
    Graph& graph = *entry.second;
    bounds.Take(*graph.GetBox(graph.animated ? step : 0));
  }
  bounds.Widen();
  return bounds.AsBox();
}

void Scene::Draw(CertifiedDrawing* exact) const {
  for (const auto& entry : graphs_) {
    DrawGraph(*entry.second, exact);
  }
}

}  // namespace quillon
