#include "io/record_writer.h"

#include <optional>
#include <type_traits>
#include <variant>

#include "expr/reporter.h"
#include "graph/graph.h"
#include "graph/graph_fields.h"
#include "io/field_text.h"
#include "io/io_error.h"
#include "scene/axis.h"
#include "scene/axis_fields.h"
#include "scene/scene.h"

namespace quillon {
namespace {

// Appends fields, each followed by one blank; Finish drops the last blank.
class FieldWriter {
 public:
  void Integer(std::int32_t value) { Append(IntegerText(value)); }
  void Number(float value) { Append(NumberText(value)); }
  void PlainNumber(float value) { Append(PlainNumberText(value)); }
  void Flag(bool value) { Append(FlagText(value)); }
  void Text(const std::string& value) { Append(TextFieldText(value)); }

  std::string Finish() {
    if (!text_.empty()) {
      text_.pop_back();
    }
    return std::move(text_);
  }

 private:
  void Append(const std::string& field) {
    text_ += field;
    text_ += ' ';
  }
  std::string text_;
};

// One field value in its text form. Kind codes are written as their numbers.
template <typename Value>
void WriteValue(FieldWriter& w, FieldForm form, const Value& value) {
  if constexpr (std::is_enum_v<Value>) {
    w.Integer(static_cast<std::int32_t>(value));
  } else if constexpr (std::is_same_v<Value, float>) {
    if (form == FieldForm::Number) {
      w.Number(value);
    } else {
      w.PlainNumber(value);
    }
  } else if constexpr (std::is_same_v<Value, bool>) {
    w.Flag(value);
  } else if constexpr (std::is_same_v<Value, std::string>) {
    w.Text(value);
  } else if constexpr (std::is_same_v<Value, PositionList>) {
    w.Integer(value.count);
    for (std::int32_t i = 1; i <= value.count; ++i) {
      w.Number(value.at[static_cast<std::size_t>(i)]);
    }
  } else if constexpr (std::is_same_v<Value, PositionPairList>) {
    w.Integer(value.count);
    for (std::int32_t i = 1; i <= value.count; ++i) {
      w.Number(value.x[static_cast<std::size_t>(i)]);
      w.Number(value.y[static_cast<std::size_t>(i)]);
    }
  } else {
    w.Integer(value);
  }
}

// The count of a list field, when the field holds one.
std::optional<std::int32_t> CountOf(const Graph& graph, const GraphMember& member) {
  if (const auto* list = std::get_if<PositionList Graph::*>(&member)) {
    return (graph.**list).count;
  }
  if (const auto* pairs = std::get_if<PositionPairList Graph::*>(&member)) {
    return (graph.**pairs).count;
  }
  return std::nullopt;
}

}  // namespace

bool IsGraphRecordKind(GraphKind kind) {
  switch (kind) {
    case GraphKind::PlaneCurve:
    case GraphKind::SpaceCurve:
    case GraphKind::Surface:
    case GraphKind::Ribbon:
    case GraphKind::SinglePoint:
    case GraphKind::AnimatedPoint:
    case GraphKind::AnimatedCurve:
    case GraphKind::AnimatedRibbon:
    case GraphKind::AnimatedSpaceCurve:
    case GraphKind::AnimatedSurface:
    case GraphKind::ColorMap:
    case GraphKind::ContourPlot:
    case GraphKind::VectorPlot:
    case GraphKind::CurveAndSecondCurve:
    case GraphKind::RevolutionAboutX:
    case GraphKind::RevolutionAboutY:
    case GraphKind::StepOrStemPlot:
    case GraphKind::Vector:
    case GraphKind::VectorOperation:
    case GraphKind::DifferentialEquation:
      return true;
    default:
      return false;
  }
}

bool IsTableRecordKind(GraphKind kind) {
  return kind == GraphKind::Table2D || kind == GraphKind::Table25D || kind == GraphKind::Table3D;
}

std::string Save(const Graph& graph) {
  for (const GraphField& field : GraphRecordFields()) {
    const std::optional<std::int32_t> count = CountOf(graph, field.member);
    if (count && *count > PositionList::kUpper) {
      throw IoError("The graph \"" + MessageQuote(graph.name) + "\" has " + std::to_string(*count) +
                    " positions in " + field.name + ", more than the 50 a file can hold.");
    }
  }
  FieldWriter writer;
  for (const GraphField& field : GraphRecordFields()) {
    if (field.group == FieldGroup::Animation && !graph.animated) {
      continue;
    }
    std::visit(
        [&](auto member) {
          using Member = decltype(member);
          if constexpr (std::is_same_v<Member, std::int32_t DocumentValues::*>) {
            WriteValue(writer, field.form, graph.Document().*member);
          } else {
            WriteValue(writer, field.form, graph.*member);
          }
        },
        field.member);
  }
  return writer.Finish();
}

std::string SaveTable(Graph& graph) {
  if (graph.stepsU > Graph::kTableUpper || graph.stepsV > Graph::kTableUpper) {
    throw IoError("The table \"" + MessageQuote(graph.name) +
                  "\" has more than the 200 steps a file can hold.");
  }
  FieldWriter writer;
  bool cellsWritten = false;
  for (const TableField& field : TableRecordFields()) {
    if (field.tail && !cellsWritten) {
      for (std::int32_t i = 0; i <= graph.stepsU; ++i) {
        for (std::int32_t j = 0; j <= graph.stepsV; ++j) {
          const std::shared_ptr<PlotPoint> point = graph.TableCell(i, j);
          for (const PointField& coordinate : TablePointFields()) {
            writer.Number((*point).*coordinate.member);
          }
        }
      }
      cellsWritten = true;
    }
    std::visit([&](auto member) { WriteValue(writer, field.form, graph.*member); }, field.member);
  }
  return writer.Finish();
}

std::string Save(const Axis& axis) {
  if (!axis.shown) {
    return "0";
  }
  FieldWriter writer;
  for (const AxisField& field : AxisRecordFields()) {
    std::visit([&](auto member) { WriteValue(writer, field.form, axis.*member); }, field.member);
  }
  return writer.Finish();
}

std::optional<std::string> SaveRecord(Graph& graph) {
  if (IsGraphRecordKind(graph.kind)) {
    return Save(graph);
  }
  if (IsTableRecordKind(graph.kind)) {
    return SaveTable(graph);
  }
  return std::nullopt;
}

std::string Save(const Scene& scene) {
  std::string text;
  for (const GraphCollection::Entry& entry : scene.Graphs()) {
    if (const std::optional<std::string> record = SaveRecord(*entry.second)) {
      text += *record;
      text += ' ';
    }
  }
  return text;
}

}  // namespace quillon
