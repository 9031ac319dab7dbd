// The updater cases shared by the native tests (stand-in download) and the
// Wine tests (real download from a local HTTP server): the signed test
// databases, the lists before the update, and what every combination of the
// check boxes must make of them.
#pragma once
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "rules/rule_lists.h"
#include "rules/updater.h"

namespace zt::test {

using Strings = std::vector<std::string>;

// A file of the signed test databases (tests/sign_fixtures.sh), as bytes.
inline std::string SigningFile(const std::string& name) {
#ifdef _WIN32
  std::string path = std::string("Z:") + ZT_SIGNING_DIR + "/" + name;  // the Unix path under Wine
#else
  std::string path = std::string(ZT_SIGNING_DIR) + "/" + name;
#endif
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in.good()) << "missing " << path;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The base64 line of a test public key file ("test" or "foreign").
inline std::string TestKeyLine(const std::string& name) {
  std::string pub = SigningFile(name + ".pub");
  size_t nl = pub.find('\n');
  std::string line = pub.substr(nl + 1);
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  return line;
}

// Trusts the test key as an administrator would: a value of UpdateKeys.
inline void TrustTestKey(Registry& registry) {
  registry.CreateKey(HKey::LocalMachine, kUpdateKeysKey);
  registry.SetString(HKey::LocalMachine, kUpdateKeysKey, "Test mirror", TestKeyLine("test"));
}

// Duplicates by case and by exact size text, an empty value; signed by the
// test key with timestamp 1800000000.
inline const std::string& Published() {
  static const std::string bytes = SigningFile("published.ini");
  return bytes;
}

inline Strings Firsts(const ListModel& m) {
  Strings v;
  for (size_t i = 0; i < m.size(); ++i) v.push_back(m.text(i));
  return v;
}

inline Strings Sizes(const ListModel& m) {
  Strings v;
  for (size_t i = 0; i < m.size(); ++i) v.push_back(m.text(i, 0) + "x" + m.text(i, 1));
  return v;
}

// The lists before the update.
inline void SeedLists(RuleLists& lists) {
  lists = RuleLists();
  for (const char* t : {"Casino", "Gewinn"}) lists.WCS.Add({t});
  for (const char* t : {"CASINO", "Gewinnspiel"}) lists.ADS.Add({t});
  lists.URL.Add({"http://old.example.com"});
  lists.WDS.Add({"120", "600"});
  lists.WDS.Add({"300", "250"});
}

// Bits 0-3 choose WCS, ADS, URL, WDS; bit 4 keeps the existing entries.
inline UpdateChoices ChoicesOf(int bits) {
  UpdateChoices c;
  c.WCS = bits & 1;
  c.ADS = bits & 2;
  c.URL = bits & 4;
  c.WDS = bits & 8;
  c.keepExisting = bits & 16;
  return c;
}

// The lists after a run that merged Published() into the seeded lists: the
// chosen ones merged (existing spelling wins) or replaced, the others as
// they were, all in ascending order.
inline void ExpectMergedPublished(const RuleLists& lists, const UpdateChoices& c) {
  bool keep = c.keepExisting;
  Strings wcs = !c.WCS ? Strings{"Casino", "Gewinn"}
                : keep ? Strings{"Casino", "Gewinn", "Lotto"} : Strings{"casino", "Lotto"};
  Strings ads = !c.ADS ? Strings{"CASINO", "Gewinnspiel"}
                : keep ? Strings{"CASINO", "Gewinnspiel", "Werbung"} : Strings{"casino", "Werbung"};
  Strings url = !c.URL ? Strings{"http://old.example.com"}
                : keep ? Strings{"http://ads.example.com", "http://old.example.com"}
                       : Strings{"http://ads.example.com"};
  Strings wds = !c.WDS ? Strings{"120x600", "300x250"}
                : keep ? Strings{"120x600", "300x250", "468x60"} : Strings{"300x250", "468x60"};
  EXPECT_EQ(wcs, Firsts(lists.WCS));
  EXPECT_EQ(ads, Firsts(lists.ADS));
  EXPECT_EQ(url, Firsts(lists.URL));
  EXPECT_EQ(wds, Sizes(lists.WDS));
}

}  // namespace zt::test
