// Files and system through kernel32, user32 and version.dll.
#pragma once
#include "platform/system.h"

namespace zt {

class Win32System : public System {
 public:
  ~Win32System() override { CloseInstanceSemaphore(); }
  SemaphoreResult CreateInstanceSemaphore(const std::string& name) override;
  void CloseInstanceSemaphore() override;
  std::string ExecutablePath() override;
  std::string SystemDirectory() override;
  std::string WindowsDirectory() override;
  OsVersion Version() override;
  uint16_t SystemDefaultLangID() override;
  std::string LanguageName(uint16_t langId) override;
  std::optional<uint32_t> FileAttributes(const std::string& path) override;
  bool SetFileAttributes(const std::string& path, uint32_t attributes) override;
  bool CopyFile(const std::string& from, const std::string& to, bool failIfExists) override;
  bool DeleteFile(const std::string& path) override;
  bool CreateDirectory(const std::string& path) override;
  bool RemoveDirectory(const std::string& path) override;
  std::vector<DirEntry> ListDirectory(const std::string& path) override;
  std::optional<std::string> ReadFile(const std::string& path) override;
  bool WriteFileAtomic(const std::string& path, const std::string& bytes) override;
  WriteError LastWriteError() override;
  bool FlushDnsCache() override;
  void Sleep(unsigned ms) override;
  uint32_t TickCount() override;
  std::string TimeOfDayText() override;
  int MessageBox(const std::string& text, const std::string& caption, unsigned flags) override;

 private:
  // Writes a temporary file and puts it in place; GetLastError tells why not.
  bool ReplaceWhole(const std::string& path, const std::string& bytes);
  WriteError lastWriteError_ = WriteError::None;
  void* semaphore_ = nullptr;
};

}  // namespace zt
