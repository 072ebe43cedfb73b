// The tokens of a postfix text and the arithmetic of each evaluation step.
// Every evaluation computes through these functions (CompiledExpression one
// point at a time and in blocks, and the tests' reference evaluator), which
// is what makes their results equal bit for bit.
#pragma once

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <string_view>
#include <type_traits>

#include "expr/undefined_mark.h"

namespace quillon::evaluation {

enum class TokenKind : std::uint8_t { Number, Variable, Unary, Binary, Random, Unknown };

enum class Op : std::uint8_t {
  // binary
  Add,
  Subtract,
  Multiply,
  Divide,
  Power,
  // unary
  Negate,
  Sin,
  Cos,
  Tan,
  Atan,
  Sec,
  Csec,
  Ctan,
  Log,
  Exp,
  Abs,
  Int,
  Sqr,
  Asin,
  Acos,
  Asec,
  Acsec,
  Actan,
  Sinh,
  Cosh,
  Tanh,
  Ctanh,
  Sech,
  Csech,
  Asinh,
  Acosh,
  Atanh,
  Asech,
  Acsech,
  Actanh,
  // RND: not a pure function of its argument, so it has no step below
  Rnd,
};

struct Token {
  TokenKind kind = TokenKind::Unknown;
  Op op = Op::Add;            // for Unary, Binary and Random
  std::uint8_t variable = 0;  // for Variable: 0 to 7 in the order U V X Y A R B T
};

// What a token of a postfix text stands for. A token whose first character is
// one of "1234567890.," is a number, and so are the constants "PI" and "E";
// the other tokens match exactly (upper case).
Token ClassifyToken(std::string_view token);

// q of the inverse functions, computed as 2 * atn(1).
inline const double kHalfPi = 2 * std::atan(1.0);

// True for a finite double; written as a comparison so that loops over it
// vectorise.
inline bool IsFinite(double v) {
  return std::fabs(v) <= DBL_MAX;
}

inline double Sgn(double x) {
  return x > 0 ? 1.0 : (x < 0 ? -1.0 : 0.0);
}

// The power routine of "^" for a non-zero exponent, shared by every path so
// that the exact square used for the exponent 2 is the same everywhere.
inline double Power(double a, double b) {
  return b == 2 ? a * a : std::pow(a, b);
}

// e^x and e^-x, the two terms of every hyperbolic function; false when either
// overflows.
inline bool ExpPair(double x, double& e, double& f) {
  e = std::exp(x);
  f = std::exp(-x);
  return IsFinite(e) && IsFinite(f);
}

// One binary step on a = left and b = right operand. Returns false when the
// point has no value: a failed domain check or a result (or intermediate
// value) that is not a finite double; r is then unspecified (but set).
// Operands are always finite.
template <Op kOp>
inline bool BinaryStep(double a, double b, double& r) {
  r = 0;
  if constexpr (kOp == Op::Add) {
    r = a + b;
  } else if constexpr (kOp == Op::Subtract) {
    r = a - b;
  } else if constexpr (kOp == Op::Multiply) {
    r = a * b;
  } else if constexpr (kOp == Op::Divide) {
    // Operands are finite, so b = 0 gives an infinite or NaN quotient: the
    // check of the result below is the check of b. Written without a branch so
    // that loops over it vectorise.
    r = a / b;
  } else if constexpr (kOp == Op::Power) {
    if (a < 0 && b != std::floor(b))
      return false;
    r = b == 0 ? 1.0 : Power(a, b);
  } else {
    static_assert(kOp == Op::Add, "not a binary operator");
  }
  return IsFinite(r);
}

constexpr bool IsHyperbolic(Op op) {
  return op == Op::Sinh || op == Op::Cosh || op == Op::Tanh || op == Op::Ctanh || op == Op::Sech ||
         op == Op::Csech;
}

// A hyperbolic function from e = e^x and f = e^-x, both finite; the result
// convention of BinaryStep.
template <Op kOp>
inline bool HyperbolicStep(double e, double f, double& r) {
  r = 0;
  if constexpr (kOp == Op::Sinh) {
    r = (e - f) / 2;
  } else if constexpr (kOp == Op::Cosh) {
    r = (e + f) / 2;
  } else if constexpr (kOp == Op::Tanh) {
    r = (e - f) / (f + e);
  } else if constexpr (kOp == Op::Ctanh) {
    if (e - f == 0)
      return false;
    r = (e + f) / (e - f);
  } else if constexpr (kOp == Op::Sech) {
    r = 2 / (e + f);
  } else if constexpr (kOp == Op::Csech) {
    if (e - f == 0)
      return false;
    r = 2 / (e - f);
  } else {
    static_assert(kOp == Op::Sinh, "not a hyperbolic function");
  }
  return IsFinite(r);
}

// One function step on the argument x (angles in radians). Same result
// convention as BinaryStep. The formulas are the engine's definitions,
// kept literally: hyperbolic functions through e^x, inverse functions
// through the arc tangent.
template <Op kOp>
inline bool UnaryStep(double x, double& r) {
  r = 0;
  double e = 0;
  double f = 0;
  double t = 0;
  if constexpr (kOp == Op::Negate) {
    r = -x;
  } else if constexpr (kOp == Op::Sin) {
    r = std::sin(x);
  } else if constexpr (kOp == Op::Cos) {
    r = std::cos(x);
  } else if constexpr (kOp == Op::Tan) {
    r = std::tan(x);
  } else if constexpr (kOp == Op::Atan) {
    r = std::atan(x);
  } else if constexpr (kOp == Op::Sec) {
    t = std::cos(x);
    if (t == 0)
      return false;
    r = 1 / t;
  } else if constexpr (kOp == Op::Csec) {
    t = std::sin(x);
    if (t == 0)
      return false;
    r = 1 / t;
  } else if constexpr (kOp == Op::Ctan) {
    t = std::tan(x);
    if (t == 0)
      return false;
    r = 1 / t;
  } else if constexpr (kOp == Op::Log) {
    if (x <= 0)
      return false;
    r = std::log(x);
  } else if constexpr (kOp == Op::Exp) {
    r = std::exp(x);
  } else if constexpr (kOp == Op::Abs) {
    r = std::fabs(x);
  } else if constexpr (kOp == Op::Int) {
    r = std::floor(x);
  } else if constexpr (kOp == Op::Sqr) {
    r = std::sqrt(x);  // NaN for x < 0, rejected below
  } else if constexpr (kOp == Op::Asin) {
    t = 1 - x * x;
    if (t <= 0)
      return false;
    r = std::atan(x / std::sqrt(t));
  } else if constexpr (kOp == Op::Acos) {
    t = 1 - x * x;
    if (t <= 0)
      return false;
    r = std::atan(-x / std::sqrt(t)) + kHalfPi;
  } else if constexpr (kOp == Op::Asec) {
    t = x * x - 1;
    if (t <= 0 || !IsFinite(t))
      return false;
    r = std::atan(x / std::sqrt(t)) + Sgn(x - 1) * kHalfPi;
  } else if constexpr (kOp == Op::Acsec) {
    t = x * x - 1;
    if (t <= 0 || !IsFinite(t))
      return false;
    r = std::atan(x / std::sqrt(t)) + (Sgn(x) - 1) * kHalfPi;
  } else if constexpr (kOp == Op::Actan) {
    r = std::atan(x) + kHalfPi;
  } else if constexpr (IsHyperbolic(kOp)) {
    if (!ExpPair(x, e, f))
      return false;
    return HyperbolicStep<kOp>(e, f, r);
  } else if constexpr (kOp == Op::Asinh) {
    t = x + std::sqrt(x * x + 1);
    if (t <= 0)
      return false;
    r = std::log(t);
  } else if constexpr (kOp == Op::Acosh) {
    if (x * x - 1 < 0)
      return false;
    t = x + std::sqrt(x * x - 1);
    if (t <= 0)
      return false;
    r = std::log(t);
  } else if constexpr (kOp == Op::Atanh) {
    if (x == 1)
      return false;
    t = (1 + x) / (1 - x);
    if (t <= 0)
      return false;
    r = std::log(t) / 2;
  } else if constexpr (kOp == Op::Asech) {
    if (x == 0 || 1 - x * x < 0)
      return false;
    t = (1 + std::sqrt(1 - x * x)) / x;
    if (t <= 0)
      return false;
    r = std::log(t);
  } else if constexpr (kOp == Op::Acsech) {
    if (x == 0)
      return false;
    t = (Sgn(x) * std::sqrt(x * x + 1) + 1) / x;
    if (t <= 0)
      return false;
    r = std::log(t);
  } else if constexpr (kOp == Op::Actanh) {
    if (x == 1)
      return false;
    t = (x + 1) / (x - 1);
    if (t <= 0)
      return false;
    r = std::log(t) / 2;
  } else {
    static_assert(kOp == Op::Negate, "not a function");
  }
  return IsFinite(r);
}

template <Op kOp>
using OpConstant = std::integral_constant<Op, kOp>;

// Calls visit(OpConstant<op>{}) for a binary operator, so that a loop can be
// instantiated once per operator.
template <typename Visitor>
void VisitBinary(Op op, Visitor&& visit) {
  switch (op) {
    case Op::Add:
      visit(OpConstant<Op::Add>{});
      return;
    case Op::Subtract:
      visit(OpConstant<Op::Subtract>{});
      return;
    case Op::Multiply:
      visit(OpConstant<Op::Multiply>{});
      return;
    case Op::Divide:
      visit(OpConstant<Op::Divide>{});
      return;
    case Op::Power:
      visit(OpConstant<Op::Power>{});
      return;
    default:
      return;
  }
}

// As VisitBinary, for the functions and the unary minus (RND excluded).
template <typename Visitor>
void VisitUnary(Op op, Visitor&& visit) {
  switch (op) {
    case Op::Negate:
      visit(OpConstant<Op::Negate>{});
      return;
    case Op::Sin:
      visit(OpConstant<Op::Sin>{});
      return;
    case Op::Cos:
      visit(OpConstant<Op::Cos>{});
      return;
    case Op::Tan:
      visit(OpConstant<Op::Tan>{});
      return;
    case Op::Atan:
      visit(OpConstant<Op::Atan>{});
      return;
    case Op::Sec:
      visit(OpConstant<Op::Sec>{});
      return;
    case Op::Csec:
      visit(OpConstant<Op::Csec>{});
      return;
    case Op::Ctan:
      visit(OpConstant<Op::Ctan>{});
      return;
    case Op::Log:
      visit(OpConstant<Op::Log>{});
      return;
    case Op::Exp:
      visit(OpConstant<Op::Exp>{});
      return;
    case Op::Abs:
      visit(OpConstant<Op::Abs>{});
      return;
    case Op::Int:
      visit(OpConstant<Op::Int>{});
      return;
    case Op::Sqr:
      visit(OpConstant<Op::Sqr>{});
      return;
    case Op::Asin:
      visit(OpConstant<Op::Asin>{});
      return;
    case Op::Acos:
      visit(OpConstant<Op::Acos>{});
      return;
    case Op::Asec:
      visit(OpConstant<Op::Asec>{});
      return;
    case Op::Acsec:
      visit(OpConstant<Op::Acsec>{});
      return;
    case Op::Actan:
      visit(OpConstant<Op::Actan>{});
      return;
    case Op::Sinh:
      visit(OpConstant<Op::Sinh>{});
      return;
    case Op::Cosh:
      visit(OpConstant<Op::Cosh>{});
      return;
    case Op::Tanh:
      visit(OpConstant<Op::Tanh>{});
      return;
    case Op::Ctanh:
      visit(OpConstant<Op::Ctanh>{});
      return;
    case Op::Sech:
      visit(OpConstant<Op::Sech>{});
      return;
    case Op::Csech:
      visit(OpConstant<Op::Csech>{});
      return;
    case Op::Asinh:
      visit(OpConstant<Op::Asinh>{});
      return;
    case Op::Acosh:
      visit(OpConstant<Op::Acosh>{});
      return;
    case Op::Atanh:
      visit(OpConstant<Op::Atanh>{});
      return;
    case Op::Asech:
      visit(OpConstant<Op::Asech>{});
      return;
    case Op::Acsech:
      visit(OpConstant<Op::Acsech>{});
      return;
    case Op::Actanh:
      visit(OpConstant<Op::Actanh>{});
      return;
    default:
      return;
  }
}

inline bool ApplyBinary(Op op, double a, double b, double& r) {
  bool ok = false;
  VisitBinary(op, [&](auto k) { ok = BinaryStep<decltype(k)::value>(a, b, r); });
  return ok;
}

inline bool ApplyUnary(Op op, double x, double& r) {
  bool ok = false;
  VisitUnary(op, [&](auto k) { ok = UnaryStep<decltype(k)::value>(x, r); });
  return ok;
}

// The value of a number token: as LeadingNumberValue, so "1,5" is 1; "PI"
// and "E" are the doubles nearest pi and e.
double NumberTokenValue(std::string_view token);

// The final conversion to a 32-bit float: UndefinedMark when the value lies
// beyond the float range (a double that large has no float to convert to).
inline bool InFloatRange(double value) {
  return std::fabs(value) <= static_cast<double>(FLT_MAX);
}
inline float FinalValue(double value) {
  return InFloatRange(value) ? static_cast<float>(value) : UndefinedMark;
}

}  // namespace quillon::evaluation
