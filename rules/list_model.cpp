// Row storage of the list models.
#include "rules/list_model.h"

namespace zt {

void ListModel::Touch() {
  // Stamps are unique in the process, so a list assigned from another one
  // never shows a revision that a reader saw on it before with other rows.
  static uint64_t stamps = 0;
  revision_ = ++stamps;
}

const std::string& ListModel::text(size_t row, size_t col) const {
  static const std::string empty;
  const ListRow& r = rows_.at(row);
  return col < r.cols.size() ? r.cols[col] : empty;
}

void ListModel::Add(ListRow row) {
  rows_.push_back(std::move(row));
  Touch();
}

void ListModel::Insert(size_t i, ListRow row) {
  rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(i), std::move(row));
  Touch();
}

void ListModel::Erase(size_t i) {
  rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(i));
  Touch();
}

void ListModel::Clear() {
  rows_.clear();
  Touch();
}

void ListModel::SetText(size_t row, size_t col, std::string text) {
  ListRow& r = rows_.at(row);
  if (r.cols.size() <= col) r.cols.resize(col + 1);
  r.cols[col] = std::move(text);
  Touch();
}

void ListModel::Replace(std::vector<ListRow> rows) {
  rows_ = std::move(rows);
  Touch();
}

}  // namespace zt
