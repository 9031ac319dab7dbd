// Stand-in service control manager.
#include "platform/sim/sim_services.h"

#include <stdexcept>

namespace zt {

uint32_t SimServiceManager::StopService(const std::string&, const std::string& name) {
  log.push_back("stop " + name);
  if (throwOnCall) throw std::runtime_error("service manager fault");
  auto it = services.find(name);
  if (denied || it == services.end()) return 0;
  it->second.state = kServiceStopped;
  return kServiceStopped;
}

bool SimServiceManager::StartService(const std::string&, const std::string& name) {
  log.push_back("start " + name);
  if (throwOnCall) throw std::runtime_error("service manager fault");
  auto it = services.find(name);
  if (denied || it == services.end() || it->second.startType == kServiceDisabled ||
      it->second.state == kServiceRunning)
    return false;
  it->second.state = kServiceRunning;
  return true;
}

bool SimServiceManager::SetStartType(const std::string&, const std::string& name, uint32_t startType) {
  log.push_back("type " + name + " " + std::to_string(startType));
  if (throwOnCall) throw std::runtime_error("service manager fault");
  auto it = services.find(name);
  if (denied || it == services.end()) return false;
  it->second.startType = startType;
  return true;
}

}  // namespace zt
