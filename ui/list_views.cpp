// The virtual list views bound to their models.
#include "ui/list_views.h"

#include "rules/list_ops.h"
#include "ui/controls.h"
#include "ui/gdi.h"
#include "ui/resource.h"

namespace zt {
namespace {

constexpr int kImageSize = 16;
constexpr int kImageCount = 17;
constexpr COLORREF kImageMask = RGB(255, 0, 255);

}  // namespace

HIMAGELIST LoadImageStrip() {
  HIMAGELIST images = ImageList_Create(kImageSize, kImageSize, ILC_COLOR24 | ILC_MASK, kImageCount, 0);
  GdiObject<HBITMAP> strip(static_cast<HBITMAP>(
      LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_IMAGELIST1), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (images) ImageList_AddMasked(images, strip.get(), kImageMask);
  return images;
}

void ModelListViews::Bind(HWND window, std::vector<Binding> bindings, HIMAGELIST images,
                          const std::vector<int>& widths) {
  window_ = window;
  bindings_ = std::move(bindings);
  for (const Binding& b : bindings_) {
    HWND h = Control(b);
    ListView_SetExtendedListViewStyle(h, LVS_EX_FULLROWSELECT);
    ListView_SetImageList(h, images, LVSIL_SMALL);
    // The header shows the sort direction with images 0 and 1 of the same list.
    Header_SetImageList(ListView_GetHeader(h), images);
    for (int c = 0; c < b.columns; ++c)
      AddListColumn(h, c, b.id == ListViewId::ListView1 && static_cast<size_t>(c) < widths.size() ? widths[c] : 100);
  }
}

const ModelListViews::Binding* ModelListViews::Of(ListViewId id) const {
  for (const Binding& b : bindings_)
    if (b.id == id) return &b;
  return nullptr;
}

const ModelListViews::Binding* ModelListViews::OfControl(int control) const {
  for (const Binding& b : bindings_)
    if (b.control == control) return &b;
  return nullptr;
}

int ModelListViews::Width(ListViewId id) const {
  const Binding* b = Of(id);
  if (!b) return 0;
  RECT r = ScreenRect(Control(*b));
  return r.right - r.left;
}

void ModelListViews::SetColumnWidth(ListViewId id, int column, int width) {
  if (const Binding* b = Of(id)) ListView_SetColumnWidth(Control(*b), column, width);
}

bool ModelListViews::Shown(ListViewId id) const {
  const Binding* b = Of(id);
  return b && IsWindowVisible(window_) && IsWindowVisible(Control(*b));
}

void ModelListViews::Focus(ListViewId id) {
  if (const Binding* b = Of(id)) SendMessageA(window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Control(*b)), TRUE);
}

void ModelListViews::KeepColumnWidths(ListViewId id) {
  const Binding* b = Of(id);
  if (!b) return;
  headerLock_.Attach(Control(*b), [](UINT msg, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
    if (msg != WM_NOTIFY) return std::nullopt;
    UINT code = reinterpret_cast<NMHDR*>(lp)->code;
    if (code == HDN_BEGINTRACKA || code == HDN_BEGINTRACKW) return 1;
    return std::nullopt;
  });
}

void ModelListViews::Show(const Binding& b) {
  HWND list = Control(b);
  const ListModel& model = *b.model;
  int rows = static_cast<int>(model.size());
  showing_ = true;
  ListView_SetItemCountEx(list, rows, LVSICF_NOSCROLL | LVSICF_NOINVALIDATEALL);
  int shown = ListView_GetNextItem(list, -1, LVNI_SELECTED);
  if (shown != model.selected) {
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (model.selected >= 0 && model.selected < rows) {
      ListView_SetItemState(list, model.selected, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
      ListView_EnsureVisible(list, model.selected, FALSE);
    }
  }
  ShowSortImage(list, model);
  InvalidateRect(list, nullptr, FALSE);
  showing_ = false;
}

void ShowSortImage(HWND list, const ListModel& model) {
  if (model.sortColumn < 0) return;
  // The image beside the column's caption, which stays.
  HWND header = ListView_GetHeader(list);
  HDITEMA item = {};
  item.mask = HDI_FORMAT;
  if (!Header_GetItem(header, model.sortColumn, &item)) return;
  item.mask = HDI_FORMAT | HDI_IMAGE;
  item.fmt |= HDF_IMAGE | HDF_BITMAP_ON_RIGHT;
  item.iImage = model.sortImage;
  Header_SetItem(header, model.sortColumn, &item);
}

bool ModelListViews::OnNotify(const Binding& b, NMHDR& n, LRESULT* result, bool* userSelected) {
  *result = 0;
  *userSelected = false;
  const ListModel& model = *b.model;
  switch (n.code) {
    case LVN_GETDISPINFOA: {
      LVITEMA& item = reinterpret_cast<NMLVDISPINFOA&>(n).item;
      if (item.iItem < 0 || static_cast<size_t>(item.iItem) >= model.size()) return true;
      size_t row = static_cast<size_t>(item.iItem);
      if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0)
        lstrcpynA(item.pszText, model.text(row, static_cast<size_t>(item.iSubItem)).c_str(), item.cchTextMax);
      if (item.mask & LVIF_IMAGE) item.iImage = model.row(row).image;
      return true;
    }
    case LVN_ITEMCHANGED: {
      auto& change = reinterpret_cast<NMLISTVIEW&>(n);
      if (showing_ || !(change.uChanged & LVIF_STATE) || !((change.uOldState ^ change.uNewState) & LVIS_SELECTED))
        return true;
      b.model->selected = ListView_GetNextItem(n.hwndFrom, -1, LVNI_SELECTED);
      *userSelected = true;
      return true;
    }
    case LVN_ODFINDITEMA: {
      // Typing in a list jumps to the next row whose text begins with the
      // typed letters.
      const NMLVFINDITEMA& find = reinterpret_cast<NMLVFINDITEMA&>(n);
      *result = (find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) && find.lvfi.psz
                    ? FindTypedRow(model, find.lvfi.psz, find.iStart, b.sorted)
                    : -1;
      return true;
    }
  }
  return false;
}

}  // namespace zt
