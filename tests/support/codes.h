// Tests speak of kinds, forms and coordinate systems by the numbers files
// carry: Code gives an enumerator's number, and the As* helpers the reverse.
#pragma once

#include <cstdint>

#include "graph/graph_kinds.h"

namespace quillon::testing {

template <typename Enum>
constexpr std::int32_t Code(Enum value) {
  return static_cast<std::int32_t>(value);
}

constexpr GraphKind AsKind(std::int32_t code) {
  return static_cast<GraphKind>(code);
}
constexpr CoordinateSystem AsSystem(std::int32_t code) {
  return static_cast<CoordinateSystem>(code);
}
constexpr FunctionForm AsForm(std::int32_t code) {
  return static_cast<FunctionForm>(code);
}
constexpr DocumentKind AsDocument(std::int32_t code) {
  return static_cast<DocumentKind>(code);
}

}  // namespace quillon::testing
