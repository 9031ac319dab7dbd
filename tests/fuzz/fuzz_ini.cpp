// Fuzz target: the INI reader and the rule database load and save on any
// bytes. Checks invariants rather than exact values: no crash, values within
// the profile limit, a save that reads back to the same lists.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/sim/sim_system.h"
#include "rules/ini_file.h"
#include "rules/main_db.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

zt::SimSystem& System() {
  static zt::SimSystem sys;
  return sys;
}

}  // namespace

extern const std::vector<std::string> kFuzzDictionary = {
    "[ADS]", "[URL]", "[WCS]", "[WDS]", "[ads]", "[ ADS ]", "[Other]", "1=", "2=", "3=", "1", "=",
    "\"", "'", ";", "\xEF\xBB\xBF", std::string(1, '\0'), "\r", "\n", " ", "\t", "\x1A", "\xA0", "]",
    "01", "4294967297", "18446744073709551617"};

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  zt::IniFile ini = zt::IniFile::Parse(bytes);
  for (const char* section : {"ADS", "URL", "WCS", "WDS", "Other"}) {
    Check(ini.KeyCount(section) == ini.Keys(section).size());
    for (const std::string& key : ini.Keys(section)) Check(ini.Read(section, key).size() <= zt::kProfileValueMax);
    // Reading keys 1..n in one pass gives what reading them by name gives.
    std::vector<std::string> numbered = ini.ReadNumbered(section, 20);
    for (size_t n = 1; n <= numbered.size(); ++n) Check(numbered[n - 1] == ini.Read(section, std::to_string(n)));
  }

  const std::string path = "C:\\fuzz\\config\\zapotrix_mainDB.ini";
  zt::SimSystem& sys = System();
  sys.PutFile(path, bytes);
  zt::RuleLists lists;
  zt::LoadMainDB(sys, path, lists);
  zt::SaveMainDB(sys, path, lists, zt::TextsFor(false));
  zt::RuleLists again;
  zt::LoadMainDB(sys, path, again);
  // What was loaded survives a save: the same rows come back (values are
  // already trimmed and unquoted, so only values that the profile rules
  // would change again may differ; those hold quotes or blanks at the ends).
  Check(again.ADS.size() <= lists.ADS.size() && again.WDS.size() <= lists.WDS.size());
  for (size_t i = 0; i < again.WDS.size(); ++i) Check(!again.WDS.text(i, 0).empty());
  return 0;
}
