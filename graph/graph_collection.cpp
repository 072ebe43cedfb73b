#include "graph/graph_collection.h"

#include <algorithm>

#include "graph/graph_error.h"

namespace quillon {

void GraphCollection::Add(std::shared_ptr<Graph> graph, const std::string& key) {
  if (Contains(key)) {
    throw GraphError("Key is already associated with an element of this collection: " + key);
  }
  entries_.emplace_back(key, std::move(graph));
}

const std::shared_ptr<Graph>& GraphCollection::Item(std::int32_t position) const {
  if (position < 1 || position > Count()) {
    throw GraphError("Invalid collection position " + std::to_string(position));
  }
  return entries_[static_cast<std::size_t>(position - 1)].second;
}

std::shared_ptr<Graph> GraphCollection::Find(const std::string& key) const {
  const auto it = std::find_if(entries_.begin(), entries_.end(),
                               [&key](const Entry& entry) { return entry.first == key; });
  return it == entries_.end() ? nullptr : it->second;
}

void GraphCollection::Remove(const std::string& key) {
  const auto it = std::find_if(entries_.begin(), entries_.end(),
                               [&key](const Entry& entry) { return entry.first == key; });
  if (it == entries_.end()) {
    throw GraphError("No graph under the key " + key);
  }
  entries_.erase(it);
}

void GraphCollection::RemoveAt(std::int32_t position) {
  if (position < 1 || position > Count()) {
    throw GraphError("Invalid collection position " + std::to_string(position));
  }
  entries_.erase(entries_.begin() + (position - 1));
}

}  // namespace quillon
