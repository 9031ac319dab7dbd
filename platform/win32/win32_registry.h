// The real registry through advapi32.
#pragma once
#include "platform/registry.h"

namespace zt {

class Win32Registry : public Registry {
 public:
  bool OpenKey(HKey root, const std::string& path, bool write) override;
  bool CreateKey(HKey root, const std::string& path) override;
  std::optional<RegValue> QueryValue(HKey root, const std::string& path,
                                     const std::string& name) override;
  bool SetDword(HKey root, const std::string& path, const std::string& name,
                uint32_t value) override;
  bool SetString(HKey root, const std::string& path, const std::string& name,
                 const std::string& value) override;
  bool DeleteValue(HKey root, const std::string& path, const std::string& name) override;
  bool DeleteKey(HKey root, const std::string& path) override;
  std::vector<std::string> SubKeyNames(HKey root, const std::string& path) override;
  std::vector<std::string> ValueNames(HKey root, const std::string& path) override;
};

}  // namespace zt
