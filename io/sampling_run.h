// Graphs sampled apart from their document: on another thread, with a copy of
// the document's values whose messages are held until the document tells
// them, so that the work owns everything it touches and a cancelled run may
// go on without harm. The document takes the sampled records back once the
// run is done (Graph's moving constructor).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "expr/reporter.h"
#include "graph/document_values.h"

namespace quillon {

class Graph;

// GetPoints, with any fault it throws told through reporter; false when
// sampling failed.
bool SampleGraph(Graph& graph, Reporter& reporter);

// Every setting of `from` (the fields of its records, and its table cells
// copied) into `to`, whose points stay as they are.
void CopyGraphSettings(const Graph& from, Graph& to);

// Messages held until the document tells them, in order.
class HeldMessages : public Reporter {
 public:
  struct Message {
    std::string title;
    std::string text;
    MessageIcon icon;
  };
  void Report(const std::string& title, const std::string& text, MessageIcon icon) override;

  std::vector<Message> messages;
};

struct SamplingRun {
  // The values are a copy of the document's: the view interval, the frame
  // values, the document kind and the RND sequence.
  explicit SamplingRun(const DocumentValues& document);

  struct Item {
    std::shared_ptr<Graph> graph;  // belongs to `values`
    bool sample = true;
    // The frame values an animated record of a file carries; they take
    // effect before its graph is sampled.
    std::optional<std::int32_t> animFrames;
    std::optional<std::int32_t> animExtra;
    bool sampled = false;  // set by Run: sampled without failure
  };

  // Samples the items in order.
  void Run();

  HeldMessages messages;
  DocumentValues values;
  std::vector<Item> items;
};

}  // namespace quillon
