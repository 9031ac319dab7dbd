// The Flash kill bit and the Mozilla style sheet. Failures are silent
// except a fault while asking for the documents folder.
#include "system/filters.h"


namespace zt {

const char* const kFlashKey =
    "Software\\Microsoft\\Internet Explorer\\ActiveX Compatibility\\{D27CDB6E-AE6D-11cf-96B8-444553540000}";
const char* const kFlashValue = "Compatibility Flags";
const char* const kInstalledKey = "Software\\veltrano\\Zapotrix\\V1\\installed";
const char* const kFallbackProfile = "k8pppp88.slt";

namespace {

constexpr uint32_t kKillBit = 0x400;

// What the installation found, kept in kInstalledKey until the removal.
const char* const kFlashMemory = "FlashKillBit";
const char* const kFlashPrevious = "FlashPrevious";
enum FlashInstall : uint32_t {
  kCreatedKey = 1,        // neither key nor value existed
  kCreatedValue = 2,      // the key existed, the value did not
  kAddedBitToValue = 3,   // a value without the kill bit existed (kept in kFlashPrevious)
};

constexpr char kStyleSheet[] = "userContent.css";

uint32_t FlashValueToWrite(uint32_t state, uint32_t previous) {
  return state == kAddedBitToValue ? (previous | kKillBit) : 1024;
}

void InstallFlash(Registry& reg) {
  auto dword = [&reg](const char* key, const char* name) -> std::optional<uint32_t> {
    std::optional<RegValue> v = reg.QueryValue(HKey::LocalMachine, key, name);
    if (!v || v->type != RegType::Dword) return std::nullopt;
    return v->dword;
  };
  if (std::optional<uint32_t> state = dword(kInstalledKey, kFlashMemory)) {
    // Installed before (this run or one that did not end normally).
    uint32_t previous = dword(kInstalledKey, kFlashPrevious).value_or(0);
    if (reg.CreateKey(HKey::LocalMachine, kFlashKey))
      reg.SetDword(HKey::LocalMachine, kFlashKey, kFlashValue, FlashValueToWrite(*state, previous));
    return;
  }
  bool keyExisted = reg.OpenKey(HKey::LocalMachine, kFlashKey, false);
  std::optional<RegValue> current;
  if (keyExisted) current = reg.QueryValue(HKey::LocalMachine, kFlashKey, kFlashValue);
  // A kill bit someone else set, or a value of a kind we do not know, is
  // not ours to change.
  if (current && (current->type != RegType::Dword || (current->dword & kKillBit))) return;
  uint32_t state = !keyExisted ? kCreatedKey : !current ? kCreatedValue : kAddedBitToValue;
  uint32_t previous = current ? current->dword : 0;
  // What cannot be remembered could not be undone: then install nothing.
  if (!reg.CreateKey(HKey::LocalMachine, kInstalledKey) ||
      !reg.SetDword(HKey::LocalMachine, kInstalledKey, kFlashPrevious, previous) ||
      !reg.SetDword(HKey::LocalMachine, kInstalledKey, kFlashMemory, state))
    return;
  if (reg.CreateKey(HKey::LocalMachine, kFlashKey))
    reg.SetDword(HKey::LocalMachine, kFlashKey, kFlashValue, FlashValueToWrite(state, previous));
}

void RemoveFlash(Registry& reg) {
  std::optional<RegValue> state = reg.QueryValue(HKey::LocalMachine, kInstalledKey, kFlashMemory);
  if (!state || state->type != RegType::Dword) return;  // the kill bit is not ours
  std::optional<RegValue> prev = reg.QueryValue(HKey::LocalMachine, kInstalledKey, kFlashPrevious);
  uint32_t previous = prev && prev->type == RegType::Dword ? prev->dword : 0;
  bool undone;
  if (state->dword == kAddedBitToValue) {
    undone = reg.SetDword(HKey::LocalMachine, kFlashKey, kFlashValue, previous) ||
             !reg.OpenKey(HKey::LocalMachine, kFlashKey, false);
  } else {
    reg.DeleteValue(HKey::LocalMachine, kFlashKey, kFlashValue);
    if (state->dword == kCreatedKey) reg.DeleteKey(HKey::LocalMachine, kFlashKey);
    undone = !reg.QueryValue(HKey::LocalMachine, kFlashKey, kFlashValue);
  }
  // Keep the memory when the undo failed, so a later run can finish it.
  if (undone) {
    reg.DeleteValue(HKey::LocalMachine, kInstalledKey, kFlashMemory);
    reg.DeleteValue(HKey::LocalMachine, kInstalledKey, kFlashPrevious);
  }
}

// "C:\..." or "\\server\...": anything else would be taken relative to the
// current directory.
bool IsAbsolute(const std::string& path) {
  return (path.size() >= 3 && path[1] == ':' && path[2] == '\\') || path.compare(0, 2, "\\\\") == 0;
}

// Creates every missing level of a directory path.
void ForceDirectories(System& sys, const std::string& path) {
  size_t start = path.compare(0, 2, "\\\\") == 0 ? path.find('\\', path.find('\\', 2) + 1) : 2;
  if (start == std::string::npos) return;
  for (size_t pos = path.find('\\', start + 1); pos != std::string::npos; pos = path.find('\\', pos + 1))
    sys.CreateDirectory(path.substr(0, pos));
  if (!path.empty() && path.back() != '\\') sys.CreateDirectory(path);
}

}  // namespace

void Flash7change(Registry& registry, int mode) {
  try {
    if (mode == kFilterInstall) InstallFlash(registry);
    if (mode == kFilterRemove) RemoveFlash(registry);
  } catch (const std::exception&) {
  }
}

bool check_Browser_installed(Registry& reg, const std::string& browser) {
  try {
    for (const std::string& sub : reg.SubKeyNames(HKey::LocalMachine, "Software\\Mozilla")) {
      if (sub.find(browser) == std::string::npos) continue;
      std::optional<RegValue> exe =
          reg.QueryValue(HKey::LocalMachine, "Software\\Mozilla\\" + sub + "\\bin", "PathtoExe");
      if (exe && (exe->type == RegType::Sz || exe->type == RegType::ExpandSz) && !exe->data.empty())
        return true;
    }
  } catch (const std::exception&) {
  }
  return false;
}

std::string GetSubDir(System& sys, const std::string& directory) {
  std::string dir = directory;
  while (dir.size() > 3 && dir.back() == '\\') dir.pop_back();
  std::vector<std::string> names;
  for (const DirEntry& e : sys.ListDirectory(dir))
    if (e.isDirectory && e.name != "." && e.name != "..") names.push_back(e.name);
  if (names.empty()) return "";
  if (names.size() == 1) return directory + names[0];
  // A real profile made beside the fallback one wins; the fallback goes
  // when it is empty.
  for (size_t i = names.size(); i-- > 0;) {
    if (names[i] == kFallbackProfile) {
      sys.RemoveDirectory(directory + names[i]);
      names.erase(names.begin() + static_cast<std::ptrdiff_t>(i));
    }
  }
  return names.empty() ? "" : directory + names[0];
}

std::string GetChromePath(const FilterEnv& env, const std::string& browser) {
  bool german = env.german;
  std::string docs;
  try {
    docs = env.shell.PersonalFolder();
  } catch (const std::exception&) {
    env.system.MessageBox(env.texts.msg.profilePathError, kAppCaption, kMbOk | kMbIconError);
  }
  std::string result;
  try {
    if (!docs.empty() && docs.back() != '\\') docs += '\\';
    const std::string folder = german ? "Eigene Dateien\\" : "My Documents\\";
    size_t at = docs.find(folder);
    if (at == std::string::npos) return "";
    std::string userDir = docs.erase(at, folder.size());
    // Without a user directory the profile root would be relative.
    if (!IsAbsolute(userDir)) return "";
    std::string root = userDir + (german ? "Anwendungsdaten\\" : "Application Data\\") + browser +
                       "\\Profiles\\default\\";
    std::string sub = GetSubDir(env.system, root);
    if (!sub.empty()) return sub + "\\chrome\\";
    result = root + kFallbackProfile + "\\chrome\\";
    ForceDirectories(env.system, result);
  } catch (const std::exception&) {
  }
  return result;
}

void Adfilter(const FilterEnv& env, const std::string& browser, int mode) {
  if (mode != kFilterInstall && mode != kFilterRemove) return;
  try {
    if (!check_Browser_installed(env.registry, browser)) return;
    std::string chrome = GetChromePath(env, browser);
    if (chrome.empty()) return;
    System& sys = env.system;
    std::string target = chrome + kStyleSheet;
    if (mode == kFilterInstall) {
      // A style sheet already there (the user's own, or ours from a run that
      // did not end normally) is never overwritten.
      sys.CopyFile(env.mozillaFilterFile, target, true);
    } else {
      // Only our own copy goes: a style sheet that differs from the
      // program's file is the user's.
      std::optional<std::string> placed = sys.ReadFile(target);
      std::optional<std::string> source = sys.ReadFile(env.mozillaFilterFile);
      if (placed && source && *placed == *source) sys.DeleteFile(target);
    }
  } catch (const std::exception&) {
  }
}

}  // namespace zt
