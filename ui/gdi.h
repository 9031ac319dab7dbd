// RAII for the GDI and USER objects the windows make: a program that runs
// for weeks must give every one of them back.
#pragma once
#include "platform/win32/win.h"

#include <commctrl.h>

namespace zt {

// A font, brush, pen or bitmap, deleted with its owner.
template <class Handle>
class GdiObject {
 public:
  explicit GdiObject(Handle h = nullptr) : h_(h) {}
  ~GdiObject() { if (h_) DeleteObject(h_); }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  GdiObject(GdiObject&& o) noexcept : h_(o.h_) { o.h_ = nullptr; }
  GdiObject& operator=(GdiObject&& o) noexcept {
    if (this != &o) {
      if (h_) DeleteObject(h_);
      h_ = o.h_;
      o.h_ = nullptr;
    }
    return *this;
  }
  Handle get() const { return h_; }

 private:
  Handle h_;
};
using Font = GdiObject<HFONT>;
using Brush = GdiObject<HBRUSH>;

// An object selected into a device context while this lives.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  ~Selection() { SelectObject(dc_, old_); }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// The screen's device context, released with its owner.
class ScreenDC {
 public:
  ScreenDC() : dc_(GetDC(nullptr)) {}
  ~ScreenDC() { ReleaseDC(nullptr, dc_); }
  ScreenDC(const ScreenDC&) = delete;
  ScreenDC& operator=(const ScreenDC&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

// A handle given back by its release function when its owner goes or
// takes another.
template <class Handle, class Result, Result(WINAPI* Release)(Handle)>
class Owned {
 public:
  explicit Owned(Handle h = nullptr) : h_(h) {}
  ~Owned() { reset(nullptr); }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  void reset(Handle h) {
    if (h_) Release(h_);
    h_ = h;
  }
  Handle get() const { return h_; }

 private:
  Handle h_;
};
// A menu (a loaded popup menu, the tray menu).
using Menu = Owned<HMENU, BOOL, DestroyMenu>;
// An accelerator table.
using Accelerators = Owned<HACCEL, BOOL, DestroyAcceleratorTable>;
// A window the program made beside its WindowBase windows.
using Window = Owned<HWND, BOOL, DestroyWindow>;
// An image list.
using ImageList = Owned<HIMAGELIST, BOOL, ImageList_Destroy>;

}  // namespace zt
