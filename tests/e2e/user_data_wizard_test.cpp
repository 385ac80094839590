#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/container_format.h"
#include "core/entry_stream.h"
#include "installer_run.h"
#include "payload/md5_text.h"
#include "payload_entries.h"
#include "test_support.h"
#include "wizard_tour.h"

namespace {

const std::string kInstallDir = "c:\\lanzhu2\\";
const wchar_t kKeepQuestion[] = L"检测到安装目录下有智能岚舟以前的词组等数据文件，是否保留？";
const wchar_t kCompleted[] = L"安装完毕，如不能使用，请重新启动计算机！";

// The Pinyin edition's backup list: pairs first (their working files), then
// the other files.
const char* const kPairStems[] = {"lanzpyck", "lfontset", "lwbzlcz1", "lzwbcmxz",
                                  "lzdhzcm",  "lanzdhz",  "lzgbkhz"};
const char* const kOtherFiles[] = {"lzszsj43.lzh", "lanzdwdw.txt", "lanzzdym.lzh", "lzpyzdym.lzh",
                                   "lzwbpy.txt",   "lanzynhz.txt", "lanzzdfh.lzh", "userck.txt",
                                   "delck.txt",    "ftlzzdym.txt", "ftpylzym.txt", "lanzpymb.ov1",
                                   "lzgbkbh.lzh",  "lzszsj05.lzh", "lzszsj06.lzh"};

std::string UserBytes(const std::string& name) {
  return "what the user made of " + name + " over the years\r\n";
}
// The user's own settings record: 200 bytes, unlike what any choice writes.
std::string UserRecord() { return std::string(200, '\x05'); }

// An earlier installation in the default directory, with the user's data.
void EarlierInstallation() {
  ClearInstallDirRecords();
  CreateDirectoryA(kInstallDir.c_str(), nullptr);
  for (const char* stem : kPairStems) {
    ASSERT_TRUE(WriteBytes(kInstallDir + stem + ".lzh", UserBytes(stem)));
    ASSERT_TRUE(WriteBytes(kInstallDir + stem + ".lz1", "as unpacked long ago"));
  }
  for (const char* name : kOtherFiles) ASSERT_TRUE(WriteBytes(kInstallDir + name, UserBytes(name)));
  ASSERT_TRUE(WriteBytes(kInstallDir + "lzszsj43.lzh", UserRecord()));
}

// A narrow (GBK) text as a message box of this system's code page shows it.
std::wstring AsShown(const std::wstring& text) {
  const std::string gbk = Gbk(text);
  const int size = MultiByteToWideChar(CP_ACP, 0, gbk.c_str(), -1, nullptr, 0);
  std::wstring out(size > 0 ? size - 1 : 0, L'\0');
  if (size > 1) MultiByteToWideChar(CP_ACP, 0, gbk.c_str(), -1, &out[0], size);
  return out;
}

// Answers the keep question with `answer`, every other box with OK; can run
// something once the welcome page is up (the backup is made by then).
class KeepAnswer : public TourObserver {
 public:
  explicit KeepAnswer(int answer) : answer_(answer) {}
  int MessageBox(HWND box, HWND) override {
    return MessageBoxText(box) == kKeepQuestion ? answer_ : IDOK;
  }
  void Page(const std::string& name, HWND) override {
    if (name == "0-welcome" && onWelcome) onWelcome();
  }
  std::function<void()> onWelcome;

 private:
  int answer_;
};

TourRecord Reinstall(KeepAnswer& observer) {
  InstallerRun run;
  EXPECT_TRUE(run.started());
  TourChoices choices;
  choices.skinDialog = false;
  return InstallThroughWizard(run.launched(), choices, observer);
}

using ReinstallKeepingData = ::testing::Test;

TEST(ReinstallKeepingData, YesSkipsTheSkinDialogAndRestoresEverySavedFile) {
  EarlierInstallation();
  KeepAnswer observer(IDYES);
  const TourRecord record = Reinstall(observer);
  EXPECT_EQ("", record.failure);
  EXPECT_EQ(0u, record.exitCode);
  EXPECT_EQ(L"", record.skinDialogCaption);
  EXPECT_EQ((std::vector<std::wstring>{kKeepQuestion, L"成功恢复了22个原有数据文件！", kCompleted}),
            record.messages);
  // The pairs' working files went into the backup through their companions.
  for (const char* stem : kPairStems) {
    EXPECT_EQ(UserBytes(stem), Bytes(kInstallDir + stem + ".lz1")) << stem;
  }
  for (const char* name : kOtherFiles) {
    if (std::string(name) == "lzszsj43.lzh") continue;
    EXPECT_EQ(UserBytes(name), Bytes(kInstallDir + name)) << name;
  }
  // The settings record was neither rewritten for choices nor left fresh.
  EXPECT_TRUE(SameBytes(UserRecord(), Bytes(kInstallDir + "lzszsj43.lzh")));
}

TEST(ReinstallKeepingData, NoLeavesTheFreshFilesAndTheBackup) {
  EarlierInstallation();
  KeepAnswer observer(IDNO);
  InstallerRun run;
  ASSERT_TRUE(run.started());
  const TourRecord record = InstallThroughWizard(run.launched(), TourChoices(), observer);
  EXPECT_EQ("", record.failure);
  EXPECT_NE(L"", record.skinDialogCaption);
  EXPECT_EQ((std::vector<std::wstring>{kKeepQuestion, kCompleted}), record.messages);
  EXPECT_TRUE(SameBytes(Payload().at("lanzpyck.lz1"), Bytes(kInstallDir + "lanzpyck.lz1")));
  EXPECT_TRUE(SameBytes(Payload().at("userck.txt"), Bytes(kInstallDir + "userck.txt")));
  EXPECT_NE(UserRecord(), Bytes(kInstallDir + "lzszsj43.lzh"));
  const auto backup = InflatedEntries(Bytes(kInstallDir + "lanzback.lzz"));
  EXPECT_EQ(22u, backup.size());
  EXPECT_EQ(UserBytes("lanzpyck"), backup.at("lanzpyck.lz1"));
  EXPECT_EQ(UserRecord(), backup.at("lzszsj43.lzh"));
}

// Between the backup at window creation and the restore, a program of low
// integrity replaces the backup: the restore writes nothing outside the
// installation directory and says what did not come back.
using CraftedBackupRestore = ::testing::Test;

// A checksummed container of the entries, whatever their names, each with the
// checksum of its data.
std::string Crafted(const std::vector<std::pair<std::string, std::string>>& entries) {
  ContainerHeader header = EmptyContainerHeader(ContainerFormat::Checksummed);
  std::string body;
  for (const auto& [name, data] : entries) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(data.data());
    std::string stream(CompressionRoom(data.size()), '\0');
    stream.resize(CompressEntry(bytes, data.size(), reinterpret_cast<std::uint8_t*>(&stream[0]),
                                stream.size()));
    EntryHeader entry{};
    name.copy(entry.name, sizeof entry.name);
    Md5Text(data.data(), data.size(), entry.checksum);
    entry.compressedSize = static_cast<std::uint32_t>(stream.size());
    std::uint8_t entryBytes[kEntryHeaderSize];
    EncodeEntryHeader(entry, entryBytes);
    body.append(reinterpret_cast<const char*>(entryBytes), sizeof entryBytes).append(stream);
    CountAppendedEntry(header, entry.compressedSize);
  }
  std::uint8_t headerBytes[kContainerHeaderSize];
  EncodeContainerHeader(header, headerBytes);
  return std::string(reinterpret_cast<const char*>(headerBytes), sizeof headerBytes) + body;
}

