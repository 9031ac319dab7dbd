// Files and system through kernel32, user32 and version.dll.
#pragma once
#include <functional>
#include <optional>

#include "platform/file_replace.h"
#include "platform/system.h"

namespace zt {

// The whole of a path that a system call copies into the caller's buffer
// of the given size, returning its length, and cuts when it does not fit
// (GetModuleFileNameA): asked again with larger buffers. Empty when the
// call fails or the path is longer than any the system knows; never a cut
// path.
std::string WholePathFrom(const std::function<uint32_t(char* buf, uint32_t size)>& query);

class Win32System : public System {
 public:
  // The way files are replaced follows the system's family unless given.
  explicit Win32System(std::optional<ReplaceWay> replaceWay = std::nullopt)
      : replaceWay_(replaceWay) {}
  ~Win32System() override { CloseInstanceSemaphore(); }
  SemaphoreResult CreateInstanceSemaphore(const std::string& name) override;
  void CloseInstanceSemaphore() override;
  std::string ExecutablePath() override;
  std::string SystemDirectory() override;
  std::string WindowsDirectory() override;
  std::string TempDirectory() override;
  OsVersion Version() override;
  SystemComponents Components() override;
  uint16_t SystemDefaultLangID() override;
  std::string LanguageName(uint16_t langId) override;
  std::optional<uint32_t> FileAttributes(const std::string& path) override;
  bool SetFileAttributes(const std::string& path, uint32_t attributes) override;
  bool CopyFile(const std::string& from, const std::string& to, bool failIfExists) override;
  bool DeleteFile(const std::string& path) override;
  bool CreateDirectory(const std::string& path) override;
  bool RemoveDirectory(const std::string& path) override;
  std::vector<DirEntry> ListDirectory(const std::string& path) override;
  bool CanCreateFile(const std::string& path) override;
  std::optional<std::string> ReadFile(const std::string& path) override;
  bool WriteFileAtomic(const std::string& path, const std::string& bytes) override;
  WriteError LastWriteError() override;
  bool FlushDnsCache() override;
  void Sleep(unsigned ms) override;
  uint32_t TickCount() override;
  std::string TimeOfDayText() override;
  int MessageBox(const std::string& text, const std::string& caption, unsigned flags) override;

 private:
  ReplaceWay ReplaceWayInUse();

  void* semaphore_ = nullptr;
  std::optional<ReplaceWay> replaceWay_;
  WriteError lastWriteError_ = WriteError::None;
};

}  // namespace zt
