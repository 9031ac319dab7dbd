// URLDownloadToFileA on whatever thread calls it.
#include "platform/win32/win32_download.h"

#include "platform/win32/win.h"
#include <objbase.h>
#include <urlmon.h>
#include <wininet.h>

#include <vector>

namespace zt {
namespace {

// urlmon binds through COM monikers, so the calling thread needs COM; a
// worker thread has not got it yet.
class ComScope {
 public:
  ComScope() : ok_(SUCCEEDED(CoInitialize(nullptr))) {}
  ~ComScope() {
    if (ok_) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  bool ok_;
};

}  // namespace

Downloader& SystemDownloader() {
  static Win32Downloader downloader;
  return downloader;
}

int32_t Win32Downloader::DownloadToFile(const std::string& url, const std::string& path) {
  ComScope com;
  // The transfer goes through the browser cache: drop an earlier copy of the
  // address so that a database published since is fetched, not the old one.
  DeleteUrlCacheEntryA(url.c_str());
  return URLDownloadToFileA(nullptr, url.c_str(), path.c_str(), 0, nullptr);
}

std::optional<std::string> Win32Downloader::UpdateBaseOverride() {
  DWORD n = GetEnvironmentVariableA(kUpdateBaseVariable, nullptr, 0);
  if (n == 0) return std::nullopt;
  std::vector<char> buf(n);
  DWORD got = GetEnvironmentVariableA(kUpdateBaseVariable, buf.data(), n);
  if (got == 0 || got >= n) return std::nullopt;
  return std::string(buf.data(), got);
}

}  // namespace zt
