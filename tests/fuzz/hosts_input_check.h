// What must hold for any bytes given to the hosts readers: the import, the
// list file reader and the hosts file rewrite. Shared by the libFuzzer
// target and the randomized test that runs with the other tests.
#pragma once
#include <string>

#include "hosts/hosts_file.h"
#include "hosts/hosts_io.h"
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
  // Every line the writer adds names one valid host after the chosen
  // prefix: an entry can never smuggle in a line of its own. The other
  // lines are the old file's "#" lines, the empty ones and localhost.
  for (const char* ip : {"127.0.0.1", "0.0.0.0"}) {
    const std::string prefix = std::string(ip) + "  ";
    bool head = true;
    for (const std::string& line : SplitLines(BuildHostsFile(input, input, ip))) {
      if (head) {
        if (line == "127.0.0.1  localhost") head = false;
        else if (!line.empty() && line[0] != '#') return "hosts file head line that is no comment";
        continue;
      }
      if (line.compare(0, prefix.size(), prefix) != 0) return "hosts file line without the chosen prefix";
      if (!IsValidHostName(line.substr(prefix.size()))) return "hosts file line that names no valid host";
    }
    if (head) return "hosts file without the localhost line";
  }
  for (const std::string& n : names)
    if (!IsValidHostName(n)) return "imported name that is no valid host name";

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
