#include "scene/trace_marker.h"

#include <GL/gl.h>

#include <cmath>

#include "scene/picture_capture.h"

namespace quillon {

void DrawTraceMarker(const Camera& view, PlanePoint at) {
  // Sizes in pixels, turned into world units of the current view.
  constexpr double kRadius = 5;
  constexpr double kArm = 9;
  constexpr int kRingSegments = 24;
  constexpr double kPi = 3.14159265358979323846;
  const double sx = view.PixelWidth();
  const double sy = view.PixelHeight();
  glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_LINE_BIT);
  // Over everything drawn, whatever its depth, and in plain colour.
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  glDisable(GL_BLEND);
  SetLineWidth(2);
  glColor3d(0, 0, 0);
  glBegin(GL_LINE_LOOP);
  for (int i = 0; i < kRingSegments; ++i) {
    const double angle = 2 * kPi * i / kRingSegments;
    glVertex3d(at.x + kRadius * sx * std::cos(angle), at.y + kRadius * sy * std::sin(angle), 0);
  }
  glEnd();
  glBegin(GL_LINES);
  glVertex3d(at.x - kArm * sx, at.y, 0);
  glVertex3d(at.x + kArm * sx, at.y, 0);
  glVertex3d(at.x, at.y - kArm * sy, 0);
  glVertex3d(at.x, at.y + kArm * sy, 0);
  glEnd();
  glPopAttrib();
}

}  // namespace quillon
