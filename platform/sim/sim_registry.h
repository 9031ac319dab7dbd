// In-memory stand-in of the registry: keys and value names are compared
// without regard to case, as the system does. Tests can deny access to a key.
#pragma once
#include <functional>
#include <map>
#include <set>
#include <string>

#include "platform/registry.h"

namespace zt {

class SimRegistry : public Registry {
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

  // Test helpers.
  void SetRaw(HKey root, const std::string& path, const std::string& name, RegValue value);
  void DenyWrite(HKey root, const std::string& path);     // key and everything below
  void DenyAccess(HKey root, const std::string& path);    // not even read access
  bool KeyExists(HKey root, const std::string& path) const;
  // A value write for which this answers true fails (name: the value's).
  std::function<bool(const std::string& name)> failSet;

 private:
  struct Key {
    std::string name;                        // last path part, as first created
    std::map<std::string, RegValue> values;  // by upper-cased name
  };
  static std::string Normal(HKey root, const std::string& path);
  bool Denied(const std::set<std::string>& set, const std::string& key) const;
  Key* Find(HKey root, const std::string& path);

  std::map<std::string, Key> keys_;  // by normalised path
  std::set<std::string> denyWrite_, denyAccess_;
};

}  // namespace zt
