#include "io/clipboard.h"

#include <limits>
#include <memory>
#include <utility>
#include <vector>

#include "expr/number_text.h"
#include "expr/reporter.h"
#include "graph/graph.h"
#include "graph/graph_fields.h"
#include "io/document.h"
#include "io/field_text.h"
#include "io/graph_list_text.h"
#include "io/io_error.h"
#include "io/record_reader.h"
#include "io/record_writer.h"
#include "io/token_cursor.h"

namespace quillon {
namespace {

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
  return records > (most - 1) / LongestTableRecord() ? most : 1 + records * LongestTableRecord();
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
  const std::size_t longest = table ? LongestTableRecord() : LongestGraphRecord();
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
  const std::string point = g.kind == GraphKind::AnimatedPoint ? "Point Animation  " : "Point  ";
  if (g.coordinates == CoordinateSystem::Cartesian) {
    return point + "x=" + g.expressionY + ", y=" + g.expressionZ;
  }
  return point + "a=" + g.expressionY + ", r=" + g.expressionZ;
}

std::optional<std::string> PlaneDocumentEntry(const Graph& g) {
  // Explicit and parametric curves, intersections, step and stem plots are
  // worded as in opened files.
  if (std::optional<std::string> opened = OpenedGraphEntryText(g, DocumentKind::Plane)) {
    return opened;
  }
  const std::string& z = g.expressionZ;
  const GraphKind kind = g.kind;
  const FunctionForm form = g.form;
  const bool plane = IsPlaneSystem(g.coordinates);
  if ((kind == GraphKind::PlaneCurve || kind == GraphKind::AnimatedCurve) && plane) {
    const bool animated = kind == GraphKind::AnimatedCurve;
    if (form == FunctionForm::Equation) {
      return (animated ? "2D Curve Animation  " : "2D Curve  ") + z + "=0";
    }
    if (form == FunctionForm::Inequation) {
      return (animated ? "Inequation Animation  " : "Inequation  ") + z + "<0";
    }
  }
  if ((kind == GraphKind::SinglePoint || kind == GraphKind::AnimatedPoint) && plane) {
    return PlanePointText(g);
  }
  if (kind == GraphKind::DifferentialEquation) {
    return "ODE dy/dx=" + z;
  }
  return std::nullopt;
}

std::optional<std::string> RibbonDocumentEntry(const Graph& g) {
  const std::string& y = g.expressionY;
  const std::string& z = g.expressionZ;
  const GraphKind kind = g.kind;
  const CoordinateSystem coords = g.coordinates;
  const FunctionForm form = g.form;
  if (kind == GraphKind::Ribbon || kind == GraphKind::AnimatedRibbon) {
    const bool animated = kind == GraphKind::AnimatedRibbon;
    const std::string ribbon = animated ? "2.5D Ribbon Animation  " : "2.5D Ribbon  ";
    if (form == FunctionForm::Explicit && IsPlaneSystem(coords)) {
      return ribbon + (coords == CoordinateSystem::Cartesian ? "y=" : "r=") + z;
    }
    if (form == FunctionForm::Parametric && coords == CoordinateSystem::Cartesian) {
      // The animated form has no blank after the comma.
      return ribbon + "x=" + y + (animated ? ",y=" : ", y=") + z;
    }
    if (form == FunctionForm::Parametric && coords == CoordinateSystem::Polar) {
      return ribbon + "a=" + y + ", r=" + z;
    }
  }
  if ((kind == GraphKind::SinglePoint || kind == GraphKind::AnimatedPoint) &&
      IsPlaneSystem(coords)) {
    return PlanePointText(g);
  }
  return std::nullopt;
}

std::optional<std::string> SpaceDocumentEntry(const Graph& g) {
  const std::string& x = g.expressionX;
  const std::string& y = g.expressionY;
  const std::string& z = g.expressionZ;
  const GraphKind kind = g.kind;
  const CoordinateSystem coords = g.coordinates;
  const FunctionForm form = g.form;
  std::optional<std::string> prefix;
  switch (kind) {
    case GraphKind::SpaceCurve:
      prefix = "3D Curve  ";
      break;
    case GraphKind::Surface:
      prefix = "3D Surface  ";
      break;
    case GraphKind::AnimatedSpaceCurve:
      prefix = "3D Curve Animation  ";
      break;
    case GraphKind::AnimatedSurface:
      prefix = "3D Surface Animation  ";
      break;
    default:
      break;
  }
  if (form == FunctionForm::Parametric && prefix) {
    switch (coords) {
      case CoordinateSystem::CartesianSpace:
        return *prefix + "x=" + x + ",y=" + y + ",z=" + z;
      case CoordinateSystem::Cylindrical:
        return *prefix + "a=" + x + ",r=" + y + ",z=" + z;
      case CoordinateSystem::Spherical:
        return *prefix + "a=" + x + ",b=" + y + ",r=" + z;
      default:
        break;
    }
  }
  if (form == FunctionForm::Explicit && coords == CoordinateSystem::Cartesian) {
    return "Surface by rotation  y=" + z;
  }
  if (form == FunctionForm::Explicit && prefix &&
      (coords == CoordinateSystem::CartesianSpace || coords == CoordinateSystem::Cylindrical)) {
    return *prefix + "z=" + z;
  }
  if (form == FunctionForm::Explicit && prefix && coords == CoordinateSystem::Spherical) {
    return *prefix + "r=" + z;
  }
  if (kind == GraphKind::Vector) {
    return std::string("Vector ");
  }
  if (kind == GraphKind::VectorOperation) {
    return std::string("Vector Operation ");
  }
  if (kind == GraphKind::SinglePoint || kind == GraphKind::AnimatedPoint) {
    const std::string point = kind == GraphKind::AnimatedPoint ? "Point Animation  " : "Point  ";
    switch (coords) {
      case CoordinateSystem::CartesianSpace:
        return point + "x=" + x + ", y=" + y + ", z=" + z;
      case CoordinateSystem::Cylindrical:
        return point + "a=" + x + ", r=" + y + ", z=" + z;
      case CoordinateSystem::Spherical:
        return point + "a=" + x + ", b=" + y + ", r=" + z;
      default:
        break;
    }
  }
  return std::nullopt;
}

std::optional<std::string> FieldDocumentEntry(const Graph& g) {
  const std::string coordinates =
      "x=" + g.expressionX + ", y=" + g.expressionY + ", z=" + g.expressionZ;
  switch (g.kind) {
    case GraphKind::ColorMap:
      return "Color Map  " + coordinates;
    case GraphKind::ContourPlot:
      return "Contour Plot  " + coordinates;
    case GraphKind::VectorPlot:
      return "Vector Plot  " + coordinates;
    default:
      return std::nullopt;
  }
}

}  // namespace

