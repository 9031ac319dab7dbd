// The rows of one list view of the program, as a model the window displays
// (the four rule lists, the active browser windows, the history, the blocked
// hosts). Every change gives the list a new revision, unique in the process,
// so readers can cache what they derive from the rows.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace zt {

enum class ListViewId { ListView1, WCS, URL, ADS, WDS, History, Hosts, Other };

struct ListRow {
  std::vector<std::string> cols;  // first column, then the sub-items
  int image = -1;
};

// The rule icon: image 2 of the main window's image list.
constexpr int kRuleImage = 2;

class ListModel {
 public:
  explicit ListModel(ListViewId id = ListViewId::Other) : id_(id) {}

  ListViewId id() const { return id_; }
  size_t size() const { return rows_.size(); }
  bool empty() const { return rows_.empty(); }
  const ListRow& row(size_t i) const { return rows_.at(i); }
  // Text of a column; empty for a column the row does not have.
  const std::string& text(size_t row, size_t col = 0) const;
  const std::vector<ListRow>& rows() const { return rows_; }

  void Add(ListRow row);
  void Add(std::vector<std::string> cols, int image = kRuleImage) { Add(ListRow{std::move(cols), image}); }
  // Puts a row before row i (at the end when i is the size).
  void Insert(size_t i, ListRow row);
  void Erase(size_t i);
  void Clear();
  void SetText(size_t row, size_t col, std::string text);
  void Replace(std::vector<ListRow> rows);

  uint64_t revision() const { return revision_; }

  // Sort-direction state (the list view's Tag): 0 ascending, 1 descending.
  int sortDirection = 0;
  // The column whose header shows the sort image, and that image (0 up, 1 down).
  int sortColumn = -1;
  int sortImage = -1;
  int selected = -1;

 private:
  friend void SortRows(ListModel&, bool descending);
  void Touch();  // a new revision
  ListViewId id_;
  std::vector<ListRow> rows_;
  uint64_t revision_ = 0;
};

}  // namespace zt
