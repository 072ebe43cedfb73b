// CompiledExpression::EvaluateJet: the walk of EvaluateBox in which every
// step also carries enclosures of the first three derivatives, by the chain
// rule (Faa di Bruno's formula for functions, Leibniz's rule for products
// and quotients). Each step's value is the interval step's own, so the value
// and its decoration are exactly EvaluateBox's. The derivatives of the
// inverse and hyperbolic functions are those of the engine's formulas for
// them (through atn, log, sqrt and e^x), taken step by step with the same
// rules: they are the derivatives of what is evaluated.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "expr/compiled_expression.h"
#include "expr/compiled_program.h"
#include "expr/engine_error.h"
#include "expr/evaluation_steps.h"
#include "expr/interval_steps.h"
#include "expr/jet.h"

namespace quillon {
namespace {

using evaluation::BoxFlags;
using evaluation::kLosesValue;
using evaluation::Op;

// An enclosure with whether its real values are proven nonzero (as
// DecoratedInterval::zeroFree: an interval that is the hull of two rays
// across a pole may hold 0 while no real value is 0).
struct Term {
  Interval v;
  bool nonzero = false;
};

bool IsExactly(Interval x, double value) {
  return x.lo == value && x.hi == value;
}

bool NonZero(const Term& t) {
  return t.nonzero || t.v.lo > 0 || t.v.hi < 0;
}

const Term kZero = {{0, 0}, false};

Term Constant(double c) {
  return {Interval::Point(c), c != 0};
}

// Exact zeros and ones stay exact rather than being rounded outward, so that
// the derivative of a constant is exactly 0 (a linear text's second
// derivative is then proven to have no sign change).
Term operator*(const Term& a, const Term& b) {
  if (IsExactly(a.v, 0) || IsExactly(b.v, 0))
    return kZero;
  if (IsExactly(a.v, 1))
    return b;
  if (IsExactly(b.v, 1))
    return a;
  return {a.v * b.v, NonZero(a) && NonZero(b)};
}

Term operator+(const Term& a, const Term& b) {
  if (IsExactly(a.v, 0))
    return b;
  if (IsExactly(b.v, 0))
    return a;
  return {a.v + b.v, false};
}

Term operator-(const Term& a) {
  return {-a.v, a.nonzero};
}

Term operator-(const Term& a, const Term& b) {
  return a + -b;
}

// A quotient is 0 only where its numerator is; where the denominator holds
// 0 the interval is Entire.
Term operator/(const Term& n, const Term& d) {
  if (IsExactly(n.v, 0))
    return kZero;
  if (IsExactly(d.v, 1))
    return n;
  return {n.v / d.v, NonZero(n)};
}

Term Squared(const Term& a) {
  if (IsExactly(a.v, 0) || IsExactly(a.v, 1))
    return a;
  return {Square(a.v), NonZero(a)};
}

Term Times(double c, const Term& a) {
  return Constant(c) * a;
}

// A value and its first three derivatives: c[0] the value, c[k] the k-th
// derivative, valid up to `smooth` (Entire beyond).
struct Jet {
  std::array<Term, kJetOrder + 1> c{};
  std::uint8_t smooth = kJetOrder;
};

void Settle(Jet& j) {
  for (std::size_t k = std::size_t{j.smooth} + 1; k <= kJetOrder; ++k)
    j.c[k] = {Interval::Entire(), false};
}

Jet ConstantJet(Term value) {
  Jet j;
  j.c = {value, kZero, kZero, kZero};
  return j;
}

Jet RoughJet(Term value) {
  Jet j;
  j.c[0] = value;
  j.smooth = 0;
  Settle(j);
  return j;
}

bool IsConstant(const Jet& j) {
  return j.smooth == kJetOrder && IsExactly(j.c[1].v, 0) && IsExactly(j.c[2].v, 0) &&
         IsExactly(j.c[3].v, 0);
}

// g(u) from g's value and its derivatives g1, g2, g3 over u's values;
// `differentiable` when g is three times differentiable at every value of u.
// A constant u gives a constant, whatever g is.
Jet Chain(const Jet& u, Term value, const Term& g1, const Term& g2, const Term& g3,
          bool differentiable) {
  if (IsConstant(u))
    return ConstantJet(value);
  if (!differentiable)
    return RoughJet(value);
  const Term& u1 = u.c[1];
  const Term& u2 = u.c[2];
  const Term& u3 = u.c[3];
  const Term square = Squared(u1);
  Jet r;
  r.c[0] = value;
  r.c[1] = g1 * u1;
  r.c[2] = g2 * square + g1 * u2;
  r.c[3] = g3 * (square * u1) + Times(3, g2 * u1 * u2) + g1 * u3;
  r.smooth = u.smooth;
  Settle(r);
  return r;
}

Jet Sum(const Jet& a, const Jet& b, Term value, bool subtract) {
  Jet r;
  r.c[0] = value;
  for (std::size_t k = 1; k <= kJetOrder; ++k)
    r.c[k] = subtract ? a.c[k] - b.c[k] : a.c[k] + b.c[k];
  r.smooth = std::min(a.smooth, b.smooth);
  Settle(r);
  return r;
}

Jet Product(const Jet& a, const Jet& b, Term value) {
  Jet r;
  r.c[0] = value;
  r.c[1] = a.c[1] * b.c[0] + a.c[0] * b.c[1];
  r.c[2] = a.c[2] * b.c[0] + Times(2, a.c[1] * b.c[1]) + a.c[0] * b.c[2];
  r.c[3] = a.c[3] * b.c[0] + Times(3, a.c[2] * b.c[1] + a.c[1] * b.c[2]) + a.c[0] * b.c[3];
  r.smooth = std::min(a.smooth, b.smooth);
  Settle(r);
  return r;
}

// q = a / b from a = q b, differentiated three times.
Jet Quotient(const Jet& a, const Jet& b, Term q) {
  Jet r;
  r.c[0] = q;
  const Term& b0 = b.c[0];
  r.c[1] = (a.c[1] - q * b.c[1]) / b0;
  r.c[2] = (a.c[2] - Times(2, r.c[1] * b.c[1]) - q * b.c[2]) / b0;
  r.c[3] = (a.c[3] - Times(3, r.c[2] * b.c[1] + r.c[1] * b.c[2]) - q * b.c[3]) / b0;
  r.smooth = std::min(a.smooth, b.smooth);
  Settle(r);
  return r;
}

Interval Trigonometric(Op op, Interval x) {
  Interval r;
  evaluation::TrigonometricStep(op, x, r);
  return r;
}

// s * s for |s| >= 1 everywhere (sec and csec), which the interval square
// of a hull across a pole does not show.
Term SquareOfSecant(const Term& s) {
  const Interval square = Square(s.v);
  return {{std::max(square.lo, 1.0), square.hi}, true};
}

Jet UnaryJet(Op op, const Jet& u, BoxFlags& flags);
Jet BinaryJet(Op op, const Jet& a, const Jet& b, BoxFlags& flags);

// The derivatives of a function through the engine's formula for it, with
// the value of the function's own step; flags of the formula's steps are
// not the text's.
Jet Through(const Jet& formula, Term value, bool negate = false) {
  Jet r = formula;
  r.c[0] = value;
  if (negate) {
    for (std::size_t k = 1; k <= kJetOrder; ++k)
      r.c[k] = -r.c[k];
  }
  return r;
}

Jet FormulaOf(Op op, const Jet& u, double sign) {
  BoxFlags f = 0;
  const Jet one = ConstantJet(Constant(1));
  auto unary = [&f](Op o, const Jet& x) { return UnaryJet(o, x, f); };
  auto binary = [&f](Op o, const Jet& a, const Jet& b) { return BinaryJet(o, a, b, f); };
  const Jet square = binary(Op::Multiply, u, u);
  switch (op) {
    case Op::Asin:
    case Op::Acos:
      return unary(Op::Atan,
                   binary(Op::Divide, u, unary(Op::Sqr, binary(Op::Subtract, one, square))));
    case Op::Asec:
    case Op::Acsec:
      return unary(Op::Atan,
                   binary(Op::Divide, u, unary(Op::Sqr, binary(Op::Subtract, square, one))));
    case Op::Asinh:
      return unary(Op::Log, binary(Op::Add, u, unary(Op::Sqr, binary(Op::Add, square, one))));
    case Op::Acosh:
      return unary(Op::Log, binary(Op::Add, u, unary(Op::Sqr, binary(Op::Subtract, square, one))));
    case Op::Atanh:
    case Op::Actanh: {
      const Jet ratio =
          op == Op::Atanh
              ? binary(Op::Divide, binary(Op::Add, one, u), binary(Op::Subtract, one, u))
              : binary(Op::Divide, binary(Op::Add, u, one), binary(Op::Subtract, u, one));
      return binary(Op::Multiply, unary(Op::Log, ratio), ConstantJet(Constant(0.5)));
    }
    case Op::Asech:
      return unary(
          Op::Log,
          binary(Op::Divide,
                 binary(Op::Add, one, unary(Op::Sqr, binary(Op::Subtract, one, square))), u));
    case Op::Acsech: {
      const Jet root = unary(Op::Sqr, binary(Op::Add, square, one));
      return unary(
          Op::Log,
          binary(Op::Divide,
                 binary(Op::Add, binary(Op::Multiply, ConstantJet(Constant(sign)), root), one), u));
    }
    default: {  // the hyperbolic functions, from e^x and e^-x
      const Jet e = unary(Op::Exp, u);
      const Jet g = unary(Op::Exp, unary(Op::Negate, u));
      const Jet half = ConstantJet(Constant(0.5));
      const Jet two = ConstantJet(Constant(2));
      switch (op) {
        case Op::Sinh:
          return binary(Op::Multiply, binary(Op::Subtract, e, g), half);
        case Op::Cosh:
          return binary(Op::Multiply, binary(Op::Add, e, g), half);
        case Op::Tanh:
          return binary(Op::Divide, binary(Op::Subtract, e, g), binary(Op::Add, g, e));
        case Op::Ctanh:
          return binary(Op::Divide, binary(Op::Add, e, g), binary(Op::Subtract, e, g));
        case Op::Sech:
          return binary(Op::Divide, two, binary(Op::Add, e, g));
        default:
          return binary(Op::Divide, two, binary(Op::Subtract, e, g));
      }
    }
  }
}

Jet UnaryJet(Op op, const Jet& u, BoxFlags& flags) {
  const Interval x = u.c[0].v;
  Interval r;
  evaluation::IntervalUnary(op, x, r, flags);
  const Term value = {r, evaluation::UnaryZeroFree(op, x, NonZero(u.c[0]))};
  const Term& xt = u.c[0];
  switch (op) {
    case Op::Negate: {
      Jet negated = u;
      for (Term& term : negated.c)
        term = -term;
      negated.c[0] = value;
      return negated;
    }
    case Op::Sin: {
      const Term cosine = {Trigonometric(Op::Cos, x), false};
      return Chain(u, value, cosine, -value, -cosine, true);
    }
    case Op::Cos: {
      const Term sine = {Trigonometric(Op::Sin, x), false};
      return Chain(u, value, -sine, -value, sine, true);
    }
    case Op::Tan:
    case Op::Ctan: {
      // tan' = 1 + tan^2, ctan' = -(1 + ctan^2).
      const Term s = Constant(1) + Squared(value);
      const double sign = op == Op::Tan ? 1 : -1;
      return Chain(u, value, Times(sign, s), Times(2, value * s),
                   Times(2 * sign, s * (s + Times(2, Squared(value)))), true);
    }
    case Op::Sec:
    case Op::Csec: {
      // sec' = sec tan, csec' = -csec ctan; t is tan or ctan as sin sec or
      // cos csec, bounded where the function is.
      const double sign = op == Op::Sec ? 1 : -1;
      const Term other = {Trigonometric(op == Op::Sec ? Op::Sin : Op::Cos, x), false};
      const Term t = other * value;
      const Term s2 = SquareOfSecant(value);
      const Term t2 = Squared(t);
      return Chain(u, value, Times(sign, value * t), value * (t2 + s2),
                   Times(sign, value * t * (t2 + Times(5, s2))), true);
    }
    case Op::Atan:
    case Op::Actan: {
      const Term w = Constant(1) / (Constant(1) + Squared(xt));
      return Chain(u, value, w, Times(-2, xt * Squared(w)),
                   (Times(6, Squared(xt)) - Constant(2)) * (Squared(w) * w), true);
    }
    case Op::Log: {
      const Term inverse = Constant(1) / xt;
      const Term square = Squared(inverse);
      return Chain(u, value, inverse, -square, Times(2, square * inverse), true);
    }
    case Op::Exp: {
      const Term e = {value.v, true};
      return Chain(u, value, e, e, e, true);
    }
    case Op::Abs:
      return Chain(u, value, Constant(x.lo > 0 ? 1 : -1), kZero, kZero, x.lo > 0 || x.hi < 0);
    case Op::Int:
      return Chain(u, value, kZero, kZero, kZero, r.lo == r.hi);
    case Op::Sqr: {
      if (!(x.lo > 0))
        return Chain(u, value, kZero, kZero, kZero, false);
      const Term first = Constant(0.5) / Term{value.v, true};
      const Term second = first * (Constant(-0.5) / xt);
      return Chain(u, value, first, second, second * (Constant(-1.5) / xt), true);
    }
    case Op::Acos:
      return Through(FormulaOf(op, u, 1), value, true);
    case Op::Acsech: {
      // sgn(x) is constant on either side of 0, where acsech has no value.
      if (!(x.lo > 0 || x.hi < 0))
        return Chain(u, value, kZero, kZero, kZero, false);
      return Through(FormulaOf(op, u, x.lo > 0 ? 1 : -1), value);
    }
    default:
      return Through(FormulaOf(op, u, 1), value);
  }
}

// a^b: with a constant exponent n by n (n - 1) ... a^(n - k), which is
// smooth wherever a^n has a value except at a base of 0 for a fractional n;
// with a varying exponent as e^(b log a) for positive bases only.
Jet PowerJet(const Jet& a, const Jet& b, Term value) {
  if (IsConstant(b) && b.c[0].v.lo == b.c[0].v.hi) {
    const double n = b.c[0].v.lo;
    if (n == 0)
      return ConstantJet(value);
    if (n != std::floor(n) && !(a.c[0].v.lo > 0))
      return RoughJet(value);
    std::array<Term, kJetOrder> g{};
    // n (n - 1) ... as an interval: the product of large factors is rounded.
    Term coefficient = Constant(1);
    for (std::size_t k = 1; k <= kJetOrder; ++k) {
      coefficient = coefficient * Constant(n - static_cast<double>(k - 1));
      if (IsExactly(coefficient.v, 0)) {
        g[k - 1] = kZero;
        continue;
      }
      const double exponent = n - static_cast<double>(k);
      Interval power;
      BoxFlags ignored = evaluation::PowerStep(a.c[0].v, Interval::Point(exponent), power);
      evaluation::Settle(power, ignored);
      // A negative power is never 0; another is 0 only where the base is.
      g[k - 1] = coefficient * Term{power, exponent <= 0 || NonZero(a.c[0])};
    }
    return Chain(a, value, g[0], g[1], g[2], true);
  }
  if (!(a.c[0].v.lo > 0))
    return RoughJet(value);
  BoxFlags f = 0;
  const Jet exponent = BinaryJet(Op::Multiply, b, UnaryJet(Op::Log, a, f), f);
  return Through(UnaryJet(Op::Exp, exponent, f), value);
}

Jet BinaryJet(Op op, const Jet& a, const Jet& b, BoxFlags& flags) {
  Interval r;
  evaluation::IntervalBinary(op, a.c[0].v, b.c[0].v, r, flags);
  const Term value = {r, evaluation::BinaryZeroFree(op, NonZero(a.c[0]), NonZero(b.c[0]))};
  switch (op) {
    case Op::Add:
    case Op::Subtract:
      return Sum(a, b, value, op == Op::Subtract);
    case Op::Multiply:
      return Product(a, b, value);
    case Op::Divide:
      return Quotient(a, b, value);
    default:
      return PowerJet(a, b, value);
  }
}

class JetArithmetic {
 public:
  using Value = Jet;

