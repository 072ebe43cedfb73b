#include "support/reference_evaluator.h"

#include <array>
#include <cstring>
#include <limits>
#include <string_view>
#include <vector>

#include "expr/engine_error.h"
#include "expr/evaluation_steps.h"
#include "expr/random_generator.h"
#include "expr/undefined_mark.h"

namespace quillon::testing {
namespace {

double Pop(std::vector<double>& stack) {
  if (stack.empty())
    throw EngineError(kErrorPopEmptyStack, "Pop method invoked on empty stack");
  const double top = stack.back();
  stack.pop_back();
  return top;
}

}  // namespace

bool EvaluatePostfix(const std::string& postfix, const VariableValues& values, float& result,
                     RandomGenerator& random) {
  using evaluation::TokenKind;
  const std::array<float, 8> variables = {values.U, values.V, values.X, values.Y,
                                          values.A, values.R, values.B, values.T};
  std::vector<double> stack;

  // Each token ends at a blank; text after the last blank is no token.
  std::size_t start = 0;
  for (std::size_t blank = postfix.find(' '); blank != std::string::npos;
       start = blank + 1, blank = postfix.find(' ', start)) {
    const std::string_view token(postfix.data() + start, blank - start);
    const evaluation::Token kind = evaluation::ClassifyToken(token);
    double value = 0;
    bool defined = true;
    switch (kind.kind) {
      case TokenKind::Number:
        value = evaluation::NumberTokenValue(token);
        defined = evaluation::IsFinite(value);
        break;
      case TokenKind::Variable:
        value = static_cast<double>(variables[kind.variable]);
        defined = evaluation::IsFinite(value);
        break;
      case TokenKind::Binary: {
        const double b = Pop(stack);
        const double a = Pop(stack);
        defined = evaluation::ApplyBinary(kind.op, a, b, value);
        // Any value to the power 0 is 1.
        if (kind.op == evaluation::Op::Power && b == 0)
          value = 1;
        break;
      }
      case TokenKind::Unary:
        defined = evaluation::ApplyUnary(kind.op, Pop(stack), value);
        break;
      case TokenKind::Random:
        value = static_cast<double>(random.Next(Pop(stack)));
        break;
      case TokenKind::Unknown:
        throw EngineError(kErrorBadToken, "Bad token in Evaluate: " + std::string(token));
    }
    if (!defined) {
      result = UndefinedMark;
      return true;
    }
    stack.push_back(value);
  }

  if (stack.empty())
    return false;
  result = evaluation::FinalValue(stack.back());
  return true;
}

EvaluationRun Evaluations(EvaluationPath path, const std::string& postfix, VariableValues fixed,
                          Variable varying, const std::vector<float>& points) {
  float* slots[] = {&fixed.U, &fixed.V, &fixed.X, &fixed.Y, &fixed.A, &fixed.R, &fixed.B, &fixed.T};
  RandomGenerator random;
  const CompiledExpression compiled(postfix);
  EvaluationRun run{
      std::vector<float>(points.size(), std::numeric_limits<float>::quiet_NaN()), {}, {}};
  try {
    if (path == EvaluationPath::Blocks) {
      compiled.EvaluateMany(fixed, varying, points.data(), points.size(), run.results.data(),
                            random);
      return run;
    }
    for (std::size_t i = 0; i < points.size(); ++i) {
      *slots[static_cast<int>(varying)] = points[i];
      if (path == EvaluationPath::Reference) {
        EvaluatePostfix(postfix, fixed, run.results[i], random);
      } else {
        compiled.Evaluate(fixed, run.results[i], random);
      }
    }
  } catch (const EngineError& error) {
    run.error = error.Code();
    run.message = error.what();
  }
  return run;
}

bool SameRun(const EvaluationRun& a, const EvaluationRun& b) {
  return a.error == b.error && a.message == b.message && a.results.size() == b.results.size() &&
         std::memcmp(a.results.data(), b.results.data(), a.results.size() * sizeof(float)) == 0;
}

}  // namespace quillon::testing
