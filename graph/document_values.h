// The values of one document that the graph model reads while sampling and
// boxing: the view interval, the animation frame count, the document kind,
// where messages go, and the RND sequence. Each document owns one; several
// documents can live side by side.
#pragma once

#include <cstdint>

#include "expr/random_generator.h"
#include "graph/graph_kinds.h"

namespace quillon {

class Reporter;

struct DocumentValues {
  // Sampling clips every coordinate outside these bounds (world units).
  float ViewMinX = -50;
  float ViewMaxX = 50;
  float ViewMinY = -50;
  float ViewMaxY = 50;
  float ViewMinZ = -50;
  float ViewMaxZ = 50;
  // Number of the last animation frame; also the step count of animated graphs.
  std::int32_t AnimFrames = 0;
  // Carried through files only.
  std::int32_t AnimExtra = 0;
  DocumentKind documentKind = DocumentKind::Plane;
  // Receives syntax and sampling messages; may be null (messages are dropped).
  Reporter* reporter = nullptr;
  RandomGenerator random;
};

}  // namespace quillon
