// The .pgp graph file: the document text (tag, graph count, scene text, axis
// record) and the bytes around it (type code 8, the length, the text in
// Windows-1252). Parsing builds a complete staged document that touches no
// live document, so a refused file leaves the open one as it was.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "graph/graph_kinds.h"

#include "scene/axis.h"

namespace quillon {

class Scene;
class Graph;
struct DocumentValues;

// "S51".."S57" by document kind (2 and 3 crossed over: 2 gives "S53", 3
// gives "S52"); "" for any other kind.
std::string DocumentTag(DocumentKind documentKind);

// The document text: tag and a blank (none without a tag), the number of
// graphs in the scene and a blank, the scene text, the axis record. Throws
// IoError when a record cannot be written (record_writer.h).
std::string BuildDocumentText(DocumentKind documentKind, const Scene& scene, const Axis& axis);

struct GraphFileBytes {
  std::string bytes;
  // Texts that held characters Windows-1252 cannot store; written with "?".
  std::vector<std::string> lossyTexts;
};

// The file bytes: 08 00, the length as 16 bits little-endian, the text. A
// text of 65535 characters or more has the length FF FF followed by its
// length as 32 bits little-endian. (The reader still takes FF FF as the
// plain length of a 65535-character text when the long length does not fit
// the file.)
GraphFileBytes EncodeGraphFile(const std::string& documentText);

// The document text of a graph file and how much of it the file holds: a
// file that ends before the length its header announces is damaged, and
// its text is taken as far as it goes.
struct GraphFileText {
  std::string text;             // UTF-8
  std::uint64_t announced = 0;  // characters (bytes) the header announces
  std::uint64_t held = 0;       // of those, the ones the file holds
};
// The document text of a file's bytes. Bytes after the text are ignored.
// Throws IoError when the bytes do not start with a text value.
GraphFileText DecodeGraphFile(const std::string& bytes);
// The same from a file, which is read no further than its text: the header
// first, then only the characters it announces, so a long tail after the
// text (left by a longer file that was overwritten) costs nothing. Throws
// IoError when the file cannot be read or holds no text value.
GraphFileText ReadGraphFileText(const std::string& path);

// A graph read from a file, not yet in any scene.
struct StagedGraph {
  std::shared_ptr<Graph> graph;
  std::string entryText;
  bool sample = false;  // graph records are sampled, table records are not
  // The document's AnimFrames and AnimExtra as an animated record carries
  // them: they take effect before the graph is sampled.
  std::optional<std::int32_t> animFrames;
  std::optional<std::int32_t> animExtra;
};

struct StagedDocument {
  // What a damaged text lacks, as a clause for the user ("it ends inside
  // graph 4 of 5; ..."); empty for a whole text. A damaged text keeps what
  // was read before the damage.
  std::string damage;
  std::int32_t generation = 5;
  DocumentKind documentKind = DocumentKind::Plane;
  float RotRoll = 0;
  float RotPitch = 0;
  float RotYaw = 0;
  std::vector<StagedGraph> graphs;
  Axis axis;
};

// Parses a non-empty document text. Graphs are made for `owner` (they point
// at it but change nothing in it); the axis starts as `currentAxis`, since a
// hidden axis record changes only Show. Throws IoError for a refused tag or a
// value the document cannot take; the message says which record and field.
//
// A text that ends early is damaged, not refused (older generations have
// fewer fields but always end with a whole axis record): the graphs read
// whole are kept, a graph cut short keeps the fields it has, an axis record
// cut short is not taken, and `damage` says what was missing. A graph
// record that runs out where exactly one axis record ends the text means a
// count larger than the graphs the text holds; the axis is read from there.
// textCut: the file is known to end before its text, so a record that runs
// out was cut short rather than followed by the axis.
StagedDocument ParseDocumentText(const std::string& text, DocumentValues& owner,
                                 const Axis& currentAxis, bool textCut = false);

}  // namespace quillon
