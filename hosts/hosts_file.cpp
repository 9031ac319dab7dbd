// The system hosts file writer. The hosts file is always replaced as a
// whole (temporary file, then replace), so a failed write leaves the old
// file; the backup is made before the first rewrite and deleted only after
// it has been copied back.
#include "hosts/hosts_file.h"

#include "app/app_state.h"
#include "app/texts.h"
#include "hosts/hosts_io.h"
#include "hosts/hosts_list.h"

namespace zt {
namespace {

constexpr char kLocalhostLine[] = "127.0.0.1  localhost";
constexpr char kLoopbackPrefix[] = "127.0.0.1  ";
constexpr char kNullPrefix[] = "0.0.0.0  ";

const char* HostsReadOnlyText(bool german) {
  return german ? "Fehler beim Zugriff auf die Host-Datei. Datei ist schreibgeschützt!"
                : "Error accessing host-file. File is write protected.";
}
// German in both languages.
constexpr char kBackupReadOnlyText[] =
    "Fehler beim Zugriff auf das Backup der Host-Datei. Datei ist schreibgeschützt!";
const char* HostsAccessText(bool german) {
  return german ? "Fehler beim Zugriff auf die Host-Datei." : "Error accessing host file.";
}
const char* RestoreDefaultQuestion(bool german) {
  return german ? "Wollen Sie wirklich den Windows Standard wiederherstellen?"
                : "Do you really want to restore defaults?";
}

void ErrorBox(AppState& app, const std::string& text) {
  app.os.system.MessageBox(text, kAppCaption, kMbOk | kMbIconError);
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

void FlushDns(AppState& app) {
  // The resolver would otherwise answer from its cache until it expires.
  app.os.system.FlushDnsCache();
}

}  // namespace

std::string HostsFilePath(const AppState& app) {
  return app.flags.HostsDirectory + (app.flags.IsNTFamily ? "hosts" : "hosts.sam");
}

std::string HostsBackupPath(const AppState& app) { return app.paths.ProgramDir + "hosts_org.bak"; }

std::string BuildHostsFile(const std::string& oldHosts, const std::string& listFile,
                           const std::string& hostIp) {
  std::vector<std::string> entries = HostListEntries(listFile);
  const char* prefix = hostIp == "127.0.0.1" ? kLoopbackPrefix : kNullPrefix;
  std::string out;
  out.reserve(oldHosts.size() + listFile.size() + entries.size() * (sizeof(kLoopbackPrefix) + 1) + 64);
  AppendKeptHead(out, oldHosts);
  for (const std::string& entry : entries) {
    if (entry.find("localhost") != std::string::npos) continue;
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

bool check_host_access(AppState& app) {
  if (!app.flags.IsAdmin) return false;
  System& sys = app.os.system;
  // A failed query (a missing file among others) counts as read-only.
  std::optional<uint32_t> attrs = sys.FileAttributes(HostsFilePath(app));
  if (!attrs || (*attrs & kAttrReadOnly)) {
    ErrorBox(app, HostsReadOnlyText(app.flags.IsGerman));
    return false;
  }
  std::optional<uint32_t> backup = sys.FileAttributes(HostsBackupPath(app));
  if (!backup) return true;
  if (*backup & kAttrReadOnly) {
    ErrorBox(app, kBackupReadOnlyText);
    return false;
  }
  return true;
}

void hosts_dat_to_winhost(AppState& app) {
  System& sys = app.os.system;
  bool german = app.flags.IsGerman;
  std::string hosts = HostsFilePath(app);
  std::string backup = HostsBackupPath(app);
  // Without a backup of the file as it was, the user could never get it
  // back: then the hosts file stays as it is.
  if (!FileExists(sys, backup) && !sys.CopyFile(hosts, backup, true))
    throw HostsFileError(kBackupReadOnlyText);
  std::string list;
  if (FileExists(sys, app.paths.HostsListFile)) list = ReadTextFile(sys, app.paths.HostsListFile, german);
  std::string old = ReadTextFile(sys, hosts, german);
  WriteTextFile(sys, hosts, BuildHostsFile(old, list, app.settings.host_ip), german);
  FlushDns(app);
}

void hosts_def(AppState& app) {
  System& sys = app.os.system;
  std::string hosts = HostsFilePath(app);
  std::string old = ReadTextFile(sys, hosts, app.flags.IsGerman);
  WriteTextFile(sys, hosts, BuildDefaultHostsFile(old), app.flags.IsGerman);
  FlushDns(app);
}

bool Exchange_host(AppState& app) {
  if (app.settings.hosts) {
    hosts_dat_to_winhost(app);
    return true;
  }
  System& sys = app.os.system;
  std::string backup = HostsBackupPath(app);
  if (!FileExists(sys, backup)) return true;
  bool restored = false;
  try {
    // Copy back through a temporary file, so the hosts file is never half
    // written; the backup goes only once its copy stands.
    std::optional<std::string> original = sys.ReadFile(backup);
    restored = original && sys.WriteFileAtomic(HostsFilePath(app), *original);
  } catch (const std::exception&) {
    restored = false;
  }
  if (!restored) {
    ErrorBox(app, HostsAccessText(app.flags.IsGerman));
    return false;
  }
  sys.DeleteFile(backup);
  FlushDns(app);
  return true;
}

bool Button_hostDefClick(AppState& app) {
  System& sys = app.os.system;
  int answer = sys.MessageBox(RestoreDefaultQuestion(app.flags.IsGerman), kAppCaption,
                              kMbYesNo | kMbIconQuestion);
  if (answer != kIdYes) return false;
  if (!check_host_access(app)) return false;
  // Reset first: when that fails the backup of the original file is kept.
  hosts_def(app);
  // The next rewrite then backs up the default file.
  std::string backup = HostsBackupPath(app);
  if (FileExists(sys, backup)) sys.DeleteFile(backup);
  app.settings.hosts = false;
  return true;
}

void HostsDialogOk(AppState& app, bool hostsAtOpening) {
  if (!check_host_access(app) || !Exchange_host(app)) app.settings.hosts = hostsAtOpening;
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
