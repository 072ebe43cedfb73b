// Faults of a caller of the graph model: an index outside an array's extent,
// a key that a collection does not hold or already holds.
#pragma once

#include <stdexcept>
#include <string>

namespace quillon {

class GraphError : public std::runtime_error {
 public:
  explicit GraphError(const std::string& text) : std::runtime_error(text) {}
};

}  // namespace quillon
