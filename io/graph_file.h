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
std::string BuildDocumentText(DocumentKind documentKind, const Scene& showScene, const Axis& axis);

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
// The document text of a file's bytes (UTF-8). Bytes after the text are
// ignored; a text cut short by the end of the file is taken as it is. Throws
// IoError when the bytes do not start with a text value.
std::string DecodeGraphFile(const std::string& bytes);

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
StagedDocument ParseDocumentText(const std::string& text, DocumentValues& owner,
                                 const Axis& currentAxis);

}  // namespace quillon
