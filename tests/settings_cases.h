// Behavioural tests of the settings store, run against the stand-in
// registry natively and against the real registry under Wine.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "system/settings.h"

namespace zt::test {

struct RegistryMaker {
  std::function<std::unique_ptr<Registry>()> make;
};
inline void PrintTo(const RegistryMaker&, std::ostream* os) { *os << "registry"; }

class SettingsStore : public ::testing::TestWithParam<RegistryMaker> {
 protected:
  void SetUp() override {
    reg = GetParam().make();
    reg->DeleteKey(HKey::CurrentUser, kSettingsKey);
  }
  void TearDown() override { reg->DeleteKey(HKey::CurrentUser, kSettingsKey); }
  void Dword(const char* name, uint32_t v) {
    reg->CreateKey(HKey::CurrentUser, kSettingsKey);
    ASSERT_TRUE(reg->SetDword(HKey::CurrentUser, kSettingsKey, name, v));
  }
  void Text(const char* name, const std::string& v) {
    reg->CreateKey(HKey::CurrentUser, kSettingsKey);
    ASSERT_TRUE(reg->SetString(HKey::CurrentUser, kSettingsKey, name, v));
  }
  // A complete key as the program writes it, with a few non-default values.
  Settings SaveNonDefault() {
    Settings s;
    s.Main_Left = 12;
    s.Main_Top = -30;
    s.UseURL = false;
    s.interval = 2;
    s.SmallWindowWidth = 640;
    s.Firefox = true;
    s.host_ip = "0.0.0.0";
    s.Services_Systemwiederherstellung = true;
    s.Opera = false;
    s.Chromium = false;
    RegIniSave(*reg, s);
    return s;
  }
  std::unique_ptr<Registry> reg;
};

inline bool SameSettings(const Settings& a, const Settings& b) {
  return a.Main_Left == b.Main_Left && a.Main_Top == b.Main_Top && a.AutoStart == b.AutoStart &&
         a.ShowHint == b.ShowHint && a.UseADS == b.UseADS && a.UseURL == b.UseURL &&
         a.UseWDS == b.UseWDS && a.UseWCS == b.UseWCS && a.interval == b.interval &&
         a.Small_Windows == b.Small_Windows && a.SmallWindowHeight == b.SmallWindowHeight &&
         a.SmallWindowWidth == b.SmallWindowWidth && a.Internet_Explorer == b.Internet_Explorer &&
         a.Mozilla == b.Mozilla && a.Firefox == b.Firefox && a.Notepad == b.Notepad &&
         a.hosts == b.hosts && a.host_ip == b.host_ip && a.hosts_onstartup == b.hosts_onstartup &&
         a.FlashAX == b.FlashAX && a.Flash7 == b.Flash7 && a.Flash_MZ == b.Flash_MZ &&
         a.Services_NachrichtenDienst == b.Services_NachrichtenDienst &&
         a.Services_Warndienst == b.Services_Warndienst &&
         a.Services_RemoteRegistrierung == b.Services_RemoteRegistrierung &&
         a.Services_Fehlerberichterstattung == b.Services_Fehlerberichterstattung &&
         a.Services_AutomatischeUpdates == b.Services_AutomatischeUpdates &&
         a.Services_Systemwiederherstellung == b.Services_Systemwiederherstellung &&
         std::all_of(std::begin(kBrowserFamilyValues), std::end(kBrowserFamilyValues),
                     [&](const BrowserFamilyValue& v) { return a.*v.field == b.*v.field; });
}

TEST_P(SettingsStore, NoKeyKeepsDefaultsAndSaveWritesAll28Values) {
  Settings s;
  RegIniRead(*reg, s);
  EXPECT_TRUE(SameSettings(Settings(), s));
  EXPECT_EQ(-1, s.Main_Left);
  EXPECT_EQ(320, s.SmallWindowWidth);
  EXPECT_EQ("127.0.0.1", s.host_ip);

  RegIniSave(*reg, s);
  auto v = reg->QueryValue(HKey::CurrentUser, kSettingsKey, "Services_Systemwiederherstellung");
  ASSERT_TRUE(v.has_value());
  EXPECT_EQ(RegType::Dword, v->type);
  auto left = reg->QueryValue(HKey::CurrentUser, kSettingsKey, "Main_Left");
  ASSERT_TRUE(left.has_value());
  EXPECT_EQ(0xFFFFFFFFu, left->dword);
  auto ip = reg->QueryValue(HKey::CurrentUser, kSettingsKey, "host_ip");
  ASSERT_TRUE(ip.has_value());
  EXPECT_EQ(RegType::Sz, ip->type);
  EXPECT_EQ("127.0.0.1", ip->data);
}

TEST_P(SettingsStore, RoundTripKeepsEveryField) {
  Settings saved = SaveNonDefault();
  Settings read;
  RegIniRead(*reg, read);
  EXPECT_TRUE(SameSettings(saved, read));
}

// The browser family switches are values of their own beside the 28: a key
// of an earlier version lacks them, and a record cut short still has them.
TEST_P(SettingsStore, BrowserFamilySwitchesAreReadEachOnItsOwn) {
  SaveNonDefault();
  for (const BrowserFamilyValue& v : kBrowserFamilyValues) {
    auto stored = reg->QueryValue(HKey::CurrentUser, kSettingsKey, v.name);
    ASSERT_TRUE(stored.has_value()) << v.name;
    EXPECT_EQ(RegType::Dword, stored->type);
  }
  reg->DeleteValue(HKey::CurrentUser, kSettingsKey, "Main_Top");  // ends the record's reading
  Text("Opera", "0");                                              // not a number: kept
  reg->DeleteValue(HKey::CurrentUser, kSettingsKey, "SeaMonkey");  // as an earlier version left it
  Settings s;
  s.Opera = true;
  s.SeaMonkey = true;
  s.Mozilla = true;
  RegIniRead(*reg, s);
  EXPECT_EQ(12, s.Main_Left);
  EXPECT_TRUE(s.Mozilla);     // after the gap: kept
  EXPECT_FALSE(s.Chromium);   // read
  EXPECT_TRUE(s.Opera);
  EXPECT_TRUE(s.SeaMonkey);
  EXPECT_TRUE(s.Gecko_Goanna);
}

TEST_P(SettingsStore, FirstMissingValueEndsTheRead) {
  Dword("Main_Left", 10);
  Dword("Main_Top", 20);
  Dword("UseADS", 0);  // after the missing AutoStart: never read
  Settings s;
  RegIniRead(*reg, s);
  EXPECT_EQ(10, s.Main_Left);
  EXPECT_EQ(20, s.Main_Top);
  EXPECT_TRUE(s.AutoStart);
  EXPECT_TRUE(s.UseADS);
}

TEST_P(SettingsStore, ValueOfWrongTypeEndsTheReadThere) {
  SaveNonDefault();
  Text("UseURL", "0");
  Dword("UseADS", 0);
  Settings s;
  s.SmallWindowWidth = 1;
  RegIniRead(*reg, s);
  EXPECT_EQ(12, s.Main_Left);
  EXPECT_FALSE(s.UseADS);           // read before UseURL
  EXPECT_TRUE(s.UseURL);            // keeps its value
  EXPECT_EQ(0, s.interval);         // after it: kept
  EXPECT_EQ(1, s.SmallWindowWidth);
  EXPECT_EQ("127.0.0.1", s.host_ip);
}

TEST_P(SettingsStore, MissingHostIpReadsEmptyAndReadingGoesOn) {
  SaveNonDefault();
  ASSERT_TRUE(reg->DeleteValue(HKey::CurrentUser, kSettingsKey, "host_ip"));
  Dword("hosts_onstartup", 1);
  Settings s;
  RegIniRead(*reg, s);
  EXPECT_EQ("", s.host_ip);
  EXPECT_TRUE(s.hosts_onstartup);
  EXPECT_TRUE(s.Services_Systemwiederherstellung);
}

TEST_P(SettingsStore, HostIpOfNumberTypeEndsTheRead) {
  SaveNonDefault();
  Dword("host_ip", 5);
  Dword("hosts_onstartup", 1);
  Settings s;
  RegIniRead(*reg, s);
  EXPECT_EQ("127.0.0.1", s.host_ip);
  EXPECT_FALSE(s.hosts_onstartup);
}

TEST_P(SettingsStore, IntervalUsesLowByteAndBooleansAnyNonZero) {
  SaveNonDefault();
  Dword("interval", 258);
  Dword("Notepad", 7);
  Settings s;
  RegIniRead(*reg, s);
  EXPECT_EQ(2, s.interval);
  EXPECT_TRUE(s.Notepad);
  RegIniSave(*reg, s);
  EXPECT_EQ(1u, reg->QueryValue(HKey::CurrentUser, kSettingsKey, "Notepad")->dword);
  EXPECT_EQ(2u, reg->QueryValue(HKey::CurrentUser, kSettingsKey, "interval")->dword);

  Dword("interval", 255);
  RegIniRead(*reg, s);
  EXPECT_EQ(-1, s.interval);
  RegIniSave(*reg, s);  // written sign-extended
  EXPECT_EQ(0xFFFFFFFFu, reg->QueryValue(HKey::CurrentUser, kSettingsKey, "interval")->dword);
}

TEST_P(SettingsStore, CancelWithIncompleteKeyKeepsDialogValuesFromFirstGap) {
  Dword("Main_Left", 1);
  Dword("Main_Top", 2);
  Dword("AutoStart", 0);
  Settings s;
  s.ShowHint = false;  // changed in the dialog, not stored
  s.UseWCS = false;
  RegIniRead(*reg, s);
  EXPECT_FALSE(s.AutoStart);
  EXPECT_FALSE(s.ShowHint);
  EXPECT_FALSE(s.UseWCS);
}

}  // namespace zt::test
