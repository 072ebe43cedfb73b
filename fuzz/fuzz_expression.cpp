// Compiles arbitrary bytes as an expression and evaluates what comes out (and
// the bytes themselves, as a postfix text) at a few points, with the tests'
// reference evaluator and with CompiledExpression; the two must agree bit for
// bit, including where an evaluation fails. Any disagreement aborts.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "expr/compiled_expression.h"
#include "expr/engine_error.h"
#include "expr/expression_compiler.h"
#include "expr/random_generator.h"
#include "expr/reporter.h"
#include "support/reference_evaluator.h"

namespace quillon {
namespace {

struct Outcome {
  std::vector<float> results;
  bool failed = false;
  std::int32_t code = 0;
  std::string text;
};

const std::vector<float>& Points() {
  static const std::vector<float> points = {-2.0f,
                                            -1.0f,
                                            -0.5f,
                                            0.0f,
                                            0.5f,
                                            1.0f,
                                            2.0f,
                                            3.1416f,
                                            1e30f,
                                            -710.0f,
                                            std::numeric_limits<float>::infinity(),
                                            std::numeric_limits<float>::quiet_NaN()};
  return points;
}

// No evaluation returns NaN, so a NaN marks a result not written.
const float kUntouched = std::numeric_limits<float>::quiet_NaN();

float& Slot(VariableValues& values, Variable variable) {
  return variable == Variable::X ? values.X : values.U;
}

void Abort(const char* what, const std::string& postfix) {
  std::fprintf(stderr, "%s for postfix text '%s'\n", what, postfix.c_str());
  std::abort();
}

template <typename Body>
Outcome Run(Body body) {
  Outcome outcome;
  outcome.results.assign(Points().size(), kUntouched);
  try {
    body(outcome.results);
  } catch (const EngineError& error) {
    outcome.failed = true;
    outcome.code = error.Code();
    outcome.text = error.what();
  }
  return outcome;
}

void ExpectSame(const Outcome& a, const Outcome& b, const std::string& postfix) {
  if (a.failed != b.failed || a.code != b.code || a.text != b.text) {
    Abort("different failures", postfix);
  }
  if (std::memcmp(a.results.data(), b.results.data(), a.results.size() * sizeof(float)) != 0) {
    Abort("different results", postfix);
  }
}

class CountingReporter : public Reporter {
 public:
  void Report(const std::string&, const std::string&, MessageIcon) override { ++count; }
  int count = 0;
};

void CheckAgreement(const std::string& postfix, Variable varying) {
  VariableValues values;
  values.Y = 0.75f;
  values.T = -3.0f;
  const std::vector<float>& points = Points();

  const Outcome reference = Run([&](std::vector<float>& results) {
    RandomGenerator random;
    VariableValues v = values;
    for (std::size_t i = 0; i < points.size(); ++i) {
      Slot(v, varying) = points[i];
      testing::EvaluatePostfix(postfix, v, results[i], random);
    }
  });
  const CompiledExpression compiled(postfix);
  const Outcome single = Run([&](std::vector<float>& results) {
    RandomGenerator random;
    VariableValues v = values;
    for (std::size_t i = 0; i < points.size(); ++i) {
      Slot(v, varying) = points[i];
      compiled.Evaluate(v, results[i], random);
    }
  });
  ExpectSame(reference, single, postfix);
  const Outcome many = Run([&](std::vector<float>& results) {
    RandomGenerator random;
    compiled.EvaluateMany(values, varying, points.data(), points.size(), results.data(), random);
  });
  ExpectSame(reference, many, postfix);
  const bool anyValue = reference.failed || !std::isnan(reference.results[0]);
  if (compiled.YieldsValue() != anyValue)
    Abort("YieldsValue is wrong", postfix);
}

}  // namespace
}  // namespace quillon

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quillon;
  const std::string text(reinterpret_cast<const char*>(data), size);
  CountingReporter reporter;
  ExpressionCompiler engine(&reporter);
  std::string postfix;
  const std::int32_t result = engine.InfixToPostfix(text, postfix);
  if (reporter.count != (result == 0 ? 0 : 1))
    std::abort();
  for (const std::string& candidate : {postfix, text}) {
    CheckAgreement(candidate, Variable::X);
    CheckAgreement(candidate, Variable::U);
  }
  return 0;
}
