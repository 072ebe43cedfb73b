// The field tables of the records that graph files and the clipboard carry:
// the graph record, the table-graph record and the point of a table cell.
// Each row names one field once: the file's name for it (used in messages),
// the group that says which file generations hold it, its text form and the
// member it lives in. The reader, the writer, TakeSettings and the
// clipboard's record bounds all walk these tables, so adding a field to a
// record is one row here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "graph/graph.h"

namespace quillon {

// How a field is written as text, and how strictly it is read back.
enum class FieldForm {
  Integer,        // whole number; reading takes a leading number, rounded half to even
  StrictInteger,  // whole number; reading takes only a token that is one number
  Number,         // single-precision number, E notation outside 1E-05..1E+07
  PlainNumber,    // single-precision number without E notation when it fits
  LenientNumber,  // a plain number that older writers also filled with other texts
  Flag,           // "True" / "False" (reading also takes numbers)
  LenientFlag,    // a flag that clipboard texts may hold as any number
  AnimationFlag,  // a flag that clipboard texts of older programs leave out
  Text,           // blank-free text
  Positions,      // a count, then that many numbers from index 1
  PositionPairs,  // a count, then that many pairs of numbers from index 1
  TableSteps,     // a whole number limited to the 0..200 steps of a table
};

// Groups of graph-record fields, in file order. Generation 3 files hold the
// core and contour groups; 4 adds the analysis group, 5 the surface group.
// The animation group follows the core group's animation flag and is present
// only when that flag is set.
enum class FieldGroup { Core, Animation, Analysis, Surface, Contour };

// A graph field lives in the graph record, or (the animation frame values)
// in the document that the record belongs to.
using GraphMember =
    std::variant<std::int32_t Graph::*, float Graph::*, bool Graph::*, std::string Graph::*,
                 GraphKind Graph::*, CoordinateSystem Graph::*, FunctionForm Graph::*,
                 FillStyle Graph::*, MaterialPreset Graph::*, PointSymbol Graph::*,
                 PositionList Graph::*, PositionPairList Graph::*, std::int32_t DocumentValues::*>;

struct GraphField {
  const char* name;
  FieldGroup group;
  FieldForm form;
  GraphMember member;
  // Whether an edit copies it (TakeSettings). The id, the arc-length range
  // and the document's frame values stay with the record edited.
  bool edited;
};

// The graph record's fields in file order.
const std::vector<GraphField>& GraphRecordFields();

// The table-graph record: the fields up to the steps, then the points of the
// cells (first index 0..stepsU outer, second 0..stepsV inner), then the tail
// rows, which generation 3 files lack.
struct TableField {
  const char* name;
  FieldForm form;
  std::variant<std::int32_t Graph::*, bool Graph::*, std::string Graph::*, GraphKind Graph::*,
               CoordinateSystem Graph::*, FillStyle Graph::*, MaterialPreset Graph::*,
               PointSymbol Graph::*>
      member;
  bool tail;
};
const std::vector<TableField>& TableRecordFields();

// A table cell's point: three numbers.
struct PointField {
  const char* name;
  float PlotPoint::*member;
};
const std::vector<PointField>& TablePointFields();

// The most tokens a graph record can have (every count at its limit and the
// animation group present), and a table record (201 x 201 cells).
std::size_t LongestGraphRecord();
std::size_t LongestTableRecord();

}  // namespace quillon
