// HTTP download of one file (urlmon), and where the rule database update is
// published. The update server's base address can be replaced through the
// environment (a mirror, or a local server in tests).
#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace zt {

// The maker's update server and the path of the published rule database.
constexpr const char* kUpdateServer = "http://www.veltrano.de";
constexpr const char* kUpdatePath = "/updates/zapotrix/zapotrix_mainDB.ini";
// Environment variable whose value, when set and not empty, replaces
// kUpdateServer (for example "http://127.0.0.1:8080").
constexpr const char* kUpdateBaseVariable = "ZAPOTRIX_UPDATE_BASE";

// Result codes as the system reports them (HRESULT).
constexpr int32_t kSOk = 0;
constexpr int32_t kEFail = static_cast<int32_t>(0x80004005u);

class Downloader {
 public:
  virtual ~Downloader() = default;
  // Fetches the URL into the file at path (a Windows path), replacing it,
  // never from a cached copy. Returns the system's result code: kSOk when
  // the transfer ended; a transfer that the server cut short of the length
  // it announced is an error. Note that an HTTP error status still gives
  // kSOk with the server's error page as the file, so callers check what
  // they received. Safe to call from a worker thread.
  virtual int32_t DownloadToFile(const std::string& url, const std::string& path) = 0;
  // The value of kUpdateBaseVariable; nothing when it is unset or empty.
  virtual std::optional<std::string> UpdateBaseOverride() = 0;
};

}  // namespace zt
