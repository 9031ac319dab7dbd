// The updater cases shared by the native tests (stand-in download) and the
// Wine tests (real download from a local HTTP server): the published
// database, the lists before the update, and what every combination of the
// check boxes must make of them.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rules/rule_lists.h"
#include "rules/updater.h"

namespace zt::test {

using Strings = std::vector<std::string>;

// Duplicates by case and by exact size text, an empty value.
inline const char* const kPublished =
    "[ADS]\r\n1=casino\r\n2=\r\n3=Werbung\r\n"
    "[URL]\r\n1=http://ads.example.com\r\n"
    "[WCS]\r\n1=casino\r\n2=Lotto\r\n"
    "[WDS]\r\n1=300\r\n2=250\r\n3=300\r\n4=250\r\n5=468\r\n6=60\r\n";

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

// The lists after a run that merged kPublished into the seeded lists: the
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
