// The service control manager (advapi32) of the local computer (empty
// machine name) or of a named one. A call that fails is reported in the
// result; only an unexpected fault throws.
#pragma once
#include <cstdint>
#include <string>

namespace zt {

// Service states and start types with the numbers the system uses.
constexpr uint32_t kServiceStopped = 1;
constexpr uint32_t kServiceRunning = 4;
constexpr uint32_t kServiceAutoStart = 2;
constexpr uint32_t kServiceDemandStart = 3;
constexpr uint32_t kServiceDisabled = 4;

class ServiceManager {
 public:
  virtual ~ServiceManager() = default;
  // Asks the service to stop (SERVICE_CONTROL_STOP) without waiting. The
  // current state the service then reported; 0 when no state came back.
  virtual uint32_t StopService(const std::string& machine, const std::string& name) = 0;
  // Asks the manager to start the service, with no arguments.
  virtual bool StartService(const std::string& machine, const std::string& name) = 0;
  // Changes only the start type in the manager's own database.
  virtual bool SetStartType(const std::string& machine, const std::string& name, uint32_t startType) = 0;
};

}  // namespace zt
