#include "core/install_dir_rules.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

TEST(CheckInstallDir, AcceptsOneLevelBelowADriveRoot) {
  EXPECT_EQ(1, CheckInstallDir("c:\\lanzhu2\\"));
  EXPECT_EQ(1, CheckInstallDir("c:\\lanzhu2"));  // the default without its backslash
  EXPECT_EQ(1, CheckInstallDir("c:\\ab"));       // five characters
  EXPECT_EQ(1, CheckInstallDir("1:\\digit"));    // the drive letter is not tested
  EXPECT_EQ(1, CheckInstallDir("D:\\\xB0\xB2\xD7\xB0\\"));  // GBK name
}

TEST(CheckInstallDir, RejectsEverythingElse) {
  EXPECT_EQ(0, CheckInstallDir("c:\\a"));          // four characters
  EXPECT_EQ(0, CheckInstallDir("c:\\"));           // a bare drive root
  EXPECT_EQ(0, CheckInstallDir(""));
  EXPECT_EQ(0, CheckInstallDir("c"));
  EXPECT_EQ(0, CheckInstallDir("c:\\a\\b\\"));     // two levels, trailing backslash
  EXPECT_EQ(0, CheckInstallDir("c:\\ab\\cd"));     // two levels without it
  EXPECT_EQ(0, CheckInstallDir("lanzhu2\\"));      // relative
  EXPECT_EQ(0, CheckInstallDir("c:/lanzhu2/"));    // forward slashes
  EXPECT_EQ(0, CheckInstallDir("\\\\srv\\share")); // UNC
}

TEST(IsResolvedDir, LooksOnlyAtTheSecondAndThirdCharacter) {
  const auto resolved = [](const char* text) {
    char dir[kInstallDirSize] = {};
    std::memcpy(dir, text, std::strlen(text) + 1);
    return IsResolvedDir(dir);
  };
  EXPECT_TRUE(resolved("c:\\lanzhu2\\"));
  EXPECT_TRUE(resolved("9:\\"));
  EXPECT_FALSE(resolved("lanzisadmin\\"));
  EXPECT_FALSE(resolved(""));
  char cleared[kInstallDirSize] = "c:\\x";
  cleared[0] = '\0';
  EXPECT_TRUE(IsResolvedDir(cleared));
}

TEST(RegistrationDirArgument, TakesOnlyTheFirstLowerCaseR) {
  EXPECT_STREQ("d:\\lanzhu2\\", RegistrationDirArgument("reglz32=d:\\lanzhu2\\"));
  EXPECT_STREQ("\"d:\\a b\\\" ", RegistrationDirArgument("reglz32=\"d:\\a b\\\" "));
  EXPECT_STREQ("", RegistrationDirArgument("reglz32="));
  EXPECT_STREQ("e:\\x\\", RegistrationDirArgument("SETUP reglz32=e:\\x\\"));
  EXPECT_EQ(nullptr, RegistrationDirArgument("REGLZ32=d:\\lanzhu2\\"));
  EXPECT_EQ(nullptr, RegistrationDirArgument("/norestart reglz32=d:\\lanzhu2\\"));
  EXPECT_EQ(nullptr, RegistrationDirArgument("reglz32"));
  EXPECT_EQ(nullptr, RegistrationDirArgument(""));
}

TEST(AppendDirBackslash, AppendsOnceAndNeverPastTheBuffer) {
  char dir[kInstallDirSize] = "c:\\lanzhu2";
  AppendDirBackslash(dir);
  EXPECT_STREQ("c:\\lanzhu2\\", dir);
  AppendDirBackslash(dir);
  EXPECT_STREQ("c:\\lanzhu2\\", dir);

  char full[kInstallDirSize];
  std::memset(full, 'a', kInstallDirMaxChars);
  full[kInstallDirMaxChars] = '\0';
  AppendDirBackslash(full);
  EXPECT_EQ(std::string(kInstallDirMaxChars, 'a'), full);

  char almost[kInstallDirSize];
  std::memset(almost, 'a', kInstallDirMaxChars - 1);
  almost[kInstallDirMaxChars - 1] = '\0';
  AppendDirBackslash(almost);
  EXPECT_EQ(kInstallDirMaxChars, std::strlen(almost));
  EXPECT_EQ('\\', almost[kInstallDirMaxChars - 1]);
}
