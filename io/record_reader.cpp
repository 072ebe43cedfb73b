#include "io/record_reader.h"

#include <charconv>
#include <optional>
#include <type_traits>
#include <variant>

#include "expr/number_text.h"
#include "graph/graph.h"
#include "graph/graph_fields.h"
#include "io/field_text.h"
#include "io/record_writer.h"
#include "scene/axis.h"
#include "scene/axis_fields.h"

namespace quillon {
namespace {

// A count of positions, validated before it is stored, so a record never
// holds a count beyond its arrays.
std::int32_t NextCount(TokenCursor& cursor, const char* field) {
  const std::int32_t count = cursor.NextInteger(field);
  if (count > PositionList::kUpper) {
    cursor.Refuse(field, "is more than the 50 positions a graph can hold.");
  }
  return count;
}

std::int32_t NextTableStep(TokenCursor& cursor, const char* field) {
  const std::int32_t step = cursor.NextInteger(field);
  if (step < 0 || step > Graph::kTableUpper) {
    cursor.Refuse(field, "lies outside the 0 to 200 steps a table can hold.");
  }
  return step;
}

// Reads one field value in its text form. Clipboard texts (paste) read the
// lenient forms differently from files: see RecordReading.
template <typename Value>
void ReadValue(TokenCursor& c, const char* name, FieldForm form, bool paste, Value& value) {
  if constexpr (std::is_enum_v<Value>) {
    value = static_cast<Value>(c.NextInteger(name));
  } else if constexpr (std::is_same_v<Value, float>) {
    if (form == FieldForm::LenientNumber && !paste) {
      if (const std::optional<float> size = PointSizeFieldValue(c.Next())) {
        value = *size;
      }
    } else {
      value = c.NextNumber(name);
    }
  } else if constexpr (std::is_same_v<Value, bool>) {
    value =
        form == FieldForm::LenientFlag && paste ? LeadingNumberValue(c.Next()) != 0 : c.NextFlag();
  } else if constexpr (std::is_same_v<Value, std::string>) {
    value = c.NextText();
  } else if constexpr (std::is_same_v<Value, PositionList>) {
    value.count = NextCount(c, name);
    for (std::int32_t i = 1; i <= value.count; ++i) {
      value.at[static_cast<std::size_t>(i)] = c.NextNumber(name);
    }
  } else if constexpr (std::is_same_v<Value, PositionPairList>) {
    value.count = NextCount(c, name);
    for (std::int32_t i = 1; i <= value.count; ++i) {
      value.x[static_cast<std::size_t>(i)] = c.NextNumber(name);
      value.y[static_cast<std::size_t>(i)] = c.NextNumber(name);
    }
  } else if (form == FieldForm::StrictInteger) {
    value = c.NextStrictInteger(name);
  } else if (form == FieldForm::TableSteps) {
    value = NextTableStep(c, name);
  } else {
    value = c.NextInteger(name);
  }
}

// Whether a clipboard text holds the animation flag at the cursor: older
// programs leave it out, and then the next token is already FunForm.
bool PastedAnimationFlagPresent(const TokenCursor& c) {
  const std::string& token = c.Peek();
  return token == "1" || token == "True" || token == "False" || token == "0";
}

bool InGeneration(FieldGroup group, std::int32_t generation) {
  switch (group) {
    case FieldGroup::Analysis:
      return generation >= 4;
    case FieldGroup::Surface:
      return generation >= 5;
    default:
      return true;
  }
}

// The kind a token names: only the plain decimal text of a number ("7", not
// "07", "+7" or "7.0").
std::optional<GraphKind> KindOfToken(const std::string& token) {
  std::int32_t kind = 0;
  const char* end = token.data() + token.size();
  const auto parsed = std::from_chars(token.data(), end, kind);
  if (parsed.ec != std::errc() || parsed.ptr != end || std::to_string(kind) != token) {
    return std::nullopt;
  }
  return static_cast<GraphKind>(kind);
}

}  // namespace

bool IsGraphRecordKind(const std::string& token) {
  const std::optional<GraphKind> kind = KindOfToken(token);
  return kind && IsGraphRecordKind(*kind);
}

bool IsTableRecordKind(const std::string& token) {
  const std::optional<GraphKind> kind = KindOfToken(token);
  return kind && IsTableRecordKind(*kind);
}

void ReadGraphRecord(TokenCursor& cursor, Graph& graph, const RecordReading& reading,
                     AnimationFields& animation) {
  for (const GraphField& field : GraphRecordFields()) {
    if (!InGeneration(field.group, reading.generation) ||
        (field.group == FieldGroup::Animation && !graph.animated)) {
      continue;
    }
    if (field.form == FieldForm::AnimationFlag && reading.paste &&
        !PastedAnimationFlagPresent(cursor)) {
      continue;
    }
    std::visit(
        [&](auto member) {
          using Member = decltype(member);
          if constexpr (std::is_same_v<Member, std::int32_t DocumentValues::*>) {
            if (reading.paste) {
              cursor.Next();  // the frame values belong to the receiving document
            } else {
              animation.values.*member = cursor.NextInteger(field.name);
              animation.read = true;
            }
          } else {
            ReadValue(cursor, field.name, field.form, reading.paste, graph.*member);
          }
        },
        field.member);
  }
}

void ReadTableRecord(TokenCursor& cursor, Graph& graph, const RecordReading& reading) {
  const bool withTail = reading.generation >= 4 || reading.paste;
  bool cellsRead = false;
  for (const TableField& field : TableRecordFields()) {
    if (field.tail && !cellsRead) {
      for (std::int32_t i = 0; i <= graph.stepsU; ++i) {
        for (std::int32_t j = 0; j <= graph.stepsV; ++j) {
          const std::shared_ptr<PlotPoint> point = graph.TableCell(i, j);
          for (const PointField& coordinate : TablePointFields()) {
            (*point).*coordinate.member = cursor.NextNumber(coordinate.name);
          }
        }
      }
      cellsRead = true;
      if (!withTail) {
        return;
      }
    }
    std::visit(
        [&](auto member) { ReadValue(cursor, field.name, field.form, false, graph.*member); },
        field.member);
  }
}

void ReadAxisRecord(TokenCursor& cursor, Axis& axis) {
  for (const AxisField& field : AxisRecordFields()) {
    std::visit([&](auto member) { ReadValue(cursor, field.name, field.form, false, axis.*member); },
               field.member);
    if (!axis.shown) {
      return;  // a hidden axis is stored as its flag alone
    }
  }
}

}  // namespace quillon
