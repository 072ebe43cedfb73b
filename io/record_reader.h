// Reading graph, table and axis records from tokens, field by field in the
// order the writer uses (record_writer.h). Shared by the graph file reader
// and the clipboard paste, which differ in the ways RecordReading names.
#pragma once

#include <cstdint>
#include <string>

#include "graph/document_values.h"
#include "io/token_cursor.h"

namespace quillon {

struct Axis;
class Graph;

struct RecordReading {
  // Format generation: 3 has only the core and contour blocks and no table
  // tail, 4 adds the analysis block and the table tail, 5 the surface block.
  std::int32_t generation = 5;
  // Clipboard text: PointSize takes any numeric value, PointHollow is true
  // for any non-zero value, the animation field is recognised only as "1",
  // "True", "False" or "0" (otherwise the record has none and FunForm is read
  // from that token), an animated record's frame fields are skipped, and
  // table records always carry their tail.
  bool paste = false;
};

// The document-wide animation values that animated graph records carry.
struct AnimationFields {
  DocumentValues values;  // AnimFrames and AnimExtra are stored here
  bool read = false;      // set when a record stored them
};

// Kind tokens: the exact decimal texts of the kinds that record_writer.h
// writes as graph records ("0".."3", "7".."15", "20".."23", "31", "32",
// "36") and as table records ("4", "5", "6").
bool IsGraphRecordKind(const std::string& token);
bool IsTableRecordKind(const std::string& token);

// Each reader starts at the token after the cursor's position and leaves the
// cursor on the record's last token. On a value the record cannot take it
// throws IoError (see TokenCursor); the fields read before it stay in the
// record, and no count or step beyond the record's arrays is ever stored.
// Counts above 50 and table steps outside 0..200 are refused.

// A graph record into a fresh record. Stores AnimFrames and AnimExtra of an
// animated record into `animation` (files only).
void ReadGraphRecord(TokenCursor& cursor, Graph& graph, const RecordReading& reading,
                     AnimationFields& animation);
// A table record; table cells without a point get a new one.
void ReadTableRecord(TokenCursor& cursor, Graph& graph, const RecordReading& reading);
// An axis record: Show, and when it is true the other 27 fields.
void ReadAxisRecord(TokenCursor& cursor, Axis& axis);

}  // namespace quillon
