// The window size list parsed once per change of the list: a hash lookup of
// a window's outer size instead of parsing every entry for every window.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>

#include "rules/list_model.h"

namespace zt {

// A decimal integer as the size list holds it: leading blanks, an optional
// sign and digits, within 32 bits; nothing for any other text.
std::optional<int32_t> ParseDecimal(const std::string& text);

class SizeTable {
 public:
  void Build(const ListModel& list);
  bool IsFor(const ListModel& list) const { return source_ == &list && revision_ == list.revision(); }
  // Rows of the list when it was built.
  size_t rows() const { return rows_; }
  // Index of the first row whose width or height is not a number; rows()
  // when every row is a pair of numbers.
  size_t firstBad() const { return firstBad_; }
  // Index of the first row before firstBad() holding the size; -1 if none.
  long Find(int32_t width, int32_t height) const;

 private:
  static uint64_t Key(int32_t w, int32_t h) {
    return (static_cast<uint64_t>(static_cast<uint32_t>(w)) << 32) | static_cast<uint32_t>(h);
  }
  const ListModel* source_ = nullptr;
  uint64_t revision_ = 0;
  size_t rows_ = 0;
  size_t firstBad_ = 0;
  std::unordered_map<uint64_t, size_t> first_;
};

}  // namespace zt
