// The settings store against the real registry: the same behavioural cases
// as against the stand-in.
#include "platform/win32/win32_registry.h"
#include "platform/win32/win.h"
#include "settings_cases.h"

namespace zt::test {

INSTANTIATE_TEST_SUITE_P(Real, SettingsStore, ::testing::Values(RegistryMaker{[] {
                           return std::unique_ptr<Registry>(new Win32Registry());
                         }}));

}  // namespace zt::test

namespace zt::test {

// Values of the wrong type or size, written with the raw registry calls.
class SettingsRawValues : public ::testing::Test {
 protected:
  void SetUp() override {
    reg.DeleteKey(HKey::CurrentUser, kSettingsKey);
    RegIniSave(reg, Settings());
    RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\veltrano\\Zapotrix\\V1\\settings", 0, KEY_ALL_ACCESS, &key);
  }
  void TearDown() override {
    RegCloseKey(key);
    reg.DeleteKey(HKey::CurrentUser, kSettingsKey);
  }
  void Raw(const char* name, DWORD type, const void* data, DWORD size) {
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size));
  }
  Win32Registry reg;
  HKEY key = nullptr;
};

TEST_F(SettingsRawValues, BinaryOrShortNumberEndsTheRead) {
  DWORD seven = 7;
  Raw("Main_Left", REG_DWORD, &seven, 4);
  Raw("Main_Top", REG_BINARY, &seven, 4);
  Settings s;
  RegIniRead(reg, s);
  EXPECT_EQ(7, s.Main_Left);
  EXPECT_EQ(-1, s.Main_Top);

  Raw("Main_Top", REG_DWORD, &seven, 4);
  Raw("AutoStart", REG_DWORD, "\x00\x00", 2);
  Raw("ShowHint", REG_DWORD, &seven, 4);
  Settings t;
  t.ShowHint = false;
  RegIniRead(reg, t);
  EXPECT_EQ(7, t.Main_Top);
  EXPECT_TRUE(t.AutoStart);
  EXPECT_FALSE(t.ShowHint);
}

TEST_F(SettingsRawValues, HostIpExpandStringIsTakenUnexpandedAndBinaryEndsTheRead) {
  Raw("host_ip", REG_EXPAND_SZ, "%SystemRoot%", 13);
  Settings s;
  RegIniRead(reg, s);
  EXPECT_EQ("%SystemRoot%", s.host_ip);

  DWORD one = 1;
  Raw("hosts_onstartup", REG_DWORD, &one, 4);
  Raw("host_ip", REG_BINARY, "0.0.0.0", 8);
  Settings t;
  RegIniRead(reg, t);
  EXPECT_EQ("127.0.0.1", t.host_ip);
  EXPECT_FALSE(t.hosts_onstartup);
}

}  // namespace zt::test
