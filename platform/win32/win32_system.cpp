// kernel32 files and system calls; the replacement of a file by its steps.
#include "platform/win32/win32_system.h"

#include "platform/win32/system_function.h"
#include "platform/win32/win.h"
#include <shlwapi.h>

#include <algorithm>
#include <vector>

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

 private:
  HANDLE h_;
};

// A find handle closed when it goes out of scope.
class FindHandle {
 public:
  explicit FindHandle(HANDLE h) : h_(h) {}
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;
  ~FindHandle() {
    if (h_ != INVALID_HANDLE_VALUE) FindClose(h_);
  }
  explicit operator bool() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return h_; }

 private:
  HANDLE h_;
};

// A library loaded for a while, released when it goes out of scope.
class Library {
 public:
  explicit Library(HMODULE m) : m_(m) {}
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;
  ~Library() {
    if (m_) FreeLibrary(m_);
  }
  explicit operator bool() const { return m_ != nullptr; }
  template <class Fn>
  Fn Function(const char* name) const {
    return Exported<Fn>(m_, name);
  }

 private:
  HMODULE m_;
};

// The longest path the system knows (the limit of its "\\?\" paths).
constexpr DWORD kLongestPath = 32768;

// ReplaceFileA exists from Windows 2000 on; it is looked up at run time so
// that the program still loads on Windows 95 and 98, which lack it.
using ReplaceFileFn = BOOL(WINAPI*)(LPCSTR replaced, LPCSTR replacement, LPCSTR backup,
                                    DWORD flags, LPVOID exclude, LPVOID reserved);

ReplaceFileFn SystemReplaceFile() { return SystemFunction<ReplaceFileFn>("kernel32.dll", "ReplaceFileA"); }

// ReplaceFile failures after which both files still have their names and a
// plain rename may do what ReplaceFile would not: the target went away
// meanwhile, the file system cannot replace, or ReplaceFile wanted more
// rights on the target (to carry its security over) than a rename needs.
bool RenameCures(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_INVALID_FUNCTION:
    case ERROR_NOT_SUPPORTED:
    case ERROR_CALL_NOT_IMPLEMENTED:
    case ERROR_INVALID_PARAMETER:
    case ERROR_ACCESS_DENIED:
    case ERROR_UNABLE_TO_REMOVE_REPLACED:
      return true;
    default:
      return false;
  }
}

// The single file operations of a replacement, by kernel32.
class Win32FileSteps : public FileSteps {
 public:
  std::optional<uint32_t> Attributes(const std::string& path) override {
    DWORD a = GetFileAttributesA(path.c_str());
    if (a == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    return a;
  }

  bool WriteNew(const std::string& path, const std::string& bytes) override {
    File f(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr));
    bool ok = static_cast<bool>(f);
    size_t done = 0;
    while (ok && done < bytes.size()) {
      DWORD wrote = 0;
      DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 20));
      ok = ::WriteFile(f.get(), bytes.data() + done, chunk, &wrote, nullptr) && wrote == chunk;
      done += wrote;
    }
    return ok && FlushFileBuffers(f.get());
  }

  bool Delete(const std::string& path) override {
    DWORD a = GetFileAttributesA(path.c_str());
    if (a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_READONLY))
      SetFileAttributesA(path.c_str(), a & ~FILE_ATTRIBUTE_READONLY);
    return DeleteFileA(path.c_str()) != 0;
  }

  bool Rename(const std::string& from, const std::string& to) override {
    return MoveFileA(from.c_str(), to.c_str()) != 0;
  }

  StepResult RenameReplacing(const std::string& from, const std::string& to) override {
    if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      return StepResult::Done;
    // Windows 9x has the function but not the operation.
    return GetLastError() == ERROR_CALL_NOT_IMPLEMENTED ? StepResult::Unsupported : StepResult::Failed;
  }

  StepResult Replace(const std::string& target, const std::string& replacement,
                     const std::string& backup) override {
    ReplaceFileFn replace = SystemReplaceFile();
    if (!replace) return StepResult::Unsupported;
    // Merge errors (attributes or security that cannot be carried over) do
    // not stop it: a rename would not carry them either. (Wine's ReplaceFile
    // is a move to the backup and a rename, and carries nothing over.)
    if (replace(target.c_str(), replacement.c_str(), backup.c_str(), REPLACEFILE_IGNORE_MERGE_ERRORS,
                nullptr, nullptr))
      return StepResult::Done;
    return RenameCures(GetLastError()) ? StepResult::Unsupported : StepResult::Failed;
  }

  WriteError FailureCause() override {
    switch (GetLastError()) {
      case ERROR_DISK_FULL:
      case ERROR_HANDLE_DISK_FULL:
        return WriteError::DiskFull;
      case ERROR_ACCESS_DENIED:
      case ERROR_SHARING_VIOLATION:
      case ERROR_LOCK_VIOLATION:
        return WriteError::AccessDenied;
      default:
        return WriteError::Other;
    }
  }
};

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

