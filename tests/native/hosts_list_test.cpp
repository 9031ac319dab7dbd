// The blocked-host list: line splitting, the import's acceptance rules and
// its bad input, the export, and the editor logic around the list file.
#include <gtest/gtest.h>

#include <random>

#include "hosts/hosts_file.h"
#include "hosts/hosts_io.h"
#include "hosts/hosts_list.h"
#include "rules/list_ops.h"
#include "fuzz/hosts_input_check.h"
#include "sim_world.h"

namespace zt::test {

using Lines = std::vector<std::string>;

TEST(SplitLines, EveryLineEndAndTheByteOrderMark) {
  EXPECT_EQ(Lines(), SplitLines(""));
  EXPECT_EQ(Lines({"a", "b", "", "c", "d", "e"}), SplitLines("a\r\nb\n\nc\rd\r\ne"));
  EXPECT_EQ(Lines({"a", ""}), SplitLines("a\r\n\r\n"));
  EXPECT_EQ(Lines({"a", ""}), SplitLines("a\n\r"));  // LF, then a lone CR
  EXPECT_EQ(Lines({"x"}), SplitLines("\xEF\xBB\xBFx"));
  // Only at the very start is it a byte-order mark.
  EXPECT_EQ(Lines({"x", "\xEF\xBB\xBFy"}), SplitLines("x\n\xEF\xBB\xBFy"));
  EXPECT_EQ(Lines({std::string("a\0b", 3)}), SplitLines(std::string("a\0b", 3)));
  for (const char* text : {"", "\r\n", "a", "a\r\n\r\nb\n\rc\r", "\xEF\xBB\xBF", "\xEF\xBB\xBF\n\nx"}) {
    size_t nonEmpty = 0;
    for (const std::string& l : SplitLines(text)) nonEmpty += !l.empty();
    EXPECT_EQ(nonEmpty, CountNonEmptyLines(text)) << text;
  }
}

struct ImportCase {
  const char* line;
  const char* name;  // "" = rejected
};

class ImportRule : public ::testing::TestWithParam<ImportCase> {};

TEST_P(ImportRule, Line) {
  Lines names = ImportHostNames(GetParam().line);
  if (*GetParam().name == '\0') {
    EXPECT_TRUE(names.empty()) << names[0];
  } else {
    ASSERT_EQ(1u, names.size());
    EXPECT_EQ(GetParam().name, names[0]);
  }
}

INSTANTIATE_TEST_SUITE_P(
    All, ImportRule,
    ::testing::Values(ImportCase{"127.0.0.1 ads.example.com", "ads.example.com"},
                      ImportCase{"127.0.0.1\t\tads.example.com", "ads.example.com"},
                      ImportCase{"127.0.0.1\xA0\xA0 ads.example.com", "ads.example.com"},
                      // What is left must be one host name; trailing blanks go.
                      ImportCase{"127.0.0.1  two names ", ""},
                      ImportCase{"127.0.0.1 ads.example.com \t", "ads.example.com"},
                      ImportCase{"127.0.0.1 bad\x01host.com", ""},
                      ImportCase{"127.0.0.1 evil.com\x0b""1.2.3.4 bank.com", ""},
                      ImportCase{"127.0.0.1 ads.example.com # tracker", ""},
                      ImportCase{"#127.0.0.1 ads.example.com", ""},
                      ImportCase{"0.0.0.0 ads.example.com", ""},
                      ImportCase{"192.168.1.1 router", ""},
                      ImportCase{"127.0.0.1", ""}, ImportCase{"127.0.0.1  \t ", ""},
                      ImportCase{"", ""},
                      // The address is expected at the start of the line.
                      ImportCase{"  127.0.0.1 ads.example.com", ""},
                      ImportCase{"127.0.0.1 ads.example.com\\par", "ads.example.com"},
                      ImportCase{"127.0.0.1 a\\par b\\par", ""},
                      ImportCase{"127.0.0.1 \\par", ""},
                      ImportCase{"127.0.0.1 ads\\part", ""}));

struct NameCase {
  std::string text;
  bool valid;
};

TEST(HostName, OnlyLettersDigitsDotsDashesAndUnderscoresUpTo253) {
  const NameCase cases[] = {
      {"ads.example.com", true}, {"a-b_c.D9", true}, {std::string(253, 'a'), true},
      {std::string(254, 'a'), false}, {"", false}, {"two names", false}, {"tab\there", false},
      {"cr\rlf.com", false}, {"lf\n1.2.3.4 bank.com", false}, {std::string("nul\0x", 5), false},
      {"\xE9t\xE9.com", false}, {"x\\par", false}, {"#comment", false}, {"a/b", false},
  };
  for (const NameCase& c : cases) EXPECT_EQ(c.valid, IsValidHostName(c.text)) << c.text;
}

TEST(Import, CountsTheLinesItSkips) {
  size_t skipped = 0;
  Lines names = ImportHostNames("127.0.0.1 ok.com\n127.0.0.1 not ok\n127.0.0.1 \xE9.com\n# c\n", {}, &skipped);
  EXPECT_EQ(Lines({"ok.com"}), names);
  EXPECT_EQ(2u, skipped);
}

TEST(Import, DuplicatesIgnoringCaseKeepTheFirstFormInOrder) {
  Lines names = ImportHostNames(
      "127.0.0.1 Zeta.com\r\n127.0.0.1 ads.COM\n127.0.0.1 ADS.com\r127.0.0.1 beta.com\r\n"
      "127.0.0.1 zeta.com\n127.0.0.1 www.Beta.com\n127.0.0.1 WWW.BETA.COM");
  EXPECT_EQ(Lines({"ads.COM", "beta.com", "www.Beta.com", "Zeta.com"}), names);
}

TEST(Import, ByteOrderMarkDoesNotSpoilTheFirstEntry) {
  EXPECT_EQ(Lines({"first.com", "second.com"}),
            ImportHostNames("\xEF\xBB\xBF" "127.0.0.1 first.com\r\n127.0.0.1 second.com\r\n"));
}

TEST(Import, BadInputNeverYieldsBrokenNames) {
  std::string nul("127.0.0.1 a\0b.com\n127.0.0.1 ok.com\n", 35);
  EXPECT_EQ(Lines({"ok.com"}), ImportHostNames(nul));

  std::string huge = "127.0.0.1 " + std::string(1 << 20, 'a') + "\r\n" + std::string(1 << 20, 'b') +
                     "\n127.0.0.1 small.com";
  EXPECT_EQ(Lines({"small.com"}), ImportHostNames(huge));

  std::mt19937 rng(7);
  std::string binary;
  for (int i = 0; i < 200000; ++i) {
    binary += static_cast<char>(rng() & 0xFF);
    if (i % 997 == 0) binary += "127.0.0.1 ";
  }
  for (const std::string& n : ImportHostNames(binary)) EXPECT_TRUE(IsValidHostName(n)) << n;
}

class HostsEditor : public ::testing::Test {
 protected:
  struct View : HostsListView {
    void SetProgressRange(size_t max) override { range = max; }
    void SetProgressPosition(size_t p) override { positions.push_back(p); }
    void ProcessPendingMessages() override { ++pumps; }
    size_t range = 0;
    std::vector<size_t> positions;
    int pumps = 0;
  };

