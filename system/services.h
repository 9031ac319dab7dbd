// The six Windows XP services that the settings can switch off: their
// start types in the registry and in the service manager, and stopping or
// starting them.
#pragma once
#include <cstdint>
#include <string>

#include "lang/texts.h"
#include "platform/registry.h"
#include "platform/services.h"
#include "platform/system.h"
#include "system/settings.h"

namespace zt {

// What the services control works on.
struct ServicesEnv {
  Registry& registry;
  ServiceManager& services;
  System& system;  // the pause between two services, the access-denied message
  const Texts& texts;
};

// Key of a service's start type below HKEY_LOCAL_MACHINE, without the name.
extern const char* const kServicesKey;
extern const char* const kSystemRestoreKey;

// One pass over the six services in their fixed order: a set setting
// disables and stops its service, a cleared one sets it to start
// automatically and starts it. The first registry key that is missing or
// refuses the write ends the pass without a message.
void SetAndStopServices(const ServicesEnv& env, const Settings& settings);

// Writes "Start" (and "DisableSR" for "srservice") into existing keys and
// then tells the running service manager. Throws ServiceKeyError when a key
// cannot be written.
void change_servicestart(const ServicesEnv& env, const std::string& name, uint32_t start);

// True when the service reports the stopped state at once. Shows the
// access-denied warning when the service manager raises an error.
bool ServiceStop(const ServicesEnv& env, const std::string& machine, const std::string& name);
void ServiceStart(const ServicesEnv& env, const std::string& machine, const std::string& name);

}  // namespace zt
