// Files and system (kernel32, user32 message boxes, version): the single-
// instance semaphore, the executable's path, file attributes and contents,
// directories, the Windows version and language, message boxes.
// Paths are Windows paths ("C:\dir\file").
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// <windows.h> maps these names to their A/W forms; the interface uses them
// plainly.
#undef CopyFile
#undef DeleteFile
#undef CreateDirectory
#undef SetFileAttributes
#undef MessageBox

namespace zt {

// File attribute bits as the system reports them.
constexpr uint32_t kAttrReadOnly = 0x01;
constexpr uint32_t kAttrDirectory = 0x10;

// Message box flags and answers as the system defines them.
constexpr unsigned kMbOk = 0x00;
constexpr unsigned kMbYesNo = 0x04;
constexpr unsigned kMbIconError = 0x10;
constexpr unsigned kMbIconQuestion = 0x20;
constexpr unsigned kMbIconWarning = 0x30;
constexpr unsigned kMbIconInformation = 0x40;
constexpr unsigned kMbDefButton2 = 0x100;
constexpr int kIdOk = 1;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;

enum class SemaphoreResult { Created, AlreadyExists, Failed };

// Why the last WriteFileAtomic failed.
enum class WriteError { None, DiskFull, AccessDenied, ReadOnly, Other };

// The platform identifier of a version query that failed.
constexpr uint32_t kUnknownPlatform = 0xFFFFFFFF;

struct OsVersion {
  uint32_t platformId = 2;  // 1 = Windows 9x, 2 = NT family
  uint32_t major = 5;
  uint32_t minor = 1;
  uint32_t build = 2600;
};

// What the program needs beyond Windows 95 itself, as this system has it.
// Internet Explorer 4 and later bring all of it: the common controls 4.71
// (virtual and check-box list views; older ones cannot even say their
// version) and WinINet, through which the updater downloads.
struct SystemComponents {
  uint32_t commonControlsMajor = 0;  // 0.0: older than 4.71
  uint32_t commonControlsMinor = 0;
  bool wininet = false;  // wininet.dll with InternetOpenUrlA
};

struct DirEntry {
  std::string name;
  bool isDirectory = false;
};

class System {
 public:
  virtual ~System() = default;

  // Creates the named semaphore (initial count 0, maximum 1) and keeps it
  // until CloseInstanceSemaphore.
  virtual SemaphoreResult CreateInstanceSemaphore(const std::string& name) = 0;
  virtual void CloseInstanceSemaphore() = 0;

  // The program's full path; empty when the system cannot give it whole.
  virtual std::string ExecutablePath() = 0;
  virtual std::string SystemDirectory() = 0;   // without trailing backslash
  virtual std::string WindowsDirectory() = 0;  // without trailing backslash
  // The folder for temporary files (GetTempPathA), without trailing
  // backslash; empty when the system names none.
  virtual std::string TempDirectory() = 0;
  virtual OsVersion Version() = 0;
  virtual uint16_t SystemDefaultLangID() = 0;
  virtual std::string LanguageName(uint16_t langId) = 0;
  virtual SystemComponents Components() = 0;

  // Attributes of a file or directory; nothing when the query fails.
  virtual std::optional<uint32_t> FileAttributes(const std::string& path) = 0;
  virtual bool SetFileAttributes(const std::string& path, uint32_t attributes) = 0;
  virtual bool CopyFile(const std::string& from, const std::string& to, bool failIfExists) = 0;
  virtual bool DeleteFile(const std::string& path) = 0;
  virtual bool CreateDirectory(const std::string& path) = 0;
  // Removes an empty directory; false when it is not empty or missing.
  virtual bool RemoveDirectory(const std::string& path) = 0;
  virtual std::vector<DirEntry> ListDirectory(const std::string& path) = 0;
  // Creates the file, which must not exist yet, and deletes it again: true
  // when this user may make files there (false, say, in a program folder
  // for a user without administrator rights).
  virtual bool CanCreateFile(const std::string& path) = 0;

  // The whole file as bytes; nothing when it cannot be read.
  virtual std::optional<std::string> ReadFile(const std::string& path) = 0;
  // Writes a temporary file beside the target, then replaces the target
  // with it: afterwards the old or the new file stands, never a part. A
  // write-protected target or a folder is not replaced. The steps and the
  // names of the temporary files: platform/file_replace.h.
  virtual bool WriteFileAtomic(const std::string& path, const std::string& bytes) = 0;
  // The cause of the last failed WriteFileAtomic; None after a success.
  virtual WriteError LastWriteError() = 0;

  // Empties the system's DNS resolver cache where the system has one
  // (DnsFlushResolverCache of dnsapi.dll); false where it has none.
  virtual bool FlushDnsCache() = 0;

  virtual void Sleep(unsigned ms) = 0;
  virtual uint32_t TickCount() = 0;
  // The current time of day in the user's long time format ("14:03:59").
  virtual std::string TimeOfDayText() = 0;

  // A message box without owner window; returns the button pressed.
  virtual int MessageBox(const std::string& text, const std::string& caption,
                         unsigned flags) = 0;
};

// True when the path names an existing file (not a directory).
inline bool FileExists(System& sys, const std::string& path) {
  std::optional<uint32_t> attrs = sys.FileAttributes(path);
  return attrs && !(*attrs & kAttrDirectory);
}

}  // namespace zt
