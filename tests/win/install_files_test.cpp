#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "data/install_dir.h"
#include "payload/install_files.h"
#include "payload_fixture.h"
#include "shell/payload_memory.h"
#include "system/state.h"
#include "test_support.h"

namespace {

// Both passes over the real payload, with the system directories of the
// configuration's prefix as the targets.
class InstallPasses : public InstallDirFiles {
 protected:
  void SetUp() override {
    InstallDirFiles::SetUp();
    // Recorded at start-up, as the installer does.
    OemCodePage = static_cast<int>(GetOEMCP());
    ASSERT_TRUE(ReadBytes(WindowsPathOfNative(std::getenv("LANZ_PAYLOAD_LZZ")), &container_));
    entries_ = InflatedEntries(container_);
    ASSERT_EQ(79u, entries_.size());
    work_.assign(kWorkBufferSize, 0);
    Payload = reinterpret_cast<const unsigned char*>(container_.data());
    PayloadSize = container_.size();
    WorkBuffer = work_.data();
    for (const std::string& target : {SystemModule(), SystemUninstaller(), Wow64Module()}) {
      RemoveFile(target);
    }
  }
  void TearDown() override {
    Payload = nullptr;
    PayloadSize = 0;
    WorkBuffer = nullptr;
    InstallDirFiles::TearDown();
  }

  // The real system directory; this 32-bit test reaches it on 64-bit
  // Windows through its alias, as the installer does.
  static std::string SystemTarget(const char* name) {
    return (CurrentConfig().windows64 ? WindowsDir() + "\\sysnative\\" : SystemDir() + "\\") + name;
  }
  static std::string SystemModule() { return SystemTarget("lanzhu4.ime"); }
  static std::string SystemUninstaller() { return SystemTarget("lanzdel.exe"); }
  static std::string Wow64Module() { return WindowsDir() + "\\syswow64\\lanzhu4.ime"; }

  std::string Entry(const char* name) const { return entries_.at(name); }
  std::string FirstPass32() const {
    return StampedModule(Entry(CurrentConfig().oemCodePage == 950 ? "lanz321.ime" : "lanz320.ime"));
  }
  std::string FirstPass64() const {
    return StampedModule(Entry(CurrentConfig().oemCodePage == 950 ? "lanz641.ime" : "lanz640.ime"));
  }
  static std::string Content(const std::string& path) {
    std::string bytes;
    return ReadBytes(path, &bytes) ? bytes : "(missing)";
  }
  static std::string CopyFailed(const std::string& target) {
    return Gbk(L"没有成功复制") + target + Gbk(L"文件，请退出安装程序并手动删除该文件后重新安装！");
  }

  std::string container_;
  std::map<std::string, std::string> entries_;
  std::vector<unsigned char> work_;
};

TEST_F(InstallPasses, FirstPassPlacesTheCodePagesModulesAndTheSecondTheFullOnes) {
  const bool vista = CurrentConfig().majorVersion >= 6;
  InstallFiles(false);
  EXPECT_TRUE(shown_.empty());
  if (CurrentConfig().windows64) {
    EXPECT_TRUE(SameBytes(FirstPass32(), Content(Wow64Module())));
    EXPECT_TRUE(SameBytes(FirstPass64(), Content(SystemModule())));
    EXPECT_TRUE(SameBytes(Entry("lzqdel64.exe"), Content(SystemUninstaller())));
  } else {
    EXPECT_TRUE(SameBytes(FirstPass32(), Content(SystemModule())));
    EXPECT_TRUE(SameBytes(Entry("lanzdel.exe"), Content(SystemUninstaller())));
  }
  // Vista and later start the main program under the newer one's name.
  EXPECT_TRUE(SameBytes(Entry(vista ? "lanzznw6.exe" : "lanzlzsr.exe"),
                        Content(Installed("lanzlzsr.exe"))));
  EXPECT_EQ(!vista, FileExists(Installed("lanzznw6.exe")));
  EXPECT_TRUE(
      SameBytes(StampedModule(Entry("setupw64.exe")), Content(Installed("setupw64.exe"))));

  InstallFiles(true);
  EXPECT_TRUE(shown_.empty());
  if (CurrentConfig().windows64) {
    EXPECT_TRUE(SameBytes(Entry("lanzhu32.ime"), Content(Wow64Module())));
    EXPECT_TRUE(SameBytes(Entry("lanzhu64.ime"), Content(SystemModule())));
  } else {
    EXPECT_TRUE(SameBytes(Entry(vista ? "lanzhu32.ime" : "lanzhu4.ime"), Content(SystemModule())));
  }
  for (const char* module : {"lanz320.ime", "lanz321.ime", "lanz640.ime", "lanz641.ime"}) {
    EXPECT_FALSE(FileExists(Installed(module))) << module;
  }
}

TEST_F(InstallPasses, AModuleInUseIsReportedAndThePassGoesOn) {
  // A program holds the system's module without letting it be replaced,
  // deleted or renamed.
  ASSERT_TRUE(WriteBytes(SystemModule(), "old module"));
  HANDLE held = CreateFileA(SystemModule().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, held);
  InstallFiles(false);
  CloseHandle(held);

  ASSERT_EQ(1u, shown_.size());
  EXPECT_EQ(CopyFailed(SystemModule()), shown_[0].text);
  EXPECT_EQ(Gbk(L"智能岚舟(岚舟五笔)安装"), shown_[0].caption);
  EXPECT_EQ(static_cast<UINT>(MB_OK), shown_[0].type);
  EXPECT_EQ("old module", Content(SystemModule()));
  // The steps after the failed copy still ran.
  EXPECT_NE("(missing)", Content(SystemUninstaller()));
  if (CurrentConfig().windows64) {
    EXPECT_TRUE(SameBytes(FirstPass32(), Content(Wow64Module())));
  }
}

TEST_F(InstallPasses, AMissingFullModuleIsReportedAndTheFirstPassModulesStillGo) {
  InstallFiles(false);
  for (const char* module : {"lanzhu4.ime", "lanzhu32.ime", "lanzhu64.ime"}) {
    RemoveFile(Installed(module));
  }
  InstallFiles(true);
  const std::size_t expected = CurrentConfig().windows64 ? 2 : 1;
  ASSERT_EQ(expected, shown_.size());
  EXPECT_EQ(CopyFailed(CurrentConfig().windows64 ? Wow64Module() : SystemModule()), shown_[0].text);
  for (const char* module : {"lanz320.ime", "lanz321.ime", "lanz640.ime", "lanz641.ime"}) {
    EXPECT_FALSE(FileExists(Installed(module))) << module;
  }
}

}  // namespace
