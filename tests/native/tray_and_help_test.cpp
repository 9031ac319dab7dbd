// The tray menu's items, and the manual and web pages of the help menu.
#include <gtest/gtest.h>

#include "app/help_actions.h"
#include "app/tray_menu.h"
#include "sim_world.h"

namespace zt::test {
namespace {

ListModel ActiveWindows(std::initializer_list<const char*> captions) {
  ListModel m(ListViewId::ListView1);
  for (const char* c : captions) m.Add({c, "", "0"}, 3);
  return m;
}

std::vector<std::string> Names(const std::vector<TrayMenuItem>& items) {
  std::vector<std::string> v;
  for (const TrayMenuItem& i : items) v.push_back(i.separator() ? "-" : i.name);
  return v;
}

}  // namespace

TEST(TrayMenu, FixedItemsWithTagsCaptionsAndSeparatorsInBothLanguages) {
  for (bool german : {false, true}) {
    SCOPED_TRACE(german ? "German" : "English");
    const Texts& t = TextsFor(german);
    std::vector<TrayMenuItem> items = BuildTrayMenu(ActiveWindows({}), false, t);
    EXPECT_EQ((std::vector<std::string>{"Item_Anzeigen", "Item_Einstellungen", "Item_Statistik", "-",
                                        "Item_Anhalten", "-", "Item_Beenden"}),
              Names(items));
    struct Expected {
      const char* caption;
      int tag;
      TrayCommand command;
    } expected[] = {
        {t.main.trayShow, 1, TrayCommand::Show},     {t.main.trayOptions, 4, TrayCommand::Settings},
        {kTrayStatistik, 5, TrayCommand::Statistics}, {"", 0, TrayCommand::None},
        {t.msg.trayStop, 2, TrayCommand::Pause},     {"", 0, TrayCommand::None},
        {t.main.trayQuit, 3, TrayCommand::Quit},
    };
    ASSERT_EQ(7u, items.size());
    for (size_t i = 0; i < items.size(); ++i) {
      EXPECT_EQ(expected[i].caption, items[i].caption) << i;
      EXPECT_EQ(expected[i].tag, items[i].tag) << i;
      EXPECT_EQ(expected[i].command, items[i].command) << i;
      EXPECT_EQ(static_cast<int>(i), items[i].position);
    }
  }
}

TEST(TrayMenu, OneCreateRuleItemPerActiveWindowThenASeparator) {
  for (bool german : {false, true}) {
    const Texts& t = TextsFor(german);
    std::vector<TrayMenuItem> items = BuildTrayMenu(ActiveWindows({"Gewinn", "", "News"}), false, t);
    ASSERT_EQ(11u, items.size());
    std::vector<std::string> names = Names(items);
    names.resize(5);
    EXPECT_EQ((std::vector<std::string>{"ItemX0", "ItemX1", "ItemX2", "-", "Item_Anzeigen"}), names);
    const char* captions[] = {"Gewinn", "", "News"};
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(std::string(t.main.trayCreateRule) + captions[i], items[i].caption);
      EXPECT_EQ(0, items[i].tag);
      EXPECT_EQ(TrayCommand::CreateRule, items[i].command);
      EXPECT_EQ(i, items[i].position);  // the row PopupItemClick selects
    }
  }
}

TEST(TrayMenu, PauseItemFollowsThePauseStateAndItsCaptionChanges) {
  for (bool german : {false, true}) {
    const Texts& t = TextsFor(german);
    std::vector<TrayMenuItem> items = BuildTrayMenu(ActiveWindows({"a"}), true, t);
    EXPECT_EQ(t.msg.trayContinue, items[6].caption);
    SetTaggedCaption(items, kTagPause, t.msg.trayStop);
    EXPECT_EQ(t.msg.trayStop, items[6].caption);
    EXPECT_EQ("", items[1].caption);  // the separator keeps no caption
    EXPECT_EQ(std::string(t.main.trayCreateRule) + "a", items[0].caption);
  }
}

TEST(OpenURL, StartsTheQuotedProgramOfTheHtmlOpenCommand) {
  struct Case {
    const char* command;  // nullptr: no such value
    const char* program;  // nullptr: nothing started
  } cases[] = {
      {"\"C:\\Program Files\\Internet Explorer\\iexplore.exe\" -nohome", "C:\\Program Files\\Internet Explorer\\iexplore.exe"},
      {"\"C:\\browser.exe\"", "C:\\browser.exe"},
      {"C:\\browser.exe %1", nullptr},  // no quotes: no program
      {"\"C:\\browser.exe", nullptr},   // one quote
      {"\"\" %1", nullptr},
      {"", nullptr},
      {nullptr, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command ? c.command : "(none)");
    SimWorld w;
    if (c.command) w.registry.SetRaw(HKey::ClassesRoot, kHtmlOpenCommandKey, "", {RegType::Sz, 0, c.command});
    OpenURL(w.registry, w.shell, kMakerHomePage);
    if (!c.program) {
      EXPECT_TRUE(w.shell.executed.empty());
      continue;
    }
    ASSERT_EQ(1u, w.shell.executed.size());
    EXPECT_EQ("open", w.shell.executed[0].verb);
    EXPECT_EQ(c.program, w.shell.executed[0].file);
    EXPECT_EQ(kMakerHomePage, w.shell.executed[0].parameters);
  }
}

TEST(Handbook, OpensTheManualOrSaysWhatIsMissing) {
  struct Case {
    bool present;
    int result;         // what the shell answers
    bool viewerMissing;
  } cases[] = {{true, 42, false}, {true, 33, false}, {true, 32, true}, {true, 2, true}, {false, 42, false}};
  for (bool german : {false, true}) {
    const Texts& t = TextsFor(german);
    for (const Case& c : cases) {
      SCOPED_TRACE(std::to_string(c.result) + (c.present ? "" : " missing"));
      SimWorld w;
      w.Install();
      std::string file = w.Dir() + "help\\zapotrix_handbuch.pdf";
      if (!c.present) w.system.DeleteFile(file);
      w.shell.executeResult = c.result;
      OpenHandbook(w.system, w.shell, file, t);
      EXPECT_EQ(c.present ? 1u : 0u, w.shell.executed.size());
      if (c.present) {
        EXPECT_EQ("open", w.shell.executed[0].verb);
        EXPECT_EQ(file, w.shell.executed[0].file);
      }
      const char* box = !c.present ? t.msg.handbookMissing : c.viewerMissing ? t.msg.viewerMissing : nullptr;
      if (!box) {
        EXPECT_TRUE(w.system.boxes.empty());
        continue;
      }
      ASSERT_EQ(1u, w.system.boxes.size());
      EXPECT_EQ(box, w.system.boxes[0].text);
      EXPECT_EQ(kAppCaption, w.system.boxes[0].caption);
      EXPECT_EQ(kMbIconError, w.system.boxes[0].flags);
    }
  }
}

}  // namespace zt::test