bool AcceptsClipboardKind(DocumentKind documentKind, double clipboardKind) {
  const auto is = [clipboardKind](DocumentKind kind) {
    return clipboardKind == static_cast<double>(kind);
  };
  switch (documentKind) {
    case DocumentKind::Plane:
      return is(DocumentKind::Plane) || is(DocumentKind::PlaneVariant);
    case DocumentKind::Ribbon:
      return is(DocumentKind::Ribbon) || is(DocumentKind::RibbonVariant);
    case DocumentKind::Space:
      return is(DocumentKind::Space) || is(DocumentKind::SpaceVariant);
    case DocumentKind::Field:
      return is(DocumentKind::Field);
    default:
      return true;
  }
}

std::optional<std::string> PastedGraphEntryText(const Graph& graph, DocumentKind documentKind) {
  if (IsTableRecordKind(graph.kind)) {
    return TableEntryText(graph);
  }
  switch (documentKind) {
    case DocumentKind::Plane:
      return PlaneDocumentEntry(graph);
    case DocumentKind::Ribbon:
      return RibbonDocumentEntry(graph);
    case DocumentKind::Space:
      return SpaceDocumentEntry(graph);
    case DocumentKind::Field:
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
  std::string text = IntegerText(static_cast<std::int32_t>(document.Values().documentKind)) + " ";
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
  std::string text = IntegerText(static_cast<std::int32_t>(document.Values().documentKind)) + " ";
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
  if (!AcceptsClipboardKind(document.Values().documentKind, LeadingNumberValue(cursor.Token(1)))) {
    result.refused = true;
    return result;
  }
  const std::vector<GraphListEntry>& entries = document.Entries();
  const bool checked = !selected || *selected >= entries.size() || entries[*selected].checked;

  cursor.Position(1);
  std::vector<PastedGraph> pasted;
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
    std::string entryText = PastedGraphEntryText(*graph, document.Values().documentKind)
                                .value_or(FallbackEntryText(*graph));
    pasted.push_back({graph, std::move(entryText), checked, !table});
  }
  if (!pasted.empty()) {
    const auto count = static_cast<std::int32_t>(pasted.size());
    result.cancelled = !document.AppendPastedGraphs(std::move(pasted));
    result.pasted = result.cancelled ? 0 : count;
  }
  return result;
}

}  // namespace quillon
