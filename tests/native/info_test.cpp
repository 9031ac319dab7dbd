// The info window's flow without a window: the lines that follow the
// language, the links and the button.
#include <gtest/gtest.h>

#include "app/help_actions.h"
#include "app/info.h"
#include "sim_world.h"

namespace zt::test {
namespace {

struct RecordingInfoView : InfoView {
  void ShowTexts(const InfoTexts& t) override {
    texts = &t;
    ++shown;
  }
  void Close() override { ++closed; }

  const InfoTexts* texts = nullptr;
  int shown = 0, closed = 0;
};

class InfoFlow : public ::testing::Test {
 protected:
  SimWorld w;
  AppState app{w.os, w.view, w.timer1, w.timerCheck};
  RecordingInfoView view;
  Info info{app, view};
};

TEST_F(InfoFlow, ShowsThreeLinesInTheProgramsLanguageAndIgnoresOtherLanguages) {
  for (bool german : {false, true}) {
    app.flags.IsGerman = german;
    info.FormShow();
    EXPECT_EQ(&TextsFor(german).info, view.texts);
    info.SetLanguage(2);
    info.SetLanguage(-1);
    EXPECT_EQ(&TextsFor(german).info, view.texts);
  }
  EXPECT_EQ(2, view.shown);
}

TEST_F(InfoFlow, LinksOpenTheirSitesAndOkCloses) {
  w.registry.SetRaw(HKey::ClassesRoot, kHtmlOpenCommandKey, "", {RegType::Sz, 0, "\"C:\\browser.exe\" -nohome"});
  info.Label5Click();
  info.Label6Click();
  ASSERT_EQ(2u, w.shell.executed.size());
  EXPECT_EQ("C:\\browser.exe", w.shell.executed[0].file);
  EXPECT_EQ(kMakerHomePage, w.shell.executed[0].parameters);
  EXPECT_EQ(kDistributorHomePage, w.shell.executed[1].parameters);
  EXPECT_EQ(0, view.closed);
  info.Button1Click();
  EXPECT_EQ(1, view.closed);
}

}  // namespace
}  // namespace zt::test
