// The service control manager through advapi32.
#pragma once
#include "platform/services.h"

namespace zt {

class Win32ServiceManager : public ServiceManager {
 public:
  uint32_t StopService(const std::string& machine, const std::string& name) override;
  bool StartService(const std::string& machine, const std::string& name) override;
  bool SetStartType(const std::string& machine, const std::string& name, uint32_t startType) override;
};

}  // namespace zt
