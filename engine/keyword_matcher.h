// Finds the first entry of a keyword list that occurs in a text, with both
// folded to lower case for the letters A to Z only. One Aho-Corasick
// automaton over all entries, so a caption is scanned once whatever the
// number of keywords.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "rules/list_model.h"

namespace zt {

class KeywordMatcher {
 public:
  // Builds the automaton from the first column of the list's rows; empty
  // entries never match.
  void Build(const ListModel& list);
  // True when built from this list as it is now.
  bool IsFor(const ListModel& list) const { return source_ == &list && revision_ == list.revision(); }
  // Index of the first row (in list order) whose entry occurs in the text;
  // -1 when none does.
  long FirstMatch(const std::string& text) const;

 private:
  static constexpr int32_t kNone = INT32_MAX;
  int32_t Child(int32_t node, uint8_t c) const;  // -1 when there is no edge

  const ListModel* source_ = nullptr;
  uint64_t revision_ = 0;
  std::array<int32_t, 256> rootNext_{};  // dense first step; 0 stays at the root
  std::vector<uint32_t> edgeStart_;      // node i's edges: [edgeStart_[i], edgeStart_[i + 1])
  std::vector<uint8_t> edgeChar_;        // sorted within a node
  std::vector<int32_t> edgeNode_;
  std::vector<int32_t> fail_;
  std::vector<int32_t> firstIndex_;  // smallest row index ending here or at a suffix of it
};

// Lower-cases the letters A to Z and nothing else.
std::string LowerAZ(const std::string& s);

}  // namespace zt
