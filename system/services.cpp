// Services control (not yet built: does nothing).
#include "system/services.h"

#include "app/app_state.h"

namespace zt {

void SetAndStopServices(AppState&) {}

}  // namespace zt
