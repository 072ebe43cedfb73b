// Light: the lighting of a frame, loaded into the current OpenGL context at
// the start of every frame: two white lights at one position, full ambient
// light as an opaque grey, and two-sided lighting.
#pragma once

namespace quillon {

class Light {
 public:
  // Loads lights 0 and 1 and the light model and switches lighting and both
  // lights on. The light position (100, 100, 100) is taken through the
  // current model-view matrix.
  void SetLight() const;
};

}  // namespace quillon
