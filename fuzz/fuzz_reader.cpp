// Arbitrary bytes as a graph file. Decoding and parsing must never crash,
// hang or leak; a file that parses is written again, and that text must
// parse and write back to the very same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "graph/document_values.h"
#include "graph/graph.h"
#include "io/graph_file.h"
#include "io/io_error.h"
#include "scene/axis.h"
#include "scene/scene.h"

namespace {

using namespace quillon;

// The graph file of a staged document, as the document would write it after
// opening (new IDs from 1, no sampling).
bool Rewrite(const std::string& text, std::string& bytes) {
  DocumentValues values;
  StagedDocument staged;
  try {
    staged = ParseDocumentText(text, values, Axis());
  } catch (const IoError&) {
    return false;
  }
  Scene scene;
  std::int32_t id = 0;
  for (StagedGraph& staging : staged.graphs) {
    staging.graph->id = ++id;
    scene.Graphs().Add(staging.graph, std::to_string(id));
    if (staging.animFrames) {
      values.AnimFrames = *staging.animFrames;
      values.AnimExtra = *staging.animExtra;
    }
  }
  try {
    bytes = EncodeGraphFile(BuildDocumentText(staged.documentKind, scene, staged.axis)).bytes;
  } catch (const IoError&) {
    std::abort();  // whatever was read can be written
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string file(reinterpret_cast<const char*>(data), size);
  std::string text;
  try {
    text = DecodeGraphFile(file).text;
  } catch (const IoError&) {
    return 0;
  }
  std::string first;
  if (text.empty() || !Rewrite(text, first)) {
    return 0;
  }
  std::string second;
  if (!Rewrite(DecodeGraphFile(first).text, second) || second != first) {
    std::abort();
  }
  return 0;
}
