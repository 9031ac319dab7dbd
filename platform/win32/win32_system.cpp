// kernel32 files and system calls.
#include "platform/win32/win32_system.h"

#include "platform/win32/win.h"

namespace zt {
namespace {

// A file handle closed when it goes out of scope.
class File {
 public:
  explicit File(HANDLE h) : h_(h) {}
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  ~File() {
    if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
  }
  explicit operator bool() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return h_; }
  void Close() {
    if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
    h_ = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE h_;
};

std::string Folder(const std::string& path) {
  size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

}  // namespace

SemaphoreResult Win32System::CreateInstanceSemaphore(const std::string& name) {
  HANDLE h = CreateSemaphoreA(nullptr, 0, 1, name.c_str());
  if (!h) return SemaphoreResult::Failed;
  bool existed = GetLastError() == ERROR_ALREADY_EXISTS;
  CloseInstanceSemaphore();
  semaphore_ = h;
  return existed ? SemaphoreResult::AlreadyExists : SemaphoreResult::Created;
}

void Win32System::CloseInstanceSemaphore() {
  if (semaphore_) CloseHandle(static_cast<HANDLE>(semaphore_));
  semaphore_ = nullptr;
}

std::string Win32System::ExecutablePath() {
  char buf[MAX_PATH + 1] = {};
  DWORD n = GetModuleFileNameA(nullptr, buf, MAX_PATH);
  return std::string(buf, n);
}

std::string Win32System::SystemDirectory() {
  char buf[MAX_PATH + 1] = {};
  UINT n = GetSystemDirectoryA(buf, MAX_PATH);
  return std::string(buf, n <= MAX_PATH ? n : 0);
}

std::string Win32System::WindowsDirectory() {
  char buf[MAX_PATH + 1] = {};
  UINT n = GetWindowsDirectoryA(buf, MAX_PATH);
  return std::string(buf, n <= MAX_PATH ? n : 0);
}

OsVersion Win32System::Version() {
  OSVERSIONINFOA info = {};
  info.dwOSVersionInfoSize = sizeof info;
  OsVersion v;
  v.platformId = kUnknownPlatform;  // a failed query names no system
  if (GetVersionExA(&info)) {
    v.platformId = info.dwPlatformId;
    v.major = info.dwMajorVersion;
    v.minor = info.dwMinorVersion;
    v.build = info.dwBuildNumber;
  }
  return v;
}

uint16_t Win32System::SystemDefaultLangID() { return GetSystemDefaultLangID(); }

std::string Win32System::LanguageName(uint16_t langId) {
  char buf[256] = {};
  DWORD n = VerLanguageNameA(langId, buf, sizeof buf);
  return std::string(buf, n < sizeof buf ? n : 0);
}

std::optional<uint32_t> Win32System::FileAttributes(const std::string& path) {
  DWORD a = GetFileAttributesA(path.c_str());
  if (a == INVALID_FILE_ATTRIBUTES) return std::nullopt;
  return a;
}

bool Win32System::SetFileAttributes(const std::string& path, uint32_t attributes) {
  return SetFileAttributesA(path.c_str(), attributes) != 0;
}

bool Win32System::CopyFile(const std::string& from, const std::string& to, bool failIfExists) {
  return CopyFileA(from.c_str(), to.c_str(), failIfExists) != 0;
}

bool Win32System::DeleteFile(const std::string& path) { return DeleteFileA(path.c_str()) != 0; }

bool Win32System::CreateDirectory(const std::string& path) {
  return CreateDirectoryA(path.c_str(), nullptr) != 0;
}

bool Win32System::RemoveDirectory(const std::string& path) {
  return RemoveDirectoryA(path.c_str()) != 0;
}

std::vector<DirEntry> Win32System::ListDirectory(const std::string& path) {
  std::vector<DirEntry> out;
  WIN32_FIND_DATAA data;
  HANDLE h = FindFirstFileA((path + "\\*").c_str(), &data);
  if (h == INVALID_HANDLE_VALUE) return out;
  do {
    std::string name = data.cFileName;
    if (name != "." && name != "..")
      out.push_back({name, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
  } while (FindNextFileA(h, &data));
  FindClose(h);
  return out;
}

std::optional<std::string> Win32System::ReadFile(const std::string& path) {
  File f(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!f) return std::nullopt;
  std::string out;
  char buf[65536];
  DWORD got = 0;
  for (;;) {
    if (!::ReadFile(f.get(), buf, sizeof buf, &got, nullptr)) return std::nullopt;
    if (got == 0) break;
    out.append(buf, got);
  }
  return out;
}

WriteError Win32System::LastWriteError() { return lastWriteError_; }

bool Win32System::WriteFileAtomic(const std::string& path, const std::string& bytes) {
  lastWriteError_ = WriteError::None;
  if (ReplaceWhole(path, bytes)) return true;
  DWORD error = GetLastError();
  DWORD attrs = GetFileAttributesA(path.c_str());
  if (attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_READONLY))
    lastWriteError_ = WriteError::ReadOnly;
  else if (error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL)
    lastWriteError_ = WriteError::DiskFull;
  else if (error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION)
    lastWriteError_ = WriteError::AccessDenied;
  else
    lastWriteError_ = WriteError::Other;
  return false;
}

bool Win32System::ReplaceWhole(const std::string& path, const std::string& bytes) {
  // A write-protected file stays as it is. Windows refuses to replace it,
  // but Wine's MoveFileEx replaces it all the same: ask first.
  DWORD existing = GetFileAttributesA(path.c_str());
  if (existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_READONLY)) return false;
  char tmp[MAX_PATH + 1] = {};
  if (!GetTempFileNameA(Folder(path).c_str(), "zt", 0, tmp)) return false;
  File f(CreateFileA(tmp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  bool ok = static_cast<bool>(f);
  size_t done = 0;
  while (ok && done < bytes.size()) {
    DWORD wrote = 0;
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 20));
    ok = ::WriteFile(f.get(), bytes.data() + done, chunk, &wrote, nullptr) && wrote == chunk;
    done += wrote;
  }
  ok = ok && FlushFileBuffers(f.get());
  f.Close();
  if (ok) {
    ok = MoveFileExA(tmp, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    // Windows 9x has no MoveFileEx: replace by delete and rename there.
    if (!ok && GetLastError() == ERROR_CALL_NOT_IMPLEMENTED) {
      DWORD attrs = GetFileAttributesA(path.c_str());
      ok = (attrs == INVALID_FILE_ATTRIBUTES || DeleteFileA(path.c_str())) && MoveFileA(tmp, path.c_str());
    }
  }
  if (!ok) {
    // Keep the cause of the failure, not that of the clean-up.
    DWORD error = GetLastError();
    DeleteFileA(tmp);
    SetLastError(error);
  }
  return ok;
}

bool Win32System::FlushDnsCache() {
  // dnsapi.dll exists from Windows 2000 on; older systems have no cache.
  HMODULE dll = LoadLibraryA("dnsapi.dll");
  if (!dll) return false;
  using FlushFn = BOOL(WINAPI*)();
  auto flush = reinterpret_cast<FlushFn>(reinterpret_cast<void (*)()>(GetProcAddress(dll, "DnsFlushResolverCache")));
  bool ok = flush && flush();
  FreeLibrary(dll);
  return ok;
}

void Win32System::Sleep(unsigned ms) { ::Sleep(ms); }

uint32_t Win32System::TickCount() { return GetTickCount(); }

std::string Win32System::TimeOfDayText() {
  // No format given: the user's long time format.
  char buf[80];
  int n = GetTimeFormatA(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, buf, sizeof buf);
  return n > 1 ? std::string(buf, static_cast<size_t>(n - 1)) : std::string();
}

int Win32System::MessageBox(const std::string& text, const std::string& caption, unsigned flags) {
  return MessageBoxA(nullptr, text.c_str(), caption.c_str(), flags);
}

}  // namespace zt
