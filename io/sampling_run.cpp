#include "io/sampling_run.h"

#include <exception>
#include <new>
#include <type_traits>
#include <variant>

#include "graph/graph.h"
#include "graph/graph_fields.h"

namespace quillon {

bool SampleGraph(Graph& graph, Reporter& reporter) {
  try {
    return graph.GetPoints();
  } catch (const std::bad_alloc&) {
    reporter.Report(
        "Error",
        "There is not enough memory to compute the graph \"" + MessageQuote(graph.name) + "\".",
        MessageIcon::Critical);
  } catch (const std::exception& error) {
    reporter.Report(
        "Error",
        "The graph \"" + MessageQuote(graph.name) + "\" cannot be computed: " + error.what(),
        MessageIcon::Critical);
  }
  return false;
}

void CopyGraphSettings(const Graph& from, Graph& to) {
  for (const GraphField& field : GraphRecordFields()) {
    std::visit(
        [&](auto member) {
          if constexpr (!std::is_same_v<decltype(member), std::int32_t DocumentValues::*>) {
            to.*member = from.*member;
          }
        },
        field.member);
  }
  for (const TableField& field : TableRecordFields()) {
    std::visit([&](auto member) { to.*member = from.*member; }, field.member);
  }
  for (std::int32_t u = 0; u <= Graph::kTableUpper; ++u) {
    for (std::int32_t v = 0; v <= Graph::kTableUpper; ++v) {
      if (const PlotPoint* point = from.FindTableCell(u, v)) {
        to.TableCell(u, v, std::make_shared<PlotPoint>(*point));
      }
    }
  }
}

void HeldMessages::Report(const std::string& title, const std::string& text, MessageIcon icon) {
  messages.push_back({title, text, icon});
}

SamplingRun::SamplingRun(const DocumentValues& document) : values(document) {
  values.reporter = &messages;
}

void SamplingRun::Run() {
  for (Item& item : items) {
    if (item.animFrames) {
      values.AnimFrames = *item.animFrames;
      values.AnimExtra = item.animExtra.value_or(values.AnimExtra);
    }
    if (item.sample) {
      item.sampled = SampleGraph(*item.graph, messages);
    }
  }
}

}  // namespace quillon
