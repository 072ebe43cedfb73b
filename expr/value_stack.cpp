#include "expr/value_stack.h"

#include "expr/engine_error.h"

namespace quillon {

double ToDouble(const StackValue& value) {
  struct Reader {
    double operator()(double v) const { return v; }
    double operator()(float v) const { return static_cast<double>(v); }
    double operator()(std::int16_t v) const { return static_cast<double>(v); }
    double operator()(const std::string&) const { return 0; }
    double operator()(const float* v) const { return v != nullptr ? static_cast<double>(*v) : 0; }
  };
  return std::visit(Reader{}, value);
}

void ValueStack::Push(StackValue value) {
  ++count_;
  if (count_ > Capacity())
    storage_.resize(storage_.size() + 10);
  storage_[static_cast<std::size_t>(count_ - 1)] = std::move(value);
}

StackValue ValueStack::Pop() {
  if (count_ == 0)
    throw EngineError(kErrorPopEmptyStack, "Pop method invoked on empty stack");
  --count_;
  return std::move(storage_[static_cast<std::size_t>(count_)]);
}

const StackValue& ValueStack::GetPopValue() const {
  if (count_ == 0) {
    throw EngineError(kErrorGetPopValueEmpty, "GetPopValue method invoked on empty stack");
  }
  return storage_[static_cast<std::size_t>(count_ - 1)];
}

}  // namespace quillon
