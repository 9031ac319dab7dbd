// The system hosts file writer: where the file lives, whether it may be
// written, the one-time backup "hosts_org.bak" beside the program, the
// rewrite from the blocked-host list, the restore, the reset to the
// Windows default, and the logic of the settings dialog's hosts controls.
// Read and write failures of the rewrites throw HostsFileError.
#pragma once
#include <string>

namespace zt {

struct AppState;
struct Settings;

// HostsDirectory + "hosts" (NT family) or "hosts.sam" (otherwise).
std::string HostsFilePath(const AppState& app);
// Program directory + "hosts_org.bak".
std::string HostsBackupPath(const AppState& app);

// The hosts file as hosts_dat_to_winhost writes it: the "#" lines of the
// old file, two empty lines, the localhost line and one line per entry.
std::string BuildHostsFile(const std::string& oldHosts, const std::string& listFile,
                           const std::string& hostIp);
// The hosts file as hosts_def writes it: the "#" lines, two empty lines and
// the localhost line.
std::string BuildDefaultHostsFile(const std::string& oldHosts);

// True when the hosts file may be written now. Shows its own messages.
bool check_host_access(AppState& app);
// Makes the backup if there is none, then rewrites the hosts file from the
// blocked-host list. Without a backup the hosts file is not touched.
void hosts_dat_to_winhost(AppState& app);
// Rewrites the hosts file to the Windows default. The backup stays.
void hosts_def(AppState& app);
// Applies Settings.hosts: rewrite when on, restore the backup when off.
// False (after a message) when the restore failed.
bool Exchange_host(AppState& app);

// The settings dialog's "Standard" button: asks, then resets the hosts file
// to the default, deletes the backup and switches blocking off. True when
// that happened: the dialog then unchecks CheckBox_Banner.
bool Button_hostDefClick(AppState& app);
// The hosts step of the settings dialog's OK: on failure `hosts` falls back
// to its value when the dialog was opened.
void HostsDialogOk(AppState& app, bool hostsAtOpening);
// The address radio buttons: set host_ip from the clicked button's state
// and return the state the other button gets.
bool RadioButton_B127Click(Settings& s, bool b127Checked);
bool RadioButton_B0Click(Settings& s, bool b0Checked);

}  // namespace zt
