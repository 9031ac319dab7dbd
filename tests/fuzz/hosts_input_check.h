// What must hold for any bytes given to the hosts readers: the import, the
// list file reader and the hosts file rewrite. Shared by the libFuzzer
// target and the randomized test that runs with the other tests.
#pragma once
#include <string>

#include "hosts/hosts_file.h"
#include "hosts/hosts_list.h"
#include "rules/list_ops.h"

namespace zt::test {

// Empty when every rule holds, else what broke.
inline std::string CheckHostsInput(const std::string& input) {
  static const std::string kBad("\r\n#\0", 4);
  std::vector<std::string> names = ImportHostNames(input);
  for (size_t i = 0; i < names.size(); ++i) {
    const std::string& n = names[i];
    if (n.empty()) return "empty imported name";
    if (n.find_first_of(kBad) != std::string::npos) return "imported name with line end, # or NUL";
    if (n[0] == ' ' || n[0] == '\t' || n[0] == '\xA0') return "imported name starts with a blank";
    if (i > 0 && !(UpperAnsi(names[i - 1]) < UpperAnsi(n))) return "imported names not sorted or not unique";
  }
  for (const std::string& e : HostListEntries(input)) {
    if (e.empty()) return "empty list entry";
    if (e.find_first_of("\r\n") != std::string::npos) return "list entry with a line end";
  }
  std::string written = BuildHostsFile(input, input, "127.0.0.1");
  for (size_t i = 0; i < written.size(); ++i) {
    if (written[i] == '\r' && (i + 1 == written.size() || written[i + 1] != '\n')) return "lone CR in hosts file";
    if (written[i] == '\n' && (i == 0 || written[i - 1] != '\r')) return "lone LF in hosts file";
  }
  if (written.size() < 2 || written.compare(written.size() - 2, 2, "\r\n") != 0) return "hosts file not ended";
  // Writing is stable: a rewrite of the rewrite changes nothing.
  if (BuildHostsFile(written, input, "127.0.0.1") != written) return "rewrite not stable";
  return "";
}

}  // namespace zt::test
