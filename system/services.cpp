// Services control. The pass rewrites every start type from the settings,
// so the machine follows them at every start and every settings OK.
#include "system/services.h"

#include <iterator>
#include <stdexcept>

#include "app/app_state.h"
#include "app/texts.h"

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

void AccessDenied(AppState& app) {
  const char* text = app.flags.IsGerman
                         ? "Auf den Service Manager konnte nicht zugegriffen werden!\n\r"
                           "Bitte stellen Sie sicher, dass Sie über die notwendigen Rechte verfügen."
                         : "Access to Service Manager denied.\n\r"
                           "Please check that your have administrator rights.";
  app.os.system.MessageBox(text, kAppCaption, kMbOk | kMbIconWarning);
}

}  // namespace

void change_servicestart(AppState& app, const std::string& name, uint32_t start) {
  Registry& reg = app.os.registry;
  WriteDword(reg, kServicesKey + name, "Start", start);
  if (name == "srservice") WriteDword(reg, kSystemRestoreKey, "DisableSR", start == kServiceDisabled ? 1 : 0);
  // The running manager keeps its own copy of the start type until the next
  // boot; tell it, so that a re-enabled service can start now. Its answer
  // does not matter: the registry already holds the value.
  try {
    app.os.services.SetStartType("", name, start);
  } catch (const std::exception&) {
  }
}

bool ServiceStop(AppState& app, const std::string& machine, const std::string& name) {
  try {
    return app.os.services.StopService(machine, name) == kServiceStopped;
  } catch (const std::exception&) {
    AccessDenied(app);
    return false;
  }
}

void ServiceStart(AppState& app, const std::string& machine, const std::string& name) {
  try {
    app.os.services.StartService(machine, name);
  } catch (const std::exception&) {
    AccessDenied(app);
  }
}

void SetAndStopServices(AppState& app) {
  try {
    for (size_t i = 0; i < std::size(kServiceRows); ++i) {
      const ServiceRow& row = kServiceRows[i];
      if (app.settings.*row.setting) {
        change_servicestart(app, row.name, kServiceDisabled);
        ServiceStop(app, "", row.name);
      } else {
        change_servicestart(app, row.name, kServiceAutoStart);
        ServiceStart(app, "", row.name);
      }
      if (i + 1 < std::size(kServiceRows)) app.os.system.Sleep(kServiceWaitMs);
    }
  } catch (const std::exception&) {
    // The first failure ends the pass; the rows before it stay applied.
  }
}

}  // namespace zt
