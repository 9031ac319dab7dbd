// Operations shared by every list view of the program: sorting, the exact
// lookup of the caption and URL scanners, and the column-width fitting.
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "platform/ansi_case.h"
#include "rules/list_model.h"

namespace zt {

// Compares byte by byte after folding only a-z to A-Z; <0, 0 or >0.
int CompareFolded(const std::string& a, const std::string& b);

// Drops leading and trailing characters with codes 32 or below.
std::string TrimControl(const std::string& s);

// One rule row per case-insensitively distinct value (folded as the
// system's sorted sets fold), in ascending order of that folding; of equal
// values the one earlier in the input stays.
std::vector<ListRow> DistinctFoldedRows(std::vector<std::string> values);

// Sorts by the first column. Mode 0 ascending, 1 descending (both set the
// column's header image and the direction state), 2 again in the stored
// direction; any other mode does nothing.
void ListviewSort(ListModel& list, int column, int mode);

// The index of a row that, with the suffix appended, equals the text (both
// trimmed, a-z folded); -1 when none does. Binary search: the rows must be
// sorted ascending.
long FindStrInListview(const std::string& text, const ListModel& list, const std::string& suffix);
// The comparison of that lookup for one row: the row's text with the suffix
// equals the text (both trimmed, a-z folded).
bool RowEquals(const std::string& text, const std::string& row, const std::string& suffix);

// The row that typing in a list view jumps to: the first at or after
// start (from there to the end, then from the top) whose first column
// begins with the typed letters, a-z folded; -1 when none does or nothing
// was typed. A sorted list (as ListviewSort leaves it in its stored
// direction) is bisected, since its matching rows stand together.
int FindTypedRow(const ListModel& list, const std::string& typed, int start, bool sorted);

// The column widths (0-based column index, pixels) that fit a list view of
// width W holding the given number of rows; empty for a list not fitted.
std::vector<std::pair<int, int>> rowwidthLW(ListViewId id, int W, size_t rows);

// What the list operations ask of the window that displays the lists.
class ListDisplay {
 public:
  virtual ~ListDisplay() = default;
  // The rows of a list changed: show them again.
  virtual void ListChanged(ListViewId list) = 0;
  // Width in pixels of a list view (for the column fitting).
  virtual int ListWidth(ListViewId list) = 0;
  // Sets the width of one column of a list view.
  virtual void SetColumnWidth(ListViewId list, int column, int width) = 0;
};

// rowwidthLW applied: fits the column widths of the list view to its rows.
void FitColumns(ListDisplay& display, const ListModel& list);

}  // namespace zt
