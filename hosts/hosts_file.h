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
  // False on Windows 95/98/Me (any system outside the NT family): there the
  // hosts file is HOSTS in the Windows folder, which exists only once
  // someone has made it, and earlier versions wrote hosts.sam beside it
  // (see ReturnLegacyBackup).
  bool ntFamily = true;
};

// HostsDirectory + "hosts" (NT family) or "HOSTS" (Windows 95/98/Me, whose
// resolver reads HOSTS in the Windows folder; HOSTS.SAM is only a sample).
std::string HostsFilePath(const std::string& hostsDirectory, bool ntFamily);
// Program directory + "hosts_org.bak".
std::string HostsBackupPath(const std::string& programDir);
// Outside the NT family, beside the backup: "hosts_org.txt", which names
// the hosts file the backup was taken of. Earlier versions wrote hosts.sam
// there and made no such mark, so a backup without it is one of hosts.sam.
std::string HostsBackupMarkPath(const std::string& backupFile);
// The file earlier versions wrote outside the NT family: "hosts.sam" beside
// the hosts file.
std::string LegacyHostsFilePath(const std::string& hostsFile);

// Outside the NT family, once: a backup that an earlier version took of
// hosts.sam goes back there (checked) and is deleted, so that the next
// rewrite backs up HOSTS and blocks through it. True when that happened;
// false when there was nothing to do (NT family, no administrator, no such
// backup). Throws HostsFileError (and keeps the backup) when hosts.sam
// cannot be written.
bool ReturnLegacyBackup(const HostsEnv& env);

// The hosts file as hosts_dat_to_winhost writes it: the "#" lines of the
// old file, two empty lines, the localhost line and one line per entry.
std::string BuildHostsFile(const std::string& oldHosts, const std::string& listFile,
                           const std::string& hostIp);
// The hosts file as hosts_def writes it: the "#" lines, two empty lines and
// the localhost line.
std::string BuildDefaultHostsFile(const std::string& oldHosts);

// True when the hosts file may be written now. Shows its own messages.
// Outside the NT family a missing HOSTS is no obstacle: it reads as empty
// (which resolves as no file does), its backup is an empty file, and the
// rewrite makes it.
bool check_host_access(const HostsEnv& env);
// Makes the backup if there is none (or only one that does not match the
// hosts file it was copied from), then rewrites the hosts file from the
// blocked-host list. Without a verified backup the hosts file is not touched.
void hosts_dat_to_winhost(const HostsEnv& env, const std::string& hostIp);
// Rewrites the hosts file to the Windows default. The backup stays.
void hosts_def(const HostsEnv& env);
// Applies settings.hosts: rewrite when on, restore the backup when off (to
// the file it was taken of). False (after a message) when the restore
// failed.
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
