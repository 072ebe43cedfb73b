// Test graphs and a document for drawing tests: curves sampled by the graph
// model (or written point by point after sampling) and the objects a frame
// is drawn from.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "graph/box.h"
#include "graph/document_values.h"
#include "graph/graph_record.h"
#include "scene/axis.h"
#include "scene/light.h"
#include "scene/scene.h"
#include "scene/view.h"

namespace quillon::testing {

inline constexpr std::int32_t kRed = 255;
inline constexpr std::int32_t kGreen = 65280;
inline constexpr std::int32_t kBlue = 16711680;

struct TestDocument {
  DocumentValues document;
  Cls8 scene;
  Cls3 axis;
  Cls4 view;
  Cls10 light;
  Cls1 sceneBox;
  std::int32_t lastId = 0;

  // The view of the pixel tests: 800 x 600 pixels showing 40 x 40 units
  // around the origin (20 pixels a unit across, 15 down).
  TestDocument() {
    view.ScreenWidth(800);
    view.ScreenHeight(600);
  }

  // A sampled explicit curve y = expression over from..to in steps
  // intervals, material 4, as the properties dialog makes it.
  std::shared_ptr<Cls9> MakeCurve(const std::string& expression, float from, float to,
                                  std::int32_t steps, std::int32_t color, std::int32_t width);
  // A curve through the given points (x, y; z = 0), written after sampling.
  std::shared_ptr<Cls9> MakePolyline(const std::vector<std::pair<float, float>>& points,
                                     std::int32_t color, std::int32_t width);
  // Adds the graph to the scene under the decimal text of its ID.
  void Show(const std::shared_ptr<Cls9>& graph);
};

}  // namespace quillon::testing
