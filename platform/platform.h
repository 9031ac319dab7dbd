// The operating system as the portable logic sees it: one interface per
// area. The program passes the Win32 implementations, tests the stand-ins.
#pragma once
#include "platform/download.h"
#include "platform/registry.h"
#include "platform/system.h"
#include "platform/window.h"
#include "platform/worker.h"

namespace zt {

struct Platform {
  Registry& registry;
  System& system;
  Desktop& desktop;
  Downloader& downloader;
  Worker& worker;
};

}  // namespace zt