  JetArithmetic(const VariableBox& b, quillon::Variable varying)
      : variables_{b.U, b.V, b.X, b.Y, b.A, b.R, b.B, b.T},
        varying_(static_cast<std::uint8_t>(varying)) {}

  bool Number(double number, Jet& r) {
    r = ConstantJet(Constant(number));
    flags_ |= evaluation::IsFinite(number) ? 0 : evaluation::kLosesAll;
    return GoesOn();
  }
  bool Variable(std::uint8_t index, Jet& r) {
    r = ConstantJet({variables_[index], false});
    if (index == varying_)
      r.c[1] = Constant(1);
    flags_ |= evaluation::VariableFlags(variables_[index]);
    return GoesOn();
  }
  bool Unary(Op op, const Jet& x, Jet& r) {
    r = UnaryJet(op, x, flags_);
    return GoesOn();
  }
  bool Binary(Op op, const Jet& a, const Jet& b, Jet& r) {
    r = BinaryJet(op, a, b, flags_);
    return GoesOn();
  }
  bool Random(const Jet&, Jet& r) {
    Interval value;
    evaluation::IntervalRandomStep(value, flags_);
    r = RoughJet({value, false});
    return GoesOn();
  }

  BoxFlags Flags() const { return flags_; }

 private:
  bool GoesOn() const { return (flags_ & kLosesValue) == 0; }

