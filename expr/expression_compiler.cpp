#include "expr/expression_compiler.h"

#include <array>
#include <cmath>
#include <limits>
#include <string_view>

#include "expr/engine_error.h"
#include "expr/evaluation_steps.h"
#include "expr/random_generator.h"
#include "expr/reporter.h"
#include "expr/undefined_mark.h"
#include "expr/value_stack.h"

namespace quillon {
namespace {

constexpr std::array<std::string_view, 30> kFunctionNames = {
    "SIN",  "COS",   "LOG",  "EXP",   "ABS",   "ATAN",  "INT",   "RND",   "SQR",    "TAN",
    "SEC",  "CSEC",  "CTAN", "ASIN",  "ACOS",  "ASEC",  "ACSEC", "ACTAN", "SINH",   "COSH",
    "TANH", "CTANH", "SECH", "CSECH", "ASINH", "ACOSH", "ATANH", "ASECH", "ACSECH", "ACTANH"};

constexpr std::string_view kVariableLetters = "UVXYARBT";
constexpr std::string_view kNumberCharacters = "0123456789.,";

bool IsFunctionName(std::string_view name) {
  for (const std::string_view function : kFunctionNames) {
    if (function == name)
      return true;
  }
  return false;
}

// Precedence of a token held on the compiler's stack; "(" and anything else
// unknown is 0, so no operator ever pops it.
int GetPrecedence(const std::string& token) {
  if (token == "+" || token == "-")
    return 1;
  if (token == "*" || token == "/")
    return 2;
  if (token == "(-)")
    return 3;
  if (token == "^")
    return 4;
  if (IsFunctionName(token))
    return 5;
  return 0;
}

bool IsLetter(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

char ToUpper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

void Write(std::string& buffer, std::string_view token) {
  buffer += token;
  buffer += ' ';
}

std::string PopText(ValueStack& stack) {
  return std::get<std::string>(stack.Pop());
}

}  // namespace

ExpressionCompiler::ExpressionCompiler(Reporter* reporter, RandomGenerator* random)
    : reporter_(reporter), random_(random) {
  if (random_ == nullptr) {
    ownRandom_ = std::make_unique<RandomGenerator>();
    random_ = ownRandom_.get();
  }
}

ExpressionCompiler::~ExpressionCompiler() = default;

std::int32_t ExpressionCompiler::InfixToPostfix(const std::string& sExpression,
                                                std::string& sBuffer) {
  enum class State { Start, AfterOperand, AfterOperator, AfterSign, AfterFunction };
  State state = State::Start;
  std::size_t openCount = 0;
  std::size_t position = 1;  // P: where the message says the fault is
  ValueStack stack;

  auto fail = [&](const std::string& message) -> std::int32_t {
    lastMessage_ = message;
    if (reporter_ != nullptr) {
      reporter_->Report("Syntax Error", "Character " + std::to_string(position) + ":  " + message,
                        MessageIcon::Critical);
    }
    if (position == 0)
      return -1;
    constexpr std::size_t kLargest = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(position < kLargest ? position : kLargest);
  };

  const std::size_t length = sExpression.size();
  std::size_t i = 1;  // 1-based index of the current character
  while (i <= length) {
    const char c = sExpression[i - 1];
    const auto code = static_cast<unsigned char>(c);

    if (c == '(') {
      if (state == State::AfterOperand)
        return fail("Operator expected");
      if (state == State::AfterSign || state == State::AfterFunction)
        state = State::AfterOperator;
      stack.Push(std::string("("));
      ++openCount;
      position = i;
      ++i;
    } else if (c == ')') {
      if (state != State::AfterOperand)
        return fail("Operand expected");
      if (openCount == 0)
        return fail("Closing parenthesis without matching open parenthesis");
      for (std::string token = PopText(stack); token != "("; token = PopText(stack)) {
        Write(sBuffer, token);
      }
      --openCount;
      position = i;
      ++i;
    } else if (c == '+' || c == '-' || c == '*' || c == '/' || c == '^') {
      const std::string op(1, c);
      if (state == State::AfterOperand) {
        const int precedence = GetPrecedence(op);
        while (stack.StackSize() > 0 &&
               GetPrecedence(std::get<std::string>(stack.GetPopValue())) >= precedence) {
          Write(sBuffer, PopText(stack));
        }
        stack.Push(op);
        state = (c == '+' || c == '-') ? State::AfterSign : State::AfterOperator;
      } else {
        if (state == State::AfterSign)
          return fail("Operand expected");
        if (c == '-') {
          stack.Push(std::string("(-)"));
        } else if (c != '+') {
          return fail("Operand expected");
        }
        state = State::AfterSign;
      }
      position = i;
      ++i;
    } else if (kNumberCharacters.find(c) != std::string_view::npos) {
      if (state == State::AfterOperand)
        return fail("Operator expected");
      std::size_t q = i;  // last index of the run
      int decimalPoints = 0;
      while (q <= length && kNumberCharacters.find(sExpression[q - 1]) != std::string_view::npos) {
        if (sExpression[q - 1] == '.' || sExpression[q - 1] == ',') {
          if (++decimalPoints > 1)
            return fail("Operand contains multiple decimal points");
        }
        ++q;
      }
      --q;
      position = q - 1;
      const std::string_view run(sExpression.data() + (i - 1), q - i + 1);
      if (run == "." || run == ",")
        return fail("Invalid operand");
      if (state == State::AfterFunction)
        return fail("Open parenthesis expected");
      Write(sBuffer, run);
      state = State::AfterOperand;
      i = q + 1;
    } else if (code <= 32) {
      ++i;
    } else {
      if (!IsLetter(code) && c != '_')
        return fail("Unexpected character encountered");
      std::size_t q = i;
      while (q + 1 <= length &&
             (IsLetter(static_cast<unsigned char>(sExpression[q])) || sExpression[q] == '_')) {
        ++q;
      }
      position = i - 1;
      const std::string name = sExpression.substr(i - 1, q - i + 1);
      i = q + 1;
      if (state == State::AfterOperand)
        return fail("Operator expected");
      std::string upper = name;
      for (char& letter : upper)
        letter = ToUpper(letter);
      if (IsFunctionName(upper)) {
        stack.Push(upper);
        state = State::AfterFunction;
      } else if (upper.size() == 1 && kVariableLetters.find(upper[0]) != std::string_view::npos) {
        Write(sBuffer, upper + upper);
        state = State::AfterOperand;
      } else {
        return fail("Undefined symbol : '" + MessageQuote(name) + "'");
      }
    }
  }

  position = length;
  if (state == State::AfterOperator || state == State::AfterSign || state == State::AfterFunction) {
    return fail("Operand expected");
  }
  if (openCount != 0)
    return fail("Closing parenthesis expected");
  while (stack.StackSize() > 0)
    Write(sBuffer, PopText(stack));
  return 0;
}

bool ExpressionCompiler::DoEvaluate(const std::string& sPostfix, bool bolDegree, float& sngResult,
                                    float sngU, float sngV, float sngX, float sngY, float sngA,
                                    float sngR, float sngB, float sngT) {
  using evaluation::TokenKind;
  const std::array<const float*, 8> variables = {&sngU, &sngV, &sngX, &sngY,
                                                 &sngA, &sngR, &sngB, &sngT};
  ValueStack stack;

  std::size_t start = 0;
  for (std::size_t blank = sPostfix.find(' '); blank != std::string::npos;
       start = blank + 1, blank = sPostfix.find(' ', start)) {
    const std::string_view token(sPostfix.data() + start, blank - start);
    const evaluation::Token kind = evaluation::ClassifyToken(token);
    double value = 0;
    bool defined = true;
    switch (kind.kind) {
      case TokenKind::Number:
        value = evaluation::NumberTokenValue(token);
        defined = evaluation::IsFinite(value);
        if (defined)
          stack.Push(value);
        break;
      case TokenKind::Variable:
        defined = evaluation::IsFinite(static_cast<double>(*variables[kind.variable]));
        if (defined)
          stack.Push(variables[kind.variable]);
        break;
      case TokenKind::Binary: {
        const double b = ToDouble(stack.Pop());
        const double a = ToDouble(stack.Pop());
        defined = evaluation::ApplyBinary(kind.op, a, b, value);
        if (!defined)
          break;
        // "^" with a zero exponent stacks the 16-bit integer 1.
        if (kind.op == evaluation::Op::Power && b == 0) {
          stack.Push(std::int16_t{1});
        } else {
          stack.Push(value);
        }
        break;
      }
      case TokenKind::Unary:
        defined = evaluation::ApplyUnary(kind.op, ToDouble(stack.Pop()), bolDegree, value);
        if (defined)
          stack.Push(value);
        break;
      case TokenKind::Random:
        stack.Push(random_->Next(ToDouble(stack.Pop())));
        break;
      case TokenKind::Unknown:
        throw EngineError(kErrorBadToken, "Bad token in Evaluate: " + std::string(token));
    }
    if (!defined) {
      sngResult = UndefinedMark;
      return true;
    }
  }

  if (stack.StackSize() == 0)
    return false;
  sngResult = evaluation::FinalValue(ToDouble(stack.Pop()));
  return true;
}

}  // namespace quillon
