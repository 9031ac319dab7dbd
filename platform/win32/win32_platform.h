// The real backend of every area, bundled as the program uses it. The
// system area's type can be replaced (a tool that plays another language).
#pragma once
#include <utility>

#include "platform/platform.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_download.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_services.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/win32_worker.h"

namespace zt {

template <class SystemT = Win32System>
struct Win32Platform {
  template <class... Args>
  explicit Win32Platform(Args&&... systemArgs) : system(std::forward<Args>(systemArgs)...) {}
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  Win32Registry registry;
  SystemT system;
  Win32Desktop desktop;
  Win32Downloader downloader;
  Win32Worker worker;
  Win32ServiceManager services;
  Win32Shell shell;
  Platform os{registry, system, desktop, downloader, worker, services, shell};
};

}  // namespace zt
