// Rule database file: reading rules, duplicates, WDS pairs, save layout,
// write protection and whole-file replacement.
#include <gtest/gtest.h>

#include "lang/texts.h"

#include "platform/sim/sim_system.h"
#include "rules/ini_file.h"
#include "rules/main_db.h"

namespace zt::test {
namespace {

const char* const kDb = "C:\\Zapotrix\\config\\zapotrix_mainDB.ini";

std::vector<std::string> Col(const ListModel& m, size_t col = 0) {
  std::vector<std::string> v;
  for (size_t i = 0; i < m.size(); ++i) v.push_back(m.text(i, col));
  return v;
}

class MainDb : public ::testing::Test {
 protected:
  RuleLists Load(const std::string& text) {
    sys.PutFile(kDb, text);
    RuleLists l;
    LoadMainDB(sys, kDb, l);
    return l;
  }
  SimSystem sys;
};

}  // namespace

TEST_F(MainDb, CountOfKeysDecidesWhichNumbersAreRead) {
  RuleLists l = Load("[ADS]\r\n1=eins\r\n2=zwei\r\n5=fuenf\r\n");
  EXPECT_EQ((std::vector<std::string>{"eins", "zwei"}), Col(l.ADS));  // key 3 is a gap, 5 never read
}

TEST_F(MainDb, CaseInsensitiveDuplicatesKeepTheFirst) {
  RuleLists l = Load("[WCS]\r\n1=Werbung\r\n2=WERBUNG\r\n3=\xC4pfel\r\n4=\xE4pfel\r\n");
  EXPECT_EQ((std::vector<std::string>{"Werbung", "\xC4pfel"}), Col(l.WCS));
}

TEST_F(MainDb, ValuesAreTrimmedUnquotedAndCutAt2047) {
  std::string longValue(3000, 'x');
  RuleLists l = Load("[URL]\r\n1 =  \"http://a.example\"  \r\n2=" + longValue + "\r\n3=\r\n");
  ASSERT_EQ(2u, l.URL.size());
  EXPECT_EQ(std::string(2047, 'x'), l.URL.text(1));
  EXPECT_EQ("http://a.example", l.URL.text(0));
}

TEST_F(MainDb, WdsPairsOddCountEmptyPartsAndExactDuplicates) {
  RuleLists l = Load("[WDS]\r\n1=300\r\n2=250\r\n3=0300\r\n4=250\r\n5=300\r\n6=250\r\n7=\r\n8=60\r\n9=468\r\n");
  EXPECT_EQ((std::vector<std::string>{"300", "0300"}), Col(l.WDS, 0));
  EXPECT_EQ((std::vector<std::string>{"250", "250"}), Col(l.WDS, 1));
  RuleLists odd = Load("[wds]\r\n1=1\r\n2=2\r\n3=3\r\n4=4\r\n5=5\r\n");
  EXPECT_EQ((std::vector<std::string>{"1", "3"}), Col(odd.WDS, 0));
}

TEST_F(MainDb, KeyListIsNotCutAt16KB) {
  std::string text = "[ADS]\r\n";
  for (int i = 1; i <= 5000; ++i) text += std::to_string(i) + "=word" + std::to_string(i) + "\r\n";
  RuleLists l = Load(text);
  EXPECT_EQ(5000u, l.ADS.size());
}

TEST_F(MainDb, MissingFileLoadsEmptyLists) {
  RuleLists l;
  LoadMainDB(sys, "C:\\nowhere\\db.ini", l);
  EXPECT_TRUE(l.ADS.empty() && l.URL.empty() && l.WCS.empty() && l.WDS.empty());
}

TEST_F(MainDb, SaveReplacesOurSectionsAtTheEndAndKeepsOthers) {
  sys.PutFile(kDb, "; top\r\n[ADS]\r\n1=old\r\n[Other]\r\nx = 1\r\n[wcs]\r\n1=gone\r\n");
  RuleLists l;
  l.ADS.Add({"casino"});
  l.ADS.Add({"gewinnspiel"});
  l.WCS.Add({"Sie haben gewonnen"});
  l.WDS.Add({"300", "250"});
  l.WDS.Add({"468", "60"});
  SaveMainDB(sys, kDb, l, TextsFor(false));
  EXPECT_EQ("; top\r\n[Other]\r\nx = 1\r\n[ADS]\r\n1=casino\r\n2=gewinnspiel\r\n[WCS]\r\n1=Sie haben gewonnen\r\n"
            "[WDS]\r\n1=300\r\n2=250\r\n3=468\r\n4=60\r\n",
            *sys.ReadFile(kDb));
  EXPECT_TRUE(sys.boxes.empty());
  RuleLists back;
  LoadMainDB(sys, kDb, back);
  EXPECT_EQ(Col(l.ADS), Col(back.ADS));
  EXPECT_EQ(Col(l.WDS, 1), Col(back.WDS, 1));
}

TEST_F(MainDb, ReadOnlyOrMissingFileGivesWriteProtectionMessage) {
  sys.PutFile(kDb, "[ADS]\r\n1=old\r\n");
  sys.SetFileAttributes(kDb, kAttrReadOnly);
  RuleLists l;
  SaveMainDB(sys, kDb, l, TextsFor(false));
  ASSERT_EQ(1u, sys.boxes.size());
  EXPECT_EQ(std::string(TextsFor(false).msg.dbWriteProtected), sys.boxes[0].text);
  EXPECT_EQ("Zapotrix", sys.boxes[0].caption);
  EXPECT_EQ(kMbIconError, sys.boxes[0].flags);
  EXPECT_EQ("[ADS]\r\n1=old\r\n", *sys.ReadFile(kDb));

  SaveMainDB(sys, "C:\\Zapotrix\\config\\deleted.ini", l, TextsFor(true));
  ASSERT_EQ(2u, sys.boxes.size());
  EXPECT_EQ(std::string(TextsFor(true).msg.dbWriteProtected), sys.boxes[1].text);
  EXPECT_FALSE(sys.FileAttributes("C:\\Zapotrix\\config\\deleted.ini").has_value());
}

TEST_F(MainDb, FailedWriteLeavesTheOldFileWhole) {
  sys.PutFile(kDb, "[ADS]\r\n1=old\r\n");
  RuleLists l;
  l.ADS.Add({"new"});
  sys.failWrites = true;  // a full disk
  SaveMainDB(sys, kDb, l, TextsFor(false));
  EXPECT_EQ("[ADS]\r\n1=old\r\n", *sys.ReadFile(kDb));
}

TEST(IniFileRead, QuotesBlanksAndFirstNameWins) {
  IniFile ini = IniFile::Parse("\xEF\xBB\xBF[A]\r\nk = ' v '\r\nK=second\r\n;c=1\r\nnoequals\r\n[a]\r\nz=1\n[B]\rq=\"x\"\r\n");
  EXPECT_EQ(" v ", ini.Read("a", "k"));
  EXPECT_EQ((std::vector<std::string>{"k", "K"}), ini.Keys("A"));
  EXPECT_EQ("", ini.Read("A", "z"));   // only the first section of a name counts
  EXPECT_EQ("x", ini.Read("B", "q"));  // a lone CR ends a line
  EXPECT_EQ("d", ini.Read("B", "missing", "d"));
}

}  // namespace zt::test

