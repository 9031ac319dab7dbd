// Sorting, exact lookup and column fitting of the list views.
#include <gtest/gtest.h>

#include "rules/list_ops.h"

namespace zt::test {
namespace {

ListModel Rows(std::initializer_list<const char*> texts, ListViewId id = ListViewId::WCS) {
  ListModel m(id);
  for (const char* t : texts) m.Add({t});
  return m;
}

std::vector<std::string> Firsts(const ListModel& m) {
  std::vector<std::string> v;
  for (size_t i = 0; i < m.size(); ++i) v.push_back(m.text(i));
  return v;
}

// Whether the lookup finds a row at all.
bool Found(const std::string& text, const ListModel& m, const std::string& suffix) {
  return FindStrInListview(text, m, suffix) >= 0;
}

}  // namespace

TEST(ListviewSort, FoldsOnlyAToZAndShorterPrefixFirst) {
  ListModel m = Rows({"apricot", "a_b", "Apple", "ab", "apfel", "Ärger", "a", "Zebra"});
  ListviewSort(m, 0, 0);
  EXPECT_EQ((std::vector<std::string>{"a", "ab", "apfel", "Apple", "apricot", "a_b", "Zebra", "Ärger"}),
            Firsts(m));
  EXPECT_EQ(0, m.sortDirection);
  EXPECT_EQ(0, m.sortImage);
  EXPECT_EQ(0, m.sortColumn);
}

TEST(ListviewSort, ModesSetStateAndModeTwoRepeatsStoredDirection) {
  ListModel m = Rows({"b", "c", "a"});
  ListviewSort(m, 1, 1);
  EXPECT_EQ((std::vector<std::string>{"c", "b", "a"}), Firsts(m));
  EXPECT_EQ(1, m.sortDirection);
  EXPECT_EQ(1, m.sortImage);
  EXPECT_EQ(1, m.sortColumn);
  m.Add({"d"});
  ListviewSort(m, 0, 2);
  EXPECT_EQ((std::vector<std::string>{"d", "c", "b", "a"}), Firsts(m));
  EXPECT_EQ(1, m.sortColumn);  // mode 2 leaves header image and state
  uint64_t rev = m.revision();
  ListviewSort(m, 0, 7);       // any other mode does nothing
  EXPECT_EQ(rev, m.revision());
}

TEST(FindStrInListview, TrimsFoldsAndAppendsSuffix) {
  ListModel m = Rows({"casino", "gewinn", "Lotto", "zz top"});
  ListviewSort(m, 0, 0);
  EXPECT_TRUE(Found("  Gewinn - Mozilla  ", m, " - Mozilla"));
  EXPECT_FALSE(Found("  Gewinn - Mozilla  ", m, " - Mozilla Firefox"));
  EXPECT_TRUE(Found("LOTTO", m, ""));
  EXPECT_FALSE(Found("Lott", m, ""));
  EXPECT_FALSE(Found("für", Rows({"FÜR"}), ""));  // only a-z fold
  EXPECT_FALSE(Found("x", ListModel(), ""));
}

TEST(FindStrInListview, KeyIsTrimmedAfterTheSuffixIsAppended) {
  ListModel m = Rows({"Bonus ", "zz"});
  EXPECT_TRUE(Found("bonus", m, ""));
  EXPECT_TRUE(Found("Bonus  - Mozilla", m, " - Mozilla"));
  EXPECT_FALSE(Found("Bonus - Mozilla", m, " - Mozilla"));
  EXPECT_TRUE(Found("- Mozilla", Rows({""}), " - Mozilla"));
}

TEST(FindStrInListview, UrlMatchesOnlyAsAWhole) {
  ListModel m = Rows({"http://ads.example.com", "http://b.example.com"});
  ListviewSort(m, 0, 0);
  EXPECT_TRUE(Found("HTTP://ADS.example.com", m, ""));
  EXPECT_FALSE(Found("http://ads.example.com.evil", m, ""));
  EXPECT_FALSE(Found("http://ads", m, ""));
}

TEST(FindStrInListview, FindsEveryRowOfALargeSortedList) {
  ListModel m(ListViewId::URL);
  for (int i = 0; i < 1000; ++i) m.Add({"Entry" + std::to_string(i * 7)});
  ListviewSort(m, 0, 0);
  for (int i = 0; i < 1000; ++i) ASSERT_TRUE(Found("entry" + std::to_string(i * 7), m, ""));
  EXPECT_FALSE(Found("entry1", m, ""));
}

// Typing in a list: ListView1 keeps the order the windows were found in,
// so its search runs from the start row round to the top.
TEST(FindTypedRow, UnsortedListSearchesOnFromTheStartRowAndWraps) {
  ListModel m = Rows({"Zeta news", "alpha mail", "Beta shop", "beta blog", "gamma"}, ListViewId::ListView1);
  struct Case {
    const char* typed;
    int start, row;
  } cases[] = {
      {"b", 0, 2}, {"b", 2, 2}, {"b", 3, 3}, {"b", 4, 2},  // wraps round to the first match
      {"ALPHA", 0, 1}, {"z", 3, 0}, {"x", 0, -1}, {"", 0, -1}, {"gamma ray", 0, -1},
      {"a", -1, 1}, {"a", 99, 1},  // a start outside the rows counts from the top
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.row, FindTypedRow(m, c.typed, c.start, false)) << c.typed << " from " << c.start;
}

// On a sorted list the bisecting search lands where the plain one does,
// in both directions, from every start row.
TEST(FindTypedRow, BisectionAgreesWithThePlainSearchOnSortedLists) {
  ListModel m = Rows({"ads.example", "Ads.other", "banner.net", "click.com", "clicks.org", "tracker.io", "x"});
  for (int direction : {0, 1}) {
    ListviewSort(m, 0, direction);
    for (const char* typed : {"a", "ADS.", "b", "c", "click", "clicks", "t", "x", "y", "0"})
      for (int start = 0; start < static_cast<int>(m.size()); ++start)
        EXPECT_EQ(FindTypedRow(m, typed, start, false), FindTypedRow(m, typed, start, true))
            << direction << " " << typed << " from " << start;
  }
}

TEST(RowwidthLW, ThresholdsAndBankersRounding) {
  using P = std::vector<std::pair<int, int>>;
  EXPECT_EQ((P{{0, 326}, {1, 160}}), rowwidthLW(ListViewId::ListView1, 500, 7));
  EXPECT_EQ((P{{0, 301}, {1, 160}}), rowwidthLW(ListViewId::ListView1, 500, 8));
  EXPECT_EQ((P{{0, 396}}), rowwidthLW(ListViewId::ADS, 400, 9));
  EXPECT_EQ((P{{0, 379}}), rowwidthLW(ListViewId::URL, 400, 10));
  // W = 401: 197.5 -> 198 (even), 198.5 -> 198 (even), 189.5 -> 190.
  EXPECT_EQ((P{{0, 198}, {1, 198}}), rowwidthLW(ListViewId::WDS, 401, 3));
  EXPECT_EQ((P{{0, 190}, {1, 190}}), rowwidthLW(ListViewId::WDS, 401, 10));
  EXPECT_EQ((P{{1, 200}}), rowwidthLW(ListViewId::History, 600, 11));
  EXPECT_EQ((P{{1, 183}}), rowwidthLW(ListViewId::History, 600, 12));
  EXPECT_EQ((P{{0, 296}}), rowwidthLW(ListViewId::Hosts, 300, 14));
  EXPECT_EQ((P{{0, 279}}), rowwidthLW(ListViewId::Hosts, 300, 15));
  EXPECT_TRUE(rowwidthLW(ListViewId::Other, 300, 15).empty());
}

}  // namespace zt::test
