#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>

#include "graph/graph_error.h"
#include "offscreen_test_support.h"
#include "scene/light.h"
#include "scene/material.h"

namespace quillon {
namespace {

using Rgba = std::array<float, 4>;

struct PresetValues {
  std::int32_t number;
  Rgba ambient, diffuse, specular, emission;
  float shininess;
};

// A sample of the presets, covering the translucent one (3), the emissive
// one (5), the graphs' default (4) and the last (13).
const PresetValues kPresetSamples[] = {
    {1,
     {0.936975f, 0.0923259f, 0.42843f, 0},
     {0.536861f, 0.0529003f, 0.24549f, 0.832432f},
     {0.805292f, 0.765198f, 0.747416f, 0},
     {0, 0, 0, 0},
     106.551f},
    {3,
     {0.187004f, 0.0748842f, 0, 0.34747f},
     {0.748016f, 0.299537f, 0, 0.34747f},
     {0.836364f, 0.836364f, 0.836364f, 0.34747f},
     {0, 0, 0, 0.34747f},
     117.915f},
    {4,
     {0.133333f, 0.0925319f, 0, 0},
     {0.49697f, 0.344891f, 0, 0},
     {1, 0.887978f, 0, 0},
     {0, 0, 0, 0},
     118.691f},
    {5,
     {0, 0, 0, 0},
     {0, 0, 0, 0},
     {0.622449f, 0.622449f, 0.622449f, 0},
     {0.0188407f, 0.940276f, 1, 0},
     6.53061f},
    {8,
     {0, 0.00107338f, 0.0785714f, 0},
     {0, 0.00429352f, 0.314286f, 0},
     {0.364672f, 0.833805f, 0.909091f, 0},
     {0, 0, 0, 0},
     81.4546f},
    {13,
     {0.0486486f, 0.0486486f, 0.0486486f, 0},
     {0.205405f, 0.205405f, 0.205405f, 0},
     {0.686486f, 0.676818f, 0.684159f, 0},
     {0, 0, 0, 0},
     128},
};

Rgba ReadMaterial(GLenum face, GLenum what) {
  Rgba value{-1, -1, -1, -1};
  glGetMaterialfv(face, what, value.data());
  return value;
}

void ExpectColor(const Rgba& actual, const Rgba& expected) {
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_FLOAT_EQ(actual[i], expected[i]) << "component " << i;
  }
}

TEST(Material, PresetsAreLoadedForBothFaces) {
  auto context = testing::MakeTestContext(8, 8);
  ASSERT_NE(context, nullptr);
  for (const PresetValues& preset : kPresetSamples) {
    SCOPED_TRACE(preset.number);
    Cls11 material;
    material.SetMaterial(preset.number);
    for (std::int32_t i = 0; i < 4; ++i) {
      const auto at = static_cast<std::size_t>(i);
      EXPECT_FLOAT_EQ(material.Ambient(i), preset.ambient[at]);
      EXPECT_FLOAT_EQ(material.Diffuse(i), preset.diffuse[at]);
      EXPECT_FLOAT_EQ(material.Specular(i), preset.specular[at]);
      EXPECT_FLOAT_EQ(material.Emission(i), preset.emission[at]);
    }
    EXPECT_FLOAT_EQ(material.Shininess(), preset.shininess);
    for (GLenum face : {GLenum{GL_FRONT}, GLenum{GL_BACK}}) {
      SCOPED_TRACE(face == GL_FRONT ? "front" : "back");
      ExpectColor(ReadMaterial(face, GL_AMBIENT), preset.ambient);
      ExpectColor(ReadMaterial(face, GL_DIFFUSE), preset.diffuse);
      ExpectColor(ReadMaterial(face, GL_SPECULAR), preset.specular);
      ExpectColor(ReadMaterial(face, GL_EMISSION), preset.emission);
      GLfloat shininess = -1;
      glGetMaterialfv(face, GL_SHININESS, &shininess);
      EXPECT_FLOAT_EQ(shininess, preset.shininess);
    }
  }
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// Numbers outside 1..13 load what the object already holds.
TEST(Material, UnknownPresetLoadsTheHeldValues) {
  auto context = testing::MakeTestContext(8, 8);
  ASSERT_NE(context, nullptr);
  for (std::int32_t number : {0, 14, -1}) {
    SCOPED_TRACE(number);
    Cls11 fresh;
    Cls11 six;
    six.SetMaterial(6);
    fresh.SetMaterial(number);
    ExpectColor(ReadMaterial(GL_FRONT, GL_DIFFUSE), {0, 0, 0, 0});
    ExpectColor(ReadMaterial(GL_BACK, GL_AMBIENT), {0, 0, 0, 0});

    Cls11 custom;
    custom.Diffuse(0, 0.25f);
    custom.Ambient(2, 0.5f);
    custom.Shininess(7);
    custom.SetMaterial(number);
    ExpectColor(ReadMaterial(GL_FRONT, GL_DIFFUSE), {0.25f, 0, 0, 0});
    ExpectColor(ReadMaterial(GL_BACK, GL_AMBIENT), {0, 0, 0.5f, 0});
    EXPECT_FLOAT_EQ(custom.Shininess(), 7);
  }
}

TEST(Material, PresetsTwoAndElevenShareAmbientAndDiffuseOnly) {
  auto context = testing::MakeTestContext(8, 8);
  ASSERT_NE(context, nullptr);
  Cls11 two;
  Cls11 eleven;
  two.SetMaterial(2);
  eleven.SetMaterial(11);
  for (std::int32_t i = 0; i < 4; ++i) {
    EXPECT_EQ(two.Ambient(i), eleven.Ambient(i));
    EXPECT_EQ(two.Diffuse(i), eleven.Diffuse(i));
  }
  EXPECT_NE(two.Specular(0), eleven.Specular(0));
  EXPECT_NE(two.Shininess(), eleven.Shininess());
}

TEST(Material, IndexOutsideTheColourThrows) {
  Cls11 material;
  for (std::int32_t index : {-1, 4, 100}) {
    SCOPED_TRACE(index);
    EXPECT_THROW(material.Ambient(index), GraphError);
    EXPECT_THROW(material.Emission(index, 1), GraphError);
  }
  EXPECT_EQ(material.MatType(), 0);
}

TEST(Light, DefaultsAndIndexChecks) {
  Cls10 light;
  EXPECT_TRUE(light.Enabled());
  EXPECT_EQ(light.TwoSides(), 1.0f);
  EXPECT_EQ(light.GlobalAmbient(), 1.0f);
  const float position[] = {100, 100, 100, 1};
  for (std::int32_t i = 0; i < 4; ++i) {
    EXPECT_EQ(light.Position(i), position[i]);
    EXPECT_EQ(light.Diffuse(i), 1.0f);
    EXPECT_EQ(light.Amission(i), 1.0f);
    EXPECT_EQ(light.Specular(i), 1.0f);
  }
  EXPECT_THROW(light.Position(4), GraphError);
  EXPECT_THROW(light.Specular(-1, 0), GraphError);
  EXPECT_THROW(light.GlobalAmbient(1), GraphError);
  EXPECT_THROW(light.TwoSides(1, 0), GraphError);
}

TEST(Light, SetLightLoadsBothLights) {
  auto context = testing::MakeTestContext(8, 8);
  ASSERT_NE(context, nullptr);
  Cls10 light;
  light.Diffuse(1, 0.5f);
  light.Amission(0, 0.25f);
  light.Specular(2, 0.75f);
  light.Position(0, -3);
  light.GlobalAmbient(0, 0.4f);
  light.TwoSides(0, 0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  light.SetLight();
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
  for (GLenum id : {GLenum{GL_LIGHT0}, GLenum{GL_LIGHT1}}) {
    SCOPED_TRACE(id - GL_LIGHT0);
    EXPECT_TRUE(glIsEnabled(id));
    Rgba value{};
    glGetLightfv(id, GL_DIFFUSE, value.data());
    ExpectColor(value, {1, 0.5f, 1, 1});
    glGetLightfv(id, GL_AMBIENT, value.data());
    ExpectColor(value, {0.25f, 1, 1, 1});
    glGetLightfv(id, GL_SPECULAR, value.data());
    ExpectColor(value, {1, 1, 0.75f, 1});
    glGetLightfv(id, GL_POSITION, value.data());
    ExpectColor(value, {-3, 100, 100, 1});
  }
  Rgba ambient{};
  glGetFloatv(GL_LIGHT_MODEL_AMBIENT, ambient.data());
  ExpectColor(ambient, {0.4f, 0.4f, 0.4f, 1});
  GLboolean twoSided = GL_TRUE;
  glGetBooleanv(GL_LIGHT_MODEL_TWO_SIDE, &twoSided);
  EXPECT_EQ(twoSided, GL_FALSE);
}

TEST(Light, DisabledLightSwitchesLightingOff) {
  auto context = testing::MakeTestContext(8, 8);
  ASSERT_NE(context, nullptr);
  Cls10 light;
  light.SetLight();
  ASSERT_TRUE(glIsEnabled(GL_LIGHTING));
  light.Enabled(false);
  light.Diffuse(0, 0.1f);
  light.SetLight();
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
  EXPECT_FALSE(glIsEnabled(GL_LIGHT0));
  EXPECT_FALSE(glIsEnabled(GL_LIGHT1));
  // A disabled light loads nothing.
  Rgba diffuse{};
  glGetLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse.data());
  EXPECT_FLOAT_EQ(diffuse[0], 1);
}

}  // namespace
}  // namespace quillon
