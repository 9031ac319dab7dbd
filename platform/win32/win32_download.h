// The real downloader: urlmon's URLDownloadToFileA, and the update base
// address from the process environment.
#pragma once
#include "platform/download.h"

namespace zt {

class Win32Downloader : public Downloader {
 public:
  int32_t DownloadToFile(const std::string& url, const std::string& path) override;
  std::optional<std::string> UpdateBaseOverride() override;
};

}  // namespace zt