  bool Start() {
    w.Install();
    main.FormCreate();
    w.system.boxes.clear();
    return true;
  }
  std::string ListFile() { return w.Dir() + "config\\zapotrix_hosts.dat"; }
  std::string Read(const std::string& p) { return w.system.ReadFile(p).value_or("<missing>"); }
  Lines Names() {
    Lines out;
    for (const ListRow& r : ed.ListViewHosts.rows()) out.push_back(r.cols[0]);
    return out;
  }

  SimWorld w;
  ZapotrixMain main{w.os, w.view, w.timer1, w.timerCheck};
  AppState& app = main.state();
  bool started = Start();  // the editor is made after the start-up, as the window is
  View view;
  HostsListEditor ed{app.Hosts(), app.settings, view};
};

TEST_F(HostsEditor, LoadsNonEmptyLinesSortedWithTheRuleIcon) {
  w.system.PutFile(ListFile(), "\xEF\xBB\xBFzeta.com\r\n\r\nAlpha.com\nbeta.com\rbeta.com\r\n");
  EXPECT_TRUE(ed.refresh_hostlist());
  EXPECT_EQ(Lines({"Alpha.com", "beta.com", "beta.com", "zeta.com"}), Names());
  EXPECT_EQ(kRuleImage, ed.ListViewHosts.row(0).image);
  EXPECT_EQ(4u, view.range);
  EXPECT_EQ(0u, view.positions.back());
}

TEST_F(HostsEditor, MissingListFileLoadsNothing) {
  w.system.DeleteFile(ListFile());
  EXPECT_FALSE(ed.refresh_hostlist());
  EXPECT_TRUE(ed.ListViewHosts.empty());
}

TEST_F(HostsEditor, SavesInDisplayOrderWithCrLf) {
  w.system.PutFile(ListFile(), "b.com\na.com\n");
  ed.refresh_hostlist();
  ed.ColumnClick();  // descending
  ed.AddHost("c.com");
  ed.Bt_OKClick();
  EXPECT_EQ("c.com\r\nb.com\r\na.com\r\n", Read(ListFile()));
}

TEST_F(HostsEditor, OkWithoutChangeWritesNothing) {
  w.system.PutFile(ListFile(), "b.com\na.com");
  app.settings.hosts = true;
  ed.FormShow();
  ed.refresh_hostlist();
  ed.Bt_OKClick();
  EXPECT_EQ("b.com\na.com", Read(ListFile()));
  EXPECT_FALSE(w.system.FileAttributes(HostsBackupPath(app.paths.ProgramDir)));
}

TEST_F(HostsEditor, ClearAnsweredNoStillSavesAndRewritesTheHostsFile) {
  w.system.PutFile(HostsFilePath(app.flags.HostsDirectory, app.flags.IsNTFamily), "# default\r\n127.0.0.1 localhost\r\n");
  w.system.PutFile(ListFile(), "b.com\na.com");
  app.settings.hosts = true;
  ed.refresh_hostlist();
  ed.ClearList(false);
  ed.Bt_OKClick();
  EXPECT_EQ("a.com\r\nb.com\r\n", Read(ListFile()));
  EXPECT_EQ("# default\r\n\r\n\r\n127.0.0.1  localhost\r\n127.0.0.1  a.com\r\n127.0.0.1  b.com\r\n",
            Read(HostsFilePath(app.flags.HostsDirectory, app.flags.IsNTFamily)));
}

TEST_F(HostsEditor, AddComparesExactlyAndDeleteMovesTheSelection) {
  ed.refresh_hostlist();  // "ads.example.com"
  EXPECT_FALSE(ed.AddHost("ads.example.com"));
  EXPECT_TRUE(ed.AddHost("ADS.example.com"));
  EXPECT_FALSE(ed.AddHost(""));
  EXPECT_TRUE(w.system.boxes.empty());
  EXPECT_FALSE(ed.AddHost("evil.com\r\n1.2.3.4 bank.com"));
  ASSERT_EQ(1u, w.system.boxes.size());
  EXPECT_EQ(Format(TextsFor(false).msg.invalidHostName, {"evil.com\r\n1.2.3.4 bank.com"}), w.system.boxes[0].text);
  EXPECT_TRUE(ed.AddHost("b.com"));
  EXPECT_EQ(Lines({"ads.example.com", "ADS.example.com", "b.com"}), Names());

  ed.ListViewHosts.selected = 0;
  ed.DeleteSelected();
  EXPECT_EQ(Lines({"ADS.example.com", "b.com"}), Names());
  EXPECT_EQ(0, ed.ListViewHosts.selected);
  ed.ListViewHosts.selected = 1;
  ed.DeleteSelected();
  EXPECT_EQ(0, ed.ListViewHosts.selected);
  ed.DeleteSelected();
  EXPECT_TRUE(ed.ListViewHosts.empty());
  ed.DeleteSelected();  // nothing selected: nothing happens
  EXPECT_TRUE(ed.listChanged);
}

TEST_F(HostsEditor, ImportAppendsEvenNamesAlreadyListed) {
  w.system.PutFile("C:\\in.txt", "127.0.0.1 ads.example.com\r\n127.0.0.1 new.com\r\n# x\r\n");
  ed.refresh_hostlist();
  ed.FormShow();
  ed.ImportFile("C:\\in.txt");
  EXPECT_TRUE(ed.listChanged);
  EXPECT_EQ(Lines({"ads.example.com", "ads.example.com", "new.com"}), Names());
  EXPECT_EQ(2u, ed.lastImport.taken);
  EXPECT_EQ(0u, ed.lastImport.skipped);
  EXPECT_EQ(3u, view.range);  // non-empty lines of the import file
}

TEST_F(HostsEditor, LongImportKeepsTheWindowServiced) {
  std::string file;
  for (int i = 0; i < 3000; ++i) file += "127.0.0.1 host" + std::to_string(i) + ".com\n";
  w.system.PutFile("C:\\big.txt", file);
  EXPECT_EQ(3000u, ed.countimportfile("C:\\big.txt"));
  int before = view.pumps;
  EXPECT_EQ(3000u, ed.importhosts("C:\\big.txt"));
  EXPECT_GE(view.pumps - before, 3000 / int(kHostsPumpEvery));
  EXPECT_EQ(3000u, ed.ListViewHosts.size());
  EXPECT_EQ(0u, view.positions.back());
}

TEST_F(HostsEditor, UnreadableImportRaisesAndChangesNothing) {
  ed.refresh_hostlist();
  EXPECT_THROW(ed.ImportFile("C:\\nowhere.txt"), HostsFileError);
  EXPECT_EQ(Lines({"ads.example.com"}), Names());
}

TEST_F(HostsEditor, SaveIntoAMissingConfigFolderNamesIt) {
  ed.AddHost("a.com");
  w.system.DeleteFile(ListFile());
  w.system.DeleteFile(w.Dir() + "config\\zapotrix_mainDB.ini");
  w.system.DeleteFile(w.Dir() + "config\\zapotrix_mozilla.dat");
  ASSERT_TRUE(w.system.RemoveDirectory(w.Dir() + "config"));
  try {
    ed.savehosts_dat();
    FAIL() << "no error";
  } catch (const HostsFileError& e) {
    EXPECT_NE(std::string::npos, std::string(e.what()).find("the folder \"C:\\Program Files\\Zapotrix\\config\\\""));
  }
  EXPECT_EQ(1u, ed.ListViewHosts.size());
}

TEST_F(HostsEditor, ReadOnlyListFileRaisesAndStaysAsItWas) {
  w.system.SetFileAttributes(ListFile(), kAttrReadOnly);
  ed.AddHost("a.com");
  EXPECT_THROW(ed.Bt_OKClick(), HostsFileError);
  EXPECT_EQ("ads.example.com\r\n", Read(ListFile()));
}

TEST_F(HostsEditor, ExportSkipsLocalhostAndImportsBackTheSame) {
  ed.exporthosts("C:\\empty.txt");
  EXPECT_EQ("", Read("C:\\empty.txt"));
  for (const char* n : {"b.com", "a.com", "my.localhost.net", "LOCALHOST.org"}) ed.AddHost(n);
  // An entry of an older list file that is no host name is not exported.
  ed.ListViewHosts.Add({"x y"});
  app.settings.host_ip = "0.0.0.0";  // the export ignores it
  ed.exporthosts("C:\\out.txt");
  EXPECT_EQ("127.0.0.1  a.com\r\n127.0.0.1  b.com\r\n127.0.0.1  LOCALHOST.org\r\n", Read("C:\\out.txt"));
  EXPECT_EQ(Lines({"a.com", "b.com", "LOCALHOST.org"}), ImportHostNames(Read("C:\\out.txt")));
}

// Adding finds an exact duplicate among the entries that differ only in
// case and puts a new entry where appending and a stable sort in the stored
// direction would: compared with exactly that on random lists.
TEST_F(HostsEditor, AddPlacesAsAppendingAndSortingWouldInBothDirections) {
  const char* names[] = {"a.com", "A.com", "a.COM", "b.com", "B.com", "ab.com", "aB.com", "a-b.com", "a_b.com", "c"};
  std::mt19937 rng(4711);
  for (int round = 0; round < 500; ++round) {
    ed.ListViewHosts.Clear();
    size_t n = rng() % 12;
    for (size_t i = 0; i < n; ++i) ed.ListViewHosts.Add({names[rng() % 10]});
    ListviewSort(ed.ListViewHosts, 0, static_cast<int>(rng() % 2));
    ListModel expected = ed.ListViewHosts;
    std::string text = names[rng() % 10];
    bool present = false;
    for (const ListRow& r : expected.rows()) present = present || r.cols[0] == text;
    if (!present) {
      expected.Add({text});
      ListviewSort(expected, 0, 2);
    }
    SCOPED_TRACE("round " + std::to_string(round) + ", adding " + text);
    EXPECT_EQ(!present, ed.AddHost(text));
    ASSERT_EQ(expected.size(), ed.ListViewHosts.size());
    for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(expected.text(i), ed.ListViewHosts.text(i)) << i;
  }
}

TEST_F(HostsEditor, TypingFindsTheNextRowWithThatBeginning) {
  struct Case {
    int direction;
    std::string typed;
    int start;
    int row;
  };
  // Ascending: alpha.com, Beta.com, beta.net, gamma.org; descending the reverse.
  const Case cases[] = {
      {0, "b", 0, 1},      {0, "b", 1, 1},  {0, "b", 2, 2}, {0, "b", 3, 1},  // wraps round to the first match
      {0, "BETA.N", 0, 2}, {0, "g", 0, 3},  {0, "alpha.com", 0, 0},
      {0, "x", 0, -1},     {0, "", 0, -1},  {0, "alpha.comx", 0, -1},
      {1, "b", 0, 1},      {1, "b", 2, 2},  {1, "a", 0, 3},  {1, "gam", 3, 0},
  };
  ed.ListViewHosts.Replace({{{"gamma.org"}}, {{"beta.net"}}, {{"alpha.com"}}, {{"Beta.com"}}});
  for (const Case& c : cases) {
    ListviewSort(ed.ListViewHosts, 0, c.direction);
    EXPECT_EQ(c.row, ed.FindRow(c.typed, c.start)) << c.direction << " " << c.typed << " from " << c.start;
  }
  ed.ListViewHosts.Clear();
  EXPECT_EQ(-1, ed.FindRow("a", 0));
}

// Random bytes built from the pieces that matter (a deterministic fuzz
// test that runs with the others; tests/fuzz holds the coverage-guided one).
TEST(HostsFuzz, RandomInputsKeepTheInvariants) {
  static const char* pieces[] = {"127.0.0.1", " ", "\t", "\xA0", "#", "\\par", "\r", "\n", "\r\n",
                                 "<NUL>", "\xEF\xBB\xBF", "a", "B.com", "localhost"};
  std::mt19937 rng(20261209);
  for (int round = 0; round < 3000; ++round) {
    std::string input;
    int n = static_cast<int>(rng() % 60);
    for (int i = 0; i < n; ++i) {
      size_t p = rng() % 15;
      if (p == 9) {
        input += std::string(1, '\0');
      } else if (p == 14) {
        input += static_cast<char>(rng() & 0xFF);
      } else {
        input += pieces[p];
      }
    }
    ASSERT_EQ("", CheckHostsInput(input)) << ::testing::PrintToString(input);
  }
}

}  // namespace zt::test
