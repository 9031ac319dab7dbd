// Sorting, exact lookup and column fitting of the list views.
#include "rules/list_ops.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace zt {
namespace {

unsigned char Fold(unsigned char c) { return (c >= 'a' && c <= 'z') ? c - 32 : c; }

}  // namespace

int CompareFolded(const std::string& a, const std::string& b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    unsigned char x = Fold(static_cast<unsigned char>(a[i]));
    unsigned char y = Fold(static_cast<unsigned char>(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

std::string TrimControl(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= 32) ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= 32) --e;
  return s.substr(b, e - b);
}

std::vector<ListRow> DistinctFoldedRows(std::vector<std::string> values) {
  std::vector<std::string> keys;
  keys.reserve(values.size());
  for (const std::string& v : values) keys.push_back(UpperAnsi(v));
  std::vector<uint32_t> order(values.size());
  for (uint32_t i = 0; i < order.size(); ++i) order[i] = i;
  auto less = [&keys](uint32_t a, uint32_t b) { return keys[a] < keys[b]; };
  // Lists saved by the program are nearly always in order already, and a
  // merge puts a sorted list ahead of new entries: only the part after the
  // sorted beginning is sorted, then merged in (both steps keep the earlier
  // of equal values first).
  auto sorted = std::is_sorted_until(order.begin(), order.end(), less);
  if (sorted != order.end()) {
    std::stable_sort(sorted, order.end(), less);
    std::inplace_merge(order.begin(), sorted, order.end(), less);
  }
  std::vector<ListRow> rows;
  rows.reserve(order.size());
  for (size_t i = 0; i < order.size(); ++i) {
    if (i > 0 && keys[order[i]] == keys[order[i - 1]]) continue;  // the earlier one stays
    rows.push_back(ListRow{{std::move(values[order[i]])}, kRuleImage});
  }
  return rows;
}

void SortRows(ListModel& list, bool descending) {
  static const std::string none;
  auto before = [descending](const ListRow& x, const ListRow& y) {
    int c = CompareFolded(x.cols.empty() ? none : x.cols[0], y.cols.empty() ? none : y.cols[0]);
    return descending ? c > 0 : c < 0;
  };
  // After a merge or an edit the rows are mostly in order already: one pass
  // tells, and the sort is skipped.
  if (!std::is_sorted(list.rows_.begin(), list.rows_.end(), before))
    std::stable_sort(list.rows_.begin(), list.rows_.end(), before);
  list.Touch();
}

int FindTypedRow(const ListModel& list, const std::string& typed, int start, bool sorted) {
  if (typed.empty() || list.empty()) return -1;
  const std::vector<ListRow>& rows = list.rows();
  static const std::string none;
  auto head = [&typed](const ListRow& r) { return (r.cols.empty() ? none : r.cols[0]).substr(0, typed.size()); };
  int count = static_cast<int>(rows.size());
  start = start >= 0 && start < count ? start : 0;
  if (!sorted) {
    for (int i = 0; i < count; ++i) {
      int row = (start + i) % count;
      if (CompareFolded(head(rows[static_cast<size_t>(row)]), typed) == 0) return row;
    }
    return -1;
  }
  // Compared on as many characters as were typed, the rows that begin
  // with them sort equal.
  int sign = list.sortDirection == 1 ? -1 : 1;
  auto lo = std::lower_bound(rows.begin(), rows.end(), typed, [&](const ListRow& r, const std::string& t) {
    return sign * CompareFolded(head(r), t) < 0;
  });
  auto hi = std::upper_bound(lo, rows.end(), typed, [&](const std::string& t, const ListRow& r) {
    return sign * CompareFolded(t, head(r)) < 0;
  });
  if (lo == hi) return -1;
  int first = static_cast<int>(lo - rows.begin()), end = static_cast<int>(hi - rows.begin());
  return start >= first && start < end ? start : first;
}

void ListviewSort(ListModel& list, int column, int mode) {
  switch (mode) {
    case 0:
    case 1:
      SortRows(list, mode == 1);
      list.sortColumn = column;
      list.sortImage = mode;
      list.sortDirection = mode;
      break;
    case 2:
      SortRows(list, list.sortDirection == 1);
      break;
    default:
      break;
  }
}

namespace {

// Compares text with (row + suffix) trimmed of codes <= 32 at both ends, as
// CompareFolded would, without building the joined key.
int CompareWithKey(const std::string& text, const std::string& row, const std::string& suffix) {
  size_t total = row.size() + suffix.size();
  auto at = [&](size_t i) -> unsigned char {
    return static_cast<unsigned char>(i < row.size() ? row[i] : suffix[i - row.size()]);
  };
  size_t b = 0, e = total;
  while (b < e && at(b) <= 32) ++b;
  while (e > b && at(e - 1) <= 32) --e;
  size_t n = std::min(text.size(), e - b);
  for (size_t i = 0; i < n; ++i) {
    unsigned char x = Fold(static_cast<unsigned char>(text[i]));
    unsigned char y = Fold(at(b + i));
    if (x != y) return x < y ? -1 : 1;
  }
  if (text.size() == e - b) return 0;
  return text.size() < e - b ? -1 : 1;
}

}  // namespace

long FindStrInListview(const std::string& text, const ListModel& list, const std::string& suffix) {
  std::string t = TrimControl(text);
  long low = 0, high = static_cast<long>(list.size()) - 1;
  while (low <= high) {
    long middle = (low + high) / 2;
    int c = CompareWithKey(t, list.text(static_cast<size_t>(middle)), suffix);
    if (c == 0) return middle;
    if (c < 0) high = middle - 1; else low = middle + 1;
  }
  return -1;
}

// Written apart from the bisection's comparison, which stays inlined there:
// this one serves a user's click, not the scan cycle.
bool RowEquals(const std::string& text, const std::string& row, const std::string& suffix) {
  return CompareFolded(TrimControl(text), TrimControl(row + suffix)) == 0;
}

std::vector<std::pair<int, int>> rowwidthLW(ListViewId id, int W, size_t rows) {
  auto half = [W](double minus) { return static_cast<int>(std::nearbyint(W / 2.0 - minus)); };
  switch (id) {
    case ListViewId::ListView1:
      return {{0, rows < 8 ? 326 : 301}, {1, 160}};
    case ListViewId::WCS:
    case ListViewId::ADS:
    case ListViewId::URL:
      return {{0, rows < 10 ? W - 4 : W - 21}};
    case ListViewId::WDS:
      if (rows < 10) return {{0, half(3)}, {1, half(2)}};
      return {{0, half(11)}, {1, half(11)}};
    case ListViewId::History:
      return {{1, rows < 12 ? 200 : 183}};
    case ListViewId::Hosts:
      return {{0, rows < 15 ? W - 4 : W - 21}};
    default:
      return {};
  }
}

void FitColumns(ListDisplay& display, const ListModel& list) {
  for (const auto& [column, width] : rowwidthLW(list.id(), display.ListWidth(list.id()), list.size()))
    display.SetColumnWidth(list.id(), column, width);
}

}  // namespace zt
