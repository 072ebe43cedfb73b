// Graphs on the clipboard: the texts that Copy, Copy All, Cut and Cut All put
// there, and Paste, which reads such a text back and appends its graphs to the
// document. The texts are the document kind and the graph and table records of
// graph files (record_writer.h); the window moves them to and from the system
// clipboard and redraws.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "graph/graph_kinds.h"

namespace quillon {

class Graph;
class Document;

// Whether a document of this kind takes graphs whose clipboard text starts
// with this kind value: plane, ribbon and space documents take their own kind
// and its variant, field documents their own; any other kind takes everything.
bool AcceptsClipboardKind(DocumentKind documentKind, double clipboardKind);

// The graph-list entry of a pasted graph: the table graph texts whatever the
// document kind, and for graph records the texts chosen by form, coordinates
// and kind for plane, ribbon, space and field documents ("2D Curve  y=x^2",
// "2.5D Ribbon  r=a", "3D Surface  x=u,y=v,z=u*v", "Color Map  x=..."). Nothing
// for the combinations no text is given for.
std::optional<std::string> PastedGraphEntryText(const Graph& graph, DocumentKind documentKind);

struct PasteResult {
  bool refused = false;      // the text's kind does not suit the document
  std::int32_t pasted = 0;   // graphs appended
  std::int32_t skipped = 0;  // records left out because a field held an impossible value
  bool cancelled = false;    // the user cancelled sampling the graphs: none was appended
};

// The clipboard side of one document. ClipGraphCount is the number of graph
// records this program last put on the clipboard; Paste reads that many
// records from whatever text the clipboard holds then.
//
// Each command takes the 0-based index of the selected graph-list entry, or
// nothing when no entry is selected. The texts returned are for the system
// clipboard; nothing returned means the clipboard is to stay as it is.
class GraphClipboard {
 public:
  explicit GraphClipboard(Document& document) : document_(&document) {}

  std::int32_t ClipGraphCount() const { return clipGraphCount_; }
  void ClipGraphCount(std::int32_t value) { clipGraphCount_ = value; }

  // The document kind, a blank and the record of the selected graph; nothing
  // when no graph is shown, no entry is selected, or the record cannot be
  // written (the user is told). Sets ClipGraphCount to 1.
  std::optional<std::string> Copy(std::optional<std::size_t> selected);
  // The document kind, a blank and every graph of ListScene, each record
  // followed by a blank. Sets ClipGraphCount to the number of graphs. Nothing
  // when a record cannot be written (the user is told).
  std::optional<std::string> CopyAll();
  // Copy, then the selected graph is deleted. A graph that was not copied is
  // not deleted.
  std::optional<std::string> Cut(std::optional<std::size_t> selected);
  // Copy All, then every graph is deleted.
  std::optional<std::string> CutAll();

  // Appends the graphs of a clipboard text: with a ClipGraphCount above 0 and
  // a first token whose value suits the document kind, up to ClipGraphCount
  // records are read as graph files are, with the clipboard's own field rules
  // (RecordReading::paste). Each graph takes the next free ID, is sampled
  // (also when unchecked), and gets its entry with the check state of the
  // selected entry (checked when none is selected); the graphs are appended
  // together once all are sampled, or none when the sampling is cancelled. The document kind, the
  // axis and the graphs already there never change, and the frame values
  // that animated records carry are not taken.
  //
  // A text from anywhere is safe to paste. An unknown record kind ends the
  // paste, as in graph files. A record with a value no field can take (a
  // number beyond its range, a table colour that is no number) is left out and
  // the paste goes on after it; a count above 50 or a table size outside
  // 0..200 leaves the records after it without known bounds, so the paste
  // ends there. A record cut short by the end of the text reads its missing
  // fields as empty, as graph files do.
  PasteResult Paste(const std::string& text, std::optional<std::size_t> selected);

 private:
  Document* document_;
  std::int32_t clipGraphCount_ = 0;
};

}  // namespace quillon
