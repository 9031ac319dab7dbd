// Every browser kind goes through the program as the first three did: the
// scan cycle closes its popups by keyword, caption and size with the kind's
// close mode, the list of active windows shows it with its image and
// without its suffix, and the address bar of Internet Explorer 7 and 8 is
// read through their layouts.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine_world.h"

namespace zt::test {

TEST(BrowserKinds, EveryRowIsListedAndClosedByKeywordCaptionAndSize) {
  for (const RecognitionRow& row : RecognitionRows()) {
    SCOPED_TRACE(std::string(row.className) + " / " + row.mustContain);
    EngineWorld w;
    w.AllBrowsersOn();
    EngineWorld::Fill(w.app.rules.ADS, {{"casino"}});
    EngineWorld::Fill(w.app.rules.WCS, {{"Gewinnspiel"}});
    EngineWorld::Fill(w.app.rules.WDS, {{"640", "480"}});
    WindowHandle news = w.Browser(row, "News");
    w.Browser(row, "Online Casino");
    w.Browser(row, "Gewinnspiel");
    w.Browser(row, "Sized", 640, 480);

    w.Snapshot();
    FillListView1(w.app.Scan());
    const ListModel& list = w.app.engine.ListView1;
    ASSERT_EQ(4u, list.size());
    size_t at = 0;
    while (at < list.size() && list.text(at, 2) != std::to_string(news)) ++at;
    ASSERT_LT(at, list.size());
    EXPECT_EQ("News", list.text(at, 0));
    EXPECT_EQ(BrowserImage(row.kind), list.row(at).image);

    w.Cycle();
    std::vector<std::string> scanners = w.Scanners();
    std::sort(scanners.begin(), scanners.end());
    EXPECT_EQ((std::vector<std::string>{"Keyword", "Window Caption", "Windowsize"}), scanners);
    std::vector<std::string> titles = w.ClosedTitles();
    std::sort(titles.begin(), titles.end());
    const std::string& suffix = BrowserSuffix(row.kind);
    EXPECT_EQ((std::vector<std::string>{"Gewinnspiel" + suffix, "Online Casino" + suffix, "Sized" + suffix}), titles);
    // Internet Explorer windows that stay after WM_CLOSE get WM_NCDESTROY.
    bool ncDestroy = std::any_of(w.desktop.posted.begin(), w.desktop.posted.end(),
                                 [](const PostedMessage& m) { return m.msg == kWmNcDestroy; });
    EXPECT_EQ(CloseModeOf(row.kind) == kCloseIE, ncDestroy);
  }
}

TEST(BrowserKinds, SwitchedOffFamilyIsNeitherListedNorClosed) {
  EngineWorld w;
  w.AllBrowsersOn();
  w.app.settings.Opera = false;
  EngineWorld::Fill(w.app.rules.ADS, {{"casino"}});
  w.Browser(kOpera, "Casino");
  WindowHandle chrome = w.Browser(kGoogleChrome, "Casino");
  w.Cycle();
  EXPECT_EQ((std::vector<WindowHandle>{chrome}), w.CloseTargets());
}

TEST(ReadIEAddress, EachVersionsAddressBarIsRead) {
  struct Case {
    const char* what;
    int kind;
    EngineWorld::Bar layout;
  } cases[] = {
      {"IE6", kInternetExplorer, EngineWorld::Bar::IE6},
      {"IE7", kWindowsInternetExplorer, EngineWorld::Bar::IE7},
      {"IE8", kWindowsInternetExplorer, EngineWorld::Bar::IE8},
  };
  for (const Case& c : cases) {
    EngineWorld w;
    WindowHandle ie = w.Browser(c.kind, "Page");
    w.AddressBar(ie, "http://ads.example.com/banner", c.layout);
    EXPECT_EQ("http://ads.example.com", ReadIEAddress(w.app.Scan(), ie)) << c.what;
  }
}

TEST(ReadIEAddress, IE7BarWhoseComboBoxAloneAnswersAndBrokenBars) {
  EngineWorld w;
  // IE7's combo box answers with the text of its edit field.
  WindowHandle ie7 = w.Browser(kWindowsInternetExplorer, "Page");
  WindowHandle band = w.desktop.AddChild(w.desktop.AddChild(w.desktop.AddChild(ie7, "WorkerW"), "ReBarWindow32"),
                                         "Address Band Root");
  w.desktop.AddChild(band, "ComboBoxEx32", "http://combo.example/x");
  EXPECT_EQ("http://combo.example", ReadIEAddress(w.app.Scan(), ie7));

  // A band without an edit field or a combo box has no address, even with
  // an IE6 bar beside it in the same tool bar.
  WindowHandle empty = w.Browser(kWindowsInternetExplorer, "Empty");
  WindowHandle rebar = w.desktop.AddChild(w.desktop.AddChild(empty, "WorkerW"), "ReBarWindow32");
  w.desktop.AddChild(rebar, "Address Band Root");
  EXPECT_EQ("", ReadIEAddress(w.app.Scan(), empty));
}

TEST(KillwindowURL, InternetExplorer7And8AddressesToo) {
  EngineWorld w;
  EngineWorld::Fill(w.app.rules.URL, {{"http://ads.example.com"}});
  WindowHandle ie8 = w.Browser(kWindowsInternetExplorer, "Ad");
  w.AddressBar(ie8, "http://ads.example.com/pop", EngineWorld::Bar::IE8);
  WindowHandle ff = w.Browser(kFirefox, "Ad");
  w.AddressBar(ff, "http://ads.example.com/pop", EngineWorld::Bar::IE8);  // not read: no IE
  w.app.settings.Firefox = true;
  w.Cycle();
  EXPECT_EQ((std::vector<WindowHandle>{ie8}), w.CloseTargets());
}

}  // namespace zt::test
