// Aho-Corasick automaton over the keyword list.
#include "engine/keyword_matcher.h"

#include <algorithm>
#include <utility>

namespace zt {
namespace {

inline uint8_t FoldLower(uint8_t c) { return (c >= 'A' && c <= 'Z') ? static_cast<uint8_t>(c + 32) : c; }

}  // namespace

std::string LowerAZ(const std::string& s) {
  std::string out = s;
  for (char& c : out) c = static_cast<char>(FoldLower(static_cast<uint8_t>(c)));
  return out;
}

int32_t KeywordMatcher::Child(int32_t node, uint8_t c) const {
  uint32_t begin = edgeStart_[static_cast<size_t>(node)], end = edgeStart_[static_cast<size_t>(node) + 1];
  // Most nodes below the root have a handful of edges: a plain scan is faster.
  if (end - begin <= 8) {
    for (uint32_t e = begin; e < end; ++e)
      if (edgeChar_[e] == c) return edgeNode_[e];
    return -1;
  }
  auto first = edgeChar_.begin() + begin;
  auto last = edgeChar_.begin() + end;
  auto it = std::lower_bound(first, last, c);
  if (it == last || *it != c) return -1;
  return edgeNode_[static_cast<size_t>(it - edgeChar_.begin())];
}

void KeywordMatcher::Build(const ListModel& list) {
  // Distinct folded entries, each with the smallest row index it has.
  std::vector<std::pair<std::string, int32_t>> patterns;
  patterns.reserve(list.size());
  for (size_t i = 0; i < list.size(); ++i) {
    const std::string& t = list.text(i);
    if (!t.empty()) patterns.emplace_back(LowerAZ(t), static_cast<int32_t>(i));
  }
  std::sort(patterns.begin(), patterns.end());
  patterns.erase(std::unique(patterns.begin(), patterns.end(),
                             [](const auto& a, const auto& b) { return a.first == b.first; }),
                 patterns.end());

  // The trie, built from the sorted entries: each one shares the path of
  // its common prefix with the one before, so the children of a node are
  // created in ascending order of their character.
  std::vector<int32_t> parent{-1}, own{kNone};
  std::vector<uint8_t> label{0};
  std::vector<int32_t> path;  // nodes of the previous entry, depth 1 first
  const std::string* prev = nullptr;
  for (const auto& [text, index] : patterns) {
    size_t common = 0;
    if (prev)
      while (common < prev->size() && common < text.size() && (*prev)[common] == text[common]) ++common;
    path.resize(common);
    for (size_t d = common; d < text.size(); ++d) {
      parent.push_back(d == 0 ? 0 : path[d - 1]);
      label.push_back(static_cast<uint8_t>(text[d]));
      own.push_back(kNone);
      path.push_back(static_cast<int32_t>(parent.size() - 1));
    }
    own[static_cast<size_t>(path.back())] = index;
    prev = &text;
  }

  // Edges in compressed rows; ascending node order keeps each node's edges
  // in ascending order of their character.
  size_t n = parent.size();
  edgeStart_.assign(n + 1, 0);
  for (size_t v = 1; v < n; ++v) ++edgeStart_[static_cast<size_t>(parent[v]) + 1];
  for (size_t v = 0; v < n; ++v) edgeStart_[v + 1] += edgeStart_[v];
  edgeChar_.assign(n > 0 ? n - 1 : 0, 0);
  edgeNode_.assign(edgeChar_.size(), 0);
  std::vector<uint32_t> fill(edgeStart_.begin(), edgeStart_.end() - 1);
  for (size_t v = 1; v < n; ++v) {
    uint32_t at = fill[static_cast<size_t>(parent[v])]++;
    edgeChar_[at] = label[v];
    edgeNode_[at] = static_cast<int32_t>(v);
  }
  rootNext_.fill(0);
  for (uint32_t e = edgeStart_[0]; e < edgeStart_[1]; ++e) rootNext_[edgeChar_[e]] = edgeNode_[e];

  // Failure links and the first index reachable through them, breadth first.
  fail_.assign(n, 0);
  firstIndex_.assign(own.begin(), own.end());
  std::vector<int32_t> queue;
  queue.reserve(n);
  for (uint32_t e = edgeStart_[0]; e < edgeStart_[1]; ++e) queue.push_back(edgeNode_[e]);
  for (size_t q = 0; q < queue.size(); ++q) {
    int32_t u = queue[q];
    for (uint32_t e = edgeStart_[static_cast<size_t>(u)]; e < edgeStart_[static_cast<size_t>(u) + 1]; ++e) {
      int32_t v = edgeNode_[e];
      uint8_t c = edgeChar_[e];
      int32_t f = fail_[static_cast<size_t>(u)];
      int32_t next;
      while ((next = f == 0 ? rootNext_[c] : Child(f, c)) < 0) f = fail_[static_cast<size_t>(f)];
      fail_[static_cast<size_t>(v)] = next;
      firstIndex_[static_cast<size_t>(v)] =
          std::min(firstIndex_[static_cast<size_t>(v)], firstIndex_[static_cast<size_t>(next)]);
      queue.push_back(v);
    }
  }
  source_ = &list;
  revision_ = list.revision();
}

long KeywordMatcher::FirstMatch(const std::string& text) const {
  if (edgeStart_.empty()) return -1;
  int32_t best = kNone;
  int32_t s = 0;
  for (char ch : text) {
    uint8_t c = FoldLower(static_cast<uint8_t>(ch));
    int32_t next;
    while ((next = s == 0 ? rootNext_[c] : Child(s, c)) < 0) s = fail_[static_cast<size_t>(s)];
    s = next;
    best = std::min(best, firstIndex_[static_cast<size_t>(s)]);
  }
  return best == kNone ? -1 : best;
}

}  // namespace zt
