// Services control. The pass rewrites every start type from the settings,
// so the machine follows them at every start and every settings OK.
#include "system/services.h"

#include <iterator>
#include <stdexcept>


namespace zt {

const char* const kServicesKey = "System\\ControlSet001\\Services\\";
const char* const kSystemRestoreKey = "Software\\Microsoft\\Windows NT\\CurrentVersion\\SystemRestore";

namespace {

// A service key is missing or refuses the write: ends the pass.
class ServiceKeyError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

constexpr unsigned kServiceWaitMs = 10;

struct ServiceRow {
  bool Settings::*setting;
  const char* name;
};

const ServiceRow kServiceRows[] = {
    {&Settings::Services_NachrichtenDienst, "Messenger"},
    {&Settings::Services_Warndienst, "Alerter"},
    {&Settings::Services_RemoteRegistrierung, "RemoteRegistry"},
    {&Settings::Services_Fehlerberichterstattung, "ERSvc"},
    {&Settings::Services_AutomatischeUpdates, "wuauserv"},
    {&Settings::Services_Systemwiederherstellung, "srservice"},
};

void WriteDword(Registry& reg, const std::string& key, const char* value, uint32_t data) {
  // Opened without creating: a service this system lacks gets no key.
  if (!reg.OpenKey(HKey::LocalMachine, key, true) || !reg.SetDword(HKey::LocalMachine, key, value, data))
    throw ServiceKeyError(key);
}

void AccessDenied(const ServicesEnv& env) {
  env.system.MessageBox(env.texts.msg.serviceAccessDenied, kAppCaption, kMbOk | kMbIconWarning);
}

}  // namespace

void change_servicestart(const ServicesEnv& env, const std::string& name, uint32_t start) {
  Registry& reg = env.registry;
  WriteDword(reg, kServicesKey + name, "Start", start);
  if (name == "srservice") WriteDword(reg, kSystemRestoreKey, "DisableSR", start == kServiceDisabled ? 1 : 0);
  // The running manager keeps its own copy of the start type until the next
  // boot; tell it, so that a re-enabled service can start now. Its answer
  // does not matter: the registry already holds the value.
  try {
    env.services.SetStartType("", name, start);
  } catch (const std::exception&) {
  }
}

bool ServiceStop(const ServicesEnv& env, const std::string& machine, const std::string& name) {
  try {
    return env.services.StopService(machine, name) == kServiceStopped;
  } catch (const std::exception&) {
    AccessDenied(env);
    return false;
  }
}

void ServiceStart(const ServicesEnv& env, const std::string& machine, const std::string& name) {
  try {
    env.services.StartService(machine, name);
  } catch (const std::exception&) {
    AccessDenied(env);
  }
}

void SetAndStopServices(const ServicesEnv& env, const Settings& settings) {
  try {
    for (size_t i = 0; i < std::size(kServiceRows); ++i) {
      const ServiceRow& row = kServiceRows[i];
      if (settings.*row.setting) {
        change_servicestart(env, row.name, kServiceDisabled);
        ServiceStop(env, "", row.name);
      } else {
        change_servicestart(env, row.name, kServiceAutoStart);
        ServiceStart(env, "", row.name);
      }
      if (i + 1 < std::size(kServiceRows)) env.system.Sleep(kServiceWaitMs);
    }
  } catch (const std::exception&) {
    // The first failure ends the pass; the rows before it stay applied.
  }
}

}  // namespace zt
