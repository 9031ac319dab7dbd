// Parsed window size list.
#include "engine/size_table.h"

#include <limits>

namespace zt {

std::optional<int32_t> ParseDecimal(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == text.size()) return std::nullopt;
  int64_t value = 0;
  for (; i < text.size(); ++i) {
    char c = text[i];
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > static_cast<int64_t>(std::numeric_limits<int32_t>::max()) + 1) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<int32_t>::max() || value < std::numeric_limits<int32_t>::min())
    return std::nullopt;
  return static_cast<int32_t>(value);
}

void SizeTable::Build(const ListModel& list) {
  first_.clear();
  rows_ = list.size();
  firstBad_ = rows_;
  first_.reserve(rows_);
  for (size_t i = 0; i < rows_; ++i) {
    std::optional<int32_t> h = ParseDecimal(list.text(i, 1));
    std::optional<int32_t> w = h ? ParseDecimal(list.text(i, 0)) : std::nullopt;
    if (!w) {
      firstBad_ = i;
      break;
    }
    first_.emplace(Key(*w, *h), i);  // keeps the first row of a size
  }
  source_ = &list;
  revision_ = list.revision();
}

long SizeTable::Find(int32_t width, int32_t height) const {
  auto it = first_.find(Key(width, height));
  return it == first_.end() ? -1 : static_cast<long>(it->second);
}

}  // namespace zt
