// Browser ad filters: the Flash kill bit and the Mozilla style sheet.
// Mode 1 installs, mode 2 removes.
#pragma once
#include <string>

namespace zt {

struct AppState;

void Flash7change(AppState& app, int mode);
void Adfilter(AppState& app, const std::string& browser, int mode);

}  // namespace zt
