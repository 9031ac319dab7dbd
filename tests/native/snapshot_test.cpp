// Browser window snapshot: recognition, the 50-record limit, the address
// bar, the list of active windows and when it is refreshed.
#include <gtest/gtest.h>

#include "engine_world.h"

namespace zt::test {
namespace {

std::vector<std::string> Captions(const AppState& a) {
  std::vector<std::string> v;
  for (size_t i = 0; i < a.engine.OpenWindows.count; ++i) v.push_back(a.engine.OpenWindows.records[i].Caption);
  return v;
}

}  // namespace

TEST(Snapshot, RecognitionTableByClassCaptionSettingAndVisibility) {
  EngineWorld w;
  WindowHandle ie = w.Browser(kInternetExplorer, "News");
  w.desktop.Add("IEFrame", "Help and Support");                   // no browser's name
  w.desktop.Add("ieframe", "Lower - Microsoft Internet Explorer");  // class compared exactly
  w.desktop.Add("IEFrame", "");                                    // no caption
  WindowHandle ff = w.desktop.Add("MozillaUIWindowClass", "Mozilla Firefox");
  WindowHandle mz = w.Browser(kMozilla, "Offer - Mozilla Deals");
  w.desktop.Add("MozillaWindowClass", "Calendar");
  WindowHandle hidden = w.Browser(kInternetExplorer, "Hidden");
  w.desktop.at(hidden).visible = false;
  WindowHandle small = w.Browser(kInternetExplorer, "Minimised");
  w.desktop.at(small).iconic = true;
  w.desktop.Add("Notepad", "Untitled - Notepad");

  w.Snapshot();
  ASSERT_EQ(4u, w.app.engine.OpenWindows.count);
  const auto& r = w.app.engine.OpenWindows.records;
  EXPECT_EQ(ie, r[0].Handle);
  EXPECT_EQ(kInternetExplorer, r[0].Kind);
  EXPECT_EQ("News - Microsoft Internet Explorer", r[0].Caption);
  EXPECT_EQ(ff, r[1].Handle);
  EXPECT_EQ(kFirefox, r[1].Kind);
  EXPECT_EQ(mz, r[2].Handle);
  EXPECT_EQ(kMozilla, r[2].Kind);
  EXPECT_EQ(small, r[3].Handle);
  for (size_t i = 0; i < 4; ++i) EXPECT_FALSE(r[i].Handled);

  // A kind switched off is neither recorded nor shown.
  w.app.settings.Mozilla = false;
  w.app.settings.Firefox = false;
  w.Snapshot();
  EXPECT_EQ((std::vector<std::string>{"News - Microsoft Internet Explorer", "Minimised - Microsoft Internet Explorer"}),
            Captions(w.app));
}

TEST(Snapshot, RecordsTheFirstFiftyAndReadsAtMost254Characters) {
  EngineWorld w;
  for (int i = 0; i < 55; ++i) w.Browser(kMozilla, "Popup " + std::to_string(i));
  w.Snapshot();
  ASSERT_EQ(50u, w.app.engine.OpenWindows.count);
  EXPECT_EQ("Popup 49 - Mozilla", w.app.engine.OpenWindows.records[49].Caption);

  EngineWorld l;
  l.Browser(kMozilla, std::string(300, 'x'));  // the suffix falls beyond the buffer
  l.desktop.Add("MozillaWindowClass", "Mozilla " + std::string(300, 'y'));
  l.Snapshot();
  ASSERT_EQ(1u, l.app.engine.OpenWindows.count);
  EXPECT_EQ(254u, l.app.engine.OpenWindows.records[0].Caption.size());
}

TEST(Snapshot, AnErrorInTheCallbackKeepsTheWindowsFoundBeforeIt) {
  EngineWorld w;
  w.Browser(kInternetExplorer, "One");
  WindowHandle bad = w.Browser(kInternetExplorer, "Two");
  w.Browser(kInternetExplorer, "Three");
  w.desktop.failing = bad;
  w.Snapshot();
  EXPECT_EQ((std::vector<std::string>{"One - Microsoft Internet Explorer"}), Captions(w.app));
  w.desktop.failing = 0;
  w.Snapshot();
  EXPECT_EQ(3u, w.app.engine.OpenWindows.count);
}

TEST(Snapshot, WindowThatVanishesDuringTheEnumerationIsNotRecorded) {
  EngineWorld w;
  w.Browser(kInternetExplorer, "One");
  WindowHandle gone = w.Browser(kInternetExplorer, "Two");
  w.desktop.beforeVisit = [&](WindowHandle h) {
    if (h != gone) w.desktop.Destroy(gone);
  };
  w.Snapshot();
  EXPECT_EQ((std::vector<std::string>{"One - Microsoft Internet Explorer"}), Captions(w.app));
}

TEST(ReadIEAddress, CutsToSchemeAndHostAndNeedsHttp) {
  struct Case {
    const char* bar;
    const char* url;
  } cases[] = {
      {"http://www.example.com/path/page.html", "http://www.example.com"},
      {"https://secure.example.org/login", "https://secure.example.org"},
      {"http://host.example", "http://host.example"},  // no third slash: the whole text
      {"about:blank", ""},
      {"HTTP://SHOUT.EXAMPLE/", ""},  // the scheme test is case-sensitive
      {"file:///C:/http/page.html", ""},
      {"", ""},
  };
  for (const Case& c : cases) {
    EngineWorld w;
    WindowHandle ie = w.Browser(kInternetExplorer, "Page");
    w.AddressBar(ie, c.bar);
    EXPECT_EQ(c.url, ReadIEAddress(w.app.Scan(), ie)) << c.bar;
  }
}

TEST(ReadIEAddress, BrokenChainOrHungBarGivesEmptyAddressWithinTheBoundedWait) {
  EngineWorld w;
  WindowHandle ie = w.Browser(kInternetExplorer, "Page");
  WindowHandle worker = w.desktop.AddChild(ie, "WorkerW");
  WindowHandle rebar = w.desktop.AddChild(worker, "ReBarWindow32");
  w.desktop.AddChild(rebar, "ComboBox", "http://skipped.example/");  // no ComboBoxEx32
  EXPECT_EQ("", ReadIEAddress(w.app.Scan(), ie));

  WindowHandle hung = w.Browser(kInternetExplorer, "Hung");
  WindowHandle edit = w.AddressBar(hung, "http://never.example/");
  w.desktop.at(edit).hung = true;
  w.Snapshot();
  ASSERT_EQ(2u, w.app.engine.OpenWindows.count);
  EXPECT_EQ("", w.app.engine.OpenWindows.records[1].URL);
  EXPECT_EQ(kAddressReadTimeoutMs, w.desktop.waitedMs);
}

TEST(ReadIEAddress, HungBarsShareOneBudgetPerCycleAndAreSkippedForAWhile) {
  EngineWorld w;
  std::vector<WindowHandle> edits;
  for (int i = 0; i < 20; ++i) {
    WindowHandle ie = w.Browser(kInternetExplorer, "Hung " + std::to_string(i));
    edits.push_back(w.AddressBar(ie, "http://never.example/"));
    w.desktop.at(edits.back()).hung = true;
  }
  WindowHandle fine = w.Browser(kInternetExplorer, "Fine");
  w.AddressBar(fine, "http://fine.example/path");

  // Every cycle waits at most the budget; each window gets its turn, and one
  // that answered is asked first from then on.
  int cyclesUntilFine = 0;
  for (int cycle = 1; cycle <= 12; ++cycle) {
    unsigned before = w.desktop.waitedMs;
    w.Snapshot();
    EXPECT_LE(w.desktop.waitedMs - before, kAddressBudgetMs);
    bool fineRead = w.app.engine.OpenWindows.records[20].URL == "http://fine.example";
    if (fineRead && !cyclesUntilFine) cyclesUntilFine = cycle;
    if (cyclesUntilFine) {
      EXPECT_TRUE(fineRead) << cycle;
    }
  }
  EXPECT_GE(cyclesUntilFine, 1);
  EXPECT_LE(cyclesUntilFine, 11);  // two hung bars fit into one budget
  unsigned before = w.desktop.waitedMs;
  w.Snapshot();
  EXPECT_EQ(0u, w.desktop.waitedMs - before);  // every hung bar rests now

  // Once the pause is over a bar is asked again, and one that answers again
  // gives its address.
  w.desktop.at(edits[0]).hung = false;
  w.system.clockMs += kUnansweredRetryMs;
  for (int i = 0; i < 20; ++i) w.Snapshot();
  EXPECT_EQ("http://never.example", w.app.engine.OpenWindows.records[0].URL);
}

TEST(Cutstring, RemovesTheFirstOccurrenceOrGivesEmpty) {
  EXPECT_EQ("Offer Deals - Mozilla", cutstring("Offer - Mozilla Deals - Mozilla", " - Mozilla"));
  EXPECT_EQ("", cutstring("Mozilla Firefox", " - Mozilla Firefox"));
  EXPECT_EQ("News", cutstring("News - Microsoft Internet Explorer", " - Microsoft Internet Explorer"));
  EXPECT_EQ("", cutstring("News - microsoft internet explorer", " - Microsoft Internet Explorer"));
}

TEST(FillListView1, RowsColumnsTrayMenuAndSelection) {
  EngineWorld w;
  WindowHandle ie = w.Browser(kInternetExplorer, "News");
  w.AddressBar(ie, "http://news.example/today");
  WindowHandle ff = w.desktop.Add("MozillaUIWindowClass", "Mozilla Firefox");
  w.Snapshot();

  const ListModel& l = w.app.engine.ListView1;
  ASSERT_EQ(2u, l.size());
  EXPECT_EQ((std::vector<std::string>{"News", "http://news.example", std::to_string(ie)}), l.row(0).cols);
  EXPECT_EQ(3, l.row(0).image);
  EXPECT_EQ((std::vector<std::string>{"", "", std::to_string(ff)}), l.row(1).cols);
  EXPECT_EQ(10, l.row(1).image);
  EXPECT_EQ(1, w.view.trayMenuBuilds);
  EXPECT_EQ((std::vector<ListViewId>{ListViewId::ListView1}), w.view.changed);
  EXPECT_EQ(326, (w.view.widths[{ListViewId::ListView1, 0}]));
  EXPECT_EQ(160, (w.view.widths[{ListViewId::ListView1, 1}]));
  EXPECT_EQ(-1, l.selected);

  // The selection stays on its index, or moves to the last row.
  w.app.engine.ListView1.selected = 1;
  w.desktop.Destroy(ff);
  w.Snapshot();
  EXPECT_EQ(0, w.app.engine.ListView1.selected);
  w.desktop.Destroy(ie);
  w.Snapshot();
  EXPECT_EQ(-1, w.app.engine.ListView1.selected);
  EXPECT_TRUE(w.app.engine.ListView1.empty());

  for (int i = 0; i < 8; ++i) w.Browser(kMozilla, "Tab " + std::to_string(i));
  w.Snapshot();
  EXPECT_EQ(301, (w.view.widths[{ListViewId::ListView1, 0}]));
}

TEST(FillListView1, RefreshedOnlyWhenTheCaptionTotalChanges) {
  EngineWorld w;
  WindowHandle a = w.Browser(kInternetExplorer, "Alpha");
  WindowHandle bar = w.AddressBar(a, "http://one.example/");
  w.Snapshot();
  EXPECT_EQ(1, w.view.trayMenuBuilds);
  int pumps = w.view.pumps;

  // Same window again, a new address: the list stays as it was.
  w.desktop.at(bar).text = "http://two.example/";
  w.Snapshot();
  EXPECT_EQ(1, w.view.trayMenuBuilds);
  EXPECT_EQ("http://two.example", w.app.engine.OpenWindows.records[0].URL);
  EXPECT_EQ("http://one.example", w.app.engine.ListView1.text(0, 1));

  // Another window with a caption of the same length: the snapshot sees
  // it, the list does not.
  w.desktop.Destroy(a);
  WindowHandle b = w.Browser(kInternetExplorer, "Bravo");
  w.Snapshot();
  EXPECT_EQ(b, w.app.engine.OpenWindows.records[0].Handle);
  EXPECT_EQ("Alpha", w.app.engine.ListView1.text(0));
  EXPECT_EQ(1, w.view.trayMenuBuilds);
  EXPECT_EQ(pumps, w.view.pumps);

  w.desktop.at(b).caption = "Bravo2 - Microsoft Internet Explorer";
  w.Snapshot();
  EXPECT_EQ("Bravo2", w.app.engine.ListView1.text(0));
  EXPECT_EQ(2, w.view.trayMenuBuilds);
  EXPECT_EQ(pumps + 1, w.view.pumps);  // the refresh lets pending messages run
}

}  // namespace zt::test
