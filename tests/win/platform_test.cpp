#include <gtest/gtest.h>

#include <string>

#include "system/platform.h"
#include "test_support.h"

namespace {

TEST(PlatformProbes, TellTheWindowsOfEachConfiguration) {
  const BenchConfig& config = CurrentConfig();
  EXPECT_EQ(config.windows64 ? 1 : 0, IsWindows64());
  EXPECT_EQ(config.majorVersion, WindowsMajorVersion);
  if (config.majorVersion >= 6) {
    EXPECT_EQ(WindowsDir() + "\\syswow64", std::string(SysWow64Dir));
  }
  EXPECT_EQ(static_cast<UINT>(config.oemCodePage), GetOEMCP());
}

TEST(PlatformProbes, XpWithASysWow64DirectoryIsStill32Bit) {
  if (CurrentConfig().majorVersion >= 6) GTEST_SKIP() << "an XP configuration only";
  ASSERT_TRUE(CreateDirectoryA((WindowsDir() + "\\syswow64").c_str(), nullptr));
  EXPECT_EQ(0, IsWindows64());
  EXPECT_EQ(5, WindowsMajorVersion);
  RemoveDirectoryA((WindowsDir() + "\\syswow64").c_str());
}

TEST(PlatformProbes, PathExistsForFilesAndDirectories) {
  EXPECT_EQ(1, PathExists(WindowsDir().c_str()));
  EXPECT_EQ(1, PathExists((SystemDir() + "\\kernel32.dll").c_str()));
  EXPECT_EQ(0, PathExists((WindowsDir() + "\\no-such-file.lzh").c_str()));
  EXPECT_EQ(0, PathExists(""));
}

TEST(PlatformProbes, SysWow64DirLeavesTheWindowsDirectoryShared) {
  char out[kDirBufferSize];
  GetSysWow64Dir(out);
  EXPECT_EQ(WindowsDir() + "\\syswow64", std::string(out));
  EXPECT_EQ(WindowsDir(), std::string(SharedDirBuffer));
}

}  // namespace
