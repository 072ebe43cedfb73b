// The reference the compiled expressions are checked against: a postfix text
// evaluated token by token on a stack of doubles, through the same steps as
// the product's evaluation. Shared by the tests, the benchmarks and the fuzz
// targets.
#pragma once

#include <string>

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

}  // namespace testing
}  // namespace quillon
