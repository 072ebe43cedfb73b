#include "io/clipboard.h"

#include <limits>
#include <memory>
#include <utility>
#include <vector>

#include "expr/number_text.h"
#include "expr/reporter.h"
#include "graph/graph.h"
#include "io/document.h"
#include "io/field_text.h"
#include "io/graph_list_text.h"
#include "io/io_error.h"
#include "io/record_reader.h"
#include "io/record_writer.h"
#include "io/token_cursor.h"

namespace quillon {
namespace {

// The most tokens a record can span: a graph record with its animation fields
// and full arrays, and a table record of 201 x 201 points.
constexpr std::size_t kLongestGraphRecord =
    125 + 4 + 3 * Graph::kFloatArrayUpper + 2 * 2 * Graph::kFloatArrayUpper;
constexpr std::size_t kLongestTableRecord =
    21 + 3 * (Graph::kTableUpper + 1) * (Graph::kTableUpper + 1);

// Stands in for a number no field can take while a failed record is measured:
// every integer and number field takes it, every count and table size refuses it.
constexpr const char* kMeasuringNumber = "201";

// The text up to its maxTokens-th token, so that a huge text from another
// program is never split further than the records to read can reach.
std::string LeadingTokens(const std::string& text, std::size_t maxTokens) {
  std::size_t end = 0;
  for (std::size_t count = 0; count < maxTokens; ++count) {
    const std::size_t blank = text.find(' ', end);
    if (blank == std::string::npos) {
      return text;
    }
    end = blank + 1;
  }
  return text.substr(0, end);
}

std::size_t TokensWorthReading(std::int32_t recordCount) {
  const auto records = static_cast<std::size_t>(recordCount);
  const std::size_t most = std::numeric_limits<std::size_t>::max();
  return records > (most - 1) / kLongestTableRecord ? most : 1 + records * kLongestTableRecord;
}

void ReadRecord(TokenCursor& cursor, Graph& graph, bool table) {
  RecordReading reading;
  reading.paste = true;
  if (table) {
    ReadTableRecord(cursor, graph, reading);
  } else {
    AnimationFields ignored;  // pasted records leave the document's frame values alone
    ReadGraphRecord(cursor, graph, reading, ignored);
  }
}

// The position of the last token of a record that could not be read, which
// starts after token `start`. The record is read again over a copy of its
// tokens in which each value no field can take is replaced by one that any
// such field takes, so that its length can still be followed. Nothing when
// the record's length itself is impossible: a count above 50 or a table size
// outside 0..200.
std::optional<std::size_t> FailedRecordEnd(const TokenCursor& cursor, std::size_t start, bool table,
                                           DocumentValues& values) {
  const std::size_t longest = table ? kLongestTableRecord : kLongestGraphRecord;
  std::vector<std::string> tokens;
  for (std::size_t n = start + 1; n <= cursor.TokenCount() && n <= start + longest; ++n) {
    const std::string& token = cursor.Token(n);
    const bool inRange =
        IntegerFieldValue(token).has_value() && NumberFieldValue(token).has_value();
    tokens.push_back(inRange ? token : kMeasuringNumber);
  }
  // What can still fail: a count or a table size, whose token is a plain
  // number, and the two table fields that take only whole numbers (colour
  // and width), each mended once.
  for (int attempt = 0; attempt < 3; ++attempt) {
    TokenCursor probe(tokens);
    Graph scratch(values);
    try {
      ReadRecord(probe, scratch, table);
      return start + probe.Position();
    } catch (const IoError&) {
      const std::size_t refused = probe.Position();
      if (refused == 0 || refused > tokens.size() ||
          StrictIntegerFieldValue(tokens[refused - 1]).has_value()) {
        return std::nullopt;
      }
      tokens[refused - 1] = "0";
    }
  }
  return std::nullopt;
}

std::string PlanePointText(const Graph& g) {
  const std::string point = g.GraphType() == 8 ? "Point Animation  " : "Point  ";
  if (g.CoordType() == 1) {
    return point + "x=" + g.ExpressY() + ", y=" + g.ExpressZ();
  }
  return point + "a=" + g.ExpressY() + ", r=" + g.ExpressZ();
}

std::optional<std::string> PlaneDocumentEntry(const Graph& g) {
  // Explicit and parametric curves, intersections, step and stem plots are
  // worded as in opened files.
  if (std::optional<std::string> opened = OpenedGraphEntryText(g, 1)) {
    return opened;
  }
  const std::string& z = g.ExpressZ();
  const std::int32_t kind = g.GraphType();
  const std::int32_t form = g.FunForm();
  const bool plane = g.CoordType() == 1 || g.CoordType() == 2;
  if ((kind == 0 || kind == 9) && plane) {
    const bool animated = kind == 9;
    if (form == 1) {
      return (animated ? "2D Curve Animation  " : "2D Curve  ") + z + "=0";
    }
    if (form == 4) {
      return (animated ? "Inequation Animation  " : "Inequation  ") + z + "<0";
    }
  }
  if ((kind == 7 || kind == 8) && plane) {
    return PlanePointText(g);
  }
  if (kind == 36) {
    return "ODE dy/dx=" + z;
  }
  return std::nullopt;
}

std::optional<std::string> RibbonDocumentEntry(const Graph& g) {
  const std::string& y = g.ExpressY();
  const std::string& z = g.ExpressZ();
  const std::int32_t kind = g.GraphType();
  const std::int32_t coords = g.CoordType();
  const std::int32_t form = g.FunForm();
  if (kind == 3 || kind == 10) {
    const bool animated = kind == 10;
    const std::string ribbon = animated ? "2.5D Ribbon Animation  " : "2.5D Ribbon  ";
    if (form == 2 && (coords == 1 || coords == 2)) {
      return ribbon + (coords == 1 ? "y=" : "r=") + z;
    }
    if (form == 3 && coords == 1) {
      // The animated form has no blank after the comma.
      return ribbon + "x=" + y + (animated ? ",y=" : ", y=") + z;
    }
    if (form == 3 && coords == 2) {
      return ribbon + "a=" + y + ", r=" + z;
    }
  }
  if ((kind == 7 || kind == 8) && (coords == 1 || coords == 2)) {
    return PlanePointText(g);
  }
  return std::nullopt;
}

std::optional<std::string> SpaceDocumentEntry(const Graph& g) {
  const std::string& x = g.ExpressX();
  const std::string& y = g.ExpressY();
  const std::string& z = g.ExpressZ();
  const std::int32_t kind = g.GraphType();
  const std::int32_t coords = g.CoordType();
  const std::int32_t form = g.FunForm();
  std::optional<std::string> prefix;
  switch (kind) {
    case 1:
      prefix = "3D Curve  ";
      break;
    case 2:
      prefix = "3D Surface  ";
      break;
    case 11:
      prefix = "3D Curve Animation  ";
      break;
    case 12:
      prefix = "3D Surface Animation  ";
      break;
    default:
      break;
  }
  if (form == 3 && prefix) {
    switch (coords) {
      case 3:
        return *prefix + "x=" + x + ",y=" + y + ",z=" + z;
      case 4:
        return *prefix + "a=" + x + ",r=" + y + ",z=" + z;
      case 5:
        return *prefix + "a=" + x + ",b=" + y + ",r=" + z;
      default:
        break;
    }
  }
  if (form == 2 && coords == 1) {
    return "Surface by rotation  y=" + z;
  }
  if (form == 2 && prefix && (coords == 3 || coords == 4)) {
    return *prefix + "z=" + z;
  }
  if (form == 2 && prefix && coords == 5) {
    return *prefix + "r=" + z;
  }
  if (kind == 31) {
    return std::string("Vector ");
  }
  if (kind == 32) {
    return std::string("Vector Operation ");
  }
  if (kind == 7 || kind == 8) {
    const std::string point = kind == 8 ? "Point Animation  " : "Point  ";
    switch (coords) {
      case 3:
        return point + "x=" + x + ", y=" + y + ", z=" + z;
      case 4:
        return point + "a=" + x + ", r=" + y + ", z=" + z;
      case 5:
        return point + "a=" + x + ", b=" + y + ", r=" + z;
      default:
        break;
    }
  }
  return std::nullopt;
}

std::optional<std::string> FieldDocumentEntry(const Graph& g) {
  const std::string coordinates =
      "x=" + g.ExpressX() + ", y=" + g.ExpressY() + ", z=" + g.ExpressZ();
  switch (g.GraphType()) {
    case 13:
      return "Color Map  " + coordinates;
    case 14:
      return "Contour Plot  " + coordinates;
    case 15:
      return "Vector Plot  " + coordinates;
    default:
      return std::nullopt;
  }
}

}  // namespace

bool AcceptsClipboardKind(std::int32_t docType, double clipboardKind) {
  switch (docType) {
    case 1:
      return clipboardKind == 1 || clipboardKind == 4;
    case 2:
      return clipboardKind == 2 || clipboardKind == 5;
    case 3:
      return clipboardKind == 3 || clipboardKind == 6;
    case 7:
      return clipboardKind == 7;
    default:
      return true;
  }
}

std::optional<std::string> PastedGraphEntryText(const Graph& graph, std::int32_t docType) {
  if (IsTableRecordKind(graph.GraphType())) {
    return TableEntryText(graph);
  }
  switch (docType) {
    case 1:
      return PlaneDocumentEntry(graph);
    case 2:
      return RibbonDocumentEntry(graph);
    case 3:
      return SpaceDocumentEntry(graph);
    case 7:
      return FieldDocumentEntry(graph);
    default:
      return std::nullopt;
  }
}

std::optional<std::string> GraphClipboard::Copy(std::optional<std::size_t> selected) {
  Document& document = *document_;
  const GraphCollection& graphs = document.ListScene().Graphs();
  if (document.ShowScene().Graphs().Empty() || !selected ||
      *selected >= static_cast<std::size_t>(graphs.Count())) {
    return std::nullopt;
  }
  Graph& graph = *graphs.Item(static_cast<std::int32_t>(*selected) + 1);
  std::string text = IntegerText(document.Values().DocType) + " ";
  try {
    text += SaveRecord(graph).value_or("");
  } catch (const IoError& error) {
    document.Dialogs().Report("Error", std::string("The graph cannot be copied. ") + error.what(),
                              MessageIcon::Critical);
    return std::nullopt;
  }
  clipGraphCount_ = 1;
  return text;
}

std::optional<std::string> GraphClipboard::CopyAll() {
  Document& document = *document_;
  std::string text = IntegerText(document.Values().DocType) + " ";
  try {
    text += Save(document.ListScene());
  } catch (const IoError& error) {
    document.Dialogs().Report("Error", std::string("The graphs cannot be copied. ") + error.what(),
                              MessageIcon::Critical);
    return std::nullopt;
  }
  clipGraphCount_ = document.ListScene().Graphs().Count();
  return text;
}

std::optional<std::string> GraphClipboard::Cut(std::optional<std::size_t> selected) {
  std::optional<std::string> text = Copy(selected);
  if (text) {
    document_->DeleteGraph(static_cast<std::int32_t>(*selected) + 1);
  }
  return text;
}

std::optional<std::string> GraphClipboard::CutAll() {
  std::optional<std::string> text = CopyAll();
  if (text) {
    document_->DeleteAllGraphs();
  }
  return text;
}

PasteResult GraphClipboard::Paste(const std::string& text, std::optional<std::size_t> selected) {
  PasteResult result;
  if (clipGraphCount_ <= 0) {
    return result;
  }
  Document& document = *document_;
  TokenCursor cursor(SplitTokens(LeadingTokens(text, TokensWorthReading(clipGraphCount_))));
  if (!AcceptsClipboardKind(document.Values().DocType, LeadingNumberValue(cursor.Token(1)))) {
    result.refused = true;
    return result;
  }
  const std::vector<GraphListEntry>& entries = document.Entries();
  const bool checked = !selected || *selected >= entries.size() || entries[*selected].checked;

  cursor.Position(1);
  for (std::int32_t record = 0; record < clipGraphCount_; ++record) {
    const std::string& kind = cursor.Peek();
    const bool table = IsTableRecordKind(kind);
    if (!table && !IsGraphRecordKind(kind)) {
      break;  // an unknown kind is not consumed: every later record would stop here too
    }
    const std::size_t start = cursor.Position();
    const std::shared_ptr<Graph> graph = document.MakeGraph();
    try {
      ReadRecord(cursor, *graph, table);
    } catch (const IoError&) {
      ++result.skipped;
      const std::optional<std::size_t> end =
          FailedRecordEnd(cursor, start, table, document.Values());
      if (!end) {
        break;
      }
      cursor.Position(*end);
      continue;
    }
    std::string entryText =
        PastedGraphEntryText(*graph, document.Values().DocType).value_or(FallbackEntryText(*graph));
    document.AppendPastedGraph(graph, std::move(entryText), checked, !table);
    ++result.pasted;
  }
  return result;
}

}  // namespace quillon
