// Stand-in service control manager: a table of services with state and
// start type, and a log of the requests it got.
#pragma once
#include <map>
#include <string>
#include <vector>

#include "platform/services.h"

namespace zt {

class SimServiceManager : public ServiceManager {
 public:
  struct Service {
    uint32_t state = kServiceRunning;
    uint32_t startType = kServiceDemandStart;
  };

  uint32_t StopService(const std::string& machine, const std::string& name) override;
  bool StartService(const std::string& machine, const std::string& name) override;
  bool SetStartType(const std::string& machine, const std::string& name, uint32_t startType) override;

  std::map<std::string, Service> services;  // by name as registered
  bool denied = false;         // the manager refuses every request
  bool throwOnCall = false;    // every request raises an error
  std::vector<std::string> log;  // "stop NAME", "start NAME", "type NAME N"
};

}  // namespace zt
