// System hosts file writer (not yet built: reports no access).
#include "hosts/hosts_file.h"

#include "app/app_state.h"

namespace zt {

bool check_host_access(AppState&) { return false; }
void hosts_dat_to_winhost(AppState&) {}

}  // namespace zt
