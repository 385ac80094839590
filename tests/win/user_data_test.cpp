#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "container_builder.h"
#include "data/install_dir.h"
#include "data/user_data.h"
#include "payload/md5_text.h"
#include "payload_fixture.h"
#include "shell/payload_memory.h"
#include "system/seams.h"
#include "system/state.h"
#include "test_support.h"

namespace {

const char* const kPairs[] = {"lanzpyck", "lanzcyzk", "lfontset", "lwbzlcz1",
                              "lzwbcmxz", "lzdhzcm",  "lanzdhz",  "lzgbkhz"};
const char* const kOthers[] = {"lzszsj43.lzh", "lanzdwdw.txt", "lanzzdym.lzh", "lzpyzdym.lzh",
                               "lzwbpy.txt",   "lanzynhz.txt", "lanzzdfh.lzh", "userck.txt",
                               "delck.txt",    "ftlzzdym.txt", "ftpylzym.txt", "lwb.ov1",
                               "lanzpymb.ov1", "lzgbkbh.lzh",  "lzszsj05.lzh", "lzszsj06.lzh"};

std::vector<std::wstring> WideTexts;

int WINAPI RecordWide(HWND, LPCWSTR text, LPCWSTR caption, UINT type) {
  EXPECT_STREQ(L"智能岚舟", caption);
  EXPECT_EQ(static_cast<UINT>(MB_OK), type);
  WideTexts.push_back(text);
  return IDOK;
}

std::string UserBytes(const std::string& name) { return "the user's own " + name + " data\r\n"; }

std::vector<std::string> EntryNames(const std::string& container) {
  std::vector<std::string> names;
  for (const ContainerEntry& entry : WalkAll(ToBytes(container)).entries) names.push_back(entry.name);
  return names;
}

class UserData : public InstallDirFiles {
 protected:
  void SetUp() override {
    InstallDirFiles::SetUp();
    AcquirePayloadMemory();
    WideTexts.clear();
    Platform.MessageBoxW = RecordWide;
    Edition = kPinyinEdition;
  }
  void TearDown() override {
    Platform.MessageBoxW = ::MessageBoxW;
    ReleasePayloadMemory();
    InstallDirFiles::TearDown();
  }
  // An earlier installation as its user left it: every file of the list,
  // the working files of the pairs newer than their companions.
  void EarlierInstallation() {
    for (const char* stem : kPairs) {
      ASSERT_TRUE(WriteBytes(Installed(std::string(stem) + ".lzh"), UserBytes(stem)));
      ASSERT_TRUE(WriteBytes(Installed(std::string(stem) + ".lz1"), "as unpacked"));
    }
    for (const char* name : kOthers) ASSERT_TRUE(WriteBytes(Installed(name), UserBytes(name)));
  }
  std::string Backup() const {
    std::string bytes;
    ReadBytes(Installed("lanzback.lzz"), &bytes);
    return bytes;
  }
  bool PutBackup(const Bytes& bytes) const { return PutFile(Installed("lanzback.lzz"), bytes); }
};

TEST_F(UserData, BacksUpTheEditionsListInOrderCopyingEachPairFirst) {
  EarlierInstallation();
  // Whatever was there before is rebuilt from nothing, even read-only.
  ASSERT_TRUE(WriteBytes(Installed("lanzback.lzz"), "stale"));
  SetFileAttributesA(Installed("lanzback.lzz").c_str(), FILE_ATTRIBUTE_READONLY);
  ASSERT_EQ(1, BackupUserData());
  const std::vector<std::string> pinyin = {
      "lanzpyck.lz1", "lfontset.lz1", "lwbzlcz1.lz1", "lzwbcmxz.lz1", "lzdhzcm.lz1",
      "lanzdhz.lz1",  "lzgbkhz.lz1",  "lzszsj43.lzh", "lanzdwdw.txt", "lanzzdym.lzh",
      "lzpyzdym.lzh", "lzwbpy.txt",   "lanzynhz.txt", "lanzzdfh.lzh", "userck.txt",
      "delck.txt",    "ftlzzdym.txt", "ftpylzym.txt", "lanzpymb.ov1", "lzgbkbh.lzh",
      "lzszsj05.lzh", "lzszsj06.lzh"};
  EXPECT_EQ(pinyin, EntryNames(Backup()));
  const auto inflated = InflatedEntries(Backup());
  EXPECT_EQ(UserBytes("lanzpyck"), inflated.at("lanzpyck.lz1"));
  EXPECT_EQ(UserBytes("lzgbkhz"), inflated.at("lzgbkhz.lz1"));
  EXPECT_EQ(UserBytes("lzszsj43.lzh"), inflated.at("lzszsj43.lzh"));
  // The copies stay in the directory.
  std::string companion;
  ASSERT_TRUE(ReadBytes(Installed("lfontset.lz1"), &companion));
  EXPECT_EQ(UserBytes("lfontset"), companion);

  Edition = kWubiEdition;
  ASSERT_EQ(1, BackupUserData());
  std::vector<std::string> wubi = pinyin;
  wubi[0] = "lanzcyzk.lz1";
  wubi.insert(wubi.begin() + 18, "lwb.ov1");
  EXPECT_EQ(wubi, EntryNames(Backup()));
  EXPECT_TRUE(WideTexts.empty());
  EXPECT_TRUE(shown_.empty());
}

TEST_F(UserData, SavesACompanionWithoutItsWorkingFileAndFailsWithoutARequiredFile) {
  EarlierInstallation();
  RemoveFile(Installed("lanzpyck.lzh"));
  for (const char* name : {"userck.txt", "delck.txt", "lzszsj06.lzh"}) RemoveFile(Installed(name));
  ASSERT_EQ(1, BackupUserData());
  EXPECT_EQ("as unpacked", InflatedEntries(Backup()).at("lanzpyck.lz1"));
  EXPECT_EQ(19u, EntryNames(Backup()).size());

  // The container keeps what went in before the missing file.
  RemoveFile(Installed("lanzynhz.txt"));
  EXPECT_EQ(0, BackupUserData());
  EXPECT_EQ(12u, EntryNames(Backup()).size());

  // A first installation has neither file of the first pair.
  RemoveFile(Installed("lanzpyck.lz1"));
  EXPECT_EQ(0, BackupUserData());
  EXPECT_TRUE(EntryNames(Backup()).empty());
}

TEST_F(UserData, RestorePutsEverySavedFileBackByteForByteAndCountsThem) {
  EarlierInstallation();
  ASSERT_EQ(1, BackupUserData());
  // A fresh installation over it.
  for (const char* name : kOthers) ASSERT_TRUE(WriteBytes(Installed(name), "fresh"));
  ASSERT_TRUE(WriteBytes(Installed("lanzpyck.lz1"), "fresh"));
  RestoreUserData();
  EXPECT_EQ(std::vector<std::wstring>{L"成功恢复了22个原有数据文件！"}, WideTexts);
  EXPECT_TRUE(shown_.empty());
  for (const char* name : kOthers) {
    if (std::string(name) == "lwb.ov1") continue;  // the Pinyin edition leaves it out
    std::string bytes;
    ASSERT_TRUE(ReadBytes(Installed(name), &bytes));
    EXPECT_EQ(UserBytes(name), bytes) << name;
  }
  std::string dictionary;
  ASSERT_TRUE(ReadBytes(Installed("lanzpyck.lz1"), &dictionary));
  EXPECT_EQ(UserBytes("lanzpyck"), dictionary);
}

TEST_F(UserData, NoBackupInTheChosenDirectoryOrAShortOneRestoresNothingSilently) {
  EarlierInstallation();
  ASSERT_EQ(1, BackupUserData());
  const std::string backedUp = InstallDir;
  // The user chose another directory on the path page.
  CreateDirectoryA("c:\\lz-elsewhere", nullptr);
  std::strcpy(InstallDir, "c:\\lz-elsewhere\\");
  RestoreUserData();
  EXPECT_FALSE(FileExists("c:\\lz-elsewhere\\lzszsj43.lzh"));

  std::strcpy(InstallDir, backedUp.c_str());
  ASSERT_TRUE(WriteBytes(Installed("lanzback.lzz"), Backup().substr(0, 99)));
  ASSERT_TRUE(WriteBytes(Installed("lzszsj43.lzh"), "fresh"));
  RestoreUserData();
  std::string record;
  ReadBytes(Installed("lzszsj43.lzh"), &record);
  EXPECT_EQ("fresh", record);
  EXPECT_TRUE(WideTexts.empty());
  EXPECT_TRUE(shown_.empty());
}

// The backup lies where low-integrity programs may write: whatever they put
// there, the restore writes nothing outside the installation directory.
class CraftedBackup : public UserData {
 protected:
  void TearDown() override {
    for (const char* path : {"c:\\evil.txt", "c:\\windows\\evil.txt", "c:\\lz-evil.txt"}) {
      EXPECT_FALSE(FileExists(path)) << path;
      RemoveFile(path);
    }
    UserData::TearDown();
  }
  // The narrow box that ends a restore that did not go through whole.
  void ExpectFailureBox(const std::string& listed) {
    ASSERT_FALSE(shown_.empty());
    const std::string sentence = Gbk(L"原有数据文件没有成功复制，原有数据不能使用！\r\n");
    EXPECT_EQ(listed.empty() ? sentence : listed + "\r\n\r\n" + sentence, shown_.back().text);
    EXPECT_EQ(Gbk(L"智能岚舟"), shown_.back().caption);
    EXPECT_TRUE(WideTexts.empty());
  }
  static std::string Checksum(const Bytes& data) {
    char text[kChecksumTextSize];
    Md5Text(data.data(), data.size(), text);
    return text;
  }
  void Fresh() {
    for (const char* name : kOthers) ASSERT_TRUE(WriteBytes(Installed(name), "fresh"));
  }
  std::string Read(const std::string& name) const {
    std::string bytes;
    ReadBytes(Installed(name), &bytes);
    return bytes;
  }
};

TEST_F(CraftedBackup, NamesThatReachOutsideAreNeverWritten) {
  Fresh();
  const Bytes evil = ToBytes("evil");
  const Bytes record = ToBytes(UserBytes("lzszsj43.lzh"));
  ASSERT_TRUE(PutBackup(ContainerBuilder(ContainerFormat::Checksummed)
                            .Add("..\\lz-evil.txt", evil, Checksum(evil))
                            .Add("c:\\evil.txt", evil, Checksum(evil))
                            .Add("..\\..\\evil.txt", evil, Checksum(evil))
                            .Add("lzszsj43.lzh", record, Checksum(record))
                            .Add("..", evil, Checksum(evil))
                            .Add("COM1.lzh", evil, Checksum(evil))
                            .Build()));
  RestoreUserData();
  EXPECT_EQ(UserBytes("lzszsj43.lzh"), Read("lzszsj43.lzh"));
  ASSERT_EQ(6u, shown_.size());
  EXPECT_EQ(EntryNotExtracted("..\\lz-evil.txt"), shown_[0].text);
  EXPECT_EQ(EntryNotExtracted("c:\\evil.txt"), shown_[1].text);
  EXPECT_EQ(EntryNotExtracted("..\\..\\evil.txt"), shown_[2].text);
  EXPECT_EQ(EntryNotExtracted(".."), shown_[3].text);
  // A device is no file of the directory either.
  EXPECT_EQ(EntryNotExtracted("COM1.lzh"), shown_[4].text);
  std::string listed;
  for (const char* name :
       {"..\\lz-evil.txt", "c:\\evil.txt", "..\\..\\evil.txt", "..", "COM1.lzh"}) {
    listed += std::string(name) + "....";
  }
  ExpectFailureBox(listed + Gbk(L"有文件没有成功解压，请重新下载安装！\r\n"));
}

TEST_F(CraftedBackup, ACountBeyondTheListRestoresNothing) {
  const Bytes record = ToBytes(UserBytes("lzszsj43.lzh"));
  for (const std::uint32_t count : {24u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
    Fresh();
    shown_.clear();
    Bytes backup = ContainerBuilder(ContainerFormat::Checksummed)
                       .Add("lzszsj43.lzh", record, Checksum(record))
                       .Build();
    WriteU32le(count, backup.data() + kEntryCountOffset);
    ASSERT_TRUE(PutBackup(backup));
    RestoreUserData();
    EXPECT_EQ("fresh", Read("lzszsj43.lzh")) << count;
    ASSERT_EQ(1u, shown_.size()) << count;
    ExpectFailureBox("");
  }
}

TEST_F(CraftedBackup, AStreamInflatingPastTheWorkAreaIsNotWritten) {
  Fresh();
  const Bytes huge(kWorkBufferSize + 1, 'x');
  ASSERT_TRUE(PutBackup(ContainerBuilder(ContainerFormat::Checksummed)
                            .Add("lzszsj43.lzh", huge, Checksum(huge))
                            .Build()));
  RestoreUserData();
  EXPECT_EQ("fresh", Read("lzszsj43.lzh"));
  ASSERT_EQ(2u, shown_.size());
  EXPECT_EQ(EntryNotExtracted("lzszsj43.lzh"), shown_[0].text);
  ExpectFailureBox("lzszsj43.lzh...." + Gbk(L"有文件没有成功解压，请重新下载安装！\r\n"));
}

TEST_F(CraftedBackup, ATruncatedBackupRestoresTheWholeEntriesAndSaysSo) {
  EarlierInstallation();
  ASSERT_EQ(1, BackupUserData());
  const std::string whole = Backup();
  Fresh();
  // Cut inside the second entry's stream.
  const WalkResult walked = WalkAll(ToBytes(whole));
  ASSERT_GE(walked.entries.size(), 2u);
  const std::size_t cut = walked.entries[1].headerOffset + kEntryHeaderSize + 3;
  ASSERT_TRUE(WriteBytes(Installed("lanzback.lzz"), whole.substr(0, cut)));
  ASSERT_TRUE(WriteBytes(Installed("lanzpyck.lz1"), "fresh"));
  ASSERT_TRUE(WriteBytes(Installed("lfontset.lz1"), "fresh"));
  RestoreUserData();
  EXPECT_EQ(UserBytes("lanzpyck"), Read("lanzpyck.lz1"));
  EXPECT_EQ("fresh", Read("lfontset.lz1"));
  EXPECT_EQ("fresh", Read("lzszsj43.lzh"));
  ASSERT_EQ(1u, shown_.size());
  ExpectFailureBox(Gbk(L"有文件没有成功解压，请重新下载安装！\r\n"));
}

}  // namespace
