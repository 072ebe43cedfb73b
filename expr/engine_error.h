// Failures of the expression engine that are faults of the caller's text
// (an empty stack, an unknown token), raised as exceptions that carry the
// engine's error code.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace quillon {

inline constexpr std::int32_t kErrorPopEmptyStack = -2147220493;  // 0x800403F3
inline constexpr std::int32_t kErrorBadToken = -2147220502;       // 0x800403EA

class EngineError : public std::runtime_error {
 public:
  EngineError(std::int32_t code, const std::string& text) : std::runtime_error(text), code_(code) {}
  std::int32_t Code() const { return code_; }

 private:
  std::int32_t code_;
};

}  // namespace quillon
