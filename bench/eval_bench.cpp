// Evaluation speed over 1,000,001 points, x from -10 to 10 as 32-bit floats
// and every other variable 0: the engine's compiled block evaluation
// (BM_Eval), the same function written by hand in C++ (BM_PlainCpp), and the
// same expression in muparser (BM_Muparser). BM_EvalPointwise and
// BM_ReferenceEvaluate (the tests' reference evaluator on the postfix text)
// show what evaluating one point at a time costs.
#include <benchmark/benchmark.h>
#include <muParser.h>

#include <cmath>
#include <cstddef>
#include <string>
#include <vector>

#include "expr/compiled_expression.h"
#include "expr/expression_compiler.h"
#include "expr/random_generator.h"
#include "support/reference_evaluator.h"

namespace quillon {
namespace {

constexpr std::size_t kPointCount = 1000001;

struct BenchFunction {
  const char* name;
  const char* expression;  // in the engine's language
  const char* muparserExpression;
  // The hand-written C++ version, in double precision like the engine.
  double (*plain)(double x);
};

const BenchFunction kFunctions[] = {
    {"sin2", "2*sin(x)^2", "2*sin(x)^2",
     [](double x) {
       const double s = std::sin(x);
       return 2 * (s * s);
     }},
    {"poly", "x^2+1", "x^2+1", [](double x) { return x * x + 1; }},
    {"mixed", "sqr(abs(x))*cos(x)/(1+x^2)", "sqrt(abs(x))*cos(x)/(1+x^2)",
     [](double x) { return std::sqrt(std::fabs(x)) * std::cos(x) / (1 + x * x); }},
    {"hyper", "sinh(x)-cosh(x)*tanh(x)", "sinh(x)-cosh(x)*tanh(x)",
     [](double x) { return std::sinh(x) - std::cosh(x) * std::tanh(x); }},
};

const std::vector<float>& Points() {
  static const std::vector<float> points = [] {
    std::vector<float> p(kPointCount);
    for (std::size_t i = 0; i < kPointCount; ++i) {
      p[i] = static_cast<float>(-10.0 + 20.0 * static_cast<double>(i) / (kPointCount - 1));
    }
    return p;
  }();
  return points;
}

void Finish(benchmark::State& state) {
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(kPointCount));
}

void BM_Eval(benchmark::State& state, const BenchFunction& function) {
  ExpressionCompiler engine;
  std::string postfix;
  if (engine.InfixToPostfix(function.expression, postfix) != 0) {
    state.SkipWithError("syntax error");
    return;
  }
  const CompiledExpression compiled(postfix);
  RandomGenerator random;
  const VariableValues values;
  const std::vector<float>& points = Points();
  std::vector<float> results(kPointCount);
  for (auto _ : state) {
    compiled.EvaluateMany(values, Variable::X, points.data(), points.size(), results.data(),
                          random);
    benchmark::DoNotOptimize(results.data());
    benchmark::ClobberMemory();
  }
  // The engine must compute the same function as the other two.
  for (std::size_t i = 0; i < kPointCount; i += 1000) {
    const auto expected = static_cast<float>(function.plain(static_cast<double>(points[i])));
    if (std::fabs(results[i] - expected) > 1e-5f * std::fmax(1.0f, std::fabs(expected))) {
      state.SkipWithError("engine and hand-written results differ");
      return;
    }
  }
  Finish(state);
}

void BM_IntervalEval(benchmark::State& state, const BenchFunction& function) {
  constexpr double kBoxWidth = 1e-3;
  ExpressionCompiler engine;
  std::string postfix;
  if (engine.InfixToPostfix(function.expression, postfix) != 0) {
    state.SkipWithError("syntax error");
    return;
  }
  const CompiledExpression compiled(postfix);
  const VariableBox box;
  const std::vector<float>& points = Points();
  std::vector<Interval> boxes(kPointCount);
  for (std::size_t i = 0; i < kPointCount; ++i) {
    const auto start = static_cast<double>(points[i]);
    boxes[i] = {start, start + kBoxWidth};
  }
  std::vector<DecoratedInterval> results(kPointCount);
  for (auto _ : state) {
    compiled.EvaluateBoxes(box, Variable::X, boxes.data(), boxes.size(), results.data());
    benchmark::DoNotOptimize(results.data());
    benchmark::ClobberMemory();
  }
  // Each box must enclose the hand-written function at its start.
  for (std::size_t i = 0; i < kPointCount; i += 1000) {
    if (!results[i].value.Contains(function.plain(boxes[i].lo))) {
      state.SkipWithError("the enclosure misses the hand-written result");
      return;
    }
  }
  Finish(state);
}

// Reference points for the block evaluation: the reference evaluator on the
// postfix text, and the compiled program one point at a time.
void BM_ReferenceEvaluate(benchmark::State& state, const BenchFunction& function) {
  ExpressionCompiler engine;
  std::string postfix;
  if (engine.InfixToPostfix(function.expression, postfix) != 0) {
    state.SkipWithError("syntax error");
    return;
  }
  RandomGenerator random;
  VariableValues values;
  const std::vector<float>& points = Points();
  std::vector<float> results(kPointCount);
  for (auto _ : state) {
    for (std::size_t i = 0; i < kPointCount; ++i) {
      values.X = points[i];
      testing::EvaluatePostfix(postfix, values, results[i], random);
    }
    benchmark::DoNotOptimize(results.data());
    benchmark::ClobberMemory();
  }
  Finish(state);
}

void BM_EvalPointwise(benchmark::State& state, const BenchFunction& function) {
  ExpressionCompiler engine;
  std::string postfix;
  if (engine.InfixToPostfix(function.expression, postfix) != 0) {
    state.SkipWithError("syntax error");
    return;
  }
  const CompiledExpression compiled(postfix);
  RandomGenerator random;
  VariableValues values;
  const std::vector<float>& points = Points();
  std::vector<float> results(kPointCount);
  for (auto _ : state) {
    for (std::size_t i = 0; i < kPointCount; ++i) {
      values.X = points[i];
      compiled.Evaluate(values, results[i], random);
    }
    benchmark::DoNotOptimize(results.data());
    benchmark::ClobberMemory();
  }
  Finish(state);
}

void BM_PlainCpp(benchmark::State& state, const BenchFunction& function) {
  const std::vector<float>& points = Points();
  std::vector<float> results(kPointCount);
  for (auto _ : state) {
    for (std::size_t i = 0; i < kPointCount; ++i) {
      results[i] = static_cast<float>(function.plain(static_cast<double>(points[i])));
    }
    benchmark::DoNotOptimize(results.data());
    benchmark::ClobberMemory();
  }
  Finish(state);
}

void BM_Muparser(benchmark::State& state, const BenchFunction& function) {
  double x = 0;
  mu::Parser parser;
  try {
    parser.DefineVar("x", &x);
    parser.SetExpr(function.muparserExpression);
    parser.Eval();
  } catch (const mu::Parser::exception_type& error) {
    state.SkipWithError(error.GetMsg().c_str());
    return;
  }
  const std::vector<float>& points = Points();
  std::vector<float> results(kPointCount);
  for (auto _ : state) {
    for (std::size_t i = 0; i < kPointCount; ++i) {
      x = static_cast<double>(points[i]);
      results[i] = static_cast<float>(parser.Eval());
    }
    benchmark::DoNotOptimize(results.data());
    benchmark::ClobberMemory();
  }
  Finish(state);
}

const bool kRegistered = [] {
  for (const BenchFunction& function : kFunctions) {
    const std::string name = function.name;
    benchmark::RegisterBenchmark(("BM_Eval/" + name).c_str(), BM_Eval, function)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("BM_IntervalEval/" + name).c_str(), BM_IntervalEval, function)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("BM_EvalPointwise/" + name).c_str(), BM_EvalPointwise, function)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("BM_ReferenceEvaluate/" + name).c_str(), BM_ReferenceEvaluate,
                                 function)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("BM_PlainCpp/" + name).c_str(), BM_PlainCpp, function)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("BM_Muparser/" + name).c_str(), BM_Muparser, function)
        ->Unit(benchmark::kMillisecond);
  }
  return true;
}();

}  // namespace
}  // namespace quillon
