// In-memory registry for the native tests.
#include "platform/sim/sim_registry.h"

#include <cctype>

namespace zt {
namespace {

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

}  // namespace

std::string SimRegistry::Normal(HKey root, const std::string& path) {
  std::string p = Upper(path);
  while (!p.empty() && p.back() == '\\') p.pop_back();
  while (!p.empty() && p.front() == '\\') p.erase(0, 1);
  return std::to_string(static_cast<int>(root)) + "\\" + p;
}

bool SimRegistry::Denied(const std::set<std::string>& set, const std::string& key) const {
  for (const std::string& d : set)
    if (key == d || key.compare(0, d.size() + 1, d + "\\") == 0) return true;
  return false;
}

SimRegistry::Key* SimRegistry::Find(HKey root, const std::string& path) {
  auto it = keys_.find(Normal(root, path));
  return it == keys_.end() ? nullptr : &it->second;
}

bool SimRegistry::KeyExists(HKey root, const std::string& path) const {
  return keys_.count(Normal(root, path)) != 0;
}

bool SimRegistry::OpenKey(HKey root, const std::string& path, bool write) {
  std::string k = Normal(root, path);
  if (!keys_.count(k) || Denied(denyAccess_, k)) return false;
  return !(write && Denied(denyWrite_, k));
}

bool SimRegistry::CreateKey(HKey root, const std::string& path) {
  std::string k = Normal(root, path);
  if (Denied(denyAccess_, k) || Denied(denyWrite_, k)) return false;
  // Create every missing parent, as the system does.
  std::string prefix = std::to_string(static_cast<int>(root));
  std::string rest = k.substr(prefix.size() + 1);
  // The same path in its original letter case (same length, same parts).
  std::string original = path;
  while (!original.empty() && original.back() == '\\') original.pop_back();
  while (!original.empty() && original.front() == '\\') original.erase(0, 1);
  std::string partial = prefix;
  size_t pos = 0;
  while (pos <= rest.size()) {
    size_t next = rest.find('\\', pos);
    if (next == std::string::npos) next = rest.size();
    partial += "\\" + rest.substr(pos, next - pos);
    Key& key = keys_[partial];
    if (key.name.empty()) key.name = original.substr(pos, next - pos);
    pos = next + 1;
  }
  return true;
}

std::optional<RegValue> SimRegistry::QueryValue(HKey root, const std::string& path,
                                                const std::string& name) {
  if (!OpenKey(root, path, false)) return std::nullopt;
  Key* key = Find(root, path);
  auto it = key->values.find(Upper(name));
  if (it == key->values.end()) return std::nullopt;
  return it->second;
}

bool SimRegistry::SetDword(HKey root, const std::string& path, const std::string& name,
                           uint32_t value) {
  if (failSet && failSet(name)) return false;
  if (!OpenKey(root, path, true)) return false;
  RegValue v;
  v.type = RegType::Dword;
  v.dword = value;
  Find(root, path)->values[Upper(name)] = v;
  return true;
}

bool SimRegistry::SetString(HKey root, const std::string& path, const std::string& name,
                            const std::string& value) {
  if (failSet && failSet(name)) return false;
  if (!OpenKey(root, path, true)) return false;
  RegValue v;
  v.type = RegType::Sz;
  v.data = value.substr(0, value.find('\0'));
  Find(root, path)->values[Upper(name)] = v;
  return true;
}

bool SimRegistry::DeleteValue(HKey root, const std::string& path, const std::string& name) {
  if (!OpenKey(root, path, true)) return false;
  return Find(root, path)->values.erase(Upper(name)) != 0;
}

bool SimRegistry::DeleteKey(HKey root, const std::string& path) {
  std::string k = Normal(root, path);
  if (!keys_.count(k) || Denied(denyWrite_, k) || Denied(denyAccess_, k)) return false;
  auto next = keys_.upper_bound(k);
  if (next != keys_.end() && next->first.compare(0, k.size() + 1, k + "\\") == 0) return false;
  keys_.erase(k);
  return true;
}

std::vector<std::string> SimRegistry::SubKeyNames(HKey root, const std::string& path) {
  std::vector<std::string> names;
  std::string k = Normal(root, path);
  if (!keys_.count(k) || Denied(denyAccess_, k)) return names;
  std::string prefix = k + "\\";
  for (auto it = keys_.upper_bound(k); it != keys_.end(); ++it) {
    if (it->first.compare(0, prefix.size(), prefix) != 0) break;
    std::string rest = it->first.substr(prefix.size());
    if (rest.find('\\') == std::string::npos) names.push_back(it->second.name);
  }
  return names;
}

std::vector<std::string> SimRegistry::ValueNames(HKey root, const std::string& path) {
  std::vector<std::string> names;
  std::string k = Normal(root, path);
  if (!keys_.count(k) || Denied(denyAccess_, k)) return names;
  // Names are kept upper-cased; lookups ignore case anyway.
  for (const auto& v : keys_[k].values) names.push_back(v.first);
  return names;
}

void SimRegistry::SetRaw(HKey root, const std::string& path, const std::string& name,
                         RegValue value) {
  CreateKey(root, path);
  Find(root, path)->values[Upper(name)] = std::move(value);
}

void SimRegistry::DenyWrite(HKey root, const std::string& path) {
  denyWrite_.insert(Normal(root, path));
}

void SimRegistry::DenyAccess(HKey root, const std::string& path) {
  denyAccess_.insert(Normal(root, path));
}

}  // namespace zt
