// Service control calls: each opens the manager and the service, acts, and
// closes both handles.
#include "platform/win32/win32_services.h"

#include "platform/win32/win.h"

namespace zt {
namespace {

// A service control manager or service handle, closed when it goes.
class ScHandle {
 public:
  explicit ScHandle(SC_HANDLE h) : h_(h) {}
  ScHandle(const ScHandle&) = delete;
  ScHandle& operator=(const ScHandle&) = delete;
  ~ScHandle() {
    if (h_) CloseServiceHandle(h_);
  }
  explicit operator bool() const { return h_ != nullptr; }
  SC_HANDLE get() const { return h_; }

 private:
  SC_HANDLE h_;
};

SC_HANDLE OpenManager(const std::string& machine) {
  return OpenSCManagerA(machine.empty() ? nullptr : machine.c_str(), nullptr, SC_MANAGER_CONNECT);
}

}  // namespace

uint32_t Win32ServiceManager::StopService(const std::string& machine, const std::string& name) {
  ScHandle manager(OpenManager(machine));
  if (!manager) return 0;
  ScHandle service(OpenServiceA(manager.get(), name.c_str(), SERVICE_STOP | SERVICE_QUERY_STATUS));
  if (!service) return 0;
  SERVICE_STATUS status = {};
  ControlService(service.get(), SERVICE_CONTROL_STOP, &status);
  return status.dwCurrentState;
}

bool Win32ServiceManager::StartService(const std::string& machine, const std::string& name) {
  ScHandle manager(OpenManager(machine));
  if (!manager) return false;
  ScHandle service(OpenServiceA(manager.get(), name.c_str(), SERVICE_START | SERVICE_QUERY_STATUS));
  return service && StartServiceA(service.get(), 0, nullptr);
}

bool Win32ServiceManager::SetStartType(const std::string& machine, const std::string& name,
                                       uint32_t startType) {
  ScHandle manager(OpenManager(machine));
  if (!manager) return false;
  ScHandle service(OpenServiceA(manager.get(), name.c_str(), SERVICE_CHANGE_CONFIG));
  return service && ChangeServiceConfigA(service.get(), SERVICE_NO_CHANGE, startType, SERVICE_NO_CHANGE,
                                         nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
}

}  // namespace zt
