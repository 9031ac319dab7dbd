// The rule behind each closing: what every scanner and killer records, its
// name, taking it back from the history, and the rules that would close a
// window chosen in the list of active windows.
#include <gtest/gtest.h>

#include "app/rule_editing.h"
#include "engine/closing_rules.h"
#include "engine_world.h"

namespace zt::test {
namespace {

// Lists shared by the cases below, each sorted as the program keeps it.
void FillLists(EngineWorld& w) {
  EngineWorld::Fill(w.app.rules.WCS, {{"Online Casino"}, {"Werbung"}});
  EngineWorld::Fill(w.app.rules.URL, {{"http://ads.example"}});
  EngineWorld::Fill(w.app.rules.ADS, {{"bingo"}, {"casino"}});
  EngineWorld::Fill(w.app.rules.WDS, {{"468", "60"}, {"0300", "250"}});
}

struct RecordCase {
  const char* name;
  void (*setup)(EngineWorld& w);
  RuleSource source;
  std::string first, second;
};

const RecordCase kRecordCases[] = {
    {"keyword inside the caption", [](EngineWorld& w) { w.Browser(kInternetExplorer, "Play Casino Royale"); },
     RuleSource::ADS, "casino", ""},
    {"caption folded a-z, recorded as the row holds it", [](EngineWorld& w) { w.Browser(kMozilla, "werbung"); },
     RuleSource::WCS, "Werbung", ""},
    {"address of an Internet Explorer window",
     [](EngineWorld& w) { w.AddressBar(w.Browser(kInternetExplorer, "News"), "http://ads.example"); },
     RuleSource::URL, "http://ads.example", ""},
    {"size entry with the row's own text", [](EngineWorld& w) { w.Browser(kFirefox, "News", 300, 250); },
     RuleSource::WDS, "0300", "250"},
    {"size and keyword: the size pass runs first",
     [](EngineWorld& w) { w.Browser(kInternetExplorer, "casino", 468, 60); }, RuleSource::WDS, "468", "60"},
    {"minimum size with the limits in force",
     [](EngineWorld& w) {
       w.app.settings.Small_Windows = true;
       w.app.settings.SmallWindowWidth = 330;
       w.app.settings.SmallWindowHeight = 210;
       w.Browser(kInternetExplorer, "casino", 800, 150);
     },
     RuleSource::MinSize, "330", "210"},
    {"Flash control: the setting",
     [](EngineWorld& w) {
       w.app.settings.FlashAX = true;
       w.desktop.AddChild(w.Browser(kInternetExplorer, "News"), "MacromediaFlashPlayerActiveX");
     },
     RuleSource::Flash, "", ""},
    {"Notepad: the setting",
     [](EngineWorld& w) {
       w.app.settings.Notepad = true;
       w.Browser(kInternetExplorer, "News");
       w.desktop.Add("Notepad", "Untitled - Notepad");
     },
     RuleSource::Notepad, "", ""},
};

TEST(RecordedRule, EveryClosingKeepsTheRuleThatDecidedIt) {
  for (const RecordCase& c : kRecordCases) {
    EngineWorld w;
    FillLists(w);
    c.setup(w);
    w.Cycle();
    ASSERT_EQ(1u, w.app.engine.history.size()) << c.name;
    const HistoryEntry& e = w.app.engine.history[0];
    EXPECT_EQ((ClosingRule{c.source, c.first, c.second}), e.rule) << c.name;
  }
}

// The user edits a list while a closing is recorded (the pass walks from the
// last window up): the next window's rule is read from the list as it is
// then, not from the row where its entry used to be.
struct EditCase {
  const char* name;
  void (*fill)(EngineWorld& w);
  void (*edit)(RuleLists& rules);
  ClosingRule second;  // the rule recorded for the upper window
};

const EditCase kEditCases[] = {
    {"keyword added in front",
     [](EngineWorld& w) {
       EngineWorld::Fill(w.app.rules.ADS, {{"casino"}, {"poker"}});
       w.Browser(kInternetExplorer, "casino");
       w.Browser(kInternetExplorer, "poker night");
     },
     [](RuleLists& r) {
       r.ADS.Add({"bingo"});
       ListviewSort(r.ADS, 0, 2);
     },
     {RuleSource::ADS, "casino", ""}},
    {"size entry added in front",
     [](EngineWorld& w) {
       EngineWorld::Fill(w.app.rules.WDS, {{"300", "250"}, {"468", "60"}});
       w.Browser(kInternetExplorer, "A", 300, 250);
       w.Browser(kInternetExplorer, "B", 468, 60);
     },
     [](RuleLists& r) {
       r.WDS.Add({"100", "100"});
       ListviewSort(r.WDS, 0, 2);
     },
     {RuleSource::WDS, "300", "250"}},
};

TEST(RecordedRule, ListEditedWhileAClosingIsRecorded) {
  for (const EditCase& c : kEditCases) {
    EngineWorld w;
    c.fill(w);
    bool edited = false;
    w.view.onPump = [&] {
      if (!edited && !w.app.engine.history.empty()) {
        edited = true;
        c.edit(w.app.rules);
      }
    };
    w.Cycle();
    ASSERT_EQ(2u, w.app.engine.history.size()) << c.name;
    EXPECT_EQ(c.second, w.app.engine.history[1].rule) << c.name;
  }
}

TEST(RuleText, NamesTheListAndEntryOrTheSettingInBothLanguages) {
  struct Case {
    ClosingRule rule;
    const char* english;
    const char* german;
  };
  const Case cases[] = {
      {{RuleSource::ADS, "casino", ""}, "ADS: casino", "ADS: casino"},
      {{RuleSource::WCS, "Online Casino", ""}, "WCS: Online Casino", "WCS: Online Casino"},
      {{RuleSource::URL, "http://ads.example", ""}, "URL: http://ads.example", "URL: http://ads.example"},
      {{RuleSource::WDS, "468", "60"}, "WDS: 468 x 60", "WDS: 468 x 60"},
      {{RuleSource::MinSize, "320", "200"}, "Minimum size: 320 x 200", "Mindestgröße: 320 x 200"},
      {{RuleSource::Flash, "", ""}, "Setting: Remove Flash-Movies (Filter bis Version 6)",
       "Einstellung: Entferne Flash-Filme (Filter bis Version 6)"},
      {{RuleSource::Notepad, "", ""}, "Setting: Stop Notepad", "Einstellung: Notepad anhalten"},
      {{RuleSource::None, "", ""}, "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.english, RuleText(c.rule, EnglishTexts()));
    EXPECT_EQ(c.german, RuleText(c.rule, GermanTexts()));
  }
}

// Taking a rule back from the history.
class HistoryRemove : public ::testing::Test {
 protected:
  HistoryRemove() { FillLists(w); }
  EngineWorld w;
  RuleEditing ed{w.app};
};

struct RemoveCase {
  ClosingRule rule;
  ListModel RuleLists::*list;  // nullptr: a switch, not a list entry
  std::vector<EditBox> emptied;
  const char* question;
};

const RemoveCase kRemoveCases[] = {
    {{RuleSource::WCS, "Werbung", ""}, &RuleLists::WCS, {EditBox::EDADDCaption}, "Remove the rule \"WCS: Werbung\"?"},
    {{RuleSource::URL, "http://ads.example", ""}, &RuleLists::URL, {EditBox::EdAddURL},
     "Remove the rule \"URL: http://ads.example\"?"},
    {{RuleSource::ADS, "casino", ""}, &RuleLists::ADS, {EditBox::EdAddKey}, "Remove the rule \"ADS: casino\"?"},
    {{RuleSource::WDS, "0300", "250"}, &RuleLists::WDS, {EditBox::EdWidth, EditBox::EdHeight},
     "Remove the rule \"WDS: 0300 x 250\"?"},
    {{RuleSource::MinSize, "320", "200"}, nullptr, {}, "Switch off \"Minimum size: 320 x 200\"?"},
    {{RuleSource::Flash, "", ""}, nullptr, {}, "Switch off \"Setting: Remove Flash-Movies (Filter bis Version 6)\"?"},
    {{RuleSource::Notepad, "", ""}, nullptr, {}, "Switch off \"Setting: Stop Notepad\"?"},
};

TEST_F(HistoryRemove, AsksNamingTheRuleThenRemovesItLikeTheListsRemoveButton) {
  for (const RemoveCase& c : kRemoveCases) {
    EngineWorld fresh;
    FillLists(fresh);
    RuleEditing editing{fresh.app};
    Settings& s = fresh.app.settings;
    s.Small_Windows = s.FlashAX = s.Notepad = true;
    for (EditBox box : c.emptied) fresh.view.edits[box] = "typed";
    size_t rows = c.list ? (fresh.app.rules.*c.list).size() : 0;
    ASSERT_TRUE(editing.RuleInForce(c.rule)) << c.question;

    // No: nothing changes.
    fresh.system.answers = {kIdNo};
    EXPECT_FALSE(editing.RemoveHistoryRule(c.rule));
    EXPECT_TRUE(editing.RuleInForce(c.rule));

    fresh.system.answers = {kIdYes};
    EXPECT_TRUE(editing.RemoveHistoryRule(c.rule));
    ASSERT_EQ(2u, fresh.system.boxes.size());
    EXPECT_EQ(c.question, fresh.system.boxes[1].text);
    EXPECT_EQ(kAppCaption, fresh.system.boxes[1].caption);
    EXPECT_EQ(kMbYesNo | kMbIconQuestion, fresh.system.boxes[1].flags);
    EXPECT_FALSE(editing.RuleInForce(c.rule)) << c.question;
    if (c.list) {
      const ListModel& list = fresh.app.rules.*c.list;
      EXPECT_EQ(rows - 1, list.size()) << c.question;
      EXPECT_EQ(list.id(), fresh.view.changed.back());
    }
    for (EditBox box : c.emptied) EXPECT_EQ("", fresh.view.edits[box]) << c.question;
    // Gone: no second question.
    EXPECT_FALSE(editing.RemoveHistoryRule(c.rule));
    EXPECT_EQ(2u, fresh.system.boxes.size());
  }
}

TEST_F(HistoryRemove, SwitchesOffOnlyTheirOwnSetting) {
  Settings& s = w.app.settings;
  s.Small_Windows = s.FlashAX = s.Notepad = true;
  w.view.smallWindowsChecked = true;
  ASSERT_TRUE(ed.RemoveHistoryRule({RuleSource::MinSize, "320", "200"}));
  EXPECT_FALSE(s.Small_Windows);
  EXPECT_FALSE(w.view.smallWindowsChecked);  // CheckBoxSW follows
  EXPECT_TRUE(s.FlashAX && s.Notepad);
  ASSERT_TRUE(ed.RemoveHistoryRule({RuleSource::Notepad, "", ""}));
  EXPECT_TRUE(s.FlashAX);
  EXPECT_FALSE(s.Notepad);
}

TEST_F(HistoryRemove, AnEntryNoLongerInItsListIsNotInForce) {
  const ClosingRule gone[] = {
      {RuleSource::ADS, "Casino", ""},       // another spelling is another entry
      {RuleSource::WDS, "300", "250"},   // the row holds "0300"
      {RuleSource::WCS, "casino", ""},       // a keyword, not a caption
      {RuleSource::URL, "", ""},
      {RuleSource::None, "", ""},
  };
  for (const ClosingRule& r : gone) {
    EXPECT_FALSE(ed.RuleInForce(r));
    EXPECT_FALSE(ed.RemoveHistoryRule(r));
  }
  EXPECT_TRUE(w.system.boxes.empty());
  // A switch that is off is gone as well.
  w.app.settings.Small_Windows = false;
  EXPECT_FALSE(ed.RuleInForce({RuleSource::MinSize, "320", "200"}));
}

TEST_F(HistoryRemove, TheSameWindowOpenedAgainStaysOpen) {
  w.Browser(kInternetExplorer, "Casino Royale");
  w.Cycle();
  ASSERT_EQ(1u, w.app.engine.history.size());
  w.Deliver();
  ASSERT_TRUE(ed.RemoveHistoryRule(w.app.engine.history[0].rule));
  WindowHandle again = w.Browser(kInternetExplorer, "Casino Royale");
  w.Cycle();
  EXPECT_EQ(1u, w.app.engine.history.size());
  EXPECT_TRUE(w.desktop.PostedTo(again).empty());
}

// The rules that would close a window, matched as the passes match.
struct QueryCase {
  const char* name;
  WindowFacts window;
  bool smallWindows;
  std::vector<std::string> rules;  // RuleText in English, in pass order
};

const QueryCase kQueryCases[] = {
    {"keyword and caption of Internet Explorer",
     {"Online Casino - Microsoft Internet Explorer", "", kInternetExplorer, WindowRect{0, 0, 800, 600}, false},
     false,
     {"ADS: casino", "WCS: Online Casino"}},
    {"caption less the Mozilla suffix, folded a-z",
     {"online casino - Mozilla", "", kMozilla, WindowRect{0, 0, 800, 600}, false}, false,
     {"ADS: casino", "WCS: Online Casino"}},
    {"Firefox suffix", {"Werbung - Mozilla Firefox", "", kFirefox, WindowRect{0, 0, 800, 600}, false}, false,
     {"WCS: Werbung"}},
    {"caption of another browser's suffix", {"Werbung - Mozilla", "", kFirefox, WindowRect{0, 0, 800, 600}, false},
     false, {}},
    {"address of Internet Explorer only",
     {"News", "http://ADS.example", kInternetExplorer, WindowRect{0, 0, 800, 600}, false}, false,
     {"URL: http://ads.example"}},
    {"address of Mozilla", {"News", "http://ads.example", kMozilla, WindowRect{0, 0, 800, 600}, false}, false, {}},
    {"size entry, and the minimum size while it is on",
     {"News", "", kInternetExplorer, WindowRect{10, 10, 478, 70}, false}, true,
     {"WDS: 468 x 60", "Minimum size: 320 x 200"}},
    {"size entry with leading zero", {"News", "", kInternetExplorer, WindowRect{0, 0, 300, 250}, false}, false,
     {"WDS: 0300 x 250"}},
    {"minimum size limits included", {"News", "", kMozilla, WindowRect{0, 0, 320, 900}, false}, true,
     {"Minimum size: 320 x 200"}},
    {"minimum size misses a window just larger",
     {"News", "", kMozilla, WindowRect{0, 0, 800, 201}, false}, true, {}},
    {"minimised windows escape the minimum size", {"News", "", kMozilla, WindowRect{0, 0, 100, 100}, true}, true,
     {}},
    {"a window that is gone has no size", {"News", "", kMozilla, std::nullopt, false}, true, {}},
    {"umlauts are not folded", {"FÜR DICH - Mozilla", "", kMozilla, WindowRect{0, 0, 800, 600}, false}, false, {}},
    {"every keyword found", {"Casino Bingo - Mozilla", "", kMozilla, WindowRect{0, 0, 800, 600}, false}, false,
     {"ADS: bingo", "ADS: casino"}},
};

TEST(RulesThatWouldClose, MatchAsThePassesMatch) {
  for (const QueryCase& c : kQueryCases) {
    EngineWorld w;
    FillLists(w);
    EngineWorld::Fill(w.app.rules.ADS, {{"für"}});
    w.app.settings.Small_Windows = c.smallWindows;
    std::vector<std::string> names;
    for (const ClosingRule& r : RulesThatWouldClose(w.app.rules, w.app.settings, c.window))
      names.push_back(RuleText(r, EnglishTexts()));
    EXPECT_EQ(c.rules, names) << c.name;
  }
}

TEST(RulesThatWouldClose, SizeEntriesBehindOneThatIsNoNumberNeverAct) {
  EngineWorld w;
  w.app.rules.WDS.Add({"468", "60"});
  w.app.rules.WDS.Add({"x", "1"});
  w.app.rules.WDS.Add({"468", "60"});
  WindowFacts banner{"News", "", kInternetExplorer, WindowRect{0, 0, 468, 60}, false};
  EXPECT_EQ(1u, RulesThatWouldClose(w.app.rules, w.app.settings, banner).size());
}

class ChosenWindow : public ::testing::Test {
 protected:
  ChosenWindow() {
    FillLists(w);
    w.Browser(kInternetExplorer, "Online Casino");
    w.Browser(kMozilla, "News");
    w.app.flags.IsPaused = true;
    w.Cycle();  // paused: lists the windows, closes nothing
  }
  void Choose(int row) {
    w.app.engine.ListView1.selected = row;
    ed.ListView1Change();
  }
  EngineWorld w;
  RuleEditing ed{w.app};
};

TEST_F(ChosenWindow, FirstPanelNamesTheRulesOrSaysNoneAndShowsTheVersionWhenNothingIsChosen) {
  auto others = [this] {
    std::map<int, std::string> p = w.view.panels;
    p.erase(0);
    return p;
  };
  std::map<int, std::string> before = others();
  // ListView1 lists the snapshot from its first record: the casino window first.
  Choose(0);
  EXPECT_EQ(" Would be closed by: ADS: casino; WCS: Online Casino", w.view.panels[0]);
  Choose(1);
  EXPECT_EQ(" No rule would close this window", w.view.panels[0]);
  // A rule added by hand shows at once.
  w.view.edits[EditBox::EdAddKey] = "news";
  ed.BtAddKeyClick();
  EXPECT_EQ(" Would be closed by: ADS: news", w.view.panels[0]);
  Choose(-1);
  EXPECT_EQ(kVersionPanel, w.view.panels[0]);
  // The scanners' and the activity panels were never touched.
  EXPECT_EQ(before, others());
}

}  // namespace
}  // namespace zt::test
