// Infix texts compiled for a test; a text that does not compile fails the
// test that gave it.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "expr/compiled_expression.h"
#include "expr/expression_compiler.h"

namespace quillon::testing {

inline std::string Postfix(const std::string& infix) {
  ExpressionCompiler engine;
  std::string postfix;
  EXPECT_EQ(engine.InfixToPostfix(infix, postfix), 0) << infix;
  return postfix;
}

inline CompiledExpression Compile(const std::string& infix) {
  return CompiledExpression(Postfix(infix));
}

}  // namespace quillon::testing