  std::array<Interval, evaluation::kVariableCount> variables_;
  std::uint8_t varying_;
  BoxFlags flags_ = 0;
};

DecoratedJet Nowhere() {
  DecoratedJet none;
  none.value = {Interval::Empty(), {Definedness::Nowhere, false}};
  none.derivatives.fill(Interval::Entire());
  return none;
}

}  // namespace

DecoratedJet CompiledExpression::EvaluateJet(const VariableBox& box, Variable varying) const {
  const Program& p = *program_;
  JetArithmetic arithmetic(box, varying);
  evaluation::Scratch<Jet, evaluation::kLocalStackDepth> stack(p.maxDepth);
  const std::optional<std::size_t> depth = evaluation::WalkSteps(p.steps, arithmetic, stack.data());
  if (!depth)
    return Nowhere();
  if (p.throws)
    throw EngineError(p.errorCode, p.errorText);
  if (*depth == 0)
    return Nowhere();
  const Jet& top = stack[*depth - 1];
  const BoxFlags flags = arithmetic.Flags();
  if ((flags & kLosesValue) != 0)
    return Nowhere();
  DecoratedJet result;
  result.value.value = top.c[0].v;
  result.value.decoration = evaluation::DecorationOf(flags);
  // As EvaluateBox: only a box that may lose values can hold a pole.
  result.value.zeroFree = result.value.decoration.defined == Definedness::Partly &&
                          top.c[0].nonzero && result.value.value.Contains(0);
  for (std::size_t k = 1; k <= kJetOrder; ++k) {
    result.derivatives[k - 1] = top.c[k].v;
    result.derivativeZeroFree[k - 1] = top.c[k].nonzero;
  }
  result.differentiable = top.smooth;
  return result;
}

}  // namespace quillon
