// A window's virtual list views: each shows the rows of a model of
// AppState, which the window's logic changes and then announces with
// Show. The views ask the models for their texts and images, pass the
// user's selection back to the model, and find the row the user types.
#pragma once
#include <string>
#include <vector>

#include "platform/win32/win.h"
#include "rules/list_model.h"
#include "ui/subclass.h"
#include <commctrl.h>

namespace zt {

// ImageList1, the images of every list view (the rule icon, the sort
// arrows, the browsers): 16 x 16 on magenta, which is transparent. The
// caller owns it.
HIMAGELIST LoadImageStrip();
// The sort direction's image in the header of the model's sort column.
void ShowSortImage(HWND list, const ListModel& model);

class ModelListViews {
 public:
  struct Binding {
    ListViewId id;
    int control;
    ListModel* model;
    int columns;
    bool sorted;  // kept as ListviewSort leaves it: the typed search bisects
  };

  // Sets up the list views of `window`: full-row selection, the image
  // list (also the headers' sort images) and empty columns of the widths
  // given (100 pixels for columns beyond them).
  void Bind(HWND window, std::vector<Binding> bindings, HIMAGELIST images, const std::vector<int>& widths = {});
  const Binding* Of(ListViewId id) const;
  const Binding* OfControl(int control) const;
  HWND Control(const Binding& b) const { return GetDlgItem(window_, b.control); }
  // What MainView asks of a list: its width, a column's width, whether
  // the user sees it, the input focus.
  int Width(ListViewId id) const;
  void SetColumnWidth(ListViewId id, int column, int width);
  bool Shown(ListViewId id) const;
  void Focus(ListViewId id);
  // The user cannot widen the list's columns (a hidden column stays hidden).
  void KeepColumnWidths(ListViewId id);
  void Unhook() { headerLock_.Restore(); }

  // Shows the model's rows, its selection and its sort column's image.
  void Show(const Binding& b);
  // Answers the list view's notifications of the rows' texts and the typed
  // search. True with *result set when the notification was one of them;
  // *userSelected is true when the user changed the selection (the model
  // holds it then).
  bool OnNotify(const Binding& b, NMHDR& n, LRESULT* result, bool* userSelected);

 private:
  HWND window_ = nullptr;
  std::vector<Binding> bindings_;
  bool showing_ = false;  // the selection changes come from Show, not the user
  Subclass headerLock_;
};

}  // namespace zt
