// The reference the compiled expressions are checked against: a postfix text
// evaluated token by token on a stack of doubles, through the same steps as
// the product's evaluation. Shared by the tests, the benchmarks and the fuzz
// targets.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "expr/compiled_expression.h"

namespace quillon {

class RandomGenerator;

namespace testing {

// Returns true with the value in result, true with UndefinedMark when a
// domain check fails or a value is not a finite number in single range,
// false (result unchanged) when the text leaves no value. Throws EngineError
// for a token with too few operands or an unknown token. RND draws from
// random.
bool EvaluatePostfix(const std::string& postfix, const VariableValues& values, float& result,
                     RandomGenerator& random);

// The ways a run of evaluations goes: the reference point by point, the
// compiled text in blocks, or the compiled text one point at a time.
enum class EvaluationPath { Reference, Blocks, Single };

// The results of a run, NaN where none was written (no evaluation gives
// NaN), and the engine error that ended it early.
struct EvaluationRun {
  std::vector<float> results;
  std::optional<std::int32_t> error;
  std::string message;
};

// Evaluates postfix with the varying variable at each of points and the
// others as fixed has them; RND draws from a generator of its own.
EvaluationRun Evaluations(EvaluationPath path, const std::string& postfix, VariableValues fixed,
                          Variable varying, const std::vector<float>& points);

// Whether two runs end alike, with results of the same bits.
bool SameRun(const EvaluationRun& a, const EvaluationRun& b);

}  // namespace testing
}  // namespace quillon
