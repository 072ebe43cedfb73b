// ValueStack: the value stack shared by the expression compiler (which stacks
// operator and function tokens) and the evaluator (which stacks operands).
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace quillon {

// One slot: a 64-bit float, a 32-bit float, a 16-bit integer, a text, or a
// reference to a caller-owned 32-bit float (variables are pushed this way, so
// reading the slot reads the caller's current value).
using StackValue = std::variant<double, float, std::int16_t, std::string, const float*>;

// Reads a slot as a 64-bit float, the way every operand is read when popped.
// A text slot reads as 0.
double ToDouble(const StackValue& value);

class ValueStack {
 public:
  // Number of values held; the top of the stack is slot number StackSize().
  std::int32_t StackSize() const { return count_; }
  // Number of allocated slots: grows by 10 whenever a push exceeds it.
  std::int32_t Capacity() const { return static_cast<std::int32_t>(storage_.size()); }

  void Push(StackValue value);
  // Throws EngineError kErrorPopEmptyStack on an empty stack.
  StackValue Pop();
  // The top value without removing it; throws EngineError
  // kErrorGetPopValueEmpty on an empty stack.
  const StackValue& GetPopValue() const;

 private:
  std::vector<StackValue> storage_;  // slot n lives at index n - 1
  std::int32_t count_ = 0;
};

}  // namespace quillon
