// Stand-in of files and system for the native tests. Windows paths map onto a
// real temporary folder: "C:\a\b" is <root>/c/a/b. Names are compared
// without regard to case, as Windows compares them, and keep the case they
// were created with. Files are replaced by the same steps as on Windows
// (platform/file_replace.h), each of which a test can make fail. Message
// boxes are recorded and answered from a queue.
#pragma once
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/file_replace.h"
#include "platform/system.h"

namespace zt {

struct SimMessageBox {
  std::string text, caption;
  unsigned flags;
};

// The steps of a file replacement that a test can make fail.
enum class SimFileStep {
  Write,            // the new file: half of it is written (a full disk)
  Rename,           // a plain rename (MoveFile)
  RenameReplacing,  // a replacing rename (MoveFileEx)
  Replace,          // ReplaceFile, before it moved anything
  ReplaceAfterAside,  // ReplaceFile, after it moved the target to the backup name
  Delete,
};

class SimSystem : public System {
 public:
  SimSystem();  // makes a fresh temporary root folder
  ~SimSystem() override;
  SimSystem(const SimSystem&) = delete;
  SimSystem& operator=(const SimSystem&) = delete;

  SemaphoreResult CreateInstanceSemaphore(const std::string& name) override;
  void CloseInstanceSemaphore() override;
  std::string ExecutablePath() override { return exePath; }
  std::string SystemDirectory() override { return systemDir; }
  std::string WindowsDirectory() override { return windowsDir; }
  std::string TempDirectory() override { return tempDir; }
  OsVersion Version() override { return version; }
  uint16_t SystemDefaultLangID() override { return langId; }
  std::string LanguageName(uint16_t id) override;
  SystemComponents Components() override { return components; }
  std::optional<uint32_t> FileAttributes(const std::string& path) override;
  bool SetFileAttributes(const std::string& path, uint32_t attributes) override;
  bool CopyFile(const std::string& from, const std::string& to, bool failIfExists) override;
  bool DeleteFile(const std::string& path) override;
  bool CreateDirectory(const std::string& path) override;
  bool RemoveDirectory(const std::string& path) override;
  bool FlushDnsCache() override { ++dnsFlushes; return true; }
  std::vector<DirEntry> ListDirectory(const std::string& path) override;
  bool CanCreateFile(const std::string& path) override;
  std::optional<std::string> ReadFile(const std::string& path) override;
  bool WriteFileAtomic(const std::string& path, const std::string& bytes) override;
  WriteError LastWriteError() override { return lastWriteError; }
  void Sleep(unsigned ms) override { clockMs += ms; sleptMs += ms; }
  uint32_t TickCount() override { return clockMs; }
  std::string TimeOfDayText() override { return timeOfDay; }
  int MessageBox(const std::string& text, const std::string& caption, unsigned flags) override;

  // The real path behind a Windows path.
  std::string HostPath(const std::string& winPath) const;
  // Test helpers: write or read a file directly (creating folders).
  void PutFile(const std::string& winPath, const std::string& bytes);
  // True when the path lies in one of the lockedFolders.
  bool Locked(const std::string& winPath) const;

  // Scripted state.
  std::string exePath = "C:\\Program Files\\Zapotrix\\zapotrix.exe";
  std::string systemDir = "C:\\WINDOWS\\system32";
  std::string windowsDir = "C:\\WINDOWS";
  std::string tempDir = "C:\\WINDOWS\\TEMP";
  // Folders (with their subfolders) that this user may read but not change,
  // as a program folder for a user without administrator rights: nothing
  // is created, written, renamed or deleted in them (access denied).
  std::vector<std::string> lockedFolders;
  OsVersion version;
  SystemComponents components{6, 0, true};
  uint16_t langId = 0x0409;
  std::map<uint16_t, std::string> languageNames;  // overrides the built-in names
  bool semaphoreFails = false;
  bool semaphoreExists = false;  // another instance holds it
  bool failWrites = false;       // every write fails, for the reason below
  WriteError failWritesAs = WriteError::DiskFull;
  WriteError lastWriteError = WriteError::None;
  // A write to this path keeps only its first cutShortAt bytes yet reports
  // success: a disk or a crash that cut a file short.
  std::string cutShortPath;
  size_t cutShortAt = 0;
  // Files are replaced the Windows 9x way when version.platformId is 1.
  bool hasReplaceFile = true;     // false: no ReplaceFile (Windows NT 4)
  bool hasReplacingRename = true; // false: MoveFileEx cannot replace (Windows 9x)
  // A step for which this answers true fails (from, to: the step's paths),
  // as a file in use would make it fail. DeleteFile asks it as a Delete
  // step, the downloader as a Write (the connection breaks halfway).
  std::function<bool(SimFileStep step, const std::string& from, const std::string& to)> failFileStep;
  uint32_t clockMs = 0;
  uint32_t sleptMs = 0;
  int dnsFlushes = 0;
  std::string timeOfDay = "12:34:56";
  std::deque<int> answers;       // message box answers; kIdOk/kIdYes when empty
  std::function<void()> onMessageBox;  // runs while a box is open (before it is answered)
  std::vector<SimMessageBox> boxes;

 private:
  class Steps;
  std::string root_;
  bool holding_ = false;
};

}  // namespace zt
