#include "scene/light.h"

#include <GL/gl.h>

#include <string>

#include "graph/graph_error.h"

namespace quillon {

std::size_t Light::Index4(std::int32_t index) {
  if (index < 0 || index > 3) {
    throw GraphError("Subscript out of range: light component " + std::to_string(index));
  }
  return static_cast<std::size_t>(index);
}

std::size_t Light::Index1(std::int32_t index) {
  if (index != 0) {
    throw GraphError("Subscript out of range: light value " + std::to_string(index));
  }
  return 0;
}

void Light::SetLight() const {
  if (!enabled_) {
    glDisable(GL_LIGHTING);
    glDisable(GL_LIGHT0);
    glDisable(GL_LIGHT1);
    return;
  }
  for (GLenum light : {GLenum{GL_LIGHT0}, GLenum{GL_LIGHT1}}) {
    glLightfv(light, GL_POSITION, position_.data());
    glLightfv(light, GL_DIFFUSE, diffuse_.data());
    glLightfv(light, GL_AMBIENT, amission_.data());
    glLightfv(light, GL_SPECULAR, specular_.data());
  }
  // Only one ambient level is stored: it is used as a grey, fully opaque.
  const float g = globalAmbient_[0];
  const GLfloat modelAmbient[4] = {g, g, g, 1};
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, modelAmbient);
  glLightModelf(GL_LIGHT_MODEL_TWO_SIDE, twoSides_[0]);
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  glEnable(GL_LIGHT1);
}

}  // namespace quillon
