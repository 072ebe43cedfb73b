#include "expr/expression_compiler.h"

#include <array>
#include <limits>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "expr/reporter.h"

namespace quillon {
namespace {

constexpr std::array<std::string_view, 30> kFunctionNames = {
    "SIN",  "COS",   "LOG",  "EXP",   "ABS",   "ATAN",  "INT",   "RND",   "SQR",    "TAN",
    "SEC",  "CSEC",  "CTAN", "ASIN",  "ACOS",  "ASEC",  "ACSEC", "ACTAN", "SINH",   "COSH",
    "TANH", "CTANH", "SECH", "CSECH", "ASINH", "ACOSH", "ATANH", "ASECH", "ACSECH", "ACTANH"};

constexpr std::string_view kVariableLetters = "UVXYARBT";
constexpr std::string_view kNumberCharacters = "0123456789.,";

// Other spellings of functions, as people write them elsewhere: each
// compiles to the token of its function.
struct FunctionAlias {
  std::string_view name;
  std::string_view function;
};
constexpr std::array<FunctionAlias, 2> kFunctionAliases = {{{"SQRT", "SQR"}, {"LN", "LOG"}}};

// The constants pi and e: each is written as its own token, which the
// evaluators read as a number.
constexpr std::array<std::string_view, 2> kConstantNames = {"PI", "E"};

bool IsFunctionName(std::string_view name) {
  for (const std::string_view function : kFunctionNames) {
    if (function == name)
      return true;
  }
  return false;
}

// The function token of an upper-case name (itself, or the function an
// alias stands for); empty when the name is no function.
std::string_view FunctionToken(std::string_view name) {
  if (IsFunctionName(name))
    return name;
  for (const FunctionAlias& alias : kFunctionAliases) {
    if (alias.name == name)
      return alias.function;
  }
  return {};
}

bool IsConstantName(std::string_view name) {
  for (const std::string_view constant : kConstantNames) {
    if (constant == name)
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

// The operator and function tokens waiting for their operands, "(" included.
class TokenStack {
 public:
  bool Empty() const { return tokens_.empty(); }
  const std::string& Top() const { return tokens_.back(); }
  void Push(std::string token) { tokens_.push_back(std::move(token)); }
  // Only on a stack that is not empty (a ")" pops down to its "(").
  std::string Pop() {
    std::string top = std::move(tokens_.back());
    tokens_.pop_back();
    return top;
  }

 private:
  std::vector<std::string> tokens_;
};

}  // namespace

std::int32_t ExpressionCompiler::InfixToPostfix(const std::string& sExpression,
                                                std::string& sBuffer) {
  enum class State { Start, AfterOperand, AfterOperator, AfterSign, AfterFunction };
  State state = State::Start;
  std::size_t openCount = 0;
  std::size_t position = 1;  // P: where the message says the fault is
  TokenStack stack;

  // Reports the message and keeps the characters [first, first + length)
  // (0-based) as the place of the fault.
  auto fail = [&](const std::string& message, std::size_t first,
                  std::size_t faultLength) -> std::int32_t {
    lastFault_ = SyntaxFault{first, faultLength};
    if (reporter_ != nullptr) {
      reporter_->Report("Syntax Error", "Character " + std::to_string(position) + ":  " + message,
                        MessageIcon::Critical);
    }
    if (position == 0)
      return -1;
    constexpr std::size_t kLargest = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(position < kLargest ? position : kLargest);
  };

  lastFault_.reset();
  const std::size_t length = sExpression.size();
  std::size_t i = 1;  // 1-based index of the current character
  // The current character as a fault place.
  auto failHere = [&](const std::string& message) { return fail(message, i - 1, 1); };
  while (i <= length) {
    const char c = sExpression[i - 1];
    const auto code = static_cast<unsigned char>(c);

    if (c == '(') {
      if (state == State::AfterOperand)
        return failHere("Operator expected");
      if (state == State::AfterSign || state == State::AfterFunction)
        state = State::AfterOperator;
      stack.Push(std::string("("));
      ++openCount;
      position = i;
      ++i;
    } else if (c == ')') {
      if (state != State::AfterOperand)
        return failHere("Operand expected");
      if (openCount == 0)
        return failHere("Closing parenthesis without matching open parenthesis");
      for (std::string token = stack.Pop(); token != "("; token = stack.Pop()) {
        Write(sBuffer, token);
      }
      --openCount;
      position = i;
      ++i;
    } else if (c == '+' || c == '-' || c == '*' || c == '/' || c == '^') {
      const std::string op(1, c);
      if (state == State::AfterOperand) {
        const int precedence = GetPrecedence(op);
        while (!stack.Empty() && GetPrecedence(stack.Top()) >= precedence) {
          Write(sBuffer, stack.Pop());
        }
        stack.Push(op);
        state = (c == '+' || c == '-') ? State::AfterSign : State::AfterOperator;
      } else {
        if (state == State::AfterSign)
          return failHere("Operand expected");
        if (c == '-') {
          stack.Push(std::string("(-)"));
        } else if (c != '+') {
          return failHere("Operand expected");
        }
        state = State::AfterSign;
      }
      position = i;
      ++i;
    } else if (kNumberCharacters.find(c) != std::string_view::npos) {
      if (state == State::AfterOperand)
        return failHere("Operator expected");
      std::size_t q = i;  // last index of the run
      int decimalPoints = 0;
      while (q <= length && kNumberCharacters.find(sExpression[q - 1]) != std::string_view::npos) {
        if (sExpression[q - 1] == '.' || sExpression[q - 1] == ',') {
          if (++decimalPoints > 1)
            return fail("Operand contains multiple decimal points", q - 1, 1);
        }
        ++q;
      }
      --q;
      position = q - 1;
      const std::string_view run(sExpression.data() + (i - 1), q - i + 1);
      if (run == "." || run == ",")
        return failHere("Invalid operand");
      if (state == State::AfterFunction)
        return fail("Open parenthesis expected", i - 1, run.size());
      Write(sBuffer, run);
      state = State::AfterOperand;
      i = q + 1;
    } else if (code <= 32) {
      ++i;
    } else {
      if (!IsLetter(code) && c != '_')
        return failHere("Unexpected character encountered");
      std::size_t q = i;
      while (q + 1 <= length &&
             (IsLetter(static_cast<unsigned char>(sExpression[q])) || sExpression[q] == '_')) {
        ++q;
      }
      position = i - 1;
      const std::size_t nameFirst = i - 1;
      const std::string name = sExpression.substr(nameFirst, q - i + 1);
      i = q + 1;
      if (state == State::AfterOperand)
        return fail("Operator expected", nameFirst, name.size());
      std::string upper = name;
      for (char& letter : upper)
        letter = ToUpper(letter);
      if (const std::string_view function = FunctionToken(upper); !function.empty()) {
        stack.Push(std::string(function));
        state = State::AfterFunction;
      } else if (upper.size() == 1 && kVariableLetters.find(upper[0]) != std::string_view::npos) {
        Write(sBuffer, upper + upper);
        state = State::AfterOperand;
      } else if (IsConstantName(upper)) {
        Write(sBuffer, upper);
        state = State::AfterOperand;
      } else {
        return fail("Undefined symbol : '" + MessageQuote(name) + "'", nameFirst, name.size());
      }
    }
  }

  position = length;
  if (state == State::AfterOperator || state == State::AfterSign || state == State::AfterFunction) {
    return fail("Operand expected", length, 0);
  }
  if (openCount != 0)
    return fail("Closing parenthesis expected", length, 0);
  while (!stack.Empty())
    Write(sBuffer, stack.Pop());
  return 0;
}

}  // namespace quillon
