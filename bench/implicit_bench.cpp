// Implicit graphs at 800 x 600 pixels over -20..20 by -15..15 (20 pixels a
// unit): BM_Implicit classifies every pixel by interval subdivision as the
// frame draws it; BM_ImplicitGrid is the naive way, F at every pixel corner
// with the fast point evaluation and a pixel inked where its corners'
// signs differ (marching squares), which misses ovals smaller than a pixel
// and inks poles. Target: BM_Implicit / BM_ImplicitGrid <= 1.0 per case.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "expr/compiled_expression.h"
#include "expr/expression_compiler.h"
#include "expr/random_generator.h"
#include "expr/undefined_mark.h"
#include "graph/implicit_region.h"

namespace quillon {
namespace {

constexpr std::int32_t kColumns = 800;
constexpr std::int32_t kRows = 600;
constexpr double kPixel = 0.05;

struct ImplicitFunction {
  const char* name;
  const char* text;
};

const ImplicitFunction kImplicitFunctions[] = {
    {"circle", "x^2+y^2-25"},
    {"sincos", "sin(x)-cos(y)"},
    {"elliptic", "y^2-x^3+x"},
    {"tan4", "tan(4*x)"},
};

std::string Postfix(const char* text) {
  ExpressionCompiler compiler;
  std::string postfix;
  compiler.InfixToPostfix(text, postfix);
  return postfix;
}

void BM_Implicit(benchmark::State& state, const ImplicitFunction& function) {
  const ImplicitShape shape(Postfix(function.text), {false, false, {-100, 100}, {-100, 100}});
  const PixelGrid grid{-20, -15, kPixel, kPixel, kColumns, kRows};
  std::int64_t inked = 0;
  for (auto _ : state) {
    const ImplicitPicture picture = shape.Classify(grid);
    inked = std::count(picture.pixels.begin(), picture.pixels.end(), PixelClass::Curve);
    benchmark::DoNotOptimize(picture.pixels.data());
  }
  state.counters["inked"] = static_cast<double>(inked);
}

void BM_ImplicitGrid(benchmark::State& state, const ImplicitFunction& function) {
  const CompiledExpression code(Postfix(function.text));
  RandomGenerator random;
  std::vector<float> xs(kColumns + 1);
  for (std::int32_t c = 0; c <= kColumns; ++c)
    xs[static_cast<std::size_t>(c)] = static_cast<float>(-20 + c * kPixel);
  std::vector<float> below(kColumns + 1);
  std::vector<float> above(kColumns + 1);
  std::vector<std::uint8_t> inkedPixels(static_cast<std::size_t>(kColumns) * kRows);
  std::int64_t inked = 0;
  for (auto _ : state) {
    VariableValues values;
    values.Y = -15;
    code.EvaluateMany(values, Variable::X, xs.data(), xs.size(), below.data(), random);
    inked = 0;
    for (std::int32_t r = 0; r < kRows; ++r) {
      values.Y = static_cast<float>(-15 + (r + 1) * kPixel);
      code.EvaluateMany(values, Variable::X, xs.data(), xs.size(), above.data(), random);
      for (std::size_t c = 0; c < static_cast<std::size_t>(kColumns); ++c) {
        const float corners[] = {below[c], below[c + 1], above[c], above[c + 1]};
        bool negative = false;
        bool positive = false;
        for (const float v : corners) {
          if (v == UndefinedMark)
            continue;
          negative = negative || v <= 0;
          positive = positive || v >= 0;
        }
        const bool crosses = negative && positive;
        inkedPixels[static_cast<std::size_t>(r) * kColumns + c] = crosses ? 1 : 0;
        inked += crosses ? 1 : 0;
      }
      below.swap(above);
    }
    benchmark::DoNotOptimize(inkedPixels.data());
  }
  state.counters["inked"] = static_cast<double>(inked);
}

const bool kImplicitRegistered = [] {
  for (const ImplicitFunction& function : kImplicitFunctions) {
    benchmark::RegisterBenchmark((std::string("BM_Implicit/") + function.name).c_str(), BM_Implicit,
                                 function)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark((std::string("BM_ImplicitGrid/") + function.name).c_str(),
                                 BM_ImplicitGrid, function)
        ->Unit(benchmark::kMillisecond);
  }
  return true;
}();

}  // namespace
}  // namespace quillon
