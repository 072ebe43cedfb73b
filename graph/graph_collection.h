// An ordered list of graph records, each stored under a text key (the
// decimal text of the graph's ID). A record may sit in several collections.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace quillon {

class Graph;

class GraphCollection {
 public:
  using Entry = std::pair<std::string, std::shared_ptr<Graph>>;

  std::int32_t Count() const { return static_cast<std::int32_t>(entries_.size()); }
  bool Empty() const { return entries_.empty(); }

  // Appends the graph under key. Throws GraphError when the key is present.
  void Add(std::shared_ptr<Graph> graph, const std::string& key);
  // The graph at a 1-based position. Throws GraphError outside 1..Count().
  const std::shared_ptr<Graph>& Item(std::int32_t position) const;
  // The graph stored under key, or null.
  std::shared_ptr<Graph> Find(const std::string& key) const;
  bool Contains(const std::string& key) const { return Find(key) != nullptr; }
  // Removes the graph stored under key. Throws GraphError when absent.
  void Remove(const std::string& key);
  // Removes the graph at a 1-based position. Throws GraphError outside 1..Count().
  void RemoveAt(std::int32_t position);
  void Clear() { entries_.clear(); }

  std::vector<Entry>::const_iterator begin() const { return entries_.begin(); }
  std::vector<Entry>::const_iterator end() const { return entries_.end(); }

 private:
  std::vector<Entry> entries_;
};

}  // namespace quillon
