#include "scene/material.h"

#include <GL/gl.h>

namespace quillon {

namespace {

struct Preset {
  std::array<float, 4> ambient, diffuse, specular, emission;
  float shininess;
};

// Presets 1..13 in order. Documents name materials by these numbers: 4 is
// the material of new graphs and of axis panels, 5 the only emissive one.
constexpr std::array<Preset, 13> kPresets = {{
    {{0.936975f, 0.0923259f, 0.42843f, 0},
     {0.536861f, 0.0529003f, 0.24549f, 0.832432f},
     {0.805292f, 0.765198f, 0.747416f, 0},
     {0, 0, 0, 0},
     106.551f},
    {{0.098983f, 0.0565609f, 0.0320604f, 0},
     {0.395932f, 0.226244f, 0.128242f, 0},
     {1, 0.464407f, 0.4753f, 0},
     {0, 0, 0, 0},
     127.308f},
    {{0.187004f, 0.0748842f, 0, 0.34747f},
     {0.748016f, 0.299537f, 0, 0.34747f},
     {0.836364f, 0.836364f, 0.836364f, 0.34747f},
     {0, 0, 0, 0.34747f},
     117.915f},
    {{0.133333f, 0.0925319f, 0, 0},
     {0.49697f, 0.344891f, 0, 0},
     {1, 0.887978f, 0, 0},
     {0, 0, 0, 0},
     118.691f},
    {{0, 0, 0, 0},
     {0, 0, 0, 0},
     {0.622449f, 0.622449f, 0.622449f, 0},
     {0.0188407f, 0.940276f, 1, 0},
     6.53061f},
    {{0.187004f, 0.180659f, 0.0672271f, 0},
     {0.748016f, 0.722635f, 0.268909f, 0},
     {0.412121f, 0.412121f, 0.412121f, 0},
     {0, 0, 0, 0},
     103.176f},
    {{0.20373f, 0.0832482f, 0.0832482f, 0},
     {0.799639f, 0.326749f, 0.326749f, 0},
     {0.327377f, 0.135466f, 0, 0},
     {0, 0, 0, 0},
     9.79592f},
    {{0, 0.00107338f, 0.0785714f, 0},
     {0, 0.00429352f, 0.314286f, 0},
     {0.364672f, 0.833805f, 0.909091f, 0},
     {0, 0, 0, 0},
     81.4546f},
    {{0.171143f, 0.170799f, 0.171534f, 0},
     {0.684572f, 0.683198f, 0.686136f, 0},
     {0.693878f, 0.0335554f, 0.313623f, 0},
     {0, 0, 0, 0},
     9.14286f},
    {{0.253968f, 0.228701f, 0.0798059f, 0},
     {1, 0.900511f, 0.314236f, 0},
     {0.872449f, 0.247119f, 0.254214f, 0},
     {0, 0, 0, 0},
     128},
    {{0.098983f, 0.0565609f, 0.0320604f, 0},
     {0.395932f, 0.226244f, 0.128242f, 0},
     {0.192616f, 0.110064f, 0.0623879f, 0},
     {0, 0, 0, 0},
     3.45946f},
    {{0.226102f, 0.193685f, 0.0207668f, 0},
     {0.904409f, 0.774741f, 0.0830671f, 0},
     {0.0955906f, 0.0955906f, 0.0955906f, 0},
     {0, 0, 0, 0},
     10},
    {{0.0486486f, 0.0486486f, 0.0486486f, 0},
     {0.205405f, 0.205405f, 0.205405f, 0},
     {0.686486f, 0.676818f, 0.684159f, 0},
     {0, 0, 0, 0},
     128},
}};

}  // namespace

void Material::SetMaterial(MaterialPreset code) {
  if (code >= MaterialPreset::First && code <= MaterialPreset::Last) {
    const Preset& preset =
        kPresets[static_cast<std::size_t>(code) - static_cast<std::size_t>(MaterialPreset::First)];
    ambient_ = preset.ambient;
    diffuse_ = preset.diffuse;
    specular_ = preset.specular;
    emission_ = preset.emission;
    shininess_ = preset.shininess;
  }
  glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse_.data());
  glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular_.data());
  glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, shininess_);
  glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, emission_.data());
  glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambient_.data());
}

}  // namespace quillon
