// Editing the rule lists by hand: the adds with their duplicate tests, the
// removes with their selection rules, the row clicks, the key filters, the
// list of active windows as the source of a rule, the minimum-size
// controls, and the column widths after each change.
#include <gtest/gtest.h>

#include "app/rule_editing.h"
#include "engine_world.h"

namespace zt::test {
namespace {

using Rows = std::vector<std::vector<std::string>>;

Rows RowsOf(const ListModel& m) {
  Rows v;
  for (const ListRow& r : m.rows()) v.push_back(r.cols);
  return v;
}

class Editing : public ::testing::Test {
 protected:
  void Fill(ListModel& list, const Rows& rows) {
    for (const auto& r : rows) list.Add(r);
    ListviewSort(list, 0, 0);
  }
  const std::vector<SimMessageBox>& Boxes() { return w.system.boxes; }
  std::string Edit(EditBox box) { return w.view.edits[box]; }

  EngineWorld w;
  RuleEditing ed{w.app};
  RuleLists& rules = w.app.rules;
};

// The three text lists and their add buttons.
struct TextList {
  const char* name;
  ListModel RuleLists::*list;
  EditBox box;
  void (RuleEditing::*add)();
  void (RuleEditing::*keyPress)(char&);
};
const TextList kTextLists[] = {
    {"WCS", &RuleLists::WCS, EditBox::EDADDCaption, &RuleEditing::BTAddClick, &RuleEditing::EDADDCaptionKeyPress},
    {"URL", &RuleLists::URL, EditBox::EdAddURL, &RuleEditing::BtURLAddClick, &RuleEditing::EdAddURLKeyPress},
    {"ADS", &RuleLists::ADS, EditBox::EdAddKey, &RuleEditing::BtAddKeyClick, &RuleEditing::EdAddKeyKeyPress},
};

TEST_F(Editing, TextAddsTestDuplicatesExactlyAndAlwaysEmptyTheBox) {
  struct Case {
    Rows before;
    std::string input;
    Rows after;
  } cases[] = {
      {{{"Werbung"}}, "Werbung", {{"Werbung"}}},                // duplicate: nothing added
      {{{"Werbung"}}, "werbung", {{"Werbung"}, {"werbung"}}},   // case differs: added
      {{{"Werbung"}}, "  Werbung", {{"  Werbung"}, {"Werbung"}}},  // blanks kept
      {{{"a"}, {"c"}}, "b", {{"a"}, {"b"}, {"c"}}},             // sorted in
      {{{"a"}}, "", {{"a"}}},                                   // empty: nothing
  };
  for (const TextList& l : kTextLists) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(l.name) + " <" + c.input + ">");
      ListModel& list = rules.*l.list;
      list.Clear();
      Fill(list, c.before);
      w.view.edits[l.box] = c.input;
      (ed.*l.add)();
      EXPECT_EQ(c.after, RowsOf(list));
      EXPECT_EQ("", Edit(l.box));
      EXPECT_EQ(kRuleImage, list.row(0).image);
      EXPECT_TRUE(Boxes().empty());
    }
  }
}

TEST_F(Editing, TextAddRunsPendingMessagesFirstKeepsTheSelectedPositionAndFocusesTheWindowList) {
  Fill(rules.URL, {{"http://b"}, {"http://d"}});
  rules.URL.selected = 1;
  // A key typed while the add waits for pending messages still counts.
  w.view.onPump = [&] { w.view.edits[EditBox::EdAddURL] = "http://a"; };
  w.view.listsShown = true;
  ed.BtURLAddClick();
  EXPECT_EQ((Rows{{"http://a"}, {"http://b"}, {"http://d"}}), RowsOf(rules.URL));
  EXPECT_EQ(1, rules.URL.selected);  // the position, now another entry
  EXPECT_EQ(ListViewId::ListView1, w.view.focused);

  w.view.onPump = nullptr;
  w.view.focused = ListViewId::Other;
  w.view.listsShown = false;  // main window hidden: the focus stays
  rules.URL.selected = -1;
  w.view.edits[EditBox::EdAddURL] = "http://c";
  ed.BtURLAddClick();
  EXPECT_EQ(-1, rules.URL.selected);
  EXPECT_EQ(ListViewId::Other, w.view.focused);
}

