// The system hosts file writer.
#pragma once

namespace zt {

struct AppState;

// True when the hosts file may be written.
bool check_host_access(AppState& app);
// Writes the blocked-host list into the system hosts file.
void hosts_dat_to_winhost(AppState& app);

}  // namespace zt
