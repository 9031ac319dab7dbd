// The rule assistant in-process under Wine, on the stand-in system: opened
// for a browser window chosen in the main window, driven with the messages
// a user's clicks send, and what it adds to the rule lists.
#include "secondary_window_fixture.h"

namespace zt::test {
namespace {

// The window whose tray menu is open: its first item is chosen by keys.
HWND g_menuOwner = nullptr;
void CALLBACK ChooseFirstMenuItem(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  PostMessageA(g_menuOwner, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageA(g_menuOwner, WM_KEYDOWN, VK_RETURN, 0);
}

class Assistant : public Secondary, public ::testing::WithParamInterface<bool> {};

TEST_P(Assistant, ProposesTheChosenWindowsRules) {
  bool german = GetParam();
  Start(german);
  EXPECT_EQ(nullptr, OpenAssistant());  // no window chosen: nothing happens
  ChooseBrowser("Casino", 468, 60);
  HWND rule = OpenAssistant();
  ASSERT_NE(nullptr, rule);
  const RuleAssistantTexts& t = T().assistant;
  EXPECT_EQ(t.caption, WindowText(rule));
  EXPECT_EQ(t.Label1, WindowText(GetDlgItem(rule, IDC_RULE_LABEL1)));
  EXPECT_EQ(t.BTRuleAdd, WindowText(GetDlgItem(rule, IDC_BTRULEADD)));
  EXPECT_EQ("+", WindowText(GetDlgItem(rule, IDC_RULE_BUTTON1)));
  // No address was read: the URL row is not checked.
  EXPECT_EQ((std::vector<Shown>{{t.rowCaption, "Casino", true},
                                {"URL", "", false},
                                {t.rowSize, "468 x 60", false},
                                {t.rowKeywords, german ? "keine definiert" : "none defined", false}}),
            RuleRows(rule));
  // BTOpenRule again, even for another window: the same assistant, unchanged.
  ChooseBrowser("Andere", 300, 200, 1);
  EXPECT_EQ(rule, OpenAssistant());
  EXPECT_EQ("Casino", RuleRows(rule)[0].value);
  EXPECT_FALSE(GetWindowLongA(main, GWL_STYLE) & WS_DISABLED);  // not modal
}
INSTANTIATE_TEST_SUITE_P(BothLanguages, Assistant, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "German" : "English"; });

TEST_F(Secondary, AssistantOpensByDoubleClickAndByTheTrayItem) {
  Start(false);
  ChooseBrowser("Casino", 468, 60);
  ClickRow(IDC_LISTVIEW1, 0, NM_DBLCLK);
  ASSERT_NE(nullptr, window->ruleAssistant());
  SendMessageA(window->ruleAssistant()->hwnd(), WM_CLOSE, 0, 0);
  EXPECT_EQ(nullptr, window->ruleAssistant());
  // The tray menu's first item is "Create Rule: Casino".
  ClickRow(IDC_LISTVIEW1, -1);
  g_menuOwner = main;
  SetTimer(nullptr, 0, 1, ChooseFirstMenuItem);
  SendMessageA(main, kMsgTrayCallback, TrayIcon::kId, WM_RBUTTONDOWN);
  Pump();
  ASSERT_NE(nullptr, window->ruleAssistant());
  EXPECT_EQ("Casino", RuleRows(window->ruleAssistant()->hwnd())[0].value);
}

TEST_F(Secondary, AssistantKeywordsReplaceThePlaceholderThenAppendAndAreAdded) {
  Start(true);
  ChooseBrowser("Casino", 468, 60);
  HWND rule = OpenAssistant();
  AddKeyword(rule, "");  // nothing
  EXPECT_EQ(4u, RuleRows(rule).size());
  AddKeyword(rule, "casino");
  AddKeyword(rule, "poker");
  std::vector<Shown> rows = RuleRows(rule);
  ASSERT_EQ(5u, rows.size());
  EXPECT_EQ((Shown{"Schlüsselwörter", "casino", true}), rows[3]);
  EXPECT_EQ((Shown{"           \"", "poker", true}), rows[4]);
  EXPECT_EQ("", WindowText(GetDlgItem(rule, IDC_RULE_EDIT1)));
  // The user clears the caption's check box.
  ListView_SetCheckState(GetDlgItem(rule, IDC_LISTVIEWRULE), 0, FALSE);
  Command(rule, IDC_BTRULEADD);
  Pump();
  EXPECT_FALSE(IsWindow(rule));
  EXPECT_EQ(nullptr, window->ruleAssistant());
  EXPECT_EQ((std::vector<std::string>{"casino", "poker"}), Rules(App().rules.ADS));
  EXPECT_TRUE(App().rules.WCS.rows().empty());
}

TEST_F(Secondary, AssistantPlaceholderCannotStayCheckedAndAddsNoKeyword) {
  Start(false);
  ChooseBrowser("Casino", 468, 60);
  HWND rule = OpenAssistant();
  HWND list = GetDlgItem(rule, IDC_LISTVIEWRULE);
  // The context menu on the placeholder row checks it; a click on the table clears it.
  ListView_SetItemState(list, 3, LVIS_SELECTED, LVIS_SELECTED);
  SendMessageA(rule, WM_COMMAND, IDM_HINZUFGEN1, 0);
  EXPECT_TRUE(RuleRows(rule)[3].checked);
  ClickRuleTable(rule, 3);
  EXPECT_FALSE(RuleRows(rule)[3].checked);
  // "hinzufügen" checks the size row; "nicht hinzufügen" clears the caption row.
  ListView_SetItemState(list, 2, LVIS_SELECTED, LVIS_SELECTED);
  SendMessageA(rule, WM_COMMAND, IDM_HINZUFGEN1, 0);
  ListView_SetItemState(list, 0, LVIS_SELECTED, LVIS_SELECTED);
  SendMessageA(rule, WM_COMMAND, IDM_NICHTHINZUFGEN1, 0);
  // The placeholder checked again and taken over: no keyword.
  ListView_SetCheckState(list, 3, TRUE);
  Command(rule, IDC_BTRULEADD);
  EXPECT_TRUE(App().rules.ADS.rows().empty());
  EXPECT_TRUE(App().rules.WCS.rows().empty());
  EXPECT_EQ((std::vector<std::string>{"468x60"}), Rules(App().rules.WDS));
}

TEST_F(Secondary, AssistantEmptySizeShowsTheMessageAndAddsTheOtherRules) {
  Start(false);
  ChooseBrowser("Casino", 468, 60);
  // The size boxes emptied before the assistant opens.
  SetDlgItemTextA(main, IDC_EDWIDTH, "");
  SetDlgItemTextA(main, IDC_EDHEIGHT, "");
  HWND rule = OpenAssistant();
  EXPECT_EQ(" x ", RuleRows(rule)[2].value);
  ListView_SetCheckState(GetDlgItem(rule, IDC_LISTVIEWRULE), 2, TRUE);
  AddKeyword(rule, "casino");
  Command(rule, IDC_BTRULEADD);
  ASSERT_EQ(1u, w.system.boxes.size());
  EXPECT_EQ(T().msg.valuesInvalid, w.system.boxes[0].text);
  EXPECT_EQ((std::vector<std::string>{"Casino"}), Rules(App().rules.WCS));
  EXPECT_EQ((std::vector<std::string>{"casino"}), Rules(App().rules.ADS));
  EXPECT_TRUE(App().rules.WDS.rows().empty());
}

TEST_F(Secondary, AssistantCancelAddsNothing) {
  Start(false);
  ChooseBrowser("Casino", 468, 60);
  HWND rule = OpenAssistant();
  AddKeyword(rule, "casino");
  Command(rule, IDC_BTCANCEL);
  EXPECT_FALSE(IsWindow(rule));
  EXPECT_TRUE(App().rules.WCS.rows().empty());
  EXPECT_TRUE(App().rules.ADS.rows().empty());
  // Opened again: freshly proposed rows.
  HWND again = OpenAssistant();
  ASSERT_NE(nullptr, again);
  EXPECT_EQ(4u, RuleRows(again).size());
}

// The non-modal statistics window and rule assistant answer the keys as
// dialogs do: Tab moves on, Enter in the keyword box adds the keyword,
// Escape closes (the assistant without adding anything).
TEST_F(Secondary, StatisticsAndAssistantTakeTabEnterAndEscape) {
  Start(false);
  ChooseBrowser("Casino", 468, 60);
  auto key = [this](HWND to, WPARAM vk) {
    PostMessageA(to, WM_KEYDOWN, vk, 0);
    PostMessageA(to, WM_KEYUP, vk, 0xC0000001);
    Pump();
  };

  HWND rule = OpenAssistant();
  ASSERT_NE(nullptr, rule);
  HWND edit = GetDlgItem(rule, IDC_RULE_EDIT1);
  SetFocus(edit);
  key(edit, VK_TAB);
  EXPECT_EQ(GetDlgItem(rule, IDC_RULE_BUTTON1), GetFocus());
  SetFocus(edit);
  SetWindowTextA(edit, "casino");
  key(edit, VK_RETURN);
  ASSERT_EQ(4u, RuleRows(rule).size());
  EXPECT_EQ("casino", RuleRows(rule)[3].value);
  EXPECT_EQ("", WindowText(edit));
  key(GetDlgItem(rule, IDC_LISTVIEWRULE), VK_RETURN);  // elsewhere Enter does nothing
  EXPECT_TRUE(IsWindow(rule));
  key(GetDlgItem(rule, IDC_LISTVIEWRULE), VK_ESCAPE);
  EXPECT_FALSE(IsWindow(rule));
  EXPECT_EQ(nullptr, window->ruleAssistant());
  EXPECT_TRUE(App().rules.ADS.rows().empty());

  for (WPARAM close : {VK_ESCAPE, VK_RETURN}) {
    HWND stat = OpenStatistics();
    ASSERT_NE(nullptr, stat);
    key(GetDlgItem(stat, IDC_LISTVIEWHISTORY), close);
    EXPECT_FALSE(IsWindow(stat)) << close;
    EXPECT_EQ(nullptr, window->statistik());
  }
}

// Closing either non-modal window while a modal dialog holds the main
// window must not give the main window its input back.
TEST_F(Secondary, StatisticsAndAssistantClosingLeaveAHeldMainWindowHeld) {
  Start(false);
  ShowWindow(main, SW_SHOW);
  ChooseBrowser("Casino", 468, 60);
  for (bool assistant : {false, true}) {
    HWND other = assistant ? OpenAssistant() : OpenStatistics();
    ASSERT_NE(nullptr, other);
    EnableWindow(main, FALSE);  // as the settings dialog does while open
    Command(other, assistant ? IDC_BTCANCEL : IDC_STATISTIK_BUTTON1);
    Pump();
    EXPECT_FALSE(IsWindow(other)) << assistant;
    EXPECT_FALSE(IsWindowEnabled(main)) << assistant;
    EnableWindow(main, TRUE);
  }
}

}  // namespace
}  // namespace zt::test
