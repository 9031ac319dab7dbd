// HTTP download of one file into memory, and where the rule database update
// is published. The update server's base address can be replaced through
// the environment (a mirror, or a local server in tests).
#pragma once
#include <atomic>
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
constexpr int32_t kEAbort = static_cast<int32_t>(0x80004004u);
// More bytes arrived or were announced than the caller allows.
constexpr int32_t kETooLarge = static_cast<int32_t>(0x800700DFu);  // ERROR_FILE_TOO_LARGE
// The server answered with an error status (404, 500, ...).
constexpr int32_t kEHttpStatus = static_cast<int32_t>(0x800C0006u);  // INET_E_OBJECT_NOT_FOUND
// The server ended the transfer short of the length it announced.
constexpr int32_t kEDataCutShort = static_cast<int32_t>(0x800C0007u);  // INET_E_DATA_NOT_AVAILABLE

// What the caller of a transfer and the transfer share across threads.
struct TransferControl {
  std::atomic<bool> cancel{false};       // set by the caller: stop at the next chance
  // Bytes arrived so far (all transfers of a job; it may wrap: what counts
  // is whether it changes). 32 bits: lock-free on every processor the
  // program runs on.
  std::atomic<uint32_t> received{0};
};

class Downloader {
 public:
  virtual ~Downloader() = default;
  // Fetches the URL into out, never from a cached copy, following
  // redirects. Returns kSOk when the server answered 200 and sent all it
  // announced; kEHttpStatus for any other status, kEDataCutShort for a
  // transfer ended early, kETooLarge as soon as more than maxBytes are
  // announced or arrive, kEAbort once control.cancel is set (checked
  // between reads), or the system's error code. Every byte that arrives
  // is added to control.received. Safe to call from a worker thread.
  virtual int32_t Fetch(const std::string& url, size_t maxBytes, TransferControl& control,
                        std::string& out) = 0;
  // The value of kUpdateBaseVariable; nothing when it is unset or empty.
  virtual std::optional<std::string> UpdateBaseOverride() = 0;
};

}  // namespace zt
