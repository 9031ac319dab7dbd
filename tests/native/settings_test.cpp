// Settings record <-> registry: defaults, the stop at the first bad value,
// the host_ip exception, the mode byte, and write errors.
#include <gtest/gtest.h>

#include "platform/sim/sim_registry.h"
#include "settings_cases.h"

namespace zt::test {

INSTANTIATE_TEST_SUITE_P(Sim, SettingsStore, ::testing::Values(RegistryMaker{[] {
                           return std::unique_ptr<Registry>(new SimRegistry());
                         }}));

TEST(SettingsSim, ReadOnlyKeyRaisesErrorNamingFirstValue) {
  SimRegistry reg;
  reg.CreateKey(HKey::CurrentUser, kSettingsKey);
  reg.DenyWrite(HKey::CurrentUser, kSettingsKey);
  Settings s;
  try {
    RegIniSave(reg, s);
    FAIL() << "no error";
  } catch (const RegistryError& e) {
    EXPECT_STREQ("Failed to set data for 'Main_Left'", e.what());
  }
}

TEST(SettingsSim, UnreadableKeyKeepsEveryField) {
  SimRegistry reg;
  reg.SetRaw(HKey::CurrentUser, kSettingsKey, "Main_Left", {RegType::Dword, 5, ""});
  reg.DenyAccess(HKey::CurrentUser, kSettingsKey);
  Settings s;
  s.Main_Left = 77;
  RegIniRead(reg, s);
  EXPECT_EQ(77, s.Main_Left);
}

}  // namespace zt::test