const char* const kOutside[] = {"c:\\evil.txt", "c:\\windows\\e.x", "c:\\lz-evil.txt"};

TourRecord RestoreCrafted(const std::string& backup) {
  EarlierInstallation();
  for (const char* path : kOutside) RemoveFile(path);
  KeepAnswer observer(IDYES);
  observer.onWelcome = [backup] {
    EXPECT_TRUE(WriteBytes(kInstallDir + "lanzback.lzz", backup));
  };
  const TourRecord record = Reinstall(observer);
  EXPECT_EQ("", record.failure);
  EXPECT_EQ(0u, record.exitCode);
  for (const char* path : kOutside) EXPECT_FALSE(FileExists(path)) << path;
  return record;
}

const std::wstring kNotRestored = L"原有数据文件没有成功复制，原有数据不能使用！\r\n";
const std::wstring kNotExtracted = L"有文件没有成功解压，请重新下载安装！\r\n";

std::wstring NotExtracted(const std::string& name) {
  return AsShown(L"没有成功解压复制") + std::wstring(name.begin(), name.end()) +
         AsShown(L"文件！请重新下载安装。");
}

TEST(CraftedBackupRestore, NamesReachingOutsideOrToADeviceAreNamedAndNeverWritten) {
  const std::vector<std::string> evil = {"..\\lz-evil.txt", "c:\\evil.txt", "..\\windows\\e.x",
                                         "NUL.txt"};
  std::vector<std::pair<std::string, std::string>> entries = {{"userck.txt", "restored"}};
  for (const std::string& name : evil) entries.push_back({name, "evil"});
  const TourRecord record = RestoreCrafted(Crafted(entries));
  std::vector<std::wstring> expected = {kKeepQuestion};
  std::string listed;
  for (const std::string& name : evil) {
    expected.push_back(NotExtracted(name));
    listed += name + "....";
  }
  expected.push_back(std::wstring(listed.begin(), listed.end()) + AsShown(kNotExtracted) + L"\r\n\r\n" +
                     AsShown(kNotRestored));
  expected.push_back(kCompleted);
  EXPECT_EQ(expected, record.messages);
  EXPECT_EQ("restored", Bytes(kInstallDir + "userck.txt"));
}

TEST(CraftedBackupRestore, HugeCountsTruncationAndOverlongStreamsFailCleanly) {
  // Counting more entries than any backup holds: nothing is restored.
  // Long enough (100 bytes) to be read at all.
  std::string backup = Crafted({{"userck.txt", "restored"}, {"delck.txt", std::string(200, 'd')}});
  backup.replace(kEntryCountOffset, 4, "\xFF\xFF\xFF\xFF");
  TourRecord record = RestoreCrafted(backup);
  EXPECT_EQ((std::vector<std::wstring>{kKeepQuestion, AsShown(kNotRestored), kCompleted}),
            record.messages);
  EXPECT_TRUE(SameBytes(Payload().at("userck.txt"), Bytes(kInstallDir + "userck.txt")));

  // A stream that inflates past the work area, then a cut-off entry.
  backup = Crafted({{"userck.txt", std::string(3 * 1024 * 1024, 'x')},
                    {"delck.txt", "restored"},
                    {"lzwbpy.txt", "cut off"}});
  backup.resize(backup.size() - 4);
  record = RestoreCrafted(backup);
  EXPECT_EQ((std::vector<std::wstring>{kKeepQuestion, NotExtracted("userck.txt"),
                                       L"userck.txt...." + AsShown(kNotExtracted) + L"\r\n\r\n" +
                                           AsShown(kNotRestored),
                                       kCompleted}),
            record.messages);
  EXPECT_TRUE(SameBytes(Payload().at("userck.txt"), Bytes(kInstallDir + "userck.txt")));
  EXPECT_EQ("restored", Bytes(kInstallDir + "delck.txt"));
}

}  // namespace
