// Under Wine: load and save of a rule database through our INI codec
// against the same through the system's profile functions (key list, one
// GetPrivateProfileString per key; erase each section, one
// WritePrivateProfileString per key).
//   ztbench_profile [ENTRIES_PER_TEXT_LIST [SIZES]]   (default 3000 1000)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/win32/win.h"
#include "platform/win32/win32_system.h"
#include "rules/main_db.h"

namespace {

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

void Write(const std::string& path, const std::string& text) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD wrote = 0;
  WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &wrote, nullptr);
  CloseHandle(h);
}

}  // namespace

int main(int argc, char** argv) {
  int entries = argc > 1 ? std::atoi(argv[1]) : 3000;
  int sizes = argc > 2 ? std::atoi(argv[2]) : 1000;
  char tmp[MAX_PATH];
  GetTempPathA(MAX_PATH, tmp);
  std::string ours = std::string(tmp) + "zt_bench_ours.ini";
  std::string theirs = std::string(tmp) + "zt_bench_profile.ini";

  std::string text;
  for (const char* section : {"ADS", "URL", "WCS"}) {
    text += std::string("[") + section + "]\r\n";
    for (int i = 1; i <= entries; ++i) text += std::to_string(i) + "=entry " + std::to_string(100000 + i) + "\r\n";
  }
  text += "[WDS]\r\n";
  for (int i = 1; i <= sizes; ++i)
    text += std::to_string(2 * i - 1) + "=" + std::to_string(100 + i) + "\r\n" + std::to_string(2 * i) + "=250\r\n";
  Write(ours, text);
  Write(theirs, text);

  zt::Win32System sys;
  auto start = std::chrono::steady_clock::now();
  zt::RuleLists lists;
  zt::LoadMainDB(sys, ours, lists);
  zt::SaveMainDB(sys, ours, lists, zt::TextsFor(false));
  double oursSeconds = Seconds(start);

  start = std::chrono::steady_clock::now();
  std::vector<std::vector<std::string>> read(4);
  const char* sections[] = {"ADS", "URL", "WCS", "WDS"};
  std::vector<char> keys(1 << 22);
  for (int s = 0; s < 4; ++s) {
    DWORD n = GetPrivateProfileStringA(sections[s], nullptr, "", keys.data(), static_cast<DWORD>(keys.size()),
                                       theirs.c_str());
    for (DWORD i = 0; i < n && keys[i];) {
      char value[2048];
      GetPrivateProfileStringA(sections[s], &keys[i], "", value, sizeof value, theirs.c_str());
      read[s].push_back(value);
      i += static_cast<DWORD>(strlen(&keys[i])) + 1;
    }
  }
  for (int s = 0; s < 4; ++s) {
    WritePrivateProfileStringA(sections[s], nullptr, nullptr, theirs.c_str());
    for (size_t i = 0; i < read[s].size(); ++i)
      WritePrivateProfileStringA(sections[s], std::to_string(i + 1).c_str(), read[s][i].c_str(), theirs.c_str());
  }
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, theirs.c_str());
  double profileSeconds = Seconds(start);

  std::printf("load + save of %d entries per text list and %d sizes\n", entries, sizes);
  std::printf("  our codec:             %10.4f s\n", oursSeconds);
  std::printf("  profile functions:     %10.4f s\n", profileSeconds);
  std::printf("  ratio:                 %10.0fx\n", profileSeconds / (oursSeconds > 0 ? oursSeconds : 1e-9));
  DeleteFileA(ours.c_str());
  DeleteFileA(theirs.c_str());
  return 0;
}
