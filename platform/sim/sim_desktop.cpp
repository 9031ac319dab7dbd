// Stand-in desktop.
#include "platform/sim/sim_desktop.h"

#include <algorithm>
#include <stdexcept>

#include "platform/ansi_case.h"

namespace zt {
namespace {

std::string Truncated(const std::string& s, int bufferSize) {
  if (bufferSize <= 0) return {};
  if (s.size() < static_cast<size_t>(bufferSize)) return s;
  return s.substr(0, static_cast<size_t>(bufferSize - 1));
}

}  // namespace

SimWindow* SimDesktop::Find(WindowHandle w) {
  auto it = windows_.find(w);
  return it == windows_.end() ? nullptr : &it->second;
}

SimWindow& SimDesktop::at(WindowHandle w) {
  SimWindow* win = Find(w);
  if (!win) throw std::out_of_range("no such window");
  return *win;
}

WindowHandle SimDesktop::FindTopLevelWindow(const std::string& title) {
  for (WindowHandle h : zorder)
    if (UpperAnsi(windows_[h].caption) == UpperAnsi(title)) return h;
  return 0;
}

void SimDesktop::EnumTopLevel(const WindowVisitor& visit) {
  // Like the system, enumerate the windows that existed when it started;
  // a window destroyed meanwhile is still visited and answers as gone.
  std::vector<WindowHandle> list = zorder;
  Enumerating during(enumerating);
  for (WindowHandle h : list) {
    if (beforeVisit) beforeVisit(h);
    if (!visit(h)) return;
  }
}

void SimDesktop::EnumChildren(WindowHandle parent, const WindowVisitor& visit) {
  // Depth first, each child before its own children, as the system does.
  std::vector<WindowHandle> list, stack;
  if (SimWindow* p = Find(parent)) stack.assign(p->children.rbegin(), p->children.rend());
  while (!stack.empty()) {
    WindowHandle c = stack.back();
    stack.pop_back();
    list.push_back(c);
    if (SimWindow* w = Find(c)) stack.insert(stack.end(), w->children.rbegin(), w->children.rend());
  }
  Enumerating during(enumerating);
  for (WindowHandle h : list)
    if (!visit(h)) return;
}

std::string SimDesktop::ClassName(WindowHandle w, int bufferSize) {
  if (w != 0 && w == failing) throw std::runtime_error("class name cannot be read");
  SimWindow* win = Find(w);
  return win ? Truncated(win->className, bufferSize) : std::string();
}

std::string SimDesktop::Caption(WindowHandle w, int bufferSize) {
  SimWindow* win = Find(w);
  return win ? Truncated(win->caption, bufferSize) : std::string();
}

bool SimDesktop::IsVisible(WindowHandle w) {
  SimWindow* win = Find(w);
  return win && win->visible;
}

bool SimDesktop::IsIconic(WindowHandle w) {
  SimWindow* win = Find(w);
  return win && win->iconic;
}

std::optional<WindowRect> SimDesktop::Rect(WindowHandle w) {
  SimWindow* win = Find(w);
  if (!win) return std::nullopt;
  return win->rect;
}

WindowHandle SimDesktop::FindChild(WindowHandle parent, const std::string& className) {
  SimWindow* p = Find(parent);
  if (!p) return 0;
  std::string wanted = UpperAnsi(className);
  for (WindowHandle c : p->children) {
    const std::string& name = windows_[c].className;
    if (name.size() == wanted.size() && UpperAnsi(name) == wanted) return c;
  }
  return 0;
}

std::optional<std::string> SimDesktop::ReadText(WindowHandle w, unsigned timeoutMs) {
  SimWindow* win = Find(w);
  if (!win) return std::nullopt;
  if (win->hung) {
    waitedMs += timeoutMs;
    if (clock) *clock += timeoutMs;
    return std::nullopt;
  }
  return win->text;
}

bool SimDesktop::Post(WindowHandle w, unsigned msg, uintptr_t wParam, intptr_t lParam) {
  SimWindow* win = Find(w);
  if (!win) return false;
  posted.push_back({w, msg, wParam, lParam});
  if (msg == kWmClose && win->closesOnClose) Destroy(w);
  return true;
}

bool SimDesktop::WatchWindowEvents(WindowEventSink sink) {
  if (!hasWindowEvents) return false;
  eventSink = std::move(sink);
  return true;
}

WindowHandle SimDesktop::Add(const std::string& className, const std::string& caption) {
  SimWindow w;
  w.className = className;
  w.caption = caption;
  return Add(std::move(w));
}

WindowHandle SimDesktop::Add(SimWindow w) {
  next_ += 4;
  w.handle = next_;
  w.parent = 0;
  w.children.clear();
  windows_[next_] = std::move(w);
  zorder.push_back(next_);
  return next_;
}

WindowHandle SimDesktop::AddChild(WindowHandle parent, const std::string& className, const std::string& text) {
  SimWindow& p = at(parent);
  next_ += 4;
  SimWindow c;
  c.handle = next_;
  c.parent = parent;
  c.className = className;
  c.text = text;
  p.children.push_back(next_);
  windows_[next_] = std::move(c);
  return next_;
}

void SimDesktop::Destroy(WindowHandle w) {
  SimWindow* win = Find(w);
  if (!win) return;
  std::vector<WindowHandle> children = win->children;
  WindowHandle parent = win->parent;
  for (WindowHandle c : children) Destroy(c);
  if (parent) {
    if (SimWindow* p = Find(parent)) p->children.erase(std::remove(p->children.begin(), p->children.end(), w), p->children.end());
  } else {
    zorder.erase(std::remove(zorder.begin(), zorder.end(), w), zorder.end());
  }
  windows_.erase(w);
}

std::vector<unsigned> SimDesktop::PostedTo(WindowHandle w) const {
  std::vector<unsigned> out;
  for (const PostedMessage& m : posted)
    if (m.to == w) out.push_back(m.msg);
  return out;
}

}  // namespace zt