std::string WholePathFrom(const std::function<uint32_t(char*, uint32_t)>& query) {
  for (DWORD size = MAX_PATH;; size *= 2) {
    std::vector<char> buf(size, '\0');
    DWORD n = query(buf.data(), size);
    if (n == 0) return "";
    // A result that fills the buffer was cut (Windows XP then even leaves
    // out the terminating zero): ask again with a larger buffer.
    if (n < size) return std::string(buf.data(), n);
    if (size >= kLongestPath) return "";
  }
}

std::string Win32System::ExecutablePath() {
  return WholePathFrom([](char* buf, uint32_t size) { return GetModuleFileNameA(nullptr, buf, size); });
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

std::string Win32System::TempDirectory() {
  char buf[MAX_PATH + 1] = {};
  DWORD n = GetTempPathA(MAX_PATH, buf);
  std::string dir(buf, n <= MAX_PATH ? n : 0);
  if (!dir.empty() && dir.back() == '\\') dir.pop_back();
  return dir;
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

SystemComponents Win32System::Components() {
  SystemComponents c;
  // DllGetVersion exists from the common controls 4.71 on.
  if (auto version = SystemFunction<DLLGETVERSIONPROC>("comctl32.dll", "DllGetVersion")) {
    DLLVERSIONINFO info = {};
    info.cbSize = sizeof info;
    if (SUCCEEDED(version(&info))) {
      c.commonControlsMajor = info.dwMajorVersion;
      c.commonControlsMinor = info.dwMinorVersion;
    }
  }
  // Loaded now, it stays loaded for the updater.
  c.wininet = SystemFunction<FARPROC>("wininet.dll", "InternetOpenUrlA") != nullptr;
  return c;
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
  FindHandle find(FindFirstFileA((path + "\\*").c_str(), &data));
  if (!find) return out;
  do {
    std::string name = data.cFileName;
    if (name != "." && name != "..")
      out.push_back({name, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
  } while (FindNextFileA(find.get(), &data));
  return out;
}

bool Win32System::CanCreateFile(const std::string& path) {
  {
    File f(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!f) return false;
  }
  DeleteFileA(path.c_str());
  return true;
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

bool Win32System::WriteFileAtomic(const std::string& path, const std::string& bytes) {
  Win32FileSteps steps;
  lastWriteError_ = ReplaceWhole(steps, ReplaceWayInUse(), path, bytes);
  return lastWriteError_ == WriteError::None;
}

WriteError Win32System::LastWriteError() { return lastWriteError_; }

ReplaceWay Win32System::ReplaceWayInUse() {
  if (!replaceWay_) {
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    bool nine = GetVersionExA(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
    replaceWay_ = nine ? ReplaceWay::Aside : ReplaceWay::Nt;
  }
  return *replaceWay_;
}

bool Win32System::FlushDnsCache() {
  // dnsapi.dll exists from Windows 2000 on; older systems have no cache.
  Library dll(LoadLibraryA("dnsapi.dll"));
  if (!dll) return false;
  using FlushFn = BOOL(WINAPI*)();
  auto flush = dll.Function<FlushFn>("DnsFlushResolverCache");
  return flush && flush();
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