TEST_F(Editing, EnterInATextBoxAddsItsText) {
  for (const TextList& l : kTextLists) {
    SCOPED_TRACE(l.name);
    w.view.edits[l.box] = "casino";
    char key = 'x';
    (ed.*l.keyPress)(key);
    EXPECT_TRUE((rules.*l.list).empty());
    key = kKeyEnter;
    (ed.*l.keyPress)(key);
    EXPECT_EQ((Rows{{"casino"}}), RowsOf(rules.*l.list));
  }
}

TEST_F(Editing, SizeAddComparesNumbersAndRefusesTextThatIsNoNumber) {
  struct Case {
    const char* what;
    Rows before;
    std::string width, height;
    Rows after;
    bool invalid;  // the message; the boxes keep their text
  } cases[] = {
      {"leading zero dropped", {}, "0300", "250", {{"300", "250"}}, false},
      {"numeric duplicate", {{"300", "250"}}, "300", "0250", {{"300", "250"}}, false},
      {"text order of widths", {{"300", "250"}}, "1024", "768", {{"1024", "768"}, {"300", "250"}}, false},
      {"same width, other height", {{"300", "250"}}, "300", "60", {{"300", "250"}, {"300", "60"}}, false},
      {"negative: nothing added", {}, "-5", "10", {}, false},
      {"empty width", {}, "", "250", {}, true},
      {"letters", {}, "abc", "1", {}, true},
      {"bad row", {{"x", "1"}}, "300", "250", {{"x", "1"}}, true},
      {"bad height of an equal width", {{"300", "y"}}, "300", "250", {{"300", "y"}}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    rules.WDS.Clear();
    w.system.boxes.clear();
    Fill(rules.WDS, c.before);
    w.view.edits[EditBox::EdWidth] = c.width;
    w.view.edits[EditBox::EdHeight] = c.height;
    ed.BtAddtoGridClick();
    EXPECT_EQ(c.after, RowsOf(rules.WDS));
    if (c.invalid) {
      ASSERT_EQ(1u, Boxes().size());
      EXPECT_EQ(EnglishTexts().msg.valuesInvalid, Boxes()[0].text);
      EXPECT_EQ(kAppCaption, Boxes()[0].caption);
      EXPECT_EQ(kMbIconError, Boxes()[0].flags);
      EXPECT_EQ(c.width, Edit(EditBox::EdWidth));
      EXPECT_EQ(c.height, Edit(EditBox::EdHeight));
    } else {
      EXPECT_TRUE(Boxes().empty());
      EXPECT_EQ("", Edit(EditBox::EdWidth));
      EXPECT_EQ("", Edit(EditBox::EdHeight));
    }
  }
}

TEST_F(Editing, InvalidSizeMessageIsInTheStartUpLanguage) {
  w.app.flags.IsGerman = true;
  w.view.edits[EditBox::EdWidth] = "";
  ed.BtAddtoGridClick();
  ASSERT_EQ(1u, Boxes().size());
  EXPECT_EQ(GermanTexts().msg.valuesInvalid, Boxes()[0].text);
}

// The four lists with their remove handlers and edit boxes.
struct RemoveList {
  const char* name;
  ListModel RuleLists::*list;
  std::vector<EditBox> boxes;
  void (RuleEditing::*remove)();
  void (RuleEditing::*doubleClick)();
};
const RemoveList kRemoveLists[] = {
    {"WCS", &RuleLists::WCS, {EditBox::EDADDCaption}, &RuleEditing::ButtonRemoveClick,
     &RuleEditing::ListViewWCSDblClick},
    {"URL", &RuleLists::URL, {EditBox::EdAddURL}, &RuleEditing::BtUrlDelClick, &RuleEditing::ListViewURLDblClick},
    {"ADS", &RuleLists::ADS, {EditBox::EdAddKey}, &RuleEditing::BTDelKeyClick, &RuleEditing::ListViewADSDblClick},
    {"WDS", &RuleLists::WDS, {EditBox::EdWidth, EditBox::EdHeight}, &RuleEditing::BtRemWDSClick,
     &RuleEditing::ListViewWDSDblClick},
};

TEST_F(Editing, RemoveDeletesTheSelectedRowAndSelectsTheOneBefore) {
  struct Case {
    Rows before;
    int selected;
    Rows after;
    int selectedAfter;
  } cases[] = {
      {{{"1"}, {"2"}, {"3"}}, 0, {{"2"}, {"3"}}, 0},  // the first: the new first
      {{{"1"}, {"2"}, {"3"}}, 1, {{"1"}, {"3"}}, 0},
      {{{"1"}, {"2"}, {"3"}}, 2, {{"1"}, {"2"}}, 1},
      {{{"1"}}, 0, {}, -1},                            // the only row: empty list
      {{{"1"}, {"2"}}, -1, {{"1"}, {"2"}}, -1},        // nothing selected
  };
  for (const RemoveList& l : kRemoveLists) {
    for (bool doubleClick : {false, true}) {
      for (const Case& c : cases) {
        SCOPED_TRACE(std::string(l.name) + " row " + std::to_string(c.selected) + (doubleClick ? " double" : ""));
        ListModel& list = rules.*l.list;
        list.Clear();
        Fill(list, c.before);
        list.selected = c.selected;
        for (EditBox b : l.boxes) w.view.edits[b] = "typed";
        w.view.focused = ListViewId::Other;
        (ed.*(doubleClick ? l.doubleClick : l.remove))();
        EXPECT_EQ(c.after, RowsOf(list));
        EXPECT_EQ(c.selectedAfter, list.selected);
        for (EditBox b : l.boxes) EXPECT_EQ("", Edit(b));
        EXPECT_EQ(list.id(), w.view.focused);
      }
    }
  }
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(Editing, RowClickCopiesTheSelectedRowIntoTheEditBoxes) {
  Fill(rules.WCS, {{"Gewinn"}});
  Fill(rules.URL, {{"http://ads.example.com"}});
  Fill(rules.ADS, {{"casino"}});
  Fill(rules.WDS, {{"468", "60"}});
  for (ListModel* l : {&rules.WCS, &rules.URL, &rules.ADS, &rules.WDS}) l->selected = 0;
  ed.ListViewWCSClick();
  ed.ListViewURLClick();
  ed.ListViewADSClick();
  ed.ListViewWDSClick();
  EXPECT_EQ("Gewinn", Edit(EditBox::EDADDCaption));
  EXPECT_EQ("http://ads.example.com", Edit(EditBox::EdAddURL));
  EXPECT_EQ("casino", Edit(EditBox::EdAddKey));
  EXPECT_EQ("468", Edit(EditBox::EdWidth));
  EXPECT_EQ("60", Edit(EditBox::EdHeight));
  rules.WCS.selected = -1;
  w.view.edits[EditBox::EDADDCaption] = "mine";
  ed.ListViewWCSClick();
  EXPECT_EQ("mine", Edit(EditBox::EDADDCaption));
}

TEST_F(Editing, NumberBoxesTakeDigitsBackspaceAndEnterOnly) {
  struct Case {
    char key;
    bool passes;
  } cases[] = {{'0', true}, {'9', true}, {kKeyBackspace, true}, {kKeyEnter, true}, {'a', false},
               {'-', false}, {' ', false}, {'/', false}, {':', false}, {'\xB2', false}};
  void (RuleEditing::*boxes[])(char&) = {&RuleEditing::EdWidthKeyPress, &RuleEditing::EdHeightKeyPress,
                                         &RuleEditing::EdSWWidthKeyPress, &RuleEditing::EdSWHeightKeyPress};
  for (auto box : boxes) {
    for (const Case& c : cases) {
      char key = c.key;
      (ed.*box)(key);
      EXPECT_EQ(c.passes ? c.key : 0, key) << static_cast<int>(c.key);
    }
  }
  // Enter does nothing further in a number box.
  w.view.edits[EditBox::EdWidth] = "300";
  w.view.edits[EditBox::EdHeight] = "250";
  char enter = kKeyEnter;
  ed.EdWidthKeyPress(enter);
  EXPECT_TRUE(rules.WDS.empty());
  EXPECT_EQ("300", Edit(EditBox::EdWidth));
}

TEST_F(Editing, ActiveWindowClickCopiesCaptionAddressAndSize) {
  WindowHandle ie = w.Browser(kInternetExplorer, "Gewinn", 468, 60);
  w.AddressBar(ie, "http://ads.example.com/popup.html");
  w.Snapshot();
  ListModel& active = w.app.engine.ListView1;
  ASSERT_EQ(1u, active.size());

  active.selected = -1;
  w.view.openRuleEnabled = true;
  ed.ListView1Click();
  EXPECT_FALSE(w.view.openRuleEnabled);
  EXPECT_EQ("", Edit(EditBox::EDADDCaption));

  active.selected = 0;
  ed.ListView1Change();
  EXPECT_TRUE(w.view.openRuleEnabled);
  EXPECT_EQ("", Edit(EditBox::EDADDCaption));  // a change only enables
  ed.ListView1Click();
  EXPECT_EQ("Gewinn", Edit(EditBox::EDADDCaption));
  EXPECT_EQ("http://ads.example.com", Edit(EditBox::EdAddURL));
  EXPECT_EQ("468", Edit(EditBox::EdWidth));
  EXPECT_EQ("60", Edit(EditBox::EdHeight));

  // The window has gone since the list was shown: no size.
  w.desktop.Destroy(ie);
  ed.ListView1Click();
  EXPECT_EQ("Gewinn", Edit(EditBox::EDADDCaption));
  EXPECT_EQ("", Edit(EditBox::EdWidth));
  EXPECT_EQ("", Edit(EditBox::EdHeight));

  // A row without a handle leaves the size boxes alone.
  active.SetText(0, 2, "0");
  w.view.edits[EditBox::EdWidth] = "1";
  ed.ListView1Click();
  EXPECT_EQ("1", Edit(EditBox::EdWidth));
}

TEST_F(Editing, MinimumSizeBoxTakesBothValuesOrUnchecksItself) {
  struct Case {
    const char* width;
    const char* height;
    bool on;
    int32_t widthAfter, heightAfter;
  } cases[] = {
      {"400", "300", true, 400, 300},
      {"400", "", false, 400, 200},  // the width was taken before the height failed
      {"", "300", false, 320, 200},
      {"12x", "300", false, 320, 200},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.width) + "/" + c.height);
    SetDefaults(w.app.settings);
    w.system.boxes.clear();
    w.view.edits[EditBox::EdSWWidth] = c.width;
    w.view.edits[EditBox::EdSWHeight] = c.height;
    w.view.smallWindowsChecked = true;  // the user ticked it
    ed.CheckBoxSWClick(true);
    EXPECT_EQ(c.on, w.app.settings.Small_Windows);
    EXPECT_EQ(c.on, w.view.smallWindowsChecked);
    EXPECT_EQ(c.widthAfter, w.app.settings.SmallWindowWidth);
    EXPECT_EQ(c.heightAfter, w.app.settings.SmallWindowHeight);
    EXPECT_EQ(c.on ? 0u : 1u, Boxes().size());
  }
  ed.CheckBoxSWClick(false);
  EXPECT_FALSE(w.app.settings.Small_Windows);
}

