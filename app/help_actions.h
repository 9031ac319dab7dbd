// The help menu's outside world: the manual opened with the registered PDF
// viewer, and web addresses opened with the browser registered for HTML
// files. Window-free: the system is reached through the platform.
#pragma once
#include <string>

#include "lang/texts.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/system.h"

namespace zt {

// Where the system keeps the command that opens an HTML file.
extern const char* const kHtmlOpenCommandKey;

// Action4_handbuch: opens the manual. A missing file and a missing viewer
// each give their error box.
void OpenHandbook(System& system, Shell& shell, const std::string& handbookFile, const Texts& texts);

// The text between the first and the second double quote of a command
// line (the quoted program path); empty when there are not two.
std::string QuotedProgram(const std::string& command);

// OpenURL: starts the registered HTML browser with the address. Without a
// registered browser nothing happens.
void OpenURL(Registry& registry, Shell& shell, const std::string& url);

}  // namespace zt
