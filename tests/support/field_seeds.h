// Values for every field of a field table, different for each field and
// seed, and a comparison that names the fields that differ. Shared by the
// record tests of the graph and io libraries.
#pragma once

#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

#include "graph/graph_fields.h"

namespace quillon::testing {

// A value of the field's type from a seed. Numbers survive the file's text
// forms exactly; a count stays within its list.
template <typename Value>
Value SeededValue(int seed) {
  if constexpr (std::is_same_v<Value, bool>) {
    return seed % 2 == 1;
  } else if constexpr (std::is_same_v<Value, float>) {
    return static_cast<float>(seed) + 0.25f;
  } else if constexpr (std::is_same_v<Value, std::string>) {
    return "text " + std::to_string(seed);
  } else if constexpr (std::is_same_v<Value, PositionList>) {
    PositionList list;
    list.count = 1 + seed % 3;
    for (std::int32_t i = 1; i <= list.count; ++i) {
      list.at[static_cast<std::size_t>(i)] = static_cast<float>(seed * 10 + i) + 0.5f;
    }
    return list;
  } else if constexpr (std::is_same_v<Value, PositionPairList>) {
    PositionPairList list;
    list.count = 1 + seed % 3;
    for (std::int32_t i = 1; i <= list.count; ++i) {
      list.x[static_cast<std::size_t>(i)] = static_cast<float>(seed * 10 + i) + 0.5f;
      list.y[static_cast<std::size_t>(i)] = static_cast<float>(-seed * 10 - i);
    }
    return list;
  } else {
    return static_cast<Value>(seed);
  }
}

template <typename Value>
bool SameValue(const Value& a, const Value& b) {
  if constexpr (std::is_same_v<Value, PositionList>) {
    return a.count == b.count && a.at == b.at;
  } else if constexpr (std::is_same_v<Value, PositionPairList>) {
    return a.count == b.count && a.x == b.x && a.y == b.y;
  } else {
    return a == b;
  }
}

// Sets every graph-record field of the table (the document's frame values
// included) from seed + the field's row number.
inline void SeedGraphFields(Graph& graph, int seed) {
  int row = 0;
  for (const GraphField& field : GraphRecordFields()) {
    const int value = seed + row++;
    std::visit(
        [&](auto member) {
          using Member = decltype(member);
          if constexpr (std::is_same_v<Member, std::int32_t DocumentValues::*>) {
            graph.Document().*member = value;
          } else {
            using Value = std::decay_t<decltype(graph.*member)>;
            graph.*member = SeededValue<Value>(value);
          }
        },
        field.member);
  }
}

// The names of the graph-record fields whose values differ (document values
// are not compared).
inline std::vector<std::string> DifferingGraphFields(const Graph& a, const Graph& b) {
  std::vector<std::string> names;
  for (const GraphField& field : GraphRecordFields()) {
    std::visit(
        [&](auto member) {
          using Member = decltype(member);
          if constexpr (!std::is_same_v<Member, std::int32_t DocumentValues::*>) {
            if (!SameValue(a.*member, b.*member)) {
              names.push_back(field.name);
            }
          }
        },
        field.member);
  }
  return names;
}

}  // namespace quillon::testing