namespace zt::test {

TEST_F(MainDb, MalformedFilesLoadWhatTheReadingRulesGive) {
  std::string binary;
  for (int i = 0; i < 4096; ++i) binary += static_cast<char>((i * 131) & 0xFF);
  EXPECT_TRUE(Load(binary).ADS.empty());
  EXPECT_TRUE(Load("\xEF\xBB\xBF").ADS.empty());
  EXPECT_TRUE(Load("1=a\r\n2=b\r\n").ADS.empty());  // no section at all

  RuleLists nul = Load(std::string("[ADS]\r\n1=ab\0cd\r\n2=x", 20));
  EXPECT_EQ((std::vector<std::string>{"ab", "x"}), Col(nul.ADS));  // text ends at the NUL

  std::string huge(1 << 20, 'h');
  RuleLists big = Load("[ADS]\r\n1=" + huge + "\r\n2=small\r\n" + huge + "\r\n");
  ASSERT_EQ(2u, big.ADS.size());
  EXPECT_EQ(2047u, big.ADS.text(0).size());

  RuleLists repeated = Load("[ADS]\r\n1=first\r\n1=second\r\n[ADS]\r\n2=other\r\n");
  // Count 2 (two keys "1"), key 2 is missing in the first section.
  EXPECT_EQ((std::vector<std::string>{"first"}), Col(repeated.ADS));
}

TEST_F(MainDb, SaveDropsRepeatedSectionsOfOurNames) {
  sys.PutFile(kDb, "[ADS]\r\n1=a\r\n[X]\r\ny=1\r\n[ads]\r\n1=b\r\n");
  RuleLists l;
  l.ADS.Add({"c"});
  SaveMainDB(sys, kDb, l, TextsFor(false));
  EXPECT_EQ("[X]\r\ny=1\r\n[ADS]\r\n1=c\r\n", *sys.ReadFile(kDb));
}

TEST_F(MainDb, SaveEndsAnUnterminatedLastLineFirst) {
  sys.PutFile(kDb, "[X]\r\ny=1");
  RuleLists l;
  l.URL.Add({"http://a.example"});
  SaveMainDB(sys, kDb, l, TextsFor(false));
  EXPECT_EQ("[X]\r\ny=1\r\n[URL]\r\n1=http://a.example\r\n", *sys.ReadFile(kDb));
}

}  // namespace zt::test
