// The marker Trace puts on a curve, drawn over a finished frame.
#pragma once

#include "scene/camera.h"

namespace quillon {

// Draws a ring with a cross, a few pixels across whatever the zoom, centred
// on the point `at` of the plane z = 0, into the current context with the
// projection and camera of view already loaded (as after
// FrameRenderer::Display). Leaves the context's state as it found it.
void DrawTraceMarker(const Camera& view, PlanePoint at);

}  // namespace quillon