TEST_F(Editing, ClickingIntoAMinimumSizeBoxSwitchesTheRuleOff) {
  void (RuleEditing::*handlers[])() = {&RuleEditing::EdSWWidthClick, &RuleEditing::EdSWHeightClick,
                                       &RuleEditing::EdSWWidthMouseDown, &RuleEditing::EdSWHeightMouseDown};
  for (auto h : handlers) {
    w.app.settings.Small_Windows = true;
    w.view.smallWindowsChecked = true;
    (ed.*h)();
    EXPECT_FALSE(w.app.settings.Small_Windows);
    EXPECT_FALSE(w.view.smallWindowsChecked);
  }
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(Editing, TabsShowTheirPanelAndOtherIndexesNothing) {
  for (int tab : {kTabSizes, kTabAddresses, kTabKeywords, kTabCaptions}) {
    ed.TabSet1Click(tab);
    EXPECT_EQ(tab, w.view.rulePanel);
  }
  ed.TabSet1Click(4);
  ed.TabSet1Click(-1);
  EXPECT_EQ(kTabCaptions, w.view.rulePanel);
}

TEST_F(Editing, ColumnsNarrowWhenTheListNeedsAScrollBar) {
  w.view.listWidth = 300;
  for (int i = 0; i < 9; ++i) rules.URL.Add({"http://host" + std::to_string(i)});
  w.view.edits[EditBox::EdAddURL] = "http://x9";
  ed.BtURLAddClick();  // the 10th row
  EXPECT_EQ(300 - 21, (w.view.widths[{ListViewId::URL, 0}]));
  rules.URL.selected = 0;
  ed.BtUrlDelClick();  // back to 9
  EXPECT_EQ(300 - 4, (w.view.widths[{ListViewId::URL, 0}]));

  w.view.listWidth = 251;
  for (int i = 0; i < 8; ++i) rules.WDS.Add({std::to_string(100 + i), "60"});
  w.view.edits[EditBox::EdWidth] = "200";
  w.view.edits[EditBox::EdHeight] = "60";
  ed.BtAddtoGridClick();  // 9 rows
  EXPECT_EQ(122, (w.view.widths[{ListViewId::WDS, 0}]));
  EXPECT_EQ(124, (w.view.widths[{ListViewId::WDS, 1}]));
  w.view.edits[EditBox::EdWidth] = "201";
  w.view.edits[EditBox::EdHeight] = "60";
  ed.BtAddtoGridClick();  // 10 rows
  EXPECT_EQ(114, (w.view.widths[{ListViewId::WDS, 0}]));
  EXPECT_EQ(114, (w.view.widths[{ListViewId::WDS, 1}]));
}

TEST_F(Editing, ARuleAddedByHandCountsInTheNextScanCycle) {
  WindowHandle ad = w.Browser(kInternetExplorer, "Sie haben gewonnen");
  w.Cycle();
  EXPECT_TRUE(w.CloseTargets().empty());
  w.view.edits[EditBox::EDADDCaption] = "Sie haben gewonnen";
  ed.BTAddClick();
  w.Cycle();
  EXPECT_EQ((std::vector<WindowHandle>{ad}), w.CloseTargets());
}

TEST(EditingAtQuit, RulesAddedByHandAreSavedWhenTheProgramEnds) {
  SimWorld w;
  w.Install("[URL]\r\n1=http://old.example.com\r\n");
  ZapotrixMain main{w.os, w.view, w.timer1, w.timerCheck};
  main.FormCreate();
  RuleEditing ed{main.state()};
  w.view.edits[EditBox::EdAddURL] = "http://ads.example.com";
  ed.BtURLAddClick();
  w.view.edits[EditBox::EdWidth] = "468";
  w.view.edits[EditBox::EdHeight] = "60";
  ed.BtAddtoGridClick();
  ASSERT_TRUE(main.FormClose());
  EXPECT_EQ("[URL]\r\n1=http://ads.example.com\r\n2=http://old.example.com\r\n[WDS]\r\n1=468\r\n2=60\r\n",
            *w.system.ReadFile(main.state().paths.MainDBFile));
}

}  // namespace
}  // namespace zt::test
