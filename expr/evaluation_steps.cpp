// Token table of the evaluator.
#include "expr/evaluation_steps.h"

#include <array>

#include "expr/number_text.h"

namespace quillon::evaluation {
namespace {

struct NamedToken {
  std::string_view name;
  Token token;
};

constexpr Token Binary(Op op) {
  return Token{TokenKind::Binary, op, 0};
}
constexpr Token Unary(Op op) {
  return Token{TokenKind::Unary, op, 0};
}
constexpr Token VariableToken(std::uint8_t index) {
  return Token{TokenKind::Variable, Op::Add, index};
}

constexpr std::array<NamedToken, 44> kTokens = {{
    {"+", Binary(Op::Add)},
    {"-", Binary(Op::Subtract)},
    {"*", Binary(Op::Multiply)},
    {"/", Binary(Op::Divide)},
    {"^", Binary(Op::Power)},
    {"(-)", Unary(Op::Negate)},
    {"UU", VariableToken(0)},
    {"VV", VariableToken(1)},
    {"XX", VariableToken(2)},
    {"YY", VariableToken(3)},
    {"AA", VariableToken(4)},
    {"RR", VariableToken(5)},
    {"BB", VariableToken(6)},
    {"TT", VariableToken(7)},
    {"SIN", Unary(Op::Sin)},
    {"COS", Unary(Op::Cos)},
    {"TAN", Unary(Op::Tan)},
    {"ATAN", Unary(Op::Atan)},
    {"SEC", Unary(Op::Sec)},
    {"CSEC", Unary(Op::Csec)},
    {"CTAN", Unary(Op::Ctan)},
    {"LOG", Unary(Op::Log)},
    {"EXP", Unary(Op::Exp)},
    {"ABS", Unary(Op::Abs)},
    {"INT", Unary(Op::Int)},
    {"SQR", Unary(Op::Sqr)},
    {"RND", Token{TokenKind::Random, Op::Rnd, 0}},
    {"ASIN", Unary(Op::Asin)},
    {"ACOS", Unary(Op::Acos)},
    {"ASEC", Unary(Op::Asec)},
    {"ACSEC", Unary(Op::Acsec)},
    {"ACTAN", Unary(Op::Actan)},
    {"SINH", Unary(Op::Sinh)},
    {"COSH", Unary(Op::Cosh)},
    {"TANH", Unary(Op::Tanh)},
    {"CTANH", Unary(Op::Ctanh)},
    {"SECH", Unary(Op::Sech)},
    {"CSECH", Unary(Op::Csech)},
    {"ASINH", Unary(Op::Asinh)},
    {"ACOSH", Unary(Op::Acosh)},
    {"ATANH", Unary(Op::Atanh)},
    {"ASECH", Unary(Op::Asech)},
    {"ACSECH", Unary(Op::Acsech)},
    {"ACTANH", Unary(Op::Actanh)},
}};

constexpr std::string_view kNumberStart = "1234567890.,";

// The constants' tokens and the doubles nearest them; every evaluator reads
// them as numbers, as it reads "3.141592653589793".
struct NamedConstant {
  std::string_view name;
  double value;
};
constexpr std::array<NamedConstant, 2> kConstants = {
    {{"PI", 3.14159265358979323846}, {"E", 2.71828182845904523536}}};

}  // namespace

Token ClassifyToken(std::string_view token) {
  if (!token.empty() && kNumberStart.find(token.front()) != std::string_view::npos) {
    return Token{TokenKind::Number, Op::Add, 0};
  }
  for (const NamedConstant& constant : kConstants) {
    if (constant.name == token)
      return Token{TokenKind::Number, Op::Add, 0};
  }
  for (const NamedToken& named : kTokens) {
    if (named.name == token)
      return named.token;
  }
  return Token{};
}

double NumberTokenValue(std::string_view token) {
  for (const NamedConstant& constant : kConstants) {
    if (constant.name == token)
      return constant.value;
  }
  return LeadingNumberValue(token.data(), token.data() + token.size());
}

}  // namespace quillon::evaluation
