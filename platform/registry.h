// Registry access (advapi32): keys and values under the three roots the
// program uses. Paths are key paths below the root; a trailing backslash is
// allowed. Every call opens and closes the key itself, so callers hold no
// handles.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zt {

enum class HKey { CurrentUser, LocalMachine, ClassesRoot };

// Value types with the numbers the system uses.
enum class RegType : uint32_t { None = 0, Sz = 1, ExpandSz = 2, Binary = 3, Dword = 4, MultiSz = 7 };

struct RegValue {
  RegType type = RegType::None;
  uint32_t dword = 0;  // for Dword
  std::string data;    // for string types: the text up to the first NUL; else the raw bytes
};

class Registry {
 public:
  virtual ~Registry() = default;
  // True when the key exists and can be opened with the given access
  // (read only, or full access when write is true).
  virtual bool OpenKey(HKey root, const std::string& path, bool write) = 0;
  // Opens the key with full access, creating it and missing parents.
  virtual bool CreateKey(HKey root, const std::string& path) = 0;
  virtual std::optional<RegValue> QueryValue(HKey root, const std::string& path,
                                             const std::string& name) = 0;
  // Writes into an existing key; false when the key is missing or refuses.
  virtual bool SetDword(HKey root, const std::string& path, const std::string& name,
                        uint32_t value) = 0;
  virtual bool SetString(HKey root, const std::string& path, const std::string& name,
                         const std::string& value) = 0;
  virtual bool DeleteValue(HKey root, const std::string& path, const std::string& name) = 0;
  // Deletes a key that has no subkeys.
  virtual bool DeleteKey(HKey root, const std::string& path) = 0;
  virtual std::vector<std::string> SubKeyNames(HKey root, const std::string& path) = 0;
  // The names of the key's values; empty when the key is missing.
  virtual std::vector<std::string> ValueNames(HKey root, const std::string& path) = 0;
};

}  // namespace zt
