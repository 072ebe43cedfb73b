// Failures of reading or writing documents: a file that cannot be opened or
// written, bytes that are not a graph file, a field value the document cannot
// take. The text is meant for the user; callers add the file name.
#pragma once

#include <stdexcept>
#include <string>

namespace quillon {

class IoError : public std::runtime_error {
 public:
  explicit IoError(const std::string& text) : std::runtime_error(text) {}
};

}  // namespace quillon
