// WinINet on whatever thread calls it: the request goes past the cache, the
// status and the announced length are checked before the body is read, and
// the body is read in pieces, so that the size limit and a cancel take
// effect between two reads. Only A functions: this runs on Windows 9x too.
// WinINet comes with Internet Explorer, so its functions are looked up at
// run time: a Windows 95 without it starts the program far enough to say so.
#include "platform/win32/win32_download.h"

#include "platform/win32/system_function.h"
#include "platform/win32/win.h"
#include <wininet.h>

#include <vector>

namespace zt {
namespace {

constexpr char kAgent[] = "Zapotrix";
constexpr DWORD kReadChunk = 16384;

// The WinINet functions the download uses; all null when wininet.dll or
// one of them is missing.
struct WinInet {
  decltype(&InternetOpenA) open = nullptr;
  decltype(&InternetSetOptionA) setOption = nullptr;
  decltype(&InternetOpenUrlA) openUrl = nullptr;
  decltype(&HttpQueryInfoA) queryInfo = nullptr;
  decltype(&InternetQueryDataAvailable) dataAvailable = nullptr;
  decltype(&InternetReadFile) read = nullptr;
  decltype(&InternetCloseHandle) close = nullptr;

  WinInet() {
    const char* dll = "wininet.dll";
    open = SystemFunction<decltype(open)>(dll, "InternetOpenA");
    setOption = SystemFunction<decltype(setOption)>(dll, "InternetSetOptionA");
    openUrl = SystemFunction<decltype(openUrl)>(dll, "InternetOpenUrlA");
    queryInfo = SystemFunction<decltype(queryInfo)>(dll, "HttpQueryInfoA");
    dataAvailable = SystemFunction<decltype(dataAvailable)>(dll, "InternetQueryDataAvailable");
    read = SystemFunction<decltype(read)>(dll, "InternetReadFile");
    close = SystemFunction<decltype(close)>(dll, "InternetCloseHandle");
  }
  bool complete() const { return open && setOption && openUrl && queryInfo && dataAvailable && read && close; }
};

class InetHandle {
 public:
  InetHandle(const WinInet& api, HINTERNET h) : api_(api), h_(h) {}
  ~InetHandle() {
    if (h_) api_.close(h_);
  }
  InetHandle(const InetHandle&) = delete;
  InetHandle& operator=(const InetHandle&) = delete;
  HINTERNET get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }

 private:
  const WinInet& api_;
  HINTERNET h_;
};

int32_t LastError() {
  DWORD e = GetLastError();
  return e == 0 ? kEFail : static_cast<int32_t>(HRESULT_FROM_WIN32(e));
}

bool QueryNumber(const WinInet& api, HINTERNET request, DWORD what, DWORD& value) {
  DWORD size = sizeof value;
  return api.queryInfo(request, what | HTTP_QUERY_FLAG_NUMBER, &value, &size, nullptr) != FALSE;
}

}  // namespace

int32_t Win32Downloader::Fetch(const std::string& url, size_t maxBytes, TransferControl& control,
                               std::string& out) {
  out.clear();
  const WinInet api;
  if (!api.complete()) return static_cast<int32_t>(HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND));
  InetHandle session(api, api.open(kAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  if (!session) return LastError();
  DWORD timeout = kInetTimeoutMs;
  for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT})
    api.setOption(session.get(), option, &timeout, sizeof timeout);
  if (control.cancel) return kEAbort;

  const DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE |
                      INTERNET_FLAG_NO_UI | INTERNET_FLAG_NO_COOKIES;
  InetHandle request(api, api.openUrl(session.get(), url.c_str(), nullptr, 0, flags, 0));
  if (!request) return LastError();
  DWORD status = 0;
  if (!QueryNumber(api, request.get(), HTTP_QUERY_STATUS_CODE, status) || status != 200) return kEHttpStatus;
  DWORD length = 0;
  bool announced = QueryNumber(api, request.get(), HTTP_QUERY_CONTENT_LENGTH, length);
  if (announced && length > maxBytes) return kETooLarge;

  std::vector<char> buffer(kReadChunk);
  for (;;) {
    if (control.cancel) return kEAbort;
    // A synchronous read waits until its whole buffer is filled: asking
    // what has arrived first lets each piece of a slow transfer count (and
    // a cancel be seen) as it comes.
    DWORD available = 0;
    if (!api.dataAvailable(request.get(), &available, 0, 0)) return LastError();
    if (available == 0) break;  // the end of the body
    DWORD got = 0;
    if (!api.read(request.get(), buffer.data(), available < kReadChunk ? available : kReadChunk, &got))
      return LastError();
    if (got == 0) break;
    control.received += static_cast<uint32_t>(got);
    if (got > maxBytes - out.size()) return kETooLarge;
    out.append(buffer.data(), got);
  }
  if (announced && out.size() < length) return kEDataCutShort;
  return kSOk;
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
