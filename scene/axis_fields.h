// The field table of the axis record that graph files carry: the flag that
// shows the axis, then (only when it is set) every other field in file
// order, each with the file's name for it and its text form.
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "graph/graph_fields.h"
#include "scene/axis.h"

namespace quillon {

struct AxisField {
  const char* name;
  FieldForm form;
  std::variant<bool Axis::*, std::int32_t Axis::*, std::string Axis::*, MaterialPreset Axis::*>
      member;
};

const std::vector<AxisField>& AxisRecordFields();

}  // namespace quillon
