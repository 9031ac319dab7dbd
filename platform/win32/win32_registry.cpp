// Registry calls: each operation opens the key, acts, and closes it.
#include "platform/win32/win32_registry.h"

#include "platform/win32/win.h"

namespace zt {
namespace {

HKEY Root(HKey root) {
  switch (root) {
    case HKey::CurrentUser: return HKEY_CURRENT_USER;
    case HKey::LocalMachine: return HKEY_LOCAL_MACHINE;
    case HKey::ClassesRoot: return HKEY_CLASSES_ROOT;
  }
  return HKEY_CURRENT_USER;
}

// The system wants key paths without a trailing backslash.
std::string Clean(const std::string& path) {
  std::string p = path;
  while (!p.empty() && p.back() == '\\') p.pop_back();
  return p;
}

// An open key, closed when it goes out of scope.
class Key {
 public:
  Key(HKey root, const std::string& path, REGSAM access) {
    if (RegOpenKeyExA(Root(root), Clean(path).c_str(), 0, access, &key_) != ERROR_SUCCESS) key_ = nullptr;
  }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  ~Key() {
    if (key_) RegCloseKey(key_);
  }
  explicit operator bool() const { return key_ != nullptr; }
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

}  // namespace

bool Win32Registry::OpenKey(HKey root, const std::string& path, bool write) {
  return static_cast<bool>(Key(root, path, write ? KEY_ALL_ACCESS : KEY_READ));
}

bool Win32Registry::CreateKey(HKey root, const std::string& path) {
  HKEY key = nullptr;
  DWORD disposition = 0;
  LONG rc = RegCreateKeyExA(Root(root), Clean(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                            KEY_ALL_ACCESS, nullptr, &key, &disposition);
  if (rc != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

std::optional<RegValue> Win32Registry::QueryValue(HKey root, const std::string& path,
                                                  const std::string& name) {
  Key key(root, path, KEY_READ);
  if (!key) return std::nullopt;
  DWORD type = 0, size = 0;
  if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
    return std::nullopt;
  std::string bytes(size, '\0');
  if (size > 0 && RegQueryValueExA(key.get(), name.c_str(), nullptr, &type,
                                   reinterpret_cast<BYTE*>(&bytes[0]), &size) != ERROR_SUCCESS)
    return std::nullopt;
  bytes.resize(size);
  RegValue v;
  v.type = static_cast<RegType>(type);
  if (type == REG_DWORD) {
    if (size != sizeof(DWORD)) return std::nullopt;
    v.dword = *reinterpret_cast<const DWORD*>(bytes.data());
  } else if (type == REG_SZ || type == REG_EXPAND_SZ) {
    v.data = bytes.substr(0, bytes.find('\0'));
  } else {
    v.data = bytes;
  }
  return v;
}

bool Win32Registry::SetDword(HKey root, const std::string& path, const std::string& name,
                             uint32_t value) {
  Key key(root, path, KEY_SET_VALUE);
  DWORD v = value;
  return key && RegSetValueExA(key.get(), name.c_str(), 0, REG_DWORD,
                               reinterpret_cast<const BYTE*>(&v), sizeof v) == ERROR_SUCCESS;
}

bool Win32Registry::SetString(HKey root, const std::string& path, const std::string& name,
                              const std::string& value) {
  Key key(root, path, KEY_SET_VALUE);
  std::string text = value.substr(0, value.find('\0'));
  return key && RegSetValueExA(key.get(), name.c_str(), 0, REG_SZ,
                               reinterpret_cast<const BYTE*>(text.c_str()),
                               static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

bool Win32Registry::DeleteValue(HKey root, const std::string& path, const std::string& name) {
  Key key(root, path, KEY_SET_VALUE);
  return key && RegDeleteValueA(key.get(), name.c_str()) == ERROR_SUCCESS;
}

bool Win32Registry::DeleteKey(HKey root, const std::string& path) {
  return RegDeleteKeyA(Root(root), Clean(path).c_str()) == ERROR_SUCCESS;
}

std::vector<std::string> Win32Registry::SubKeyNames(HKey root, const std::string& path) {
  std::vector<std::string> names;
  Key key(root, path, KEY_READ);
  if (!key) return names;
  char name[256];
  for (DWORD i = 0;; ++i) {
    DWORD len = sizeof name;
    if (RegEnumKeyExA(key.get(), i, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    names.emplace_back(name, len);
  }
  return names;
}

std::vector<std::string> Win32Registry::ValueNames(HKey root, const std::string& path) {
  std::vector<std::string> names;
  Key key(root, path, KEY_READ);
  if (!key) return names;
  char name[16384];  // the longest value name the system allows
  for (DWORD i = 0;; ++i) {
    DWORD len = sizeof name;
    if (RegEnumValueA(key.get(), i, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    names.emplace_back(name, len);
  }
  return names;
}

}  // namespace zt
