#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "test_support.h"

namespace {

// setup.exe's resources, as the loader and Explorer see them.
class SetupResources : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string path = WindowsPathOfNative(std::getenv("LANZ_SETUP_EXE"));
    module_ = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, module_) << path;
  }
  void TearDown() override { FreeLibrary(module_); }

  std::string Resource(const char* name, const char* type) {
    HRSRC found = FindResourceA(module_, name, type);
    if (found == nullptr) return {};
    const char* data = static_cast<const char*>(LockResource(LoadResource(module_, found)));
    return std::string(data, SizeofResource(module_, found));
  }

  HMODULE module_ = nullptr;
};

TEST_F(SetupResources, ManifestAsksForAdministratorWithoutUiAccess) {
  const std::string manifest = Resource(MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  EXPECT_NE(std::string::npos,
            manifest.find("<requestedExecutionLevel level=\"requireAdministrator\" uiAccess=\"false\"/>"));
}

TEST_F(SetupResources, ClassIconLanzhuLoads) {
  EXPECT_FALSE(Resource("LANZHU", MAKEINTRESOURCEA(14)).empty());  // RT_GROUP_ICON
  HICON icon = LoadIconA(module_, "lanzhu");
  ASSERT_NE(nullptr, icon);
  ICONINFO info;
  ASSERT_TRUE(GetIconInfo(icon, &info));
  BITMAP colour;
  GetObjectA(info.hbmColor, sizeof colour, &colour);
  EXPECT_EQ(32, colour.bmWidth);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
}

}  // namespace
