// The real downloader: WinINet's synchronous calls, and the update base
// address from the process environment.
#pragma once
#include "platform/download.h"

namespace zt {

// How long a connection attempt, or a read that receives nothing, may take
// before the system gives up on its own.
constexpr unsigned long kInetTimeoutMs = 30000;

class Win32Downloader : public Downloader {
 public:
  int32_t Fetch(const std::string& url, size_t maxBytes, TransferControl& control, std::string& out) override;
  std::optional<std::string> UpdateBaseOverride() override;
};

}  // namespace zt
