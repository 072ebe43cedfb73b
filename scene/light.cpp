#include "scene/light.h"

#include <GL/gl.h>

#include <initializer_list>

namespace quillon {
namespace {

// Homogeneous position of both lights, in world units.
constexpr GLfloat kPosition[4] = {100, 100, 100, 1};
// The diffuse, ambient and specular colour of both lights, and the light
// model's ambient level.
constexpr GLfloat kWhite[4] = {1, 1, 1, 1};

}  // namespace

void Light::SetLight() const {
  for (GLenum light : {GLenum{GL_LIGHT0}, GLenum{GL_LIGHT1}}) {
    glLightfv(light, GL_POSITION, kPosition);
    glLightfv(light, GL_DIFFUSE, kWhite);
    glLightfv(light, GL_AMBIENT, kWhite);
    glLightfv(light, GL_SPECULAR, kWhite);
  }
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, kWhite);
  glLightModelf(GL_LIGHT_MODEL_TWO_SIDE, 1);
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  glEnable(GL_LIGHT1);
}

}  // namespace quillon
