// Start-up probes and the autostart entry. Every probe answers its negative
// value on failure and reports nothing.
#include "system/probes.h"


namespace zt {

const char* const kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char* const kRunValue = "zapotrix";

namespace {

// The scratch key of the administrator probe and what is written into it.
const char* const kProbeParent = "Software\\veltranoTT";
const char* const kProbeKey = "Software\\veltranoTT\\TT";
const char* const kProbeValue = "zapotrix";
const char* const kProgramVersion = "1.2.0.90";

std::string WithBackslash(std::string dir) {
  if (dir.empty() || dir.back() != '\\') dir += '\\';
  return dir;
}

std::string QuotedExePath(System& sys) { return "\"" + sys.ExecutablePath() + "\""; }

}  // namespace

bool is_german_system(System& sys) {
  try {
    return sys.LanguageName(sys.SystemDefaultLangID()).find("Deutsch") != std::string::npos;
  } catch (const std::exception&) {
    return false;
  }
}

bool check_admin(Registry& reg) {
  bool ok = false;
  try {
    ok = reg.CreateKey(HKey::LocalMachine, kProbeKey) &&
         reg.SetString(HKey::LocalMachine, kProbeKey, kProbeValue, kProgramVersion);
  } catch (const std::exception&) {
    ok = false;
  }
  // Remove the scratch keys whatever happened; on a limited account they
  // were never made and the deletions fail quietly.
  try {
    reg.DeleteKey(HKey::LocalMachine, kProbeKey);
    reg.DeleteKey(HKey::LocalMachine, kProbeParent);
  } catch (const std::exception&) {
  }
  return ok;
}

std::string WinVersionName(const OsVersion& v) {
  switch (v.platformId) {
    case 0:
      return "Win32";
    case 1:
      if (v.major != 4) return "";
      if (v.minor != 0) return "Win98";  // Windows Me as well
      return v.build == 1381 ? "WinNT" : "Win95";
    case 2:
      if (v.major != 5) return "";
      if (v.minor == 0) return "Win2k";
      if (v.minor == 1) return "WinXP";
      return "";
    default:
      return "";  // unknown platform, or the query failed
  }
}

std::string Get_Win_Version(System& sys) {
  try {
    return WinVersionName(sys.Version());
  } catch (const std::exception&) {
    return "";
  }
}

std::string GetSystemDirectoryPath(System& sys) { return WithBackslash(sys.SystemDirectory()); }
std::string GetWindowsDirectoryPath(System& sys) { return WithBackslash(sys.WindowsDirectory()); }

std::string GetHostsDirectory(System& sys, bool ntFamily) {
  return ntFamily ? GetSystemDirectoryPath(sys) + "drivers\\etc\\" : GetWindowsDirectoryPath(sys);
}

std::string MinimumSystemMessage(const SystemComponents& found, const Texts& texts) {
  std::string missing;
  bool controls = found.commonControlsMajor > 4 || (found.commonControlsMajor == 4 && found.commonControlsMinor >= 71);
  if (!controls) missing += "comctl32.dll 4.71\n";
  if (!found.wininet) missing += "wininet.dll\n";
  return missing.empty() ? std::string() : Format(texts.msg.systemTooOld, {missing});
}

bool CheckMinimumSystem(System& sys) {
  std::string message = MinimumSystemMessage(sys.Components(), TextsFor(is_german_system(sys)));
  if (message.empty()) return true;
  sys.MessageBox(message, kAppCaption, kMbOk | kMbIconError);
  return false;
}

AutostartEntry checkRegAutostart(const AutostartEnv& env) {
  AutostartEntry result = kNoAutostart;
  try {
    std::optional<RegValue> v = env.registry.QueryValue(HKey::LocalMachine, kRunKey, kRunValue);
    if (!v) return result;
    result = kForeignAutostart;
    bool text = v->type == RegType::Sz || v->type == RegType::ExpandSz;
    if (text && v->data == QuotedExePath(env.system)) result = kOurAutostart;
  } catch (const std::exception&) {
  }
  return result;
}

void Regautostart(const AutostartEnv& env) {
  if (!env.isAdmin) return;
  try {
    if (env.registry.CreateKey(HKey::LocalMachine, kRunKey))
      env.registry.SetString(HKey::LocalMachine, kRunKey, kRunValue, QuotedExePath(env.system));
  } catch (const std::exception&) {
  }
}

void RegautostartRemove(const AutostartEnv& env) {
  if (!env.isAdmin) return;
  try {
    if (env.registry.OpenKey(HKey::LocalMachine, kRunKey, true))
      env.registry.DeleteValue(HKey::LocalMachine, kRunKey, kRunValue);
  } catch (const std::exception&) {
  }
}

void XCFG_Autostart(const AutostartEnv& env, bool autoStart) {
  if (!autoStart) {
    // Any entry of that name goes, a foreign one as well as our own.
    if (checkRegAutostart(env) == kForeignAutostart) RegautostartRemove(env);
    if (checkRegAutostart(env) == kOurAutostart) RegautostartRemove(env);
  } else {
    if (checkRegAutostart(env) == kNoAutostart) Regautostart(env);
    if (checkRegAutostart(env) == kForeignAutostart) {
      RegautostartRemove(env);
      Regautostart(env);
    }
  }
}

}  // namespace zt
