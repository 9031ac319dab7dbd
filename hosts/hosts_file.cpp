// The system hosts file writer. The hosts file is always replaced as a
// whole (temporary file, then replace), so a failed write leaves the old
// file; the backup is made before the first rewrite and deleted only after
// it has been copied back.
#include "hosts/hosts_file.h"

#include "hosts/hosts_io.h"
#include "hosts/hosts_list.h"

namespace zt {
namespace {

constexpr char kLocalhostLine[] = "127.0.0.1  localhost";
constexpr char kLoopbackPrefix[] = "127.0.0.1  ";
constexpr char kNullPrefix[] = "0.0.0.0  ";

void ErrorBox(const HostsEnv& env, const std::string& text) {
  env.system.MessageBox(text, kAppCaption, kMbOk | kMbIconError);
}

// The "#" lines of a hosts file (a "#" after blanks does not count),
// followed by the two empty lines and the localhost line.
void AppendKeptHead(std::string& out, const std::string& oldHosts) {
  for (const std::string& line : SplitLines(oldHosts)) {
    if (!line.empty() && line[0] == '#') {
      out += line;
      out += "\r\n";
    }
  }
  out += "\r\n\r\n";
  out += kLocalhostLine;
  out += "\r\n";
}

void FlushDns(const HostsEnv& env) {
  // The resolver would otherwise answer from its cache until it expires.
  env.system.FlushDnsCache();
}

// True when the file holds exactly the bytes.
bool HoldsExactly(System& sys, const std::string& path, const std::string& bytes) {
  std::optional<std::string> stored = sys.ReadFile(path);
  return stored && *stored == bytes;
}

// The hosts file's bytes. Windows 95/98/Me have no HOSTS until someone
// makes one: a missing one reads as empty, which resolves the same.
std::string ReadHosts(const HostsEnv& env) {
  if (!env.ntFamily && !FileExists(env.system, env.hostsFile)) return {};
  return ReadTextFile(env.system, env.hostsFile, env.texts);
}

// Outside the NT family, a backup without the mark beside it was taken of
// hosts.sam by an earlier version.
bool IsLegacyBackup(const HostsEnv& env) {
  return !env.ntFamily && FileExists(env.system, env.backupFile) &&
         !FileExists(env.system, HostsBackupMarkPath(env.backupFile));
}

// Copies the backup over the file it was taken of, through a temporary
// file, so the file is never half written; true once the copy stands,
// checked.
bool PutBackupBack(const HostsEnv& env, const std::string& target) {
  System& sys = env.system;
  try {
    std::optional<std::string> original = sys.ReadFile(env.backupFile);
    return original && sys.WriteFileAtomic(target, *original) && HoldsExactly(sys, target, *original);
  } catch (const std::exception&) {
    return false;
  }
}

// The backup goes, then its mark: a mark without a backup means nothing,
// a backup without its mark would be taken for one of hosts.sam.
void DeleteBackup(const HostsEnv& env) {
  System& sys = env.system;
  sys.DeleteFile(env.backupFile);
  std::string mark = HostsBackupMarkPath(env.backupFile);
  if (!env.ntFamily && FileExists(sys, mark)) sys.DeleteFile(mark);
}

// Makes sure a complete backup of the hosts file exists before it is
// rewritten. A backup that cannot be read counts as none. A new backup is
// written whole and read back: only a copy that matches the hosts file
// byte for byte is trusted, otherwise it goes and the rewrite does not start.
// Outside the NT family the mark that names the file comes first.
void EnsureBackup(const HostsEnv& env) {
  System& sys = env.system;
  if (FileExists(sys, env.backupFile) && sys.ReadFile(env.backupFile)) return;
  std::string original = ReadHosts(env);
  if (!env.ntFamily && !sys.WriteFileAtomic(HostsBackupMarkPath(env.backupFile), env.hostsFile + "\r\n"))
    throw HostsFileError(env.texts.msg.backupReadOnly);
  if (sys.WriteFileAtomic(env.backupFile, original) && HoldsExactly(sys, env.backupFile, original)) return;
  if (FileExists(sys, env.backupFile) && !HoldsExactly(sys, env.backupFile, original)) sys.DeleteFile(env.backupFile);
  throw HostsFileError(env.texts.msg.backupReadOnly);
}

}  // namespace

std::string HostsFilePath(const std::string& hostsDirectory, bool ntFamily) {
  return hostsDirectory + (ntFamily ? "hosts" : "HOSTS");
}

std::string HostsBackupPath(const std::string& programDir) { return programDir + "hosts_org.bak"; }

std::string HostsBackupMarkPath(const std::string& backupFile) {
  return backupFile.substr(0, backupFile.rfind('\\') + 1) + "hosts_org.txt";
}

std::string LegacyHostsFilePath(const std::string& hostsFile) {
  return hostsFile.substr(0, hostsFile.rfind('\\') + 1) + "hosts.sam";
}

bool ReturnLegacyBackup(const HostsEnv& env) {
  if (!env.isAdmin || !IsLegacyBackup(env)) return false;
  if (!PutBackupBack(env, LegacyHostsFilePath(env.hostsFile))) throw HostsFileError(env.texts.msg.hostsAccess);
  DeleteBackup(env);
  return true;
}

std::string BuildHostsFile(const std::string& oldHosts, const std::string& listFile,
                           const std::string& hostIp) {
  std::vector<std::string> entries = HostListEntries(listFile);
  const char* prefix = hostIp == "127.0.0.1" ? kLoopbackPrefix : kNullPrefix;
  std::string out;
  out.reserve(oldHosts.size() + listFile.size() + entries.size() * (sizeof(kLoopbackPrefix) + 1) + 64);
  AppendKeptHead(out, oldHosts);
  for (const std::string& entry : entries) {
    if (entry.find("localhost") != std::string::npos || !IsValidHostName(entry)) continue;
    out += prefix;
    out += entry;
    out += "\r\n";
  }
  return out;
}

std::string BuildDefaultHostsFile(const std::string& oldHosts) {
  std::string out;
  AppendKeptHead(out, oldHosts);
  return out;
}

bool check_host_access(const HostsEnv& env) {
  if (!env.isAdmin) return false;
  System& sys = env.system;
  // A failed query (a missing file among others) counts as read-only; only
  // Windows 95/98/Me lack a HOSTS file until someone makes one.
  std::optional<uint32_t> attrs = sys.FileAttributes(env.hostsFile);
  if (!attrs && !env.ntFamily) attrs = 0;
  if (!attrs || (*attrs & kAttrReadOnly)) {
    ErrorBox(env, env.texts.msg.hostsReadOnly);
    return false;
  }
  std::optional<uint32_t> backup = sys.FileAttributes(env.backupFile);
  if (!backup) return true;
  if (*backup & kAttrReadOnly) {
    ErrorBox(env, env.texts.msg.backupReadOnly);
    return false;
  }
  return true;
}

void hosts_dat_to_winhost(const HostsEnv& env, const std::string& hostIp) {
  System& sys = env.system;
  ReturnLegacyBackup(env);
  // Without a backup of the file as it was, the user could never get it
  // back: then the hosts file stays as it is.
  EnsureBackup(env);
  std::string list;
  if (FileExists(sys, env.listFile)) list = ReadTextFile(sys, env.listFile, env.texts);
  std::string old = ReadHosts(env);
  WriteTextFile(sys, env.hostsFile, BuildHostsFile(old, list, hostIp), env.texts);
  FlushDns(env);
}

void hosts_def(const HostsEnv& env) {
  std::string old = ReadHosts(env);
  WriteTextFile(env.system, env.hostsFile, BuildDefaultHostsFile(old), env.texts);
  FlushDns(env);
}

bool Exchange_host(const HostsEnv& env, const Settings& settings) {
  if (settings.hosts) {
    hosts_dat_to_winhost(env, settings.host_ip);
    return true;
  }
  System& sys = env.system;
  if (!FileExists(sys, env.backupFile)) return true;
  // The backup goes only once its copy stands, checked.
  std::string target = IsLegacyBackup(env) ? LegacyHostsFilePath(env.hostsFile) : env.hostsFile;
  if (!PutBackupBack(env, target)) {
    ErrorBox(env, env.texts.msg.hostsAccess);
    return false;
  }
  DeleteBackup(env);
  FlushDns(env);
  return true;
}

bool Button_hostDefClick(const HostsEnv& env, Settings& settings) {
  System& sys = env.system;
  int answer = sys.MessageBox(env.texts.msg.restoreDefaults, kAppCaption, kMbYesNo | kMbIconQuestion);
  if (answer != kIdYes) return false;
  if (!check_host_access(env)) return false;
  // A backup of hosts.sam is not one of this file: it goes back there.
  ReturnLegacyBackup(env);
  // Reset first: when that fails the backup of the original file is kept.
  hosts_def(env);
  // The next rewrite then backs up the default file.
  if (FileExists(sys, env.backupFile)) DeleteBackup(env);
  settings.hosts = false;
  return true;
}

void HostsDialogOk(const HostsEnv& env, Settings& settings, bool hostsAtOpening) {
  bool applied = false;
  try {
    applied = check_host_access(env) && Exchange_host(env, settings);
  } catch (const HostsFileError& e) {
    // The file was not written: blocking must not read as switched on.
    ErrorBox(env, e.what());
  }
  if (!applied) settings.hosts = hostsAtOpening;
}

bool RadioButton_B127Click(Settings& s, bool b127Checked) {
  s.host_ip = b127Checked ? "127.0.0.1" : "0.0.0.0";
  return !b127Checked;
}

bool RadioButton_B0Click(Settings& s, bool b0Checked) {
  s.host_ip = b0Checked ? "0.0.0.0" : "127.0.0.1";
  return !b0Checked;
}

}  // namespace zt
