// The settings store against the real registry: the same behavioural cases
// as against the stand-in.
#include "platform/win32/win32_registry.h"
#include "settings_cases.h"

namespace zt::test {

INSTANTIATE_TEST_SUITE_P(Real, SettingsStore, ::testing::Values(RegistryMaker{[] {
                           return std::unique_ptr<Registry>(new Win32Registry());
                         }}));

}  // namespace zt::test
