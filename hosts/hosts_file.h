// The system hosts file writer: where the file lives, whether it may be
// written, the one-time backup "hosts_org.bak" beside the program, the
// rewrite from the blocked-host list, the restore, the reset to the
// Windows default, and the logic of the settings dialog's hosts controls.
// Read and write failures of the rewrites throw HostsFileError.
#pragma once
#include <string>

#include "lang/texts.h"
#include "platform/system.h"
#include "system/settings.h"

namespace zt {

// What the hosts routines work on.
struct HostsEnv {
  System& system;
  const Texts& texts;
  bool isAdmin;            // without administrator rights no hosts file is touched
  std::string hostsFile;   // HostsFilePath
  std::string backupFile;  // HostsBackupPath
  std::string listFile;    // the blocked-host list, config\zapotrix_hosts.dat
};

// HostsDirectory + "hosts" (NT family) or "hosts.sam" (otherwise).
std::string HostsFilePath(const std::string& hostsDirectory, bool ntFamily);
// Program directory + "hosts_org.bak".
std::string HostsBackupPath(const std::string& programDir);

// The hosts file as hosts_dat_to_winhost writes it: the "#" lines of the
// old file, two empty lines, the localhost line and one line per entry.
std::string BuildHostsFile(const std::string& oldHosts, const std::string& listFile,
                           const std::string& hostIp);
// The hosts file as hosts_def writes it: the "#" lines, two empty lines and
// the localhost line.
std::string BuildDefaultHostsFile(const std::string& oldHosts);

// True when the hosts file may be written now. Shows its own messages.
bool check_host_access(const HostsEnv& env);
// Makes the backup if there is none (or only one that does not match the
// hosts file it was copied from), then rewrites the hosts file from the
// blocked-host list. Without a verified backup the hosts file is not touched.
void hosts_dat_to_winhost(const HostsEnv& env, const std::string& hostIp);
// Rewrites the hosts file to the Windows default. The backup stays.
void hosts_def(const HostsEnv& env);
// Applies settings.hosts: rewrite when on, restore the backup when off.
// False (after a message) when the restore failed.
bool Exchange_host(const HostsEnv& env, const Settings& settings);

// The settings dialog's "Standard" button: asks, then resets the hosts file
// to the default, deletes the backup and switches blocking off. True when
// that happened: the dialog then unchecks CheckBox_Banner.
bool Button_hostDefClick(const HostsEnv& env, Settings& settings);
// The hosts step of the settings dialog's OK: on failure (a false answer or
// a file error, which is shown) `hosts` falls back to its value when the
// dialog was opened.
void HostsDialogOk(const HostsEnv& env, Settings& settings, bool hostsAtOpening);
// The address radio buttons: set host_ip from the clicked button's state
// and return the state the other button gets.
bool RadioButton_B127Click(Settings& s, bool b127Checked);
bool RadioButton_B0Click(Settings& s, bool b0Checked);

}  // namespace zt
