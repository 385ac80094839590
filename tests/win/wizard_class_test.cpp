#include <gtest/gtest.h>

#include "shell/wizard_window.h"

namespace {

// The class as the installer registers it; this program carries setup.exe's
// own resources, the icon "lanzhu" among them.
TEST(WizardClass, IsRegisteredWithItsIconCursorAndWhiteBackground) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  ASSERT_TRUE(RegisterWizardClass(instance));
  WNDCLASSA registered = {};
  ASSERT_TRUE(GetClassInfoA(instance, "installWClass", &registered));
  EXPECT_EQ(0u, registered.style);
  EXPECT_NE(nullptr, registered.hIcon);
  EXPECT_EQ(LoadCursorA(nullptr, IDC_ARROW), registered.hCursor);
  EXPECT_EQ(GetStockObject(WHITE_BRUSH), registered.hbrBackground);
  EXPECT_EQ(nullptr, registered.lpszMenuName);
}

}  // namespace
