#include "scene/scene.h"

#include <memory>

#include "graph/graph_record.h"
#include "scene/graph_drawing.h"

namespace quillon {

namespace {

constexpr float kBoxStart = 9999999.0f;
constexpr float kBoxMargin = 0.1f;

}  // namespace

bool Cls8::Animation() const {
  for (const auto& entry : graphs_) {
    if (entry.second->Animation()) {
      return true;
    }
  }
  return false;
}

Cls1 Cls8::GetBox(std::int32_t step) {
  boxMaxX_ = boxMaxY_ = boxMaxZ_ = -kBoxStart;
  boxMinX_ = boxMinY_ = boxMinZ_ = kBoxStart;
  for (const auto& entry : graphs_) {
    Cls9& graph = *entry.second;
    const std::shared_ptr<const Cls1> box = graph.GetBox(graph.Animation() ? step : 0);
    if (box->MinX() < boxMinX_)
      boxMinX_ = box->MinX();
    if (box->MaxX() > boxMaxX_)
      boxMaxX_ = box->MaxX();
    if (box->MinY() < boxMinY_)
      boxMinY_ = box->MinY();
    if (box->MaxY() > boxMaxY_)
      boxMaxY_ = box->MaxY();
    if (box->MinZ() < boxMinZ_)
      boxMinZ_ = box->MinZ();
    if (box->MaxZ() > boxMaxZ_)
      boxMaxZ_ = box->MaxZ();
  }
  boxMinX_ -= kBoxMargin;
  boxMinY_ -= kBoxMargin;
  boxMinZ_ -= kBoxMargin;
  boxMaxX_ += kBoxMargin;
  boxMaxY_ += kBoxMargin;
  boxMaxZ_ += kBoxMargin;
  Cls1 result;
  result.MinX(boxMinX_);
  result.MaxX(boxMaxX_);
  result.MinY(boxMinY_);
  result.MaxY(boxMaxY_);
  result.MinZ(boxMinZ_);
  result.MaxZ(boxMaxZ_);
  return result;
}

void Cls8::Draw(std::int32_t step) {
  for (const auto& entry : graphs_) {
    Cls9& graph = *entry.second;
    DrawGraph(graph, graph.Animation() ? step : 0);
  }
}

}  // namespace quillon
