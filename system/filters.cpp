// Browser ad filters (not yet built: they do nothing).
#include "system/filters.h"

#include "app/app_state.h"

namespace zt {

void Flash7change(AppState&, int) {}
void Adfilter(AppState&, const std::string&, int) {}

}  // namespace zt
