// The fast keyword and size passes (automaton, parsed size table) against
// the straightforward entry-by-entry passes, on random desktops, lists,
// settings and user edits in the middle of a pass.
#include <gtest/gtest.h>

#include <random>
#include <tuple>

#include "engine_world.h"
#include "scanner_reference.h"

namespace zt::test {
namespace {

const char* const kPieces[] = {"a", "b", "ab", "A", "B", "ä", "Ä", " ", "-", "x", "Mozilla", "z"};

std::string RandomText(std::mt19937& rng, int maxPieces) {
  std::string s;
  int n = std::uniform_int_distribution<int>(0, maxPieces)(rng);
  for (int i = 0; i < n; ++i) s += kPieces[rng() % std::size(kPieces)];
  return s;
}

const std::pair<int, int> kSizes[] = {{400, 300}, {468, 60}, {300, 200}, {800, 600}, {120, 600}};

std::vector<std::string> RandomSizeRow(std::mt19937& rng) {
  if (rng() % 12 == 0) {
    const char* bad[] = {"x", "", "4OO", "400 "};
    return {std::to_string(kSizes[rng() % 5].first), bad[rng() % 4]};
  }
  auto [w, h] = kSizes[rng() % 5];
  if (rng() % 10 == 0) return {"+" + std::to_string(w), " " + std::to_string(h)};
  return {std::to_string(w), std::to_string(h)};
}

// One random world; the edit script at the pumps draws from its own seed.
void Build(EngineWorld& w, uint32_t seed) {
  std::mt19937 rng(seed);
  Settings& s = w.app.settings;
  s.Internet_Explorer = rng() % 5 != 0;
  s.Mozilla = rng() % 5 != 0;
  s.Firefox = rng() % 5 != 0;
  s.Small_Windows = rng() % 3 == 0;
  s.SmallWindowWidth = rng() % 2 ? 320 : 120;
  s.SmallWindowHeight = rng() % 2 ? 200 : 60;
  int windows = std::uniform_int_distribution<int>(0, 12)(rng);
  for (int i = 0; i < windows; ++i) {
    int kind = 1 + static_cast<int>(rng() % 3);
    auto [width, height] = kSizes[rng() % 5];
    WindowHandle h = w.Browser(kind, RandomText(rng, 5), width, height);
    w.desktop.at(h).iconic = rng() % 6 == 0;
    w.desktop.at(h).closesOnClose = rng() % 2 == 0;
  }
  int keywords = std::uniform_int_distribution<int>(0, 20)(rng);
  for (int i = 0; i < keywords; ++i) w.app.rules.ADS.Add({RandomText(rng, 2)});
  if (rng() % 2) ListviewSort(w.app.rules.ADS, 0, 0);
  int sizes = std::uniform_int_distribution<int>(0, 8)(rng);
  for (int i = 0; i < sizes; ++i) w.app.rules.WDS.Add(RandomSizeRow(rng));

  auto edits = std::make_shared<std::mt19937>(seed ^ 0x9E3779B9u);
  w.view.onPump = [&w, edits] {
    std::mt19937& r = *edits;
    ListModel& list = r() % 2 ? w.app.rules.ADS : w.app.rules.WDS;
    switch (r() % 6) {
      case 0:
        if (!list.empty()) list.Erase(r() % list.size());
        break;
      case 1:
        if (&list == &w.app.rules.ADS) list.Add({RandomText(r, 2)});
        else list.Add(RandomSizeRow(r));
        break;
      case 2:
        w.app.settings.Mozilla = !w.app.settings.Mozilla;
        break;
      case 3:
        list.Clear();
        break;
      default:
        break;  // most of the time the user does nothing
    }
  };
}

using Outcome = std::tuple<std::vector<std::pair<WindowHandle, unsigned>>, std::vector<std::vector<std::string>>,
                           std::vector<bool>, std::vector<std::vector<std::string>>,
                           std::vector<std::vector<std::string>>, int>;

Outcome Observe(const EngineWorld& w) {
  Outcome o;
  for (const PostedMessage& m : w.desktop.posted) std::get<0>(o).emplace_back(m.to, m.msg);
  for (const HistoryEntry& e : w.app.engine.history) {
    std::get<1>(o).push_back({e.title, e.width, e.height, e.scanner, std::to_string(static_cast<int>(e.rule.source)),
                              e.rule.first, e.rule.second});
  }
  for (size_t i = 0; i < w.app.engine.OpenWindows.count; ++i) std::get<2>(o).push_back(w.app.engine.OpenWindows.records[i].Handled);
  for (const ListRow& r : w.app.rules.ADS.rows()) std::get<3>(o).push_back(r.cols);
  for (const ListRow& r : w.app.rules.WDS.rows()) std::get<4>(o).push_back(r.cols);
  std::get<5>(o) = w.view.pumps;
  return o;
}

}  // namespace

TEST(ScannerEquivalence, FastPassesCloseExactlyWhatTheStraightforwardPassesClose) {
  int closings = 0, endings = 0;
  for (uint32_t seed = 1; seed <= 1000; ++seed) {
    EngineWorld fast, plain;
    Build(fast, seed);
    Build(plain, seed);
    fast.Snapshot();
    plain.Snapshot();
    // Two cycles, so the cached automaton and size table are reused and
    // rebuilt after edits.
    for (int cycle = 0; cycle < 2; ++cycle) {
      KillwindowWDS(fast.app.Scan());
      killwindowADS(fast.app.Scan());
      ReferenceKillwindowWDS(plain.app);
      ReferenceKillwindowADS(plain.app);
      ASSERT_TRUE(Observe(fast) == Observe(plain)) << "seed " << seed << " cycle " << cycle;
      for (size_t i = 0; i < fast.app.engine.OpenWindows.count; ++i) {
        fast.app.engine.OpenWindows.records[i].Handled = false;
        plain.app.engine.OpenWindows.records[i].Handled = false;
      }
    }
    closings += static_cast<int>(fast.app.engine.history.size());
    endings += fast.view.pumps > 0;
  }
  // The random worlds do close windows and do see edits.
  EXPECT_GT(closings, 500);
  EXPECT_GT(endings, 150);
}

TEST(KeywordMatcher, FirstMatchAgreesWithASearchPerEntry) {
  std::mt19937 rng(7);
  for (int round = 0; round < 300; ++round) {
    ListModel list(ListViewId::ADS);
    int n = std::uniform_int_distribution<int>(0, 200)(rng);
    for (int i = 0; i < n; ++i) list.Add({RandomText(rng, 3)});
    KeywordMatcher m;
    m.Build(list);
    ASSERT_TRUE(m.IsFor(list));
    for (int t = 0; t < 20; ++t) {
      std::string text = RandomText(rng, 12);
      long expected = -1;
      std::string folded = LowerAZ(text);
      for (size_t j = 0; j < list.size() && expected < 0; ++j) {
        std::string e = LowerAZ(list.text(j));
        if (!e.empty() && folded.find(e) != std::string::npos) expected = static_cast<long>(j);
      }
      ASSERT_EQ(expected, m.FirstMatch(text)) << text;
    }
    list.Add({"new"});
    EXPECT_FALSE(m.IsFor(list));
  }
}

TEST(SizeTable, ParsesDecimalsAndStopsAtTheFirstBrokenRow) {
  EXPECT_EQ(400, ParseDecimal("400"));
  EXPECT_EQ(400, ParseDecimal("  +400"));
  EXPECT_EQ(-3, ParseDecimal("-3"));
  EXPECT_EQ(2147483647, ParseDecimal("2147483647"));
  EXPECT_EQ(-2147483647 - 1, ParseDecimal("-2147483648"));
  for (const char* bad : {"", " ", "+", "400 ", "4O0", "0x10", "2147483648", "1e3", "99999999999999999999"})
    EXPECT_FALSE(ParseDecimal(bad).has_value()) << bad;

  ListModel list(ListViewId::WDS);
  list.Add({"400", "300"});
  list.Add({"468", "60"});
  list.Add({"400", "300"});
  list.Add({"1", "x"});
  list.Add({"800", "600"});
  SizeTable t;
  t.Build(list);
  EXPECT_EQ(5u, t.rows());
  EXPECT_EQ(3u, t.firstBad());
  EXPECT_EQ(0, t.Find(400, 300));
  EXPECT_EQ(1, t.Find(468, 60));
  EXPECT_EQ(-1, t.Find(800, 600));  // behind the broken row
  EXPECT_EQ(-1, t.Find(300, 400));
}

}  // namespace zt::test
