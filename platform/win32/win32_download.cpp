// URLDownloadToFileA on whatever thread calls it, with the cached copy of
// the address dropped first and the byte counts of the transfer watched.
#include "platform/win32/win32_download.h"

#include "platform/win32/system_function.h"
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

// Watches the transfer for the byte counts: the system reports success for
// a transfer that the server ended before the announced length.
class TransferWatch : public IBindStatusCallback {
 public:
  // Lives on the caller's stack for the one call: no reference counting.
  STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IBindStatusCallback)) {
      *out = static_cast<IBindStatusCallback*>(this);
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }

  STDMETHODIMP OnStartBinding(DWORD, IBinding*) override { return S_OK; }
  STDMETHODIMP GetPriority(LONG*) override { return E_NOTIMPL; }
  STDMETHODIMP OnLowResource(DWORD) override { return S_OK; }
  STDMETHODIMP OnProgress(ULONG progress, ULONG progressMax, ULONG status, LPCWSTR) override {
    if (status == BINDSTATUS_DOWNLOADINGDATA || status == BINDSTATUS_ENDDOWNLOADDATA ||
        status == BINDSTATUS_BEGINDOWNLOADDATA) {
      received = progress;
      announced = progressMax;
    }
    return S_OK;
  }
  STDMETHODIMP OnStopBinding(HRESULT, LPCWSTR) override { return S_OK; }
  STDMETHODIMP GetBindInfo(DWORD* flags, BINDINFO*) override {
    *flags = 0;
    return S_OK;
  }
  STDMETHODIMP OnDataAvailable(DWORD, DWORD, FORMATETC*, STGMEDIUM*) override { return S_OK; }
  STDMETHODIMP OnObjectAvailable(REFIID, IUnknown*) override { return S_OK; }

  // True when the server announced a length and less arrived.
  bool CutShort() const { return announced > 0 && received < announced; }

  ULONG received = 0;
  ULONG announced = 0;
};

using DownloadFn = HRESULT(WINAPI*)(LPUNKNOWN, LPCSTR, LPCSTR, DWORD, LPBINDSTATUSCALLBACK);
using DeleteCacheEntryFn = BOOL(WINAPI*)(LPCSTR);

}  // namespace

int32_t Win32Downloader::DownloadToFile(const std::string& url, const std::string& path) {
  // urlmon and wininet come with Internet Explorer: looked up here, so that
  // a Windows 95 without it starts the program far enough to say so.
  auto download = SystemFunction<DownloadFn>("urlmon.dll", "URLDownloadToFileA");
  auto dropCached = SystemFunction<DeleteCacheEntryFn>("wininet.dll", "DeleteUrlCacheEntryA");
  if (!download) return HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND);
  ComScope com;
  // The transfer goes through the browser cache: drop an earlier copy of the
  // address so that a database published since is fetched, not the old one.
  if (dropCached) dropCached(url.c_str());
  TransferWatch watch;
  HRESULT hr = download(nullptr, url.c_str(), path.c_str(), 0, &watch);
  if (hr == S_OK && watch.CutShort()) return INET_E_DATA_NOT_AVAILABLE;
  return hr;
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
